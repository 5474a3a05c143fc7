// The bobbing of the sign-in screen's six slot buttons: each drifts up and down by a few pixels, in
// steps of a tenth of a second of game time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class GenericObject;

// The buttons are the screen's; this only moves them. Each keeps an offset from where it was placed
// and moves by the offset's change, so a button placed anew simply bobs on from its new place.
class SIBobbingMgr {
public:
  static constexpr int kObjectCount = 6;
  // Game-clock milliseconds between two steps.
  static constexpr int32_t kStepMs = 100;
  // Offsets start at a random multiple of kStartUnit, 0 to 9 of them.
  static constexpr float kStartUnit = 0.225f;
  static constexpr float kStartVelocity = 1.0f;
  // Once an offset reaches -kTurn or kTurn it turns back at kTurnVelocity.
  static constexpr float kTurn = 2.25f;
  static constexpr float kTurnVelocity = 0.5f;

  // Draws each offset from the process-wide random generator; no objects yet.
  SIBobbingMgr();
  virtual ~SIBobbingMgr();

  // The objects to move from now on, in slot order; null leaves a slot still.
  void SetObjects(const std::array<GenericObject*, kObjectCount>& objects);
  // One step once the game-clock time now is past the time of the next step.
  void Update(uint32_t now);

  GenericObject* GetObject(int index) const { return m_objects[static_cast<size_t>(index)]; }
  float GetOffset(int index) const { return m_offsets[static_cast<size_t>(index)]; }
  float GetVelocity(int index) const { return m_velocities[static_cast<size_t>(index)]; }
  int32_t GetNextStepTime() const { return m_nextStepTime; }

private:
  std::array<GenericObject*, kObjectCount> m_objects{};
  std::array<float, kObjectCount> m_offsets{};
  std::array<float, kObjectCount> m_velocities{};
  int32_t m_nextStepTime = 0;
};
