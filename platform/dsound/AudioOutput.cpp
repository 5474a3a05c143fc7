// The SDL audio output that pulls the mixer, or no output at all for tests that pull it themselves.
#include "platform/dsound/AudioOutput.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/dsound/QuietStderr.h"

namespace plat::dsound {
namespace {

// About 23 ms at 22050 Hz: short enough that notifications come close to the sound they mark.
constexpr Uint16 kCallbackFrames = 512;

std::atomic<bool> gOutputInUse{false};

void FillFromMixer(void* mixer, Uint8* stream, int length) {
  static_cast<Mixer*>(mixer)->Render(reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(length) / 4);
}

// SDL 1.2 offers its dummy driver only while SDL_AUDIODRIVER names it, so the variable names it for the
// moment of the start.
int StartDriver(const char* driver) {
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string kept = previous ? previous : "";
  setenv("SDL_AUDIODRIVER", driver, 1);
  const int started = SDL_AudioInit(driver);
  if (previous) {
    setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }
  return started;
}

}  // namespace

AudioOutput::AudioOutput(std::shared_ptr<Mixer> mixer, bool pull) : m_mixer(std::move(mixer)), m_pull(pull) {
  m_format.wFormatTag = WAVE_FORMAT_PCM;
  m_format.nChannels = 2;
  m_format.nSamplesPerSec = Mixer::kDefaultRate;
  m_format.wBitsPerSample = 16;
  m_format.nBlockAlign = 4;
  m_format.nAvgBytesPerSec = Mixer::kDefaultRate * 4;
}

AudioOutput::~AudioOutput() {
  std::lock_guard lock(m_mutex);
  Stop();
}

WAVEFORMATEX AudioOutput::Format() const {
  std::lock_guard lock(m_mutex);
  return m_format;
}

HRESULT AudioOutput::Start(const WAVEFORMATEX& format) {
  std::lock_guard lock(m_mutex);
  // Whatever the primary format, the mixer renders 16-bit stereo; only the rate matters to the output.
  const bool sameRate = m_open && format.nSamplesPerSec == m_format.nSamplesPerSec;
  m_format = format;
  m_mixer->SetOutputRate(format.nSamplesPerSec);
  if (m_pull || sameRate) return DS_OK;
  Stop();
  if (gOutputInUse.exchange(true)) return DSERR_ALLOCATED;
  if (!m_noDevice && OpenDevice(format.nSamplesPerSec)) {
    m_ownDriver = false;
  } else if (TryOpen("dummy", format.nSamplesPerSec)) {
    m_ownDriver = true;
  } else {
    gOutputInUse = false;
    return DSERR_NODRIVER;
  }
  m_open = true;
  SDL_PauseAudio(0);
  return DS_OK;
}

bool AudioOutput::OpenDevice(DWORD rate) {
  const char* named = std::getenv("SDL_AUDIODRIVER");
  bool opened = false;
  if (named && *named) {
    opened = TryOpen(nullptr, rate);
  } else {
    QuietStderr quiet;
    opened = TryOpen(nullptr, rate);
  }
  if (opened) return true;
  // Said once, to the player rather than to the trace; later starts at other rates go straight to the
  // dummy driver.
  m_noDevice = true;
  std::fputs("WARN: No sound device could be opened; the game plays without sound.\n", stderr);
  return false;
}

bool AudioOutput::TryOpen(const char* driver, DWORD rate) {
  const int started = driver ? StartDriver(driver) : SDL_InitSubSystem(SDL_INIT_AUDIO);
  if (started != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(rate);
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kCallbackFrames;
  wanted.callback = FillFromMixer;
  wanted.userdata = m_mixer.get();
  // Without an obtained record SDL converts to whatever the device takes.
  if (SDL_OpenAudio(&wanted, nullptr) == 0) return true;
  if (driver) {
    SDL_AudioQuit();
  } else {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  return false;
}

void AudioOutput::Stop() {
  if (!m_open) return;
  // Closing waits for a callback under way, so the mixer is not used once this returns.
  if (m_ownDriver) {
    SDL_AudioQuit();
  } else {
    SDL_CloseAudio();
  }
  m_open = false;
  gOutputInUse = false;
}

}  // namespace plat::dsound
