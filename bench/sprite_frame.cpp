// One frame of 200 animated 128 x 128 sprites, ticked and drawn through the scene onto the SDL back buffer,
// against bare SDL_BlitSurface calls of the same images at the same places; and the tick alone.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "RleCopy.h"
#include "core/Box3.h"
#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/Periodical.h"
#include "core/PixelFormat.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/TimeSource.h"
#include "fixture-content/SpriteFileWriter.h"
#include "graphics/Animation.h"
#include "graphics/FrameTrack.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/Scene.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLoader.h"

namespace {

constexpr int kSprites = 200;
constexpr int kSize = 128;
constexpr int kFrames = 4;
constexpr int kKinds = 10;
constexpr uint32_t kFrameMilliseconds = 16;
const Qel::Box3 kScreenClip(0, 0, 0, 800, 600, 10000);

class BenchClock : public Qel::TimeSource {
public:
  uint32_t GetTime() override { return m_now; }
  void Advance(uint32_t ms) {
    m_now += ms;
    Update();
  }

private:
  uint32_t m_now = 0;
};

// The sprite files of the run, by name hash.
class SpriteFiles : public Qel::IResourceFile {
public:
  void Put(uint32_t hash, const std::string& bytes) { m_files[hash] = bytes; }
  void Load(uint32_t, uint32_t, std::shared_ptr<Qel::IMemoryBlock>&) override {}
  void OpenStream(uint32_t hash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    const auto found = m_files.find(hash);
    if (type != Qel::kTypeSprite || found == m_files.end()) return;
    auto block = std::make_shared<Qel::MemoryBlock>();
    block->Allocate(static_cast<uint32_t>(found->second.size()));
    std::copy(found->second.begin(), found->second.end(), block->GetData());
    auto stream = std::make_shared<Qel::MemStream>();
    stream->SetMemoryBlock(block);
    out = stream;
  }

private:
  std::map<uint32_t, std::string> m_files;
};

// A looping animation of four 128 x 128 frames of 100 ms, each a solid block with a colour-keyed margin.
std::string SpriteFile(int kind) {
  fixture::SpriteFile file;
  file.m_defaultDuration = 100;
  fixture::SpriteFileAnimation loop;
  loop.m_playMode = 2;
  for (int frame = 0; frame < kFrames; ++frame) {
    const uint32_t colour = 0xFF000000u | (static_cast<uint32_t>(kind * 25) << 16) |
                            (static_cast<uint32_t>(frame * 60) << 8) | 0x40u;
    fixture::SpriteFileImage image = fixture::SpriteFileImage::Solid(kSize, kSize, colour);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (x < 8 || y < 8 || x >= kSize - 8 || y >= kSize - 8) image.m_pixels[y * kSize + x] = 0x00FF00FF;
      }
    }
    file.m_images.push_back(image);
    fixture::SpriteFileFrame shown;
    shown.m_image = static_cast<int16_t>(frame + 1);
    loop.m_frames.push_back(shown);
  }
  file.m_animations = {loop};
  return fixture::WriteSpriteFile(file);
}

// The game's screen: 800 x 600, 16 bits, software surfaces under whatever SDL video driver is set.
class Stage {
public:
  Stage() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    Qel::SDLSurface::RegisterSurfaceOps();
    const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
    m_ready = m_device.Open(800, 600, Qel::kPixelFormatR5G6B5, false, &mode) == 0;
    if (!m_ready) return;
    Qel::ResourceManager::GetInstance()->AddResourceFile(m_files, 0);
    for (int kind = 0; kind < kKinds; ++kind) m_files->Put(1000 + kind, SpriteFile(kind));

    // A fixed pseudo-random layout over the screen, every sprite whole on it, in four layers at scattered
    // depths, each animation started at another time.
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
      seed = seed * 1103515245u + 12345u;
      return static_cast<int32_t>((seed >> 8) % range);
    };
    for (int i = 0; i < kSprites; ++i) {
      auto sprite =
          m_loader.LoadSprite(1000 + i % kKinds, &m_device, 0, &m_clock, true, false, nullptr, nullptr);
      if (!sprite) {
        m_ready = false;
        return;
      }
      sprite->SetName("sprite" + std::to_string(i));
      sprite->SetLocalPosition(Qel::Point3(next(800 - kSize), next(600 - kSize), next(1000)));
      sprite->SetLayer(next(4));
      m_scene.GetWorld().AddChild(sprite);
      sprite->PlayAnimation(0u, next(kFrames));
      m_sprites.push_back(sprite);
    }
    Frame();
  }

  ~Stage() { Qel::SDLSurface::UnregisterSurfaceOps(); }

  bool IsReady() const { return m_ready; }

  void Tick() {
    m_clock.Advance(kFrameMilliseconds);
    Qel::Periodical::UpdateAll();
  }

  void Frame() {
    Tick();
    m_scene.Draw(*m_device.GetBackBuffer(), kScreenClip, Qel::Point2());
  }

  // What every sprite shows now: its frame's SDL surface at the sprite's position plus the frame offset.
  struct Blit {
    SDL_Surface* m_surface;
    SDL_Rect m_at;
  };
  std::vector<Blit> CurrentBlits() {
    std::vector<Blit> blits;
    for (const auto& sprite : m_sprites) {
      auto* track = static_cast<Qel::FrameTrack*>(sprite->GetCurrentAnimation()->FindTrack(0));
      const auto& frame = track->GetFrame(track->GetCurrentFrame());
      const Qel::Point3 at = sprite->GetLocalPosition();
      SDL_Rect rect{static_cast<Sint16>(at.X() + frame.m_offset.X()),
                    static_cast<Sint16>(at.Y() + frame.m_offset.Y()), kSize, kSize};
      blits.push_back({static_cast<Qel::SDLSurface*>(frame.m_image.get())->GetSDLSurface(), rect});
    }
    return blits;
  }

  SDL_Surface* Screen() { return static_cast<Qel::SDLSurface*>(m_device.GetBackBuffer())->GetSDLSurface(); }

private:
  BenchClock m_clock;
  Qel::SDLDisplayDevice m_device;
  std::shared_ptr<SpriteFiles> m_files = std::make_shared<SpriteFiles>();
  Qel::SpriteLoader m_loader;
  Qel::Scene m_scene;
  std::vector<std::shared_ptr<Qel::Sprite>> m_sprites;
  bool m_ready = false;
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

// The frame as the game makes it: every animation ticked, the scene collected, sorted and blitted.
void BM_SpriteFrame(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  for (auto _ : state) stage.Frame();
  state.SetItemsProcessed(state.iterations() * kSprites);
}

// The ticks alone.
void BM_SpriteTick(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  for (auto _ : state) stage.Tick();
  state.SetItemsProcessed(state.iterations() * kSprites);
}

// The reference's timed loop: each frame's blits straight through SDL, the frames in turn.
void BlitFrames(benchmark::State& state, std::vector<std::vector<Stage::Blit>>& frames, SDL_Surface* screen) {
  size_t frame = 0;
  for (auto _ : state) {
    for (Stage::Blit& blit : frames[frame]) {
      SDL_Rect at = blit.m_at;
      SDL_BlitSurface(blit.m_surface, nullptr, screen, &at);
    }
    frame = (frame + 1) % frames.size();
  }
}

// Reference: the same images at the same places by bare SDL_BlitSurface, as many frames' worth as one
// animation cycle shows, in turn.
void BM_BareSDLBlits(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  std::vector<std::vector<Stage::Blit>> frames;
  for (int i = 0; i < 25; ++i) {
    frames.push_back(stage.CurrentBlits());
    stage.Tick();
  }
  BlitFrames(state, frames, stage.Screen());
  state.SetItemsProcessed(state.iterations() * kSprites);
}

// The same reference with SDL's run-length acceleration on copies of the images.
void BM_BareSDLBlitsRle(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  std::map<SDL_Surface*, SDL_Surface*> copies;
  std::vector<std::vector<Stage::Blit>> frames;
  for (int i = 0; i < 25; ++i) {
    frames.push_back(stage.CurrentBlits());
    for (Stage::Blit& blit : frames.back()) {
      SDL_Surface*& copy = copies[blit.m_surface];
      if (!copy) copy = bench::RleCopy(blit.m_surface);
      blit.m_surface = copy;
    }
    stage.Tick();
  }
  BlitFrames(state, frames, stage.Screen());
  for (const auto& [image, copy] : copies) SDL_FreeSurface(copy);
  state.SetItemsProcessed(state.iterations() * kSprites);
}

}  // namespace

BENCHMARK(BM_BareSDLBlitsRle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareSDLBlits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpriteFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpriteTick)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  // Informational: the frame's speed over each reference's.
  bench::RatioReporter reporter("items_per_second", {{"BM_SpriteFrame", "BM_BareSDLBlits", 0.0},
                                                     {"BM_SpriteFrame", "BM_BareSDLBlitsRle", 0.0}});
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
