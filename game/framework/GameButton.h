// The game button: a clickable push button whose sprite shows it normal, pressed or under the pointer.
#pragma once

#include <cstdint>

#include "framework/Clickable.h"

// The looks are the sprite's animations of the same ids.
class GameButton : public Clickable {
public:
  static constexpr uint32_t kLookNormal = 0;
  static constexpr uint32_t kLookPressed = 1;
  static constexpr uint32_t kLookOver = 2;

  GameButton(const char* objectName, const char* spriteName, int clockKind);

  // A press on the enabled button plays the click sound, shows it pressed and is taken.
  bool OnLeftButtonDown(const InputEventInfo& input) override;
  // A release that posts the click shows a pressed button normal again and is taken.
  bool OnLeftButtonUp(const InputEventInfo& input) override;
  // While enabled, shows the pointer-over look while the cursor is over the button and the normal
  // look once it has left; a disabled button keeps its look.
  void Update() override;
  // Clears the enabled flag.
  virtual void Disable();

  uint32_t GetLookState() const { return m_lookState; }

protected:
  // Plays the look's animation, from the frame the current one had reached when the look has that
  // many frames, else from its first.
  void ShowLookKeepingFrame(uint32_t look);
  // The hover step of Update on a look state of the caller's.
  void UpdateHover(uint32_t& lookState);

private:
  uint32_t m_lookState = kLookNormal;
};
