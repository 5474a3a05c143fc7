// The ride's level choice: the level index and the arrows and digits under the play area.
#pragma once

#include <cstdint>

#include "game7/Game7Node.h"

class GameButton;
class GenericObject;
class SpriteObject;

// The index is 0 to 19, the level number one more.
class Game7Node::LevelSelector {
public:
  LevelSelector(GenericObject* left, GameButton* right, SpriteObject* ones, SpriteObject* tens);

  // The number, the left arrow (not on level 1) and the right arrow, enabled only up to the level
  // open to the player and hidden on the last level.
  void Show(int32_t openLevel) const;
  // Answers whether the index changed.
  bool StepDown();
  bool StepUp(int32_t openLevel);

  int32_t m_index = 0;
  GenericObject* m_left;
  GameButton* m_right;
  SpriteObject* m_ones;
  SpriteObject* m_tens;
};
