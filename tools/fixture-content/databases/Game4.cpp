// The "GAME4" database: the shape game's five shapes, the moonfish school, the guide in its three
// places, two rows of bubbles, the level buttons, the globals, twenty levels with their timing files
// and the metronome's marks.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

std::string Two(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

std::vector<ObjectSpec> Game4Objects() {
  std::vector<ObjectSpec> objects = {
      Object("ambient", "moonfish", "G4_moonfish", 250, 80, 20),
      Object("ambient", "blank_head", "G4_blank", 0, 0, 10),
      Object("ambient", "zelka_body_moonfish", "G4_guide", 80, 120, 40),
      Object("ambient", "zelka_moonfish", "G4_guideHead", 120, 140, 41),
      Object("ambient", "zelka_body_user", "G4_guide", 40, 380, 40),
      Object("ambient", "zelka_user", "G4_guideHead", 80, 400, 41),
      Object("ambient", "zelka_body_shapes", "G4_shapesGuide", 150, 330, 40),
      Object("clickable", "LevelButton_0", "G4_levelDown", 640, 20, 60),
      Object("clickable", "LevelButton_1", "G4_levelUp", 740, 20, 60),
      // Between the bubble rows and the shapes, where its resting picture hides nothing.
      Object("LevelBanner", "banner", "G4_banner", 250, 380, 900,
             {{"numberAnim", "G4_bannerDigits"}, {"numberDistance", "40"}, {"numberCenterX", "388"},
              {"numberCenterY", "402"}}),
      Object("gamebutton", "helpButton", "G4_helpButton", 732, 541, 100),
      Object("gamebutton", "exitButton", "G4_exitButton", 5, 531, 100),
  };
  for (int i = 0; i < 5; ++i) {
    objects.push_back(Object("clickable", "shape" + std::to_string(i), "G4_shape" + std::to_string(i),
                             120 + 120 * i, 470, 50));
    objects.push_back(
        Object("ambient", "CheckBox_" + std::to_string(i), "G4_checkBox", 600 + 30 * i, 80, 50));
  }
  for (int i = 0; i < 20; ++i)
    objects.push_back(
        Object("ambient", "bubble" + Two(i), "G4_bubble", 250 + 30 * (i % 10), i < 10 ? 300 : 330, 30));
  for (int i = 0; i < 6; ++i)
    objects.push_back(
        Object("ambient", "ScoreBoard_" + std::to_string(i), "G4_digits", 600 + 16 * i, 560, 60));
  for (int i = 0; i < 2; ++i)
    objects.push_back(
        Object("ambient", "LevelDigits_" + std::to_string(i), "G4_digits", 690 + 16 * i, 30, 60));
  return objects;
}

// Level n: n / 4 + 1 sequences (at most five); level 1 one sequence of two presses and 8 s to copy.
TextFileSpec LevelFile(int n) {
  const int sequences = std::min(5, n / 4 + 1);
  std::string names;
  for (int k = 0; k < sequences; ++k)
    names += (k ? " " : "") + std::string("g4_timing") + std::to_string(k + 1);
  return {"level" + Two(n) + "_",
          {"; the shape game, level " + std::to_string(n), "settings = " + std::to_string(sequences) + ", 3",
           "easy_settings = 300, 80, 10, 30, 100", "hard_settings = 200, 50, 10, 30, 200",
           "sequences = " + names, "metronome = G4_tick, G4_beat"}};
}

}  // namespace

DatabaseSpec Game4Database() {
  DatabaseSpec database;
  database.m_name = "GAME4";
  for (int i = 0; i < 5; ++i) database.m_sprites.push_back(Button("G4_shape" + std::to_string(i), 90, 90));
  // 0 at rest, 3i + 5 forming shape i (i = 5 the school's own figure), 3i + 7 leaving it.
  database.m_sprites.push_back(Looping("G4_moonfish", 300, 150, 23, 2));
  database.m_sprites.push_back(Picture("G4_blank", 1, 1));
  // Beside the moonfish the moves 5 to 8 end, beside the player 5 and 6; 0, 3 and 4 loop; 1 (the
  // fidget) goes back to 0.
  std::vector<AnimationSpec> guide = Repeat(12, Loop(2));
  guide[1] = Chain(0, 2);
  for (int move : {2, 5, 6, 7, 8, 9, 10, 11}) guide[static_cast<size_t>(move)] = Stop(2);
  database.m_sprites.push_back(WithAnimations("G4_guide", 100, 120, guide));
  database.m_sprites.push_back(Looping("G4_guideHead", 40, 20, 16, 1));
  database.m_sprites.push_back(
      WithAnimations("G4_shapesGuide", 100, 100, {Loop(2), Stop(2), Stop(2), Stop(2)}));
  database.m_sprites.push_back(Button("G4_levelDown", 40, 40));
  database.m_sprites.push_back(Button("G4_levelUp", 40, 40));
  database.m_sprites.push_back(Button("G4_helpButton", 60, 50));
  database.m_sprites.push_back(Button("G4_exitButton", 60, 60));
  database.m_sprites.push_back(WithAnimations("G4_banner", 300, 80, {Loop(1), Stop(2), Loop(2), Stop(2)}));
  database.m_sprites.push_back(Looping("G4_bannerDigits", 24, 36, 10, 1));
  database.m_sprites.push_back(Looping("G4_checkBox", 24, 24, 2, 1));
  database.m_sprites.push_back(Looping("G4_bubble", 24, 24, 4, 1));
  database.m_sprites.push_back(Looping("G4_digits", 16, 20, 10, 1));

  database.m_objectFiles.push_back({"Game4", Game4Objects()});
  database.m_objectFiles.push_back({"Game4_SDL", Game4Objects()});

  database.m_textFiles.push_back({"G4_roomdata", {"; the shape game", "room = moonfish"}});
  database.m_textFiles.push_back(
      {"G4_globals",
       {"timing_mark_sound = G4_sweet 5, G4_note 5, G4_shape 5, G4_none 0", "sequence_sound = G4_sequence",
        "moonfish = shape0 G4_fish0 G4_good G4_bad shape1 G4_fish1 G4_good G4_bad shape2 G4_fish2 G4_good "
        "G4_bad "
        "shape3 G4_fish3 G4_good G4_bad shape4 G4_fish4 G4_good G4_bad 1 moonfish",
        "bubbles = bubble unused G4_bubbleSound 10 20"}});
  for (int n = 1; n <= 20; ++n) database.m_textFiles.push_back(LevelFile(n));
  // The first sequence: two presses, the turn at 1.2 s, 8 s to copy.
  database.m_textFiles.push_back(
      {"g4_timing1", {"strong = 400", "strong = 800", "weak = 1200", "weak = 8000"}});
  for (int k = 2; k <= 5; ++k) {
    std::vector<std::string> lines;
    for (int press = 0; press < k + 1; ++press)
      lines.push_back("strong = " + std::to_string(400 * (press + 1)));
    lines.push_back("weak = " + std::to_string(400 * (k + 2)));
    lines.push_back("weak = " + std::to_string(400 * (k + 2) + 8000));
    database.m_textFiles.push_back({"g4_timing" + std::to_string(k), lines});
  }
  database.m_textFiles.push_back({"G4_beat", {"mark = 0", "wrap = 500"}});

  for (const char* name : {"G4_tick", "G4_sweet", "G4_note", "G4_shape", "G4_none", "G4_good", "G4_bad",
                           "G4_bubbleSound", "G4_fish0", "G4_fish1", "G4_fish2", "G4_fish3", "G4_fish4"})
    database.m_sounds.push_back(Effect(name, 150));
  database.m_sounds.push_back(Effect("G4_sequence", 600));

  // The guide's 44 lines, captioned in "moonfish": the introduction, help, the turns' praise and
  // corrections, the prizes and the last level's farewell.
  std::vector<std::string> lines = {"2620", "2621", "2630", "2640", "2650", "2660", "2661", "2670", "2680",
                                    "2690", "2691", "2692", "2693", "2700", "2701", "2710", "2720", "2730",
                                    "2740", "2750", "2760", "2770", "2780", "2781", "2790", "2810", "2820",
                                    "2821", "2822", "2823", "2840", "2850", "2860", "2870", "2880", "2900",
                                    "2910", "2920", "2930", "2940", "2950", "2960", "6000", "6001"};
  database.m_spokenLines = Lines(lines, "moonfish", "Zelka", true);
  return database;
}

}  // namespace fixture
