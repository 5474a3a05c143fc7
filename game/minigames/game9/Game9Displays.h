// The memory game's level selector (the level index, its arrows and two digits) and its five-digit
// score.
#pragma once

#include <array>
#include <cstdint>

#include "game9/Game9Node.h"

class GameButton;
class SpriteObject;

// The index runs 0 to 19 (level = index + 1). The selector lays out its digits and arrows; it owns
// none of its objects.
class Game9Node::LevelSelector {
public:
  static constexpr int32_t kLastIndex = kLevelCount - 1;

  explicit LevelSelector(int32_t index);

  // A value outside 0 to 19 takes the nearest.
  void SetIndex(int32_t index);
  int32_t GetIndex() const { return m_index; }
  int32_t GetLevel() const { return m_index + 1; }

  void SetObjects(GameButton* left, GameButton* right, SpriteObject* ones, SpriteObject* tens);
  // The digits of the level beside the arrows, and the arrows the index allows; right enabled only
  // when canRaise.
  void Refresh(bool canRaise);

  GameButton* GetLeft() const { return m_left; }
  GameButton* GetRight() const { return m_right; }
  SpriteObject* GetOnes() const { return m_ones; }
  SpriteObject* GetTens() const { return m_tens; }

private:
  void RefreshDigits();
  void RefreshArrows(bool canRaise);

  int32_t m_index = 0;
  GameButton* m_left = nullptr;
  GameButton* m_right = nullptr;
  SpriteObject* m_ones = nullptr;
  SpriteObject* m_tens = nullptr;
};

// The score, right-aligned at x 694 on five digit objects; the places a number does not need wait
// off the screen. It owns none of its objects.
class Game9Node::PointsDisplay {
public:
  static constexpr int32_t kDigitCount = 5;
  static constexpr float kDigitY = 565.0f;
  // Ones to ten thousands.
  static constexpr std::array<float, kDigitCount> kDigitX = {694.0f, 675.0f, 656.0f, 637.0f, 618.0f};

  PointsDisplay() = default;

  // Ones first.
  void SetDigits(const std::array<SpriteObject*, kDigitCount>& digits) { m_digits = digits; }
  void SetScore(int32_t score) { m_score = score; }
  int32_t GetScore() const { return m_score; }
  void Add(int32_t points) { m_score += points; }
  // A score past five digits shows its last five.
  void Refresh();

  SpriteObject* GetDigit(int32_t place) const { return m_digits[static_cast<size_t>(place)]; }

private:
  std::array<SpriteObject*, kDigitCount> m_digits{};
  int32_t m_score = 0;
};
