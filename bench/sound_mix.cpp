// Mixing 64 voices into ten seconds of output: our mixer's pull call, with volume, pan and half of the
// voices resampled, against SDL_MixAudio of the same voices converted beforehand to the output format.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"

namespace {

using namespace plat::dsound;

constexpr int kVoices = 64;
constexpr DWORD kOutputRate = 22050;
constexpr uint32_t kOutputFrames = 10 * kOutputRate;
constexpr uint32_t kPiece = 512;          // what the audio callback asks for at a time
constexpr uint32_t kVoiceFrames = 44100;  // two seconds of each voice at 22050 Hz, looped

// The rate each voice plays at: a quarter each at half and at twice the rate, the rest as recorded.
DWORD RateOf(int voice) {
  switch (voice % 4) {
    case 1:
      return 11025;
    case 3:
      return 44100;
    default:
      return 22050;
  }
}

std::vector<int16_t> VoiceSamples(int voice) {
  std::vector<int16_t> samples(kVoiceFrames);
  uint32_t state = 12345u + static_cast<uint32_t>(voice);
  for (int16_t& sample : samples) {
    state = state * 1103515245u + 12345u;
    sample = static_cast<int16_t>((state >> 16) % 4096) - 2048;  // 64 of them leave headroom
  }
  return samples;
}

// The voice as SDL_MixAudio needs it: 16-bit stereo at the output rate, through SDL's own converter.
std::vector<uint8_t> Converted(const std::vector<int16_t>& samples, DWORD rate) {
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, 1, static_cast<int>(rate), AUDIO_S16SYS, 2, kOutputRate) < 0) {
    throw std::runtime_error("SDL_BuildAudioCVT failed");
  }
  cvt.len = static_cast<int>(samples.size() * sizeof(int16_t));
  std::vector<uint8_t> buffer(static_cast<size_t>(cvt.len) * static_cast<size_t>(cvt.len_mult));
  std::memcpy(buffer.data(), samples.data(), static_cast<size_t>(cvt.len));
  cvt.buf = buffer.data();
  if (SDL_ConvertAudio(&cvt) < 0) throw std::runtime_error("SDL_ConvertAudio failed");
  buffer.resize(static_cast<size_t>(cvt.len_cvt));
  return buffer;
}

void Reference_SDLMixAudio(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> voices;
  for (int voice = 0; voice < kVoices; ++voice)
    voices.push_back(Converted(VoiceSamples(voice), RateOf(voice)));
  std::vector<uint8_t> out(kPiece * 4);
  std::vector<size_t> at(kVoices, 0);
  for (auto _ : state) {
    for (uint32_t done = 0; done < kOutputFrames; done += kPiece) {
      std::memset(out.data(), 0, out.size());
      for (int voice = 0; voice < kVoices; ++voice) {
        // Looped like the mixer's voices: the piece is taken in two parts across the end.
        const std::vector<uint8_t>& source = voices[voice];
        size_t written = 0;
        while (written < out.size()) {
          const size_t part = std::min(out.size() - written, source.size() - at[voice]);
          SDL_MixAudio(out.data() + written, source.data() + at[voice], static_cast<Uint32>(part),
                       SDL_MIX_MAXVOLUME);
          written += part;
          at[voice] = (at[voice] + part) % source.size();
        }
      }
      benchmark::DoNotOptimize(out.data());
      benchmark::ClobberMemory();
    }
  }
  state.counters["realtime_x"] =
      benchmark::Counter(10.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Mixer_Render(benchmark::State& state) {
  SetPullModeForTesting(true);
  IDirectSound8* device = nullptr;
  if (DirectSoundCreate8(nullptr, &device, nullptr) != DS_OK) throw std::runtime_error("no device");
  std::vector<IDirectSoundBuffer8*> buffers;
  for (int voice = 0; voice < kVoices; ++voice) {
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kOutputRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kOutputRate * 2;
    DSBUFFERDESC description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = kVoiceFrames * 2;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer8* buffer = nullptr;
    if (device->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK)
      throw std::runtime_error("no buffer");
    const std::vector<int16_t> samples = VoiceSamples(voice);
    void* part = nullptr;
    DWORD bytes = 0;
    buffer->Lock(0, description.dwBufferBytes, &part, &bytes, nullptr, nullptr, 0);
    std::memcpy(part, samples.data(), bytes);
    buffer->Unlock(part, bytes, nullptr, 0);
    buffer->SetFrequency(RateOf(voice));
    buffer->SetVolume(-(voice % 8) * 100);
    buffer->SetPan((voice % 5 - 2) * 2000);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    buffers.push_back(buffer);
  }
  Mixer* mixer = MixerOf(device);
  std::vector<int16_t> out(kPiece * 2);
  for (auto _ : state) {
    for (uint32_t done = 0; done < kOutputFrames; done += kPiece) {
      mixer->Render(out.data(), kPiece);
      benchmark::DoNotOptimize(out.data());
      benchmark::ClobberMemory();
    }
  }
  state.counters["realtime_x"] =
      benchmark::Counter(10.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  for (IDirectSoundBuffer8* buffer : buffers) buffer->Release();
  device->Release();
}

}  // namespace

BENCHMARK(Reference_SDLMixAudio)->Unit(benchmark::kMillisecond);
BENCHMARK(Mixer_Render)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
