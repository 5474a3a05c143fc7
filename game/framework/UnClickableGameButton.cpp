// The unclickable game button: looks and sounds like a game button but reports no click.
#include "framework/UnClickableGameButton.h"

UnClickableGameButton::UnClickableGameButton(const char* objectName, const char* spriteName, int clockKind)
    : GameButton(objectName, spriteName, clockKind) {}

bool UnClickableGameButton::OnLeftButtonDown(const InputEventInfo& input) {
  if (!HitTest(input.position.X(), input.position.Y()) || !IsEnabled()) return false;
  Clickable::OnLeftButtonDown(input);
  if (m_lookState != kLookPressed) {
    m_lookState = kLookPressed;
    ShowLookKeepingFrame(kLookPressed);
  }
  return false;
}

bool UnClickableGameButton::OnLeftButtonUp(const InputEventInfo&) {
  if (m_lookState == kLookPressed) {
    m_lookState = kLookNormal;
    ShowLookKeepingFrame(kLookNormal);
  }
  return false;
}

void UnClickableGameButton::Update() {
  UpdateHover(m_lookState);
  Clickable::Update();
}
