// The ride's score and the five digits that show it right-aligned.
#pragma once

#include <array>
#include <cstdint>

#include "game7/Game7Node.h"

class SpriteObject;

class Game7Node::PointsDisplay {
public:
  static constexpr int kDigits = 5;
  static constexpr float kY = 558.0f;
  // Ones, tens, hundreds, thousands, ten thousands.
  static constexpr std::array<float, kDigits> kX = {684.0f, 665.0f, 646.0f, 627.0f, 608.0f};

  explicit PointsDisplay(const std::array<SpriteObject*, kDigits>& digits);

  // As many digits as the score needs stand at their places; the others are parked. A score beyond
  // five digits shows 9 in the highest digit, the last one its sprite has.
  void Refresh() const;

  std::array<SpriteObject*, kDigits> m_digits;
  int32_t m_score = 0;
};
