// The simple click point: a clickable spot that answers a click with a reaction animation and comes
// back to rest.
#include "framework/SimpleClickPoint.h"

#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

SimpleClickPoint::SimpleClickPoint(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {
  SetRolloverCursor(1);
  SetZ(1);
}

void SimpleClickPoint::SetProperty(const char* key, const char* value) {
  Clickable::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "idlePos")) {
    ValueTokenizer tokens(value);
    m_idlePosition = tokens.NextPoint();
  }
}

void SimpleClickPoint::Update() {
  if (!m_hotspotSaved) {
    m_savedHotspot = GetHotspotSize();
    m_hotspotSaved = true;
  }
  if (GetAnimationId() % 2 == 0) {
    SetPosition(static_cast<float>(m_idlePosition.X()), static_cast<float>(m_idlePosition.Y()));
    SetHotspotSize(m_savedHotspot.X(), m_savedHotspot.Y());
    Enable();
  } else {
    SetPosition(0, 0);
    SetHotspotSize(0, 0);
    ClearEnabled();
  }
  Clickable::Update();
}

bool SimpleClickPoint::OnLeftButtonUp(const InputEventInfo& input) {
  if (!Clickable::OnLeftButtonUp(input)) return false;
  SetAnimation(1, 0);
  return true;
}
