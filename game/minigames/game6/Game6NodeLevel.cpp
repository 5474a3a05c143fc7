// Placeholders for the node's layout and collision methods, so that the node builds before they are
// written; replaced by the real layout and tables.
#include "game6/Game6Node.h"

void Game6Node::StartLevel(int32_t) {}
void Game6Node::BuildLevelItems(int32_t) {}
void Game6Node::ClearLevel() {}
bool Game6Node::CheckCollisions() { return false; }
bool Game6Node::Collides(GenericObject*, GenericObject*) { return false; }
void Game6Node::AddHoop(CHoop*) {}
void Game6Node::RemoveHoop(CHoop*) {}
void Game6Node::RemoveTwinAtEnd(int32_t, int32_t, int32_t) {}
void Game6Node::RemoveTwinAtStart(int32_t, int32_t, int32_t) {}
int32_t Game6Node::HoopCountOf(int32_t) { return 0; }
Game6Node::HoopRecord Game6Node::HoopRecordOf(int32_t, int32_t) { return {}; }
int32_t Game6Node::ItemCountOf(int32_t) { return 0; }
Game6Node::ItemRecord Game6Node::ItemRecordOf(int32_t, int32_t) { return {}; }
float Game6Node::ScrollSpeedOf(int32_t level, bool alpha) {
  static constexpr float kAlpha[] = {290, 305, 320, 335, 350};
  static constexpr float kNoAlpha[] = {150, 160, 170, 180, 190};
  if (level < 0 || level > 4) level = 0;
  return alpha ? kAlpha[level] : kNoAlpha[level];
}
