// The hub's scrolling on the generated content: the speed at each pointer column, the wrap at both ends
// of the panorama, the strips that pass faster, the bottom band, the view held still while a fish
// talks or swims across or the arrival lock holds, the two panels under the view; the cast's swims
// step by step and the swap of sides; the bubbles' phases and their limit of twenty.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "HubStage.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/GameClock.h"
#include "framework/MouseCursor.h"
#include "framework/Player.h"
#include "frontend/CHubHud.h"
#include "frontend/HubActor.h"
#include "frontend/MouseBubbles.h"
#include "platform/win/kernel/Random.h"

namespace {

class HubScroll : public test::HubStage {
protected:
  // Where the pointer rests between the test's steps: over no hover area, outside the cast's swap
  // areas, above the bottom band and away from the edges.
  static constexpr int kRestX = 400;
  static constexpr int kRestY = 505;

  // The hub at the view given, past its arrival and with nothing to say (not the first visit, back
  // from a game without success), so that every step of its update is one scrolling step.
  void StartAt(int32_t x, int graphics = kAlpha, const std::string& settings = "") {
    StartGame(graphics, settings);
    SignIn("level2.sav");
    ActivePlayerData.hubCounter = static_cast<uint32_t>(x);
    ActivePlayerData.games[kNodeHub].firstTime = 0;
    test::MoveMouse(kRestX, kRestY);
    EnterHub(kNodeGame4);
    ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() == 4; }));
    ASSERT_EQ(ViewX(), x);
  }
  // The pointer there for the next frame, which is one step of the hub.
  void StepWithPointerAt(int px, int py = kRestY) {
    test::MoveMouse(px, py);
    Frame();
    Qel::Point2 position;
    MouseCursor::Instance().GetPosition(position);
    ASSERT_EQ(position, Qel::Point2(px, py));
  }
  int32_t ViewX() const { return m_hub->GetScroll().X(); }
  std::vector<int32_t> ShownPanels() const {
    std::vector<int32_t> shown;
    for (int32_t i = 0; i < HubNode::kPanelCount; ++i) {
      if (m_hub->IsPanelShown(i)) shown.push_back(i);
      EXPECT_EQ(m_hub->IsPanelShown(i), m_hub->FindObject(m_hub->GetPanel(i)->GetName()) != nullptr);
    }
    return shown;
  }
};

struct Speed {
  int px;
  int32_t step;  // positive: the view moves right
};

}  // namespace

TEST_F(HubScroll, TheSpeedGrowsTowardsEachEdgeUpToFourteen) {
  const Speed speeds[] = {{400, 0},  {600, 0},  {601, 0},  {619, 0},  {620, 1},  {639, 1},
                          {640, 3},  {660, 5},  {680, 7},  {700, 8},  {720, 10}, {740, 12},
                          {759, 12}, {760, 14}, {799, 14}, {200, 0},  {199, 0},  {181, 0},
                          {180, -1}, {160, -3}, {100, -8}, {41, -12}, {40, -14}, {0, -14}};
  StartAt(1000);
  int32_t x = ViewX();
  for (const Speed& speed : speeds) {
    SCOPED_TRACE(speed.px);
    StepWithPointerAt(speed.px);
    EXPECT_EQ(ViewX(), x + speed.step);
    EXPECT_EQ(m_hub->GetScrollDirection(), speed.step > 0 ? 2 : speed.step < 0 ? 1 : 0);
    // The record follows every step, so the view comes back after a game or the exit dialog.
    EXPECT_EQ(ActivePlayerData.hubCounter, static_cast<uint32_t>(ViewX()));
    for (int32_t member = 0; member < HubNode::kCastCount; ++member)
      EXPECT_EQ(m_hub->GetCast(member).GetBody(0)->GetX(), static_cast<float>(ViewX()));
    x = ViewX();
  }
}

TEST_F(HubScroll, TheViewWrapsAtBothEndsOfThePanorama) {
  StartAt(3195);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({3, 4}));
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 9);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({0, 1}));
  m_app.Shutdown();

  StartAt(5);
  StepWithPointerAt(0);
  EXPECT_EQ(ViewX(), 3191);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({3, 4}));
  EXPECT_EQ(ActivePlayerData.hubCounter, 3191u);
}

TEST_F(HubScroll, OnlyThePanelsUnderTheViewAreAttached) {
  StartAt(790);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({0, 1}));
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 804);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({1, 2}));
  StepWithPointerAt(0);
  StepWithPointerAt(0);
  EXPECT_EQ(ViewX(), 776);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({0, 1}));
  EXPECT_EQ(m_hub->GetShownPanel(), 0);
}

TEST_F(HubScroll, TheStripsPassFifteenPerStepAtFullSpeedAndWrap) {
  StartAt(1000);
  StepWithPointerAt(799);
  // The first strip had left the view on the left: it comes round to the right.
  EXPECT_EQ(m_hub->GetStrip(0)->GetX(), 0.0f - 15 + 3200);
  EXPECT_EQ(m_hub->GetStrip(1)->GetX(), 800.0f - 15);
  EXPECT_EQ(m_hub->GetStrip(2)->GetX(), 1600.0f - 15);
  EXPECT_EQ(m_hub->GetStrip(3)->GetX(), 2400.0f - 15);
  StepWithPointerAt(0);
  EXPECT_EQ(m_hub->GetStrip(1)->GetX(), 800.0f);
  EXPECT_EQ(m_hub->GetStrip(2)->GetX(), 1600.0f);
  m_app.Shutdown();

  // Across the panorama's end the strips wrap with the view: the first strip, which stood beyond the
  // wrap, stays in the view, and the others, which had left it, come back in their places.
  StartAt(3195);
  EXPECT_EQ(m_hub->GetStrip(0)->GetX(), 3200.0f);
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 9);
  EXPECT_EQ(m_hub->GetStrip(0)->GetX(), -15.0f);
  EXPECT_EQ(m_hub->GetStrip(1)->GetX(), 785.0f);
  EXPECT_EQ(m_hub->GetStrip(3)->GetX(), 2385.0f);
}

TEST_F(HubScroll, TheBottomBandStopsTheViewAndSendsTheCastToRest) {
  StartAt(1000);
  StepWithPointerAt(799, 510);
  EXPECT_EQ(ViewX(), 1014);
  EXPECT_EQ(m_hub->GetCast(HubNode::kPilo).GetRequest(), HubActor::kSwimRightRequest);
  StepWithPointerAt(799, 511);
  EXPECT_EQ(ViewX(), 1014);
  EXPECT_EQ(m_hub->GetScrollDirection(), 0);
  for (int32_t member = 0; member < HubNode::kCastCount; ++member)
    EXPECT_EQ(m_hub->GetCast(member).GetRequest(), HubActor::kStopRequest);
}

TEST_F(HubScroll, NothingScrollsWhileLockedTalkingOrSwimmingAcross) {
  StartAt(1000);
  m_hub->GetHubHud()->SetScrollLock(true);
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 1000);
  m_hub->GetHubHud()->SetScrollLock(false);

  // The cast's talking flags follow the speakers at the end of each step.
  m_hub->QueueLine(0, "0180", 180);
  m_hub->StartSpeech(0, false, true);
  StepWithPointerAt(kRestX);
  ASSERT_TRUE(m_hub->GetCast(HubNode::kTovin).IsTalking());
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 1000);
  m_hub->StopSpeech();
  StepWithPointerAt(kRestX);

  m_hub->GetCast(HubNode::kZelka).SwimAcross();
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 1000);
  EXPECT_EQ(m_hub->GetScrollDirection(), 0);
}

TEST_F(HubScroll, TheCastSwimsAlongAndBackToRest) {
  StartAt(1000);
  HubActor& pilo = m_hub->GetCast(HubNode::kPilo);
  struct Step {
    const char* what;
    std::function<void()> act;
    uint32_t animation;
    int32_t state;
    int32_t request;
  };
  const std::vector<Step> steps = {
      {"the view starts right", [&] { pilo.FollowRight(); }, 2, 2, 5},
      {"the start loops into the swim", [&] { pilo.OnBodyLooped(); }, 5, 5, -1},
      {"the swim goes on", [&] { pilo.OnBodyLooped(); }, 5, 5, -1},
      {"the view turns left", [&] { pilo.FollowLeft(); }, 10, 7, 8},
      {"the turn loops into the left swim", [&] { pilo.OnBodyLooped(); }, 8, 8, -1},
      {"the view turns right", [&] { pilo.FollowRight(); }, 11, 2, 5},
      {"into the right swim", [&] { pilo.OnBodyLooped(); }, 5, 5, -1},
      {"the view stops", [&] { pilo.RequestStop(); }, 5, 5, 0},
      {"the swim eases off", [&] { pilo.OnBodyLooped(); }, 6, 6, 0},
      {"the view starts left while easing off", [&] { pilo.FollowLeft(); }, 10, 7, 8},
      {"into the left swim", [&] { pilo.OnBodyLooped(); }, 8, 8, -1},
      {"the view stops again", [&] { pilo.RequestStop(); }, 8, 8, 0},
      {"the left swim eases off", [&] { pilo.OnBodyLooped(); }, 9, 9, 0},
      {"and rests", [&] { pilo.OnBodyLooped(); }, 0, 0, -1},
      {"the view starts left from rest", [&] { pilo.FollowLeft(); }, 7, 7, 8},
      {"a second left start passes straight into the swim", [&] { pilo.FollowLeft(); }, 8, 8, -1},
      {"a right start from the left swim turns", [&] { pilo.FollowRight(); }, 11, 2, 5},
      {"a second right start passes straight into the swim", [&] { pilo.FollowRight(); }, 5, 5, -1},
      {"a right start while swimming right changes nothing", [&] { pilo.FollowRight(); }, 5, 5, -1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(pilo.GetVisibleAnimation(), step.animation);
    EXPECT_EQ(pilo.GetAnimState(), step.state);
    EXPECT_EQ(pilo.GetRequest(), step.request);
  }
  // A talking fish keeps its pose whatever its loops.
  pilo.RequestStop();
  pilo.SetTalking(true);
  pilo.OnBodyLooped();
  EXPECT_EQ(pilo.GetVisibleAnimation(), 5u);
}

TEST_F(HubScroll, ScrollingDrivesTheSwimsThroughTheBodiesOwnLoops) {
  StartAt(1000);
  const HubActor& tovin = m_hub->GetCast(HubNode::kTovin);
  StepWithPointerAt(799);
  EXPECT_EQ(tovin.GetVisibleAnimation(), HubActor::kSwimRightStart);
  ASSERT_TRUE(FramesUntil([&] { return tovin.GetVisibleAnimation() == HubActor::kSwimRight; }));
  StepWithPointerAt(400);
  EXPECT_EQ(tovin.GetRequest(), HubActor::kStopRequest);
  ASSERT_TRUE(FramesUntil([&] { return tovin.GetVisibleAnimation() == HubActor::kStopFromRight; }));
  ASSERT_TRUE(FramesUntil([&] { return tovin.GetAnimState() == 0; }));
  EXPECT_EQ(tovin.GetRequest(), HubActor::kNoRequest);
}

TEST_F(HubScroll, ARestingFishNowAndThenShowsAnIdleVariant) {
  StartAt(1000);
  HubActor& zelka = m_hub->GetCast(HubNode::kZelka);
  plat::win::srand(7);
  std::set<uint32_t> seen;
  for (int i = 0; i < 400; ++i) {
    zelka.OnBodyLooped();
    seen.insert(zelka.GetVisibleAnimation());
    EXPECT_EQ(zelka.GetAnimState(), 0);
  }
  // The variants go back to rest by their own sprites' chains, which no frame runs here.
  seen.erase(HubActor::kRest);
  EXPECT_EQ(seen, std::set<uint32_t>({1, 12, 13}));
}

TEST_F(HubScroll, TheSwimAcrossEndsOnTheOtherSideWithTheOtherSpeakers) {
  StartAt(1000);
  HubActor& zelka = m_hub->GetCast(HubNode::kZelka);
  zelka.SwimAcross();
  EXPECT_EQ(zelka.GetSide(), HubActor::kLeftSide);
  EXPECT_EQ(zelka.GetBodyIndex(), 0);
  ASSERT_TRUE(FramesUntil([&] { return zelka.GetBodyIndex() == 1; }));
  EXPECT_FALSE(Shown(zelka.GetBody(0)));
  EXPECT_TRUE(Shown(zelka.GetBody(1)));
  EXPECT_EQ(zelka.GetVisibleAnimation(), 0u);
  EXPECT_EQ(zelka.GetSide(), HubActor::kLeftSide);
  EXPECT_EQ(m_hub->SpeakerSlotOf(HubNode::kZelka), 5);
  EXPECT_EQ(m_hub->SpeakerSlotOf(HubNode::kPilo), 1);

  // And back again.
  zelka.SwimAcross();
  ASSERT_TRUE(FramesUntil([&] { return zelka.GetBodyIndex() == 0; }));
  EXPECT_TRUE(Shown(zelka.GetBody(0)));
  EXPECT_EQ(m_hub->SpeakerSlotOf(HubNode::kZelka), 2);
}

TEST_F(HubScroll, PlacingTheCastMovesItsSpeakersWithTheView) {
  StartAt(1234);
  // The speaker's place was the view's at arrival; a talk places it anew.
  StepWithPointerAt(799);
  ASSERT_EQ(ViewX(), 1248);
  StepWithPointerAt(kRestX);
  m_hub->PlaceCast();
  m_hub->QueueLine(static_cast<uint32_t>(m_hub->SpeakerSlotOf(HubNode::kPilo)), "0190", 190);
  m_hub->StartSpeech(0, false, true);
  const HubActor& pilo = m_hub->GetCast(HubNode::kPilo);
  EXPECT_EQ(pilo.GetBody(0)->GetAnimationId(), 4u) << "talking";
  EXPECT_EQ(pilo.GetBody(0)->GetX(), 1248.0f);
  EXPECT_EQ(pilo.GetMouth(0)->GetX(), 1248.0f);
  EXPECT_TRUE(Shown(pilo.GetMouth(0)));
}

TEST_F(HubScroll, BubblesBeginQuietThenRiseFromThePointerInTurn) {
  StartGame();
  SignIn("level2.sav");
  ActivePlayerData.hubCounter = 1000;
  ActivePlayerData.games[kNodeHub].firstTime = 0;
  // Over nothing that speaks and in no band that scrolls.
  test::MoveMouse(300, 400);
  EnterHub(kNodeGame4);
  const MouseBubbles& bubbles = m_hub->GetMouseBubbles();
  // The first step of the hub ends the first phase.
  ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() != 0; }));
  const int32_t start = static_cast<int32_t>(GameClock::Instance().GetTime());
  EXPECT_FALSE(bubbles.IsActive());
  EXPECT_GE(bubbles.GetPhaseEndTime() - start, 3000);
  EXPECT_LE(bubbles.GetPhaseEndTime() - start, 4000);

  // Quiet: nothing rises until the phase is over.
  ASSERT_TRUE(FramesUntil(
      [&] {
        if (bubbles.IsActive()) return true;
        EXPECT_EQ(bubbles.CountInUse(), 0);
        return false;
      },
      500));
  const int32_t activeFrom = static_cast<int32_t>(GameClock::Instance().GetTime());
  EXPECT_GE(bubbles.GetPhaseEndTime() - activeFrom, 6000);
  EXPECT_LE(bubbles.GetPhaseEndTime() - activeFrom, 10000);
  ASSERT_TRUE(bubbles.IsInUse(0));
  const Ambient* first = bubbles.GetBubble(0);
  EXPECT_EQ(first->GetX(), 300.0f + 1000 - 30);
  EXPECT_EQ(first->GetY(), 400.0f - 165);
  EXPECT_EQ(first->GetAnimationId(), MouseBubbles::kRise);
  const int32_t next = bubbles.GetNextSpawnTime() - activeFrom;
  EXPECT_GE(next, 260);
  EXPECT_LE(next, 560);

  // One every 260 to 560 ms; each rise ends by itself and frees its bubble.
  ASSERT_TRUE(FramesUntil([&] { return bubbles.IsInUse(1); }, 60));
  ASSERT_TRUE(FramesUntil([&] { return !bubbles.IsInUse(0); }, 100));
  EXPECT_LE(bubbles.CountInUse(), 4);
}

TEST_F(HubScroll, AtMostTwentyBubblesRise) {
  StartAt(1000);
  MouseBubbles& bubbles = m_hub->GetMouseBubbles();
  ASSERT_EQ(bubbles.CountInUse(), 0);
  for (int i = 0; i < 25; ++i) bubbles.Spawn(1000);
  EXPECT_EQ(bubbles.CountInUse(), 20);
  bubbles.Release(7);
  bubbles.Release(20);
  bubbles.Release(-1);
  EXPECT_EQ(bubbles.CountInUse(), 19);
  bubbles.Spawn(0);
  EXPECT_TRUE(bubbles.IsInUse(7));
  EXPECT_EQ(bubbles.CountInUse(), 20);
}

TEST_F(HubScroll, LowSpecMachinesScrollWithoutStrips) {
  StartAt(1000, kAlpha, "cpu = 500\n");
  ASSERT_EQ(m_hub->GetStrip(0), nullptr);
  StepWithPointerAt(799);
  EXPECT_EQ(ViewX(), 1014);
  EXPECT_EQ(ShownPanels(), std::vector<int32_t>({1, 2}));
}
