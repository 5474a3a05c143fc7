// The software mixer: every playing buffer summed into interleaved signed 16-bit stereo.
#include "platform/dsound/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/dsound/Voice.h"
#include "platform/win/kernel/Events.h"

namespace plat::dsound {
namespace {

constexpr uint64_t kOne = uint64_t{1} << 32;  // one sample frame in cursor units
constexpr int32_t kUnity = 1 << 16;           // gain of the wave as recorded

// Gain for an attenuation in hundredths of a decibel; 100 dB and more is silence, as DirectSound has it.
int32_t GainOf(int64_t attenuation) {
  if (attenuation <= 0) return kUnity;
  if (attenuation >= -DSBVOLUME_MIN) return 0;
  return static_cast<int32_t>(
      std::lround(kUnity * std::pow(10.0, -static_cast<double>(attenuation) / 2000.0)));
}

struct Gains {
  int32_t left;
  int32_t right;
};

// A pan to one side attenuates the other by the pan's amount.
Gains GainsOf(const Voice& voice) {
  const int64_t base = -int64_t{voice.volume};
  return {GainOf(base + std::max<LONG>(voice.pan, 0)), GainOf(base + std::max<LONG>(-voice.pan, 0))};
}

template <int Bits>
inline int32_t Fetch(const uint8_t* at) {
  if constexpr (Bits == 8) {
    return (static_cast<int32_t>(*at) - 128) * 256;
  } else {
    int16_t sample;
    std::memcpy(&sample, at, sizeof sample);
    return sample;
  }
}

// Linear interpolation on the top 15 bits of the fraction: the product stays inside 32 bits.
inline int32_t Between(int32_t from, int32_t to, uint64_t position) {
  const auto fraction = static_cast<int32_t>(static_cast<uint32_t>(position) >> 17);
  return from + (((to - from) * fraction) >> 15);
}

// Rounded to nearest; at unity gain the sample comes back unchanged.
inline void Add(int32_t* out, int32_t left, int32_t right, Gains gains) {
  out[0] += (left * gains.left + 0x8000) >> 16;
  out[1] += (right * gains.right + 0x8000) >> 16;
}

// Mixes count output frames of a voice from position on. For each frame the interpolation partner is the
// next sample frame: within the buffer in the body, then the first frame (looping) or silence at the end.
// Unit step with no fraction needs no partner at all.
template <int Channels, int Bits, bool Interpolate>
void MixFrames(const Voice& voice, int32_t* out, uint32_t count, uint64_t position, uint64_t step,
               Gains gains) {
  const uint8_t* data = voice.data->data();
  const uint32_t block = voice.format.nBlockAlign;
  constexpr uint32_t kSecond = Channels == 2 ? Bits / 8 : 0;
  if constexpr (!Interpolate) {
    const uint8_t* at = data + (position >> 32) * block;
    for (uint32_t k = 0; k < count; ++k, at += block, out += 2) {
      Add(out, Fetch<Bits>(at), Fetch<Bits>(at + kSecond), gains);
    }
    return;
  }
  const uint64_t lastStart = uint64_t{voice.frames - 1} << 32;
  uint32_t body = 0;
  if (position < lastStart)
    body = static_cast<uint32_t>(std::min<uint64_t>(count, (lastStart - position + step - 1) / step));
  for (uint32_t k = 0; k < body; ++k, position += step, out += 2) {
    const uint8_t* at = data + (position >> 32) * block;
    const int32_t left = Between(Fetch<Bits>(at), Fetch<Bits>(at + block), position);
    const int32_t right =
        Channels == 2 ? Between(Fetch<Bits>(at + kSecond), Fetch<Bits>(at + block + kSecond), position)
                      : left;
    Add(out, left, right, gains);
  }
  const uint8_t* last = data + uint64_t{voice.frames - 1} * block;
  const int32_t nextLeft = voice.looping ? Fetch<Bits>(data) : 0;
  const int32_t nextRight = voice.looping ? Fetch<Bits>(data + kSecond) : 0;
  for (uint32_t k = body; k < count; ++k, position += step, out += 2) {
    Add(out, Between(Fetch<Bits>(last), nextLeft, position),
        Between(Fetch<Bits>(last + kSecond), nextRight, position), gains);
  }
}

using MixFn = void (*)(const Voice&, int32_t*, uint32_t, uint64_t, uint64_t, Gains);

template <bool Interpolate>
MixFn PickMix(const WAVEFORMATEX& format) {
  const bool stereo = format.nChannels == 2;
  if (format.wBitsPerSample == 8) return stereo ? MixFrames<2, 8, Interpolate> : MixFrames<1, 8, Interpolate>;
  return stereo ? MixFrames<2, 16, Interpolate> : MixFrames<1, 16, Interpolate>;
}

}  // namespace

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

DWORD Mixer::OutputRate() const {
  std::lock_guard lock(m_mutex);
  return m_rate;
}

void Mixer::SetOutputRate(DWORD rate) {
  std::lock_guard lock(m_mutex);
  m_rate = rate;
}

void Mixer::StartVoice(Voice* voice) {
  if (voice->playingIndex != Voice::kIdle) return;
  voice->playingIndex = m_playing.size();
  m_playing.push_back(voice);
}

void Mixer::StopVoice(Voice* voice) {
  if (voice->playingIndex == Voice::kIdle) return;
  Voice* moved = m_playing.back();
  m_playing[voice->playingIndex] = moved;
  moved->playingIndex = voice->playingIndex;
  m_playing.pop_back();
  voice->playingIndex = Voice::kIdle;
}

void Mixer::Notify(const Voice& voice, uint64_t fromFrame, uint64_t toFrame) {
  for (const Voice::Notification& notification : voice.notifications) {
    if (notification.frame >= fromFrame && notification.frame < toFrame)
      m_toSignal.push_back(notification.event);
  }
}

void Mixer::MixVoice(Voice& voice, int32_t* out, uint32_t frames) {
  const uint64_t end = uint64_t{voice.frames} << 32;
  const uint64_t step = std::max<uint64_t>((uint64_t{voice.frequency} << 32) / m_rate, 1);
  const Gains gains = GainsOf(voice);
  const bool audible = gains.left != 0 || gains.right != 0;
  uint32_t done = 0;
  while (done < frames) {
    const uint64_t start = voice.position;
    const uint64_t room =
        (end - start + step - 1) / step;  // frames of output until the cursor reaches the end
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(room, frames - done));
    if (audible) {
      const bool interpolate = step != kOne || static_cast<uint32_t>(start) != 0;
      const MixFn mix = interpolate ? PickMix<true>(voice.format) : PickMix<false>(voice.format);
      mix(voice, out + 2 * uint64_t{done}, count, start, step, gains);
    }
    voice.position = start + count * step;
    done += count;
    Notify(voice, start >> 32, std::min<uint64_t>(voice.position >> 32, voice.frames));
    if (voice.position < end) continue;
    if (!voice.looping) {
      voice.playing = false;
      voice.position = 0;
      return;
    }
    // A step longer than the whole buffer passes its start more than once; every frame was passed then.
    if (voice.position >= 2 * end) Notify(voice, 0, voice.frames);
    voice.position %= end;
    if (voice.position >= kOne) Notify(voice, 0, voice.position >> 32);
  }
}

void Mixer::Render(int16_t* out, uint32_t frames) {
  std::vector<HANDLE> signals;
  {
    std::lock_guard lock(m_mutex);
    m_accumulator.assign(2 * size_t{frames}, 0);
    for (size_t i = 0; i < m_playing.size();) {
      Voice* voice = m_playing[i];
      MixVoice(*voice, m_accumulator.data(), frames);
      if (voice->playing) {
        ++i;
      } else {
        StopVoice(voice);  // the last one moves here, and is mixed next
      }
    }
    for (size_t i = 0; i < m_accumulator.size(); ++i) {
      out[i] = static_cast<int16_t>(std::clamp(m_accumulator[i], -32768, 32767));
    }
    signals.swap(m_toSignal);
  }
  // Set outside the lock: a game thread woken by an event may call straight back into a buffer.
  for (HANDLE event : signals) plat::win::SetEvent(event);
}

}  // namespace plat::dsound
