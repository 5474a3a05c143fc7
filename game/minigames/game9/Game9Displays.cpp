// The memory game's level selector and score.
#include "game9/Game9Displays.h"

#include <algorithm>

#include "framework/GameButton.h"
#include "framework/SpriteObject.h"
#include "graphics/SceneObject.h"

namespace {

void ShowDigit(SpriteObject* digit, int32_t value, float x, float y) {
  if (!digit) return;
  digit->SetPosition(x, y);
  digit->SetAnimation(static_cast<uint32_t>(value), 0);
}

void Park(GenericObject* object) {
  if (object) object->SetPosition(Game9Node::kParked, Game9Node::kParked);
}

}  // namespace

Game9Node::LevelSelector::LevelSelector(int32_t index) {
  SetIndex(index);
}

void Game9Node::LevelSelector::SetIndex(int32_t index) {
  m_index = std::clamp(index, 0, kLastIndex);
}

void Game9Node::LevelSelector::SetObjects(GameButton* left, GameButton* right, SpriteObject* ones,
                                          SpriteObject* tens) {
  m_left = left;
  m_right = right;
  m_ones = ones;
  m_tens = tens;
}

void Game9Node::LevelSelector::Refresh(bool canRaise) {
  RefreshDigits();
  RefreshArrows(canRaise);
}

void Game9Node::LevelSelector::RefreshDigits() {
  if (!m_left || !m_right) return;
  const int32_t level = GetLevel();
  const float lx = m_left->GetX();
  const float ly = m_left->GetY();
  const float rx = m_right->GetX();
  const float y = ly + 7.0f;
  if (level < 10) {
    Park(m_tens);
    if (m_ones) m_ones->SetPosition((rx - lx) / 3.0f + lx + 28.0f, y);
  } else {
    ShowDigit(m_tens, level / 10, (rx - lx) / 3.0f + lx + 23.0f, y);
    if (m_ones) m_ones->SetPosition((rx - lx) / 2.0f + lx + 23.0f, y);
  }
  if (m_ones) m_ones->SetAnimation(static_cast<uint32_t>(level % 10), 0);
}

void Game9Node::LevelSelector::RefreshArrows(bool canRaise) {
  if (m_left) {
    SetShown(m_left, m_index != 0);
    if (m_index != 0) m_left->Enable();
  }
  if (!m_right) return;
  SetShown(m_right, m_index != kLastIndex);
  if (m_index == kLastIndex) return;
  if (canRaise) {
    m_right->Enable();
  } else {
    m_right->Disable();
  }
}

void Game9Node::PointsDisplay::Refresh() {
  // Five places hold at most 99999; a longer score keeps its trailing digits.
  int32_t value = m_score < 0 ? 0 : m_score;
  int32_t places = 1;
  for (int32_t rest = value / 10; rest > 0 && places < kDigitCount; rest /= 10) ++places;
  for (int32_t place = 0; place < kDigitCount; ++place) {
    SpriteObject* digit = m_digits[static_cast<size_t>(place)];
    if (place < places) {
      ShowDigit(digit, value % 10, kDigitX[static_cast<size_t>(place)], kDigitY);
    } else {
      Park(digit);
    }
    value /= 10;
  }
}
