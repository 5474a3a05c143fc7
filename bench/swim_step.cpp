// The swim game's play step at level 5's densest stretch (the most hoops and items within the
// collision test's window of the fish) against the bare collision queries that step makes: the
// fish's GetCollisions once per hoop part and item it tests, in the same world, in the same run.
// The step's time is also given as a share of the 8 ms the game leaves between two steps.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <memory>
#include <string>

#include "Interleaved.h"
#include "RatioReporter.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"
#include "fixture-content/TextContent.h"
#include "framework/NPC.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "game6/Game6Hoop.h"
#include "game6/Game6Items.h"
#include "game6/Game6Node.h"
#include "game6/Game6Pilo.h"
#include "graphics/SceneObject.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"

namespace {

constexpr int32_t kLastLevel = Game6Node::kLevelCount - 1;
// The collision test's window around the fish (x + 100): 300 behind, 800 ahead.
constexpr int32_t kBehind = 300;
constexpr int32_t kAhead = 800;
// A hoop the fish does not touch costs three queries: its top, bottom and right side.
constexpr int32_t kQueriesPerHoop = 3;
// The fish's height below the camera's centre, and its distance ahead of it.
constexpr int32_t kFishOffsetY = 0;
constexpr int32_t kFishOffsetX = 0;

class BenchSwim : private test::NodeSprites, public Game6Node {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new BenchSwim; }
};

struct Setup {
  Setup() {
    stage = std::make_unique<test::ObjectStage>();
    if (!stage->IsReady()) std::abort();
    const fixture::DatabaseSpec content = fixture::Game6Database();
    for (const fixture::SpriteSpec& sprite : content.m_sprites)
      stage->AddFile(sprite.m_name + ".qela", fixture::WriteSpriteFile(fixture::MakeSprite(sprite)));
    for (const fixture::ObjectFileSpec& file : content.m_objectFiles)
      stage->AddText(file.m_name, fixture::ObjectFileText(file));
    for (const fixture::TextFileSpec& file : content.m_textFiles)
      stage->AddText(file.m_name, fixture::CrLfText(file.m_lines));
    for (const char* name : {"ActBackArrow", "ActBackArrow_sdl", "blank", "loading_gen1"}) stage->AddSprite(name);
    test::ProvideNodeSprites();
    NodeManager::Instance().SetNodeFactoryForTesting(BenchSwim::Create);
    NodeManager::Instance().RequestNode(kNodeGame6);
    NodeManager::Instance().SwitchNode();
    node = dynamic_cast<Game6Node*>(NodeManager::Instance().GetCurrentNode());
    if (!node) std::abort();
    node->SetLevel(kLastLevel);
    node->RestartLevel();
    node->GetCamera()->SetVelocity(0.0f, 0.0f);
    node->AnchorFishToCamera();
    // The densest stretch: the camera where the window holds the most queries.
    int32_t best = -1;
    for (float x = 400.0f; x < static_cast<float>(Game6Node::kPanelWidth * (Game6Node::kPanelCount - 1)); x += 20.0f) {
      cameraX = x;
      Place();
      const int32_t count = Queries();
      if (count > best) {
        best = count;
        bestX = x;
      }
    }
    cameraX = bestX;
    Place();
    queries = Queries();
  }
  ~Setup() {
    NodeManager::Instance().RequestNode(kNodeNone);
    NodeManager::Instance().SwitchNode();
    stage.reset();
  }

  // The fish at its place at the camera, in play, before each step.
  void Place() {
    node->GetCamera()->SetPosition(cameraX, 300.0f);
    node->m_fishOffsetX = kFishOffsetX;
    node->m_fishOffsetY = kFishOffsetY;
    node->SetState(Game6Node::PLAYING);
    node->SyncFishAndCompanion();
  }

  bool InWindow(int32_t x) const {
    const auto p = static_cast<int32_t>(node->GetFish()->GetX() + 100.0f);
    return x >= p - kBehind && x <= p + kAhead;
  }

  int32_t Queries() const {
    int32_t count = 0;
    for (const Game6Node::CHoop* hoop : node->m_hoops) {
      if (hoop && InWindow(hoop->GetPosition().X())) count += kQueriesPerHoop;
    }
    for (size_t i = 0; i < node->m_items.size(); ++i) {
      const Game6Node::ItemRecord record = Game6Node::ItemRecordOf(kLastLevel, static_cast<int32_t>(i));
      if (node->m_items[i] && InWindow(Game6Node::kPanelWidth * record.panel + record.x)) ++count;
    }
    return count;
  }

  std::unique_ptr<test::ObjectStage> stage;
  Game6Node* node = nullptr;
  float cameraX = 400.0f;
  float bestX = 400.0f;
  int32_t queries = 0;
};

Setup& Get() {
  static Setup* setup = new Setup;
  return *setup;
}

void PlayStep(benchmark::State& state) {
  Setup& s = Get();
  int64_t left = 0;
  for (auto _ : state) {
    s.Place();
    s.node->PlayStep();
    left += s.node->GetState() == Game6Node::PLAYING ? 0 : 1;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["queries"] = s.queries;
  state.counters["camera_x"] = s.cameraX;
  // Steps whose collisions changed the state: none in a stretch the fish swims through untouched.
  state.counters["reactions"] = static_cast<double>(left);
  // The time of one step over the 8 ms between two steps.
  state.counters["share_of_8ms"] = benchmark::Counter(static_cast<double>(state.iterations()) * 0.008,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void CollisionQueries(benchmark::State& state) {
  Setup& s = Get();
  std::list<Qel::SceneObject*> found;
  for (auto _ : state) {
    s.Place();
    for (int32_t i = 0; i < s.queries; ++i) {
      benchmark::DoNotOptimize(s.node->GetFish()->GetCollisions(found));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["queries"] = s.queries;
}

}  // namespace

BENCHMARK(PlayStep)->Unit(benchmark::kMicrosecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(CollisionQueries)->Unit(benchmark::kMicrosecond)->MinTime(0.5)->Repetitions(5);

int main(int argc, char** argv) {
  // Headless: the stage opens the display on SDL's dummy driver.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Goal: the step takes under 1.5 times the bare queries, so its speed is above 1 / 1.5 of theirs.
  bench::RatioReporter reporter("items_per_second", {{"PlayStep", "CollisionQueries", 1.0 / 1.5}});
  const int status = bench::RunInterleaved(argc, argv, &reporter);
  delete &Get();
  return status;
}
