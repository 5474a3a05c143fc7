// The application in-process: start-up, the frame's order, node switching, input from SDL events
// and from the window procedure, activation, quitting and shut-down.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/Periodical.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/InputEventInfo.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "framework/WinMain.h"
#include "graphics/DisplayDevice.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/SystemParameters.h"
#include "sound/Sound.h"
#include "sound/SoundEvents.h"
#include "sound/SoundRegistry.h"
#include "sound/WinSoundManager.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> gLog;
int32_t gNextRequest = -1;  // what the node asks for in its next update

std::string Describe(int id, const InputEventInfo& info) {
  char text[64];
  switch (id) {
    case EventId::Char:
      std::snprintf(text, sizeof(text), "char %u", info.code);
      break;
    case EventId::KeyDown:
      std::snprintf(text, sizeof(text), "down %u", info.code);
      break;
    case EventId::KeyUp:
      std::snprintf(text, sizeof(text), "up %u", info.code);
      break;
    default:
      std::snprintf(text, sizeof(text), "mouse %d button %u at %d,%d", id, info.button, info.position.X(),
                    info.position.Y());
      break;
  }
  return text;
}

class TestNode : public GameNode {
public:
  explicit TestNode(int32_t id) : m_id(std::to_string(id)) {
    SetName(("test node " + m_id).c_str());
    gLog.push_back("build " + m_id);
  }
  ~TestNode() override { gLog.push_back("delete " + m_id); }
  void Activate() override {
    GameNode::Activate();
    gLog.push_back("activate " + m_id);
  }
  void Deactivate() override {
    GameNode::Deactivate();
    gLog.push_back("deactivate " + m_id);
  }
  void Update() override {
    GameNode::Update();
    gLog.push_back("update " + m_id);
    if (gNextRequest >= 0) NodeManager::Instance().RequestNode(gNextRequest);
    gNextRequest = -1;
  }
  void UpdateAlways() override { gLog.push_back("always " + m_id); }
  void HandleEvent(int kind, int id, void* data) override {
    if (kind == kEventInput) gLog.push_back(Describe(id, *static_cast<InputEventInfo*>(data)));
  }

private:
  std::string m_id;
};

GameNode* CreateTestNode(int32_t id) {
  return id == kNodeNone ? nullptr : new TestNode(id);
}

class TickLogger : public Qel::Periodical {
public:
  int Update() override {
    gLog.push_back("tick");
    return 0;
  }
};

class DisplayLogger : public Qel::IEventListener {
public:
  void HandleEvent(int, int id, void*) override {
    gLog.push_back(id == Qel::DisplayDevice::kDisplayEventFrameBegun ? "frame begun" : "frame ended");
  }
};

// A clock the test moves by hand.
uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

void Push(const SDL_Event& event) {
  ASSERT_EQ(SDL_PushEvent(const_cast<SDL_Event*>(&event)), 0);
}

SDL_Event Key(Uint8 type, SDLKey symbol, SDLMod mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = symbol;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event Button(Uint8 type, Uint8 button, Uint16 x, Uint16 y) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event Focus(bool gain) {
  SDL_Event event{};
  event.type = SDL_ACTIVEEVENT;
  event.active.type = SDL_ACTIVEEVENT;
  event.active.state = SDL_APPINPUTFOCUS;
  event.active.gain = gain ? 1 : 0;
  return event;
}

SDL_Event Quit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  return event;
}

class App : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\nccon = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(CreateTestNode);
  }

  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  bool Start() { return m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10); }

  // Runs frames until the first node exists, then forgets what happened so far.
  void StartWithNode() {
    ASSERT_TRUE(Start());
    m_app.Frame();
    ASSERT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
    gLog.clear();
  }

  WinApp& m_app = GetApp();
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
  EXPECT_TRUE(gLog.empty());
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
  EXPECT_EQ(gLog, firstFrame);
  EXPECT_EQ(NodeManager::Instance().GetCurrentNode()->GetLastUpdateTime(), 40u);
  EXPECT_STREQ(NodeManager::Instance().GetCurrentNodeName(), "test node 3");
  EXPECT_EQ(m_app.GetFpsCounter().GetTotalFrames(), 1u);

  // A switch the node asks for happens at the start of the next frame, not during this one.
  gLog.clear();
  gNextRequest = kNodeHub;
  m_app.Frame();
  m_app.Frame();
  const std::vector<std::string> switched = {
      "tick",     "update 3", "always 3",   "frame begun", "frame ended", "tick",        "deactivate 3",
      "delete 3", "build 6",  "activate 6", "update 6",    "always 6",    "frame begun", "frame ended"};
  EXPECT_EQ(gLog, switched);

  ticker.Stop();
  Qel::EventManager::GetInstance()->RemoveListener(&display);
  gLog.clear();
  m_app.Shutdown();
  EXPECT_EQ(gLog, std::vector<std::string>({"deactivate 6", "delete 6"}));
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
  EXPECT_EQ(gLog, std::vector<std::string>({"always 3"}));
  m_app.ResumeGame();
  gNow += 100;
  m_app.Frame();
  EXPECT_EQ(GameClock::Instance().GetLastTime(), gameTime + 100);
}

TEST_F(App, SDLInputReachesTheNodeAsInputEvents) {
  StartWithNode();
  Push(Key(SDL_KEYDOWN, SDLK_a));
  Push(Key(SDL_KEYUP, SDLK_a));  // characters have no key-up
  Push(Key(SDL_KEYDOWN, SDLK_F1));
  Push(Key(SDL_KEYUP, SDLK_F1));
  Push(Key(SDL_KEYDOWN, SDLK_ESCAPE));
  Push(Key(SDL_KEYDOWN, SDLK_PAGEUP));  // no code
  Push(Key(SDL_KEYDOWN, SDLK_F4));      // without Alt F4 is an ordinary key
  Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  Push(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21));
  Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1));
  Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 799, 599));
  Push(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 799, 599));
  Push(Quit());  // the close box
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
  EXPECT_EQ(gLog, expected);
  EXPECT_TRUE(m_app.IsQuitRequested());
  m_app.Shutdown();
}

TEST_F(App, InputAfterShutDownDoesNotBringTheEventManagerBack) {
  StartWithNode();
  m_app.Shutdown();
  ASSERT_FALSE(Qel::EventManager::Exists());
  gLog.clear();
  m_app.HandleSDLEvent(Key(SDL_KEYDOWN, SDLK_a));
  m_app.HandleSDLEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1));
  EXPECT_FALSE(Qel::EventManager::Exists());
  EXPECT_TRUE(gLog.empty());
}

TEST_F(App, AltF4EndsTheLoop) {
  StartWithNode();
  Push(Key(SDL_KEYDOWN, SDLK_F4, KMOD_RALT));
  m_app.Run();
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_TRUE(gLog.empty());  // nothing was posted for the combination
  m_app.Shutdown();
}

namespace {
int gWaits = 0;
uint32_t gAppTimeWhileAway = 0;
void ComeBackAfterASecond() {
  ++gWaits;
  gAppTimeWhileAway = ApplicationClock::Instance().GetTime();
  gNow += 1000;
  Push(Focus(true));
  Push(Quit());
}
}  // namespace

TEST_F(App, LosingFocusStopsFramesAndTheClocksAndWaitsForMessages) {
  StartWithNode();
  m_app.Frame();
  const uint32_t before = ApplicationClock::Instance().GetTime();
  gLog.clear();
  plat::win::SetWaitMessageHookForTesting(ComeBackAfterASecond);
  Push(Focus(false));
  m_app.Run();
  plat::win::SetWaitMessageHookForTesting(nullptr);

  EXPECT_EQ(gWaits, 1);
  EXPECT_TRUE(gLog.empty());  // no frame ran while away
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
  TestNode listener(0);
  Qel::EventManager::GetInstance()->AddListener(kEventInput, &listener);
  SDL_Event key = Key(SDL_KEYDOWN, SDLK_a);
  key.key.keysym.unicode = 'a';
  Push(key);
  Push(key);  // held down: the repeat sends nothing
  Push(Key(SDL_KEYUP, SDLK_a));
  Push(Key(SDL_KEYDOWN, SDLK_F1));
  Push(Key(SDL_KEYDOWN, SDLK_F1));
  Push(Key(SDL_KEYUP, SDLK_F1));
  Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6));
  Push(Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT));  // Alt alone opens no menu
  Push(Key(SDL_KEYUP, SDLK_LALT));
  Push(Quit());

  plat::win::MSG msg;
  while (plat::win::GetMessageA(&msg, nullptr, 0, 0)) {
    plat::win::TranslateMessage(&msg);
    plat::win::DispatchMessageA(&msg);
  }
  const std::vector<std::string> expected = {"build 0", "char 65", "down 112", "up 112",
                                             "mouse 6 button 2 at 5,6"};
  EXPECT_EQ(gLog, expected);
  EXPECT_FALSE(plat::win::IsWindow(m_app.GetWindow()));  // the close box destroyed it
  Qel::EventManager::GetInstance()->RemoveListener(&listener);
}

TEST_F(App, AltF4OnTheGameWindowClosesIt) {
  ASSERT_TRUE(m_app.CreateGameWindow());
  Push(Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT));
  Push(Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT));
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

// The sounds' share of the three phases: the device opens on the window at start-up, a frame's sound
// update comes after the node switch and before the node's update, and shut-down ends it all.
TEST_F(App, SoundOpensWithTheWindowIsUpdatedBeforeTheNodeAndEndsAtShutDown) {
  test::SoundStage stage(false);
  stage.AddWave("tone", test::Tone(500));
  StartWithNode();
  ASSERT_NE(Qel::WinSoundManager::Instance()->GetDirectSound(), nullptr);

  class FinishLogger : public Qel::IEventListener {
  public:
    void HandleEvent(int, int id, void* data) override {
      if (id == Qel::EventId::SoundFinished)
        gLog.push_back(std::string("finished ") + static_cast<char*>(data));
    }
  } listener;
  Qel::EventManager::GetInstance()->AddListener(Qel::kEventSound, &listener);
  auto sound = std::make_shared<Qel::Sound>("tone", false, -1);
  sound->SetId("tone");
  ASSERT_TRUE(Qel::WinSoundManager::Instance()->PlaySound(sound, true));
  sound->Stop();
  gNow += 20;
  m_app.Frame();
  EXPECT_EQ(gLog, std::vector<std::string>({"finished tone", "update 3", "always 3"}));
  Qel::EventManager::GetInstance()->RemoveListener(&listener);

  MusicManager::Instance().QueueMusic("tone", true);
  MusicManager::Instance().PlayNext(true);
  ASSERT_TRUE(Qel::WinSoundManager::Instance()->GetNumSoundsPlaying() == 1);
  Qel::SoundRegistry::Instance();
  m_app.Shutdown();
  EXPECT_FALSE(MusicManager::Instance().IsRunning());
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);
  EXPECT_FALSE(Qel::WinSoundManager::Exists());
  EXPECT_FALSE(Qel::SoundRegistry::Exists());
  EXPECT_FALSE(sound->IsPlaying());
}
