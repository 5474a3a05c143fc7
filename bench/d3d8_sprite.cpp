// The Direct3D stand-in's sprite draw onto a 16-bit back buffer against SDL_BlitSurface of the same
// images onto a surface of the same format: 32-bit and 16-bit per-pixel alpha, and opaque 16-bit.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "RatioReporter.h"
#include "RleCopy.h"
#include "platform/d3d8/D3D8.h"
#include "platform/d3d8/D3DX8.h"

namespace {

using namespace plat::d3d8;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprite = 128;
constexpr int kDraws = 50;

// A round sprite: opaque in the middle, fading to nothing at the rim, empty in the corners, as the
// game's anti-aliased sprites are.
uint32_t SpritePixel(int x, int y) {
  const double dx = x - kSprite / 2 + 0.5, dy = y - kSprite / 2 + 0.5;
  const double d = std::sqrt(dx * dx + dy * dy) / (kSprite / 2);
  const uint32_t a = d >= 1 ? 0 : d < 0.6 ? 255 : static_cast<uint32_t>((1 - d) / 0.4 * 255);
  return a << 24 | static_cast<uint32_t>(x * 2) << 16 | static_cast<uint32_t>(y * 2) << 8 | 0x40;
}

uint16_t To4444(uint32_t v) {
  return static_cast<uint16_t>((v >> 28) << 12 | ((v >> 20) & 15) << 8 | ((v >> 12) & 15) << 4 |
                               ((v >> 4) & 15));
}
uint16_t To565(uint32_t v) {
  return static_cast<uint16_t>(((v >> 19) & 31) << 11 | ((v >> 10) & 63) << 5 | ((v >> 3) & 31));
}

struct Kind {
  D3DFORMAT format;
  int bytes;
  Uint32 masks[4];  // SDL's red, green, blue, alpha
};
const Kind kKinds[] = {
    {D3DFMT_A8R8G8B8, 4, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    {D3DFMT_A4R4G4B4, 2, {0x0F00, 0x00F0, 0x000F, 0xF000}},
    {D3DFMT_R5G6B5, 2, {0xF800, 0x07E0, 0x001F, 0}},
};

class Scene {
public:
  Scene() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) std::exit(1);
    m_d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = kWidth;
    parameters.BackBufferHeight = kHeight;
    parameters.BackBufferFormat = D3DFMT_R5G6B5;
    if (!m_d3d || m_d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &m_device) != D3D_OK ||
        D3DXCreateSprite(m_device, &m_sprite) != D3D_OK) {
      std::fprintf(stderr, "d3d8_sprite: no device\n");
      std::exit(1);
    }
    m_screen = SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, 16, 0xF800, 0x07E0, 0x001F, 0);
    for (int k = 0; k < 3; ++k) {
      const Kind& kind = kKinds[k];
      std::vector<uint8_t> pixels(kSprite * kSprite * kind.bytes);
      for (int y = 0; y < kSprite; ++y) {
        for (int x = 0; x < kSprite; ++x) {
          const uint32_t v = SpritePixel(x, y);
          uint8_t* p = &pixels[(y * kSprite + x) * kind.bytes];
          if (kind.format == D3DFMT_A8R8G8B8) std::memcpy(p, &v, 4);
          const uint16_t h = kind.format == D3DFMT_A4R4G4B4 ? To4444(v) : To565(v);
          if (kind.bytes == 2) std::memcpy(p, &h, 2);
        }
      }
      D3DXCreateTexture(m_device, kSprite, kSprite, 1, 0, kind.format, D3DPOOL_MANAGED, &m_textures[k]);
      IDirect3DSurface8* level = nullptr;
      m_textures[k]->GetSurfaceLevel(0, &level);
      const RECT all{0, 0, kSprite, kSprite};
      D3DXLoadSurfaceFromMemory(level, nullptr, nullptr, pixels.data(), kind.format, kSprite * kind.bytes,
                                nullptr, &all, D3DX_FILTER_NONE, 0);
      level->Release();
      SDL_Surface* made = SDL_CreateRGBSurface(SDL_SWSURFACE, kSprite, kSprite, kind.bytes * 8, kind.masks[0],
                                               kind.masks[1], kind.masks[2], kind.masks[3]);
      for (int y = 0; y < kSprite; ++y) {
        std::memcpy(static_cast<uint8_t*>(made->pixels) + y * made->pitch, &pixels[y * kSprite * kind.bytes],
                    kSprite * kind.bytes);
      }
      // Per-pixel alpha where the image has it; the opaque one is a plain copy.
      if (kind.masks[3]) {
        SDL_SetAlpha(made, SDL_SRCALPHA, 255);
      } else {
        SDL_SetAlpha(made, 0, 255);
      }
      m_surfaces[k] = made;
    }
    // A fixed scatter, some sprites over the edges.
    uint32_t seed = 777;
    for (int i = 0; i < kDraws; ++i) {
      seed = seed * 1103515245u + 12345u;
      const int x = static_cast<int>((seed >> 8) % (kWidth + kSprite / 2)) - kSprite / 4;
      seed = seed * 1103515245u + 12345u;
      const int y = static_cast<int>((seed >> 8) % (kHeight + kSprite / 2)) - kSprite / 4;
      m_at.push_back({x, y});
    }
  }

  void Ours(int kind) {
    for (const auto& p : m_at) {
      const D3DXVECTOR2 at{static_cast<float>(p.x), static_cast<float>(p.y)};
      m_sprite->Draw(m_textures[kind], nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF);
    }
  }

  // rle: the same surface with SDL's run-length acceleration (a copy, made once).
  void Sdl(int kind, bool rle) {
    if (rle && !m_rle[kind]) m_rle[kind] = bench::RleCopy(m_surfaces[kind]);
    SDL_Surface* surface = rle ? m_rle[kind] : m_surfaces[kind];
    for (const auto& p : m_at) {
      SDL_Rect to{static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
      SDL_BlitSurface(surface, nullptr, m_screen, &to);
    }
  }

private:
  struct At {
    int x, y;
  };
  IDirect3D8* m_d3d = nullptr;
  IDirect3DDevice8* m_device = nullptr;
  ID3DXSprite* m_sprite = nullptr;
  IDirect3DTexture8* m_textures[3] = {};
  SDL_Surface* m_screen = nullptr;
  SDL_Surface* m_surfaces[3] = {};
  SDL_Surface* m_rle[3] = {};
  std::vector<At> m_at;
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

enum Side { kOurs, kSdl, kSdlRle };

template <Side kSide>
void Draw(benchmark::State& state) {
  Scene& scene = TheScene();
  const int kind = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (kSide == kOurs) {
      scene.Ours(kind);
    } else {
      scene.Sdl(kind, kSide == kSdlRle);
    }
    benchmark::ClobberMemory();
  }
  // Sprites per second: both sides draw the same sprites at the same places.
  state.SetItemsProcessed(state.iterations() * kDraws);
}

void BM_D3D8_A8R8G8B8_onto_R5G6B5(benchmark::State& s) {
  Draw<kOurs>(s);
}
void BM_SDL_A8R8G8B8_onto_R5G6B5(benchmark::State& s) {
  Draw<kSdl>(s);
}
void BM_SDL_RLE_A8R8G8B8_onto_R5G6B5(benchmark::State& s) {
  Draw<kSdlRle>(s);
}
void BM_D3D8_A4R4G4B4_onto_R5G6B5(benchmark::State& s) {
  Draw<kOurs>(s);
}
void BM_SDL_A4R4G4B4_onto_R5G6B5(benchmark::State& s) {
  Draw<kSdl>(s);
}
void BM_SDL_RLE_A4R4G4B4_onto_R5G6B5(benchmark::State& s) {
  Draw<kSdlRle>(s);
}
void BM_D3D8_R5G6B5_opaque(benchmark::State& s) {
  Draw<kOurs>(s);
}
void BM_SDL_R5G6B5_opaque(benchmark::State& s) {
  Draw<kSdl>(s);
}
void BM_SDL_RLE_R5G6B5_opaque(benchmark::State& s) {
  Draw<kSdlRle>(s);
}

BENCHMARK(BM_D3D8_A8R8G8B8_onto_R5G6B5)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_A8R8G8B8_onto_R5G6B5)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_RLE_A8R8G8B8_onto_R5G6B5)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_D3D8_A4R4G4B4_onto_R5G6B5)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_A4R4G4B4_onto_R5G6B5)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_RLE_A4R4G4B4_onto_R5G6B5)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_D3D8_R5G6B5_opaque)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_R5G6B5_opaque)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SDL_RLE_R5G6B5_opaque)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RatioReporter reporter("items_per_second",
                                {{"BM_D3D8_A8R8G8B8_onto_R5G6B5", "BM_SDL_A8R8G8B8_onto_R5G6B5", 2.0},
                                 {"BM_D3D8_A4R4G4B4_onto_R5G6B5", "BM_SDL_A4R4G4B4_onto_R5G6B5", 2.0},
                                 {"BM_D3D8_R5G6B5_opaque", "BM_SDL_R5G6B5_opaque", 1.0},
                                 {"BM_D3D8_A8R8G8B8_onto_R5G6B5", "BM_SDL_RLE_A8R8G8B8_onto_R5G6B5", 0.0},
                                 {"BM_D3D8_A4R4G4B4_onto_R5G6B5", "BM_SDL_RLE_A4R4G4B4_onto_R5G6B5", 0.0},
                                 {"BM_D3D8_R5G6B5_opaque", "BM_SDL_RLE_R5G6B5_opaque", 0.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  SDL_Quit();
  return 0;
}
