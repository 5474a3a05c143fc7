// The application in-process: start-up, the frame's order, node switching, input from SDL events
// and from the window procedure, activation, quitting and shut-down.
#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/IMemoryBlock.h"
#include "core/Periodical.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "framework/Ambient.h"
#include "framework/ApplicationClock.h"
#include "framework/FramePacer.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/InputEventInfo.h"
#include "framework/MouseCursor.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/RunSeams.h"
#include "framework/WinApp.h"
#include "framework/WinMain.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLSurface.h"
#include "graphics/StaticText.h"
#include "graphics/SurfaceOps.h"
#include "graphics/WinTextBox.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Cursor.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/SystemParameters.h"
#include "sound/Sound.h"
#include "sound/SoundEvents.h"
#include "sound/SoundRegistry.h"
#include "sound/WinSoundManager.h"
#include "support/LoggingNode.h"
#include "support/SdlEvents.h"
#include "support/SoundStage.h"
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

namespace {

// A data path written the Linux way in "Pilo.ini", and the root text the databases are traced under.
struct DataPathCase {
  const char* key;
  bool absolute;       // the value starts with the test's own folder
  const char* suffix;  // the rest of the value
  const char* root;    // the root as traced, after that folder
};

void PrintTo(const DataPathCase& c, std::ostream* out) {
  *out << c.key << " = " << (c.absolute ? "<folder>" : "") << c.suffix;
}

class DataPaths : public App, public testing::WithParamInterface<DataPathCase> {};

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string LoadText(const char* name) {
  std::shared_ptr<Qel::IMemoryBlock> block;
  Qel::ResourceManager::GetInstance()->Load(Qel::NameHash(name), Qel::kTypeText, block);
  return block ? std::string(reinterpret_cast<const char*>(block->GetData()), block->GetSize()) : "(none)";
}

}  // namespace

// The game runs in base/game; its data lies in base/pilodata, and a decoy of the same last name
// lies in the working folder, where a path mistaken for a bare name would lead.
TEST_P(DataPaths, LinuxPathsInTheSettingsReachTheirFolders) {
  const DataPathCase& c = GetParam();
  const std::filesystem::path base = std::filesystem::current_path();
  for (const char* name : {"Global", "Movies", "Music"}) {
    test::WriteFile(base / "pilodata" / "eng_usa" / name / (Lowered(name) + ".txt"), "real");
    test::WriteFile(base / "game" / "pilodata" / "eng_usa" / name / (Lowered(name) + ".txt"), "decoy");
  }
  ASSERT_EQ(chdir("game"), 0);
  const std::string value = (c.absolute ? base.string() : std::string()) + c.suffix;
  test::WriteFile("Pilo.ini", std::string("graphics = 0\nwindowed = 1\n") + c.key + " = " + value + "\n");
  setenv("PILO_TRACE", "1", 1);

  testing::internal::CaptureStderr();
  const bool started = Start();
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(started);
  // Settings values arrive lower-cased; the file layer matches them without regard to case.
  const std::string root = (c.absolute ? Lowered(base.string()) : std::string()) + c.root;
  for (const char* name : {"Global", "Movies", "Music"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(trace.find("INFO: Added resource directory " + root + "\\eng_usa\\" + name + ".\n"),
              std::string::npos)
        << trace;
    EXPECT_EQ(LoadText(Lowered(name).c_str()), "real");
  }
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(HdAndCdPaths, DataPaths,
                         testing::Values(DataPathCase{"hdpath", true, "/pilodata", "/pilodata"},
                                         DataPathCase{"hdpath", true, "/pilodata/", "/pilodata"},
                                         DataPathCase{"hdpath", false, "../pilodata", "../pilodata"},
                                         DataPathCase{"hdpath", false, "../pilodata/", "../pilodata"},
                                         DataPathCase{"cdpath", true, "/PiloData", "/pilodata"},
                                         DataPathCase{"cdpath", false, "../pilodata/", "../pilodata"}));

namespace {

struct MissingDataCase {
  const char* what;
  const char* settings;  // lines of "Pilo.ini"; <base> stands for the test's folder
  const char* missing;   // the text start-up keeps, <base> lowered as the settings read it
};

void PrintTo(const MissingDataCase& c, std::ostream* out) {
  *out << c.what;
}

class MissingData : public App, public testing::WithParamInterface<MissingDataCase> {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

std::string WithBase(std::string text, const std::string& base) {
  for (size_t at; (at = text.find("<base>")) != std::string::npos;) text.replace(at, 6, base);
  return text;
}

}  // namespace

// Data folders in which start-up finds no database at all are named in the message of the first
// resource that cannot be found, the caption bar every node loads first; data anywhere says nothing.
TEST_P(MissingData, FoldersWithoutGameDataAreNamedWhenTheFirstSpriteIsMissing) {
  const MissingDataCase& c = GetParam();
  const std::filesystem::path base = std::filesystem::current_path();
  std::filesystem::create_directories(base / "empty");
  std::filesystem::create_directories(base / "game");
  test::WriteFile(base / "data" / "universal" / "Global" / "thing.txt", "x");
  ASSERT_EQ(chdir("game"), 0);
  test::WriteFile("Pilo.ini",
                  WithBase(std::string("graphics = 0\nwindowed = 1\n") + c.settings, base.string()));
  testing::internal::CaptureStderr();
  const bool started = Start();
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(started);
  const std::string missing = WithBase(c.missing, Lowered(base.string()));
  EXPECT_EQ(m_app.GetMissingGameData(), missing);
  // Nothing else warns before that message: the cursor, missing too, says so only beside some data.
  EXPECT_EQ(trace.find("WARN: No cursor sprite 'Cursor'") != std::string::npos, missing.empty()) << trace;
  std::string thrown = "(nothing thrown)";
  try {
    Ambient bar("ccBar", "ccBar", 0);
  } catch (const char* text) {
    thrown = text;
  }
  EXPECT_EQ(thrown, "Failed to load sprite 'ccBar'" + (missing.empty() ? "" : ": " + missing) + "\n");
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MissingData,
    testing::Values(
        MissingDataCase{"a folder that does not exist", "hdpath = <base>/NoSuch\n",
                        "the hdpath folder <base>/nosuch holds no game data (there is no such folder)"},
        MissingDataCase{"an empty folder", "hdpath = <base>/empty/\n",
                        "the hdpath folder <base>/empty/ holds no game data"},
        MissingDataCase{"relative paths, the cdpath too", "hdpath = ../nosuch\ncdpath = ../empty\n",
                        "the hdpath folder ../nosuch holds no game data (there is no such folder), nor does "
                        "the cdpath folder ../empty"},
        MissingDataCase{"no setting at all", "",
                        "the hdpath folder resources holds no game data (there is no such folder)"},
        MissingDataCase{"data in the folder", "hdpath = <base>/data\n", ""},
        MissingDataCase{"data on the cdpath alone", "hdpath = <base>/empty\ncdpath = <base>/data\n", ""}));

namespace {

// A settings file that is there but cannot be read.
struct UnreadableSettingsCase {
  const char* what;
  void (*make)();
  const char* reason;
};

void PrintTo(const UnreadableSettingsCase& c, std::ostream* out) {
  *out << c.what;
}

class UnreadableSettings : public App, public testing::WithParamInterface<UnreadableSettingsCase> {};

}  // namespace

TEST_P(UnreadableSettings, AreNamedOnTheTraceAndTheDefaultsStay) {
  std::filesystem::remove("Pilo.ini");
  GetParam().make();
  setenv("PILO_TRACE", "1", 1);
  testing::internal::CaptureStderr();
  const bool started = Start();
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(started);
  EXPECT_NE(trace.find(std::string("WARN: Pilo.ini cannot be read: ") + GetParam().reason +
                       "; the settings keep their defaults.\n"),
            std::string::npos)
      << trace;
  EXPECT_EQ(m_app.GetOptions().GetGraphicsLevel(), 3);
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(
    FolderAndPipe, UnreadableSettings,
    testing::Values(UnreadableSettingsCase{"a folder", [] { std::filesystem::create_directory("Pilo.ini"); },
                                           "it is a folder"},
                    UnreadableSettingsCase{"a pipe", [] { ASSERT_EQ(mkfifo("Pilo.ini", 0644), 0); },
                                           "no regular file is there"}));

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

namespace {
uint32_t gPacedStart = 0;
int gPacedWaits = 0;
// Each wait of the paced loop: what the clock says, then what happens while it waits.
void ScriptThePacedLoop() {
  test::NodeLog().push_back("wait at +" + std::to_string(gNow - gPacedStart));
  switch (++gPacedWaits) {
    case 1:
      test::PushEvent(test::KeyEvent(SDL_KEYDOWN, SDLK_a));  // input arrives: the wait ends at once
      break;
    case 2:
      gNow += 7;  // not due yet when the wait times out
      break;
    case 3:
      gNow += 1;
      break;
    default:
      test::PushEvent(test::QuitEvent());
      break;
  }
}
}  // namespace

TEST_F(App, AFrameWaitsForItsTimeAndInputThatArrivesMeanwhileIsTakenAtOnce) {
  StartWithNode();
  gPacedStart = gNow;
  plat::win::SetWaitMessageHookForTesting(ScriptThePacedLoop);
  m_app.Run();
  plat::win::SetWaitMessageHookForTesting(nullptr);
  const std::vector<std::string> expected = {"update 3", "always 3",   "wait at +0",
                                             "char 65",  "wait at +0", "wait at +7",
                                             "update 3", "always 3",   "wait at +8"};
  EXPECT_EQ(test::NodeLog(), expected);
  m_app.Shutdown();
}

TEST_F(App, FramesArePacedOnTheSystemClockOrUnderAFrameStepOnTheWallClock) {
  struct Case {
    const char* frameMs;   // PILO_FRAME_MS, null: unset
    const char* noPacing;  // PILO_NO_PACING, null: unset
    uint32_t interval;     // 0: not paced
    FramePacer::Clock clock;
  };
  const Case cases[] = {
      {nullptr, nullptr, 8, &plat::win::timeGetTime},
      // Time standing still, and steps below the shortest, still come every 8 ms.
      {"0", nullptr, 8, &plat::win::GetTickCount},
      {"5", nullptr, 8, &plat::win::GetTickCount},
      {"20", nullptr, 20, &plat::win::GetTickCount},
      {"40", "0", 40, &plat::win::GetTickCount},
      {nullptr, "1", 0, nullptr},
      {"20", "1", 0, nullptr},
  };
  const auto set = [](const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.frameMs ? c.frameMs : "-") + " / " + (c.noPacing ? c.noPacing : "-"));
    ResetFrameTimeForTesting();
    set("PILO_FRAME_MS", c.frameMs);
    set("PILO_NO_PACING", c.noPacing);
    InstallFrameTime();
    m_app.StartFramePacing();
    const FramePacer& pacer = m_app.GetFramePacer();
    EXPECT_EQ(pacer.IsPacing(), c.interval != 0);
    EXPECT_EQ(pacer.GetInterval(), c.interval);
    EXPECT_EQ(pacer.GetClock(), c.clock);
  }
  unsetenv("PILO_FRAME_MS");
  unsetenv("PILO_NO_PACING");
  ResetFrameTimeForTesting();
  m_app.StartFramePacing();
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
      // Levels 2 and 3 try Direct3D first; WinAppDirect3DTest.cpp starts them, one start a process,
      // since the Direct3D path's window stays until the process ends.
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
  EXPECT_EQ(plat::win::ShowCursor(plat::win::TRUE), 1);  // the display count was back at 0: shown
  // The game's window went before the box.
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

namespace {

constexpr const char* kMusicalFailure = "The node failed once its music had started";

// A node that fails as a room does when its content is bad: its music has started when the fatal
// text is thrown, and its deactivation stops the music.
class MusicalFailingNode : public test::LoggingNode {
public:
  using LoggingNode::LoggingNode;
  void Activate() override {
    LoggingNode::Activate();
    MusicManager::Instance().QueueMusic("Signin_music", true);
    MusicManager::Instance().PlayNext(true);
    throw kMusicalFailure;
  }
  void Deactivate() override {
    MusicManager::Instance().StopMusic();
    LoggingNode::Deactivate();
  }
  static GameNode* Create(int32_t id) { return new MusicalFailingNode(id); }
};

}  // namespace

TEST_F(App, AFatalTextAfterTheMusicStartedShutsTheNodeDownBeforeTheProgramEnds) {
  NodeManager::Instance().SetNodeFactoryForTesting(MusicalFailingNode::Create);
  setenv("PILO_LOCK_DIR", std::filesystem::current_path().c_str(), 1);
  testing::internal::CaptureStderr();
  char commandLine[] = "";
  const int status = WinMain(plat::win::GetModuleHandleA(nullptr), nullptr, commandLine, 10);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("Error: ") + kMusicalFailure + "\n");
  // The node went through its deactivation while the music still stood, and nothing is left for the
  // destruction of statics at exit.
  const std::vector<std::string>& log = test::NodeLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "deactivate 3"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "delete 3"), log.end());
  EXPECT_EQ(NodeManager::Instance().GetCurrentNode(), nullptr);
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);
  EXPECT_EQ(MusicManager::Instance().GetQueueLength(), 0u);
  EXPECT_FALSE(m_app.IsRunning());
}

TEST_F(App, AFatalTextAfterTheMusicStartedEndsTheProcessWithStatusOneAndNoFault) {
  // The whole end of the process, the destruction of statics included, in a process of its own.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  NodeManager::Instance().SetNodeFactoryForTesting(MusicalFailingNode::Create);
  setenv("PILO_LOCK_DIR", std::filesystem::current_path().c_str(), 1);
  char commandLine[] = "";
  // A sanitizer that halts on its report ends the process with status 1 as well: its report must
  // not be there.
  EXPECT_EXIT(std::exit(WinMain(plat::win::GetModuleHandleA(nullptr), nullptr, commandLine, 10)),
              testing::ExitedWithCode(1),
              testing::AllOf(testing::HasSubstr(std::string("Error: ") + kMusicalFailure),
                             testing::Not(testing::HasSubstr("runtime error:")),
                             testing::Not(testing::HasSubstr("Sanitizer"))));
}

namespace {

struct CaptionCase {
  const char* name;
  std::u16string line;       // the string table's first line
  std::string codePageText;  // what the game keeps: Windows-1252
  std::string sdlTitle;      // what SDL gets: UTF-8
};

std::string Repeated(const std::string& piece, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += piece;
  return text;
}

void PrintTo(const CaptionCase& c, std::ostream* out) {
  *out << c.name;
}

class WindowCaption : public App, public testing::WithParamInterface<CaptionCase> {};

}  // namespace

// The caption is code-page text for the game and UTF-8 for SDL, which on X11 takes nothing else.
TEST_P(WindowCaption, ReachesSDLAsUtf8) {
  std::string table = "\xFF\xFE";
  for (const char16_t unit : GetParam().line + u"\r\n") {
    table += static_cast<char>(unit & 0xFF);
    table += static_cast<char>(unit >> 8);
  }
  test::WriteFile("PiloStr.txt", table);
  ASSERT_TRUE(Start());
  EXPECT_EQ(std::string(m_app.GetWindowCaption()), GetParam().codePageText);
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  ASSERT_NE(title, nullptr);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(std::string(title), GetParam().sdlTitle);
  EXPECT_EQ(std::string(icon), GetParam().sdlTitle);
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(
    Captions, WindowCaption,
    testing::Values(CaptionCase{"Accent", u"caf\u00E9", "caf\xE9", "caf\xC3\xA9"},
                    // Windows-1252, not Latin-1: the dash and the quote sit in 0x80..0x9F.
                    CaptionCase{"Punctuation", u"Pilo \u2013 l\u2019\u00E9t\u00E9",
                                "Pilo \x96 l\x92\xE9t\xE9",
                                "Pilo \xE2\x80\x93 l\xE2\x80\x99\xC3\xA9t\xC3\xA9"},
                    // The table keeps 255 bytes of a line; in UTF-8 they take twice as many.
                    CaptionCase{"Long", std::u16string(300, u'\u00E9'), std::string(255, '\xE9'),
                                Repeated("\xC3\xA9", 255)}),
    [](const testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

// With no display, SDL 1.2 on its own would take a text-art driver that paints over the terminal.
TEST_F(App, WithoutADisplayNoTextArtDriverStandsIn) {
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("DISPLAY");
  setenv("TERM", "xterm", 1);  // what the text-art driver needs to start
  setenv("PILO_TRACE", "1", 1);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const bool started = Start();
  const std::string trace = testing::internal::GetCapturedStderr();
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(started);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
  EXPECT_EQ(SDL_VideoDriverName(nullptr, 0), nullptr);
  EXPECT_EQ(m_app.GetDisplay(), nullptr);
  EXPECT_TRUE(output.empty()) << output.size() << " bytes went to the terminal";
  EXPECT_NE(trace.find("ERROR: "), std::string::npos) << trace;
  EXPECT_NE(trace.find("DISPLAY is not set"), std::string::npos) << trace;
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
        test::NodeLog().push_back(std::string("finished ") + static_cast<char*>(data));
    }
  } listener;
  Qel::EventManager::GetInstance()->AddListener(Qel::kEventSound, &listener);
  auto sound = std::make_shared<Qel::Sound>("tone", false, -1);
  sound->SetId("tone");
  ASSERT_TRUE(Qel::WinSoundManager::Instance()->PlaySound(sound, true));
  sound->Stop();
  gNow += 20;
  m_app.Frame();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"finished tone", "update 3", "always 3"}));
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

namespace {

struct DebugCase {
  const char* name;
  bool debugInfo;
  bool frameRate;
  bool cursorShown;
};

void PrintTo(const DebugCase& c, std::ostream* out) {
  *out << c.name;
}

class DebugLines : public App, public testing::WithParamInterface<DebugCase> {};

// Whether any pixel of the screen's rows [top, bottom) is not black.
bool AnyLitPixel(int top, int bottom) {
  SDL_Surface* screen = SDL_GetVideoSurface();
  SDL_LockSurface(screen);
  bool lit = false;
  for (int y = top; y < bottom && !lit; ++y) {
    const auto* row = static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch;
    lit = std::any_of(row, row + screen->w * screen->format->BytesPerPixel, [](uint8_t b) { return b != 0; });
  }
  SDL_UnlockSurface(screen);
  return lit;
}

}  // namespace

// The frame hands the debug lines to the shell after the node has drawn; the shell draws them
// below the scene, at (0, 500).
TEST_P(DebugLines, HoldTheRendererTheNodeTheCursorAndTheFrameRate) {
  const DebugCase& c = GetParam();
  test::WriteFile("Pilo.ini", std::string("[settings]\ngraphics = 0\nwindowed = 1\nshowdebuginfo = ") +
                                  (c.debugInfo ? "1" : "0") +
                                  "\nshowframerate = " + (c.frameRate ? "1" : "0") + "\n");
  StartWithNode();
  Qel::StaticText* debugText = m_app.GetDebugText();
  if (!c.debugInfo && !c.frameRate) {
    EXPECT_EQ(debugText, nullptr);
    return;
  }
  ASSERT_NE(debugText, nullptr);
  const Qel::WinTextBox& box = *debugText->GetTextBox();
  EXPECT_EQ(box.GetWidth(), 800);
  EXPECT_EQ(debugText->GetHeight(), 100);
  EXPECT_EQ(box.GetFontName(), "courier");
  EXPECT_EQ(box.GetFontSize(), 10);
  EXPECT_EQ(box.GetAlignment(), 0);
  EXPECT_FALSE(box.GetColor() != Qel::Color(0, 255, 255, 255));

  if (c.cursorShown) {
    MouseCursor::Instance().Show();
  } else {
    MouseCursor::Instance().Hide();
  }
  // Two groups of ten frames 10 ms apart: 100 frames a second from the second group on.
  for (int frame = 0; frame < 20; ++frame) {
    gNow += 10;
    m_app.Frame();
  }
  ASSERT_FLOAT_EQ(m_app.GetFpsCounter().GetFramesPerSecond(), 100.0f);
  m_app.Frame();

  std::string expected;
  if (c.debugInfo) {
    m_app.GetRendererText(expected);
    expected += std::string("Node:     ") + NodeManager::Instance().GetCurrentNodeName() + "\n";
    if (c.cursorShown) {
      Qel::Point2 position;
      MouseCursor::Instance().GetPosition(position);
      expected += "Mouse:    " + std::to_string(position.X()) + ", " + std::to_string(position.Y()) + "\n";
    }
  }
  if (c.frameRate) expected += "fps:      100.00\n";
  // Every debug line is ASCII.
  EXPECT_EQ(box.GetText(), std::u16string(expected.begin(), expected.end()));
  EXPECT_NE(expected.find("Renderer: SDL 1.2.4"), c.debugInfo ? std::string::npos : 0u);
  EXPECT_TRUE(AnyLitPixel(500, 600)) << "the lines are drawn below the scene";
  EXPECT_FALSE(AnyLitPixel(0, 500));

  m_app.Shutdown();
  EXPECT_EQ(m_app.GetDebugText(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Settings, DebugLines,
                         testing::Values(DebugCase{"Both", true, true, true},
                                         DebugCase{"BothWithTheCursorHidden", true, true, false},
                                         DebugCase{"DebugInfoOnly", true, false, true},
                                         DebugCase{"FrameRateOnly", false, true, true},
                                         DebugCase{"Neither", false, false, true}),
                         [](const testing::TestParamInfo<DebugCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(App, WithoutADisplayNoDebugTextIsMade) {
  test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nshowdebuginfo = 1\nshowframerate = 1\n");
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("DISPLAY");
  EXPECT_FALSE(Start());
  EXPECT_EQ(m_app.GetDisplay(), nullptr);
  EXPECT_EQ(m_app.GetDebugText(), nullptr);
}
