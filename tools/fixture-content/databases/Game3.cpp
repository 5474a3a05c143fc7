// The "GAME3" database: the music game. Its level list names three songs (ticks of 200, 200 and 300
// ms); each song has its own setup, script and percussion file, so a song change shows in what sounds.
// Every sound is a tone of its own name; the lines are the room's captions "Tribal".
#include <string>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

const char* const kCharacters[] = {"Oskel", "Orvel", "Tesh", "Fizwin", "Pertu", "Lirra", "Humbo"};
const char* const kHeads[] = {"dialogue_oskelhead", "dialogue_orvelhead", "dialogue_teshhead",
                              "dialogue_fizwinhead", "dialogue_pertuhead", "dialogue_lirrahead",
                              "dialogue_humbohead", "dialogue_pilohead"};

constexpr int kSongs = 3;
constexpr int kTickMs[kSongs] = {200, 200, 300};
constexpr int kPercussionLoops = 2;
constexpr int kSets = 3;
constexpr int kSetObjects = 8;
constexpr int kMeterSegments = 60;

const std::vector<std::string> kIntroLines = {"3020", "3030", "3033", "3032", "3035", "3036", "3034",
                                              "3031", "3040", "3050", "3060", "3070", "3080", "3081"};
const std::vector<std::string> kLaterLines = {"3160", "3090", "3100", "4160"};
const std::vector<std::string> kExitLines = {"3190", "3211", "3220", "6002"};
const std::vector<std::string> kHelpLines = {"3082", "3083", "3084", "3085", "3086", "3087", "3088", "3089",
                                             "3130", "3150", "3170", "3180", "3182", "3183", "3185", "3186"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

// The main character: 0, 1 and 2 the idles and 5 the intro end; 4 and 7 loop (7 the dance), 6
// leads into the dance, 8 holds the rest after it; 9 the goodbye.
SpriteSpec MainCharacter() {
  std::vector<AnimationSpec> animations = {Stop(3), Stop(3), Stop(3), Loop(2), Loop(2),
                                           Stop(4), Chain(7, 2), Loop(2), Hold(2), Hold(2)};
  return WithAnimations("NPCPilo", 120, 160, std::move(animations));
}

// A character: 3 the looping part (three frames or more: the loop event starts it at frame 2), the
// rest end; 4, the one-shot part, outlasts its 400 ms sound, so that its end finds the part over and
// an idle follows. The node puts every character's object at the screen's corner, so the sprite's origin
// places it: in a row under the main character, track i at x 20 + 100 i.
SpriteSpec CharacterSprite(const std::string& name, int track) {
  return WithAnimations(name, 70, 70, {Stop(2), Stop(2), Stop(2), Loop(3), Stop(5)}, 20 + 100 * track, 300);
}

std::vector<ObjectSpec> Objects() {
  std::vector<ObjectSpec> objects = {
      Object("ambient", "NPCPilo", "NPCPilo", 340, 120, 20),
      Object("gamebutton", "exit1", "TM_exit", 730, 530, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "help", "TM_help", 660, 530, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "NextSong", "TM_next", 600, 20, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "PrevSong", "TM_prev", 520, 20, 100, {{"rollovercursor", "1"}}),
      Object("clickable", "PlaySongTrigger", "TM_playSong", 680, 20, 100, {{"rollovercursor", "1"}}),
      Object("ambient", "songIcon", "TM_songIcon", 440, 20, 100),
      Object("gamebutton", "prec_next", "TM_precNext", 600, 90, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "prec_prev", "TM_precPrev", 520, 90, 100, {{"rollovercursor", "1"}}),
      Object("clickable", "prec_play", "TM_precPlay", 680, 90, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "sets_next", "TM_setsNext", 600, 160, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "sets_prev", "TM_setsPrev", 520, 160, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "sets_randomize", "TM_setsRandom", 680, 160, 100, {{"rollovercursor", "1"}}),
      Object("clickable", "rec_record", "TM_record", 20, 530, 100, {{"rollovercursor", "1"}}),
      Object("clickable", "rec_play", "TM_replay", 90, 530, 100, {{"rollovercursor", "1"}}),
      Object("gamebutton", "rec_stop", "TM_stop", 160, 530, 100, {{"rollovercursor", "1"}}),
      Object("ambient", "blank_head", "blank_head", 0, 0, 5),
      Object("ambient", "blank_head2", "blank_head2", 0, 0, 5),
  };
  for (size_t i = 0; i < std::size(kHeads); ++i)
    objects.push_back(Object("ambient", kHeads[i], kHeads[i], 0, 0, 5));
  // The loop toggles of each character, the two of a track at the same place.
  for (int track = 0; track < 7; ++track) {
    for (int part = 0; part < 2; ++part) {
      const std::string name = "loopToggle" + std::to_string(track) + "_" + std::to_string(part);
      objects.push_back(Object("clickable", name, "TM_loopToggle", 20 + 70 * track, 440, 100,
                               {{"rollovercursor", "1"}}));
    }
  }
  // The clams along the bottom; each button is the clam's hit area.
  for (int clam = 0; clam < 8; ++clam) {
    const std::string number = std::to_string(clam);
    objects.push_back(Object("ambient", "clam" + number, "TM_clam", 240 + 60 * clam, 480, 50));
    objects.push_back(Object("ambient", "clam" + number + "_button", "TM_clamButton", 240 + 60 * clam, 480, 51));
  }
  // The shells and their sparkles down the left side.
  for (int shell = 0; shell < kSetObjects; ++shell) {
    const std::string number = (shell < 10 ? "0" : "") + std::to_string(shell);
    objects.push_back(Object("clickable", "sets_objects" + number, "TM_shell", 20 + 60 * (shell % 4),
                             20 + 60 * (shell / 4), 60, {{"rollovercursor", "1"}}));
    objects.push_back(Object("ambient", "sparkles" + std::to_string(shell), "TM_sparkle",
                             20 + 60 * (shell % 4), 20 + 60 * (shell / 4), 61));
  }
  for (int segment = 0; segment < kMeterSegments; ++segment) {
    const std::string number = (segment < 10 ? "0" : "") + std::to_string(segment);
    objects.push_back(Object("ambient", "rec_fill_" + number, "TM_meter", 230 + 5 * segment, 540, 110));
    objects.push_back(Object("ambient", "rec_fill2_" + number, "TM_meter2", 230 + 5 * segment, 560, 110));
  }
  return objects;
}

// The song's three files and their keys.
void AddSong(DatabaseSpec& database, int song) {
  const std::string n = std::to_string(song);
  database.m_textFiles.push_back(
      {"G3_Song" + n, {"; song " + n, "Setup = G3_Setup" + n, "Script = G3_Script" + n,
                       "Precussion = G3_Perc" + n}});

  std::vector<std::string> setup = {"; sounds and heads of the characters, sounds of the clams"};
  for (const char* character : kCharacters) {
    const std::string lower = Lower(character);
    setup.push_back(std::string(character) + "_0 = TM_s" + n + "_" + lower + "_0");
    setup.push_back(std::string(character) + "_1 = TM_s" + n + "_" + lower + "_1");
    setup.push_back(std::string("Head_") + character + " = TM_head_" + lower);
  }
  for (int clam = 0; clam < 8; ++clam) {
    const std::string c = std::to_string(clam);
    setup.push_back("clam" + c + " = TM_s" + n + "_clam" + c + "_attack TM_s" + n + "_clam" + c +
                    "_sustain TM_s" + n + "_clam" + c + "_decay");
  }
  database.m_textFiles.push_back({"G3_Setup" + n, setup});

  // Oskel plays one note, rests, then loops; Orvel loops from the start; the others keep still.
  std::vector<std::string> script = {"; the tick and the note lists",
                                     "TickTime = TM_tick" + std::to_string(kTickMs[song])};
  script.push_back("Oskel = A0:2 B0:1 A1:3");
  script.push_back("Orvel = B0:2 A1:2");
  database.m_textFiles.push_back({"G3_Script" + n, script});

  std::vector<std::string> percussion = {"; the percussion loops"};
  for (int loop = 0; loop < kPercussionLoops; ++loop) {
    const std::string l = std::to_string(loop);
    percussion.push_back("perc" + l + " = TM_s" + n + "_perc" + l);
  }
  database.m_textFiles.push_back({"G3_Perc" + n, percussion});

  for (const char* character : kCharacters) {
    const std::string lower = Lower(character);
    database.m_sounds.push_back(Effect("TM_s" + n + "_" + lower + "_0", 400));
    database.m_sounds.push_back(Effect("TM_s" + n + "_" + lower + "_1", 600));
  }
  for (int clam = 0; clam < 8; ++clam) {
    const std::string c = std::to_string(clam);
    database.m_sounds.push_back(Effect("TM_s" + n + "_clam" + c + "_attack", 200));
    database.m_sounds.push_back(Effect("TM_s" + n + "_clam" + c + "_sustain", 300));
    database.m_sounds.push_back(Effect("TM_s" + n + "_clam" + c + "_decay", 200));
  }
  for (int loop = 0; loop < kPercussionLoops; ++loop)
    database.m_sounds.push_back(Effect("TM_s" + n + "_perc" + std::to_string(loop), 800));
}

}  // namespace

DatabaseSpec Game3Database() {
  DatabaseSpec database;
  database.m_name = "GAME3";

  database.m_sprites.push_back(MainCharacter());
  for (int track = 0; track < 7; ++track)
    database.m_sprites.push_back(CharacterSprite("TM_head_" + Lower(kCharacters[track]), track));
  for (const char* head : kHeads) database.m_sprites.push_back(Looping(head, 60, 60, 16, 1));
  database.m_sprites.push_back(Looping("blank_head", 8, 8, 16, 1));
  database.m_sprites.push_back(Looping("blank_head2", 8, 8, 16, 1));
  for (const char* name : {"TM_exit", "TM_help", "TM_next", "TM_prev", "TM_precNext", "TM_precPrev", "TM_setsNext",
                           "TM_setsPrev", "TM_setsRandom", "TM_stop"})
    database.m_sprites.push_back(Button(name, 56, 56));
  database.m_sprites.push_back(Looping("TM_playSong", 56, 56, kSongs, 2));
  database.m_sprites.push_back(Looping("TM_songIcon", 56, 56, kSongs, 1));
  database.m_sprites.push_back(Looping("TM_precPlay", 56, 56, kPercussionLoops, 2));
  database.m_sprites.push_back(Looping("TM_record", 56, 56, 3, 1));
  database.m_sprites.push_back(Looping("TM_replay", 56, 56, 3, 1));
  database.m_sprites.push_back(Looping("TM_loopToggle", 56, 30, 3, 1));
  // 0 rest, 1 pressed, 2 held, 3 let go and back to rest.
  database.m_sprites.push_back(WithAnimations("TM_clam", 50, 50, {Loop(1), Hold(2), Loop(1), Chain(0, 2)}));
  database.m_sprites.push_back(Invisible("TM_clamButton", 50, 50));
  // One animation per sound set.
  database.m_sprites.push_back(Looping("TM_shell", 50, 50, kSets, 1));
  database.m_sprites.push_back(WithAnimations("TM_sparkle", 50, 50, {Stop(3)}));
  database.m_sprites.push_back(Picture("TM_meter", 4, 10));
  database.m_sprites.push_back(Picture("TM_meter2", 4, 10));
  // The help screen's pages of this game.
  database.m_sprites.push_back(Looping("help_overlay", 600, 400, 13, 1, 100, 80));

  database.m_objectFiles.push_back({"GAME3_TribalMusic", Objects()});
  database.m_objectFiles.push_back({"GAME3_TribalMusic_SDL", Objects()});
  // Read while the level list is: it holds none of the list's keys.
  database.m_textFiles.push_back({"GAME3_roomdata", {"; the music game's room", "room = tribal"}});
  database.m_textFiles.push_back({"GAME3_LevelList",
                                  {"; the songs, the one played first, the dance's stop delay", "song = G3_Song0",
                                   "song = G3_Song1", "song = G3_Song2", "default = G3_Song1",
                                   "ttl_pilo = 700"}});
  for (int song = 0; song < kSongs; ++song) AddSong(database, song);

  std::vector<std::string> sets = {"; the shells' sounds, one set per shell animation"};
  for (int set = 0; set < kSets; ++set) {
    sets.push_back("new_set = " + std::to_string(set));
    for (int shell = 0; shell < kSetObjects; ++shell) {
      const std::string name = "TM_set" + std::to_string(set) + "_" + std::to_string(shell);
      sets.push_back(name + " = " + name);
      database.m_sounds.push_back(Effect(name, 300));
    }
  }
  database.m_textFiles.push_back({"GAME3_object_set_sounds", sets});

  for (const int ms : kTickMs) {
    const std::string name = "TM_tick" + std::to_string(ms);
    bool present = false;
    for (const SoundSpec& sound : database.m_sounds) present = present || sound.m_name == name;
    if (!present) database.m_sounds.push_back(Effect(name, ms));
  }
  database.m_sounds.push_back(Effect("Intro_ditty_v2_22k", 1500));
  database.m_sounds.push_back(Effect("TM_change_drumbeat", 150));
  database.m_sounds.push_back(Effect("TM_spiral_button_click", 150));

  for (const auto* lines : {&kIntroLines, &kLaterLines, &kExitLines, &kHelpLines}) {
    for (const SpokenLineSpec& line : Lines(*lines, "Tribal", "Pilo"))
      database.m_spokenLines.push_back(line);
  }
  return database;
}

}  // namespace fixture
