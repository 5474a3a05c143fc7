// A node frame with 100 particles showing and four six-digit numeric displays whose values change
// every frame, against the same node with as many plain ambient objects (100 and the 24 digits)
// that nothing changes, in the same run. A frame is the periodicals' run (the sprites' animations),
// the node's update and its draw.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "RatioReporter.h"
#include "fixture-content/SpriteFile.h"
#include "framework/Ambient.h"
#include "framework/GameNode.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/NumericDisplay.h"
#include "framework/Particle.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"

namespace {

constexpr int kParticles = 100;
constexpr int kDisplays = 4;
constexpr int kDigits = 6;
constexpr uint32_t kFrameMs = 16;

class BenchNode : private test::NodeSprites, public GameNode {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new BenchNode; }
};

// Ten looping animations of two 100 ms frames, so that no particle's animation ends and every
// digit has its sequence.
fixture::SpriteFile LoopingSprite() {
  fixture::SpriteFile file = test::StageSprite(24, 32);
  fixture::SpriteFileAnimation loop = file.m_animations[1];
  file.m_animations.assign(10, loop);
  return file;
}

struct Setup {
  Setup() {
    stage = std::make_unique<test::ObjectStage>();
    if (!stage->IsReady()) std::abort();
    stage->AddSprite("loop", LoopingSprite());
    test::ProvideNodeSprites();
    NodeManager::Instance().SetNodeFactoryForTesting(BenchNode::Create);
    NodeManager::Instance().RequestNode(kNodeHub);
    NodeManager::Instance().SwitchNode();
    node = NodeManager::Instance().GetCurrentNode();
    for (int i = 0; i < kParticles; ++i) {
      particles.push_back(std::make_unique<Particle>(("p" + std::to_string(i)).c_str(), "loop", 0));
      particles.back()->SetPositionAndZ(static_cast<float>(i * 7 % 780), static_cast<float>(i * 13 % 560), i);
    }
    for (int d = 0; d < kDisplays; ++d) {
      displays.push_back(std::make_unique<NumericDisplay>(NumericDisplay::kZeroPadded, false));
      for (int i = 0; i < kDigits; ++i) {
        digits.push_back(
            std::make_unique<Ambient>(("d" + std::to_string(d * kDigits + i)).c_str(), "loop", 0));
        digits.back()->SetPositionAndZ(static_cast<float>(100 + 26 * i), static_cast<float>(40 + 40 * d),
                                       200);
        displays.back()->AddDigit(digits.back().get());
      }
    }
    for (int i = 0; i < kParticles + kDisplays * kDigits; ++i) {
      ambients.push_back(std::make_unique<Ambient>(("a" + std::to_string(i)).c_str(), "loop", 0));
      ambients.back()->SetPositionAndZ(static_cast<float>(i * 7 % 780), static_cast<float>(i * 13 % 560), i);
    }
  }
  ~Setup() {
    Clear();
    particles.clear();
    displays.clear();
    digits.clear();
    ambients.clear();
    NodeManager::Instance().Shutdown();
    NodeManager::Instance().SetNodeFactoryForTesting(nullptr);
    stage.reset();
  }

  // Only one side's objects are in the node at a time.
  void UseParticles() {
    if (showing == kShowingParticles) return;
    Clear();
    for (const auto& particle : particles) particle->Show();
    for (const auto& digit : digits) node->AddObject(digit.get());
    showing = kShowingParticles;
  }
  void UseAmbients() {
    if (showing == kShowingAmbients) return;
    Clear();
    for (const auto& ambient : ambients) node->AddObject(ambient.get());
    showing = kShowingAmbients;
  }
  void Clear() {
    for (const auto& particle : particles) particle->Hide();
    for (const auto& digit : digits) node->RemoveObject(digit.get());
    for (const auto& ambient : ambients) node->RemoveObject(ambient.get());
    showing = kShowingNone;
  }

  void Frame() {
    test::ObjectStage::Tick(kFrameMs);
    node->Update();
    node->Draw();
  }

  enum { kShowingNone, kShowingParticles, kShowingAmbients } showing = kShowingNone;
  std::unique_ptr<test::ObjectStage> stage;
  GameNode* node = nullptr;
  std::vector<std::unique_ptr<Particle>> particles;
  std::vector<std::unique_ptr<NumericDisplay>> displays;
  std::vector<std::unique_ptr<Ambient>> digits;
  std::vector<std::unique_ptr<Ambient>> ambients;
};

Setup& Get() {
  static Setup* setup = new Setup;
  return *setup;
}

void ParticlesAndDisplays(benchmark::State& state) {
  Setup& s = Get();
  s.UseParticles();
  uint32_t value = 100000;
  for (auto _ : state) {
    // Each display shows a new six-digit value whose every place changes.
    for (size_t d = 0; d < s.displays.size(); ++d)
      s.displays[d]->SetValue(value + 111111u * static_cast<uint32_t>(d));
    value = value >= 888888 ? 100000 : value + 111111;
    s.Frame();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["objects"] = static_cast<double>(s.node->GetObjects().GetCount());
}

void PlainAmbients(benchmark::State& state) {
  Setup& s = Get();
  s.UseAmbients();
  for (auto _ : state) s.Frame();
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["objects"] = static_cast<double>(s.node->GetObjects().GetCount());
}

}  // namespace

// Many short repetitions, interleaved: the two sides differ by a few per cent, less than a busy moment
// of a shared machine moves one long run.
BENCHMARK(ParticlesAndDisplays)->Unit(benchmark::kMicrosecond)->MinTime(0.02)->Repetitions(100);
BENCHMARK(PlainAmbients)->Unit(benchmark::kMicrosecond)->MinTime(0.02)->Repetitions(100);

int main(int argc, char** argv) {
  // Headless: the stage opens the display on SDL's dummy driver.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Goal: the frame with particles and changing displays takes under 5 % more time than the plain
  // one, so its speed is at least 0.95 of the plain frame's.
  bench::RatioReporter reporter("items_per_second", {{"ParticlesAndDisplays", "PlainAmbients", 0.95}});
  const int status = bench::RunInterleaved(argc, argv, &reporter);
  delete &Get();
  return status;
}
