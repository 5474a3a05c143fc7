// The simple click point: a clickable spot that answers a click with a reaction animation and comes
// back to rest. Even animation ids are resting looks, the odd id after each is the reaction a click
// starts; the sprite's next-animation table brings a finished reaction back to rest.
#pragma once

#include "core/Point2.h"
#include "framework/Clickable.h"

// Rests at its idle position and plays animation 1 when clicked.
class SimpleClickPoint : public Clickable {
public:
  // Rollover cursor 1, depth 1.
  SimpleClickPoint(const char* objectName, const char* spriteName, int clockKind);

  // "idlePos" (two integers) after the keys of Clickable.
  void SetProperty(const char* key, const char* value) override;
  // The hotspot as first seen is kept. Resting: at the idle position with that hotspot, enabled.
  // Reacting: at (0, 0) with no hotspot, not clickable. Then the clickable's update.
  void Update() override;
  // A click (posted as any clickable's) plays animation 1 from its first frame.
  bool OnLeftButtonUp(const InputEventInfo& input) override;

  Qel::Point2 GetIdlePosition() const { return m_idlePosition; }

private:
  Qel::Point2 m_idlePosition;
  Qel::Point2 m_savedHotspot;
  bool m_hotspotSaved = false;
};
