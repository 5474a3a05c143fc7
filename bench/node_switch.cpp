// The frame that switches nodes on the generated content (sign-in to hub, hub to each mini-game) against
// reading the new node's sprite files and inflating their images bare with zlib, in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "NodeTable.h"
#include "RatioReporter.h"
#include "framework/ActivePlayerData.h"
#include "framework/CurrentPlayer.h"
#include "framework/NodeFactory.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SaveGameManager.h"
#include "framework/WinApp.h"
#include "platform/win/kernel/Module.h"

namespace {

namespace fs = std::filesystem;

// The generated content set of the build tree the benchmark is built in (its "content" folder).
const fs::path kContent = fs::canonical("/proc/self/exe").parent_path().parent_path() / "content";
// The switch at least half as fast as the bare reads.
constexpr double kGoal = 0.5;

struct Target {
  const char* name;
  int32_t from;
  int32_t to;
  const char* database;  // the folder of the node's own database
  const char* save;      // the player signed in
};

const Target kTargets[] = {
    {"hub", kNodeSignIn, kNodeHub, "HUB", "fresh.sav"},
    {"game3", kNodeHub, kNodeGame3, "GAME3", "game3-first.sav"},
    {"game4", kNodeHub, kNodeGame4, "GAME4", "game4-hub.sav"},
    {"game5", kNodeHub, kNodeGame5, "GAME5", "game5-new.sav"},
    {"game6", kNodeHub, kNodeGame6, "GAME6", "level2.sav"},
    {"game7", kNodeHub, kNodeGame7, "Game7", "game7-hub.sav"},
    {"game8", kNodeHub, kNodeGame8, "GAME8", "game8-hub.sav"},
    {"game9", kNodeHub, kNodeGame9, "Game9", "game9-hub.sav"},
};

// The game started in a folder of its own on the content set, as the player starts it.
class Game {
public:
  Game() {
    if (!fs::is_directory(kContent)) {
      std::fprintf(stderr,
                   "no content at %s: make it with fixture-content --out %s --form both --voice tone\n",
                   kContent.c_str(), kContent.c_str());
      std::exit(1);
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    m_folder = fs::temp_directory_path() / ("node_switch." + std::to_string(getpid()));
    fs::create_directories(m_folder);
    fs::current_path(m_folder);
    std::ofstream("Pilo.ini") << "[Config]\nhdpath = " << kContent.string() << "\nwindowed = true\n";
    NodeFactory::SetNodeTable(&NodeTable::CreateNode);
    if (!GetWinApp().Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) std::exit(1);
    GetWinApp().Frame();
  }
  ~Game() {
    GetWinApp().Shutdown();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(m_folder);
  }

  // The save as slot 0's file, loaded and signed in as the sign-in screen leaves it.
  void SignIn(const char* save) {
    fs::copy_file(kContent / "saves" / save, "SaveGame0.sav", fs::copy_options::overwrite_existing);
    if (!SaveGameManager::Instance().LoadSlot(0)) std::exit(1);
    SaveGameManager::Instance().SetCurrentSlot(0);
    ActivePlayerData.AssignByValue(CurrentPlayer::Instance());
    ActivePlayerData.saveSlot = 0;
    ActivePlayerData.signedIn = 1;
  }

  void Enter(int32_t node) {
    NodeManager::Instance().RequestNode(node);
    GetWinApp().Frame();
    if (NodeManager::Instance().GetCurrentId() != node) std::exit(1);
  }

private:
  fs::path m_folder;
};

// Made at the first switch, shut down before the program ends.
std::unique_ptr<Game> gGame;

Game& GetGame() {
  if (!gGame) gGame = std::make_unique<Game>();
  return *gGame;
}

// The node's sprite files, in its database's folders of every language.
std::vector<fs::path> SpriteFiles(const char* database) {
  std::vector<fs::path> files;
  for (const char* language : {"universal", "eng_usa"}) {
    const fs::path folder = kContent / language / database;
    if (!fs::is_directory(folder)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".qela") files.push_back(entry.path());
  }
  return files;
}

// Every zlib stream in the bytes inflated, as the images of a sprite file are; the bytes inflated.
size_t InflateAll(const std::string& bytes, std::vector<unsigned char>& out) {
  size_t total = 0;
  for (size_t at = 0; at + 2 <= bytes.size(); ++at) {
    const auto cmf = static_cast<unsigned char>(bytes[at]);
    const auto flg = static_cast<unsigned char>(bytes[at + 1]);
    if (cmf != 0x78 || (cmf * 256 + flg) % 31 != 0) continue;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) continue;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + at));
    stream.avail_in = static_cast<uInt>(bytes.size() - at);
    int result = Z_OK;
    size_t inflated = 0;
    while (result == Z_OK) {
      stream.next_out = out.data();
      stream.avail_out = static_cast<uInt>(out.size());
      result = inflate(&stream, Z_NO_FLUSH);
      inflated += out.size() - stream.avail_out;
    }
    if (result == Z_STREAM_END) {
      total += inflated;
      at += stream.total_in - 1;
    }
    inflateEnd(&stream);
  }
  return total;
}

void NodeSwitch(benchmark::State& state, const Target& target) {
  Game& game = GetGame();
  game.SignIn(target.save);
  for (auto _ : state) {
    state.PauseTiming();
    game.Enter(target.from);
    state.ResumeTiming();
    game.Enter(target.to);
  }
  state.counters["ms"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-3,
                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void SpriteFilesInflated(benchmark::State& state, const Target& target) {
  const std::vector<fs::path> files = SpriteFiles(target.database);
  std::vector<unsigned char> out(1 << 20);
  size_t inflated = 0;
  for (auto _ : state) {
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      inflated += InflateAll(bytes, out);
    }
  }
  state.SetLabel(std::to_string(files.size()) + " files");
  state.counters["ms"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-3,
                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["inflated_MB"] =
      static_cast<double>(inflated) / 1e6 / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Each switch beside its reference, both in milliseconds; the ratio is the switch's speed over the
  // bare reads' (below 1: the switch takes longer).
  std::vector<std::string> names;
  for (const Target& target : kTargets) {
    names.push_back(std::string("NodeSwitch_") + target.name);
    names.push_back(std::string("SpriteFilesInflated_") + target.name);
    benchmark::RegisterBenchmark(names[names.size() - 2].c_str(), NodeSwitch, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(names.back().c_str(), SpriteFilesInflated, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  std::vector<bench::Ratio> ratios;
  for (size_t i = 0; i < names.size(); i += 2)
    ratios.push_back({names[i].c_str(), names[i + 1].c_str(), kGoal});
  bench::RatioReporter reporter("items_per_second", ratios);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  gGame.reset();
  benchmark::Shutdown();
  return 0;
}
