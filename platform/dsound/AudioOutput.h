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

  // (Re)starts the output at the format's rate. The default SDL driver is tried first, then the dummy
  // one, which takes real time as a device would. DSERR_ALLOCATED while another output is open.
  HRESULT Start(const WAVEFORMATEX& format);
  const std::shared_ptr<Mixer>& GetMixer() const { return m_mixer; }
  WAVEFORMATEX Format() const;

private:
  void Stop();
  bool TryOpen(const char* driver, DWORD rate);

  std::shared_ptr<Mixer> m_mixer;
  const bool m_pull;
  mutable std::mutex m_mutex;
  WAVEFORMATEX m_format{};
  bool m_open = false;
  bool m_ownDriver = false;  // the dummy driver was started here, outside SDL's subsystem count
};

}  // namespace plat::dsound
