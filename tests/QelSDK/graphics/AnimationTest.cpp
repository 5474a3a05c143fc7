// Animations on a hand-set clock: stepping through frames, the play modes, speed, pauses, seeking, their
// tracks, and observers that release the animation while it tells them something.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "AnimationTestSupport.h"
#include "graphics/Animation.h"
#include "graphics/AnimationTrack.h"
#include "graphics/FrameTrack.h"
#include "graphics/NotifyCodes.h"

using animtest::FrameSpec;
using animtest::Log;
using animtest::MakeLoggedTrack;
using animtest::MakeTrack;
using animtest::NotificationLog;
using animtest::SizedSurface;
using animtest::TestClock;
using Qel::Animation;
using Qel::Rect;

namespace {

// An animation with one logged frame track, observed together with its track by one log.
class AnimationFixture : public testing::Test {
protected:
  void Make(const std::vector<int32_t>& durations, int mode) {
    track = MakeLoggedTrack(durations, log);
    animation = std::make_shared<Animation>(&clock, true);
    animation->SetPlayMode(mode);
    animation->AddTrack(0, track, 0);
    animation->AddObserver(&observer);
    track->AddObserver(&observer);
    log.clear();
  }

  // The log since the last call.
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }

  TestClock clock;
  Log log;
  NotificationLog observer{log};
  std::shared_ptr<Qel::FrameTrack> track;
  std::shared_ptr<Animation> animation;
};

// A track that only logs what is asked of it.
class LoggingTrack : public Qel::AnimationTrack {
public:
  LoggingTrack(std::string name, Log& log, int32_t length)
      : AnimationTrack(Qel::MakeNotifyCode("test")), m_name(std::move(name)), m_log(log), m_length(length) {}
  int32_t GetLength() const override { return m_length; }
  void Draw(Qel::DrawingSurface&, const Rect*, const Qel::Point2&) override {
    m_log.push_back("draw " + m_name);
  }
  void OnDetach() override { m_log.push_back("detach " + m_name); }

private:
  std::string m_name;
  Log& m_log;
  int32_t m_length;
};

}  // namespace

TEST_F(AnimationFixture, PlayShowsTheFirstFrameAndTicksFireEveryFramePassed) {
  Make({100, 100, 100}, Animation::kPlayModeStop);
  EXPECT_EQ(animation->GetLength(), 300);
  animation->Play();
  EXPECT_EQ(Take(), (Log{"anim bndc", "fire f0 0 100 0", "fram chng 0", "anim play"}));

  clock.Step(1000);  // the first tick takes the start time
  EXPECT_EQ(Take(), Log{});
  clock.Step(1250);
  EXPECT_EQ(Take(), (Log{"fire f1 100 100 250", "fire f2 200 100 250", "fram chng 2"}));
  EXPECT_EQ(track->GetCurrentFrame(), 2);

  clock.Step(1300);
  EXPECT_EQ(Take(), (Log{"anim stop", "anim bndc", "anim ende"}));
  EXPECT_FALSE(animation->IsPlaying());
  EXPECT_EQ(track->GetCurrentFrame(), -1);
  EXPECT_TRUE(animation->IsRunning());  // until the next tick leaves the list
  clock.Step(1400);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(Take(), Log{});
}

TEST_F(AnimationFixture, TheEndByPlayMode) {
  struct Case {
    int mode;
    Log atEnd;
    Log later;
    bool playing;
  };
  const Case cases[] = {
      {Animation::kPlayModeStop, {"anim stop", "anim bndc", "anim ende"}, {}, false},
      {Animation::kPlayModeHold, {"fire f1 100 100 200", "fram chng 1", "anim stal", "anim ende"}, {}, true},
      // Another value runs to the end without stopping or holding, and so ends again at every tick.
      {5, {"fire f1 100 100 200", "fram chng 1", "anim ende"}, {"anim ende"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Make({100, 100}, c.mode);
    animation->Play();
    clock.Step(1000);
    if (c.mode == Animation::kPlayModeStop) clock.Step(1150);
    Take();
    clock.Step(c.mode == Animation::kPlayModeStop ? 1200 : 1260);
    EXPECT_EQ(Take(), c.atEnd);
    clock.Step(1500);
    EXPECT_EQ(Take(), c.later);
    EXPECT_EQ(animation->IsPlaying(), c.playing);
    if (c.mode == Animation::kPlayModeHold) {
      EXPECT_TRUE(animation->IsHeld());
      EXPECT_EQ(track->GetCurrentFrame(), 1);
      animation->SetPaused(true);  // a held animation ignores pausing
      EXPECT_FALSE(animation->IsPaused());
    }
    animation->Stop();
    clock.Step(1600);
  }
}

TEST_F(AnimationFixture, ALoopWrapsItsStartAndGoesBackToTheFrameOfThePosition) {
  Make({100, 100, 100}, Animation::kPlayModeLoop);
  animation->Play();
  clock.Step(1000);
  clock.Step(1250);
  Take();
  clock.Step(1650);  // position 650: one wrap of 600, position 50
  EXPECT_EQ(Take(), (Log{"anim loop", "fire f0 0 100 50", "fram chng 0"}));
  clock.Step(1700);  // the start now lies at 1600
  EXPECT_EQ(Take(), (Log{"fire f1 100 100 100", "fram chng 1"}));
  EXPECT_TRUE(animation->IsPlaying());
}

TEST_F(AnimationFixture, SpeedScalesTheClockAndOnlyPositiveFactorsCount) {
  Make({100, 100, 100}, Animation::kPlayModeStop);
  for (float ignored : {0.0f, -1.0f, std::nanf("")}) animation->SetSpeed(ignored);
  EXPECT_EQ(animation->GetSpeed(), 1.0f);
  animation->SetSpeed(2.0f);
  animation->Play();
  clock.Step(1000);
  Take();
  clock.Step(1050);
  EXPECT_EQ(Take(), (Log{"fire f1 100 100 100", "fram chng 1"}));
  clock.Step(1150);
  EXPECT_EQ(Take(), (Log{"fire f2 200 100 300", "fram chng 2", "anim stop", "anim bndc", "anim ende"}));
}

TEST_F(AnimationFixture, PausedTimeIsLeftOutOfThePosition) {
  Make({100, 100, 100}, Animation::kPlayModeStop);
  animation->Play();
  clock.Step(1000);
  clock.Step(1050);
  Take();
  animation->SetPaused(true);
  animation->SetPaused(true);  // already paused: no second "paus"
  clock.Step(1250);
  clock.Step(1450);
  animation->SetPaused(false);
  EXPECT_EQ(Take(), (Log{"anim paus", "anim upau"}));
  clock.Step(1590);  // 400 ms paused: position 190
  EXPECT_EQ(Take(), (Log{"fire f1 100 100 190", "fram chng 1"}));
  clock.Step(1600);
  EXPECT_EQ(Take(), (Log{"fire f2 200 100 200", "fram chng 2"}));
  animation->SetPaused(true);
  animation->Play();  // Play on a paused animation resumes it
  EXPECT_FALSE(animation->IsPaused());
}

// Time spent paused is clock time: a loop at another speed than 1 must not scale it when it moves the start.
TEST_F(AnimationFixture, ALoopAtDoubleSpeedAfterAPauseWrapsOnce) {
  Make({100, 100, 100}, Animation::kPlayModeLoop);
  animation->SetSpeed(2.0f);
  animation->Play();
  clock.Step(1000);
  clock.Step(1050);
  animation->SetPaused(true);
  clock.Step(1250);
  clock.Step(1450);
  animation->SetPaused(false);
  Take();
  clock.Step(1600);  // (1600 - 400 - 1000) x 2 = 400: one wrap, position 100
  EXPECT_EQ(Take(), (Log{"anim loop"}));
  clock.Step(1625);  // 150 ms further into the same pass
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(track->GetCurrentFrame(), 1);
  clock.Step(1650);
  EXPECT_EQ(Take(), (Log{"fire f2 200 100 200", "fram chng 2"}));
}

TEST_F(AnimationFixture, PlayFromAFrameShowsItFirstAndRunsOnFromItsStart) {
  Make({100, 100, 100, 100}, Animation::kPlayModeStop);
  animation->Play(2);
  // The seek made frame 2 current before the rewind, which only fires its events.
  EXPECT_EQ(Take(), (Log{"anim bndc", "fire f2 200 100 0", "anim play"}));
  clock.Step(1000);
  EXPECT_EQ(Take(), Log{});
  clock.Step(1100);
  EXPECT_EQ(Take(), (Log{"fire f3 300 100 300", "fram chng 3"}));

  // A seek made before a play that never ticked does not move the next play.
  animation->Stop();
  animation->Play(3);
  animation->Stop();
  animation->Play(0);
  Take();
  clock.Step(1200);
  clock.Step(1250);
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(track->GetCurrentFrame(), 0);
}

TEST_F(AnimationFixture, ASeekIsConsumedByTheNextUpdateWhicheverWayItGoes) {
  Make({100, 100, 100, 100}, Animation::kPlayModeStop);
  animation->Play();
  clock.Step(1000);
  Take();
  track->SeekFrame(1);  // moves the start 100 ms back
  clock.Step(1210);     // position 310
  EXPECT_EQ(Take(), (Log{"fire f2 200 100 310", "fire f3 300 100 310", "fram chng 3"}));
  clock.Step(1220);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(AnimationFixture, AnAnimationLeftWithoutLengthDividesByNothing) {
  struct Case {
    int mode;
    Log afterTick;
    bool playing;
  };
  const Case cases[] = {
      {Animation::kPlayModeLoop, {}, true},
      {Animation::kPlayModeStop, {"anim stop", "anim bndc", "anim ende"}, false},
      {Animation::kPlayModeHold, {"anim stal", "anim ende"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Make({100}, c.mode);
    animation->Play();
    clock.Step(1000);
    EXPECT_TRUE(animation->RemoveTrack(0));
    Take();
    EXPECT_EQ(animation->GetLength(), 0);
    clock.Step(1200);
    clock.Step(1300);
    EXPECT_EQ(Take(), c.afterTick);
    EXPECT_EQ(animation->IsPlaying(), c.playing);
    animation->Stop();
    animation->Play();  // Play with no length does nothing
    EXPECT_FALSE(animation->IsPlaying());
  }
}

TEST(AnimationTracks, LengthFollowsTheLongestTrack) {
  TestClock clock;
  Log log;
  NotificationLog observer(log);
  Animation animation(&clock, true);
  animation.AddObserver(&observer);
  auto shortTrack = MakeTrack({{100}});
  auto longTrack = MakeTrack({{100}, {150}});
  EXPECT_TRUE(animation.AddTrack(0, shortTrack, 0));
  EXPECT_TRUE(animation.AddTrack(1, longTrack, 0));
  EXPECT_FALSE(animation.AddTrack(2, longTrack, 0));  // the same track object again
  EXPECT_FALSE(animation.AddTrack(-1, MakeTrack({{10}}), 0));
  EXPECT_FALSE(animation.AddTrack(3, nullptr, 0));
  longTrack->AddFrame(-1, 50, {});  // a held track that grows tells its animation
  EXPECT_EQ(log, (Log{"anim durc 100", "anim durc 250", "anim durc 300"}));
  log.clear();

  EXPECT_TRUE(animation.RemoveTrack(longTrack.get()));
  EXPECT_EQ(longTrack->GetAnimation(), nullptr);
  // Its bounds, empty, were not strictly inside the animation's.
  EXPECT_EQ(log, (Log{"anim bndc", "anim durc 100"}));
  EXPECT_FALSE(animation.RemoveTrack(longTrack.get()));
  EXPECT_EQ(animation.FindTrack(0), shortTrack.get());
  EXPECT_EQ(animation.GetFirstTrack(), shortTrack.get());
  log.clear();
  animation.RemoveAllTracks();
  EXPECT_EQ(log, (Log{"anim durc 0"}));
  EXPECT_EQ(shortTrack->GetAnimation(), nullptr);
}

TEST(AnimationTracks, AReplacedTrackIsDetachedAndItsIdDrawnOnce) {
  TestClock clock;
  Log log;
  Animation animation(&clock, true);
  auto first = std::make_shared<LoggingTrack>("first", log, 100);
  auto second = std::make_shared<LoggingTrack>("second", log, 100);
  auto top = std::make_shared<LoggingTrack>("top", log, 100);
  auto moved = std::make_shared<LoggingTrack>("moved", log, 100);
  ASSERT_TRUE(animation.AddTrack(5, top, 3));
  ASSERT_TRUE(animation.AddTrack(1, first, 1));
  ASSERT_TRUE(animation.AddTrack(1, second, 1));
  EXPECT_EQ(log, (Log{"detach first"}));
  EXPECT_EQ(first->GetAnimation(), nullptr);
  EXPECT_EQ(animation.FindTrack(1), second.get());
  // Replacing under another layer moves the id there.
  ASSERT_TRUE(animation.AddTrack(7, std::make_shared<LoggingTrack>("old", log, 100), 0));
  ASSERT_TRUE(animation.AddTrack(7, moved, 9));
  log.clear();

  SizedSurface target(10, 10);
  animation.Draw(target, nullptr, Qel::Point2());
  EXPECT_EQ(log, Log{});  // only while playing
  animation.Play();
  animation.Draw(target, nullptr, Qel::Point2());
  EXPECT_EQ(log, (Log{"draw second", "draw top", "draw moved"}));
}

TEST(AnimationTracks, BoundsAreTheUnionOfTheFramesShown) {
  TestClock clock;
  Animation animation(&clock, true);
  auto big = std::make_shared<SizedSurface>(40, 30);
  auto small = std::make_shared<SizedSurface>(10, 10);
  animation.AddTrack(0, MakeTrack({{100, big, Qel::Point2(-5, -5)}, {100, small, Qel::Point2(2, 3)}}), 0);
  animation.AddTrack(1, MakeTrack({{200, small, Qel::Point2(50, 0)}}), 2);
  EXPECT_EQ(animation.GetBounds(), Rect());
  animation.Play();
  EXPECT_EQ(animation.GetBounds(), Rect(-5, -5, 60, 25));
  clock.Step(1000);
  clock.Step(1100);
  EXPECT_EQ(animation.GetBounds(), Rect(2, 0, 60, 13));

  // Stopped and played again from another frame: the union is taken afresh, not kept from before.
  Animation single(&clock, true);
  single.AddTrack(0, MakeTrack({{100, big, Qel::Point2(-5, -5)}, {100, small, Qel::Point2(2, 3)}}), 0);
  single.Play();
  EXPECT_EQ(single.GetBounds(), Rect(-5, -5, 35, 25));
  single.Stop();
  single.Play(1);
  EXPECT_EQ(single.GetBounds(), Rect(2, 3, 12, 13));
}

TEST(AnimationRelease, AnObserverMayReleaseTheAnimationInsideAnyNotification) {
  const char* events[] = {"play", "bndc", "chng", "loop", "stop", "ende", "stal", "paus"};
  for (const char* released : events) {
    SCOPED_TRACE(released);
    TestClock clock;
    Log log;
    NotificationLog observer(log);
    auto track = MakeLoggedTrack({100, 100}, log);
    auto animation = std::make_shared<Animation>(&clock, true);
    const std::string code = released;
    animation->SetPlayMode(code == "loop"   ? Animation::kPlayModeLoop
                           : code == "stal" ? Animation::kPlayModeHold
                                            : Animation::kPlayModeStop);
    animation->AddTrack(0, track, 0);
    animation->AddObserver(&observer);
    track->AddObserver(&observer);
    std::weak_ptr<Animation> watched = animation;
    observer.m_action = [&](uint32_t, uint32_t event) {
      if (animtest::CodeText(event) == code) {
        track.reset();
        animation.reset();
      }
    };
    Animation* raw = animation.get();
    raw->Play();
    if (code == "paus" && animation) animation->SetPaused(true);
    for (uint32_t t = 1000; t <= 1500 && animation; t += 150) clock.Step(t);
    if (code == "stop" && animation) animation->Stop();
    EXPECT_TRUE(watched.expired());
    clock.Step(2000);
  }
}
