// Converting an 800 x 600 screen of pixels from A8R8G8B8 to R5G6B5 and back with the engine's converter,
// against SDL_ConvertSurface doing the same; both make a new buffer for the result. The program ends with
// the ratios.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "core/PixelFormat.h"
#include "graphics/ConvertPixels.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr MakeSurface(const Qel::PixelFormat& f) {
  return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, f.GetBitsPerPixel(), f.GetRedMask(),
                                         f.GetGreenMask(), f.GetBlueMask(), f.GetAlphaMask()));
}

// A sprite-like screen: every channel varies, one pixel from the next.
class Screens {
public:
  Screens() : m_argb(MakeSurface(Qel::kPixelFormatA8R8G8B8)), m_rgb565(MakeSurface(Qel::kPixelFormatR5G6B5)) {
    uint32_t seed = 4711;
    for (int y = 0; y < kHeight; ++y) {
      auto* argb = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(m_argb->pixels) + y * m_argb->pitch);
      auto* rgb = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(m_rgb565->pixels) + y * m_rgb565->pitch);
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1103515245u + 12345u;
        argb[x] = seed;
        rgb[x] = static_cast<uint16_t>(seed >> 16);
      }
    }
  }

  SDL_Surface* Argb() const { return m_argb.get(); }
  SDL_Surface* Rgb565() const { return m_rgb565.get(); }

private:
  SurfacePtr m_argb;
  SurfacePtr m_rgb565;
};

Screens& TheScreens() {
  static Screens screens;
  return screens;
}

void Engine(benchmark::State& state, SDL_Surface* source, const Qel::PixelFormat& from,
            const Qel::PixelFormat& to) {
  const int pitch = kWidth * to.GetBytesPerPixel();
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> converted(new (std::nothrow) uint8_t[static_cast<size_t>(pitch) * kHeight]);
    Qel::ConvertPixels(kWidth, kHeight, source->pixels, source->pitch, from, converted.get(), pitch, to);
    benchmark::DoNotOptimize(converted.get());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void Sdl(benchmark::State& state, SDL_Surface* source, SDL_Surface* formatOf) {
  for (auto _ : state) {
    SurfacePtr converted(SDL_ConvertSurface(source, formatOf->format, SDL_SWSURFACE));
    if (!converted) state.SkipWithError("SDL_ConvertSurface failed");
    benchmark::DoNotOptimize(converted.get());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_EngineArgbTo565(benchmark::State& state) {
  Engine(state, TheScreens().Argb(), Qel::kPixelFormatA8R8G8B8, Qel::kPixelFormatR5G6B5);
}
void BM_SdlArgbTo565(benchmark::State& state) {
  Sdl(state, TheScreens().Argb(), TheScreens().Rgb565());
}
void BM_Engine565ToArgb(benchmark::State& state) {
  Engine(state, TheScreens().Rgb565(), Qel::kPixelFormatR5G6B5, Qel::kPixelFormatA8R8G8B8);
}
void BM_Sdl565ToArgb(benchmark::State& state) {
  Sdl(state, TheScreens().Rgb565(), TheScreens().Argb());
}

BENCHMARK(BM_EngineArgbTo565)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SdlArgbTo565)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Engine565ToArgb)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Sdl565ToArgb)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RatioReporter reporter("items_per_second", {{"BM_EngineArgbTo565", "BM_SdlArgbTo565", 1.0},
                                                     {"BM_Engine565ToArgb", "BM_Sdl565ToArgb", 1.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  SDL_Quit();
  return 0;
}
