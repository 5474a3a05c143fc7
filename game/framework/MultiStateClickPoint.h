// The multi-state click point: a clickable spot that steps through states, each with a sound of its
// own. Even animation ids are resting looks, the odd id after each is the reaction a click starts.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "framework/Clickable.h"
#include "framework/GameSound.h"

// Steps through states, each with a sound of its own: a click in animation 2n plays the sound of
// state n (when it has one) and animation 2n + 1.
class MultiStateClickPoint : public Clickable {
public:
  // Rollover cursor 1, depth 1.
  MultiStateClickPoint(const char* objectName, const char* spriteName, int clockKind);
  // Stops and deletes the state sounds.
  ~MultiStateClickPoint() override;

  // "idlePos" (two integers) and "changeStateSound" (a file: the sound of the next state, named
  // "mscpsnd<n>" with n counted over the process) after the keys of Clickable.
  void SetProperty(const char* key, const char* value) override;

  // Test seam: the state sounds' names count from 0 again, as in a new process.
  static void RestartStateSoundNamesForTesting();
  // As SimpleClickPoint's, except that a resting sprite with a size of its own stands at (0, 0) with
  // no hotspot (its frames place themselves); only an empty one takes the idle position.
  void Update() override;
  bool OnLeftButtonUp(const InputEventInfo& input) override;

  Qel::Point2 GetIdlePosition() const { return m_idlePosition; }
  size_t GetStateSoundCount() const { return m_stateSounds.size(); }
  GameSound* GetStateSound(size_t state) const {
    return state < m_stateSounds.size() ? m_stateSounds[state].get() : nullptr;
  }

private:
  Qel::Point2 m_idlePosition;
  Qel::Point2 m_savedHotspot;
  bool m_hotspotSaved = false;
  std::vector<std::unique_ptr<GameSound>> m_stateSounds;
};
