// One frame of a game node with 200 objects, 10 timers and a heads-up display (its update, its
// always-update and 20 routed mouse buttons) against the object list's own update and the same 20
// broadcasts over the same objects, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "RatioReporter.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameTimer.h"
#include "framework/GenericObject.h"
#include "framework/Hud.h"
#include "framework/InputEventInfo.h"
#include "framework/MainApp.h"
#include "graphics/SceneObjectGroup.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"

namespace {

constexpr int kObjects = 200;
constexpr int kTimers = 10;
constexpr int kMouseEvents = 20;

// A named game object that takes no input: every broadcast runs over the whole list.
class Plain : public GenericObject {
public:
  explicit Plain(int index) {
    auto group = std::make_shared<Qel::SceneObjectGroup>();
    group->SetName("plain" + std::to_string(index));
    SetSceneObject(group);
    SetZ(index);
  }
  // Counted on both sides, so that each run shows that every broadcast reached every object.
  bool OnLeftButtonDown(const InputEventInfo&) override {
    ++offers;
    return false;
  }
  bool OnLeftButtonUp(const InputEventInfo&) override {
    ++offers;
    return false;
  }
  static inline int64_t offers = 0;
};

struct Setup {
  Setup() {
    stage = std::make_unique<test::ObjectStage>();
    if (!stage->IsReady()) std::abort();
    test::ProvideNodeSprites();
    node = std::make_unique<GameNode>();
    node->Activate();
    for (int i = 0; i < kObjects; ++i) {
      objects.push_back(std::make_unique<Plain>(i));
      node->AddObject(objects.back().get());
    }
    for (int i = 0; i < kTimers; ++i)
      node->AddTimer(("timer" + std::to_string(i)).c_str(), 3600000)->Start(0);
    hud = std::make_unique<Hud>("bench");
    node->ShowHud(hud.get());
    // The same objects in a list of their own, for the reference.
    for (const std::unique_ptr<Plain>& object : objects) list.Insert(object.get());
    input.position.Set(400, 300);
    input.button = 1;
  }
  ~Setup() {
    node->HideHud(hud.get());
    for (const std::unique_ptr<Plain>& object : objects) node->RemoveObject(object.get());
    node->Deactivate();
    node.reset();
    list.Clear();
    objects.clear();
    stage.reset();
  }
  std::unique_ptr<test::ObjectStage> stage;
  // Its own mouse handlers do nothing, so that only the routing is measured.
  std::unique_ptr<GameNode> node;
  std::unique_ptr<Hud> hud;
  std::vector<std::unique_ptr<Plain>> objects;
  ObjectList list;
  InputEventInfo input;
};

Setup& Get() {
  static Setup* setup = new Setup;
  return *setup;
}

void NodeFrame(benchmark::State& state) {
  Setup& s = Get();
  Plain::offers = 0;
  for (auto _ : state) {
    s.node->Update();
    s.node->UpdateAlways();
    for (int i = 0; i < kMouseEvents; ++i)
      s.node->HandleEvent(kEventInput, i % 2 ? EventId::MouseUp : EventId::MouseDown, &s.input);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["offers_per_frame"] =
      static_cast<double>(Plain::offers) / static_cast<double>(state.iterations());
}

void ObjectListFrame(benchmark::State& state) {
  Setup& s = Get();
  Plain::offers = 0;
  for (auto _ : state) {
    s.list.UpdateAll();
    for (int i = 0; i < kMouseEvents; ++i) {
      if (i % 2)
        benchmark::DoNotOptimize(s.list.BroadcastLeftButtonUp(s.input));
      else
        benchmark::DoNotOptimize(s.list.BroadcastLeftButtonDown(s.input));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["offers_per_frame"] =
      static_cast<double>(Plain::offers) / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(NodeFrame)->Unit(benchmark::kMicrosecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(ObjectListFrame)->Unit(benchmark::kMicrosecond)->MinTime(0.5)->Repetitions(5);

int main(int argc, char** argv) {
  // Headless: the stage opens the display on SDL's dummy driver.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Goal: a node frame takes under 10 % more time than the bare list, so its speed is at least 0.91
  // of the list's.
  bench::RatioReporter reporter("items_per_second", {{"NodeFrame", "ObjectListFrame", 0.91}});
  const int status = bench::RunInterleaved(argc, argv, &reporter);
  delete &Get();
  return status;
}
