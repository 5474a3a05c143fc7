// The "HUB" database: the panorama, the cast, the signs and the scenery buttons' loading pictures.
// The cast's lines and the captions "Hub" are Global's, since the progress screen of every room
// speaks some of them.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// A cast body: 0 rest, 1, 12 and 13 idle variants that go back to rest, 2 and 5 the swim with the
// view moving right, 7 and 8 with it moving left, 6 and 9 the return to rest, 10 and 11 the turns,
// 14 the swim across (the hub waits for its end). 0, 3 and 4 are the speaking poses and have the
// same frame count, since a pose change keeps the frame index.
SpriteSpec CastBody(std::string name, int32_t x, int32_t y) {
  std::vector<AnimationSpec> animations = Repeat(15, Loop(4));
  for (const int idle : {1, 12, 13}) animations[static_cast<size_t>(idle)] = Chain(0, 4);
  animations[14] = Hold(4);
  return WithAnimations(std::move(name), 140, 110, std::move(animations), x, y);
}

// A mouth: the sixteen shapes (two head variants of eight).
SpriteSpec CastMouth(std::string name, int32_t x, int32_t y) {
  return Looping(std::move(name), 40, 20, 16, 1, x, y);
}

// The fish's places on the screen, right side and left side: the side swap's areas hold Zelka's.
struct CastPlace {
  const char* member;
  int32_t rightX, rightY, leftX, leftY;
};
constexpr CastPlace kCast[] = {
    {"Pilo", 520, 330, 210, 300},
    {"Tovin", 640, 240, 60, 220},
    {"Zelka", 400, 350, 120, 300},
};

// The click areas of the game buttons, as the hub lays them out over the panorama (its x from the
// first panel's left edge): each is an invisible sprite with a hot spot, so the panels show them as
// outlines. The hub takes the far edges too, so an area is one pixel wider and taller than its hot
// spot. The copies past the fourth panel lie on the first panel's picture, shown again after it.
struct ClickArea {
  int32_t x, y, width, height;
};
constexpr ClickArea kGameButtonAreas[] = {
    {0, 0, 526, 168},       // the turtle ride, and its copy at 3200
    {980, 21, 175, 182},    // the music game
    {2770, 19, 208, 179},   // the shape game
    {2156, 135, 307, 206},  // the sub game
    {366, 170, 283, 158},   // the swim game, past the first level, and its copy at 3566
    {1411, 133, 263, 187},  // the shell game
    {1764, 0, 270, 342},    // the memory game
};
constexpr int32_t kPanelWidth = 800;
constexpr int32_t kPanels = 4;

// The outlines on panel picture number panel (0 to 3).
std::vector<OutlineSpec> PanelOutlines(int panel) {
  std::vector<OutlineSpec> outlines;
  for (const ClickArea& area : kGameButtonAreas) {
    const int32_t left = area.x - panel * kPanelWidth;
    if (left + area.width + 1 <= 0 || left >= kPanelWidth) continue;
    outlines.push_back({left, area.y, area.width + 1, area.height + 1});
  }
  return outlines;
}

std::vector<ObjectSpec> HubObjects() {
  std::vector<ObjectSpec> objects = {
      Object("ambient", "tribal1", "Hub_tribalSign", 990, 210, 40),
      Object("ambient", "moonfish1", "Hub_moonfishSign", 2780, 200, 40),
      Object("ambient", "shellgame1", "Hub_shellSign", 1420, 330, 40),
      Object("ambient", "feeding1", "Hub_feedingSign", 2190, 330, 40),
      Object("ambient", "concentration1", "Hub_concentrationSign", 1780, 350, 40),
      Object("ambient", "dazodorer1", "Hub_dazodorerSign", 380, 330, 40),
      Object("ambient", "dazodorer2", "Hub_dazodorerSign", 3580, 330, 40),
      Object("gamebutton", "helpButton", "Hub_helpButton", 732, 541, 1100,
             {{"rollovercursor", "1"}, {"clicksound", "ButtonDown"}}),
      // The only way to the credits: the hub keeps the save slot.
      Object("changenodebutton", "HubCreditsLink", "Hub_creditsBut", 1250, 20, 60,
             {{"targetnode", "creditscreen"}}),
  };
  for (int i = 0; i < 20; ++i)
    objects.push_back(Object("ambient", "cp" + std::to_string(i), "Hub_clickPoint", 80 + 160 * i, 480, 30));
  return objects;
}

}  // namespace

DatabaseSpec HubDatabase() {
  DatabaseSpec database;
  database.m_name = "HUB";
  for (int i = 1; i <= kPanels; ++i) {
    for (const std::string& name : {"Hub_" + std::to_string(i), "sdl_Hub_bkg" + std::to_string(i)}) {
      SpriteSpec panel = Picture(name, kPanelWidth, 600);
      panel.m_outlines = PanelOutlines(i - 1);
      database.m_sprites.push_back(std::move(panel));
    }
    // Strips along the bottom, so that they hide no button.
    database.m_sprites.push_back(Picture("Fore_Hub" + std::to_string(i), 800, 40, 0, 560));
  }
  for (const CastPlace& place : kCast) {
    const std::string member = place.member;
    database.m_sprites.push_back(CastBody(member + "_Hub_R", place.rightX, place.rightY));
    database.m_sprites.push_back(CastBody(member + "_Hub_L", place.leftX, place.leftY));
    database.m_sprites.push_back(
        CastMouth("Hub_" + member + "_Talk_R", place.rightX + 90, place.rightY + 40));
    database.m_sprites.push_back(CastMouth("Hub_" + member + "_Talk_L", place.leftX + 10, place.leftY + 40));
  }
  // 0 the rise (its end frees the bubble), 1 the rest before the first rise.
  database.m_sprites.push_back(WithAnimations("BubbleRise", 16, 16, {Stop(8), Loop(1)}));
  database.m_sprites.push_back(
      WithAnimations("Hub_tribalSign", 100, 40, {Loop(2), Chain(0, 4), Chain(0, 4)}));
  database.m_sprites.push_back(WithAnimations("Hub_moonfishSign", 100, 40, {Loop(2), Chain(0, 4)}));
  database.m_sprites.push_back(WithAnimations("Hub_shellSign", 100, 40, {Loop(2), Chain(0, 4)}));
  database.m_sprites.push_back(Looping("Hub_feedingSign", 100, 40, 1));
  database.m_sprites.push_back(Looping("Hub_concentrationSign", 100, 40, 1));
  database.m_sprites.push_back(Looping("Hub_dazodorerSign", 100, 40, 1));
  database.m_sprites.push_back(Button("Hub_helpButton", 56, 56));
  database.m_sprites.push_back(Button("Hub_creditsBut", 60, 30));
  database.m_sprites.push_back(Invisible("Hub_clickPoint"));
  database.m_sprites.push_back(Button("ReplayMovie", 56, 48));
  database.m_sprites.push_back(Button("SSBut", 60, 40));
  for (const char* name : {"loading_turtl", "loading_tribal", "loading_moon", "loading_feed", "loading_super",
                           "loading_monty", "loading_conc"})
    database.m_sprites.push_back(Picture(name, 800, 600));

  database.m_objectFiles.push_back({"HubObjs", HubObjects()});
  database.m_objectFiles.push_back({"HubObjsLowMem", HubObjects()});
  // The hub reads no key of its own; the speakers take their poses from "SubRm1_TovinPos".
  database.m_textFiles.push_back({"Hub_roomdata", {"; the hub", "room = hub"}});
  std::vector<std::string> poses = {"; body places of the hub's speakers, from their base position"};
  for (const char* key :
       {"idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking", "swimOutN",  "swimOutNE",
        "swimOutE",    "swimOutSE", "swimOutS",  "swimOutSW",     "swimOutW",    "swimOutNW", "swimInN",
        "swimInNE",    "swimInE",   "swimInSE",  "swimInS",       "swimInSW",    "swimInW",   "swimInNW"})
    poses.push_back(std::string(key) + " = 0, 0");
  database.m_textFiles.push_back({"SubRm1_TovinPos", poses});
  database.m_sounds.push_back(Music("underwater_amb_01"));
  return database;
}

}  // namespace fixture
