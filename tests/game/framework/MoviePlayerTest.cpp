// The movie player through the application's frames, with a logging node and movies in a content folder:
// the movie is drawn centred in place of the scene while the game is paused, every frame is seen, the
// movie is stopped in the frame it ends (before the node switch and update), no music starts meanwhile,
// movies that cannot be played pause and resume at once, and a node may start the next movie from the
// resume.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Color.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SceneDrawable.h"
#include "graphics/SurfaceLock.h"
#include "movie/MovieEvents.h"
#include "platform/dsound/IDirectSound8.h"
#include "platform/win/kernel/Timer.h"
#include "sound/WinSoundManager.h"
#include "support/BackBufferColour.h"
#include "support/LoggingNode.h"
#include "support/MovieFiles.h"
#include "support/NodeContent.h"
#include "support/SoundStage.h"

namespace {

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

// Writes the application-state and movie events into the node log: "pause <name>", "resume <name>",
// "movie <id> <frame>". onResume runs inside the delivery of each resume.
class EventLogger : public Qel::IEventListener {
public:
  EventLogger() {
    Qel::EventManager::GetInstance()->AddListener(kEventAppState, this);
    Qel::EventManager::GetInstance()->AddListener(Qel::kEventMovie, this);
  }
  ~EventLogger() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  void HandleEvent(int kind, int id, void* data) override {
    if (kind == Qel::kEventMovie) {
      test::NodeLog().push_back("movie " + std::to_string(id) + " " +
                                std::to_string(static_cast<Qel::MovieEventInfo*>(data)->frame));
      return;
    }
    const char* name = static_cast<const char*>(data);
    test::NodeLog().push_back((id == EventId::Pause ? "pause " : "resume ") + std::string(name));
    if (id == EventId::Resume && onResume) onResume(name);
  }
  std::function<void(const char* name)> onResume;
};

// A picture over the whole screen in the node's scene, to show whether the scene was drawn.
class Backdrop : public Qel::SceneDrawable {
public:
  explicit Backdrop(Qel::DisplayDevice& display)
      : m_surface(display.CreateSurface(800, 600, Qel::DisplayDevice::kSurfaceDefault)) {
    const Qel::Color& white = Qel::Color::White(m_surface->GetPixelFormat());
    m_surface->DrawRectangle(nullptr, 0, white, white);
    SetName("backdrop");
  }
  void ComputeLocalBounds(Qel::Box3& out) const override { out.Set(0, 0, 0, 800, 600, 0); }
  void Render(Qel::DrawingSurface& target, const Qel::Box3& source, const Qel::Point2& at) override {
    const Qel::Rect area = source.ToRect();
    m_surface->BlitTo(&target, &area, at);
  }

private:
  std::unique_ptr<Qel::DrawingSurface> m_surface;
};

class Movies : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
  }
  void TearDown() override {
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // Starts the game up to its first node, with a white picture in the node's scene and the events logged.
  void Start() {
    ASSERT_TRUE(m_app.Init(nullptr, nullptr, "", 10));
    m_app.Frame();
    ASSERT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
    NodeManager::Instance().GetCurrentNode()->GetScene()->GetWorld().AddChild(
        std::make_shared<Backdrop>(*m_app.GetDisplay()));
    m_events = std::make_unique<EventLogger>();
    test::NodeLog().clear();
  }

  // A movie resource of the content folder.
  void AddMovie(const std::string& name, const test::MovieSpec& spec) {
    test::WriteMovieFile("movie.tmp", spec);
    m_stage.AddFile(name + ".bik", test::ReadFile("movie.tmp"));
  }

  // Frames of the game, 20 ms apart.
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      gNow += 20;
      m_app.Frame();
    }
  }

  // A pixel of the back buffer as the frame left it, and an opaque colour as the display packs it.
  uint32_t ScreenAt(int x, int y) { return test::PackedAt(*m_app.GetDisplay()->GetBackBuffer(), x, y); }
  // The movie copies keep each channel's top bits, as the movie library's layouts have them.
  uint32_t Screen(uint32_t rgb) { return test::PackTopBits(m_app.GetDisplay()->GetPixelFormat(), rgb); }

  test::SoundStage m_stage{false};
  WinApp& m_app = GetWinApp();
  std::unique_ptr<EventLogger> m_events;
  MoviePlayer& m_player = MoviePlayer::Instance();
};

}  // namespace

TEST_F(Movies, APlayingMovieIsDrawnCentredInPlaceOfTheSceneWhileTheGameIsPaused) {
  AddMovie("big", test::SolidMovie(2, 640, 480, 10));
  Start();
  Frames(1);
  EXPECT_EQ(ScreenAt(0, 0), Screen(0xFFFFFF));
  test::NodeLog().clear();

  m_player.Play("big");
  EXPECT_TRUE(m_player.IsPlaying());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_STREQ(m_player.GetName(), "big");
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"movie 0 0", "movie 1 0", "pause big"}));
  test::NodeLog().clear();
  Frames(1);
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"movie 3 1", "always 3"}));
  const uint32_t colour = Screen(test::kMovieColours[0]);
  const uint32_t black = Screen(0x000000);
  for (const auto& [x, y] : {std::pair{80, 60}, {719, 60}, {80, 539}, {719, 539}, {400, 300}})
    EXPECT_EQ(ScreenAt(x, y), colour) << x << "," << y;
  for (const auto& [x, y] : {std::pair{79, 60}, {80, 59}, {720, 539}, {719, 540}, {0, 0}, {799, 599}})
    EXPECT_EQ(ScreenAt(x, y), black) << x << "," << y;
}

TEST_F(Movies, EveryFrameIsSeenAndTheMovieIsStoppedInTheFrameItEndsBeforeTheNodeSwitch) {
  AddMovie("intro", test::SolidMovie(3, 640, 480, 10));
  Start();
  m_player.Play("intro");
  test::NodeLog().clear();
  // Frames every 20 ms: each movie frame shows for its 100 ms.
  for (uint32_t shown = 0; shown < 3; ++shown) {
    for (int step = 0; step < 5; ++step) {
      SCOPED_TRACE(std::to_string(shown) + " " + std::to_string(step));
      Frames(1);
      EXPECT_TRUE(m_player.IsPlaying());
      EXPECT_EQ(ScreenAt(400, 300), Screen(test::kMovieColours[shown]));
    }
  }
  const std::vector<std::string> frames = {"movie 3 1", "always 3",  "always 3",  "always 3", "always 3",
                                           "always 3",  "movie 3 2", "always 3",  "always 3", "always 3",
                                           "always 3",  "always 3",  "movie 3 3", "always 3", "always 3",
                                           "always 3",  "always 3",  "always 3"};
  EXPECT_EQ(test::NodeLog(), frames);
  test::NodeLog().clear();

  // The frame in which the last frame's time is over: stopped, resumed, then the switch and the update.
  NodeManager::Instance().RequestNode(kNodeHub);
  Frames(1);
  EXPECT_EQ(test::NodeLog(),
            std::vector<std::string>({"movie 2 3", "resume intro", "deactivate 3", "delete 3", "build 6",
                                      "activate 6", "update 6", "always 6"}));
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_EQ(m_player.GetMovie(), nullptr);
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_STREQ(m_player.GetName(), "");
}

TEST_F(Movies, NoMusicStartsWhileAMoviePlays) {
  AddMovie("prize", test::SolidMovie(2, 64, 48, 10));
  m_stage.AddWave("theme", test::Tone(300));
  Start();
  m_player.Play("prize");
  MusicManager& music = MusicManager::Instance();
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  EXPECT_EQ(music.GetCurrentMusic(), nullptr);
  EXPECT_EQ(music.GetQueueLength(), 1u);
  Frames(12);
  EXPECT_FALSE(m_player.IsPlaying());
  music.PlayNext(true);
  ASSERT_NE(music.GetCurrentMusic(), nullptr);
  EXPECT_EQ(music.GetCurrentName(), "theme");
}

TEST_F(Movies, TheMoviesSoundPlaysThroughTheGamesSoundDevice) {
  test::MovieSpec spec = test::SolidMovie(5, 64, 48, 10);
  spec.audioChannels = 1;
  spec.audioRate = 22050;
  spec.audio = test::SoundPattern(11025);
  AddMovie("loud", spec);
  Start();
  m_player.Play("loud");
  Frames(1);
  std::vector<int16_t> out(2 * 2205);
  m_stage.Mixer()->Render(out.data(), 2205);
  int heard = 0;
  for (size_t i = 0; i < 2205; ++i) heard += out[2 * i] == spec.audio[i] ? 1 : 0;
  EXPECT_EQ(heard, 2205);
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class MoviesTraced : public Movies {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

TEST_F(MoviesTraced, AMovieThatCannotBePlayedPausesAndResumesAtOnceAndTheGameGoesOnAndPlaysAreTraced) {
  test::WriteFile("garbage.tmp", std::string(3000, '\x3C'));
  m_stage.AddFile("garbage.bik", test::ReadFile("garbage.tmp"));
  m_stage.AddFile("empty.bik", "");
  Start();
  m_stage.AddFolder("folder.bik");
  // A movie in no database may only lack its database; one whose file is there names it and its fault.
  const std::string folder = m_stage.Folder().string();
  const struct {
    const char* name;
    std::string line;
  } cases[] = {
      {"missing", "ERROR: Unable to play movie 'missing'... did you add the database?\n"},
      {"garbage", "ERROR: Unable to play movie 'garbage': movie '" + folder +
                      "/garbage.bik' cannot be played: not a movie that can be read (Invalid data found when "
                      "processing input)\n"},
      {"empty", "ERROR: Unable to play movie 'empty': movie '" + folder +
                    "/empty.bik' cannot be played: it is empty\n"},
      {"folder", "ERROR: Unable to play movie 'folder': " + folder + "/folder.bik is a folder\n"},
  };
  for (const auto& c : cases) {
    const char* const name = c.name;
    SCOPED_TRACE(name);
    testing::internal::CaptureStderr();
    m_player.Play(name);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace, c.line + "INFO: Movie '" + name + "' stops.\n");
    EXPECT_NE(trace.find(std::string("INFO: Movie '") + name + "' stops.\n"), std::string::npos) << trace;
    EXPECT_EQ(trace.find("plays"), std::string::npos) << trace;
    EXPECT_EQ(test::NodeLog(),
              std::vector<std::string>({std::string("pause ") + name, std::string("resume ") + name}));
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_EQ(m_player.GetMovie(), nullptr);
    EXPECT_FALSE(m_app.IsPaused());
    test::NodeLog().clear();
    Frames(1);
    EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"update 3", "always 3"}));
    test::NodeLog().clear();
  }
  // A movie that plays says so, and when it stops.
  AddMovie("short", test::SolidMovie(1, 64, 48, 10));
  testing::internal::CaptureStderr();
  m_player.Play("short");
  Frames(10);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "INFO: Movie 'short' plays.\nINFO: Movie 'short' stops.\n");
}

TEST_F(Movies, AMovieCutShortEndsWhereItsFileEndsAndTheGameGoesOn) {
  test::MovieSpec spec = test::SolidMovie(40, 64, 48, 10);
  spec.moving = true;
  test::WriteMovieFile("whole.tmp", spec);
  const std::string whole = test::ReadFile("whole.tmp");
  m_stage.AddFile("cut.bik", whole.substr(0, whole.size() / 2));
  Start();
  m_player.Play("cut");
  Frames(200);
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_FALSE(m_app.IsPaused());
  ASSERT_FALSE(test::NodeLog().empty());
  const auto resume = std::find(test::NodeLog().begin(), test::NodeLog().end(), "resume cut");
  ASSERT_NE(resume, test::NodeLog().end());
  EXPECT_EQ(*(resume - 1), "movie 2 " + std::to_string(std::count_if(test::NodeLog().begin(), resume,
                                                                     [](const std::string& line) {
                                                                       return line.rfind("movie 3 ", 0) == 0;
                                                                     })));
}

namespace {
// A node of the base's own routing, which logs what reaches its mouse and character handlers.
class RoutingNode : private test::NodeSprites, public GameNode {
public:
  void OnLeftButtonDown(const InputEventInfo&) override { test::NodeLog().push_back("node ldown"); }
  void OnLeftButtonUp(const InputEventInfo&) override { test::NodeLog().push_back("node lup"); }
  void OnChar(uint16_t) override { test::NodeLog().push_back("node char"); }
};

// The log without the movie library's own events.
std::vector<std::string> LoggedWithoutMovieEvents() {
  std::vector<std::string> lines;
  for (const std::string& line : test::NodeLog())
    if (line.rfind("movie ", 0) != 0) lines.push_back(line);
  return lines;
}
}  // namespace

TEST_F(Movies, AMovieOverAPausedGameLeavesItPausedWhenItEnds) {
  AddMovie("gallery", test::SolidMovie(2, 64, 48, 10));
  Start();
  // A modal overlay (the movie gallery) has paused the game.
  m_app.PauseGame();
  m_player.Play("gallery");
  ASSERT_TRUE(m_player.IsPlaying());
  m_player.Stop();
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_EQ(LoggedWithoutMovieEvents(), std::vector<std::string>({"pause gallery", "resume gallery"}));
  m_app.ResumeGame();

  // A movie over a running game resumes it, also after one that played over a paused game.
  m_player.Play("gallery");
  m_player.Stop();
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Movies, WhileAMoviePlaysAPressIsIgnoredAndAReleaseOrACharacterStopsIt) {
  AddMovie("intro", test::SolidMovie(20, 64, 48, 10));
  Start();
  RoutingNode node;
  InputEventInfo input;
  input.button = 1;
  input.code = 'a';
  for (const int stopper : {EventId::MouseUp, EventId::Char}) {
    m_player.Play("intro");
    ASSERT_TRUE(m_player.IsPlaying());
    test::NodeLog().clear();
    node.HandleEvent(kEventInput, EventId::MouseDown, &input);
    EXPECT_TRUE(m_player.IsPlaying());
    node.HandleEvent(kEventInput, stopper, &input);
    EXPECT_FALSE(m_player.IsPlaying());
    // Only the movie's own events: the node's handlers saw nothing.
    EXPECT_EQ(LoggedWithoutMovieEvents(), std::vector<std::string>({"resume intro"})) << stopper;
  }
}

TEST_F(Movies, ANodeThatStartsTheNextMovieFromItsResumeGetsThatMoviesName) {
  AddMovie("first", test::SolidMovie(1, 64, 48, 10));
  AddMovie("second", test::SolidMovie(1, 64, 48, 10));
  Start();
  // The listener plays the next movie inside the resume of the first; a later listener still sees the
  // first one's name.
  m_events->onResume = [&](const char* name) {
    if (std::strcmp(name, "first") != 0) return;
    m_player.Play("second");
    test::NodeLog().push_back(std::string("still ") + name);
  };
  class Later : public Qel::IEventListener {
  public:
    void HandleEvent(int, int id, void* data) override {
      if (id == EventId::Resume)
        test::NodeLog().push_back(std::string("later ") + static_cast<const char*>(data));
    }
  } later;
  Qel::EventManager::GetInstance()->AddListener(kEventAppState, &later);
  m_player.Play("first");
  Frames(14);
  Qel::EventManager::GetInstance()->RemoveListener(&later);
  std::vector<std::string> events;
  for (const std::string& line : test::NodeLog()) {
    if (line.rfind("always", 0) != 0 && line.rfind("update", 0) != 0) events.push_back(line);
  }
  const std::vector<std::string> expected = {"movie 0 0",    "movie 1 0",     "pause first", "movie 3 1",
                                             "movie 2 1",    "resume first",  "movie 0 0",   "movie 1 0",
                                             "pause second", "still first",   "later first", "movie 3 1",
                                             "movie 2 1",    "resume second", "later second"};
  EXPECT_EQ(events, expected);
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Movies, PlayingAnotherMovieStopsTheOneBeforeAndShutDownStopsTheLastAndGivesBackTheSoundDevice) {
  AddMovie("first", test::SolidMovie(5, 64, 48, 10));
  AddMovie("second", test::SolidMovie(5, 64, 48, 10));
  Start();
  m_player.Play("first");
  Frames(1);
  m_player.Play("second");
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"movie 0 0", "movie 1 0", "pause first", "movie 3 1",
                                                       "always 3", "movie 2 1", "resume first", "movie 0 0",
                                                       "movie 1 0", "pause second"}));
  EXPECT_TRUE(m_app.IsPaused());
  test::NodeLog().clear();
  // The movie library hands the sound device back at shut-down: this reference is then the last one.
  plat::dsound::IDirectSound8* device = Qel::WinSoundManager::Instance()->GetDirectSound();
  ASSERT_NE(device, nullptr);
  device->AddRef();
  m_app.Shutdown();
  EXPECT_EQ(device->Release(), 0u);
  EXPECT_EQ(test::NodeLog(),
            std::vector<std::string>({"deactivate 3", "delete 3", "movie 2 0", "resume second"}));
  EXPECT_FALSE(m_player.IsPlaying());
}

TEST_F(Movies, ALongNameIsCutToThirtyOneCharactersAndStillPlays) {
  const std::string name = "a_movie_name_of_forty_characters_in_all";
  ASSERT_EQ(name.size(), 39u);
  AddMovie(name, test::SolidMovie(2, 64, 48, 10));
  Start();
  m_player.Play(name.c_str());
  EXPECT_TRUE(m_player.IsPlaying());
  EXPECT_EQ(std::string(m_player.GetName()), name.substr(0, 31));
  EXPECT_EQ(test::NodeLog().back(), "pause " + name.substr(0, 31));
}

// Without a display there is no surface to show the movie on: it is stopped like one that cannot be played.
TEST(MoviePlayer, WithoutASurfaceTheMovieIsStoppedAtOnce) {
  test::SoundStage stage(false);
  test::WriteMovieFile("movie.tmp", test::SolidMovie(2, 64, 48, 10));
  stage.AddFile("nodisplay.bik", test::ReadFile("movie.tmp"));
  EventLogger events;
  MoviePlayer::Instance().Play("nodisplay");
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"movie 0 0", "movie 1 0", "pause nodisplay",
                                                       "movie 2 0", "resume nodisplay"}));
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_FALSE(GetApp().IsPaused());
}
