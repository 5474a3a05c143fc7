// Frame events: random pauses of the whole animation, sound triggers posted as events, and sound events.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "AnimationTestSupport.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "graphics/Animation.h"
#include "graphics/FramePauseEvent.h"
#include "graphics/FrameSoundEvent.h"
#include "graphics/FrameSoundTriggerEvent.h"
#include "graphics/FrameTrack.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"
#include "sound/WinSoundManager.h"
#include "support/SoundStage.h"

using animtest::FrameSpec;
using animtest::Log;
using animtest::LoggingEvent;
using animtest::MakeTrack;
using animtest::TestClock;
using Qel::Animation;
using Qel::FramePauseEvent;

namespace {

// Frames of 100 ms, each firing a logging event "f<i>"; the frame given also pauses between the minimum
// and the maximum, its pause event after its logging one.
class PauseFixture : public testing::Test {
protected:
  void Make(int frames, int pausingFrame, int16_t minimum, int16_t maximum) {
    track = std::make_shared<Qel::FrameTrack>();
    for (int i = 0; i < frames; ++i) {
      Qel::FrameTrack::FrameRecord record;
      record.m_events.push_back(std::make_shared<LoggingEvent>("f" + std::to_string(i), log));
      if (i == pausingFrame) {
        pause = std::make_shared<FramePauseEvent>(track.get(), minimum, maximum);
        record.m_events.push_back(pause);
      }
      track->AddFrame(-1, 100, record);
    }
    animation = std::make_shared<Animation>(&clock, true);
    animation->AddTrack(0, track, 0);
    animation->Play();
    clock.Step(1000);
    log.clear();
  }

  TestClock clock;
  Log log;
  std::shared_ptr<Qel::FrameTrack> track;
  std::shared_ptr<FramePauseEvent> pause;
  std::shared_ptr<Animation> animation;
};

class EventLog : public Qel::IEventListener {
public:
  void HandleEvent(int kind, int id, void* data) override {
    m_log.push_back(std::to_string(kind) + " " + std::to_string(id) + " " + *static_cast<std::string*>(data));
  }
  Log m_log;
};

}  // namespace

TEST_F(PauseFixture, APauseLastsBetweenItsMinimumAndMaximumInclusive) {
  plat::win::srand(7);
  Make(3, 1, 200, 500);
  int shortest = 1000;
  int longest = 0;
  for (int i = 0; i < 2000; ++i) {
    ASSERT_TRUE(pause->Fire(100, 100, 100));
    ASSERT_TRUE(animation->IsPaused());
    const int wait = static_cast<int>(pause->GetResumeTime() - animation->GetTime());
    shortest = std::min(shortest, wait);
    longest = std::max(longest, wait);
    animation->SetPaused(false);
  }
  EXPECT_EQ(shortest, 200);
  EXPECT_EQ(longest, 500);
}

TEST_F(PauseFixture, NoRangeOrNoAnimationMeansNoPause) {
  Make(3, 1, 200, 200);
  EXPECT_FALSE(pause->Fire(100, 100, 100));
  EXPECT_FALSE(pause->IsRunning());
  FramePauseEvent orphan(nullptr, 10, 20);
  EXPECT_FALSE(orphan.Fire(0, 100, 0));
  Qel::FrameTrack loose;
  FramePauseEvent detached(&loose, 10, 20);
  EXPECT_FALSE(detached.Fire(0, 100, 0));
  EXPECT_FALSE(animation->IsPaused());
}

TEST_F(PauseFixture, AFrameReachedLateStartsItsPauseAtTheFrameStart) {
  Make(3, 1, 200, 201);
  clock.Step(1130);  // frame 1, reached 30 ms late
  EXPECT_EQ(log, (Log{"fire f1 100 100 130"}));
  ASSERT_TRUE(animation->IsPaused());
  const uint32_t resume = pause->GetResumeTime();
  ASSERT_TRUE(resume == 1330 || resume == 1331);
  log.clear();
  clock.Step(1200);
  clock.Step(resume - 1);
  EXPECT_TRUE(animation->IsPaused());
  clock.Step(resume);
  EXPECT_FALSE(animation->IsPaused());
  EXPECT_FALSE(pause->IsRunning());
  clock.Step(resume + 99);  // the frame's full duration after the pause, less 1
  EXPECT_EQ(log, Log{});
  clock.Step(resume + 100);
  EXPECT_EQ(log, (Log{"fire f2 200 100 200"}));
}

TEST_F(PauseFixture, ATickPassingSeveralFramesStopsAtThePausingOne) {
  Make(4, 1, 50, 51);
  clock.Step(1350);
  EXPECT_EQ(log, (Log{"fire f1 100 100 350"}));
  EXPECT_EQ(track->GetCurrentFrame(), 1);
  log.clear();
  // Paused from outside as well: the pause event still resumes it at its time.
  animation->SetPaused(true);
  const uint32_t resume = pause->GetResumeTime();
  clock.Step(resume);
  EXPECT_FALSE(animation->IsPaused());
  clock.Step(resume + 100);
  EXPECT_EQ(log, (Log{"fire f2 200 100 200"}));
}

TEST(FrameSoundTrigger, PostsItsNameAsAFrameSoundEvent) {
  Qel::FrameSoundTriggerEvent trigger("bump");
  EXPECT_FALSE(trigger.Fire(0, 100, 0));  // no event manager: nothing posted, none made
  EXPECT_FALSE(Qel::EventManager::Exists());

  EventLog listener;
  Qel::EventManager::GetInstance()->AddListener(Qel::kEventFrameSound, &listener);
  EXPECT_FALSE(trigger.Fire(0, 100, 0));
  Qel::FrameSoundTriggerEvent nameless("");
  EXPECT_FALSE(nameless.Fire(0, 100, 0));
  EXPECT_EQ(listener.m_log, (Log{"3 0 bump"}));
  Qel::EventManager::DestroyInstance();
}

TEST(FrameSound, PlaysItsSoundThroughTheSoundManagerWithoutRestartingIt) {
  test::SoundStage stage;
  stage.AddWave("step", test::Tone(500));
  auto sound = std::make_shared<Qel::Sound>("step", false, -1);
  Qel::FrameSoundEvent event(sound);
  EXPECT_EQ(event.GetSoundName(), "step");
  EXPECT_FALSE(event.Fire(0, 100, 0));  // never stops the track
  EXPECT_TRUE(sound->IsPlaying());
  EXPECT_GE(sound->GetChannel(), 0);
  stage.Render(test::SoundStage::FramesOf(100));
  const uint32_t position = sound->GetPositionMs();
  EXPECT_GT(position, 0u);
  EXPECT_FALSE(event.Fire(100, 100, 100));  // the frame comes round again while it still sounds
  EXPECT_EQ(sound->GetPositionMs(), position);

  Qel::FrameSoundEvent silent(nullptr);
  EXPECT_FALSE(silent.Fire(0, 100, 0));
  EXPECT_EQ(silent.GetSoundName(), "");
  EXPECT_EQ(Qel::WinSoundManager::Instance()->GetNumSoundsPlaying(), 1u);
}
