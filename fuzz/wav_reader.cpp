// Fuzz target: the WAV reader on arbitrary bytes written to a file, through open, header, rewinds and reads.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/CWaveStream.h"

namespace {

const std::string& InputPath() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/wav_reader-XXXXXX";
    if (!mkdtemp(folder.data())) __builtin_trap();
    static std::string removeAtExit;
    removeAtExit = folder;
    std::atexit([] {
      std::remove((removeAtExit + "/input.wav").c_str());
      rmdir(removeAtExit.c_str());
    });
    return folder + "/input.wav";
  }();
  return path;
}

// Reads the data to its end in uneven pieces; the total must be what the reader said it holds.
uint64_t ReadAll(Qel::CWaveStream& wave) {
  static std::vector<plat::win::BYTE> buffer(70000);
  uint64_t total = 0;
  for (plat::win::DWORD piece = 1;; piece = piece * 3 % 65521 + 1) {
    plat::win::DWORD got = 0;
    if (plat::win::FAILED(wave.Read(buffer.data(), piece, &got))) break;
    if (got > piece) __builtin_trap();
    if (got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (!file) __builtin_trap();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
  std::fclose(file);

  Qel::CWaveStream wave;
  if (plat::win::FAILED(wave.Open(InputPath().c_str(), nullptr, Qel::CWaveStream::kRead))) return 0;
  const plat::dsound::WAVEFORMATEX* format = wave.GetFormat();
  // Whatever opens is a format the mixer plays, and no more data than the file holds, in whole frames.
  if (!format || format->wFormatTag != 1 || format->nBlockAlign == 0) __builtin_trap();
  if (format->nBlockAlign != format->nChannels * (format->wBitsPerSample / 8)) __builtin_trap();
  if (wave.GetSize() > size || wave.GetSize() % format->nBlockAlign != 0) __builtin_trap();
  if (ReadAll(wave) != wave.GetSize()) __builtin_trap();
  if (plat::win::FAILED(wave.ResetFile()) || ReadAll(wave) != wave.GetSize()) __builtin_trap();
  if (plat::win::SUCCEEDED(wave.ReadHeader()) && plat::win::SUCCEEDED(wave.ResetFile())) {
    if (ReadAll(wave) != wave.GetSize()) __builtin_trap();
  }
  wave.Close();
  return 0;
}
