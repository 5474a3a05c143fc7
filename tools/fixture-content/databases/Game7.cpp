// The "Game7" database: the ride on the ocean current, with its turtle, traffic, vortex, level table,
// intro cast, spoken lines, effect sounds, musics and prize movies.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

constexpr int kLevels = 20;

// The node reads which animation ended from the animation id it set, so the ends it waits for stop
// instead of chaining on.
SpriteSpec Turtle() {
  std::vector<AnimationSpec> animations = Repeat(14, Loop(2));
  for (const int stop : {6, 13}) animations[static_cast<size_t>(stop)] = Stop(3);
  return WithAnimations("BragoTurtle", 60, 40, std::move(animations));
}

// 0 swimming, 1 and 3 a flourish that goes back to 0, 2 knocked away, 4 caught by the vortex and 5
// the start of a swerve, both waited for.
SpriteSpec Obstacle(std::string name, int32_t width, int32_t height) {
  return WithAnimations(std::move(name), width, height,
                        {Loop(2), Chain(0, 3), Loop(2), Chain(0, 3), Stop(3), Stop(3)});
}

// A digit sprite: animations 0 to 9, each the digit.
SpriteSpec Digits(std::string name) {
  return Looping(std::move(name), 16, 24, 10, 1);
}

// "key = v1, v2, ..." over the levels.
template <typename Value>
std::string LevelRow(const std::string& key, Value (*value)(int level)) {
  std::string line = key + " =";
  for (int level = 0; level < kLevels; ++level) {
    line += level == 0 ? " " : ", ";
    line += std::to_string(value(level));
  }
  return line;
}

// Twenty levels within the limits: each has traffic, an interval wider than zero, a duration long
// enough for the bar's six steps, and a vortex well faster than the stopped test's 5.
std::vector<std::string> LevelData() {
  std::vector<std::string> lines = {
      "; the ride on the ocean current",
      "StartPositionX = 200",
      "StartPositionY = 300",
      "BragoIdleSequence = 0",
      "StartLevel = 1",
      "PossibleYPositions = 140, 220, 300, 380, 460",
      "PossibleVortexPos = 200, 300, 400",
      "ObstaclePointValues = 0, 5, 5, 10, 10, 15, 20, 0, 25, 50, 100",
  };
  lines.push_back(LevelRow<int>("BragoSpeed", [](int l) { return 120 + 5 * l; }));
  lines.push_back(LevelRow<int>("ObstacleSpeed", [](int l) { return 80 + 6 * l; }));
  lines.push_back(LevelRow<int>("LevelDuration", [](int l) { return 30000 + 1000 * l; }));
  lines.push_back(LevelRow<int>("MinReleaseTime", [](int l) { return 1600 - 50 * l; }));
  lines.push_back(LevelRow<int>("MaxReleaseTime", [](int l) { return 2800 - 60 * l; }));
  lines.push_back(LevelRow<int>("numTurtles", [](int l) { return 1 + l / 4; }));
  lines.push_back(LevelRow<int>("numBabies", [](int l) { return 1 + l / 5; }));
  lines.push_back(LevelRow<int>("numBoots", [](int l) { return l / 3; }));
  lines.push_back(LevelRow<int>("numTires", [](int l) { return l / 4; }));
  lines.push_back(LevelRow<int>("numCans", [](int l) { return l / 5; }));
  lines.push_back(LevelRow<int>("numGroupers", [](int l) { return l / 6; }));
  lines.push_back(LevelRow<int>("numGoodie1", [](int) { return 3; }));
  lines.push_back(LevelRow<int>("numGoodie2", [](int l) { return 1 + l / 10; }));
  lines.push_back(LevelRow<int>("numGoodie3", [](int l) { return l / 8; }));
  return lines;
}

// The game's objects; "_sdl" is the same set for a display that cannot blend.
std::vector<ObjectSpec> Objects() {
  std::vector<ObjectSpec> objects = {
      Object("ambient", "NavBar", "TS_navbar", 0, 550, 500),
      Object("ambient", "livesMeter", "livesMeter", 20, 560, 510),
      Object("ambient", "ProgressBar", "ProgressBar", 320, 560, 510),
      // At the traffic's and the turtle's depth: collision boxes meet only at one depth.
      Object("ambient", "Vortex", "TS_vortex", 1000, 1000, 200),
      Object("gamebutton", "exit1", "TS_exit", 740, 548, 520,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      Object("gamebutton", "help", "TS_help", 520, 548, 520,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      Object("gamebutton", "Sliderleft", "TS_sliderLeft", 120, 560, 520, {{"rollovercursor", "1"}}),
      Object("gamebutton", "Sliderright", "TS_sliderRight", 196, 560, 520, {{"rollovercursor", "1"}}),
      Object("ambient", "SliderOnesNum", "TS_levelDigits", 165, 564, 530),
      Object("ambient", "SliderTensNum", "TS_levelDigits", 1000, 1000, 530),
      Object("LevelBanner", "banner", "TS_banner", 250, 200, 600,
             {{"numberAnim", "TS_bannerDigits"},
              {"numberDistance", "20"},
              {"numberCenterX", "400"},
              {"numberCenterY", "260"},
              {"sfx", "TS_banner_sfx"}}),
      Object("ambient", "introBragoHead", "introBragoHead", 300, 250, 110),
      Object("ambient", "introBragoTalkie", "introBragoTalkie", 330, 270, 111),
      Object("ambient", "introZelkaHead", "introZelkaHead", 520, 150, 110),
      Object("ambient", "introZelkaTalkie", "introZelkaTalkie", 540, 170, 111),
      Object("ambient", "introTovinHead", "introTovinHead", 560, 330, 110),
      Object("ambient", "introTovinTalkie", "introTovinTalkie", 580, 350, 111),
  };
  const char* const places[] = {"PointsOnesNum", "PointsTensNum", "PointsHundredsNum", "PointsThousandsNum",
                                "PointsTenThousandsNum"};
  int x = 684;
  for (const char* name : places) {
    objects.push_back(Object("ambient", name, "TS_pointDigits", x, 558, 530));
    x -= 19;
  }
  return objects;
}

// Every line the node speaks: the intro, the families, the good-bye lines and the help narration.
std::vector<std::string> SpokenLines() {
  const std::vector<std::vector<std::string>> families = {
      {"3230", "3240", "3250", "3260", "3270", "3490", "3330", "3320", "3451", "3591", "3502"},
      {"3540", "3640", "3533", "3456", "3470", "3493", "3560", "3435", "3441",
       "3450", "3434", "3437", "3510", "3440", "3430", "3443", "3460", "3458",
       "3432", "3491", "3536", "3438", "3492", "3620", "3550", "3495", "3445"},
      {"3390", "3455", "3500", "3503", "3447", "3400", "3420", "3444"},
      {"3449", "3421", "3448"},
      {"3501", "3520", "3453", "3507"},
      {"3505", "3454", "3504"},
      {"3360", "3590", "3280", "3480", "3800", "3494", "3410", "3422"},
      {"3801", "3810", "3431", "3311"},
      {"3301", "3380", "3340", "3350", "3310", "3506", "3291", "3370"},
  };
  std::set<std::string> seen;
  std::vector<std::string> lines;
  for (const auto& family : families) {
    for (const std::string& line : family) {
      if (seen.insert(line).second) lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace

DatabaseSpec Game7Database() {
  DatabaseSpec database;
  database.m_name = "Game7";

  database.m_sprites.push_back(Turtle());
  database.m_sprites.push_back(Obstacle("CollisionTurtle", 60, 40));
  database.m_sprites.push_back(Obstacle("SkivTurtle", 40, 30));
  database.m_sprites.push_back(Obstacle("Humbo", 50, 50));
  database.m_sprites.push_back(Obstacle("Crab", 50, 36));
  database.m_sprites.push_back(Obstacle("School_Grouper", 70, 50));
  for (const char* name : {"Grouper1", "Grouper2", "Grouper3"})
    database.m_sprites.push_back(Obstacle(name, 70, 46));
  for (const char* name : {"shell_yellow", "shell_green", "shell_red"})
    database.m_sprites.push_back(Obstacle(name, 24, 24));
  database.m_sprites.push_back(Looping("TS_vortex", 150, 150, 2, 2));
  database.m_sprites.push_back(WithAnimations("livesMeter", 100, 20, Repeat(6, Hold(1))));
  database.m_sprites.push_back(WithAnimations("ProgressBar", 120, 20, Repeat(7, Hold(1))));
  database.m_sprites.push_back(Picture("TS_navbar", 800, 50));
  for (const char* name : {"TS_exit", "TS_help"}) database.m_sprites.push_back(Button(name, 50, 50));
  for (const char* name : {"TS_sliderLeft", "TS_sliderRight"})
    database.m_sprites.push_back(Button(name, 24, 24));
  for (const char* name : {"TS_levelDigits", "TS_pointDigits", "TS_bannerDigits"})
    database.m_sprites.push_back(Digits(name));
  // The banner: 0 idle, off the screen so that it hides nothing of the ride between levels, 1 flying
  // in, 2 holding, 3 flying out.
  std::vector<AnimationSpec> banner = {Hold(1), Stop(2), Hold(1), Stop(2)};
  banner[0].m_offsetX = -2000;
  database.m_sprites.push_back(WithAnimations("TS_banner", 300, 120, std::move(banner)));
  // The play backdrop: the top band and, from y 80 down, the sea; tall enough to fill the screen.
  database.m_sprites.push_back(Looping("turtbkg_all", 800, 520, 3, 1));
  // The intro: the backdrop, the cast's heads (5 Brago's opening, waited for) and mouths, Brago's body
  // and fins, the young turtle swimming in and the vortex (1, its crossing, waited for).
  database.m_sprites.push_back(Picture("turt_intro_bkg", 800, 600));
  {
    std::vector<AnimationSpec> head = Repeat(7, Loop(2));
    head[5] = Stop(3);
    database.m_sprites.push_back(WithAnimations("introBragoHead", 120, 100, std::move(head)));
  }
  for (const char* name : {"introZelkaHead", "introTovinHead"})
    database.m_sprites.push_back(Looping(name, 100, 90, 7));
  for (const char* name : {"introBragoTalkie", "introZelkaTalkie", "introTovinTalkie"})
    database.m_sprites.push_back(Looping(name, 40, 20, 16, 1));
  // The node makes these at 0, 0: the pictures stand where they belong, under Brago's head, and the
  // kid low on the left.
  database.m_sprites.push_back(Looping("turtles_bragobody", 140, 70, 1, 2, 290, 345));
  database.m_sprites.push_back(Looping("turtles_bragofinR", 50, 30, 1, 2, 430, 370));
  database.m_sprites.push_back(Looping("turtles_bragofinL", 50, 30, 1, 2, 240, 370));
  database.m_sprites.push_back(WithAnimations("turtles_kidswim2", 60, 40, {Stop(4)}, 80, 440));
  for (const char* name : {"Introvortex", "Introvortex_sdl"})
    database.m_sprites.push_back(WithAnimations(name, 200, 200, {Loop(2), Stop(4)}));

  database.m_objectFiles.push_back({"GAME7_RuduraZizuru2", Objects()});
  database.m_objectFiles.push_back({"GAME7_RuduraZizuru_sdl", Objects()});
  database.m_textFiles.push_back({"GAME7_roomdata", {"; the ride on the ocean current", "room = game7"}});
  database.m_textFiles.push_back({"RuduraZizuru2Data", LevelData()});
  std::vector<std::string> poses = {"; body places of the intro's speakers, from their base position"};
  for (const char* key : {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking"})
    poses.push_back(std::string(key) + " = 0, 0");
  database.m_textFiles.push_back({"GAME7_posdata", poses});

  for (const char* name :
       {"ts_turtle_hit_turtle", "TS_lose_music", "ts_pickup", "turtle_surf_can", "turtle_surf_fish",
        "turtle_surf_boot", "turtle_surf_tire", "whirlpool", "ts_water_flowing", "TS_banner_sfx"})
    database.m_sounds.push_back(Effect(name));
  for (const char* name : {"pre-turtlesSFX_edit_22k", "TS_music-SFX_loop22k"})
    database.m_sounds.push_back(Music(name));

  for (const std::string& line : SpokenLines())
    database.m_spokenLines.push_back(Line(line, "Turtles", "Brago"));
  for (const char* line : {"6000", "6001"}) database.m_spokenLines.push_back(Line(line, "Turtles", "Zelka"));
  for (const char* name : {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor", "Prize_Ship", "Prize_Pearl"})
    database.m_movies.push_back(Movie(name));
  return database;
}

}  // namespace fixture
