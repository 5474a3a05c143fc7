// The multi-state click point: a clickable spot that steps through states, each with a sound of its
// own.
#include "framework/MultiStateClickPoint.h"

#include <cstdio>

#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {
// Every state sound has a name of its own, so that its sound events find it.
int gStateSoundCount = 0;
}  // namespace

MultiStateClickPoint::MultiStateClickPoint(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {
  SetRolloverCursor(1);
  SetZ(1);
}

MultiStateClickPoint::~MultiStateClickPoint() {
  for (const std::unique_ptr<GameSound>& sound : m_stateSounds) sound->Stop();
}

void MultiStateClickPoint::SetProperty(const char* key, const char* value) {
  Clickable::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "idlePos")) {
    ValueTokenizer tokens(value);
    m_idlePosition = tokens.NextPoint();
  } else if (plat::EqualsIgnoringCase(key, "changeStateSound")) {
    ValueTokenizer tokens(value);
    const char* file = tokens.NextToken();
    if (!file) return;
    char name[32];
    std::snprintf(name, sizeof(name), "mscpsnd%d", gStateSoundCount++);
    m_stateSounds.push_back(std::make_unique<GameSound>(name, file, true, false));
  }
}

void MultiStateClickPoint::Update() {
  if (!m_hotspotSaved) {
    m_savedHotspot = GetHotspotSize();
    m_hotspotSaved = true;
  }
  if (GetAnimationId() % 2 == 0) {
    const Qel::Point2 size = GetSize();
    if (size.X() == 0 && size.Y() == 0) {
      SetPosition(static_cast<float>(m_idlePosition.X()), static_cast<float>(m_idlePosition.Y()));
      SetHotspotSize(m_savedHotspot.X(), m_savedHotspot.Y());
    } else {
      SetPosition(0, 0);
      SetHotspotSize(0, 0);
    }
    Enable();
  } else {
    SetPosition(0, 0);
    SetHotspotSize(0, 0);
    ClearEnabled();
  }
  Clickable::Update();
}

bool MultiStateClickPoint::OnLeftButtonUp(const InputEventInfo& input) {
  if (!Clickable::OnLeftButtonUp(input)) return false;
  const uint32_t animation = GetAnimationId();
  if (GameSound* sound = GetStateSound(animation / 2)) sound->Play(false, true);
  SetAnimation(animation + 1, 0);
  return true;
}

void MultiStateClickPoint::RestartStateSoundNamesForTesting() {
  gStateSoundCount = 0;
}
