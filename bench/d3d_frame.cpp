// A full frame through each display path: an 800 x 600 background and 50 alpha sprites of 128 x 128,
// cleared, drawn and presented by the Direct3D device on the software stand-in and by the SDL device
// (the reference), under one 800 x 600 video mode of the dummy driver.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "RatioReporter.h"
#include "graphics/D3DDisplayDevice.h"
#include "graphics/D3DSurface.h"
#include "graphics/D3DTexture.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprites = 50;
constexpr int kSpriteSize = 128;

std::vector<uint32_t> Background() {
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth * kHeight));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x)
      pixels[static_cast<size_t>(y * kWidth + x)] = 0xFF000000u | uint32_t(x * 7) << 8 | uint32_t(y);
  }
  return pixels;
}

// A disc fading out towards its edge, clear outside: every alpha from 0 to 255 occurs.
std::vector<uint32_t> Sprite() {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSpriteSize * kSpriteSize));
  for (int y = 0; y < kSpriteSize; ++y) {
    for (int x = 0; x < kSpriteSize; ++x) {
      const int dx = x - 64;
      const int dy = y - 64;
      const int distance = dx * dx + dy * dy;
      const uint32_t alpha =
          distance >= 64 * 64 ? 0 : 255 - static_cast<uint32_t>(distance * 255 / (64 * 64));
      pixels[static_cast<size_t>(y * kSpriteSize + x)] = alpha << 24 | 0x00C04020u;
    }
  }
  return pixels;
}

Qel::Point2 SpritePlace(int i) {
  return Qel::Point2((i * 97) % (kWidth - kSpriteSize / 2), (i * 61) % (kHeight - kSpriteSize / 2));
}

struct Scene {
  std::unique_ptr<Qel::DrawingSurface> background;
  std::vector<std::unique_ptr<Qel::DrawingSurface>> sprites;
};

Scene MakeScene(Qel::DisplayDevice& device, bool tiled) {
  const std::vector<uint32_t> background = Background();
  const std::vector<uint32_t> sprite = Sprite();
  Scene scene;
  if (tiled) {
    // Under Direct3D a background is held as device-sized tiles.
    scene.background = Qel::MultiSurface::Create(&device, 128, 128, background.data(), kWidth, kHeight,
                                                 kWidth * 4, Qel::kPixelFormatX8R8G8B8, 0, nullptr);
  } else {
    scene.background.reset(device.CreateSurfaceFromPixels(background.data(), kWidth, kHeight, kWidth * 4,
                                                          Qel::kPixelFormatX8R8G8B8, 0, nullptr));
  }
  for (int i = 0; i < kSprites; ++i) {
    scene.sprites.emplace_back(device.CreateSurfaceFromPixels(
        sprite.data(), kSpriteSize, kSpriteSize, kSpriteSize * 4, Qel::kPixelFormatA8R8G8B8, 0, nullptr));
  }
  return scene;
}

void DrawFrame(benchmark::State& state, Qel::DisplayDevice& device, Scene& scene) {
  Qel::DrawingSurface* back = device.GetBackBuffer();
  device.FillRect(nullptr, Qel::Color(0, 0, 0, 255));
  if (device.BeginFrame() != 0) {
    state.SkipWithError("the frame did not begin");
    return;
  }
  scene.background->BlitTo(back, Qel::Point2(0, 0));
  for (int i = 0; i < kSprites; ++i) scene.sprites[static_cast<size_t>(i)]->BlitTo(back, SpritePlace(i));
  device.EndFrame();
  device.Present();
}

// Both devices share SDL's one video mode: the SDL device sets it and the Direct3D device presents into it.
struct Devices {
  Qel::SDLDisplayDevice sdl;
  Qel::D3DDisplayDevice d3d;
  plat::d3d8::IDirect3D8* direct3D = nullptr;
  bool ready = false;

  Devices() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
    const int alpha = Qel::SDLDisplayDevice::kSurfaceModeSoftwareAlpha;
    if (sdl.Open(kWidth, kHeight, Qel::PixelFormat(16), false, &alpha) != 0) return;
    direct3D = plat::d3d8::Direct3DCreate8(plat::d3d8::D3D_SDK_VERSION);
    Qel::D3DDeviceParameters parameters;
    parameters.direct3D = direct3D;
    if (!direct3D || d3d.Open(kWidth, kHeight, Qel::kPixelFormatR5G6B5, true, &parameters) != 0) return;
    Qel::SDLSurface::RegisterSurfaceOps();
    Qel::D3DSurface::RegisterSurfaceOps();
    Qel::D3DTexture::RegisterSurfaceOps();
    Qel::MultiSurface::RegisterSurfaceOps();
    ready = true;
  }
};

Devices& TheDevices() {
  static Devices devices;
  return devices;
}

void BM_Direct3DFrame(benchmark::State& state) {
  Devices& devices = TheDevices();
  if (!devices.ready) return state.SkipWithError("no display");
  Qel::SetMaxSurfaceSize(128, 128);
  Scene scene = MakeScene(devices.d3d, true);
  for (auto _ : state) DrawFrame(state, devices.d3d, scene);
  state.SetItemsProcessed(state.iterations());
}

void BM_SDLFrame(benchmark::State& state) {
  Devices& devices = TheDevices();
  if (!devices.ready) return state.SkipWithError("no display");
  Scene scene = MakeScene(devices.sdl, false);
  for (auto _ : state) DrawFrame(state, devices.sdl, scene);
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Direct3DFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDLFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Frames per second of the Direct3D path over the SDL path's; the goal is a Direct3D frame of 2 ms or
  // less, read from the Direct3D run's time.
  bench::RatioReporter reporter("items_per_second", {{"BM_Direct3DFrame", "BM_SDLFrame", 1.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
