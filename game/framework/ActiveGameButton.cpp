// The active game button: a game button that, while disabled, shows itself either active or inactive.
#include "framework/ActiveGameButton.h"

ActiveGameButton::ActiveGameButton(const char* objectName, const char* spriteName, int clockKind)
    : GameButton(objectName, spriteName, clockKind) {}

void ActiveGameButton::Update() {
  if (IsEnabled()) {
    UpdateHover(m_lookState);
  } else if (m_activateRequest) {
    m_activateRequest = false;
    m_savedLookState = m_lookState == kLookActive ? kLookNormal : m_lookState;
    m_lookState = kLookActive;
    ShowLookKeepingFrame(kLookActive);
  } else if (m_lookState != kLookDisabled && m_lookState != kLookActive) {
    m_lookState = kLookDisabled;
    ShowLookKeepingFrame(kLookDisabled);
  }
  Clickable::Update();
}

void ActiveGameButton::ShowActive() {
  GameButton::Disable();
  m_activateRequest = true;
}

void ActiveGameButton::ShowInactive() {
  // An active look asked for but not yet shown (the button was enabled again before its next
  // update) is called off too, or it would show the next time the button is disabled.
  m_activateRequest = false;
  m_lookState = m_savedLookState;
  ShowLookKeepingFrame(kLookDisabled);
}
