// The swim game's levels: the tables of speeds, hoops and items, the level start and clean-up, the
// items' set-up and the collision test with each hoop and item.
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "core/Trace.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/MainApp.h"
#include "framework/NPC.h"
#include "game6/Game6Hoop.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Items.h"
#include "game6/Game6Node.h"
#include "game6/Game6Pilo.h"
#include "platform/win/kernel/Random.h"

namespace {

using Fish = Game6Node::Game6Pilo;
using Item = Game6Node::Game6Item;
using HoopRecord = Game6Node::HoopRecord;
using ItemRecord = Game6Node::ItemRecord;

constexpr int32_t kLevels = Game6Node::kLevelCount;

constexpr std::array<float, kLevels> kSpeedAlpha = {290, 305, 320, 335, 350};
constexpr std::array<float, kLevels> kSpeedNoAlpha = {150, 160, 170, 180, 190};
constexpr std::array<int32_t, kLevels> kHoopCounts = {4, 5, 5, 6, 6};
constexpr std::array<int32_t, kLevels> kItemCounts = {59, 68, 88, 105, 127};

constexpr std::array<std::array<HoopRecord, Game6Node::kMaxHoops>, kLevels> kHoops = {{
    {{{2, 100, 180, 0}, {5, 500, 180, 0}, {8, 600, 280, 1}, {11, 400, 180, 0}}},
    {{{2, 100, 180, 0}, {5, 500, 180, 0}, {8, 600, 280, 1}, {11, 400, 180, 0}, {12, 260, 280, 1}}},
    {{{2, 100, 180, 0}, {5, 500, 180, 0}, {8, 600, 280, 1}, {11, 400, 180, 0}, {12, 260, 280, 1}}},
    {{{2, 100, 180, 0}, {5, 500, 300, 1}, {8, 600, 280, 1}, {9, 750, 280, 1}, {11, 400, 180, 0}, {12, 260, 280, 1}}},
    {{{2, 100, 280, 1}, {5, 500, 300, 1}, {8, 600, 280, 1}, {9, 750, 280, 1}, {11, 400, 180, 0}, {12, 260, 280, 1}}},
}};

// Level design: (panel, x, y, kind). Scallops lie in panels 2 to 12 only: panels 1 and 13 show the
// same stretch, the panel-13 records repeat panel 1's, and a scallop there would count twice towards
// a total that taking one of the pair could never reach. What the fish must take lies within its
// reach (y 28 to 435); ground and ceiling pieces stand at the seabed's edges.
constexpr std::array<std::array<ItemRecord, Game6Node::kMaxItems>, kLevels> kItems = {{
    // Level 1: 59 items
    {{
        {2, 150, 400, 0}, {5, 550, 400, 0}, {8, 610, 400, 0}, {11, 450, 400, 0}, {1, 150, 150, 1}, {1, 550, 500, 9},
        {2, 250, 150, 1}, {2, 580, 500, 7}, {2, 750, 69, 6}, {3, 400, 250, 0}, {6, 300, 120, 0}, {9, 200, 330, 0},
        {12, 500, 200, 0}, {2, 105, 160, 1}, {2, 300, 60, 8}, {2, 500, 500, 11}, {2, 690, 100, 12}, {3, 110, 500, 7},
        {3, 490, 60, 1}, {3, 560, 60, 1}, {3, 685, 110, 2}, {4, 35, 500, 7}, {4, 295, 500, 11}, {4, 360, 60, 2},
        {4, 565, 410, 1}, {5, 30, 210, 1}, {5, 435, 80, 8}, {5, 695, 100, 13}, {5, 745, 100, 13}, {6, 40, 60, 1},
        {6, 240, 210, 1}, {6, 355, 310, 4}, {6, 435, 500, 11}, {7, 35, 100, 13}, {7, 165, 160, 4}, {7, 360, 310, 1},
        {7, 620, 260, 1}, {8, 105, 210, 3}, {8, 170, 69, 10}, {8, 695, 480, 7}, {8, 755, 500, 9}, {9, 45, 60, 5},
        {9, 160, 100, 14}, {9, 430, 500, 9}, {9, 690, 410, 1}, {10, 170, 480, 7}, {10, 485, 450, 12}, {10, 555, 160, 2},
        {10, 685, 360, 3}, {11, 100, 210, 3}, {11, 235, 500, 9}, {11, 360, 480, 11}, {11, 690, 480, 7}, {12, 225, 160, 2},
        {12, 300, 360, 5}, {12, 420, 260, 2}, {12, 615, 260, 2}, {13, 150, 150, 1}, {13, 550, 500, 9},
    }},
    // Level 2: 68 items
    {{
        {2, 150, 400, 0}, {5, 550, 400, 0}, {8, 610, 400, 0}, {11, 450, 400, 0}, {1, 150, 150, 1}, {1, 550, 500, 9},
        {3, 400, 250, 0}, {6, 300, 120, 0}, {9, 200, 330, 0}, {12, 500, 200, 0}, {2, 40, 360, 5}, {2, 230, 110, 1},
        {2, 435, 110, 1}, {2, 495, 360, 2}, {2, 550, 500, 11}, {2, 685, 160, 3}, {3, 35, 160, 1}, {3, 95, 410, 3},
        {3, 170, 260, 2}, {3, 240, 480, 7}, {3, 300, 80, 10}, {4, 110, 260, 2}, {4, 355, 480, 11}, {4, 430, 310, 1},
        {4, 680, 420, 15}, {4, 755, 410, 1}, {5, 95, 380, 15}, {5, 175, 60, 6}, {5, 225, 400, 15}, {5, 290, 60, 4},
        {5, 355, 480, 11}, {6, 160, 160, 1}, {6, 225, 500, 11}, {6, 355, 100, 12}, {6, 495, 69, 8}, {6, 750, 450, 12},
        {7, 235, 480, 11}, {7, 360, 100, 13}, {7, 490, 100, 13}, {7, 550, 160, 1}, {7, 630, 360, 4}, {8, 40, 360, 1},
        {8, 105, 450, 14}, {8, 430, 110, 1}, {8, 490, 500, 9}, {8, 680, 410, 2}, {9, 35, 310, 3}, {9, 100, 160, 1},
        {9, 500, 100, 14}, {9, 550, 400, 15}, {9, 755, 480, 11}, {10, 45, 380, 15}, {10, 105, 500, 9}, {10, 240, 80, 10},
        {10, 300, 69, 10}, {10, 615, 420, 15}, {11, 95, 450, 12}, {11, 230, 80, 6}, {11, 495, 310, 5}, {11, 620, 310, 2},
        {11, 685, 480, 11}, {12, 170, 100, 12}, {12, 225, 260, 2}, {12, 295, 80, 10}, {12, 360, 260, 2}, {12, 745, 480, 11},
        {13, 150, 150, 1}, {13, 550, 500, 9},
    }},
    // Level 3: 88 items
    {{
        {2, 150, 400, 0}, {5, 550, 400, 0}, {8, 610, 400, 0}, {11, 450, 400, 0}, {1, 150, 150, 1}, {1, 550, 500, 9},
        {1, 350, 300, 2}, {3, 400, 250, 0}, {6, 300, 120, 0}, {9, 200, 330, 0}, {12, 500, 200, 0}, {2, 45, 480, 11},
        {2, 95, 210, 1}, {2, 225, 60, 10}, {2, 435, 60, 1}, {2, 565, 480, 9}, {2, 615, 310, 4}, {2, 760, 310, 3},
        {3, 105, 420, 15}, {3, 170, 60, 6}, {3, 295, 480, 11}, {3, 365, 210, 1}, {3, 615, 380, 15}, {3, 695, 470, 16},
        {3, 745, 500, 11}, {4, 105, 470, 17}, {4, 160, 90, 19}, {4, 290, 500, 7}, {4, 430, 260, 4}, {4, 565, 500, 11},
        {4, 620, 360, 1}, {4, 680, 69, 10}, {5, 170, 450, 13}, {5, 225, 160, 1}, {5, 425, 80, 8}, {5, 495, 110, 5},
        {5, 615, 420, 15}, {5, 690, 360, 3}, {5, 755, 410, 2}, {6, 100, 450, 12}, {6, 160, 100, 12}, {6, 230, 90, 18},
        {6, 370, 60, 6}, {6, 430, 100, 12}, {6, 500, 470, 17}, {6, 550, 360, 3}, {7, 45, 380, 15}, {7, 105, 100, 12},
        {7, 295, 100, 12}, {7, 420, 480, 7}, {7, 630, 60, 8}, {7, 680, 480, 9}, {7, 750, 500, 11}, {8, 35, 360, 1},
        {8, 240, 450, 14}, {8, 295, 470, 17}, {8, 430, 480, 11}, {8, 495, 60, 2}, {8, 680, 60, 2}, {8, 750, 410, 1},
        {9, 95, 110, 5}, {9, 290, 80, 6}, {9, 370, 69, 10}, {9, 425, 110, 1}, {9, 550, 500, 9}, {9, 630, 100, 14},
        {9, 755, 420, 15}, {10, 35, 60, 1}, {10, 165, 400, 15}, {10, 305, 80, 8}, {10, 360, 450, 13}, {10, 495, 60, 10},
        {10, 560, 260, 1}, {11, 165, 260, 1}, {11, 240, 210, 4}, {11, 495, 90, 19}, {11, 550, 80, 10}, {11, 620, 470, 17},
        {11, 685, 210, 2}, {12, 30, 160, 2}, {12, 95, 380, 15}, {12, 365, 100, 14}, {12, 555, 420, 15}, {12, 615, 210, 1},
        {12, 685, 260, 2}, {13, 150, 150, 1}, {13, 550, 500, 9}, {13, 350, 300, 2},
    }},
    // Level 4: 105 items
    {{
        {2, 150, 400, 0}, {5, 550, 400, 0}, {8, 610, 400, 0}, {11, 450, 400, 0}, {1, 150, 150, 1}, {1, 550, 500, 9},
        {1, 350, 300, 2}, {3, 400, 250, 0}, {6, 300, 120, 0}, {9, 200, 330, 0}, {2, 40, 90, 19}, {2, 110, 90, 18},
        {2, 240, 60, 1}, {2, 295, 420, 15}, {2, 365, 470, 17}, {2, 435, 450, 14}, {2, 560, 500, 9}, {2, 620, 500, 7},
        {2, 690, 500, 7}, {3, 40, 60, 8}, {3, 110, 450, 14}, {3, 170, 60, 10}, {3, 225, 360, 1}, {3, 290, 110, 2},
        {3, 500, 380, 15}, {3, 615, 60, 5}, {3, 680, 500, 11}, {3, 745, 410, 1}, {4, 30, 380, 15}, {4, 230, 380, 15},
        {4, 370, 80, 8}, {4, 430, 310, 1}, {4, 495, 450, 13}, {4, 565, 470, 16}, {4, 615, 110, 1}, {4, 690, 480, 9},
        {4, 760, 100, 13}, {5, 35, 210, 1}, {5, 105, 500, 11}, {5, 175, 60, 6}, {5, 295, 410, 4}, {5, 365, 310, 4},
        {5, 430, 60, 1}, {5, 500, 380, 15}, {5, 625, 160, 4}, {5, 695, 450, 14}, {6, 35, 60, 2}, {6, 110, 360, 3},
        {6, 175, 360, 3}, {6, 230, 90, 18}, {6, 365, 60, 10}, {6, 430, 310, 1}, {6, 495, 380, 15}, {6, 565, 260, 5},
        {7, 160, 420, 15}, {7, 230, 100, 13}, {7, 365, 450, 12}, {7, 500, 500, 9}, {7, 555, 450, 14}, {7, 615, 360, 1},
        {7, 695, 450, 14}, {7, 745, 160, 1}, {8, 45, 260, 1}, {8, 110, 90, 19}, {8, 170, 80, 6}, {8, 230, 60, 1},
        {8, 295, 260, 2}, {8, 420, 60, 6}, {8, 485, 400, 15}, {8, 760, 500, 7}, {9, 40, 260, 3}, {9, 110, 80, 10},
        {9, 165, 360, 3}, {9, 305, 60, 8}, {9, 360, 480, 11}, {9, 425, 60, 8}, {9, 485, 69, 10}, {9, 625, 450, 14},
        {10, 40, 400, 15}, {10, 175, 80, 10}, {10, 235, 480, 7}, {10, 295, 420, 15}, {10, 365, 500, 7}, {10, 490, 90, 19},
        {10, 620, 310, 2}, {10, 680, 260, 2}, {11, 35, 500, 9}, {11, 170, 360, 2}, {11, 240, 480, 11}, {11, 305, 69, 6},
        {11, 365, 450, 14}, {11, 500, 450, 12}, {11, 555, 90, 19}, {11, 625, 90, 19}, {12, 40, 160, 5}, {12, 110, 100, 13},
        {12, 165, 500, 9}, {12, 435, 310, 2}, {12, 500, 260, 1}, {12, 620, 500, 7}, {12, 690, 470, 16}, {12, 755, 160, 1},
        {13, 150, 150, 1}, {13, 550, 500, 9}, {13, 350, 300, 2},
    }},
    // Level 5: 127 items
    {{
        {2, 150, 400, 0}, {5, 550, 400, 0}, {8, 610, 400, 0}, {11, 450, 400, 0}, {1, 150, 150, 1}, {1, 550, 500, 9},
        {1, 350, 300, 2}, {3, 400, 250, 0}, {6, 300, 120, 0}, {9, 200, 330, 0}, {12, 500, 200, 0}, {2, 35, 500, 9},
        {2, 110, 360, 1}, {2, 225, 160, 1}, {2, 305, 100, 13}, {2, 360, 80, 8}, {2, 420, 160, 2}, {2, 485, 360, 1},
        {2, 555, 100, 14}, {2, 630, 500, 11}, {2, 685, 450, 13}, {2, 750, 470, 17}, {3, 30, 480, 7}, {3, 110, 360, 4},
        {3, 175, 480, 11}, {3, 230, 100, 12}, {3, 305, 100, 13}, {3, 360, 100, 14}, {3, 485, 500, 9}, {3, 555, 450, 13},
        {3, 620, 90, 19}, {3, 695, 60, 6}, {3, 755, 420, 15}, {4, 45, 410, 3}, {4, 110, 500, 7}, {4, 170, 260, 2},
        {4, 235, 470, 17}, {4, 290, 420, 15}, {4, 360, 60, 6}, {4, 435, 69, 8}, {4, 485, 450, 13}, {4, 565, 470, 16},
        {4, 615, 470, 16}, {4, 690, 500, 9}, {5, 30, 110, 1}, {5, 105, 160, 3}, {5, 235, 470, 17}, {5, 305, 60, 1},
        {5, 360, 450, 12}, {5, 420, 470, 16}, {5, 500, 160, 1}, {5, 620, 60, 2}, {5, 690, 410, 1}, {5, 755, 60, 6},
        {6, 45, 60, 8}, {6, 95, 160, 1}, {6, 170, 500, 9}, {6, 230, 210, 2}, {6, 355, 60, 6}, {6, 485, 69, 10},
        {6, 555, 380, 15}, {6, 625, 90, 18}, {6, 685, 420, 15}, {6, 755, 100, 12}, {7, 45, 500, 7}, {7, 95, 500, 7},
        {7, 175, 480, 11}, {7, 230, 480, 7}, {7, 295, 110, 1}, {7, 430, 60, 1}, {7, 500, 410, 4}, {7, 560, 260, 2},
        {7, 620, 500, 7}, {7, 690, 500, 7}, {8, 45, 110, 1}, {8, 95, 500, 11}, {8, 170, 210, 1}, {8, 225, 160, 5},
        {8, 305, 400, 15}, {8, 370, 480, 9}, {8, 425, 410, 4}, {8, 490, 60, 10}, {8, 695, 470, 17}, {8, 750, 110, 2},
        {9, 40, 500, 11}, {9, 105, 310, 1}, {9, 175, 160, 5}, {9, 300, 310, 5}, {9, 360, 470, 16}, {9, 435, 380, 15},
        {9, 490, 420, 15}, {9, 560, 400, 15}, {9, 690, 210, 3}, {9, 755, 500, 7}, {10, 35, 380, 15}, {10, 105, 470, 16},
        {10, 235, 480, 9}, {10, 305, 160, 2}, {10, 355, 69, 10}, {10, 435, 310, 1}, {10, 490, 90, 18}, {10, 620, 380, 15},
        {10, 695, 260, 1}, {10, 760, 420, 15}, {11, 35, 480, 9}, {11, 170, 210, 2}, {11, 225, 470, 17}, {11, 295, 60, 1},
        {11, 360, 450, 12}, {11, 495, 100, 12}, {11, 565, 100, 12}, {11, 620, 450, 12}, {11, 695, 470, 17}, {11, 755, 500, 9},
        {12, 35, 60, 3}, {12, 175, 500, 9}, {12, 235, 380, 15}, {12, 300, 480, 7}, {12, 360, 480, 7}, {12, 430, 80, 8},
        {12, 550, 450, 14}, {12, 620, 100, 13}, {12, 680, 500, 9}, {12, 745, 400, 15}, {13, 150, 150, 1}, {13, 550, 500, 9},
        {13, 350, 300, 2},
    }},
}};

// Item kinds' sprites, depths and the bubble walls' shifts.
struct KindLook {
  const char* sprite;
  int32_t depth;
};
constexpr std::array<KindLook, Item::kKindCount> kLooks = {{
    {"SS_Scallop", 2},
    {nullptr, 2},
    {nullptr, 2},
    {"SS_Sheild_Grn", 2},
    {nullptr, 2},
    {"SS_Super_Fin_Yellow", 2},
    {"SS_stalagtite_sm", 1},
    {"SS_coral_wall_sm_grd", 4},
    {"SS_stalagtite_med", 1},
    {"SS_coral_wall_med_grd", 4},
    {"SS_stalagtite_lg", 1},
    {"SS_coral_wall_lg_grd", 4},
    {"SS_bubble_wall_low", 3},
    {"SS_bubble_wall_med", 3},
    {"SS_bubble_wall_high", 3},
    {"SS_Kelp_Back", 1},
    {"SS_Water_Spray_Large_Grd", 1},
    {"SS_Water_Spray_Sm_Grd", 1},
    {"SS_Water_Spray_Large_Ceil", 1},
    {"SS_Water_Spray_Sm_Ceil", 1},
}};
constexpr std::array<int32_t, 3> kWallShift = {0, 57, 123};
// A wall whose record lies above this hangs from the ceiling.
constexpr int32_t kWallHangsAbove = 300;

const char* CollectibleSprite(int32_t kind, int32_t level, bool alpha) {
  static constexpr const char* kOrange[kLevels] = {"SS_ConchShell_Orange", "SS_SandDollar_Orange", "SS_Anchor_Orange",
                                                   "SS_Bottle_Orange", "SS_Shell_Pearl_Orange"};
  static constexpr const char* kBlue[kLevels] = {"SS_ConchShell_Blue", "SS_SandDollar_Blue", "SS_Anchor_Blue",
                                                 "SS_Bottle_Blue", "SS_Shell_Pearl_Blue"};
  if (level == 1 && !alpha) return kind == Item::kOrange ? "SS_SandDollar_Orange_sdl" : "SS_SandDollar_Blue_sdl";
  return kind == Item::kOrange ? kOrange[level] : kBlue[level];
}

const char* SpriteOf(int32_t kind, int32_t level, bool alpha) {
  if (kind == Item::kOrange || kind == Item::kBlue) return CollectibleSprite(kind, level, alpha);
  if (kind == Item::kWatch) return alpha ? "SS_Watch_Glo" : "SS_Watch_Glo_sdl";
  return kLooks[static_cast<size_t>(kind)].sprite;
}

bool InLevels(int32_t level) {
  return level >= 0 && level < kLevels;
}

// The one object of the item's kind, not yet set up.
std::unique_ptr<Item> MakeItem(const char* name, int32_t kind, int32_t level, bool alpha) {
  const char* sprite = SpriteOf(kind, level, alpha);
  if (kind == Item::kScallop) return std::make_unique<Game6Node::Game6Scallop>(name, sprite, 0);
  if (kind == Item::kKelp) return std::make_unique<Game6Node::Game6Kelp>(name, sprite, "SS_Kelp_Front", 0);
  if (Item::IsSpout(kind)) return std::make_unique<Game6Node::Game6WaterSpout>(name, sprite, 0);
  return std::make_unique<Item>(name, sprite, 0);
}

}  // namespace

int32_t Game6Node::HoopCountOf(int32_t level) {
  return InLevels(level) ? kHoopCounts[static_cast<size_t>(level)] : 0;
}

Game6Node::HoopRecord Game6Node::HoopRecordOf(int32_t level, int32_t index) {
  if (!InLevels(level) || index < 0 || index >= kMaxHoops) return {};
  return kHoops[static_cast<size_t>(level)][static_cast<size_t>(index)];
}

int32_t Game6Node::ItemCountOf(int32_t level) {
  return InLevels(level) ? kItemCounts[static_cast<size_t>(level)] : 0;
}

Game6Node::ItemRecord Game6Node::ItemRecordOf(int32_t level, int32_t index) {
  if (!InLevels(level) || index < 0 || index >= kMaxItems) return {};
  return kItems[static_cast<size_t>(level)][static_cast<size_t>(index)];
}

float Game6Node::ScrollSpeedOf(int32_t level, bool alphaBlending) {
  if (!InLevels(level)) level = 0;
  return alphaBlending ? kSpeedAlpha[static_cast<size_t>(level)] : kSpeedNoAlpha[static_cast<size_t>(level)];
}

void Game6Node::AddHoop(CHoop* hoop) {
  if (!hoop) return;
  hoop->Layout();
  for (int32_t part = 0; part < CHoop::kPartCount; ++part) AddObject(hoop->GetPart(part));
}

void Game6Node::RemoveHoop(CHoop* hoop) {
  if (!hoop) return;
  for (int32_t part = 0; part < CHoop::kPartCount; ++part) RemoveObject(hoop->GetPart(part));
}

bool Game6Node::Collides(GenericObject* a, GenericObject* b) {
  if (!a || !b) return false;
  const int32_t depthA = a->GetZ();
  const int32_t depthB = b->GetZ();
  a->SetZ(2);
  b->SetZ(2);
  const bool touching = a->CollidesWith(*b);
  a->SetZ(depthA);
  b->SetZ(depthB);
  return touching;
}

void Game6Node::StartLevel(int32_t level) {
  if (!InLevels(level)) level = 0;
  Qel::Trace("INFO: Game6: level %d starts\n", level + 1);
  const bool alpha = GetApp().IsAlphaCapable();
  m_hoopCount = HoopCountOf(level);
  for (int32_t i = 0; i < m_hoopCount; ++i) {
    const HoopRecord record = HoopRecordOf(level, i);
    char name[32];
    std::snprintf(name, sizeof name, "Hoop %d", i);
    std::unique_ptr<CHoop> hoop =
        record.small ? std::make_unique<CHoop>(name, "Super_SmlArch_Top", "Super_SmlArch_Lsd", "Super_SmlArch_Bot",
                                               "Super_SmlArch_Rsd")
                     : std::make_unique<CHoop>(name, "Super_LrgArch_Top", "Super_LrgArch_LSD", "Super_LrgArch_Bot",
                                               "Super_LrgArch_Rsd");
    for (int32_t part = 0; part < CHoop::kPartCount; ++part) {
      hoop->GetPart(part)->CenterAnchor();
      hoop->SetPartAnchor(part, hoop->GetPart(part)->GetAnchor());
    }
    hoop->SetPosition(Qel::Point2(kPanelWidth * record.panel + record.x, record.y));
    AddHoop(hoop.get());
    m_hoops.push_back(hoop.release());
  }
  m_scallopTotal = 0;
  BuildLevelItems(level);
  m_panelCount = kPanelCount;
  m_scallopsTaken = 0;
  m_scrollSpeed = ScrollSpeedOf(level, alpha);
  SetScroll(0, 0);
  m_fishOffsetX = 0;
  m_fishOffsetY = 0;
  m_reboundOffset = 0.0f;
  m_reboundVelocity = 0.0f;
  m_stepVertical = 3;
  m_stepHorizontal = ScaleBySpeed(3);
  m_stepBackInSpout = ScaleBySpeed(3);
  m_wallDriftForward = ScaleBySpeed(2);
  m_wallDriftBack = ScaleBySpeed(1);
  m_entryStep = ScaleBySpeed(2);
  m_bounceBackSpeed = ScaleBySpeed(-10);
  m_bounceForwardSpeed = ScaleBySpeed(10);
  m_lastHoop = -1;
  m_currentBubbleWall = -1;
  m_heldKelp = -1;
  m_dashFactor = 1;
  m_speedFactor = 1;
  if (m_fish) m_fish->SetZ(2);
  if (m_shieldBubble) m_shieldBubble->SetAnimation(2, 0);
  m_ticksLeft = kSegmentCount;
  if (m_hud) {
    m_hud->SetLevel(level);
    m_hud->SetClock(0);
    m_hud->SetScallops(m_scallopTotal - m_scallopsTaken);
  }
  if (m_camera) {
    m_camera->SetVelocity(0, 0);
    m_camera->SetPosition(400, 300);
    m_cameraPanel = static_cast<int32_t>(m_camera->GetX()) / kPanelWidth;
    ShowBackgroundPanels(m_cameraPanel);
  }
  ChangeMusic(kPlayMusic, true);
  if (m_fish) {
    m_fish->m_anchor = m_camera.get();
    m_fish->m_anchorOffset = 0;
    m_fish->SetAnimation(Fish::kStraight, 0);
    m_fish->SetZ(2);
    m_fish->ClearBlink();
  }
}

void Game6Node::ClearLevel() {
  for (CHoop* hoop : m_hoops) {
    RemoveHoop(hoop);
    delete hoop;
  }
  m_hoops.clear();
  for (Game6Item* item : m_items) {
    if (!item) continue;
    if (auto* kelp = dynamic_cast<Game6Kelp*>(item)) RemoveObject(kelp->GetFront());
    RemoveObject(item);
    delete item;
  }
  m_items.clear();
  m_hoopCount = 0;
  m_itemCount = 0;
  m_currentBubbleWall = -1;
  m_heldKelp = -1;
  m_lastHoop = -1;
  // The fish may hold on to something just deleted.
  if (m_fish && m_fish->m_anchor != m_camera.get()) m_fish->m_anchor = m_camera.get();
  StopIfPlaying(m_bubbleWallSound);
  // The last segment's ticking loops; a restart from the arrows or the cheat keys must not keep it.
  StopIfPlaying(m_timerSound);
}

void Game6Node::BuildLevelItems(int32_t level) {
  if (!InLevels(level)) return;
  const bool alpha = GetApp().IsAlphaCapable();
  const int32_t count = ItemCountOf(level);
  m_items.reserve(static_cast<size_t>(count));
  m_itemLevel = level;
  for (int32_t i = 0; i < count; ++i) {
    const ItemRecord record = ItemRecordOf(level, i);
    char name[32];
    std::snprintf(name, sizeof name, "SSItem %d", i);
    std::unique_ptr<Game6Item> item = MakeItem(name, record.kind, level, alpha);
    const int32_t kind = record.kind;
    const int32_t depth = kLooks[static_cast<size_t>(kind)].depth;
    int32_t y = record.y;
    auto* kelp = dynamic_cast<Game6Kelp*>(item.get());
    auto* spout = dynamic_cast<Game6WaterSpout*>(item.get());
    if (kind == Item::kScallop) {
      item->SetZ(2);
      item->SetAnimation(2, 0);
      item->EnableCollision();
      item->SetAnimation(0, 0);
      ++m_scallopTotal;
    } else if (kind == Item::kOrange || kind == Item::kBlue) {
      item->SetZ(2);
      item->SetAnimation(2, 0);
      item->EnableCollision();
      item->SetAnimation(0, 0);
    } else if (kind == Item::kWatch) {
      item->SetAnimation(0, 0);
      item->SetZ(2);
      item->EnableCollision();
    } else if (Item::IsBubbleWall(kind)) {
      item->SetZ(3);
      item->SetAnimation(1, 0);
      item->EnableCollision();
      item->SetAnimation(0, 0);
      const int32_t shift = kWallShift[static_cast<size_t>(kind - Item::kFirstBubbleWall)];
      if (record.y < kWallHangsAbove) {
        item->SetAnimation(2, 0);
        y += shift;
      } else {
        y -= shift;
      }
    } else if (kelp) {
      kelp->SetZ(1);
      kelp->GetFront()->SetZ(3);
      kelp->ShowAnimation(2);
      kelp->EnableCollision();
      kelp->ShowAnimation(0);
    } else if (spout) {
      spout->SetZ(1);
      spout->SetAnimation(4, 0);
      spout->CenterAnchor();
      spout->EnableCollision();
      spout->SetAnimation(0, 0);
      spout->SetNextSprayTime(GameTimeNow() + plat::win::rand() % 4000);
      spout->SetSprayPeriod(kind == 16 || kind == 18 ? 7000 : 5000);
    } else {
      // Shield, fin and the obstacles.
      item->SetZ(depth);
      item->SetAnimation(1, 0);
      item->EnableCollision();
      item->SetAnimation(0, 0);
    }
    if (!spout) item->CenterAnchor();
    if (kelp) kelp->GetFront()->CenterAnchor();
    const auto x = static_cast<float>(kPanelWidth * record.panel + record.x);
    item->SetPosition(x, static_cast<float>(y));
    if (kelp) kelp->GetFront()->SetPosition(x, static_cast<float>(y));
    item->SetKind(kind);
    AddObject(item.get());
    if (kelp) AddObject(kelp->GetFront());
    m_items.push_back(item.release());
  }
  m_itemCount = static_cast<int32_t>(m_items.size());
}
