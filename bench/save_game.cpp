// Saving the player's record through the save slots against the same 542 bytes written by hand
// with bare open, write, fsync and rename, in one folder of the same file system.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "framework/CurrentPlayer.h"
#include "framework/SaveGameManager.h"

namespace fs = std::filesystem;

namespace {

// The working folder of the run, where the slots are saved: a fresh temporary folder, removed at
// the end. The record has a value in every field, so nothing is all zeros.
class SaveFolder {
public:
  static SaveFolder& Get() {
    static SaveFolder folder;
    return folder;
  }
  ~SaveFolder() {
    if (chdir(m_previous.c_str()) != 0) std::perror("chdir");
    fs::remove_all(m_root);
  }
  const std::string& Bytes() const { return m_bytes; }

private:
  SaveFolder() : m_previous(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "qelbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_root = pattern;
    fs::current_path(m_root);
    CurrentPlayer& player = CurrentPlayer::Instance();
    player.signedIn = 1;
    player.hubCounter = 1234;
    player.saveSlot = 0;
    for (uint32_t i = 0; i < PlayerData::kGameCount; ++i) {
      player.SetPlayersLevel(i, static_cast<int32_t>(1 + i % 6));
      player.SetPlayersHighScore(i, 1000 * i);
    }
    SaveGameManager::Instance().SetCurrentSlot(0);
    if (!SaveGameManager::Instance().SaveCurrentSlot()) throw std::runtime_error("the first save failed");
    std::ifstream in("SaveGame0.sav", std::ios::binary);
    m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (m_bytes.size() != CurrentPlayer::kFileSize) throw std::runtime_error("the save has the wrong size");
  }

  fs::path m_previous;
  fs::path m_root;
  std::string m_bytes;
};

void SaveCurrentSlot(benchmark::State& state) {
  SaveFolder::Get();
  SaveGameManager& saves = SaveGameManager::Instance();
  for (auto _ : state) {
    if (!saves.SaveCurrentSlot()) state.SkipWithError("the save failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CurrentPlayer::kFileSize);
}

// The reference: the least that replaces a file safely, with no checks beyond the calls' results.
void BareOpenWriteFsyncRename(benchmark::State& state) {
  const std::string& bytes = SaveFolder::Get().Bytes();
  for (auto _ : state) {
    const int fd = open("SaveGame1.sav.tmp", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    const bool done = fd >= 0 &&
                      write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                      fsync(fd) == 0;
    if (fd >= 0) close(fd);
    if (!done || rename("SaveGame1.sav.tmp", "SaveGame1.sav") != 0)
      state.SkipWithError("the bare save failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

}  // namespace

// A sync takes a good part of a millisecond and varies with the disk and whatever else uses it:
// several repetitions of each, run interleaved.
BENCHMARK(SaveCurrentSlot)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->Repetitions(6);
BENCHMARK(BareOpenWriteFsyncRename)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->Repetitions(6);

int main(int argc, char** argv) {
  return bench::RunInterleaved(argc, argv);
}
