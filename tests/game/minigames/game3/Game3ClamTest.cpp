// The clams on the generated content: a press and a release as the player makes them, the sustain
// that takes over before the attack ends, a release that comes first, presses that do not count, a
// clam without its object, and attacks too short for the overlap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game3Stage.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "game3/Game3Clam.h"
#include "sound/Sound.h"

namespace {

using Names = std::vector<std::string>;

bool IsPlaying(const GameSound* sound) {
  return sound && sound->GetEngineSound() && sound->GetEngineSound()->IsPlaying();
}

bool IsClamSound(const std::string& name) {
  return name.rfind("clam", 0) == 0;
}

class Game3Clams : public test::Game3Stage {
protected:
  void SetUp() override {
    Game3Stage::SetUp();
    Start();
    SkipIntro();
    m_clam = m_node->GetClam(2);
    ASSERT_NE(m_clam, nullptr);
    m_clam->SetSounds("TM_s1_clam2_attack", "TM_s1_clam2_sustain", "TM_s1_clam2_decay");
    m_at = CentreOf("clam2_button");
    ClearSounds();
  }

  void Press() {
    MouseAt(EventId::MouseDown, m_at.X(), m_at.Y());
    Frame(10);
  }
  void Release() {
    MouseAt(EventId::MouseUp, m_at.X(), m_at.Y());
    Frame(10);
  }

  Game3Node::Clam* m_clam = nullptr;
  Qel::Point2 m_at;
};

TEST_F(Game3Clams, AHeldClamSustainsFromJustBeforeItsAttackEndsUntilItIsReleased) {
  Press();
  EXPECT_EQ(m_clam->GetState(), Game3Node::Clam::kHeld);
  EXPECT_EQ(AnimationOf("clam2"), 1u);
  EXPECT_TRUE(IsPlaying(m_clam->GetAttackSound()));
  // The attack is 200 ms long: the sustain starts 50 ms before it ends, while it still sounds.
  EXPECT_EQ(m_clam->GetTimer().GetDuration(), 150u);
  Frames(6, 20);
  EXPECT_FALSE(IsPlaying(m_clam->GetSustainSound()));
  Frames(2, 20);
  EXPECT_TRUE(IsPlaying(m_clam->GetSustainSound()));
  EXPECT_TRUE(IsPlaying(m_clam->GetAttackSound()));
  // It loops for as long as the clam is held.
  Frames(40, 20);
  EXPECT_TRUE(IsPlaying(m_clam->GetSustainSound()));
  Release();
  EXPECT_EQ(m_clam->GetState(), Game3Node::Clam::kReleased);
  EXPECT_EQ(AnimationOf("clam2"), 3u);
  EXPECT_FALSE(IsPlaying(m_clam->GetSustainSound()));
  EXPECT_TRUE(IsPlaying(m_clam->GetDecaySound()));
  EXPECT_EQ(Started(IsClamSound),
            Names({"clam2_sound_attack", "clam2_sound_sustain", "clam2_sound_decay"}));
}

TEST_F(Game3Clams, AReleaseBeforeTheSustainPlaysTheDecayAndTheSustainNeverStarts) {
  Press();
  Frames(3, 20);
  Release();
  Frames(30, 20);
  EXPECT_EQ(Started(IsClamSound), Names({"clam2_sound_attack", "clam2_sound_decay"}));
  EXPECT_FALSE(m_clam->GetTimer().IsActive());
}

TEST_F(Game3Clams, ASecondPressWhileHeldAndAReleaseWhileIdleDoNothing) {
  Release();
  EXPECT_EQ(m_clam->GetState(), Game3Node::Clam::kIdle);
  Press();
  Press();
  EXPECT_EQ(m_clam->GetPressCount(), 1);
  Release();
  Release();
  EXPECT_EQ(Started(IsClamSound), Names({"clam2_sound_attack", "clam2_sound_decay"}));
  // A press elsewhere presses no clam; another clam's button presses only that clam.
  MouseAt(EventId::MouseDown, 400, 300);
  Frame(10);
  EXPECT_EQ(m_clam->GetPressCount(), 0);
  const Qel::Point2 other = CentreOf("clam5_button");
  MouseAt(EventId::MouseDown, other.X(), other.Y());
  Frame(10);
  EXPECT_EQ(m_node->GetClam(5)->GetPressCount(), 1);
  EXPECT_EQ(m_clam->GetPressCount(), 0);
}

TEST_F(Game3Clams, AClamWithoutObjectOrWithoutAllThreeSoundsStillPlaysOrStaysSilent) {
  Game3Node::Clam loose(6, nullptr);
  loose.SetSounds("TM_s1_clam6_attack", "TM_s1_clam6_sustain", "TM_s1_clam6_decay");
  loose.Press();
  loose.Release();
  EXPECT_FALSE(loose.HitTest(0, 0));
  Frame(10);
  EXPECT_EQ(Started(IsClamSound), Names({"clam6_sound_attack", "clam6_sound_decay"}));

  loose.SetSounds("TM_s1_clam6_attack", nullptr, "TM_s1_clam6_decay");
  EXPECT_EQ(loose.GetAttackSound(), nullptr);
  loose.Press();
  EXPECT_EQ(loose.GetState(), Game3Node::Clam::kHeld);
  EXPECT_FALSE(loose.GetTimer().IsActive());
}

TEST_F(Game3Clams, AnAttackNoLongerThanTheOverlapStartsTheSustainAtTheNextUpdate) {
  // The shortest sounds of the content: the 150 ms click sounds, cut here to 40 ms by a clam of its
  // own whose attack is the 200 ms attack played with the timer's shortest wait.
  for (const char* attack : {"TM_change_drumbeat", "TM_s1_clam2_attack"}) {
    SCOPED_TRACE(attack);
    m_clam->SetSounds(attack, "TM_s1_clam2_sustain", "TM_s1_clam2_decay");
    Press();
    EXPECT_GE(m_clam->GetTimer().GetDuration(), 1u);
    EXPECT_LT(m_clam->GetTimer().GetDuration(), 1000u);
    Frames(10, 20);
    EXPECT_TRUE(IsPlaying(m_clam->GetSustainSound()));
    Release();
  }
}

}  // namespace
