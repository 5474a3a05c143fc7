// The music queue on a game clock the test moves: playing at once and after a fade, one-shot pieces
// followed by the next, the last piece looping, streaming by the setting, and StopAllSounds sparing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/Periodical.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/MusicManager.h"
#include "framework/StopAllSounds.h"
#include "framework/WinApp.h"
#include "platform/win/kernel/Timer.h"
#include "sound/CSound.h"
#include "sound/WinSoundManager.h"
#include "support/SoundStage.h"

namespace {

using plat::dsound::LONG;

uint32_t gNow = 0;
uint32_t FakeTime() {
  return gNow;
}

class Music : public testing::Test {
protected:
  void SetUp() override {
    // FrameAt names the timer's reading, which is the game time only from a timer at 0.
    gNow = 0;
    plat::win::SetTimeSourceForTesting(FakeTime);
    ApplicationClock::Instance().SetTime(0);
    GameClock::Instance().SetTime(0);
    GameClock::Instance().Update();
    stage.AddWave("theme", test::Tone(300));
    stage.AddWave("chase", test::Tone(200));
    stage.AddWave("calm", test::Tone(400));
  }
  void TearDown() override {
    music.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  static void StreamMusic(bool on) { GetApp().GetOptions().SetTxtValue("streammusic", on ? "1" : "0"); }

  // Frames of 10 ms of game time and output: the clock, the periodical services (the music among
  // them) and the sound manager, in the frame's order.
  void Frames(uint32_t ms) {
    for (uint32_t done = 0; done < ms; done += 10) {
      gNow += 10;
      GameClock::Instance().Update();
      Qel::Periodical::UpdateAll();
      stage.Run(10);
    }
  }
  // Game time set to exactly t for the next frame's update, without output.
  void FrameAt(uint32_t t) {
    gNow = t;
    GameClock::Instance().Update();
    Qel::Periodical::UpdateAll();
  }

  const Qel::Sound* Current() const {
    const GameSound* current = music.GetCurrentMusic();
    return current ? current->GetEngineSound() : nullptr;
  }
  static LONG BufferVolume(const Qel::Sound* sound) {
    LONG volume = 1;
    sound->GetBufferObject()->GetBuffer(0)->GetVolume(&volume);
    return volume;
  }

  test::SoundStage stage;
  MusicManager& music = MusicManager::Instance();
};

// The trace is read at its first line, which the sound device's start (in the fixture's construction)
// already writes.
class MusicTraced : public Music {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

}  // namespace

TEST_F(Music, TheOnlyPiecePlaysAtOnceOnItsOwnChannelAndLoops) {
  EXPECT_TRUE(music.IsRunning());
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  const Qel::Sound* sound = Current();
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(music.GetCurrentName(), "theme");
  EXPECT_EQ(music.GetQueueLength(), 0u);
  EXPECT_EQ(sound->GetId(), "bgmusic");
  EXPECT_EQ(sound->GetName(), "theme");
  EXPECT_EQ(sound->GetChannel(), MusicManager::kMusicChannel);
  EXPECT_EQ(sound->GetPriority(), MusicManager::kMusicPriority);
  EXPECT_EQ(sound->GetVolume(), 1.0f);
  EXPECT_TRUE(sound->IsLooping());
  EXPECT_TRUE(sound->IsPlaying());
  Frames(1000);
  EXPECT_EQ(Current(), sound);
  EXPECT_TRUE(sound->IsPlaying());
}

TEST_F(Music, TheMusicIsStreamedOnlyWithTheSetting) {
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on);
    StreamMusic(on);
    music.QueueMusic("theme", true);
    music.PlayNext(true);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->IsStreamed(), on);
    Frames(500);
    EXPECT_TRUE(Current()->IsPlaying());
    music.StopMusic();
  }
}

TEST_F(Music, AFadeHoldsHalfASecondThenFallsOverOneSecondToTheNextPiece) {
  StreamMusic(false);
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  const Qel::Sound* theme = Current();
  FrameAt(1000);
  music.QueueMusic("calm", false);
  music.PlayNext(false);
  EXPECT_TRUE(music.IsFading());
  const struct {
    uint32_t t;
    float factor;
    LONG volume;
  } steps[] = {{1000, 1.5f, 0}, {1250, 1.25f, 0}, {1500, 1.0f, 0}, {2000, 0.5f, -5000}, {2250, 0.25f, -7500}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.t);
    FrameAt(step.t);
    ASSERT_EQ(Current(), theme);
    EXPECT_FLOAT_EQ(theme->GetVolume(), step.factor);
    EXPECT_EQ(BufferVolume(theme), step.volume);
  }
  FrameAt(2499);
  EXPECT_EQ(music.GetCurrentName(), "theme");
  FrameAt(2500);
  EXPECT_FALSE(music.IsFading());
  EXPECT_EQ(music.GetCurrentName(), "calm");
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->GetVolume(), 1.0f);
  EXPECT_EQ(BufferVolume(Current()), 0);
  EXPECT_TRUE(Current()->IsPlaying());
  EXPECT_TRUE(Current()->IsLooping());
}

TEST_F(Music, PlayNextAtOnceSkipsTheFade) {
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  Frames(100);
  music.QueueMusic("calm", false);
  music.PlayNext(true);
  EXPECT_FALSE(music.IsFading());
  EXPECT_EQ(music.GetCurrentName(), "calm");
  EXPECT_TRUE(Current()->IsPlaying());
  EXPECT_EQ(Current()->GetChannel(), MusicManager::kMusicChannel);
}

TEST_F(Music, TheMusicThatAlreadyPlaysGoesOnAtFullVolume) {
  StreamMusic(false);
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  const Qel::Sound* theme = Current();
  music.QueueMusic("calm", false);
  music.PlayNext(false);
  FrameAt(GameClock::Instance().GetLastTime() + 800);
  EXPECT_LT(theme->GetVolume(), 1.0f);

  // Asked for again in the middle of its fade, by another spelling.
  music.QueueMusic("THEME", true);
  music.PlayNext(false);
  EXPECT_FALSE(music.IsFading());
  EXPECT_EQ(Current(), theme);
  EXPECT_EQ(theme->GetVolume(), 1.0f);
  EXPECT_EQ(BufferVolume(theme), 0);
  EXPECT_EQ(music.GetQueueLength(), 0u);
  Frames(2000);
  EXPECT_EQ(Current(), theme);
  EXPECT_TRUE(theme->IsPlaying());
}

TEST_F(Music, AOneShotPieceIsFollowedByTheNextWhichLoops) {
  for (const bool streamed : {false, true}) {
    SCOPED_TRACE(streamed);
    StreamMusic(streamed);
    music.QueueMusic("chase", true);
    music.QueueMusic("theme", false);
    music.PlayNext(true);
    EXPECT_EQ(music.GetCurrentName(), "chase");
    EXPECT_FALSE(Current()->IsLooping());
    Frames(150);
    EXPECT_EQ(music.GetCurrentName(), "chase");
    Frames(100);
    EXPECT_EQ(music.GetCurrentName(), "theme");
    EXPECT_TRUE(Current()->IsLooping());
    EXPECT_TRUE(Current()->IsPlaying());
    Frames(1000);
    EXPECT_EQ(music.GetCurrentName(), "theme");
    EXPECT_TRUE(Current()->IsPlaying());
    music.StopMusic();
  }
}

TEST_F(Music, TheLastPieceStartsAgainWhenItIsStopped) {
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  Qel::WinSoundManager::Instance()->StopChannel(MusicManager::kMusicChannel);
  Frames(10);
  EXPECT_EQ(music.GetCurrentName(), "theme");
  ASSERT_NE(Current(), nullptr);
  EXPECT_TRUE(Current()->IsPlaying());
  EXPECT_EQ(Current()->GetChannel(), MusicManager::kMusicChannel);
}

TEST_F(Music, StopAllSoundsSparesTheMusic) {
  music.QueueMusic("theme", true);
  music.PlayNext(true);
  GameSound voice("voice", "calm", true, false);
  voice.Play(false, true);
  StopAllSounds();
  EXPECT_FALSE(voice.GetEngineSound()->IsPlaying());
  EXPECT_TRUE(Current()->IsPlaying());
  Frames(100);
  EXPECT_TRUE(Current()->IsPlaying());
}

TEST_F(MusicTraced, APieceThatDoesNotLoadIsDroppedWithOneTraceLine) {
  testing::internal::CaptureStderr();
  music.QueueMusic("missing", true);
  music.PlayNext(true);
  const uint32_t idsBefore = Qel::WinSoundManager::Instance()->NextSoundId();
  Frames(100);
  EXPECT_EQ(Qel::WinSoundManager::Instance()->NextSoundId(), idsBefore + 1);  // no sound made since
  EXPECT_EQ(music.GetCurrentMusic(), nullptr);
  EXPECT_EQ(music.GetQueueLength(), 0u);

  // A piece that does not load before others is passed over at once.
  music.QueueMusic("missing", true);
  music.QueueMusic("theme", false);
  music.PlayNext(true);
  EXPECT_EQ(music.GetCurrentName(), "theme");
  EXPECT_TRUE(Current()->IsPlaying());
  const std::string trace = testing::internal::GetCapturedStderr();
  const std::string line = "MusicManager - WARN: music \"missing\" did not load and is dropped\n";
  size_t count = 0;
  for (size_t at = trace.find(line); at != std::string::npos; at = trace.find(line, at + 1)) ++count;
  EXPECT_EQ(count, 2u);
}

TEST_F(Music, StopMusicEndsTheMusicAndEmptiesTheQueue) {
  music.QueueMusic("theme", true);
  music.QueueMusic("calm", false);
  music.QueueMusic("chase", false);
  music.PlayNext(true);
  EXPECT_EQ(music.GetQueueLength(), 2u);
  music.StopMusic();
  EXPECT_EQ(music.GetCurrentMusic(), nullptr);
  EXPECT_EQ(music.GetCurrentName(), "");
  EXPECT_EQ(music.GetQueueLength(), 0u);
  Frames(100);
  EXPECT_EQ(music.GetCurrentMusic(), nullptr);
  EXPECT_EQ(Qel::WinSoundManager::Instance()->GetNumSoundsPlaying(), 0u);

  music.QueueMusic("theme", true);
  music.PlayNext(true);
  music.Shutdown();
  EXPECT_FALSE(music.IsRunning());
  EXPECT_EQ(music.GetCurrentMusic(), nullptr);
}
