// Spoken lines through espeak-ng.
#include "fixture-content/media/SpeechVoice.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "sound/CWaveStream.h"

extern char** environ;

namespace fixture {

namespace {

constexpr const char* kProgram = "espeak-ng";

// Runs espeak-ng on the text file, writing the wave file; its own output goes nowhere.
bool RunSpeaker(const std::string& textPath, const std::string& wavePath, std::string& error) {
  std::vector<std::string> args = {kProgram, "-v", "en-us", "-b", "2", "-z", "-f", textPath, "-w", wavePath};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, kProgram, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    error = std::string("cannot start espeak-ng: ") + std::strerror(spawned);
    return false;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      error = std::string("waiting for espeak-ng: ") + std::strerror(errno);
      return false;
    }
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = "espeak-ng failed";
    return false;
  }
  return true;
}

// The samples of the wave espeak-ng wrote, read as the game reads its waves.
bool ReadSpeech(const std::string& wavePath, std::vector<int16_t>& samples, std::string& error) {
  Qel::CWaveStream wave;
  if (plat::win::FAILED(wave.Open(wavePath.c_str(), nullptr, Qel::CWaveStream::kRead))) {
    error = "espeak-ng wrote no wave that can be read";
    return false;
  }
  const Qel::WAVEFORMATEX* format = wave.GetFormat();
  if (!format || format->nChannels != 1 || format->wBitsPerSample != 16 ||
      format->nSamplesPerSec != static_cast<Qel::DWORD>(kSpeechRate)) {
    error = "espeak-ng spoke in another format than 16-bit mono at 22050 Hz";
    return false;
  }
  samples.assign(wave.GetSize() / 2, 0);
  Qel::DWORD got = 0;
  if (plat::win::FAILED(wave.Read(reinterpret_cast<Qel::BYTE*>(samples.data()), wave.GetSize(), &got)) ||
      got != wave.GetSize()) {
    error = "espeak-ng's wave could not be read to its end";
    samples.clear();
    return false;
  }
  // The samples are little-endian in the file, as on every machine this runs on.
  return true;
}

}  // namespace

bool SpeechAvailable() {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string rest = path;
  for (size_t start = 0; start <= rest.size();) {
    size_t end = rest.find(':', start);
    if (end == std::string::npos) end = rest.size();
    const std::string folder = end > start ? rest.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + kProgram;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
      return true;
    start = end + 1;
  }
  return false;
}

bool SpeakLines(const std::vector<std::string>& texts, unsigned parallel,
                std::vector<std::vector<int16_t>>& samples, std::vector<std::string>& errors) {
  samples.assign(texts.size(), {});
  errors.assign(texts.size(), {});
  std::error_code code;
  std::string folder = (std::filesystem::temp_directory_path(code) / "fixture-speech-XXXXXX").string();
  if (code || !mkdtemp(folder.data())) {
    for (std::string& error : errors) error = "no temporary folder for the spoken lines";
    return texts.empty();
  }
  std::atomic<size_t> next{0};
  auto speakSome = [&] {
    for (size_t i = next++; i < texts.size(); i = next++) {
      const std::string base = folder + "/" + std::to_string(i);
      {
        std::ofstream text(base + ".txt", std::ios::binary);
        text << texts[i] << '\n';
        if (!text) {
          errors[i] = "cannot write the line's text for espeak-ng";
          continue;
        }
      }
      if (RunSpeaker(base + ".txt", base + ".wav", errors[i]))
        ReadSpeech(base + ".wav", samples[i], errors[i]);
      std::filesystem::remove(base + ".txt", code);
      std::filesystem::remove(base + ".wav", code);
    }
  };
  std::vector<std::thread> speakers;
  const unsigned count =
      std::clamp<unsigned>(parallel, 1, static_cast<unsigned>(std::max<size_t>(1, texts.size())));
  for (unsigned i = 1; i < count; ++i) speakers.emplace_back(speakSome);
  speakSome();
  for (std::thread& speaker : speakers) speaker.join();
  std::filesystem::remove_all(folder, code);
  return std::all_of(errors.begin(), errors.end(), [](const std::string& error) { return error.empty(); });
}

}  // namespace fixture
