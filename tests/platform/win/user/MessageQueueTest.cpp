// The message queue: posted and quit messages, waiting (timed too), and SDL input delivered as window
// messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/Window.h"
#include "support/SdlEvents.h"

using namespace plat::win;

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Seen> gSeen;
bool gSwallowKeyMenu = false;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  gSeen.push_back({message, wParam, lParam});
  if (message == WM_SYSCOMMAND && wParam == SC_KEYMENU && gSwallowKeyMenu) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

class WindowQueue : public testing::Test {
protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kProgramIconId));
    // A class lives as long as the process, so it is registered once, under a name of its own: the
    // other suites' "Test Window" has another procedure.
    windowClass.lpszClassName = "Queue Window";
    static const ATOM registered = RegisterClassA(&windowClass);
    ASSERT_NE(registered, 0);
    RECT rect{0, 0, 800, 600};
    ASSERT_TRUE(AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW | WS_VISIBLE, FALSE, 0));
    m_window = CreateWindowExA(0, "queue window", "Caption", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                               CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_window, nullptr);
    gSeen.clear();
  }

  void TearDown() override {
    if (IsWindow(m_window)) DestroyWindow(m_window);
  }

  // The game's loop: dispatch while messages wait; false once WM_QUIT came.
  static bool DispatchAll() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!GetMessageA(&msg, nullptr, 0, 0)) return false;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return true;
  }

  static std::vector<UINT> Messages() {
    std::vector<UINT> messages;
    for (const Seen& seen : gSeen) messages.push_back(seen.message);
    return messages;
  }

  HWND m_window = nullptr;
};

}  // namespace

TEST_F(WindowQueue, KeysArriveAsKeyDownCharKeyUpWithRepeatsMarked) {
  EXPECT_EQ(SDL_GetVideoSurface()->w, 800);
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_a, 'a'));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_a, 'a'));  // auto-repeat
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_a, 0));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F1, 0));
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_F1, 0));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_DELETE, 127));
  EXPECT_TRUE(DispatchAll());

  const std::vector<UINT> expected = {WM_KEYDOWN, WM_CHAR,    WM_KEYDOWN, WM_CHAR,
                                      WM_KEYUP,   WM_KEYDOWN, WM_KEYUP,   WM_KEYDOWN};
  ASSERT_EQ(Messages(), expected);
  EXPECT_EQ(gSeen[0].wParam, WPARAM('A'));
  EXPECT_EQ(gSeen[1].wParam, WPARAM('a'));
  EXPECT_FALSE(gSeen[0].lParam & KF_REPEAT_BIT);
  EXPECT_TRUE(gSeen[2].lParam & KF_REPEAT_BIT);
  EXPECT_TRUE(gSeen[3].lParam & KF_REPEAT_BIT);  // a character carries its key's state
  EXPECT_TRUE(gSeen[4].lParam & KF_REPEAT_BIT);
  EXPECT_EQ(gSeen[5].wParam, VK_F1);
  EXPECT_EQ(gSeen[7].wParam, VK_DELETE);  // and no character for Delete
}

TEST_F(WindowQueue, CharactersAreInTheLayoutsCodePage) {
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_e, 0x00E9));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_5, 0x20AC));
  DispatchAll();
  ASSERT_EQ(gSeen.size(), 4u);
  EXPECT_EQ(gSeen[1].wParam, 0xE9u);
  EXPECT_EQ(gSeen[3].wParam, 0x80u);
}

TEST_F(WindowQueue, LeftAndRightButtonsOnlyAndNeverDoubleClicks) {
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 20));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 799, 599));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 799, 599));
  DispatchAll();
  const std::vector<UINT> expected = {513, 514, 513, 516, 517};
  ASSERT_EQ(Messages(), expected);
  EXPECT_EQ(LOWORD(gSeen[0].lParam), 10);
  EXPECT_EQ(HIWORD(gSeen[0].lParam), 20);
  EXPECT_EQ(LOWORD(gSeen[4].lParam), 799);
  EXPECT_EQ(HIWORD(gSeen[4].lParam), 599);
}

TEST_F(WindowQueue, FocusChangesAreActivation) {
  SDL_Event event{};
  event.type = SDL_ACTIVEEVENT;
  event.active.type = SDL_ACTIVEEVENT;
  event.active.state = SDL_APPMOUSEFOCUS;  // the pointer leaving is not deactivation
  event.active.gain = 0;
  SDL_PushEvent(&event);
  event.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&event);
  event.active.gain = 1;
  SDL_PushEvent(&event);
  DispatchAll();
  ASSERT_EQ(Messages(), std::vector<UINT>({WM_ACTIVATEAPP, WM_ACTIVATEAPP}));
  EXPECT_EQ(gSeen[0].wParam, WPARAM(FALSE));
  EXPECT_EQ(gSeen[1].wParam, WPARAM(TRUE));
}

TEST_F(WindowQueue, TheCloseBoxDestroysTheWindow) {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
  DispatchAll();
  ASSERT_EQ(Messages(), std::vector<UINT>({WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(m_window));
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);  // the window's video mode ended with it
}

TEST_F(WindowQueue, AltF4ClosesAndAltAloneAsksForTheSystemMenu) {
  gSwallowKeyMenu = true;
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_LALT, 0, KMOD_LALT));
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_LALT, 0));
  DispatchAll();
  ASSERT_EQ(Messages(), std::vector<UINT>({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCOMMAND}));
  EXPECT_EQ(gSeen[2].wParam, SC_KEYMENU);
  EXPECT_TRUE(IsWindow(m_window));

  gSeen.clear();
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_LALT, 0, KMOD_LALT));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F4, 0, KMOD_LALT));
  DispatchAll();
  ASSERT_EQ(Messages(),
            std::vector<UINT>({WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
  EXPECT_EQ(gSeen[2].wParam, SC_CLOSE);
  EXPECT_FALSE(IsWindow(m_window));
}

TEST_F(WindowQueue, PostedMessagesComeBeforeInputAndQuitComesLast) {
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_UP, 0));
  PostQuitMessage(3);
  ASSERT_TRUE(PostMessageA(m_window, WM_USER, 7, 8));
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(msg.wParam, 7u);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(WindowQueue, OnlyOneWindowAtATimeAndOnlyItsOwnerDestroysIt) {
  EXPECT_EQ(
      CreateWindowExA(0, "Test Window", "Second", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(CreateWindowExA(0, "No Such Class", "x", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetSDLWindow(), m_window);
  EXPECT_TRUE(DestroyWindow(m_window));
  EXPECT_FALSE(DestroyWindow(m_window));
  EXPECT_EQ(GetSDLWindow(), nullptr);
}

namespace {
int gWaits = 0;
void PushEventOnWait() {
  ++gWaits;
  SDL_Event event{};
  event.type = SDL_USEREVENT;
  SDL_PushEvent(&event);
}
}  // namespace

TEST(MessageQueue, WithoutTheWindowOnlyPostsAreQueuedAndWaitLeavesSDLEventsPending) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  ASSERT_NE(SDL_SetVideoMode(320, 200, 0, SDL_SWSURFACE), nullptr);
  const HWND window = GetSDLWindow();
  ASSERT_NE(window, nullptr);

  SetWaitMessageHookForTesting(PushEventOnWait);
  EXPECT_TRUE(WaitMessage());
  EXPECT_EQ(gWaits, 1);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // SDL's events stay SDL's
  SDL_Event event;
  ASSERT_EQ(SDL_PollEvent(&event), 1);
  EXPECT_EQ(event.type, SDL_USEREVENT);

  SetWaitMessageHookForTesting([] { PostMessageA(nullptr, WM_USER, 0, 0); });
  EXPECT_TRUE(WaitMessage());
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(DispatchMessageA(&msg), 0);  // a thread message has no procedure
  SetWaitMessageHookForTesting(nullptr);

  // The icon can be handed over to SDL's own window.
  SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_SYSMENU);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), LONG(WS_SYSMENU));
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kProgramIconId));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(101)), nullptr);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  EXPECT_FALSE(DestroyWindow(window));  // SDL's window belongs to the SDL display
  SDL_Quit();
  EXPECT_EQ(GetSDLWindow(), nullptr);
}

TEST(MessageQueue, WaitReturnsAtOnceWhenNothingCouldEverArrive) {
  ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
  EXPECT_TRUE(WaitMessage());
}

namespace {

// Milliseconds a call takes on the wall clock.
template <typename Call>
uint32_t TimeOf(Call call) {
  const uint32_t start = GetTickCount();
  call();
  return GetTickCount() - start;
}

bool UnderX11() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const char* display = std::getenv("DISPLAY");
  return driver && std::strcmp(driver, "x11") == 0 && display && *display;
}

}  // namespace

TEST(MessageQueue, ATimedWaitEndsWithTheFirstMessageOrEventOrWhenItsTimeIsUp) {
  // Handles are not waited on.
  HANDLE handle = nullptr;
  SetLastError(0);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &handle, FALSE, 10, QS_ALLINPUT), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});

  // Without video nothing could arrive: the whole time is slept.
  ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
  DWORD result = 0;
  EXPECT_GE(TimeOf([&] { result = MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT); }), 30u);
  EXPECT_EQ(result, WAIT_TIMEOUT);

  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  ASSERT_NE(SDL_SetVideoMode(320, 200, 0, SDL_SWSURFACE), nullptr);
  struct Case {
    const char* name;
    WaitHookFn arrives;  // what comes while it waits
    DWORD result;
  };
  const Case cases[] = {
      {"an SDL event",
       [] {
         SDL_Event event{};
         event.type = SDL_USEREVENT;
         SDL_PushEvent(&event);
       },
       WAIT_OBJECT_0},
      {"a posted message", [] { PostMessageA(nullptr, WM_USER, 0, 0); }, WAIT_OBJECT_0},
      {"nothing", [] {}, WAIT_TIMEOUT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetWaitMessageHookForTesting(c.arrives);
    const DWORD wait = c.result == WAIT_TIMEOUT ? 30 : 20000;
    const uint32_t took =
        TimeOf([&] { result = MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT); });
    EXPECT_EQ(result, c.result);
    if (c.result == WAIT_TIMEOUT) {
      EXPECT_GE(took, wait);
    } else {
      EXPECT_LT(took, wait / 2);
    }
    // It takes nothing: what ended it is still there.
    MSG msg;
    SDL_Event event;
    const bool left = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) || SDL_PollEvent(&event) == 1;
    EXPECT_EQ(left, c.result == WAIT_OBJECT_0);
  }
  SetWaitMessageHookForTesting(nullptr);
  SDL_Quit();
}

TEST(MessageWaitOnScreen, InputFromTheDisplayEndsATimedWaitAtOnce) {
  if (!UnderX11()) GTEST_SKIP() << "needs an X display (the Xvfb run)";
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "needs xdotool";
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  ASSERT_NE(SDL_SetVideoMode(320, 200, 0, SDL_SWSURFACE), nullptr);
  // The pointer away from the window, and whatever the window shows first taken before the wait.
  ASSERT_EQ(std::system("xdotool mousemove 700 700"), 0);
  SDL_Event event;
  for (const uint32_t start = GetTickCount(); GetTickCount() - start < 300;) {
    while (SDL_PollEvent(&event) == 1) {
    }
  }
  // Another client moves the pointer into the window once the wait sleeps on the connection.
  ASSERT_EQ(std::system("(sleep 0.3; xdotool mousemove 100 100) >/dev/null 2>&1 &"), 0);
  DWORD result = 0;
  const uint32_t took =
      TimeOf([&] { result = MsgWaitForMultipleObjects(0, nullptr, FALSE, 20000, QS_ALLINPUT); });
  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 10000u);
  ASSERT_EQ(SDL_PollEvent(&event), 1);
  EXPECT_TRUE(event.type == SDL_MOUSEMOTION || event.type == SDL_ACTIVEEVENT) << int{event.type};
  SDL_Quit();
}
