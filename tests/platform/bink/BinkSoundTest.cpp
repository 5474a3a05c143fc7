// A movie's sound through the DirectSound stand-in's mixer, mixed on demand: it starts with the first
// frame, plays on unbroken while the movie is waited on, falls silent after its end and stops with the
// movie; and the sound system holds the device only while it is set.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "BinkFixture.h"
#include "platform/bink/Bink.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"
#include "support/MovieFiles.h"

namespace binktest {
namespace {

namespace ds = plat::dsound;

constexpr uint32_t kOutputRate = 22050;

class BinkSound : public BinkTest {
protected:
  void SetUp() override {
    BinkTest::SetUp();
    ds::SetPullModeForTesting(true);
    ASSERT_EQ(ds::DirectSoundCreate8(nullptr, &m_device, nullptr), ds::DS_OK);
    ASSERT_EQ(BinkSetSoundSystem(BinkOpenDirectSound, reinterpret_cast<uintptr_t>(m_device)), 1);
  }
  void TearDown() override {
    BinkTest::TearDown();
    BinkSetSoundSystem(BinkOpenDirectSound, 0);
    if (m_device) m_device->Release();
    ds::SetPullModeForTesting(false);
  }

  // Mixes so many output frames (left and right interleaved).
  std::vector<int16_t> Render(uint32_t frames) {
    std::vector<int16_t> out(2 * size_t{frames});
    ds::MixerOf(m_device)->Render(out.data(), frames);
    return out;
  }

  // Plays on in steps of 20 ms of output, each followed by a wait, as frames of the game are.
  std::vector<int16_t> PlayFor(uint32_t ms) {
    std::vector<int16_t> all;
    for (uint32_t done = 0; done < ms; done += 20) {
      const std::vector<int16_t> piece = Render(kOutputRate / 50);
      all.insert(all.end(), piece.begin(), piece.end());
      gNow += 20;
      BinkWait(m_bink);
    }
    return all;
  }

  static test::MovieSpec WithSound(int rate, int channels, const std::vector<int16_t>& samples) {
    test::MovieSpec spec = test::SolidMovie(10, 32, 24, 10);
    spec.audioRate = rate;
    spec.audioChannels = channels;
    spec.audio = samples;
    return spec;
  }

  static bool Silent(const std::vector<int16_t>& out) {
    for (const int16_t sample : out) {
      if (sample != 0) return false;
    }
    return true;
  }

  ds::IDirectSound8* m_device = nullptr;
};

TEST_F(BinkSound, TheSoundStartsWithTheFirstFramePlaysUnbrokenAndFallsSilentAfterItsEnd) {
  // One second of mono sound at the output rate reaches the output sample for sample, on both sides.
  const std::vector<int16_t> sound = test::SoundPattern(kOutputRate);
  ASSERT_NE(OpenNew("sound.avi", WithSound(kOutputRate, 1, sound)), nullptr);
  EXPECT_EQ(BinkWait(m_bink), 0);
  EXPECT_TRUE(Silent(Render(441)));
  Next();
  const std::vector<int16_t> played = PlayFor(1000);
  ASSERT_EQ(played.size(), 2 * sound.size());
  int wrong = 0;
  for (size_t i = 0; i < sound.size(); ++i) {
    if ((played[2 * i] != sound[i] || played[2 * i + 1] != sound[i]) && ++wrong <= 3)
      ADD_FAILURE() << "sample " << i << ": " << played[2 * i] << ", " << played[2 * i + 1] << " not "
                    << sound[i];
  }
  // Nothing of it comes round again once the ring has wrapped.
  EXPECT_TRUE(Silent(PlayFor(1500)));
}

TEST_F(BinkSound, StereoSoundAtAnotherRateReachesEachSide) {
  // At twice the output rate the mixer takes every second frame.
  const std::vector<int16_t> sound = test::SoundPattern(2 * 2 * kOutputRate / 2);
  ASSERT_NE(OpenNew("stereo.avi", WithSound(2 * kOutputRate, 2, sound)), nullptr);
  Next();
  const std::vector<int16_t> played = PlayFor(400);
  int wrong = 0;
  for (size_t frame = 0; 2 * frame + 1 < played.size(); ++frame) {
    const int16_t left = sound[4 * frame];
    const int16_t right = sound[4 * frame + 1];
    if ((played[2 * frame] != left || played[2 * frame + 1] != right) && ++wrong <= 3)
      ADD_FAILURE() << "frame " << frame << ": " << played[2 * frame] << ", " << played[2 * frame + 1]
                    << " not " << left << ", " << right;
  }
}

TEST_F(BinkSound, TheSoundStopsWithTheMovie) {
  ASSERT_NE(OpenNew("closed.avi", WithSound(kOutputRate, 1, test::SoundPattern(kOutputRate))), nullptr);
  Next();
  EXPECT_FALSE(Silent(PlayFor(100)));
  BinkClose(m_bink);
  m_bink = nullptr;
  EXPECT_TRUE(Silent(Render(kOutputRate / 10)));
}

TEST_F(BinkSound, WithoutASoundSystemTheMoviePlaysSilent) {
  EXPECT_EQ(BinkSetSoundSystem(BinkOpenDirectSound, 0), 0);
  ASSERT_NE(OpenNew("silent.avi", WithSound(kOutputRate, 1, test::SoundPattern(kOutputRate))), nullptr);
  for (int frame = 0; frame < 5; ++frame) {
    Next();
    EXPECT_TRUE(Silent(PlayFor(100)));
  }
  EXPECT_EQ(m_bink->FrameNum, 5u);
}

TEST_F(BinkSound, TheSoundSystemHoldsTheDeviceUntilItIsSetAgain) {
  // The device's count: the test's own reference, the sound system's, and the one just taken.
  EXPECT_EQ(m_device->AddRef(), 3u);
  m_device->Release();
  EXPECT_EQ(BinkSetSoundSystem(BinkOpenDirectSound, 0), 0);
  EXPECT_EQ(m_device->AddRef(), 2u);
  m_device->Release();
  EXPECT_EQ(BinkSetSoundSystem(nullptr, reinterpret_cast<uintptr_t>(m_device)), 0);
  EXPECT_EQ(m_device->AddRef(), 2u);
  m_device->Release();
}

}  // namespace
}  // namespace binktest
