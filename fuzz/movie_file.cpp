// Fuzz target: arbitrary bytes as a movie file, opened by its path in the engine's Windows form (drive
// Z:, backslashes, a name in another case than on disk) as a game's movie: a few frames played on a
// clock moved by hand, each copied onto the screen at an offset, then closed. An opened movie has a
// picture and says so once; one that does not open says nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/Point2.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "movie/BinkMovie.h"
#include "movie/MovieEvents.h"
#include "platform/win/kernel/Timer.h"

namespace {

constexpr int kFrames = 4;
// Enough for every frame of the movies the game plays to be due.
constexpr uint32_t kFrameStep = 200;

void Require(bool condition) {
  if (!condition) std::abort();
}

uint32_t& Now() {
  static uint32_t now = 1000;
  return now;
}

class MovieEvents : public Qel::IEventListener {
public:
  void HandleEvent(int kind, int id, void*) override {
    if (kind != Qel::kEventMovie) return;
    if (id == Qel::EventId::MovieOpened) ++opened;
  }
  int opened = 0;
};

Qel::SDLDisplayDevice* gDisplay = nullptr;
MovieEvents* gEvents = nullptr;
std::string gFile;
std::string gPath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  plat::win::SetTimeSourceForTesting([] { return Now(); });
  gDisplay = new Qel::SDLDisplayDevice();
  int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
  if (gDisplay->Open(64, 48, Qel::PixelFormat(16), false, &mode) != 0) std::abort();
  Qel::SDLSurface::RegisterSurfaceOps();
  gEvents = new MovieEvents;
  Qel::EventManager::GetInstance()->AddListener(Qel::kEventMovie, gEvents);
  // The file lies in the target's own temporary folder; the game names it as a Windows path.
  const char* folder = std::getenv("TMPDIR");
  std::string dir = folder && *folder == '/' ? folder : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  gFile = dir + "/fuzz_movie.bik";
  gPath = "Z:" + dir + "\\FUZZ_MOVIE.BIK";
  for (char& c : gPath) {
    if (c == '/') c = '\\';
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  FILE* file = std::fopen(gFile.c_str(), "wb");
  if (!file) std::abort();
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) std::abort();

  gEvents->opened = 0;
  {
    Qel::BinkMovie movie;
    if (movie.Open(gPath) != 0) {
      Require(gEvents->opened == 0 && movie.GetWidth() == 0 && !movie.IsPlaying());
      return 0;
    }
    Require(gEvents->opened == 1 && movie.GetWidth() > 0 && movie.GetHeight() > 0);
    Require(movie.GetName() == "FUZZ_MOVIE");
    movie.Play();
    for (int frame = 0; frame < kFrames && movie.IsPlaying(); ++frame) {
      Now() += kFrameStep;
      movie.Tick();
      Require(movie.CopyFrame(gDisplay->GetBackBuffer(), Qel::Point2(frame * 9, frame * 5)) == 0);
    }
    movie.Stop();
  }
  return 0;
}
