// The game button: a clickable push button whose sprite shows it normal, pressed or under the pointer.
#include "framework/GameButton.h"

GameButton::GameButton(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {}

bool GameButton::OnLeftButtonDown(const InputEventInfo& input) {
  if (!HitTest(input.position.X(), input.position.Y()) || !IsEnabled()) return false;
  Clickable::OnLeftButtonDown(input);
  if (m_lookState == kLookPressed) return true;
  m_lookState = kLookPressed;
  ShowLookKeepingFrame(kLookPressed);
  return true;
}

bool GameButton::OnLeftButtonUp(const InputEventInfo& input) {
  if (!Clickable::OnLeftButtonUp(input)) return false;
  if (m_lookState == kLookPressed) {
    m_lookState = kLookNormal;
    ShowLookKeepingFrame(kLookNormal);
  }
  return true;
}

void GameButton::Update() {
  UpdateHover(m_lookState);
  Clickable::Update();
}

void GameButton::Disable() {
  ClearEnabled();
}

void GameButton::ShowLookKeepingFrame(uint32_t look) {
  const int frame = GetCurrentFrame();
  SetAnimation(look, 0);
  if (frame < GetFrameCount()) ReplayAnimation(frame);
}

void GameButton::UpdateHover(uint32_t& lookState) {
  if (!IsEnabled()) return;
  const bool over = HitAtCursor();
  if (lookState != kLookNormal && !over) {
    lookState = kLookNormal;
    ShowLookKeepingFrame(kLookNormal);
  } else if (lookState == kLookNormal && over) {
    lookState = kLookOver;
    ShowLookKeepingFrame(kLookOver);
  }
}
