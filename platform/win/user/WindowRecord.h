// What a window handle designates: the stand-in's record of the one SDL window, shared by the
// window and message-queue calls.
#pragma once

#include "platform/win/user/Window.h"

namespace plat::win {

struct WindowHandle {
  WNDPROC procedure = nullptr;
  LONG style = 0;
  LONG exStyle = 0;
  // Made by CreateWindowExA: the queue turns SDL's events into messages for it.
  bool created = false;
  // SDL's video subsystem was started for the window and ends with it.
  bool startedVideo = false;
};

// The one window: SDL 1.2 has a single video mode per process.
WindowHandle& TheWindow();

// The window CreateWindowExA made, while it exists.
HWND CreatedWindow();

}  // namespace plat::win
