// The unclickable game button: looks and sounds like a game button but reports no click.
#pragma once

#include <cstdint>

#include "framework/GameButton.h"

// It never takes the input, so every press and release goes on to the objects below.
class UnClickableGameButton : public GameButton {
public:
  UnClickableGameButton(const char* objectName, const char* spriteName, int clockKind);

  // A press on the enabled button plays the click sound and shows it pressed.
  bool OnLeftButtonDown(const InputEventInfo& input) override;
  // Shows a pressed button normal again, wherever the release is; posts nothing.
  bool OnLeftButtonUp(const InputEventInfo& input) override;
  // The hover looks of a game button.
  void Update() override;

  uint32_t GetOwnLookState() const { return m_lookState; }

private:
  uint32_t m_lookState = kLookNormal;
};
