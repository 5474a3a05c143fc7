// The device holder and static sounds: creation and its failures, duplicates, filling, lost buffers.
#include <chrono>

#include "SoundFixture.h"

using namespace soundtest;
using plat::win::E_FAIL;
using plat::win::E_INVALIDARG;
using plat::win::S_OK;
using Qel::CSound;
using Qel::CWaveStream;

TEST_F(SoundTest, InitializeSetsTheOutputRateAndAFailedCreateLeavesNoDevice) {
  EXPECT_EQ(m_mixer->OutputRate(), 22050u);
  ASSERT_EQ(m_device.Initialize(nullptr, DSSCL_PRIORITY, 2, 44100, 16), DS_OK);
  EXPECT_EQ(MixerOf(m_device.GetDirectSound())->OutputRate(), 44100u);

  SetCreateResultForTesting(DSERR_NODRIVER);
  EXPECT_EQ(m_device.Initialize(nullptr, DSSCL_PRIORITY, 2, 22050, 16), DSERR_NODRIVER);
  EXPECT_EQ(m_device.GetDirectSound(), nullptr);
  std::unique_ptr<CSound> sound;
  EXPECT_EQ(m_device.CreateSound(&sound, "any.wav", kStaticFlags, DS3DALG_DEFAULT, 1),
            plat::win::CO_E_NOTINITIALIZED);
  SetCreateResultForTesting(DS_OK);
}

TEST_F(SoundTest, CreateSoundRefusesBadArgumentsAndWavesWithoutData) {
  const std::string good = WriteWave("good.wav", {}, test::Pattern(100));
  const std::string empty = WriteWave("empty.wav", {}, "");
  test::WriteFile("bad.wav", test::Wave({1, 3, 22050, 16}, test::Pattern(60)));
  std::unique_ptr<CSound> sound;
  EXPECT_EQ(m_device.CreateSound(&sound, nullptr, kStaticFlags, DS3DALG_DEFAULT, 1), E_INVALIDARG);
  EXPECT_EQ(m_device.CreateSound(nullptr, good.c_str(), kStaticFlags, DS3DALG_DEFAULT, 1), E_INVALIDARG);
  EXPECT_EQ(m_device.CreateSound(&sound, good.c_str(), kStaticFlags, DS3DALG_DEFAULT, 0), E_INVALIDARG);
  EXPECT_EQ(m_device.CreateSound(&sound, "missing.wav", kStaticFlags, DS3DALG_DEFAULT, 1), E_FAIL);
  EXPECT_EQ(m_device.CreateSound(&sound, empty.c_str(), kStaticFlags, DS3DALG_DEFAULT, 1), E_FAIL);
  EXPECT_EQ(m_device.CreateSound(&sound, "bad.wav", kStaticFlags, DS3DALG_DEFAULT, 1), E_FAIL);
  EXPECT_EQ(sound, nullptr);

  // A 3-D algorithm is not to be had; the sound is made anyway and the result says so.
  EXPECT_EQ(m_device.CreateSound(&sound, good.c_str(), kStaticFlags, IID_IDirectSound8, 1),
            DS_NO_VIRTUALIZATION);
  EXPECT_NE(sound, nullptr);
}

TEST_F(SoundTest, DuplicatesPlayTheSameDataOneAfterAnother) {
  const test::WaveFormat format{1, 2, 22050, 16};
  const std::string data = test::Pattern(88200);  // a second of 16-bit stereo
  std::unique_ptr<CSound> sound;
  ASSERT_EQ(m_device.CreateSound(&sound, WriteWave("s.wav", format, data).c_str(), kStaticFlags,
                                 DS3DALG_DEFAULT, 3),
            DS_OK);
  ASSERT_EQ(sound->GetBufferCount(), 3u);
  EXPECT_EQ(sound->GetBufferSize(), 88200u);
  EXPECT_EQ(sound->GetBuffer(3), nullptr);
  for (DWORD i = 0; i < 3; ++i) EXPECT_EQ(Contents(sound->GetBuffer(i)), data);
  DSBCAPS caps;
  ASSERT_EQ(sound->GetBuffer(0)->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.dwFlags & kStaticFlags, kStaticFlags);

  EXPECT_FALSE(sound->IsPlaying());
  for (DWORD i = 0; i < 3; ++i) {
    ASSERT_EQ(sound->Play(0, 0), DS_OK);
    EXPECT_TRUE(Plays(sound->GetBuffer(i)));  // the first one not playing is taken
    Render(1000);
  }
  ASSERT_EQ(sound->Play(0, 0), DS_OK);  // all play: one of them, whichever
  EXPECT_TRUE(sound->IsPlaying());
  ASSERT_EQ(sound->Stop(), S_OK);
  EXPECT_FALSE(sound->IsPlaying());
  ASSERT_EQ(sound->Reset(), S_OK);
  for (DWORD i = 0; i < 3; ++i) {
    DWORD play = 1;
    ASSERT_EQ(sound->GetBuffer(i)->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 0u);
  }
}

TEST_F(SoundTest, AWaveShorterThanItsBufferIsPaddedWithSilenceOrRepeated) {
  struct Case {
    const char* name;
    test::WaveFormat format;
    char silence;
  };
  for (const Case& c : {Case{"8-bit", {1, 1, 22050, 8}, '\x80'}, Case{"16-bit", {1, 2, 22050, 16}, '\0'}}) {
    SCOPED_TRACE(c.name);
    const std::string data = test::Pattern(c.format.Block() * 30);
    auto wave = std::make_unique<CWaveStream>();
    ASSERT_EQ(wave->Open(WriteWave("short.wav", c.format, data).c_str(), nullptr, CWaveStream::kRead), S_OK);
    WAVEFORMATEX format = *wave->GetFormat();
    DSBUFFERDESC description;
    description.dwFlags = kStaticFlags;
    description.dwBufferBytes = static_cast<DWORD>(data.size()) * 2 + c.format.Block() * 10;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer8* buffer = nullptr;
    ASSERT_EQ(m_device.GetDirectSound()->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    CSound sound({buffer}, description.dwBufferBytes, std::move(wave));
    const size_t rest = description.dwBufferBytes - data.size();
    EXPECT_EQ(Contents(buffer), data + std::string(rest, c.silence));
    ASSERT_EQ(sound.FillFromWave(buffer, true), S_OK);
    EXPECT_EQ(Contents(buffer), data + data + data.substr(0, c.format.Block() * 10));
  }
}

TEST_F(SoundTest, ALostBufferIsRestoredWithinItsTriesAndRefilledBeforeItPlays) {
  const std::string data = test::Pattern(2000);
  std::unique_ptr<CSound> sound;
  ASSERT_EQ(m_device.CreateSound(&sound, WriteWave("s.wav", {1, 1, 22050, 8}, data).c_str(), kStaticFlags,
                                 DS3DALG_DEFAULT, 1),
            DS_OK);
  IDirectSoundBuffer8* buffer = sound->GetBuffer(0);
  bool restored = true;
  EXPECT_EQ(sound->RecoverLostBuffer(buffer, &restored), S_OK);
  EXPECT_FALSE(restored);

  // Nine failures leave one try of the ten.
  ASSERT_EQ(LoseBufferForTesting(buffer, CSound::kRestoreTries - 1), DS_OK);
  ASSERT_EQ(sound->Play(0, 0), DS_OK);
  EXPECT_TRUE(Plays(buffer));
  EXPECT_EQ(Contents(buffer), data);  // restored silent, then filled again from the wave

  // A buffer that never comes back is given up after the tries, not waited on for ever.
  ASSERT_EQ(LoseBufferForTesting(buffer, 1000), DS_OK);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(sound->RecoverLostBuffer(buffer, &restored), DSERR_BUFFERLOST);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(restored);
  EXPECT_GE(waited, std::chrono::milliseconds(9 * CSound::kRestorePauseMs));
  EXPECT_LT(waited, std::chrono::seconds(1));
  EXPECT_EQ(sound->Play(0, 0), DSERR_BUFFERLOST);
  EXPECT_FALSE(sound->IsPlaying());
}

TEST_F(SoundTest, AStaticSoundPlaysItsWaveAndEndsAtCursorZero) {
  const test::WaveFormat format{1, 1, 22050, 16};
  const std::string data = test::Pattern(2 * 3000, 11);
  std::unique_ptr<CSound> sound;
  ASSERT_EQ(m_device.CreateSound(&sound, WriteWave("s.wav", format, data).c_str(), kStaticFlags,
                                 DS3DALG_DEFAULT, 1),
            DS_OK);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(sound->Play(0, 0), DS_OK);
    const std::vector<int16_t> out = Render(3100);
    for (size_t frame = 0; frame < 3000; ++frame) ASSERT_EQ(out[2 * frame], SampleOf(data, format, frame, 0));
    EXPECT_FALSE(sound->IsPlaying());
  }
}
