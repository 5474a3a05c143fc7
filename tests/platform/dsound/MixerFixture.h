// A pull-mode device with the game's output format, and helpers to fill buffers and render the mix.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"

namespace dstest {

using namespace plat::dsound;

inline constexpr DWORD kControls = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                                   DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;

inline WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits) {
  WAVEFORMATEX format;
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = bits;
  format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
  format.nAvgBytesPerSec = rate * format.nBlockAlign;
  return format;
}

// The value the mixer makes of sample i of channel c of a wave, as a 16-bit sample.
inline int32_t SampleOf(const std::string& data, const WAVEFORMATEX& format, size_t frame, int channel) {
  const size_t at =
      frame * format.nBlockAlign + (format.nChannels == 2 ? channel * format.wBitsPerSample / 8 : 0);
  if (format.wBitsPerSample == 8) return (static_cast<uint8_t>(data[at]) - 128) * 256;
  int16_t sample;
  std::memcpy(&sample, data.data() + at, 2);
  return sample;
}

class MixerTest : public testing::Test {
protected:
  void SetUp() override {
    SetPullModeForTesting(true);
    ASSERT_EQ(DirectSoundCreate8(nullptr, &m_device, nullptr), DS_OK);
    ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    SetOutputRate(22050);
    m_mixer = MixerOf(m_device);
    ASSERT_NE(m_mixer, nullptr);
  }

  void TearDown() override {
    for (IDirectSoundBuffer8* buffer : m_buffers) buffer->Release();
    if (m_device) m_device->Release();
  }

  void SetOutputRate(DWORD rate) {
    DSBUFFERDESC description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer8* primary = nullptr;
    ASSERT_EQ(m_device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
    const WAVEFORMATEX format = Pcm(2, rate, 16);
    EXPECT_EQ(primary->SetFormat(&format), DS_OK);
    primary->Release();
  }

  // A buffer holding data (its whole size), released by the fixture.
  IDirectSoundBuffer8* MakeBuffer(const WAVEFORMATEX& format, const std::string& data,
                                  DWORD flags = kControls) {
    DSBUFFERDESC description;
    description.dwFlags = flags;
    description.dwBufferBytes = static_cast<DWORD>(data.size());
    description.lpwfxFormat = &format;
    IDirectSoundBuffer8* buffer = nullptr;
    EXPECT_EQ(m_device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    if (!buffer) return nullptr;
    m_buffers.push_back(buffer);
    Write(buffer, 0, data);
    return buffer;
  }

  static void Write(IDirectSoundBuffer8* buffer, DWORD offset, const std::string& data) {
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0;
    DWORD bytes2 = 0;
    ASSERT_EQ(buffer->Lock(offset, static_cast<DWORD>(data.size()), &part1, &bytes1, &part2, &bytes2, 0),
              DS_OK);
    std::memcpy(part1, data.data(), bytes1);
    if (part2) std::memcpy(part2, data.data() + bytes1, bytes2);
    ASSERT_EQ(buffer->Unlock(part1, bytes1, part2, bytes2), DS_OK);
  }

  // frames of output, rendered in pieces of chunk frames.
  std::vector<int16_t> Render(size_t frames, size_t chunk = 256) {
    std::vector<int16_t> out(2 * frames);
    for (size_t done = 0; done < frames; done += chunk) {
      const size_t now = std::min(chunk, frames - done);
      m_mixer->Render(out.data() + 2 * done, static_cast<uint32_t>(now));
    }
    return out;
  }

  static DWORD Status(IDirectSoundBuffer8* buffer) {
    DWORD status = 0;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
  }

  static DWORD PlayCursor(IDirectSoundBuffer8* buffer) {
    DWORD play = 0xFFFFFFFFu;
    EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    return play;
  }

  IDirectSound8* m_device = nullptr;
  Mixer* m_mixer = nullptr;
  std::vector<IDirectSoundBuffer8*> m_buffers;
};

}  // namespace dstest
