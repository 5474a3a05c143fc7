// The exit button: a game button whose click ends the program.
#pragma once

#include "framework/GameButton.h"

class ExitButton : public GameButton {
public:
  // On the game clock, with the click sound "butdown" from "ButtonDown".
  ExitButton(const char* objectName, const char* spriteName);

  // A click asks the application to quit. Only a click is taken: a release elsewhere goes on to the
  // objects below, which may be buttons of their own.
  bool OnLeftButtonUp(const InputEventInfo& input) override;
};
