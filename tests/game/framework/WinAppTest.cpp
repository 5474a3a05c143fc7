// The application in-process: start-up, the frame's order, node switching, input from SDL events
// and from the window procedure, activation, quitting and shut-down.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/Periodical.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/InputEventInfo.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "framework/WinMain.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLSurface.h"
#include "graphics/SurfaceOps.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/SystemParameters.h"
#include "support/LoggingNode.h"
#include "support/SdlEvents.h"
#include "support/TempDir.h"

namespace {

class TickLogger : public Qel::Periodical {
public:
  int Update() override {
    test::NodeLog().push_back("tick");
    return 0;
  }
};

class DisplayLogger : public Qel::IEventListener {
public:
  void HandleEvent(int, int id, void*) override {
    test::NodeLog().push_back(id == Qel::DisplayDevice::kDisplayEventFrameBegun ? "frame begun"
                                                                                : "frame ended");
  }
};

// A clock the test moves by hand.
uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

class App : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\nccon = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
  }

  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  bool Start() { return m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10); }

  // Runs frames until the first node exists, then forgets what happened so far.
  void StartWithNode() {
    ASSERT_TRUE(Start());
    m_app.Frame();
    ASSERT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
    test::NodeLog().clear();
  }

  WinApp& m_app = GetWinApp();
};

}  // namespace

TEST_F(App, StartsUpInOrderAndBuildsTheTitleNodeAtTheFirstFrame) {
  // "Caption" then a string table in UTF-16 with its byte-order mark.
  std::string table = "\xFF\xFE";
  for (const char c : std::string("; the window caption\r\nPilo Test\r\nsecond\r\n")) table += {c, '\0'};
  test::WriteFile("PiloStr.txt", table);

  plat::win::BOOL screenSaver = plat::win::FALSE;
  ASSERT_TRUE(Start());
  EXPECT_TRUE(m_app.IsRunning());
  EXPECT_STREQ(m_app.GetWindowCaption(), "Pilo Test");
  EXPECT_STREQ(m_app.GetSecondText(), "second");
  EXPECT_EQ(gCaptionsOn, 1);
  ASSERT_NE(m_app.GetDisplay(), nullptr);
  EXPECT_NE(m_app.GetWindow(), nullptr);
  EXPECT_EQ(SDL_GetVideoSurface()->w, 800);
  EXPECT_EQ(SDL_GetVideoSurface()->h, 600);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  EXPECT_EQ(SDL_EventState(SDL_MOUSEMOTION, SDL_QUERY), SDL_IGNORE);
  plat::win::SystemParametersInfoA(plat::win::SPI_GETSCREENSAVEACTIVE, 0, &screenSaver, 0);
  EXPECT_FALSE(screenSaver);

  // The node is requested, not built, by start-up.
  EXPECT_TRUE(test::NodeLog().empty());
  EXPECT_TRUE(NodeManager::Instance().IsChangePending());
  EXPECT_EQ(NodeManager::Instance().GetRequestedId(), kNodeTitleScreen);

  TickLogger ticker;
  ticker.Start();
  DisplayLogger display;
  Qel::EventManager::GetInstance()->AddListener(Qel::DisplayDevice::kDisplayEvent, &display);
  gNow += 40;
  m_app.Frame();
  const std::vector<std::string> firstFrame = {"tick",     "build 3",     "activate 3", "update 3",
                                               "always 3", "frame begun", "frame ended"};
  EXPECT_EQ(test::NodeLog(), firstFrame);
  EXPECT_EQ(NodeManager::Instance().GetCurrentNode()->GetLastUpdateTime(), 40u);
  EXPECT_STREQ(NodeManager::Instance().GetCurrentNodeName(), "test node 3");
  EXPECT_EQ(m_app.GetFpsCounter().GetTotalFrames(), 1u);

  // A switch the node asks for happens at the start of the next frame, not during this one.
  test::NodeLog().clear();
  test::LoggingNode::RequestInNextUpdate(kNodeHub);
  m_app.Frame();
  m_app.Frame();
  const std::vector<std::string> switched = {
      "tick",     "update 3", "always 3",   "frame begun", "frame ended", "tick",        "deactivate 3",
      "delete 3", "build 6",  "activate 6", "update 6",    "always 6",    "frame begun", "frame ended"};
  EXPECT_EQ(test::NodeLog(), switched);

  ticker.Stop();
  Qel::EventManager::GetInstance()->RemoveListener(&display);
  test::NodeLog().clear();
  m_app.Shutdown();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"deactivate 6", "delete 6"}));
  EXPECT_FALSE(m_app.IsRunning());
  EXPECT_EQ(m_app.GetDisplay(), nullptr);
  plat::win::SystemParametersInfoA(plat::win::SPI_GETSCREENSAVEACTIVE, 0, &screenSaver, 0);
  EXPECT_TRUE(screenSaver);
}

TEST_F(App, WhilePausedTheGameClockStandsAndOnlyUpdateAlwaysRuns) {
  StartWithNode();
  const uint32_t gameTime = GameClock::Instance().GetLastTime();
  m_app.PauseGame();
  gNow += 500;
  m_app.Frame();
  EXPECT_EQ(GameClock::Instance().GetLastTime(), gameTime);
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"always 3"}));
  m_app.ResumeGame();
  gNow += 100;
  m_app.Frame();
  EXPECT_EQ(GameClock::Instance().GetLastTime(), gameTime + 100);
}

TEST_F(App, SDLInputReachesTheNodeAsInputEvents) {
  StartWithNode();
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_a));
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_a));  // characters have no key-up
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F1));
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_F1));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_PAGEUP));  // no code
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F4));      // without Alt F4 is an ordinary key
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 799, 599));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 799, 599));
  test::PushEvent(test::QuitEvent());  // the close box
  m_app.Run();
  const std::vector<std::string> expected = {"char 65",
                                             "down 112",
                                             "up 112",
                                             "char 27",
                                             "down 115",
                                             "mouse 6 button 1 at 10,20",
                                             "mouse 7 button 1 at 11,21",
                                             "mouse 6 button 2 at 799,599",
                                             "mouse 7 button 2 at 799,599"};
  EXPECT_EQ(test::NodeLog(), expected);
  EXPECT_TRUE(m_app.IsQuitRequested());
  m_app.Shutdown();
}

TEST_F(App, StartUpRegistersTheSurfaceKindsAndShutDownRemovesThem) {
  const char* any = typeid(Qel::DrawingSurface).name();
  const char* sdl = typeid(Qel::SDLSurface).name();
  const char* tiled = typeid(Qel::MultiSurface).name();
  const char* compressed = typeid(Qel::CompressedSurface).name();
  const auto registered = [&] {
    return std::vector<bool>{
        Qel::FindBlitOp(sdl, sdl) != nullptr,        Qel::FindCopyOp(tiled, any) != nullptr,
        Qel::FindBlitOp(tiled, any) != nullptr,      Qel::FindBlitOp(any, tiled) != nullptr,
        Qel::FindCopyOp(compressed, any) != nullptr, Qel::FindBlitOp(compressed, any) != nullptr,
        Qel::FindBlitOp(any, compressed) != nullptr};
  };
  ASSERT_TRUE(Start());
  EXPECT_EQ(registered(), std::vector<bool>(7, true));
  m_app.Shutdown();
  EXPECT_EQ(registered(), std::vector<bool>(7, false));
}

TEST_F(App, InputAfterShutDownDoesNotBringTheEventManagerBack) {
  StartWithNode();
  m_app.Shutdown();
  ASSERT_FALSE(Qel::EventManager::Exists());
  test::NodeLog().clear();
  m_app.HandleSDLEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_a));
  m_app.HandleSDLEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1));
  EXPECT_FALSE(Qel::EventManager::Exists());
  EXPECT_TRUE(test::NodeLog().empty());
}

TEST_F(App, AltF4EndsTheLoop) {
  StartWithNode();
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F4, 0, KMOD_RALT));
  m_app.Run();
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_TRUE(test::NodeLog().empty());  // nothing was posted for the combination
  m_app.Shutdown();
}

namespace {
int gWaits = 0;
uint32_t gAppTimeWhileAway = 0;
void ComeBackAfterASecond() {
  ++gWaits;
  gAppTimeWhileAway = ApplicationClock::Instance().GetTime();
  gNow += 1000;
  test::PushEvent(test::FocusEvent(true));
  test::PushEvent(test::QuitEvent());
}
}  // namespace

TEST_F(App, LosingFocusStopsFramesAndTheClocksAndWaitsForMessages) {
  StartWithNode();
  m_app.Frame();
  const uint32_t before = ApplicationClock::Instance().GetTime();
  test::NodeLog().clear();
  plat::win::SetWaitMessageHookForTesting(ComeBackAfterASecond);
  test::PushEvent(test::FocusEvent(false));
  m_app.Run();
  plat::win::SetWaitMessageHookForTesting(nullptr);

  EXPECT_EQ(gWaits, 1);
  EXPECT_TRUE(test::NodeLog().empty());  // no frame ran while away
  EXPECT_EQ(gAppTimeWhileAway, before);
  EXPECT_TRUE(m_app.IsActive());
  // The second away does not count on the application clock, nor on the game clock built on it.
  EXPECT_EQ(ApplicationClock::Instance().GetTime(), before);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  m_app.Shutdown();
}

TEST_F(App, TheDisplayChoiceFollowsTheGraphicsSetting) {
  struct Case {
    const char* settings;
    bool alpha;
    const char* renderer;
    bool lowSpec;
  };
  const Case cases[] = {
      {"graphics = 1\ncpu = 0\nmem = 0\n", true, "Renderer: SDL 1.2.4 [alpha] - ", false},
      {"graphics = 1\ncpu = 500\nmem = 0\n", true, "Renderer: SDL 1.2.4 [alpha] - ", true},
      {"graphics = 1\ncpu = 0\nmem = 64\n", true, "Renderer: SDL 1.2.4 [alpha] - ", true},
      {"graphics = 2\ncpu = 0\nmem = 0\n", true, "Renderer: SDL 1.2.4 [alpha] - ", false},
      // The default: Direct3D first, then SDL without alpha.
      {"graphics = 3\ncpu = 0\nmem = 0\n", false, "Renderer: SDL 1.2.4 [no alpha] - ", true},
  };
  // Settings stay from one start-up to the next within the process, so every case sets them all.
  for (const Case& c : cases) {
    test::WriteFile("Pilo.ini", std::string("windowed = 1\n") + c.settings);
    ASSERT_TRUE(Start()) << c.settings;
    EXPECT_EQ(m_app.IsAlphaCapable(), c.alpha) << c.settings;
    EXPECT_EQ(m_app.IsLowSpec(), c.lowSpec) << c.settings;
    std::string renderer;
    m_app.GetRendererText(renderer);
    EXPECT_EQ(renderer, std::string(c.renderer) + m_app.GetRendererFormatName() + "\n");
    EXPECT_STRNE(m_app.GetRendererFormatName(), "Unknown");
    m_app.Shutdown();
  }
}

TEST_F(App, TheWindowProcedureTurnsTheGameWindowsMessagesIntoInputEvents) {
  // The Direct3D path's window, whose queue delivers SDL's input as window messages.
  ASSERT_TRUE(m_app.CreateGameWindow());
  test::LoggingNode listener(0);
  Qel::EventManager::GetInstance()->AddListener(kEventInput, &listener);
  SDL_Event key = test::KeyEvent(SDL_KEYDOWN, SDLK_a);
  key.key.keysym.unicode = 'a';
  test::PushEvent(key);
  test::PushEvent(key);  // held down: the repeat sends nothing
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_a));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F1));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F1));
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_F1));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_LALT, 0, KMOD_LALT));  // Alt alone opens no menu
  test::PushEvent(test::KeyEvent(SDL_KEYUP, SDLK_LALT));
  test::PushEvent(test::QuitEvent());

  plat::win::MSG msg;
  while (plat::win::GetMessageA(&msg, nullptr, 0, 0)) {
    plat::win::TranslateMessage(&msg);
    plat::win::DispatchMessageA(&msg);
  }
  const std::vector<std::string> expected = {"build 0", "char 65", "down 112", "up 112",
                                             "mouse 6 button 2 at 5,6"};
  EXPECT_EQ(test::NodeLog(), expected);
  EXPECT_FALSE(plat::win::IsWindow(m_app.GetWindow()));  // the close box destroyed it
  Qel::EventManager::GetInstance()->RemoveListener(&listener);
}

TEST_F(App, AltF4OnTheGameWindowClosesIt) {
  ASSERT_TRUE(m_app.CreateGameWindow());
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_LALT, 0, KMOD_LALT));
  test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_F4, 0, KMOD_LALT));
  plat::win::MSG msg;
  int dispatched = 0;
  while (plat::win::GetMessageA(&msg, nullptr, 0, 0)) {
    plat::win::DispatchMessageA(&msg);
    ++dispatched;
  }
  EXPECT_EQ(dispatched, 2);
  EXPECT_FALSE(plat::win::IsWindow(m_app.GetWindow()));
}

TEST_F(App, AFatalTextEndsTheProgramWithTheErrorBoxAndRestoresTheSystem) {
  NodeManager::Instance().SetNodeFactoryForTesting(nullptr);  // the game's own factory
  setenv("PILO_LOCK_DIR", std::filesystem::current_path().c_str(), 1);
  testing::internal::CaptureStderr();
  char commandLine[] = "";
  const int status = WinMain(plat::win::GetModuleHandleA(nullptr), nullptr, commandLine, 10);
  EXPECT_NE(status, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Invalid node ID in NodeFactory::CreateNode()\n");
  plat::win::BOOL screenSaver = plat::win::FALSE;
  plat::win::SystemParametersInfoA(plat::win::SPI_GETSCREENSAVEACTIVE, 0, &screenSaver, 0);
  EXPECT_TRUE(screenSaver);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}
