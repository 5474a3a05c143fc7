// The engine movie on a test clock: its name, its events in order with each frame at its due time and the
// last frame shown for its time before the stop, copies into the six pixel formats and none into others,
// and files that cannot be played or end early.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "MemorySurface.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/Periodical.h"
#include "core/PixelFormat.h"
#include "movie/BinkMovie.h"
#include "movie/MovieEvents.h"
#include "platform/win/kernel/Timer.h"
#include "support/MovieFiles.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace movietest {
namespace {

uint32_t gNow = 0;
uint32_t FakeTime() {
  return gNow;
}

// Every movie event as "<id> <name> <frame> at <ms>".
class MovieLog : public Qel::IEventListener {
public:
  MovieLog() { Qel::EventManager::GetInstance()->AddListener(Qel::kEventMovie, this); }
  ~MovieLog() override { Qel::EventManager::DestroyInstance(); }
  void HandleEvent(int, int id, void* data) override {
    const auto& info = *static_cast<Qel::MovieEventInfo*>(data);
    lines.push_back(std::to_string(id) + " " + info.name + " " + std::to_string(info.frame) + " at " +
                    std::to_string(gNow));
  }
  std::vector<std::string> lines;
};

class Movie : public testing::Test {
protected:
  void SetUp() override {
    gNow = 0;
    plat::win::SetTimeSourceForTesting(FakeTime);
  }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  // Frames of the game every 10 ms until the movie stops or the time is up; the times of the frames that
  // found the movie playing.
  void RunFrames(uint32_t ms) {
    for (uint32_t end = gNow + ms; gNow < end && movie.IsPlaying(); gNow += 10) Qel::Periodical::UpdateAll();
  }

  MovieLog log;
  Qel::BinkMovie movie;
};

TEST_F(Movie, TheNameIsTheFilesNameWithoutFolderAndExtension) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"Z:\\movies\\intro.bik ", "intro"},     {"intro.bik", "intro"},         {"a.b\\c.d.bik", "c.d"},
      {"data/Prize_Conch.bik", "Prize_Conch"}, {"noextension", "noextension"}, {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(movie.Open(c.path), -1);
    EXPECT_EQ(movie.GetName(), c.name);
  }
}

TEST_F(Movie, EveryFrameArrivesAtItsTimeAndTheLastIsShownForItsTimeBeforeTheStop) {
  test::WriteMovieFile("intro.bik", test::SolidMovie(3, 32, 24, 10));
  EXPECT_FALSE(movie.IsPlaying());
  ASSERT_EQ(movie.Open("intro.bik"), 0);
  EXPECT_EQ(movie.GetWidth(), 32);
  EXPECT_EQ(movie.GetHeight(), 24);
  EXPECT_FALSE(movie.IsPlaying());
  movie.Play();
  EXPECT_TRUE(movie.IsPlaying());
  RunFrames(1000);
  EXPECT_FALSE(movie.IsPlaying());
  const std::vector<std::string> expected = {"0 intro 0 at 0",   "1 intro 0 at 0",   "3 intro 1 at 0",
                                             "3 intro 2 at 100", "3 intro 3 at 200", "2 intro 3 at 300"};
  EXPECT_EQ(log.lines, expected);
  // Stopping a movie that ended by itself reports nothing more; closing never does.
  movie.Stop();
  movie.Close();
  EXPECT_EQ(log.lines, expected);
}

TEST_F(Movie, StopAndPlayAgainGoOnFromTheFrameReached) {
  test::WriteMovieFile("clip.bik", test::SolidMovie(4, 32, 24, 10));
  ASSERT_EQ(movie.Open("clip.bik"), 0);
  movie.Play();
  RunFrames(150);
  movie.Stop();
  EXPECT_FALSE(movie.IsPlaying());
  movie.Stop();
  movie.Play();
  RunFrames(1000);
  const std::vector<std::string> expected = {"0 clip 0 at 0",   "1 clip 0 at 0",   "3 clip 1 at 0",
                                             "3 clip 2 at 100", "2 clip 2 at 150", "1 clip 2 at 150",
                                             "3 clip 3 at 200", "3 clip 4 at 300", "2 clip 4 at 400"};
  EXPECT_EQ(log.lines, expected);
}

// The pixel of an opaque 0xRRGGBB colour in a format, packed from its masks, and the bits that matter.
uint32_t Packed(uint32_t rgb, const Qel::PixelFormat& format) {
  uint32_t value = 0;
  const uint32_t channels[] = {rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF, 0xFF};
  const uint32_t masks[] = {format.GetRedMask(), format.GetGreenMask(), format.GetBlueMask(),
                            format.GetAlphaMask()};
  for (int i = 0; i < 4; ++i) {
    if (!masks[i]) continue;
    const int bits = std::popcount(masks[i]);
    value |= (channels[i] >> (8 - bits)) << std::countr_zero(masks[i]);
  }
  return value;
}

uint32_t UsedBits(const Qel::PixelFormat& format) {
  return format.GetRedMask() | format.GetGreenMask() | format.GetBlueMask() | format.GetAlphaMask();
}

// Bytes no copy writes, read as a pixel of the format.
uint32_t Untouched(const Qel::PixelFormat& format) {
  return static_cast<uint32_t>(0xA5A5A5A5ull >> (32 - 8 * format.GetBytesPerPixel()));
}

class MovieCopy : public Movie {
protected:
  void SetUp() override {
    Movie::SetUp();
    test::WriteMovieFile("colours.bik", test::SolidMovie(8, 32, 24, 10));
    ASSERT_EQ(movie.Open("colours.bik"), 0);
    movie.Play();
  }
  // The next frame is decoded and ready to copy.
  void NextFrame() {
    Qel::Periodical::UpdateAll();
    gNow += 100;
  }
};

TEST_F(MovieCopy, EachOfTheSixFormatsGetsTheNewFrameAtThePosition) {
  const Qel::PixelFormat formats[] = {Qel::kPixelFormatX1R5G5B5, Qel::kPixelFormatR5G6B5,
                                      Qel::kPixelFormatA4R4G4B4, Qel::kPixelFormatR8G8B8,
                                      Qel::kPixelFormatX8R8G8B8, Qel::kPixelFormatA8R8G8B8};
  for (size_t frame = 0; frame < std::size(formats); ++frame) {
    const Qel::PixelFormat& format = formats[frame];
    SCOPED_TRACE(frame);
    NextFrame();
    MemorySurface surface(40, 30, format);
    ASSERT_EQ(movie.CopyFrame(&surface, Qel::Point2(3, 2)), 0);
    const uint32_t used = UsedBits(format);
    const uint32_t want = Packed(test::kMovieColours[frame], format);
    for (const auto& [x, y] : {std::pair{3, 2}, {34, 2}, {3, 25}, {34, 25}, {20, 12}})
      EXPECT_EQ(surface.At(x, y) & used, want) << x << "," << y;
    for (const auto& [x, y] : {std::pair{2, 2}, {35, 2}, {3, 1}, {3, 26}, {39, 29}})
      EXPECT_EQ(surface.At(x, y), Untouched(format)) << x << "," << y;
    // Nothing new is ready until the next frame.
    surface.Reset();
    EXPECT_EQ(movie.CopyFrame(&surface, Qel::Point2(3, 2)), 0);
    EXPECT_TRUE(surface.Untouched());
  }
}

TEST_F(MovieCopy, OtherPixelFormatsGetNothing) {
  const Qel::PixelFormat formats[] = {
      Qel::kPixelFormatA1R5G5B5,
      Qel::kPixelFormatIndexed8,
      Qel::PixelFormat(16, 0x0F00, 0x00F0, 0x000F, 0),
      Qel::PixelFormat(24, 0x0000FF, 0x00FF00, 0xFF0000, 0),
      Qel::PixelFormat(32, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF000000),
  };
  for (const Qel::PixelFormat& format : formats) {
    SCOPED_TRACE(format.GetBitsPerPixel());
    NextFrame();
    MemorySurface surface(40, 30, format);
    EXPECT_EQ(movie.CopyFrame(&surface, Qel::Point2(0, 0)), -1);
    EXPECT_TRUE(surface.Untouched());
  }
  EXPECT_EQ(movie.CopyFrame(nullptr, Qel::Point2(0, 0)), 0);
  NextFrame();
  EXPECT_EQ(movie.CopyFrame(nullptr, Qel::Point2(0, 0)), -1);
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class MovieTraced : public Movie {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

// The reason is the owner's to tell, so that the player reads one line about the movie.
TEST_F(MovieTraced, AFileThatCannotBePlayedOpensNothingAndSaysWhy) {
  test::WriteFile("garbage.bik", std::string(2000, '\x5A'));
  for (const char* path : {"missing.bik", "garbage.bik"}) {
    SCOPED_TRACE(path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(movie.Open(path), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(movie.GetOpenError().rfind(std::string("movie '") + path + "' cannot be", 0), 0u)
        << movie.GetOpenError();
    movie.Play();
    EXPECT_FALSE(movie.IsPlaying());
    EXPECT_EQ(movie.GetWidth(), 0);
    EXPECT_EQ(movie.GetHeight(), 0);
    MemorySurface surface(8, 8, Qel::kPixelFormatR5G6B5);
    EXPECT_EQ(movie.CopyFrame(&surface, Qel::Point2(0, 0)), 0);
    EXPECT_TRUE(surface.Untouched());
  }
  movie.Stop();
  EXPECT_TRUE(log.lines.empty());
  test::WriteMovieFile("good.bik", test::SolidMovie(3));
  ASSERT_EQ(movie.Open("good.bik"), 0);
  EXPECT_EQ(movie.GetOpenError(), "");
}

// A movie cut short plays what it has, then stops with one line that names its file and how far it
// came; a whole movie ends without a word.
TEST_F(MovieTraced, AMovieCutShortIsNamedOnceWhenItStops) {
  test::MovieSpec spec = test::SolidMovie(40, 64, 48, 10);
  spec.moving = true;
  test::WriteMovieFile("whole.bik", spec);
  const std::string whole = test::ReadFile("whole.bik");
  test::WriteFile("cut.bik", whole.substr(0, whole.size() / 2));
  const std::string folder = std::filesystem::current_path().string();
  for (const char* name : {"whole", "cut"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(movie.Open(test::WindowsPathOf(std::filesystem::current_path() / name) + ".bik "), 0);
    log.lines.clear();
    movie.Play();
    testing::internal::CaptureStderr();
    RunFrames(10000);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(movie.IsPlaying());
    const size_t shown = log.lines.size() - 2;
    if (std::string(name) == "whole") {
      EXPECT_EQ(shown, 40u);
      EXPECT_EQ(trace, "");
    } else {
      EXPECT_LT(shown, 40u);
      EXPECT_EQ(trace, "WARN: BinkMovie - movie '" + folder + "/cut.bik' stops after " +
                           std::to_string(shown) +
                           " of its 40 frames: the file ends there, so it is cut short\n");
    }
  }
}

TEST_F(Movie, AFileThatEndsBeforeItsFrameCountEndsThereAsAtItsLastFrame) {
  test::MovieSpec spec = test::SolidMovie(40, 64, 48, 10);
  spec.moving = true;
  test::WriteMovieFile("whole.bik", spec);
  const std::string whole = test::ReadFile("whole.bik");
  test::WriteFile("cut.bik", whole.substr(0, whole.size() / 2));
  ASSERT_EQ(movie.Open("cut.bik"), 0);
  movie.Play();
  RunFrames(10000);
  EXPECT_FALSE(movie.IsPlaying());
  ASSERT_GE(log.lines.size(), 4u);
  // Opened, started, frames 1 to n each 100 ms apart, then stopped when frame n + 1 was due.
  const size_t shown = log.lines.size() - 3;
  EXPECT_LT(shown, 40u);
  for (size_t frame = 1; frame <= shown; ++frame)
    EXPECT_EQ(log.lines[frame + 1],
              "3 cut " + std::to_string(frame) + " at " + std::to_string(100 * (frame - 1)));
  EXPECT_EQ(log.lines.back(), "2 cut " + std::to_string(shown) + " at " + std::to_string(100 * shown));
}

TEST_F(Movie, OpeningAgainClosesTheMovieBefore) {
  test::WriteMovieFile("first.bik", test::SolidMovie(3));
  test::WriteMovieFile("second.bik", test::SolidMovie(2, 16, 16));
  ASSERT_EQ(movie.Open("first.bik"), 0);
  movie.Play();
  ASSERT_EQ(movie.Open("second.bik"), 0);
  EXPECT_FALSE(movie.IsPlaying());
  EXPECT_EQ(movie.GetWidth(), 16);
  EXPECT_EQ(movie.GetName(), "second");
}

}  // namespace
}  // namespace movietest
