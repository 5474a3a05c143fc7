// What the shell game's shells tell their node: a shell began or finished opening or closing, and a
// swap ended.
#pragma once

class GameShell;

class IGameShellEvents {
public:
  virtual ~IGameShellEvents() = default;

  // started: the animation begins (true) or has ended (false).
  virtual void OnShellClose(GameShell* shell, bool started) = 0;
  virtual void OnShellOpen(GameShell* shell, bool started) = 0;
  // The following shell of a swap has finished its slide; the blenny has changed shells.
  virtual void OnSwapFinished() = 0;
};
