// The clickable: a sprite object the player clicks, with a rollover cursor and a click sound.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/GameSound.h"
#include "framework/SpriteObject.h"

// A release over the enabled object posts 101/10100 with the object, which the node turns into its
// OnObjectClicked. A disabled object plays no sound, posts no click and shows no rollover cursor.
class Clickable : public SpriteObject {
public:
  static constexpr int32_t kNoRolloverCursor = -1;

  // Test seam: the click sounds' names count from 0 again, as in a new process.
  static void RestartClickSoundNamesForTesting();

  Clickable(const char* objectName, const char* spriteName, int clockKind);
  // Stops the click sound.
  ~Clickable() override;

  // "rollovercursor" (stored, not shown yet) and "clicksound" (its first token) after the keys of
  // SpriteObject.
  void SetProperty(const char* key, const char* value) override;
  // Enabled with a rollover cursor.
  bool IsActive() override;
  // Plays the click sound when the press hits the enabled object; never takes the press, so that it
  // goes on to the objects below.
  bool OnLeftButtonDown(const InputEventInfo& input) override;
  // A release that hits the enabled object posts the click and is taken.
  bool OnLeftButtonUp(const InputEventInfo& input) override;
  // Notes whether the cursor is over the object, and shows the rollover cursor while it is; then
  // the motion step.
  void Update() override;

  // Replaces the click sound by one made from the file, named "clickSound<n>" with n counted over
  // the process; null or empty leaves none.
  void SetClickSound(const char* fileName);
  // Shown at once when the cursor is over the enabled object already.
  void SetRolloverCursor(int32_t kind);
  int32_t GetRolloverCursor() const { return m_rolloverCursor; }
  // Shows the rollover cursor at once when the cursor is over the object already.
  void Enable();
  // What callers that want a clickable out of play do: only the flag is cleared; the look stays.
  void ClearEnabled() { m_enabled = false; }
  bool IsEnabled() const { return m_enabled; }
  bool IsHovered() const { return m_hovered; }
  // Null without one.
  GameSound* GetClickSound() const { return m_clickSound.get(); }

protected:
  // The button classes' own sound, under a name of their own.
  void ReplaceClickSound(std::unique_ptr<GameSound> sound);
  // Whether the object is hit at the cursor's position of this frame.
  bool HitAtCursor();

private:
  void ApplyRolloverCursor();

  bool m_hovered = false;
  int32_t m_rolloverCursor = kNoRolloverCursor;
  std::unique_ptr<GameSound> m_clickSound;
  bool m_enabled = true;
};
