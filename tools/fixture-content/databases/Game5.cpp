// The "GAME5" database: the submarine ball game's room, fish, ball, shark and doors, jellyfish,
// displays, the introducing speaker, its effects, lines and movies. The game's objects stand at fixed
// places (most at 0, 0), so each sprite's block carries the place where that object shows.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// The shark's doors, as the game tests the ball against them.
struct DoorPlace {
  const char* sprite;
  int32_t x, y, width, height;
};
constexpr DoorPlace kDoors[] = {
    {"FF_left_door", 118, 110, 110, 78},
    {"FF_midl_door", 364, 26, 94, 92},
    {"FF_rght_door", 600, 110, 98, 70},
};

// The shark: eight animations per door (appearing and idle by goals, hit, leaving), each standing in
// its door, a little inside it.
SpriteSpec Shark() {
  std::vector<AnimationSpec> animations;
  for (const DoorPlace& door : kDoors) {
    for (int i = 0; i < 8; ++i) {
      AnimationSpec animation = Loop(2);
      animation.m_offsetX = door.x + 4;
      animation.m_offsetY = door.y + 4;
      animations.push_back(animation);
    }
  }
  return WithAnimations("FeedingFrenzy_Garmo", 86, 62, std::move(animations));
}

// A door: 0 closing and 1 opening end (closed doors rest on the closing's frame 2), 2 open.
SpriteSpec Door(const DoorPlace& door) {
  return WithAnimations(door.sprite, door.width, door.height, {Stop(3), Stop(3), Loop(1)}, door.x, door.y);
}

// A jellyfish: drifting, turned and hit; the block covers the circle from its top-left, which the game
// puts 29 and 24 pixels into the sprite.
SpriteSpec Jellyfish(std::string name, int32_t diameter) {
  return WithAnimations(std::move(name), diameter, diameter, Repeat(10, Loop(2)), 29, 24);
}

std::vector<ObjectSpec> SubObjects() {
  return {
      Object("LevelBanner", "banner", "GM5Banner", 250, 200, 7500,
             {{"numberAnim", "LevelNumbers"}, {"numberDistance", "20"}, {"numberCenterX", "400"},
              {"numberCenterY", "300"}}),
      Object("ambient", "zelka", "GM5Zelka", 300, 250, 7200),
      Object("ambient", "zelkahead", "GM5ZelkaHead", 390, 290, 7201),
  };
}

}  // namespace

DatabaseSpec Game5Database() {
  DatabaseSpec database;
  database.m_name = "GAME5";
  database.m_sprites = {
      Picture("FF_Background", 800, 600),
      Picture("ActNavBackground", 800, 67),
      Picture("ActNavBackground_sdl", 800, 67),
      // The frames stand over the side walls only.
      Picture("FF_Front_left", 36, 600),
      Picture("FF_Front_right", 36, 600, 25, 0),
      // 0 loading, 1 resting; its mouth is at (712, 550).
      Looping("feeding_Frenzy_Pipe", 60, 50, 2, 2, 700, 452),
      // Every pose loops: the fish's loops drive it.
      WithAnimations("FeedingFrenzy_Pilo", 120, 100, Repeat(26, Loop(4)), 339, 420),
      // 0 to 4 flying by zone, 5 to 9 the bounce, which goes back to the flight of its zone.
      WithAnimations("KelpBall", 32, 32,
                     {Loop(12), Loop(12), Loop(12), Loop(12), Loop(12), Chain(0, 3), Chain(1, 3), Chain(2, 3),
                      Chain(3, 3), Chain(4, 3)}),
      Shark(),
      Door(kDoors[0]),
      Door(kDoors[1]),
      Door(kDoors[2]),
      Picture("GarmoKelp", 60, 40),
      Picture("GarmoKelp_sdl", 60, 40),
      Looping("smNumbers", 20, 24, 10, 1),
      // 0 still there, 1 used up, 2 counted as a bonus.
      Looping("Chances", 40, 40, 3, 1),
      Looping("LevelNumbers", 20, 24, 10, 1),
      Button("LevelArrowBack", 40, 30),
      Button("LevelArrowForward", 40, 30),
      // 0 the rise (its end frees the bubble), 1 the rest.
      WithAnimations("BubbleRise", 16, 16, {Stop(8), Loop(1)}),
      WithAnimations("DeflectBubble", 24, 24, {Stop(4), Loop(1)}),
      Jellyfish("FF_JellyFish_Back", 48),
      Jellyfish("FF_JellyFish_Front", 72),
  };
  // The banner: 0 idle, off the screen so that it hides nothing of the room between levels, 1 flying
  // in, 2 holding, 3 flying out.
  std::vector<AnimationSpec> banner = {Loop(1), Stop(3), Loop(1), Stop(3)};
  banner[0].m_offsetX = -2000;
  database.m_sprites.push_back(WithAnimations("GM5Banner", 300, 120, std::move(banner)));
  // The introducing speaker: its entrance (2) ends, which ends the introduction; its speaking poses
  // (0, 3, 4) have the same frame count.
  std::vector<AnimationSpec> body = Repeat(15, Loop(4));
  body[2] = Stop(4);
  database.m_sprites.push_back(WithAnimations("GM5Zelka", 140, 110, std::move(body)));
  database.m_sprites.push_back(Looping("GM5ZelkaHead", 40, 20, 16, 1));

  database.m_objectFiles.push_back({"GAME5_Sub", SubObjects()});
  // The game reads no key of its own.
  database.m_textFiles.push_back({"GAME5_roomdata", {"; the submarine ball game"}});
  database.m_textFiles.push_back({"Sub1Data", {"; no keys"}});
  std::vector<std::string> poses = {"; body places of the speaker, from its base position"};
  for (const char* key :
       {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking", "swimOutN",  "swimOutNE",
        "swimOutE",    "swimOutSE", "swimOutS",  "swimOutSW",     "swimOutW",    "swimOutNW", "swimInN",
        "swimInNE",    "swimInE",   "swimInSE",  "swimInS",       "swimInSW",    "swimInW",   "swimInNW"})
    poses.push_back(std::string(key) + " = 0, 0");
  database.m_textFiles.push_back({"SubRm1_TovinPos", poses});

  database.m_sounds = {Music("Submarine_music_loop22k")};
  for (const char* name : {"ball_load", "ball_miss", "ball_01", "ball_hit_jelly_01", "ball_hit_wall01",
                           "ball_hit_wall02", "Garmo_growl01", "Garmo_growl02", "Garmo_growl03",
                           "Garmo_growl04", "sub_creak", "sub_creak_01", "sub_creak_02", "sub_creak_03"})
    database.m_sounds.push_back(Effect(name));
  database.m_sounds.push_back(Effect("bell", 300));

  std::vector<std::string> lines = {"2470", "2480", "2490", "2510", "2530", "2540", "2541", "2542", "6000",
                                    "6001"};
  for (int n = 2549; n <= 2558; ++n) lines.push_back(std::to_string(n));
  for (int n = 2601; n <= 2616; ++n) {
    if (n != 2612) lines.push_back(std::to_string(n));
  }
  database.m_spokenLines = Lines(lines, "GarmoSub", "Zelka", true);

  // Small and short: the whole set is generated for every test run.
  for (const char* name : {"Sub_Movie_Happy", "Sub_Movie_Angry"}) {
    MovieSpec movie = Movie(name);
    movie.m_width = 320;
    movie.m_height = 240;
    movie.m_milliseconds = 1000;
    database.m_movies.push_back(movie);
  }
  return database;
}

}  // namespace fixture
