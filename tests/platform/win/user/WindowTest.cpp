// The game window as SDL's video mode: the video driver behind it and its title.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
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

// Only a real display, or the driver the environment names: never SDL's text-art fall-backs.
TEST(Window, VideoStartsOnlyOnTheDriverNamedOrX11) {
  struct Case {
    const char* driver;   // SDL_VIDEODRIVER, null: unset
    const char* display;  // DISPLAY, null: unset
    bool starts;
    const char* reason;  // in SDL_GetError when it does not start
  };
  const Case cases[] = {
      {nullptr, nullptr, false, "DISPLAY is not set"},
      {"", nullptr, false, "DISPLAY is not set"},
      {nullptr, ":bogus", false, "\"x11\" did not start"},
      {"", ":bogus", false, "\"x11\" did not start"},
      {"x11", nullptr, false, "DISPLAY is not set"},
      {"nosuch", nullptr, false, "\"nosuch\" did not start"},
      {"dummy", nullptr, true, nullptr},
  };
  setenv("TERM", "xterm", 1);  // what a text-art driver would need to start
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.driver ? c.driver : "(unset)") << " on "
                                    << (c.display ? c.display : "(unset)"));
    c.driver ? setenv("SDL_VIDEODRIVER", c.driver, 1) : unsetenv("SDL_VIDEODRIVER");
    c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
    SDL_ClearError();
    EXPECT_EQ(StartSDLVideo() != FALSE, c.starts);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO) != 0, c.starts);
    if (c.starts) {
      char name[16] = {};
      ASSERT_NE(SDL_VideoDriverName(name, sizeof(name)), nullptr);
      EXPECT_STREQ(name, c.driver);
      EXPECT_TRUE(StartSDLVideo());  // already running
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
    } else {
      EXPECT_EQ(SDL_VideoDriverName(nullptr, 0), nullptr);
      EXPECT_NE(std::string(SDL_GetError()).find(c.reason), std::string::npos) << SDL_GetError();
      EXPECT_EQ(MakeWindow("x"), nullptr);
    }
    // The driver chosen for the user is not left behind in the environment.
    const char* after = std::getenv("SDL_VIDEODRIVER");
    EXPECT_STREQ(after, c.driver);
  }
}
