// The exit button: a game button whose click ends the program.
#include "framework/ExitButton.h"

#include <memory>

#include "framework/MainApp.h"

ExitButton::ExitButton(const char* objectName, const char* spriteName)
    : GameButton(objectName, spriteName, kClockGame) {
  ReplaceClickSound(std::make_unique<GameSound>("butdown", "ButtonDown", true, false));
}

bool ExitButton::OnLeftButtonUp(const InputEventInfo& input) {
  const bool clicked = GameButton::OnLeftButtonUp(input);
  if (clicked) GetApp().RequestQuit();
  return clicked;
}
