// The clickable: a sprite object the player clicks, with a rollover cursor and a click sound.
#include "framework/Clickable.h"

#include <cstdio>

#include "core/EventManager.h"
#include "core/Point2.h"
#include "framework/GameEvents.h"
#include "framework/MouseCursor.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {
// Every click sound has a name of its own, so that its sound events find it.
int gClickSoundCount = 0;
}  // namespace

Clickable::Clickable(const char* objectName, const char* spriteName, int clockKind)
    : SpriteObject(objectName, spriteName, clockKind) {}

Clickable::~Clickable() {
  ReplaceClickSound(nullptr);
}

void Clickable::SetProperty(const char* key, const char* value) {
  SpriteObject::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "rollovercursor")) {
    ValueTokenizer tokens(value);
    m_rolloverCursor = tokens.NextInt();
  } else if (plat::EqualsIgnoringCase(key, "clicksound")) {
    ValueTokenizer tokens(value);
    SetClickSound(tokens.NextToken());
  }
}

bool Clickable::IsActive() {
  return m_enabled && m_rolloverCursor != kNoRolloverCursor;
}

bool Clickable::OnLeftButtonDown(const InputEventInfo& input) {
  if (HitTest(input.position.X(), input.position.Y()) && m_enabled && m_clickSound) {
    m_clickSound->Play(false, true);
  }
  return false;
}

bool Clickable::OnLeftButtonUp(const InputEventInfo& input) {
  if (!HitTest(input.position.X(), input.position.Y()) || !m_enabled) return false;
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectClicked, this);
  return true;
}

void Clickable::Update() {
  const bool hit = HitAtCursor();
  if (hit && m_enabled && m_rolloverCursor != kNoRolloverCursor) {
    MouseCursor::Instance().SetCursor(m_rolloverCursor);
  }
  m_hovered = hit;
  SpriteObject::Update();
}

void Clickable::SetClickSound(const char* fileName) {
  if (!fileName || !*fileName) {
    ReplaceClickSound(nullptr);
    return;
  }
  char name[32];
  std::snprintf(name, sizeof(name), "clickSound%d", gClickSoundCount++);
  ReplaceClickSound(std::make_unique<GameSound>(name, fileName, true, false));
}

void Clickable::ReplaceClickSound(std::unique_ptr<GameSound> sound) {
  if (m_clickSound) m_clickSound->Stop();
  m_clickSound = std::move(sound);
}

void Clickable::SetRolloverCursor(int32_t kind) {
  m_rolloverCursor = kind;
  ApplyRolloverCursor();
}

void Clickable::Enable() {
  m_enabled = true;
  ApplyRolloverCursor();
}

bool Clickable::HitAtCursor() {
  Qel::Point2 at;
  MouseCursor::Instance().GetPosition(at);
  return HitTest(at.X(), at.Y());
}

void Clickable::ApplyRolloverCursor() {
  MouseCursor& cursor = MouseCursor::Instance();
  if (m_enabled && m_hovered && m_rolloverCursor != kNoRolloverCursor && cursor.IsEnabled()) {
    cursor.SetCursor(m_rolloverCursor);
  }
}

void Clickable::RestartClickSoundNamesForTesting() {
  gClickSoundCount = 0;
}
