// The ride's score and the five digits that show it right-aligned.
#include "game7/Game7PointsDisplay.h"

#include <algorithm>

#include "framework/SpriteObject.h"
#include "game7/Game7Objects.h"

Game7Node::PointsDisplay::PointsDisplay(const std::array<SpriteObject*, kDigits>& digits)
    : m_digits(digits) {}

void Game7Node::PointsDisplay::Refresh() const {
  // A negative score cannot come from play; it shows as 0 rather than as a wrapped animation id.
  const int32_t score = std::max(m_score, 0);
  int shown = 1;
  for (int32_t bound = 10; shown < kDigits && score >= bound; bound *= 10) ++shown;
  int32_t rest = score;
  for (int digit = 0; digit < kDigits; ++digit) {
    SpriteObject* object = m_digits[static_cast<size_t>(digit)];
    if (digit >= shown) {
      game7::Park(object);
      continue;
    }
    const int32_t value = digit == kDigits - 1 ? std::min(rest, 9) : rest % 10;
    object->SetAnimation(static_cast<uint32_t>(value), 0);
    object->SetPosition(kX[static_cast<size_t>(digit)], kY);
    rest /= 10;
  }
}
