// The "Game9" database: the memory card game's rocks, sand pictures, guide, level banner, digits,
// sounds, lines and settings. The node makes its arrows, exit button, cards and sand pictures itself,
// so the object file names none of them.
#include <string>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

const char* const kRocks[] = {
    "RockPilo",      "RockTovin",      "RockZelka",      "RockBrago",      "RockOskel",     "RockHumbo",
    "RockOrvel",     "RockPertu",      "RockBlenny",     "RockPiloHard",   "RockTovinHard", "RockZelkaHard",
    "RockBragoHard", "RockOskelHard",  "RockHumboHard",  "RockOrvelHard",  "RockPertuHard", "RockBlennyHard"};

// Card places: a board of 12 is four across and three down, one of 18 six across, all on the sand
// picture at (103, 198).
constexpr int32_t kCardSize = 80;
constexpr int32_t kEasyX[] = {153, 283, 413, 543};
constexpr int32_t kHardX[] = {118, 213, 308, 403, 498, 593};
constexpr int32_t kRowY[] = {213, 318, 423};

// A rock: 0 face down and 3 face up hold; 1 turning up, 2 turning down and 4 vanishing end where
// they are, since the node reads the animation that ended from the card.
SpriteSpec Rock(const char* name) {
  return WithAnimations(name, kCardSize, kCardSize, {Hold(1), Stop(2), Stop(2), Hold(1), Stop(2)});
}

// The guide's body: 0 rest, 9 watching, 13 entrance and 14 leaving end where they are, since the
// node chooses what follows them; the idle and cheering variations go back to rest, the watching
// ones to watching. 0 and the talking pose 4 have as many frames, since a pose change keeps the
// frame.
SpriteSpec GuideBody() {
  std::vector<AnimationSpec> animations = Repeat(15, Loop(4));
  for (const int end : {0, 9}) animations[static_cast<size_t>(end)] = Stop(4);
  for (const int end : {13, 14}) animations[static_cast<size_t>(end)] = Stop(3);
  for (const int rest : {1, 2, 3, 6, 7, 12}) animations[static_cast<size_t>(rest)] = Chain(0, 3);
  for (const int watch : {8, 10, 11}) animations[static_cast<size_t>(watch)] = Chain(9, 3);
  return WithAnimations("Zelka", 90, 160, std::move(animations), 705, 250);
}

// The banner: 0 idle (off the screen), 1 flying in, 2 holding, 3 flying out.
SpriteSpec Banner() {
  std::vector<AnimationSpec> animations = {Loop(1), Stop(3), Loop(1), Stop(3)};
  animations[0].m_offsetX = -2000;
  return WithAnimations("Game9Banner", 300, 120, std::move(animations), 250, 220);
}

std::string Places(const int32_t* values, size_t count, size_t repeat, bool byColumn) {
  std::string line;
  for (size_t i = 0; i < count * repeat; ++i) {
    if (!line.empty()) line += ", ";
    line += std::to_string(values[byColumn ? i % count : i / repeat]);
  }
  return line;
}

std::vector<std::string> ConcentrationData() {
  return {
      "; times in milliseconds of the game clock",
      "StayFlippedTime = 300",
      "ShowPictureTime = 400",
      "BeginDelayTime = 200",
      "EasycardPlacementX = " + Places(kEasyX, 4, 3, true),
      "EasycardPlacementY = " + Places(kRowY, 3, 4, false),
      "HardcardPlacementX = " + Places(kHardX, 6, 3, true),
      "HardcardPlacementY = " + Places(kRowY, 3, 6, false),
  };
}

std::vector<ObjectSpec> Objects() {
  std::vector<ObjectSpec> objects = {
      Object("gamebutton", "helpButton", "HelpButton", 732, 541, 604,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      Object("LevelBanner", "banner", "Game9Banner", 0, 0, 700,
             {{"numberAnim", "Game9BannerDigits"}, {"numberDistance", "40"}, {"numberCenterX", "390"},
              {"numberCenterY", "260"}}),
      Object("ambient", "Zelka", "Zelka", 0, 0, 300),
      Object("ambient", "Zelka_head", "Zelka_Talk", 1000, 1000, 301),
      Object("ambient", "blank_head", "blank_head", 0, 0, 1),
  };
  for (const char* digit : {"SliderOnesNum", "SliderTensNum", "PointsOnesNum", "PointsTensNum", "PointsHundredsNum",
                            "PointsThousandsNum", "PointsTenThousandsNum"})
    objects.push_back(Object("ambient", digit, "Game9Digits", 1000, 1000, 607));
  return objects;
}

std::vector<std::string> GuidePoses() {
  std::vector<std::string> poses = {"; the guide's body places, from where it stands"};
  for (const char* key : {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking"})
    poses.push_back(std::string(key) + " = 0, 0");
  return poses;
}

}  // namespace

DatabaseSpec Game9Database() {
  DatabaseSpec database;
  database.m_name = "Game9";
  for (const char* rock : kRocks) database.m_sprites.push_back(Rock(rock));
  for (int i = 1; i <= 16; ++i)
    database.m_sprites.push_back(Looping("CardBackground" + std::to_string(i), 600, 340, 2, 1));
  database.m_sprites.push_back(GuideBody());
  // The mouth: the sixteen shapes (two head variants of eight).
  database.m_sprites.push_back(Looping("Zelka_Talk", 40, 20, 16, 1, 730, 290));
  {
    SpriteSpec blank = Looping("blank_head", 8, 8, 16, 1);
    blank.m_transparent = true;
    database.m_sprites.push_back(blank);
  }
  database.m_sprites.push_back(Banner());
  database.m_sprites.push_back(Looping("Game9BannerDigits", 24, 36, 10, 1));
  database.m_sprites.push_back(Looping("Game9Digits", 16, 24, 10, 1));
  database.m_sprites.push_back(Button("LevelArrowBack", 40, 40));
  database.m_sprites.push_back(Button("LevelArrowForward", 40, 40));

  database.m_objectFiles.push_back({"GAME9_Concentration", Objects()});
  database.m_textFiles.push_back({"GAME9_roomdata", {"; the memory card game", "room = concentration"}});
  database.m_textFiles.push_back({"ConcentrationData", ConcentrationData()});
  database.m_textFiles.push_back({"GAME9_posdata", GuidePoses()});

  database.m_sounds = {Effect("rock_over", 150), Effect("pick_up_02", 300), Effect("rock_poof", 300),
                       Effect("6002", 300), Music("Tiki_Sequence_mix22k")};
  std::vector<std::string> guideLines = Numbered("", 27, 4500);
  guideLines.push_back("45012");
  guideLines.push_back("5027");
  for (SpokenLineSpec& line : Lines(guideLines, "Concentration", "Zelka", true))
    database.m_spokenLines.push_back(std::move(line));
  for (SpokenLineSpec& line : Lines({"6000", "6001"}, "Concentration", "Pilo"))
    database.m_spokenLines.push_back(std::move(line));
  return database;
}

}  // namespace fixture
