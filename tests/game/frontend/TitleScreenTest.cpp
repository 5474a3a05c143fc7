// The title screen in the game's frames, with its six movies in a content folder (each of its own
// colour): keys skip them one by one to the sign-in screen, a key while no movie plays asks for it at
// once, missing movies are each tried once and in order, each next movie starts inside the previous
// one's resume and is the one drawn, and the screen turns captions off and offers no quit dialog.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/GameEvents.h"
#include "framework/InputEventInfo.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "frontend/TitleScreen.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SurfaceLock.h"
#include "platform/win/kernel/Timer.h"
#include "support/BackBufferColour.h"
#include "support/LoggingNode.h"
#include "support/MovieFiles.h"
#include "support/NodeContent.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

// The sprites every node loads come first, as for every test node.
class TestTitle : private test::NodeSprites, public TitleScreen {};

// The title screen for its id, a logging node for any other (the sign-in screen among them).
GameNode* CreateNode(int32_t id) {
  if (id == kNodeTitleScreen) return new TestTitle;
  return test::LoggingNode::Create(id);
}

// Writes "pause <name>" and "resume <name>" for the application-state events; onResume runs inside
// the delivery of each resume.
class AppStateLog : public Qel::IEventListener {
public:
  AppStateLog() { Qel::EventManager::GetInstance()->AddListener(kEventAppState, this); }
  ~AppStateLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  void HandleEvent(int /*kind*/, int id, void* data) override {
    const char* name = static_cast<const char*>(data);
    lines.push_back((id == EventId::Pause ? "pause " : "resume ") + std::string(name));
    if (id == EventId::Resume && onResume) onResume(name);
  }
  Names lines;
  std::function<void(const char* name)> onResume;
};

// A movie colour per step, each one the movie keeps in all its frames.
uint32_t ColourOf(int step) {
  return test::kMovieColours[static_cast<size_t>(step)];
}

class TitleTest : public testing::Test {
protected:
  // The movies are 64 x 48, centred on the screen.
  static constexpr int kMovieLeft = (800 - 64) / 2;

  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    NodeManager::Instance().SetNodeFactoryForTesting(CreateNode);
  }
  void TearDown() override {
    m_log.reset();
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // The six movies of the opening but those named, 2 s each.
  void AddMovies(const std::set<std::string>& missing = {}) {
    for (int step = 0; step < TitleScreen::kMovieCount; ++step) {
      const std::string name = TitleScreen::kMovies[step];
      if (missing.count(name)) continue;
      test::MovieSpec spec = test::SolidMovie(20, 64, 48, 10);
      spec.frames.assign(spec.frames.size(), ColourOf(step));
      test::WriteMovieFile("movie.tmp", spec);
      m_stage.AddFile(name + ".bik", test::ReadFile("movie.tmp"));
    }
  }

  // Starts the game with the settings given; the application-state log listens from before the first
  // node, so it hears each event ahead of the title screen.
  void Init(const std::string& settings = "") {
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n" + settings);
    ASSERT_TRUE(m_app.Init(nullptr, nullptr, "", 10));
    m_log = std::make_unique<AppStateLog>();
    test::NodeLog().clear();
  }

  // The first frame: the title screen becomes the node and starts its first movie.
  void Start(const std::string& settings = "") {
    Init(settings);
    Frame();
    m_title = dynamic_cast<TitleScreen*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_title, nullptr);
  }

  void Frame() {
    gNow += 20;
    m_app.Frame();
  }

  void TypeKey(uint16_t code = 'a') {
    InputEventInfo info;
    info.code = code;
    MainApp::PostInputEvent(EventId::Char, info);
  }

  // Whether the frame left the movie's colour at the screen's centre and black just beside the movie.
  bool ShowsMovie(int step) {
    return ScreenAt(400, 300) == Screen(ColourOf(step)) && ScreenAt(kMovieLeft - 1, 300) == Screen(0);
  }
  uint32_t ScreenAt(int x, int y) { return test::PackedAt(*m_app.GetDisplay()->GetBackBuffer(), x, y); }
  // An opaque colour as the display packs it; movie copies keep each channel's top bits.
  uint32_t Screen(uint32_t rgb) { return test::PackTopBits(m_app.GetDisplay()->GetPixelFormat(), rgb); }

  bool SignInRequested() const {
    return NodeManager::Instance().IsChangePending() &&
           NodeManager::Instance().GetRequestedId() == kNodeSignIn;
  }

  // The pauses and resumes of the whole opening, every movie once and in order.
  static Names WholeOpening() {
    Names lines;
    for (const char* name : TitleScreen::kMovies) {
      lines.push_back(std::string("pause ") + name);
      lines.push_back(std::string("resume ") + name);
    }
    return lines;
  }

  test::SoundStage m_stage{false};
  WinApp& m_app = GetWinApp();
  MoviePlayer& m_player = MoviePlayer::Instance();
  std::unique_ptr<AppStateLog> m_log;
  TitleScreen* m_title = nullptr;
};

}  // namespace

TEST_F(TitleTest, SixKeysSkipMovieByMovieToTheSignInScreenEachNextMovieDrawnInItsOwnPicture) {
  AddMovies();
  Start();
  EXPECT_FALSE(MouseCursor::Instance().IsShown());
  for (int step = 0; step < TitleScreen::kMovieCount; ++step) {
    SCOPED_TRACE(step);
    // The movie started in the resume of the one before is the one playing and the one drawn.
    ASSERT_TRUE(m_player.IsPlaying());
    EXPECT_STREQ(m_player.GetName(), TitleScreen::kMovies[step]);
    EXPECT_EQ(m_title->GetStep(), step);
    Frame();
    Frame();
    EXPECT_TRUE(ShowsMovie(step));
    EXPECT_TRUE(m_app.IsPaused());
    // A key during a movie stops only that movie.
    TypeKey();
    EXPECT_FALSE(NodeManager::Instance().IsChangePending());
  }
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_TRUE(m_title->IsSequenceDone());
  EXPECT_EQ(m_title->GetStep(), -1);
  EXPECT_EQ(m_log->lines, WholeOpening());

  // The next update asks for the sign-in screen, and the frame after switches to it.
  Frame();
  EXPECT_TRUE(SignInRequested());
  test::NodeLog().clear();
  Frame();
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeSignIn);
  ASSERT_GE(test::NodeLog().size(), 2u);
  EXPECT_EQ(Names(test::NodeLog().begin(), test::NodeLog().begin() + 2), Names({"build 5", "activate 5"}));
}

TEST_F(TitleTest, AKeyWhileNoMoviePlaysAsksForTheSignInScreenAtOnce) {
  // Between two movies: a listener ahead of the title screen types a key when "VantroLogo" has
  // stopped, before the title screen has started the next one.
  AddMovies();
  Init();
  bool requestedAtOnce = false;
  m_log->onResume = [&](const char* name) {
    if (std::strcmp(name, "VantroLogo") != 0) return;
    ASSERT_FALSE(m_player.IsPlaying());
    TypeKey();
    requestedAtOnce = SignInRequested();
  };
  Frame();
  TypeKey();
  TypeKey();
  EXPECT_TRUE(requestedAtOnce);
  EXPECT_TRUE(SignInRequested());
  Frame();
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeSignIn);
  m_player.Stop();
}

TEST_F(TitleTest, AKeyAfterTheLastMovieAsksForTheSignInScreenAtOnce) {
  AddMovies();
  Start();
  for (int step = 0; step < TitleScreen::kMovieCount; ++step) TypeKey();
  ASSERT_TRUE(m_title->IsSequenceDone());
  ASSERT_FALSE(NodeManager::Instance().IsChangePending());
  TypeKey(' ');
  EXPECT_TRUE(SignInRequested());
}

TEST_F(TitleTest, MoviesThatEndByThemselvesLeadThroughTheOpening) {
  AddMovies();
  Start();
  // 2 s a movie at 20 ms a frame, with a frame for each stop.
  for (int i = 0; i < 6 * 102 && !SignInRequested(); ++i) Frame();
  EXPECT_TRUE(SignInRequested());
  EXPECT_EQ(m_log->lines, WholeOpening());
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class TitleTraced : public TitleTest {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }

  // The trace's movie and node lines, shortened: "unplayable NAME", "plays NAME", "stops NAME",
  // "node ID NAME".
  static Names MovieAndNodeLines(const std::string& trace) {
    Names lines;
    std::istringstream in(trace);
    std::string line;
    const std::string unplayable = "ERROR: Unable to play movie '";
    const std::string movie = "INFO: Movie '";
    const std::string node = "INFO: Node ";
    while (std::getline(in, line)) {
      if (line.rfind(unplayable, 0) == 0) {
        const size_t end = line.find('\'', unplayable.size());
        lines.push_back("unplayable " + line.substr(unplayable.size(), end - unplayable.size()));
      } else if (line.rfind(movie, 0) == 0) {
        const size_t end = line.find('\'', movie.size());
        lines.push_back(line.substr(end + 2, line.size() - end - 3) + " " +
                        line.substr(movie.size(), end - movie.size()));
      } else if (line.rfind(node, 0) == 0) {
        lines.push_back("node " + line.substr(node.size()));
      }
    }
    return lines;
  }
};

// Which movies are missing.
struct MissingCase {
  const char* what;
  std::set<std::string> missing;
};

void PrintTo(const MissingCase& c, std::ostream* out) {
  *out << c.what;
}

class TitleMissing : public TitleTraced, public testing::WithParamInterface<MissingCase> {};

TEST_P(TitleMissing, MissingMoviesAreEachTriedOnceInOrderAndTheOpeningGoesOn) {
  const std::set<std::string>& missing = GetParam().missing;
  AddMovies(missing);
  testing::internal::CaptureStderr();
  Init();
  Frame();
  // Without any movie the whole opening passes in the first update, which then asks for the
  // sign-in screen.
  if (missing.size() == static_cast<size_t>(TitleScreen::kMovieCount)) {
    EXPECT_TRUE(SignInRequested());
  }
  // A key for every movie that plays.
  for (int step = 0; step < TitleScreen::kMovieCount; ++step) {
    if (!missing.count(TitleScreen::kMovies[step])) TypeKey();
  }
  Frame();
  Frame();
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeSignIn);
  const std::string trace = testing::internal::GetCapturedStderr();

  Names expected = {"node 3 (TitleScreen) active"};
  for (const char* name : TitleScreen::kMovies) {
    expected.push_back((missing.count(name) ? "unplayable " : "plays ") + std::string(name));
    expected.push_back(std::string("stops ") + name);
  }
  expected.push_back("node 5 (test node 5) active");
  EXPECT_EQ(MovieAndNodeLines(trace), expected) << trace;
  EXPECT_EQ(m_log->lines, WholeOpening());
}

INSTANTIATE_TEST_SUITE_P(Cases, TitleMissing,
                         testing::Values(MissingCase{"Every",
                                                     {"tolvane_logo", "VantroLogo", "OvnLogo", "Tzlogo",
                                                      "PlaceholderLegal", "splash"}},
                                         MissingCase{"First", {"tolvane_logo"}},
                                         MissingCase{"Middle", {"OvnLogo"}},
                                         MissingCase{"SecondAndThird", {"VantroLogo", "OvnLogo"}},
                                         MissingCase{"Last", {"splash"}}),
                         [](const testing::TestParamInfo<MissingCase>& info) {
                           return std::string(info.param.what);
                         });

TEST_F(TitleTest, CaptionsAreOffAndEscapeOpensNoQuitDialog) {
  AddMovies();
  Init("ccon = true\n");
  ASSERT_EQ(gCaptionsOn, 1);
  Frame();
  m_title = dynamic_cast<TitleScreen*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_title, nullptr);
  EXPECT_EQ(gCaptionsOn, 0);
  EXPECT_STREQ(m_title->GetName(), "TitleScreen");
  EXPECT_FALSE(m_title->IsQuitAllowed());
  // Skipped to the end, then Escape reaches the screen itself: it asks for the sign-in screen and the
  // game stays unpaused, with no dialog shown.
  for (int step = 0; step < TitleScreen::kMovieCount; ++step) TypeKey();
  TypeKey(27);
  EXPECT_EQ(m_title->GetOverlay(), nullptr);
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_TRUE(SignInRequested());
}
