// The "GAME6" database: the swim through the hoops, with the fish and its father, the intro pair, the
// seabed panels, hoops, items, the navigation bar's pictures, sounds, lines, musics and prize movies.
#include <string>
#include <utility>
#include <vector>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// The fish: 0 to 14 face the swimming direction, 15 to 29 face back; the turns 14 and 29 end so that
// the queued animation follows; the idle flourishes 1 to 3 go back to swimming straight.
SpriteSpec Fish() {
  std::vector<AnimationSpec> animations = Repeat(30, Loop(2));
  for (const int turn : {14, 29}) animations[static_cast<size_t>(turn)] = Stop(3);
  for (const int idle : {1, 2, 3}) animations[static_cast<size_t>(idle)] = Chain(0, 3);
  return WithAnimations("SS_Pilo", 80, 50, std::move(animations));
}

// The father fish: 0 and 4 loop; his remarks 1 to 3 and the cheers 5 and 6 come back to 0.
SpriteSpec Tovin() {
  std::vector<AnimationSpec> animations = Repeat(7, Chain(0, 3));
  animations[0] = Loop(2);
  animations[4] = Loop(2);
  return WithAnimations("SS_Tovin", 120, 80, std::move(animations));
}

// An intro body: 0 and 1 idle, 2 the swim away, whose end the greetings wait for.
SpriteSpec IntroBody(std::string name) {
  return WithAnimations(std::move(name), 140, 110, {Loop(2), Loop(2), Stop(4)});
}

SpriteSpec Mouth(std::string name) {
  return Looping(std::move(name), 40, 20, 16, 1);
}

// An item whose collision box is taken at animation box: every animation has the item's size.
SpriteSpec Item(std::string name, int32_t width, int32_t height, std::vector<AnimationSpec> animations) {
  return WithAnimations(std::move(name), width, height, std::move(animations));
}

std::vector<ObjectSpec> Objects() {
  return {
      Object("Game6Pilo", "G6_Pilo", "SS_Pilo", -1000, 200, 2),
      Object("ambient", "G6_Tovin", "SS_Tovin", -1000, 100, 5),
      Object("ambient", "G6_Tovin_Mouth", "SS_Tovin_Mouth", -1000, 100, 6),
      Object("ambient", "G6_Intro_Tovin", "SS_Intro_Tovin", 500, 250, 20),
      Object("ambient", "G6_Intro_Tovin_Mouth", "SS_Intro_Tovin_Mouth", 560, 290, 21),
      Object("ambient", "G6_Intro_Pilo", "SS_Intro_Pilo", 200, 280, 20),
      Object("ambient", "G6_Intro_Pilo_Mouth", "SS_Intro_Pilo_Mouth", 260, 320, 21),
      Object("ambient", "blank_head", "blank_head", 0, 0, 1),
      Object("LevelBanner", "banner", "G6Banner", 250, 200, 7500,
             {{"numberAnim", "LevelNumbers"}, {"numberDistance", "20"}, {"numberCenterX", "400"},
              {"numberCenterY", "300"}}),
      Object("gamebutton", "helpButton", "G6_helpButton", 733, 541, 42,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
  };
}

}  // namespace

DatabaseSpec Game6Database() {
  DatabaseSpec database;
  database.m_name = "GAME6";

  database.m_sprites.push_back(Fish());
  database.m_sprites.push_back(Tovin());
  for (const char* name : {"SS_Intro_Tovin", "SS_Intro_Pilo"}) database.m_sprites.push_back(IntroBody(name));
  for (const char* name : {"SS_Tovin_Mouth", "SS_Intro_Tovin_Mouth", "SS_Intro_Pilo_Mouth"})
    database.m_sprites.push_back(Mouth(name));
  database.m_sprites.push_back(Invisible("blank_head"));
  // The banner: 0 idle, off the screen so that it hides nothing of the swim between levels, 1 flying
  // in, 2 holding, 3 flying out.
  std::vector<AnimationSpec> banner = {Hold(1), Stop(2), Hold(1), Stop(2)};
  banner[0].m_offsetX = -2000;
  database.m_sprites.push_back(WithAnimations("G6Banner", 300, 120, std::move(banner)));
  database.m_sprites.push_back(Button("G6_helpButton", 56, 56));
  for (const char* name : {"Super_Bkgrnd1", "Super_Bkgrnd2", "Super_Bkgrnd3", "Super_Bkgrnd4"})
    database.m_sprites.push_back(Picture(name, 800, 600));
  // The shield bubble: 0 on, 1 popping on to 2, none.
  for (const char* name : {"Supe_Bubble", "Supe_Bubble_sdl"})
    database.m_sprites.push_back(WithAnimations(name, 100, 70, {Loop(2), Chain(2, 3), Loop(1)}));
  database.m_sprites.push_back(Picture("DialogBox3", 400, 240, 200, 160));

  // The navigation bar.
  for (const char* name : {"ActNavBackground", "ActNavBackground_sdl"})
    database.m_sprites.push_back(Picture(name, 800, 70));
  database.m_sprites.push_back(Looping("SwimNavTimer", 60, 40, 11, 1));
  for (const char* name : {"SwimNavScallop", "SwimNavScallop_sdl"})
    database.m_sprites.push_back(Picture(name, 40, 40));
  database.m_sprites.push_back(Looping("LevelNumbers", 20, 24, 10, 1));
  for (const char* name : {"LevelArrowBack", "LevelArrowForward"}) database.m_sprites.push_back(Button(name, 40, 30));

  // The hoops' parts.
  for (const char* name : {"Super_LrgArch_Top", "Super_LrgArch_Bot"})
    database.m_sprites.push_back(Picture(name, 140, 24));
  for (const char* name : {"Super_LrgArch_LSD", "Super_LrgArch_Rsd"})
    database.m_sprites.push_back(Picture(name, 24, 200));
  for (const char* name : {"Super_SmlArch_Top", "Super_SmlArch_Bot"})
    database.m_sprites.push_back(Picture(name, 100, 20));
  for (const char* name : {"Super_SmlArch_Lsd", "Super_SmlArch_Rsd"})
    database.m_sprites.push_back(Picture(name, 20, 140));

  // The items: 0 idle, then the taken and box animations the node sets.
  database.m_sprites.push_back(Item("SS_Scallop", 40, 36, {Loop(2), Loop(1), Loop(1), Hold(2)}));
  for (const char* look : {"ConchShell", "SandDollar", "Anchor", "Bottle", "Shell_Pearl"}) {
    for (const char* colour : {"Orange", "Blue"}) {
      const std::string name = std::string("SS_") + look + "_" + colour;
      database.m_sprites.push_back(Item(name, 32, 32, {Loop(2), Hold(2), Loop(1)}));
      if (std::string(look) == "SandDollar")
        database.m_sprites.push_back(Item(name + "_sdl", 32, 32, {Loop(2), Hold(2), Loop(1)}));
    }
  }
  for (const char* name : {"SS_Sheild_Grn", "SS_Super_Fin_Yellow"})
    database.m_sprites.push_back(Item(name, 36, 36, {Loop(2), Loop(1)}));
  for (const char* name : {"SS_Watch_Glo", "SS_Watch_Glo_sdl"})
    database.m_sprites.push_back(Item(name, 32, 32, {Loop(2)}));
  struct Obstacle {
    const char* name;
    int32_t width, height;
  };
  for (const Obstacle& o : {Obstacle{"SS_stalagtite_sm", 40, 70}, Obstacle{"SS_coral_wall_sm_grd", 60, 70},
                            Obstacle{"SS_stalagtite_med", 50, 120}, Obstacle{"SS_coral_wall_med_grd", 70, 120},
                            Obstacle{"SS_stalagtite_lg", 60, 170}, Obstacle{"SS_coral_wall_lg_grd", 80, 170}})
    database.m_sprites.push_back(Item(o.name, o.width, o.height, {Loop(2), Loop(1)}));
  // Bubble walls: 0 standing, 1 the box, 2 hanging; the shift of each is half its extra height.
  for (const Obstacle& o : {Obstacle{"SS_bubble_wall_low", 50, 150}, Obstacle{"SS_bubble_wall_med", 50, 264},
                            Obstacle{"SS_bubble_wall_high", 50, 396}})
    database.m_sprites.push_back(Item(o.name, o.width, o.height, {Loop(2), Loop(1), Loop(2)}));
  for (const char* name : {"SS_Kelp_Back", "SS_Kelp_Front"})
    database.m_sprites.push_back(Item(name, 50, 180, {Loop(2), Loop(2), Loop(1)}));
  // Spouts: 0 idle, 2 spraying back to 0, 4 the box.
  for (const char* name : {"SS_Water_Spray_Large_Grd", "SS_Water_Spray_Sm_Grd", "SS_Water_Spray_Large_Ceil",
                           "SS_Water_Spray_Sm_Ceil"})
    database.m_sprites.push_back(Item(name, 60, 160, {Loop(2), Loop(2), Chain(0, 4), Loop(2), Loop(1)}));

  database.m_objectFiles.push_back({"Game6Objs", Objects()});
  database.m_textFiles.push_back({"GAME6_roomdata", {"; the swim through the hoops", "room = game6"}});
  std::vector<std::string> poses = {"; body places of the swim game's speakers, from their base position"};
  for (const char* key : {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking"})
    poses.push_back(std::string(key) + " = 0, 0");
  database.m_textFiles.push_back({"Game6_TovinPos", poses});

  for (const char* name : {"ss_stopwatch", "Bubble_Wall", "GAME6SFX_Bell", "SS_Bump_Into", "SS_Kelp",
                           "SS_Protect_Bubble", "swim_pop", "pick_up_02", "ss_clamsing_01", "ss_clamsing_02",
                           "ss_clamsing_03", "ss_clamsing_04", "ss_clamsing_05"})
    database.m_sounds.push_back(Effect(name));
  database.m_sounds.push_back(Effect("2sec_silence", 2000));
  for (const char* name : {"Dazodorer_music_loop", "Dazodorer_urgent_noloop", "Turnfish_lose_music"})
    database.m_sounds.push_back(Music(name));

  database.m_spokenLines = Lines({"3820", "3824", "3830", "3832", "3834", "3836", "3940", "3960", "3910", "3930"},
                                 "DazodOrer", "Tovin", true);
  for (SpokenLineSpec& line : Lines({"3822", "3826", "3831", "3833", "3835", "3837", "3950", "3970", "3920"},
                                    "DazodOrer", "Pilo", true))
    database.m_spokenLines.push_back(line);
  for (SpokenLineSpec& line :
       Lines({"4250", "4260", "4270", "4280", "4290", "4300", "4310", "4200", "3990", "3980", "3842", "3881",
              "3838", "3840", "3839", "3841", "4230", "4390", "3880", "7000", "4042"},
             "DazodOrer", "Tovin", true))
    database.m_spokenLines.push_back(line);
  for (SpokenLineSpec& line : Lines({"4043", "3931", "3932", "3933", "3934", "3935"}, "DazodOrer", "Pilo"))
    database.m_spokenLines.push_back(line);
  for (const char* name : {"Prize_wood", "Prize_glass", "Prize_bronze", "Prize_silver", "Final"})
    database.m_movies.push_back(Movie(name));
  return database;
}

}  // namespace fixture
