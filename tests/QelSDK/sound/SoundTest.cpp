// One sound through the pull-mode mixer: ids, events, lengths and positions, settings, replays and
// streams.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "sound/CSound.h"
#include "sound/Sound.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"

namespace {

using plat::dsound::DWORD;
using plat::dsound::IDirectSoundBuffer8;
using plat::dsound::LONG;
using Qel::EventId::SoundFinished;
using Qel::EventId::SoundLoaded;
using Qel::EventId::SoundLooped;
using Qel::EventId::SoundStarted;
using SoundPtr = std::shared_ptr<Qel::Sound>;

class OneSound : public testing::Test {
protected:
  SoundPtr Make(const std::string& file, bool streamed = false, const std::string& id = "") {
    auto sound = std::make_shared<Qel::Sound>(file, streamed, -1);
    if (!id.empty()) sound->SetId(id);
    return sound;
  }
  bool Play(const SoundPtr& sound, bool restart = true) {
    return Qel::WinSoundManager::Instance()->PlaySound(sound, restart);
  }
  static IDirectSoundBuffer8* Buffer(const SoundPtr& sound) { return sound->GetBufferObject()->GetBuffer(0); }
  static LONG BufferVolume(const SoundPtr& sound) {
    LONG volume = 1;
    Buffer(sound)->GetVolume(&volume);
    return volume;
  }
  static DWORD BufferFrequency(const SoundPtr& sound) {
    DWORD frequency = 0;
    Buffer(sound)->GetFrequency(&frequency);
    return frequency;
  }
  static DWORD PlayCursor(const SoundPtr& sound) {
    DWORD play = 0;
    DWORD write = 0;
    Buffer(sound)->GetCurrentPosition(&play, &write);
    return play;
  }
  // Output time until the sound stops, in steps of 10 ms with an update after each.
  uint32_t RunUntilStopped(const SoundPtr& sound, uint32_t limitMs) {
    uint32_t ms = 0;
    while (sound->IsPlaying() && ms < limitMs) {
      stage.Run(10);
      ms += 10;
    }
    return ms;
  }

  test::SoundStage stage;
  test::SoundEventLog log;
};

test::WaveFormat Format(uint32_t channels, uint32_t rate, uint32_t bits) {
  test::WaveFormat format;
  format.channels = channels;
  format.rate = rate;
  format.bits = bits;
  return format;
}

}  // namespace

TEST_F(OneSound, TheFirstSoundOfTheProcessIsSndOne) {
  stage.AddWave("tone", test::Tone(100));
  EXPECT_EQ(Make("tone")->GetId(), "snd 1");
  EXPECT_EQ(Make("missing")->GetId(), "snd 2");
  EXPECT_EQ(Qel::WinSoundManager::Instance()->MakeSoundName(), "snd 3");
}

TEST_F(OneSound, AOneShotTellsOfItsLoadItsStartAndItsEnd) {
  stage.AddWave("tone", test::Tone(100));
  SoundPtr sound = Make("tone");
  EXPECT_TRUE(sound->IsLoaded());
  const std::string firstId = sound->GetId();
  sound->SetId("bell");
  ASSERT_TRUE(Play(sound));
  EXPECT_EQ(RunUntilStopped(sound, 1000), 110u);  // stopped in the step that mixes its end
  stage.Run(10);
  const std::vector<test::SoundEventEntry> expected = {
      {SoundLoaded, firstId}, {SoundStarted, "bell"}, {SoundFinished, "bell"}};
  EXPECT_EQ(log.entries, expected);
}

TEST_F(OneSound, ALoopingSoundTellsOfEachPassOverItsStartButNotOfTheFirst) {
  stage.AddWave("loop", test::Tone(100));
  SoundPtr sound = Make("loop", false, "loop");
  sound->SetLooping(true);
  log.entries.clear();
  ASSERT_TRUE(Play(sound));
  stage.Run(50);
  EXPECT_TRUE(log.Of(SoundLooped).empty());
  stage.Run(300);
  EXPECT_EQ(log.Of(SoundLooped), (std::vector<std::string>{"loop", "loop", "loop"}));
  EXPECT_TRUE(sound->IsPlaying());
  // Played again, the count of passes starts over.
  ASSERT_TRUE(Play(sound, true));
  stage.Run(50);
  EXPECT_EQ(log.Of(SoundLooped).size(), 3u);
  stage.Run(100);
  EXPECT_EQ(log.Of(SoundLooped).size(), 4u);
  sound->Stop();
  stage.Run(10);
  EXPECT_EQ(log.Of(SoundFinished), std::vector<std::string>{"loop"});
}

// The length and position in milliseconds: exact to the millisecond for any size, where a stepwise
// integer formula moves in whole seconds and bytes x 8000 overflows 32 bits past 512 KiB.
TEST_F(OneSound, LengthsAreExactMillisecondsForAnySize) {
  const struct {
    const char* what;
    test::WaveFormat format;
    uint32_t bytes;
    uint32_t ms;
  } cases[] = {
      {"16-bit stereo, one second", Format(2, 22050, 16), 88200, 1000},
      {"16-bit stereo, half a second", Format(2, 22050, 16), 44100, 500},
      {"16-bit mono, a quarter second", Format(1, 22050, 16), 11024, 249},
      {"8-bit mono at 11025 Hz", Format(1, 11025, 8), 11025 + 110, 1009},
      {"8-bit mono, 600 KiB", Format(1, 22050, 8), 600 * 1024, 27863},
      {"16-bit stereo at 44100 Hz, 4 MiB", Format(2, 44100, 16), 4 * 1024 * 1024, 23777},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = "wave" + std::to_string(&c - cases);
    stage.AddWave(name, test::Wave(c.format, test::Pattern(c.bytes)));
    SoundPtr sound = Make(name);
    ASSERT_TRUE(sound->IsLoaded());
    EXPECT_EQ(sound->GetLengthMs(), c.ms);
    EXPECT_EQ(sound->GetPositionMs(), 0u);
  }
}

TEST_F(OneSound, ThePositionFollowsPlayInMilliseconds) {
  stage.AddWave("tone", test::Tone(1000));
  SoundPtr sound = Make("tone");
  ASSERT_TRUE(Play(sound));
  for (const uint32_t ms : {250u, 500u, 750u}) {
    stage.Render(test::SoundStage::FramesOf(250));
    SCOPED_TRACE(ms);
    EXPECT_NEAR(static_cast<double>(sound->GetPositionMs()), ms, 1.0);
  }
}

TEST_F(OneSound, VolumeFactorsOutsideZeroToOneNeverRaiseTheSoundAndNeverBreakTheConversion) {
  stage.AddWave("tone", test::Tone(500));
  SoundPtr sound = Make("tone");
  ASSERT_TRUE(Play(sound));
  EXPECT_EQ(BufferVolume(sound), 0);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float factor;
    LONG volume;  // the buffer's volume afterwards
  } steps[] = {
      {0.5f, -5000},    {1.5f, -5000}, {nan, -5000},   {1e30f, -5000}, {inf, -5000},    {0.25f, -7500},
      {-1e30f, -10000}, {1.0f, 0},     {-inf, -10000}, {0.0f, -10000}, {-0.5f, -10000},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.factor);
    sound->SetVolume(step.factor);
    EXPECT_EQ(BufferVolume(sound), step.volume);
    // The per-frame settings keep what SetVolume gave.
    stage.Run(10);
    EXPECT_EQ(BufferVolume(sound), step.volume);
  }
}

TEST_F(OneSound, FrequenciesOutsideTheRangeAndPitchesThatGiveThemChangeNothing) {
  stage.AddWave("tone", test::Tone(500));
  SoundPtr sound = Make("tone");
  EXPECT_EQ(sound->GetFrequency(), 22050u);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* what;
    bool pitch;  // SetPitch with the factor, else SetFrequency with the Hz
    double value;
    uint32_t frequency;  // afterwards
  } steps[] = {
      {"99 Hz", false, 99, 22050},
      {"100 Hz", false, 100, 100},
      {"100000 Hz", false, 100000, 100000},
      {"100001 Hz", false, 100001, 100000},
      {"pitch 2", true, 2.0, 44100},
      {"pitch 0.5", true, 0.5, 11025},
      {"pitch 0", true, 0.0, 11025},
      {"pitch below 100 Hz", true, 0.004, 11025},
      {"pitch negative", true, -1.0, 11025},
      {"pitch just above the range", true, 4.6, 11025},
      {"pitch whose product wraps 32 bits into the range", true, 194784.0, 11025},
      {"pitch huge", true, 1e30, 11025},
      {"pitch not a number", true, nan, 11025},
      {"pitch 1", true, 1.0, 22050},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.pitch) {
      sound->SetPitch(static_cast<float>(step.value));
    } else {
      sound->SetFrequency(static_cast<uint32_t>(step.value));
    }
    EXPECT_EQ(sound->GetFrequency(), step.frequency);
    EXPECT_EQ(BufferFrequency(sound), step.frequency);
  }
}

TEST_F(OneSound, PlayWithoutRestartLeavesAPlayingSoundAloneAndRestartRewindsIt) {
  stage.AddWave("tone", test::Tone(1000));
  SoundPtr sound = Make("tone");
  ASSERT_TRUE(Play(sound));
  stage.Run(400);
  const uint32_t position = sound->GetPositionMs();
  EXPECT_GE(position, 390u);
  EXPECT_FALSE(sound->Play(false));
  EXPECT_EQ(sound->GetPositionMs(), position);
  EXPECT_TRUE(sound->IsPlaying());
  EXPECT_TRUE(sound->Play(true));
  EXPECT_EQ(sound->GetPositionMs(), 0u);
  EXPECT_TRUE(sound->IsPlaying());
}

TEST_F(OneSound, PauseKeepsThePlaceResumeGoesOnAndStopRewindsEvenAPausedSound) {
  stage.AddWave("tone", test::Tone(1000));
  SoundPtr sound = Make("tone");
  EXPECT_FALSE(sound->Pause());
  EXPECT_FALSE(sound->Resume());
  ASSERT_TRUE(Play(sound));
  stage.Run(300);
  ASSERT_TRUE(sound->Pause());
  EXPECT_FALSE(sound->Pause());
  EXPECT_TRUE(sound->IsPaused());
  EXPECT_FALSE(sound->IsPlaying());
  const uint32_t position = sound->GetPositionMs();
  stage.Run(300);
  EXPECT_EQ(sound->GetPositionMs(), position);
  ASSERT_TRUE(sound->Resume());
  EXPECT_TRUE(sound->IsPlaying());
  stage.Run(100);
  EXPECT_NEAR(static_cast<double>(sound->GetPositionMs()), position + 100.0, 2.0);

  ASSERT_TRUE(sound->Pause());
  sound->Stop();
  EXPECT_FALSE(sound->IsPaused());
  EXPECT_FALSE(sound->Resume());
  EXPECT_EQ(sound->GetPositionMs(), 0u);
}

// A stream longer than its ring (twelve seconds at 8000 Hz against ten in the ring) is refilled as it
// plays; played again, from a restart or after a stop, it plays the whole wave once more.
TEST_F(OneSound, AReplayedStreamStartsOverWithItsCounts) {
  stage.AddWave("stream", test::Tone(12000, Format(1, 8000, 8)));
  SoundPtr sound = Make("stream", true);
  ASSERT_TRUE(sound->IsLoaded());
  EXPECT_TRUE(sound->IsStreamed());
  EXPECT_EQ(sound->GetLengthMs(), 0u);
  EXPECT_EQ(sound->GetPositionMs(), 0u);

  ASSERT_TRUE(Play(sound));
  stage.Run(6000);
  EXPECT_TRUE(sound->IsPlaying());
  ASSERT_TRUE(Play(sound, true));
  EXPECT_EQ(PlayCursor(sound), 0u);
  const uint32_t afterRestart = RunUntilStopped(sound, 20000);
  EXPECT_GE(afterRestart, 11900u);
  EXPECT_LE(afterRestart, 12100u);

  stage.Run(10);
  ASSERT_TRUE(Play(sound));
  stage.Run(7000);
  sound->Stop();
  EXPECT_EQ(PlayCursor(sound), 0u);
  ASSERT_TRUE(Play(sound));
  const uint32_t afterStop = RunUntilStopped(sound, 20000);
  EXPECT_GE(afterStop, 11900u);
  EXPECT_LE(afterStop, 12100u);
}

TEST_F(OneSound, ALoopingStreamPlaysOn) {
  stage.AddWave("stream", test::Tone(3000, Format(1, 8000, 8)));
  SoundPtr sound = Make("stream", true);
  sound->SetLooping(true);
  ASSERT_TRUE(Play(sound));
  stage.Run(10000);
  EXPECT_TRUE(sound->IsPlaying());
  EXPECT_TRUE(log.Of(SoundFinished).empty());
}

TEST(SoundWithoutDevice, StaysUnloadedAndDoesNotPlay) {
  setenv("PILO_TRACE", "1", 1);  // for this case only
  test::SoundStage stage(false);
  stage.AddWave("tone", test::Tone(100));
  testing::internal::CaptureStderr();
  auto sound = std::make_shared<Qel::Sound>("tone", false, -1);
  auto stream = std::make_shared<Qel::Sound>("tone", true, -1);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(sound->IsLoaded());
  EXPECT_FALSE(stream->IsLoaded());
  EXPECT_EQ(sound->GetBufferObject(), nullptr);
  EXPECT_FALSE(Qel::WinSoundManager::Instance()->PlaySound(sound, true));
  EXPECT_FALSE(sound->IsPlaying());
  EXPECT_EQ(sound->GetLengthMs(), 0u);
  EXPECT_NE(trace.find("Sound::Load - ERROR: sound failed to load, probably a bad filename (tone)"),
            std::string::npos);
}

TEST(SoundManagerInstance, InitializesOnceAndShutdownMakesANewOne) {
  plat::dsound::SetPullModeForTesting(true);
  Qel::WinSoundManager* manager = Qel::WinSoundManager::Instance();
  EXPECT_EQ(manager->GetDirectSound(), nullptr);
  EXPECT_EQ(manager->Initialize(test::SoundStage::Window()), 0);
  plat::dsound::IDirectSound8* device = manager->GetDirectSound();
  EXPECT_NE(device, nullptr);
  EXPECT_EQ(manager->Initialize(test::SoundStage::Window()), 0);
  EXPECT_EQ(manager->GetDirectSound(), device);
  manager->Shutdown();
  EXPECT_FALSE(Qel::WinSoundManager::Exists());

  // A device that fails is reported, and so is every later call.
  plat::dsound::SetCreateResultForTesting(plat::dsound::DSERR_NODRIVER);
  manager = Qel::WinSoundManager::Instance();
  EXPECT_EQ(manager->Initialize(test::SoundStage::Window()), 1);
  EXPECT_EQ(manager->Initialize(test::SoundStage::Window()), 1);
  EXPECT_EQ(manager->GetDirectSound(), nullptr);
  plat::dsound::SetCreateResultForTesting(plat::dsound::DS_OK);
  manager->Shutdown();
  plat::dsound::SetPullModeForTesting(false);
}
