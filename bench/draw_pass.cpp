// The draw pass of a 500-object scene in 20 groups (collect, sort, clip, blit) against the bare blits of
// the same surfaces, with the same source rectangles, in the same order; and the pass without its blits.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "RatioReporter.h"
#include "core/Box3.h"
#include "core/Color.h"
#include "core/PixelFormat.h"
#include "core/Point2.h"
#include "core/Rect.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/Scene.h"
#include "graphics/SceneDrawable.h"
#include "graphics/SceneObjectGroup.h"

namespace {

constexpr int kGroups = 20;
constexpr int kObjectsPerGroup = 25;
const Qel::Box3 kScreenClip(0, 0, 0, 800, 600, 10000);

// One blit as the draw pass makes it, recorded so that the reference can repeat it bare.
struct Blit {
  Qel::DrawingSurface* m_surface;
  Qel::Rect m_source;
  Qel::Point2 m_at;
};

// A drawable showing one surface, placed as a sprite places its frame.
class Picture : public Qel::SceneDrawable {
public:
  explicit Picture(std::shared_ptr<Qel::DrawingSurface> surface) : m_surface(std::move(surface)) {}

  void ComputeLocalBounds(Qel::Box3& out) const override {
    out.Set(0, 0, 0, m_surface->GetWidth(), m_surface->GetHeight(), 0);
  }

  void Render(Qel::DrawingSurface& target, const Qel::Box3& source, const Qel::Point2& at) override {
    Qel::Rect area = source.ToRect();
    area += Qel::Point2(GetAnchor().X(), GetAnchor().Y());
    if (m_record) m_record->push_back(Blit{m_surface.get(), area, at});
    if (m_blit) m_surface->BlitTo(&target, &area, at);
  }

  std::vector<Blit>* m_record = nullptr;
  bool m_blit = true;

private:
  std::shared_ptr<Qel::DrawingSurface> m_surface;
};

// The game's screen: 800 x 600, 16 bits, software surfaces under whatever SDL video driver is set.
class Stage {
public:
  Stage() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    Qel::SDLSurface::RegisterSurfaceOps();
    const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
    m_ready = m_device.Open(800, 600, Qel::kPixelFormatR5G6B5, false, &mode) == 0;
    if (!m_ready) return;

    // A fixed pseudo-random layout: sprite-sized pictures over the screen and a little past its edges,
    // in four layers at scattered depths, so that sorting has work to do.
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
      seed = seed * 1103515245u + 12345u;
      return static_cast<int32_t>((seed >> 8) % range);
    };
    for (int g = 0; g < kGroups; ++g) {
      auto group = std::make_shared<Qel::SceneObjectGroup>();
      group->SetName("group" + std::to_string(g));
      group->SetLocalPosition(Qel::Point3(next(200) - 100, next(200) - 100, 0));
      m_scene.GetWorld().AddChild(group);
      for (int i = 0; i < kObjectsPerGroup; ++i) {
        const int size = 48 + next(33);
        std::shared_ptr<Qel::DrawingSurface> surface(
            m_device.CreateSurface(size, size, Qel::DisplayDevice::kSurfaceDefault));
        if (!surface) {
          m_ready = false;
          return;
        }
        const Qel::Color colour(Qel::kPixelFormatR5G6B5, static_cast<uint8_t>(next(256)),
                                static_cast<uint8_t>(next(256)), static_cast<uint8_t>(next(256)), 255);
        surface->DrawRectangle(nullptr, 0, colour, colour);
        auto picture = std::make_shared<Picture>(surface);
        picture->SetName("object" + std::to_string(i));
        picture->SetLocalPosition(Qel::Point3(next(860) - 30, next(660) - 30, next(1000)));
        picture->SetAnchor(Qel::Point3(size / 2, size / 2, 0));
        picture->SetLayer(next(4));
        group->AddChild(picture);
        m_pictures.push_back(picture);
      }
    }
  }

  ~Stage() { Qel::SDLSurface::UnregisterSurfaceOps(); }

  bool IsReady() const { return m_ready; }

  void DrawScene() { m_scene.Draw(*m_device.GetBackBuffer(), kScreenClip, Qel::Point2()); }

  // What one frame of the draw pass blits, in its order.
  std::vector<Blit> RecordBlits() {
    std::vector<Blit> blits;
    for (auto& picture : m_pictures) picture->m_record = &blits;
    DrawScene();
    for (auto& picture : m_pictures) picture->m_record = nullptr;
    return blits;
  }

  void EnableBlits(bool enable) {
    for (auto& picture : m_pictures) picture->m_blit = enable;
  }

  Qel::DrawingSurface& BackBuffer() { return *m_device.GetBackBuffer(); }

private:
  Qel::SDLDisplayDevice m_device;
  Qel::Scene m_scene;
  std::vector<std::shared_ptr<Picture>> m_pictures;
  bool m_ready = false;
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

void BM_DrawPass(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  for (auto _ : state) stage.DrawScene();
  state.SetItemsProcessed(state.iterations() * kGroups * kObjectsPerGroup);
}

// The scene's own work alone: the same pass with every picture's blit left out.
void BM_DrawPassWithoutBlits(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  stage.EnableBlits(false);
  for (auto _ : state) stage.DrawScene();
  stage.EnableBlits(true);
  state.SetItemsProcessed(state.iterations() * kGroups * kObjectsPerGroup);
}

// Reference: the same blits with none of the scene's work around them.
void BM_BareBlits(benchmark::State& state) {
  Stage& stage = TheStage();
  if (!stage.IsReady()) {
    state.SkipWithError("no SDL display");
    return;
  }
  const std::vector<Blit> blits = stage.RecordBlits();
  Qel::DrawingSurface* target = &stage.BackBuffer();
  for (auto _ : state) {
    for (const Blit& blit : blits) blit.m_surface->BlitTo(target, &blit.m_source, blit.m_at);
  }
  state.counters["blits"] = static_cast<double>(blits.size());
  state.SetItemsProcessed(state.iterations() * kGroups * kObjectsPerGroup);
}

}  // namespace

// The pass's own work is a small part of a frame of blits: repeated and interleaved, so that the busy
// moments of a shared machine fall on both sides alike.
BENCHMARK(BM_BareBlits)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_DrawPass)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_DrawPassWithoutBlits)->Unit(benchmark::kMicrosecond)->Repetitions(5);

int main(int argc, char** argv) {
  // Goal: the pass takes at most 5 % more time than its bare blits.
  bench::RatioReporter reporter("items_per_second", {{"BM_DrawPass", "BM_BareBlits", 0.95}});
  return bench::RunInterleaved(argc, argv, &reporter);
}
