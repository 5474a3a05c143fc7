// The SDL audio output that pulls the mixer, or no output at all for tests that pull it themselves.
#pragma once

#include <memory>
#include <mutex>

#include "platform/dsound/DSoundTypes.h"
#include "platform/dsound/Mixer.h"

namespace plat::dsound {

// SDL 1.2 has one audio device per process, so one output may be open at a time.
class AudioOutput {
public:
  AudioOutput(std::shared_ptr<Mixer> mixer, bool pull);
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // (Re)starts the output at the format's rate. The device of the driver SDL picks (or SDL_AUDIODRIVER
  // names) is tried first, then the dummy driver, which takes real time as a device would; when no
  // device opens, one "WARN:" line on stderr says so. DSERR_ALLOCATED while another output is open.
  HRESULT Start(const WAVEFORMATEX& format);
  const std::shared_ptr<Mixer>& GetMixer() const { return m_mixer; }
  WAVEFORMATEX Format() const;

private:
  void Stop();
  // The device SDL picks or SDL_AUDIODRIVER names. Unless a driver is named, what the audio libraries
  // print while they look for a device is dropped: on a machine without a sound card libasound prints
  // a dozen "ALSA lib" lines that a player would take for errors, while whoever names a driver wants
  // to read why it fails.
  bool OpenDevice(DWORD rate);
  bool TryOpen(const char* driver, DWORD rate);

  std::shared_ptr<Mixer> m_mixer;
  const bool m_pull;
  mutable std::mutex m_mutex;
  WAVEFORMATEX m_format{};
  bool m_open = false;
  bool m_ownDriver = false;  // the dummy driver was started here, outside SDL's subsystem count
  bool m_noDevice = false;   // no device opened, which has been said
};

}  // namespace plat::dsound
