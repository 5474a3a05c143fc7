// The hub's update step on the generated content: the unlock after arrival, the greetings by progress
// and by the node left, the hover lines, the help lines by overall level, the side swap and the step
// rate of 8 ms.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "HubStage.h"
#include "framework/GameClock.h"
#include "framework/LipSyncSound.h"
#include "framework/Player.h"
#include "frontend/CHubHud.h"
#include "frontend/HubActor.h"
#include "frontend/SpeechQueue.h"
#include "platform/win/kernel/Random.h"

namespace {

class HubTalk : public test::HubStage {
protected:
  // The hub entered from the node given with the record prepared; the pointer rests over nothing.
  void Enter(
      const std::string& save, int32_t from, const std::function<void()>& prepare = [] {}) {
    StartGame();
    SignIn(save);
    prepare();
    test::MoveMouse(400, 505);
    EnterHub(from);
  }
  // Frames until the greeting is chosen; the line number of the first line spoken, or 0 for none.
  uint32_t Greeting() {
    EXPECT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() >= 3; }));
    const LipSyncSound* line = m_hub->GetSpeechQueue()->GetCurrentSound();
    return line ? line->GetCaptionNumber() : 0;
  }
  uint32_t Speaking() const {
    const LipSyncSound* line = m_hub->GetSpeechQueue()->GetCurrentSound();
    return m_hub->GetSpeechQueue()->IsPlaying() && line ? line->GetCaptionNumber() : 0;
  }
  void Leave(int32_t to) {
    m_hub = nullptr;
    NodeManager::Instance().RequestNode(to);
    Frame();
  }
  static void NotFirstVisit() { ActivePlayerData.games[kNodeHub].firstTime = 0; }
};

}  // namespace

TEST_F(HubTalk, EveryButtonIsEnabledOnceTheArrivalsMomentHasPassed) {
  Enter("lastlevel.sav", kNodeGame4, NotFirstVisit);
  const uint32_t arrival = GameClock::Instance().GetTime();
  while (GameClock::Instance().GetTime() < arrival + 90) {
    Frame();
    EXPECT_FALSE(m_hub->GetBackButton()->IsEnabled());
    EXPECT_TRUE(m_hub->GetHubHud()->IsScrollLocked());
  }
  ASSERT_TRUE(FramesUntil([&] { return !m_hub->IsArrivalLocked(); }, 5));
  EXPECT_FALSE(m_hub->GetHubHud()->IsScrollLocked());
  for (GameButton* button : m_hub->GetButtons()) EXPECT_TRUE(button->IsEnabled()) << button->GetName();
  EXPECT_TRUE(m_hub->GetProgressButton()->IsEnabled());
  EXPECT_TRUE(m_hub->GetBackButton()->IsEnabled());
  EXPECT_TRUE(m_hub->GetMovieButton()->IsEnabled());
}

TEST_F(HubTalk, TheIntroductionPlaysOnTheFirstArrivalOnlyAndInOrder) {
  Enter("fresh.sav", kNodeSignIn);
  ASSERT_EQ(Greeting(), 180u);
  EXPECT_EQ(m_hub->GetSpeechQueue()->GetLineCount(), 16u);
  EXPECT_EQ(ActivePlayerData.games[kNodeHub].firstTime, 0);
  std::vector<uint32_t> heard;
  ASSERT_TRUE(FramesUntil(
      [&] {
        if (Speaking() && (heard.empty() || heard.back() != Speaking())) heard.push_back(Speaking());
        return m_hub->GetTalkState() == 4;
      },
      3000, 50));
  const std::vector<uint32_t> introduction = {180, 190, 2001, 2002, 2003, 210, 220, 240,
                                              250, 260, 270,  280,  290,  300, 303, 304};
  EXPECT_EQ(heard, introduction);

  // Back from a game without success and without a new level: no word.
  Leave(kNodeGame4);
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  m_hub = dynamic_cast<HubNode*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_hub, nullptr);
  EXPECT_EQ(Greeting(), 0u);
  EXPECT_EQ(m_hub->GetTalkState(), 4);
}

TEST_F(HubTalk, TheGreetingFollowsTheNodeLeftAndTheProgress) {
  struct Case {
    const char* what;
    const char* save;
    int32_t from;
    std::function<void()> prepare;
    std::set<uint32_t> first;  // the greetings' possible first lines; 0 for none
  };
  const auto flag = [](uint32_t game) {
    return [game] {
      NotFirstVisit();
      ActivePlayerData.games[game].gameFlag = 1;
    };
  };
  const auto storedLevel = [](int32_t level) {
    return [level] {
      NotFirstVisit();
      ActivePlayerData.games[kNodeHub].gameValue = static_cast<uint32_t>(level);
    };
  };
  const std::vector<Case> cases = {
      {"after the credits", "level2.sav", kNodeCreditScreen, NotFirstVisit, {1271}},
      {"the first visit after the credits too", "fresh.sav", kNodeCreditScreen, [] {}, {180}},
      {"from sign-in", "level2.sav", kNodeSignIn, NotFirstVisit, {310, 350, 390}},
      {"from sign-in with everything done: the rise",
       "lastlevel.sav",
       kNodeSignIn,
       NotFirstVisit,
       {680, 750, 760}},
      {"a rise to level 0", "level2.sav", kNodeGame4, storedLevel(-1), {600, 620}},
      {"a rise to level 1",
       "level2.sav",
       kNodeGame4,
       [] {
         for (const uint32_t game : PlayerData::kOverallLevelGames) ActivePlayerData.games[game].level = 3;
         NotFirstVisit();
         ActivePlayerData.games[kNodeHub].gameValue = 0;
       },
       {640, 660}},
      {"no rise", "level2.sav", kNodeGame4, storedLevel(1), {0}},
      {"the sub chase won", "level2.sav", kNodeGame5, flag(kNodeGame5), {450}},
      {"the turtle ride won", "level2.sav", kNodeGame7, flag(kNodeGame7), {480, 520}},
      {"the music game won", "level2.sav", kNodeGame3, flag(kNodeGame3), {560}},
      {"the shape game won", "level2.sav", kNodeGame4, flag(kNodeGame4), {560, 580}},
      {"the sub chase without success", "level2.sav", kNodeGame5, NotFirstVisit, {0}},
      {"the shell game won: no word of its own", "level2.sav", kNodeGame8, flag(kNodeGame8), {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Enter(c.save, c.from, c.prepare);
    EXPECT_TRUE(c.first.count(Greeting()));
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(HubTalk, EachSignInOpeningCanPlay) {
  std::set<uint32_t> heard;
  for (unsigned seed = 1; seed < 40 && heard.size() < 3; ++seed) {
    Enter("level2.sav", kNodeSignIn, NotFirstVisit);
    plat::win::srand(seed * 7919);
    heard.insert(Greeting());
    m_hub = nullptr;
    m_app.Shutdown();
  }
  EXPECT_EQ(heard, std::set<uint32_t>({310, 350, 390}));
}

TEST_F(HubTalk, ARiseIsGreetedOnceSinceLeavingStoresTheLevel) {
  Enter("level2.sav", kNodeGame4, [] {
    NotFirstVisit();
    ActivePlayerData.games[kNodeHub].gameValue = static_cast<uint32_t>(-1);
  });
  EXPECT_NE(Greeting(), 0u);
  Leave(kNodeGame4);
  EXPECT_EQ(static_cast<int32_t>(ActivePlayerData.games[kNodeHub].gameValue), 0);
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  m_hub = dynamic_cast<HubNode*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_hub, nullptr);
  EXPECT_EQ(Greeting(), 0u);
}

TEST_F(HubTalk, AHoverLineAfterHalfASecondOncePerAreaAndVisit) {
  Enter("level2.sav", kNodeGame4, NotFirstVisit);
  ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() == 4; }));
  // Over "Turtle Surf" at the view's start, away from the edges.
  test::MoveMouse(300, 100);
  Frames(30);
  EXPECT_EQ(Speaking(), 0u) << "a short rest says nothing";
  test::MoveMouse(300, 300);
  Frame();
  test::MoveMouse(300, 100);
  // The wait starts again whenever a fish shows an idle variant, so it may take a few tries.
  const uint32_t from = GameClock::Instance().GetTime();
  ASSERT_TRUE(FramesUntil([&] { return Speaking() != 0; }, 2000));
  EXPECT_GE(GameClock::Instance().GetTime() - from, 500u);
  EXPECT_TRUE(Speaking() == 1360 || Speaking() == 820);
  EXPECT_EQ(m_hub->GetTalkState(), 4);
  ASSERT_TRUE(FramesUntil([&] { return !m_hub->GetSpeechQueue()->IsPlaying(); }, 1000));
  Frames(100);
  EXPECT_EQ(Speaking(), 0u) << "once per visit";

  // The back arrow's area is the screen's.
  test::MoveMouse(40, 560);
  ASSERT_TRUE(FramesUntil([&] { return Speaking() != 0; }, 2000));
  EXPECT_TRUE(Speaking() == 1180 || Speaking() == 1190);
}

TEST_F(HubTalk, TheHelpLinesFollowTheOverallLevel) {
  struct Case {
    const char* what;
    const char* save;
    std::function<void()> prepare;
    std::set<uint32_t> first;
  };
  const std::vector<Case> cases = {
      {"level -1", "fresh.sav", NotFirstVisit, {990, 1000, 1020, 850, 860, 870, 880}},
      {"level 0", "level2.sav", NotFirstVisit, {1030, 1040, 1050, 890, 900, 910}},
      {"level 4, the swim not won",
       "lastlevel.sav",
       [] {
         NotFirstVisit();
         ActivePlayerData.games[kNodeHub].gameValue = 4;
         ActivePlayerData.games[kNodeGame6].gameFlag = 0;
       },
       {1060, 1070, 1080, 920, 930, 940}},
      {"level 4, the swim won",
       "lastlevel.sav",
       [] {
         NotFirstVisit();
         ActivePlayerData.games[kNodeHub].gameValue = 4;
       },
       {960, 1090}},
      {"level -2",
       "level2.sav",
       [] {
         NotFirstVisit();
         ActivePlayerData.games[kNodeGame4].level = 0;
       },
       {301}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Enter(c.save, kNodeGame4, c.prepare);
    ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() == 4; }));
    m_hub->OnObjectClicked(m_hub->GetHelpButton());
    EXPECT_EQ(m_hub->GetTalkState(), 5);
    EXPECT_TRUE(c.first.count(Speaking())) << Speaking();
    m_hub->StopSpeech();
    EXPECT_EQ(m_hub->GetTalkState(), 4);
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(HubTalk, RestingOverTheCastSwapsItsSideAndHelpWaitsMeanwhile) {
  Enter("level2.sav", kNodeGame4, NotFirstVisit);
  ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() == 4; }));
  test::MoveMouse(450, 400);
  const HubActor& zelka = m_hub->GetCast(HubNode::kZelka);
  ASSERT_TRUE(FramesUntil([&] { return zelka.GetVisibleAnimation() == HubActor::kSwimAcross; }, 100));
  for (int32_t member = 0; member < HubNode::kCastCount; ++member)
    EXPECT_EQ(m_hub->GetCast(member).GetVisibleAnimation(), HubActor::kSwimAcross);
  m_hub->OnObjectClicked(m_hub->GetHelpButton());
  EXPECT_EQ(m_hub->GetTalkState(), 4);
  EXPECT_FALSE(m_hub->GetSpeechQueue()->IsPlaying());
  ASSERT_TRUE(FramesUntil([&] { return zelka.GetBodyIndex() == 1; }));
  Frame();
  for (int32_t member = 0; member < HubNode::kCastCount; ++member) {
    EXPECT_EQ(m_hub->GetCast(member).GetSide(), HubActor::kLeftSide);
    EXPECT_EQ(m_hub->SpeakerSlotOf(member), member == HubNode::kTovin ? 3 : member == HubNode::kPilo ? 4 : 5);
  }
}

TEST_F(HubTalk, NothingRunsBetweenStepsLessThanEightMillisecondsApart) {
  Enter("level2.sav", kNodeGame4, NotFirstVisit);
  ASSERT_TRUE(FramesUntil([&] { return m_hub->GetTalkState() == 4; }));
  std::vector<uint32_t> updates;
  for (int i = 0; i < 6; ++i) {
    Frame(4);
    updates.push_back(m_hub->GetLastUpdateTime());
  }
  // Every second frame of 4 ms is a step, and only a step runs the room's update.
  EXPECT_NE(updates[0], updates[1]);
  EXPECT_EQ(updates[1], updates[2]);
  EXPECT_NE(updates[2], updates[3]);
  EXPECT_EQ(updates[3], updates[4]);
  EXPECT_NE(updates[4], updates[5]);
}
