// The character animator over a body and a head of a directory database: poses from text data,
// the body's frame carried between its poses, the mouth following the line, the bob, move events,
// and animators without a body or a head.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/CharacterAnimator.h"
#include "framework/GameEvents.h"
#include "framework/LipSyncSound.h"
#include "framework/LipSyncTrack.h"
#include "framework/NPC.h"
#include "framework/TalkingHead.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/Random.h"
#include "support/ObjectStage.h"
#include "support/SoundStage.h"

namespace {

// Animations 0 to 6 of four 100 ms frames, all looping but the move 5, which stops.
fixture::SpriteFile BodySprite() {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(20, 20, test::kStageRed)};
  for (int i = 0; i < 7; ++i) {
    fixture::SpriteFileAnimation animation;
    animation.m_playMode = i == 5 ? 0 : 2;
    animation.m_frames.assign(4, fixture::SpriteFileFrame());
    file.m_animations.push_back(animation);
  }
  return file;
}

// Sixteen mouth shapes of one frame each.
fixture::SpriteFile HeadSprite() {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(10, 10, test::kStageBlue)};
  fixture::SpriteFileAnimation shape;
  shape.m_frames = {fixture::SpriteFileFrame()};
  file.m_animations.assign(16, shape);
  return file;
}

// A track of count entries of msPerShape, shape i % 8 at entry i.
std::string Track(uint32_t count, float msPerShape) {
  std::string bytes = test::U32(LipSyncTrack::kMagic) + test::U32(count);
  uint32_t bits = 0;
  std::memcpy(&bits, &msPerShape, sizeof bits);
  bytes += test::U32(bits);
  for (uint32_t i = 0; i < count; ++i) bytes.push_back(static_cast<char>(i % 8));
  return bytes;
}

class CharacterLog : public Qel::IEventListener {
public:
  CharacterLog() { Qel::EventManager::GetInstance()->AddListener(kEventCharacter, this); }
  ~CharacterLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  CharacterLog(const CharacterLog&) = delete;
  CharacterLog& operator=(const CharacterLog&) = delete;
  void HandleEvent(int, int id, void* data) override { events.emplace_back(id, data); }
  std::vector<std::pair<int, void*>> events;
};

class Animator : public testing::Test {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }

  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    body.SetPosition(100, 200);
    head.SetPosition(-50, -50);
  }

  // Before the objects, which load their sprites at once.
  bool AddContent() {
    stage.AddSprite("body", BodySprite());
    stage.AddSprite("head", HeadSprite());
    stage.AddFile("line.wav", test::Tone(1000));
    stage.AddFile("line.snc", Track(40, 50.0f));
    stage.AddText("poses",
                  "idleDefault = 3, 4\nIDLELISTENING = 7 8\nidleTalking = 10, -5\nswimInNW = 1, 2\n"
                  "unknown = 9, 9\n");
    return true;
  }

  static Qel::Point2 At(const GenericObject& object) {
    return Qel::Point2(static_cast<int32_t>(object.GetX()), static_cast<int32_t>(object.GetY()));
  }
  bool HeadShown() const { return head.GetSprite()->IsShown(); }

  test::SoundStage sound;
  test::ObjectStage stage;
  bool m_contentAdded = AddContent();
  NPC body{"body", "body"};
  TalkingHead head{"head", "head"};
};

}  // namespace

TEST_F(Animator, PosesFromTextDataPlaceTheBodyAndTheTalkingHead) {
  CharacterAnimator animator(&body, &head, "poses", 0, 0);
  EXPECT_EQ(animator.GetState(), CharacterAnimator::kIdle);
  EXPECT_EQ(animator.GetPose(20), Qel::Point2(1, 2));
  EXPECT_EQ(animator.GetPose(1), Qel::Point2(0, 0));
  EXPECT_EQ(body.GetAnimationId(), 0u);
  EXPECT_EQ(At(body), Qel::Point2(103, 204));
  EXPECT_FALSE(HeadShown());

  LipSyncSound line("hello", "line", nullptr, 1, true, false);
  animator.Talk(&line, 0);
  EXPECT_EQ(animator.GetState(), CharacterAnimator::kTalking);
  EXPECT_EQ(body.GetAnimationId(), 4u);
  EXPECT_EQ(At(body), Qel::Point2(110, 195));
  EXPECT_EQ(At(head), Qel::Point2(110, 195));
  EXPECT_TRUE(HeadShown());
  EXPECT_TRUE(line.GetEngineSound()->IsPlaying());

  animator.StopTalking(1);
  EXPECT_EQ(animator.GetState(), CharacterAnimator::kListening);
  EXPECT_FALSE(line.GetEngineSound()->IsPlaying());
  EXPECT_EQ(animator.GetSound(), nullptr);
  EXPECT_EQ(body.GetAnimationId(), 3u);
  EXPECT_EQ(At(body), Qel::Point2(107, 208));
  EXPECT_FALSE(HeadShown());

  // A new base position is taken at the next pose only.
  animator.SetOffset(0, 0);
  EXPECT_EQ(At(body), Qel::Point2(107, 208));
  animator.PlayMove(20, 1, 2);
  EXPECT_EQ(animator.GetState(), CharacterAnimator::kMoving);
  EXPECT_EQ(At(body), Qel::Point2(1, 2));
}

TEST_F(Animator, TheBodysFrameCarriesOverBetweenPosesAndAMoveStartsAtItsFirst) {
  CharacterAnimator animator(&body, &head, "poses", 0, 0);
  LipSyncSound line("hello", "line", nullptr, 1, true, false);
  // An animation's clock starts at its first tick.
  test::ObjectStage::Tick(0);
  test::ObjectStage::Tick(250);
  ASSERT_EQ(body.GetCurrentFrame(), 2);

  // Idle while idle starts nothing again.
  animator.Idle();
  EXPECT_EQ(body.GetCurrentFrame(), 2);

  animator.Talk(&line, 0);
  EXPECT_EQ(body.GetAnimationId(), 4u);
  EXPECT_EQ(body.GetCurrentFrame(), 2);
  test::ObjectStage::Tick(0);
  test::ObjectStage::Tick(100);
  ASSERT_EQ(body.GetCurrentFrame(), 3);
  animator.Listen();
  EXPECT_EQ(body.GetAnimationId(), 3u);
  EXPECT_EQ(body.GetCurrentFrame(), 3);
  animator.Idle();
  EXPECT_EQ(body.GetAnimationId(), 0u);
  EXPECT_EQ(body.GetCurrentFrame(), 3);

  animator.PlayMove(6, 0, 0);
  EXPECT_EQ(body.GetAnimationId(), 6u);
  EXPECT_EQ(body.GetCurrentFrame(), 0);
  test::ObjectStage::Tick(0);
  test::ObjectStage::Tick(150);
  ASSERT_EQ(body.GetCurrentFrame(), 1);
  // From a move every pose starts afresh.
  animator.Talk(&line, 0);
  EXPECT_EQ(body.GetCurrentFrame(), 0);
}

TEST_F(Animator, TheMouthFollowsTheLineInEitherHeadAndTheLinesEndMakesTheCharacterIdle) {
  CharacterAnimator animator(&body, &head, "poses", 0, 0);
  for (uint8_t variant : {0, 1}) {
    SCOPED_TRACE(variant);
    LipSyncSound line("hello", "line", nullptr, 1, true, false);
    animator.Talk(&line, variant);
    const uint32_t offset = variant ? 8 : 0;
    EXPECT_EQ(head.GetAnimationId(), offset);
    std::vector<uint32_t> seen;
    for (int frame = 0; frame < 6; ++frame) {
      sound.Render(test::SoundStage::FramesOf(60));
      test::ObjectStage::Tick(60);
      animator.Update();
      EXPECT_EQ(head.GetAnimationId(), static_cast<uint32_t>(line.GetMouthShape()) + offset);
      seen.push_back(head.GetAnimationId());
    }
    EXPECT_GT(seen.back(), seen.front());

    // Another line's end changes nothing; this one's makes the character idle.
    LipSyncSound other("other", "line", nullptr, 2, true, false);
    animator.OnSoundFinished(&other);
    EXPECT_EQ(animator.GetState(), CharacterAnimator::kTalking);
    animator.OnSoundFinished(&line);
    EXPECT_EQ(animator.GetState(), CharacterAnimator::kIdle);
    EXPECT_EQ(animator.GetSound(), nullptr);
    EXPECT_FALSE(HeadShown());
  }
}

TEST_F(Animator, TheBobStepsOnceMoreThan100MsHavePassedAndTurnsAtItsEnds) {
  CharacterAnimator animator(&body, &head, "poses", 0, 0);
  animator.SetBobbing(1);
  test::ObjectStage::Tick(100);
  animator.Update();
  ASSERT_EQ(animator.GetBobOffset(), 1.0f);
  const float expected[] = {2, 3, 2.5f, 2, 1.5f, 1, 0.5f, 0, -0.5f, -1, -1.5f, -2, -2.5f, -2, -1.5f};
  float previous = 1.0f;
  for (float offset : expected) {
    SCOPED_TRACE(offset);
    test::ObjectStage::Tick(100);
    animator.Update();
    EXPECT_EQ(animator.GetBobOffset(), previous);
    test::ObjectStage::Tick(1);
    animator.Update();
    EXPECT_EQ(animator.GetBobOffset(), offset);
    EXPECT_EQ(body.GetY(), 204 + offset);
    EXPECT_EQ(head.GetY(), -50 + offset);
    previous = offset;
  }

  // A move bobs on only until the offset is back inside (-1, 1).
  animator.PlayMove(5, 0, 0);
  std::vector<float> moving;
  for (int step = 0; step < 4; ++step) {
    test::ObjectStage::Tick(101);
    animator.Update();
    moving.push_back(animator.GetBobOffset());
  }
  EXPECT_EQ(moving, std::vector<float>({-1.0f, -0.5f, -0.5f, -0.5f}));
}

TEST_F(Animator, ABobbingCharacterStartsAtARandomOffsetAndIsLiftedByItWhenTurnedOnAgain) {
  // A seed whose first draw is not a multiple of 10.
  unsigned seed = 1;
  for (;; ++seed) {
    plat::win::srand(seed);
    if (plat::win::rand() % 10 != 0) break;
  }
  plat::win::srand(seed);
  const float start = static_cast<float>(plat::win::rand() % 10) * 0.225f;
  plat::win::srand(seed);
  CharacterAnimator animator(&body, &head, "poses", 0, 1);
  ASSERT_EQ(animator.GetBobOffset(), start);
  EXPECT_EQ(body.GetY(), 204 + animator.GetBobOffset());

  const float offset = animator.GetBobOffset();
  animator.SetBobbing(1);  // on already: stays where it is
  EXPECT_EQ(body.GetY(), 204 + offset);
  animator.SetBobbing(0);
  animator.SetBobbing(1);
  EXPECT_EQ(body.GetY(), 204.0f);
  EXPECT_EQ(head.GetY(), -50 - offset);
}

TEST_F(Animator, OnlyTheBodysMoveEndsAndLoopsArePosted) {
  CharacterLog log;
  CharacterAnimator animator(&body, &head, "poses", 0, 0);
  animator.OnAnimationEnded(&body);
  animator.OnAnimationLooped(&body);
  animator.PlayMove(5, 0, 0);
  animator.OnAnimationEnded(&head);
  animator.OnAnimationEnded(nullptr);
  EXPECT_TRUE(log.events.empty());
  animator.OnAnimationEnded(&body);
  animator.OnAnimationLooped(&body);
  EXPECT_EQ(log.events, (std::vector<std::pair<int, void*>>{{EventId::CharacterMoveEnded, &body},
                                                            {EventId::CharacterMoveLooped, &body}}));
}

TEST_F(Animator, WithoutABodyNothingMovesAndWithoutAHeadNothingIsSaid) {
  LipSyncSound line("hello", "line", nullptr, 1, true, false);
  {
    testing::internal::CaptureStderr();
    CharacterAnimator animator(nullptr, &head, "poses", 0, 1);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace.rfind("WARN: ", 0), 0u) << trace;
    animator.Talk(&line, 1);
    animator.SetBobbing(1);
    for (int frame = 0; frame < 3; ++frame) {
      test::ObjectStage::Tick(101);
      animator.Update();
    }
    animator.Listen();
    animator.PlayMove(5, 1, 1);
    animator.OnAnimationEnded(nullptr);
    animator.StopTalking(0);
    EXPECT_FALSE(line.GetEngineSound()->IsPlaying());
    EXPECT_EQ(At(head), Qel::Point2(-50, -50));
    EXPECT_EQ(animator.GetBobOffset(), 0.0f);
  }
  CharacterAnimator animator(&body, nullptr, "poses", 0, 0);
  animator.Talk(&line, 0);
  EXPECT_EQ(animator.GetState(), CharacterAnimator::kIdle);
  EXPECT_FALSE(line.GetEngineSound()->IsPlaying());
  animator.Talk(nullptr, 0);
  animator.Listen();
  EXPECT_EQ(At(body), Qel::Point2(107, 208));
}

TEST_F(Animator, MissingPosesLeaveEveryPoseAtTheBasePosition) {
  testing::internal::CaptureStderr();
  CharacterAnimator animator(&body, &head, "nosuchposes", 0, 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("WARN: "), std::string::npos);
  EXPECT_EQ(At(body), Qel::Point2(100, 200));
  CharacterAnimator unnamed(&body, &head, nullptr, 0, 0);
  EXPECT_EQ(At(body), Qel::Point2(100, 200));
}
