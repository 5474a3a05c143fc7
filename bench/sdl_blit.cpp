// Blitting a frame of sprites through the display device and the surface blit table, against the same blits
// with bare SDL_BlitSurface on the same SDL surfaces; the program ends with the ratio of the two.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "RleCopy.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"

namespace {

constexpr int kSprite = 128;
constexpr int kBlitsPerFrame = 200;

// One open device with a colour-keyed 16-bit sprite and a per-pixel-alpha 32-bit sprite.
class Scene {
public:
  Scene() {
    int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftwareAlpha;
    if (m_device.Open(800, 600, Qel::PixelFormat(16), false, &mode) != 0) {
      std::fprintf(stderr, "sdl_blit: no video mode: %s\n", SDL_GetError());
      std::exit(1);
    }
    m_device.HideCursor();
    Qel::SDLSurface::RegisterSurfaceOps();

    std::vector<uint16_t> keyed(kSprite * kSprite);
    std::vector<uint32_t> alpha(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y) {
      for (int x = 0; x < kSprite; ++x) {
        const bool key = ((x / 8) + (y / 8)) % 2 == 0;
        keyed[y * kSprite + x] = key ? 0xF81F : static_cast<uint16_t>((x >> 2) << 11 | (y >> 1) << 5 | 7);
        alpha[y * kSprite + x] =
            static_cast<uint32_t>(x * 2) << 24 | static_cast<uint32_t>(y * 2) << 16 | 0x8080;
      }
    }
    const Qel::Color magenta(255, 0, 255, 255);
    m_keyed.reset(m_device.CreateSurfaceFromPixels(keyed.data(), kSprite, kSprite, kSprite * 2,
                                                   Qel::kPixelFormatR5G6B5, 0, &magenta));
    m_alpha.reset(m_device.CreateSurfaceFromPixels(alpha.data(), kSprite, kSprite, kSprite * 4,
                                                   Qel::kPixelFormatA8R8G8B8, 0, nullptr));
    // A fixed scatter over the screen, some sprites reaching past its edges.
    uint32_t seed = 12345;
    for (int i = 0; i < kBlitsPerFrame; ++i) {
      seed = seed * 1103515245u + 12345u;
      const int x = static_cast<int>(seed >> 8) % (800 + kSprite / 2) - kSprite / 4;
      seed = seed * 1103515245u + 12345u;
      const int y = static_cast<int>(seed >> 8) % (600 + kSprite / 2) - kSprite / 4;
      m_positions.emplace_back(x, y);
    }
  }

  Qel::SDLDisplayDevice& Device() { return m_device; }
  Qel::DrawingSurface* Sprite(int i) { return i % 2 == 0 ? m_keyed.get() : m_alpha.get(); }
  const Qel::Point2& Position(int i) const { return m_positions[i]; }

private:
  Qel::SDLDisplayDevice m_device;
  std::unique_ptr<Qel::DrawingSurface> m_keyed;
  std::unique_ptr<Qel::DrawingSurface> m_alpha;
  std::vector<Qel::Point2> m_positions;
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void EngineFrame(Scene& scene) {
  Qel::DrawingSurface* backBuffer = scene.Device().GetBackBuffer();
  for (int i = 0; i < kBlitsPerFrame; ++i) {
    benchmark::DoNotOptimize(scene.Sprite(i)->BlitTo(backBuffer, scene.Position(i)));
  }
  benchmark::ClobberMemory();
}

void BareSDLFrame(Scene& scene) {
  SDL_Surface* screen = static_cast<Qel::SDLSurface*>(scene.Device().GetBackBuffer())->GetSDLSurface();
  SDL_Surface* sprites[2] = {static_cast<Qel::SDLSurface*>(scene.Sprite(0))->GetSDLSurface(),
                             static_cast<Qel::SDLSurface*>(scene.Sprite(1))->GetSDLSurface()};
  for (int i = 0; i < kBlitsPerFrame; ++i) {
    SDL_Rect to{static_cast<Sint16>(scene.Position(i).X()), static_cast<Sint16>(scene.Position(i).Y()), 0, 0};
    benchmark::DoNotOptimize(SDL_BlitSurface(sprites[i % 2], nullptr, screen, &to));
  }
  benchmark::ClobberMemory();
}

// The same blits with SDL's run-length acceleration on copies of the two sprites.
void BareSDLFrameRle(Scene& scene) {
  static SDL_Surface* const sprites[2] = {
      bench::RleCopy(static_cast<Qel::SDLSurface*>(scene.Sprite(0))->GetSDLSurface()),
      bench::RleCopy(static_cast<Qel::SDLSurface*>(scene.Sprite(1))->GetSDLSurface())};
  SDL_Surface* screen = static_cast<Qel::SDLSurface*>(scene.Device().GetBackBuffer())->GetSDLSurface();
  for (int i = 0; i < kBlitsPerFrame; ++i) {
    SDL_Rect to{static_cast<Sint16>(scene.Position(i).X()), static_cast<Sint16>(scene.Position(i).Y()), 0, 0};
    benchmark::DoNotOptimize(SDL_BlitSurface(sprites[i % 2], nullptr, screen, &to));
  }
  benchmark::ClobberMemory();
}

void BM_EngineFrame(benchmark::State& state) {
  for (auto _ : state) EngineFrame(TheScene());
  state.SetItemsProcessed(state.iterations() * kBlitsPerFrame);
}

void BM_BareSDLFrame(benchmark::State& state) {
  for (auto _ : state) BareSDLFrame(TheScene());
  state.SetItemsProcessed(state.iterations() * kBlitsPerFrame);
}

void BM_BareSDLFrameRle(benchmark::State& state) {
  for (auto _ : state) BareSDLFrameRle(TheScene());
  state.SetItemsProcessed(state.iterations() * kBlitsPerFrame);
}

// The two frames alternate inside one loop, so that load from elsewhere on the machine falls on both alike;
// the order swaps every iteration so that neither always finds the caches as the other left them.
// Argument 1: the reference blits with run-length acceleration.
void BM_EngineOverBare(benchmark::State& state) {
  Scene& scene = TheScene();
  const bool rle = state.range(0) == 1;
  double engine = 0;
  double bare = 0;
  bool engineFirst = true;
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      const bool runEngine = (pass == 0) == engineFirst;
      const auto start = std::chrono::steady_clock::now();
      if (runEngine) {
        EngineFrame(scene);
      } else if (rle) {
        BareSDLFrameRle(scene);
      } else {
        BareSDLFrame(scene);
      }
      const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
      (runEngine ? engine : bare) += took.count();
    }
    engineFirst = !engineFirst;
  }
  state.counters["engine_us"] = engine / static_cast<double>(state.iterations());
  state.counters["bare_us"] = bare / static_cast<double>(state.iterations());
  state.counters["ratio"] = engine / bare;
}

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BareSDLFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BareSDLFrameRle)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EngineOverBare)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(3.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Keeps the median ratio of the interleaved run so that the overhead can be stated at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median" || run.benchmark_name().find("BM_EngineOverBare") != 0) continue;
      const auto ratio = run.counters.find("ratio");
      if (ratio != run.counters.end())
        m_ratio[run.benchmark_name().find("BM_EngineOverBare/1") == 0] = ratio->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const char* const references[2] = {"bare SDL", "bare SDL with RLE"};
    for (int i = 0; i < 2; ++i) {
      if (m_ratio[i] <= 0) continue;
      std::printf("engine / %s per frame of %d blits (median of interleaved runs): %.4f (%+.2f %%)\n",
                  references[i], kBlitsPerFrame, m_ratio[i], (m_ratio[i] - 1) * 100);
    }
  }

private:
  double m_ratio[2] = {0, 0};
};

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  Qel::SDLSurface::UnregisterSurfaceOps();
  SDL_Quit();
  return 0;
}
