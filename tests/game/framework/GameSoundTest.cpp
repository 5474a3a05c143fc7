// Game sounds over the pull-mode mixer: their names in the sound events, pausing, deletion, and
// StopAllSounds sparing the music's channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/CCSound.h"
#include "framework/GameSound.h"
#include "framework/MusicManager.h"
#include "framework/StopAllSounds.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"

namespace {

using Qel::EventId::SoundFinished;
using Qel::EventId::SoundStarted;

class GameSounds : public testing::Test {
protected:
  void SetUp() override {
    stage.AddWave("tone", test::Tone(200));
    stage.AddWave("long", test::Tone(2000));
  }

  test::SoundStage stage;
  test::SoundEventLog log;
};

}  // namespace

TEST_F(GameSounds, SoundsFromOneFileTellOfThemselvesUnderTheirOwnNames) {
  GameSound door("door", "tone", true, false);
  GameSound bell("bell", "tone", true, false);
  ASSERT_NE(door.GetEngineSound(), nullptr);
  EXPECT_EQ(door.GetEngineSound()->GetId(), "door");
  EXPECT_EQ(door.GetEngineSound()->GetName(), "tone");
  EXPECT_EQ(door.GetEngineSound()->GetChannel(), -1);
  door.Play(false, true);
  bell.Play(false, true);
  EXPECT_EQ(log.Of(SoundStarted), (std::vector<std::string>{"door", "bell"}));
  stage.Run(300);
  EXPECT_EQ(log.Of(SoundFinished), (std::vector<std::string>{"door", "bell"}));
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class GameSoundTrace : public GameSounds {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

TEST_F(GameSoundTrace, TheStartTraceNamesTheFileOfASoundNamedOtherwise) {
  GameSound effect("sfx", "tone", true, false);
  GameSound line("tone", "tone", true, false);
  testing::internal::CaptureStderr();
  effect.Play(false, true);
  line.Play(false, true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "INFO: Sound 'sfx' starts (file 'tone').\nINFO: Sound 'tone' starts.\n");
}

TEST_F(GameSounds, PlayLoopsOrRestartsAsAsked) {
  GameSound sound("hum", "tone", true, false);
  sound.Play(true, true);
  stage.Run(500);
  EXPECT_TRUE(sound.GetEngineSound()->IsPlaying());
  sound.Play(false, true);
  EXPECT_EQ(sound.GetEngineSound()->GetPositionMs(), 0u);
  stage.Run(300);
  EXPECT_FALSE(sound.GetEngineSound()->IsPlaying());
}

TEST_F(GameSounds, PauseAndResumeAnswerByTheSoundsState) {
  GameSound pausable("pausable", "long", true, false);
  GameSound fixed("fixed", "long", false, false);
  EXPECT_FALSE(pausable.Pause());  // not playing
  EXPECT_FALSE(pausable.Resume());
  pausable.Play(false, true);
  fixed.Play(false, true);
  stage.Run(100);

  EXPECT_TRUE(pausable.Pause());
  EXPECT_TRUE(pausable.GetEngineSound()->IsPaused());
  EXPECT_TRUE(pausable.Pause());  // already paused: nothing to do
  EXPECT_FALSE(fixed.Pause());
  EXPECT_TRUE(fixed.GetEngineSound()->IsPlaying());
  EXPECT_FALSE(fixed.Resume());

  stage.Run(500);
  EXPECT_TRUE(pausable.Resume());
  EXPECT_FALSE(pausable.Resume());
  EXPECT_TRUE(pausable.GetEngineSound()->IsPlaying());
  EXPECT_TRUE(log.Of(SoundFinished).empty());
}

TEST_F(GameSounds, DeletingAGameSoundStopsItsSound) {
  auto sound = std::make_unique<GameSound>("gone", "long", true, false);
  sound->Play(true, true);
  stage.Run(50);
  sound.reset();
  stage.Run(10);
  EXPECT_EQ(log.Of(SoundFinished), std::vector<std::string>{"gone"});
  EXPECT_EQ(Qel::WinSoundManager::Instance()->GetNumSoundsPlaying(), 0u);
}

TEST_F(GameSounds, ACaptionedSoundKeepsItsCaptionLine) {
  CCSound line("line", "tone", nullptr, 42, true, false);
  EXPECT_EQ(line.GetCaption(), nullptr);
  EXPECT_EQ(line.GetCaptionNumber(), 42u);
  EXPECT_EQ(line.GetEngineSound()->GetId(), "line");
}

TEST_F(GameSounds, StopAllSoundsSparesTheMusicsChannelAndTellsOfTheRestAtOnce) {
  GameSound a("a", "long", true, false);
  GameSound b("b", "long", true, false);
  GameSound music("music", "long", false, false, MusicManager::kMusicChannel);
  a.Play(true, true);
  b.Play(true, true);
  music.Play(true, true);
  ASSERT_EQ(music.GetEngineSound()->GetChannel(), 63);
  StopAllSounds();
  EXPECT_EQ(log.Of(SoundFinished), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(a.GetEngineSound()->IsPlaying());
  EXPECT_TRUE(music.GetEngineSound()->IsPlaying());
  EXPECT_EQ(music.GetEngineSound()->GetChannel(), 63);
  EXPECT_EQ(Qel::WinSoundManager::Instance()->GetNumSoundsPlaying(), 1u);
}
