// Listing the objects of a large object-definition file as a node does (each listed at its class's
// depth and given its own depth after, then listed again in the node by index and name, then taken
// out), against pushing the same objects onto plain vectors with a set of their folded names (the
// least that the duplicate rule costs), in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "Interleaved.h"
#include "RatioReporter.h"
#include "framework/GenericObject.h"
#include "framework/ObjectList.h"
#include "graphics/SceneObjectGroup.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

class Plain : public GenericObject {
public:
  explicit Plain(int index) {
    auto group = std::make_shared<Qel::SceneObjectGroup>();
    group->SetName("Object" + std::to_string(index));
    SetSceneObject(group);
  }
};

// A file's depths: runs of equal depth among scattered ones, as layered scenery gives.
int32_t DepthOf(int index) {
  return index % 7 == 0 ? 100 + index % 13 : (index * 37) % 500;
}

std::vector<std::unique_ptr<Plain>>& Objects(int count) {
  static std::vector<std::unique_ptr<Plain>> objects;
  while (static_cast<int>(objects.size()) < count)
    objects.push_back(std::make_unique<Plain>(static_cast<int>(objects.size())));
  return objects;
}

void ResetDepths(std::vector<std::unique_ptr<Plain>>& objects, int count) {
  for (int i = 0; i < count; ++i) objects[static_cast<size_t>(i)]->SetZ(0);
}

void ObjectListLoad(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<Plain>>& objects = Objects(count);
  for (auto _ : state) {
    state.PauseTiming();
    ResetDepths(objects, count);
    state.ResumeTiming();
    ObjectList loaded;
    for (int i = 0; i < count; ++i) {
      Plain* object = objects[static_cast<size_t>(i)].get();
      loaded.Insert(object);
      object->SetZ(DepthOf(i));
    }
    ObjectList node;
    for (int32_t i = 0; GenericObject* object = loaded.At(i); ++i) {
      if (node.Find(object->GetName()) == object) continue;
      node.Insert(object);
    }
    while (GenericObject* object = loaded.At(0)) {
      loaded.Remove(object);
      node.Remove(object);
    }
    benchmark::DoNotOptimize(node.GetCount());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count);
}

void VectorPushWithNames(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<Plain>>& objects = Objects(count);
  for (auto _ : state) {
    state.PauseTiming();
    ResetDepths(objects, count);
    state.ResumeTiming();
    std::vector<GenericObject*> loaded;
    std::unordered_set<std::string> names;
    for (int i = 0; i < count; ++i) {
      Plain* object = objects[static_cast<size_t>(i)].get();
      if (!names.insert(plat::AsciiLower(object->GetName())).second) std::abort();
      loaded.push_back(object);
      object->SetZ(DepthOf(i));
    }
    std::vector<GenericObject*> node;
    for (GenericObject* object : loaded) node.push_back(object);
    benchmark::DoNotOptimize(node.data());
    loaded.clear();
    node.clear();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count);
}

}  // namespace

int main(int argc, char** argv) {
  // Each size under a name of its own, so that the ratio below pairs the sizes it names.
  for (const int count : {4000, 16000}) {
    const std::string size = std::to_string(count);
    benchmark::RegisterBenchmark(("ObjectListLoad" + size).c_str(), ObjectListLoad)
        ->Arg(count)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
    benchmark::RegisterBenchmark(("VectorPushWithNames" + size).c_str(), VectorPushWithNames)
        ->Arg(count)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
  }
  // Goal: listing 16,000 objects twice over in depth order, with their names and index, stays within
  // 20 times the pushes' time (a speed of at least 0.05 of theirs): tens of milliseconds, where a
  // walk per object took seconds.
  bench::RatioReporter reporter("items_per_second",
                                {{"ObjectListLoad16000", "VectorPushWithNames16000", 0.05}});
  const int status = bench::RunInterleaved(argc, argv, &reporter);
  Objects(0).clear();
  return status;
}
