// A sound device in pull mode with the game's output format, waves written to files, and the mix read
// back through the mixer's pull call.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dsound/Mixer.h"
#include "sound/CSoundDevice.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

namespace soundtest {

using namespace plat::dsound;

// The flags the sound manager asks for.
inline constexpr DWORD kStaticFlags = 0x101E0;
inline constexpr DWORD kStreamFlags = 0x1E0;

// The 16-bit sample the mixer makes of frame i, channel c of a wave's data.
inline int32_t SampleOf(const std::string& data, const test::WaveFormat& format, size_t frame, int channel) {
  const size_t at = frame * format.Block() + (format.channels == 2 ? channel * format.bits / 8 : 0);
  if (format.bits == 8) return (static_cast<uint8_t>(data[at]) - 128) * 256;
  int16_t sample;
  std::memcpy(&sample, data.data() + at, 2);
  return sample;
}

class SoundTest : public testing::Test {
protected:
  void SetUp() override {
    SetPullModeForTesting(true);
    ASSERT_EQ(m_device.Initialize(nullptr, DSSCL_PRIORITY, 2, 22050, 16), DS_OK);
    m_mixer = MixerOf(m_device.GetDirectSound());
    ASSERT_NE(m_mixer, nullptr);
  }

  static std::string WriteWave(const std::string& name, const test::WaveFormat& format,
                               const std::string& data) {
    test::WriteFile(name, test::Wave(format, data));
    return name;
  }

  std::vector<int16_t> Render(size_t frames) {
    std::vector<int16_t> out(2 * frames);
    m_mixer->Render(out.data(), static_cast<uint32_t>(frames));
    return out;
  }

  // The bytes of a buffer as they stand.
  static std::string Contents(IDirectSoundBuffer8* buffer) {
    DSBCAPS caps;
    EXPECT_EQ(buffer->GetCaps(&caps), DS_OK);
    void* part = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(buffer->Lock(0, caps.dwBufferBytes, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    std::string contents(static_cast<char*>(part), bytes);
    EXPECT_EQ(buffer->Unlock(part, 0, nullptr, 0), DS_OK);
    return contents;
  }

  static bool Plays(IDirectSoundBuffer8* buffer) {
    DWORD status = 0;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return (status & DSBSTATUS_PLAYING) != 0;
  }

  Qel::CSoundDevice m_device;
  Mixer* m_mixer = nullptr;
};

}  // namespace soundtest
