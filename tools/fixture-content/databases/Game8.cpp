// The "GAME8" database: the shell game's shells, blenny, anchor, banner, digits, check boxes and
// buttons, its sounds, lines, conversations and settings.
#include <string>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// A shell: 0 at rest loops; 1 opening, 2 closing and the slides 3 to 6 end and hold their last frame,
// since the shell itself says what follows them (a shell that stopped would take no clicks). The
// opened shell stands raised above the blenny it showed.
// All three shell objects stand at one place, as the game expects: the side shells' pictures lie where
// the game shows the blenny under them (186 to the left and 2 up, 191 to the right and 3 down).
SpriteSpec Shell(const std::string& name, int32_t x, int32_t y) {
  std::vector<AnimationSpec> animations = {Loop(1)};
  for (int i = 1; i <= 6; ++i) animations.push_back(Hold(3));
  animations[1].m_offsetY = -110;
  return WithAnimations(name, 120, 100, std::move(animations), x, y);
}

// The banner: 0 idle (off the screen), 1 flying in, 2 holding, 3 flying out.
SpriteSpec Banner() {
  std::vector<AnimationSpec> animations = {Loop(1), Stop(3), Loop(1), Stop(3)};
  animations[0].m_offsetX = -2000;
  return WithAnimations("G8Banner", 300, 120, std::move(animations), 250, 220);
}

std::vector<ObjectSpec> Objects() {
  std::vector<ObjectSpec> objects = {
      Object("clickable", "shell0", "G8ShellLeft", 340, 300, 500, {{"rollovercursor", "1"}}),
      Object("clickable", "shell1", "G8Shell", 340, 300, 500, {{"rollovercursor", "1"}}),
      Object("clickable", "shell2", "G8ShellRight", 340, 300, 500, {{"rollovercursor", "1"}}),
      Object("ambient", "blenny", "G8Blenny", 0, 0, 499),
      Object("ambient", "bubbles", "G8Bubbles", 0, 0, 100),
      Object("LevelBanner", "banner", "G8Banner", 0, 0, 700,
             {{"numberAnim", "G8BannerDigits"}, {"numberDistance", "40"}, {"numberCenterX", "390"},
              {"numberCenterY", "260"}}),
      Object("gamebutton", "LevelButton_0", "G8LevelDown", 560, 550, 600, {{"rollovercursor", "1"}}),
      Object("gamebutton", "LevelButton_1", "G8LevelUp", 660, 550, 600, {{"rollovercursor", "1"}}),
      Object("ambient", "anchor_expression", "G8AnchorFace", 40, 80, 300),
      Object("ambient", "anchor_eye_left", "G8AnchorEye", 50, 60, 301),
      Object("ambient", "anchor_eye_right", "G8AnchorEye", 80, 60, 301),
      Object("ambient", "navbar", "G8Navbar", 0, 530, 590),
      Object("gamebutton", "helpButton", "HelpButton", 732, 541, 604,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      Object("gamebutton", "exitButton", "ActBackArrow", 5, 531, 603,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      Object("ambient", "blank_head", "blank_head", 0, 0, 1),
      Object("ambient", "Pilo_G8", "G8Pilo", 0, 0, 310),
      Object("ambient", "Pilo_G8_head", "G8Pilo_Talk", 1000, 1000, 311),
  };
  for (int i = 0; i < 5; ++i)
    objects.push_back(Object("ambient", "CheckBox_" + std::to_string(i), "G8CheckBox", 250 + 40 * i, 40, 600));
  for (int i = 0; i < 3; ++i)
    objects.push_back(Object("ambient", "ScoreBoard_" + std::to_string(i), "G8Digits", 600 + 20 * i, 20, 600));
  for (int i = 0; i < 2; ++i)
    objects.push_back(Object("ambient", "LevelDigits_" + std::to_string(i), "G8Digits", 600 + 20 * i, 560, 605));
  return objects;
}

std::vector<std::string> Progression() {
  return {
      "; the shell game's levels: points and swaps from the first level to the last",
      "shell_layers = 400 500 600",
      "score = 10 60",
      "num_levels = 6",
      "max_speed = 2",
      "swaps = 0 6",
      "sounds = g8_yay1 g8_yay2 g8_yay3 g8_boo1 g8_boo2 g8_boo3",
  };
}

std::string Dialogue(int speaker, const char* line) {
  return "dialogue = " + std::to_string(speaker) + ", Pilo_G8, Pilo_G8_head, G8_posdata, 1, " + line + ", " + line;
}

std::vector<std::string> Conversation(std::initializer_list<std::vector<const char*>> lists) {
  std::vector<std::string> lines = {"; conversations of the shell game"};
  int number = 0;
  for (const auto& list : lists) {
    lines.push_back("new_conversation = " + std::to_string(++number));
    for (const char* line : list) lines.push_back(Dialogue(0, line));
  }
  return lines;
}

std::vector<std::string> Poses() {
  std::vector<std::string> poses = {"; the speaker's body places, from where it stands"};
  for (const char* key : {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking"})
    poses.push_back(std::string(key) + " = 0, 0");
  return poses;
}

}  // namespace

DatabaseSpec Game8Database() {
  DatabaseSpec database;
  database.m_name = "GAME8";
  database.m_sprites.push_back(Shell("G8ShellLeft", -186, -2));
  database.m_sprites.push_back(Shell("G8Shell", 0, 0));
  database.m_sprites.push_back(Shell("G8ShellRight", 191, 3));
  // The blenny: six looks that end, so that each right guess shows the next; drawn in the middle of
  // the shell that hides it.
  database.m_sprites.push_back(WithAnimations("G8Blenny", 40, 30, Repeat(6, Stop(2)), 40, 40));
  database.m_sprites.push_back(Looping("G8Bubbles", 800, 40, 1, 1));
  database.m_sprites.push_back(Banner());
  database.m_sprites.push_back(Looping("G8BannerDigits", 24, 36, 10, 1));
  database.m_sprites.push_back(Looping("G8Digits", 16, 24, 10, 1));
  database.m_sprites.push_back(Looping("G8CheckBox", 30, 30, 2, 1));
  database.m_sprites.push_back(Button("G8LevelDown", 40, 40));
  database.m_sprites.push_back(Button("G8LevelUp", 40, 40));
  // The anchor's face and eyes end every look, since the node chooses the next one.
  database.m_sprites.push_back(WithAnimations("G8AnchorFace", 80, 60, Repeat(4, Stop(3))));
  database.m_sprites.push_back(WithAnimations("G8AnchorEye", 20, 20, Repeat(3, Stop(4))));
  database.m_sprites.push_back(Picture("G8Navbar", 800, 70));
  database.m_sprites.push_back(WithAnimations("G8Pilo", 90, 120, Repeat(15, Loop(4)), 660, 250));
  database.m_sprites.push_back(Looping("G8Pilo_Talk", 40, 20, 16, 1, 690, 290));
  {
    SpriteSpec blank = Looping("blank_head", 8, 8, 16, 1);
    blank.m_transparent = true;
    database.m_sprites.push_back(blank);
  }

  database.m_objectFiles.push_back({"ShellGame", Objects()});
  database.m_objectFiles.push_back({"ShellGame_SDL", Objects()});
  database.m_textFiles.push_back({"G8_roomdata", {"; the shell game", "room = shellgame"}});
  database.m_textFiles.push_back({"SG_progression", Progression()});
  database.m_textFiles.push_back({"G8_posdata", Poses()});
  database.m_textFiles.push_back({"G8_conv_first_time", Conversation({{"1900", "1910", "1940"}})});
  database.m_textFiles.push_back({"G8_conv_next_time", Conversation({{"1950", "1960"}})});
  database.m_textFiles.push_back({"G8_conv_win", Conversation({{"1970"}, {"1971"}, {"1972"}})});
  database.m_textFiles.push_back({"G8_conv_lose", Conversation({{"1980"}, {"1981"}})});

  database.m_sounds = {Effect("monty_cup_openclose_01", 200), Effect("monty_cup_openclose_02", 200),
                       Effect("monty_cup_slide_long", 200),   Effect("monty_cup_slide_short", 150),
                       Effect("g8_yay1"), Effect("g8_yay2"), Effect("g8_yay3"), Effect("g8_boo1"),
                       Effect("g8_boo2"), Effect("g8_boo3"), Music("JFB_music_22k")};
  for (SpokenLineSpec& line : Lines({"1900", "1910", "1940", "1950", "1960", "1970", "1971", "1972", "1980",
                                     "1981", "2115"},
                                    "Shell", "Pilo", true))
    database.m_spokenLines.push_back(std::move(line));
  for (SpokenLineSpec& line : Lines({"6000", "6001"}, "Shell", "Pilo"))
    database.m_spokenLines.push_back(std::move(line));
  return database;
}

}  // namespace fixture
