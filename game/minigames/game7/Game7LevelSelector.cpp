// The ride's level choice: the level index and the arrows and digits under the play area.
#include "game7/Game7LevelSelector.h"

#include "framework/GameButton.h"
#include "framework/SpriteObject.h"
#include "game7/Game7Objects.h"

namespace {
constexpr float kDigitY = 564.0f;
constexpr float kTensX = 157.5f;
constexpr float kOnesBesideTensX = 172.5f;
constexpr float kOnesAloneX = 165.0f;
}  // namespace

Game7Node::LevelSelector::LevelSelector(GenericObject* left, GameButton* right, SpriteObject* ones,
                                        SpriteObject* tens)
    : m_left(left), m_right(right), m_ones(ones), m_tens(tens) {}

void Game7Node::LevelSelector::Show(int32_t openLevel) const {
  const int32_t number = m_index + 1;
  if (number >= 10) {
    m_tens->SetAnimation(static_cast<uint32_t>(number / 10), 0);
    m_tens->SetPosition(kTensX, kDigitY);
    m_ones->SetPosition(kOnesBesideTensX, kDigitY);
  } else {
    game7::Park(m_tens);
    m_ones->SetPosition(kOnesAloneX, kDigitY);
  }
  m_ones->SetAnimation(static_cast<uint32_t>(number % 10), 0);
  SetShown(m_left, m_index != 0);
  SetShown(m_right, m_index < kLevelCount - 1);
  if (m_index < openLevel - 1) {
    m_right->Enable();
  } else {
    m_right->Disable();
  }
}

bool Game7Node::LevelSelector::StepDown() {
  if (m_index <= 0) return false;
  --m_index;
  return true;
}

bool Game7Node::LevelSelector::StepUp(int32_t openLevel) {
  if (m_index >= openLevel - 1 || m_index >= kLevelCount - 1) return false;
  ++m_index;
  return true;
}
