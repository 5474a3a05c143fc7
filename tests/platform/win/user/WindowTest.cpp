// The game window as SDL's video mode: its title.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win/kernel/Module.h"
#include "platform/win/user/Window.h"

using namespace plat::win;

namespace {

LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.lpszClassName = "Test Window";
  RegisterClassA(&windowClass);  // a second window in the same test reuses the class
  return CreateWindowExA(0, "Test Window", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                         CW_USEDEFAULT, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

// The title comes in the code page, as every A call's text; SDL on X11 takes only UTF-8.
TEST(Window, TheTitleReachesSDLAsUtf8) {
  HWND window = MakeWindow("Pilo \x96 caf\xE9");
  ASSERT_NE(window, nullptr);
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(std::string(title), "Pilo \xE2\x80\x93 caf\xC3\xA9");
  EXPECT_EQ(std::string(icon), "Pilo \xE2\x80\x93 caf\xC3\xA9");
  EXPECT_TRUE(DestroyWindow(window));
}
