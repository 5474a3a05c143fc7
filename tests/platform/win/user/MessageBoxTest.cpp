// The message box: the game's window goes before it shows, and a signal closes it as OK does.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/win/kernel/Module.h"
#include "platform/win/user/MessageBox.h"
#include "platform/win/user/Window.h"

using namespace plat::win;

namespace {

bool UnderX11() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const char* display = std::getenv("DISPLAY");
  return driver && std::strcmp(driver, "x11") == 0 && display && *display;
}

LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.lpszClassName = "Test Window";
  RegisterClassA(&windowClass);  // a second window in the same test reuses the class
  return CreateWindowExA(0, "Test Window", "Game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                         CW_USEDEFAULT, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

using Handler = void (*)(int);

Handler HandlerOf(int signal) {
  struct sigaction action {};
  sigaction(signal, nullptr, &action);
  return action.sa_handler;
}

std::atomic<int> gSignalsSeen{0};
void CountSignal(int) {
  ++gSignalsSeen;
}

}  // namespace

// Headless (the dummy driver) the box only prints, but the game's window is gone all the same, and
// with it SDL's signal handlers, which would turn an interrupt into a quit event nobody reads.
TEST(MessageBox, TheGameWindowGoesBeforeTheBoxShows) {
  for (const bool throughWindow : {true, false}) {
    SCOPED_TRACE(throughWindow ? "the window of CreateWindowExA" : "the SDL display's video mode");
    // What the process had before SDL: the default, unless it was started with the signal ignored
    // (as a shell's background job is, for an interrupt).
    const Handler interrupt = HandlerOf(SIGINT);
    const Handler terminate = HandlerOf(SIGTERM);
    HWND window = nullptr;
    if (throughWindow) {
      window = MakeWindow();
      ASSERT_NE(window, nullptr);
    } else {
      ASSERT_TRUE(StartSDLVideo());
      ASSERT_NE(SDL_SetVideoMode(64, 48, 16, 0), nullptr);
    }
    ASSERT_NE(GetSDLWindow(), nullptr);
    EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);

    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Something broke.", "Error", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Something broke.\n");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_EQ(GetSDLWindow(), nullptr);
    if (window) {
      EXPECT_FALSE(IsWindow(window));
    }
    EXPECT_EQ(HandlerOf(SIGINT), interrupt);
    EXPECT_EQ(HandlerOf(SIGTERM), terminate);
  }
}

// On a real display the box waits for OK; an interrupt or terminate signal closes it as OK does,
// and the program's own handling of the signal is back afterwards.
TEST(MessageBoxOnScreen, AnInterruptOrTerminateSignalClosesTheBox) {
  if (!UnderX11()) GTEST_SKIP() << "needs an X display (the Xvfb run)";
  unsetenv("PILO_NO_DIALOGS");
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    // The program's handler takes the signals that come before the box is up.
    struct sigaction counting {};
    counting.sa_handler = CountSignal;
    sigemptyset(&counting.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(sigaction(signal, &counting, &previous), 0);

    std::atomic<bool> closed{false};
    std::thread sender([&closed, signal] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!closed) {
        if (std::chrono::steady_clock::now() > deadline) {
          std::fprintf(stderr, "the box did not close on %s\n", strsignal(signal));
          _exit(1);
        }
        kill(getpid(), signal);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    });
    testing::internal::CaptureStderr();
    const int result = MessageBoxA(nullptr, "Close me with a signal.", "Error", MB_OK);
    closed = true;
    sender.join();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Close me with a signal.\n");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(HandlerOf(signal), CountSignal);
    sigaction(signal, &previous, nullptr);
  }
}

TEST(MessageBox, ItsLabelShowsTheTextAsWritten) {
  // The label is UTF-8 for FLTK, which would read a lone "@" as a symbol's name.
  EXPECT_EQ(plat::win::detail::MessageBoxLabel("Caf\xE9 @ 10\x80"), "Caf\xC3\xA9 @@ 10\xE2\x82\xAC");
  EXPECT_EQ(plat::win::detail::MessageBoxLabel("@@"), "@@@@");
  EXPECT_EQ(plat::win::detail::MessageBoxLabel(""), "");
}
