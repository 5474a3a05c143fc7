// The ride's progress bar: seven pictures from the level's start to the vortex.
#pragma once

#include <cstdint>

#include "game7/Game7Node.h"

class SpriteObject;

class Game7Node::LevelProgress {
public:
  static constexpr uint32_t kLastPicture = 6;

  explicit LevelProgress(SpriteObject* bar) : m_bar(bar) {}

  void Reset() const;
  // The bar moves on one picture when the elapsed time has passed more steps than it shows.
  void Advance(uint32_t elapsed, uint32_t step) const;

  SpriteObject* m_bar;
};
