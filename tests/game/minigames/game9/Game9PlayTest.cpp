// The memory game played on the generated content: when clicks reach the cards, the tries with
// their score, sounds and remarks, won boards, the guide's idle and watching rules, the level arrows,
// and tries whose two cards take different times to settle.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Game9Stage.h"
#include "framework/GameButton.h"
#include "framework/GameSound.h"
#include "sound/Sound.h"

namespace {

using Lines = std::vector<std::string>;
using test::SeedFor;

class Play : public test::Game9Stage {
protected:
  Game9Node::Cards* AnyDownCard() const {
    for (const auto& card : m_game->GetCards()) {
      if (card->GetAnimationId() == Game9Node::kCardDown && test::Shown(card.get())) return card.get();
    }
    return nullptr;
  }
  // The pointer moves over the card (one frame), and the click reaches the node at once, so that no
  // animation of the guide ends in between.
  void TurnWithoutFrames(Game9Node::Cards* card) {
    MoveTo(static_cast<int>(card->GetX()) + 40, static_cast<int>(card->GetY()) + 40);
    m_game->OnObjectClicked(card);
    ASSERT_EQ(card->GetAnimationId(), Game9Node::kCardTurningUp);
  }
  uint32_t GuidePose() const { return m_game->GetGuide()->GetAnimationId(); }
  // The guide rests and is silent, so that the remark rules apply.
  void QuietGuide() {
    m_game->StopSpeech();
    m_game->GetGuide()->SetAnimation(Game9Node::kGuideRest, 0);
  }
};

}  // namespace

// Cards stay face down through the entrance, the opening line and the banner; then they turn.
TEST_F(Play, CardsTurnOnlyAfterTheEntranceTheOpeningLineAndTheBanner) {
  StartGame();
  Game9Node::Cards* card = m_game->GetCards().front().get();
  ASSERT_TRUE(FramesUntil([&] { return CardsEnabled(); }));
  EXPECT_EQ(GuidePose(), Game9Node::kGuideEntrance);
  ClickOn(card);
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardDown) << "during the entrance";

  ASSERT_TRUE(FramesUntil([&] { return GuidePose() == Game9Node::kGuideTalk; }));
  EXPECT_TRUE(m_game->IsIntroPending());
  ClickOn(card);
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardDown) << "during the opening line";

  m_app.PostCharEvent(' ');
  Frame();
  EXPECT_FALSE(m_game->IsIntroPending());
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  EXPECT_EQ(m_game->GetGuideHead()->GetX(), 1000.0f);
  ClickOn(card);
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardDown) << "during the banner";

  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsBannerShowing(); }));
  const size_t mark = Mark();
  ClickOn(card);
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardTurningUp);
  EXPECT_EQ(m_game->GetFirstCard(), card);
  EXPECT_EQ(card->GetZ(), 500);
  EXPECT_EQ(StartedSince(mark), std::vector<std::string>({"clickcard"}));
  const Qel::Sound* click = m_game->GetCardClickSound()->GetEngineSound();
  ASSERT_NE(click, nullptr);
  EXPECT_GE(click->GetFrequency(), 10000u);
  EXPECT_LT(click->GetFrequency(), 20000u);
}

// A tap: the pointer jumps onto the card and clicks before any frame has followed it there.
TEST_F(Play, ACardTakesAClickWhosePointerJumpedOntoItInTheSameFrame) {
  StartAndPlay();
  Game9Node::Cards* card = AnyDownCard();
  ASSERT_NE(card, nullptr);
  const Qel::Point2 size = card->GetSize();
  const int x = static_cast<int>(card->GetX()) + size.X() / 2;
  const int y = static_cast<int>(card->GetY()) + size.Y() / 2;
  MoveTo(5, 5);
  test::MoveMouse(x, y);
  Click(x, y);
  Frame();
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardTurningUp);
  EXPECT_EQ(m_game->GetFirstCard(), card);
}

TEST_F(Play, NoThirdCardWhileTwoAreUpAndNoFaceUpCardAgain) {
  StartAndPlay();
  const auto mismatch = Mismatch();
  Game9Node::Cards* const a = mismatch.first;
  Game9Node::Cards* const b = mismatch.second;
  const int32_t depthA = a->GetZ(), depthB = b->GetZ();
  ClickOn(a);
  ClickOn(a);
  EXPECT_EQ(m_game->GetTurnedCount(), 1) << "a card turning up is no card to turn";
  ASSERT_TRUE(FramesUntil([&] { return a->GetAnimationId() == Game9Node::kCardUp; }));
  ClickOn(a);
  EXPECT_EQ(m_game->GetTurnedCount(), 1) << "nor a face-up one";
  ClickOn(b);
  EXPECT_EQ(m_game->GetSecondCard(), b);
  EXPECT_EQ(b->GetZ(), 501);
  Game9Node::Cards* third = OtherCard({a, b});
  ClickOn(third);
  EXPECT_EQ(third->GetAnimationId(), Game9Node::kCardDown);
  EXPECT_EQ(m_game->GetTurnedCount(), 2);

  // The pair turns back, the try ends with both down at their depths, and play goes on.
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
  EXPECT_EQ(a->GetAnimationId(), Game9Node::kCardDown);
  EXPECT_EQ(b->GetAnimationId(), Game9Node::kCardDown);
  EXPECT_EQ(a->GetZ(), depthA);
  EXPECT_EQ(b->GetZ(), depthB);
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 0);
  EXPECT_EQ(m_game->GetCardsLeft(), 12);
  ClickOn(third);
  EXPECT_EQ(third->GetAnimationId(), Game9Node::kCardTurningUp);
}

// A match scores 10, poofs and vanishes; the guide's remark is the table's line for the draw, none
// for 13, and none at all for the last pair of a board.
TEST_F(Play, AMatchScoresPoofsAndDrawsTheGuidesLine) {
  StartAndPlay();
  const Lines table = {"4522", "4521", "4520", "4519", "4518", "4517", "4516",
                       "4515", "4514", "4511", "4510", "4507", "4506", ""};
  int32_t score = 0;
  for (int r = 0; r <= 13; ++r) {
    SCOPED_TRACE("r " + std::to_string(r));
    if (Pairs().size() < 3) {
      m_game->NewBoard();
      ASSERT_TRUE(FramesUntil([&] { return CardsEnabled(); }));
    }
    const auto pair = Pairs().front();
    TurnUp(pair.first, pair.second);
    QuietGuide();
    const size_t mark = Mark();
    MatchTimerNowWithDraw(r, 14);
    score += 10;
    EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), score);
    EXPECT_EQ(pair.first->GetAnimationId(), Game9Node::kCardVanishing);
    Frame();
    const std::vector<std::string> started = StartedSince(mark);
    EXPECT_NE(std::find(started.begin(), started.end(), "poof"), started.end());
    EXPECT_EQ(LinesSince(mark),
              table[static_cast<size_t>(r)].empty() ? Lines{} : Lines{table[static_cast<size_t>(r)]});
    m_game->StopSpeech();
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
    EXPECT_EQ(pair.first->GetX(), 1000.0f);
    EXPECT_EQ(pair.second->GetY(), 1000.0f);
  }

  // The last pair: no remark even for a draw that would give one.
  m_game->NewBoard();
  ASSERT_TRUE(FramesUntil([&] { return CardsEnabled(); }));
  const auto pairs = Pairs();
  for (size_t i = 0; i + 1 < pairs.size(); ++i) {
    Try(pairs[i].first, pairs[i].second);
    m_game->StopSpeech();
  }
  EXPECT_EQ(m_game->GetCardsLeft(), 2);
  TurnUp(pairs.back().first, pairs.back().second);
  QuietGuide();
  const size_t mark = Mark();
  MatchTimerNowWithDraw(0, 14);
  Frame();
  EXPECT_EQ(LinesSince(mark), Lines{});
}

// A pair that does not match turns back; the guide's remark is the table's for draws 0 to 3 only.
TEST_F(Play, AMissTurnsBackAndDrawsTheGuidesLine) {
  StartAndPlay();
  const Lines table = {"4512", "4513", "4508", "4509"};
  for (const int r : {0, 1, 2, 3, 4, 11}) {
    SCOPED_TRACE("r " + std::to_string(r));
    const auto mismatch = Mismatch();
    Game9Node::Cards* const a = mismatch.first;
    Game9Node::Cards* const b = mismatch.second;
    TurnUp(a, b);
    QuietGuide();
    const size_t mark = Mark();
    MatchTimerNowWithDraw(r, 12);
    EXPECT_EQ(a->GetAnimationId(), Game9Node::kCardTurningDown);
    EXPECT_EQ(b->GetAnimationId(), Game9Node::kCardTurningDown);
    Frame();
    EXPECT_EQ(LinesSince(mark), r < 4 ? Lines{table[static_cast<size_t>(r)]} : Lines{});
    m_game->StopSpeech();
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
    EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 0);
  }
}

// The last pair reveals the picture with "youwin"; after the picture's time the board counts as won:
// 25 more, the high score and its byte, the picture clickable and one of the cheers.
TEST_F(Play, AWonBoardRevealsItsPictureAndScoresTheBonus) {
  Entry().highScore = 50;
  StartAndPlay();
  const auto pairs = Pairs();
  for (size_t i = 0; i + 1 < pairs.size(); ++i) Try(pairs[i].first, pairs[i].second);
  m_game->StopSpeech();
  const size_t mark = Mark();
  TurnUp(pairs.back().first, pairs.back().second);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetCardsLeft() == 0; }));
  Game9Node::SandBackgrounds* sand = m_game->GetCurrentSand();
  EXPECT_EQ(sand->GetAnimationId(), Game9Node::SandBackgrounds::kRevealed);
  EXPECT_TRUE(sand->IsEnabled());
  const std::vector<std::string> started = StartedSince(mark);
  EXPECT_NE(std::find(started.begin(), started.end(), "youwin"), started.end());
  EXPECT_EQ(LinesSince(mark), Lines{}) << "no remark for the last pair";
  EXPECT_EQ(ActivePlayerData.newResult, 0);

  ASSERT_TRUE(FramesUntil([&] { return m_game->GetCardsLeft() == -1; }));
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 6 * 10 + 25);
  EXPECT_EQ(Entry().highScore, 85u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  EXPECT_EQ(sand->GetRolloverCursor(), 1);
  Frame();
  const Lines cheer = LinesSince(mark);
  ASSERT_EQ(cheer.size(), 1u);
  EXPECT_TRUE(cheer[0] >= "4523" && cheer[0] <= "4526") << cheer[0];
}

TEST_F(Play, TheCheerIsTheDrawsAndAHigherHighScoreStays) {
  Entry().highScore = 1000;
  StartAndPlay();
  WinBoard();
  EXPECT_EQ(Entry().highScore, 1000u);
  EXPECT_EQ(ActivePlayerData.newResult, 0);
  for (int r = 0; r < 4; ++r) {
    plat::win::srand(SeedFor(r, 4));
    m_game->StopSpeech();
    const size_t mark = Mark();
    m_game->OnTimer(m_game->GetWinTimer());
    Frame();
    EXPECT_EQ(LinesSince(mark), Lines{"452" + std::to_string(3 + r)});
  }
}

// Eighteen cards at level 10: nine matches, and the score carries on from board to board.
TEST_F(Play, AnEighteenCardBoardNeedsNineMatches) {
  Entry().level = 10;
  Entry().gameValue = 10;
  StartAndPlay();
  ASSERT_EQ(Pairs().size(), 9u);
  m_game->GetPointsDisplay()->SetScore(40);
  WinBoard();
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 40 + 9 * 10 + 25);
}

// The guide's own rules, each draw seeded: rest gives way to 1, 6 or rest again, or to watching
// while one card is up; watching to 10, 11 or watching, or back to rest once no single card is up;
// after a pair vanishes 3 or 2, after one turns back 7 now and then.
TEST_F(Play, TheGuideFollowsItsRulesByTheDraw) {
  StartAndPlay();
  QuietGuide();
  SpriteObject* guide = m_game->GetGuide();
  struct Case {
    uint32_t ended;
    int r, m;
    uint32_t next;
  };
  for (const Case& c : {Case{0, 0, 50, 1}, Case{0, 9, 50, 1}, Case{0, 10, 50, 6}, Case{0, 13, 50, 6},
                        Case{0, 14, 50, 0}, Case{0, 49, 50, 0}}) {
    SCOPED_TRACE(std::to_string(c.ended) + " r " + std::to_string(c.r));
    guide->SetAnimation(c.ended, 0);
    plat::win::srand(SeedFor(c.r, c.m));
    m_game->OnAnimationEnded(guide);
    EXPECT_EQ(guide->GetAnimationId(), c.next);
    EXPECT_EQ(m_game->GetGuideWatching(), 0);
  }

  // One card up: the guide starts watching; watching goes on while it is the only one.
  Game9Node::Cards* card = AnyDownCard();
  TurnWithoutFrames(card);
  guide->SetAnimation(Game9Node::kGuideRest, 0);
  m_game->OnAnimationEnded(guide);
  EXPECT_EQ(guide->GetAnimationId(), Game9Node::kGuideStartWatching);
  EXPECT_EQ(m_game->GetGuideWatching(), 1);
  for (const Case& c :
       {Case{9, 0, 7, 10}, Case{9, 1, 7, 10}, Case{9, 2, 7, 11}, Case{9, 3, 7, 9}, Case{9, 6, 7, 9}}) {
    SCOPED_TRACE("watching r " + std::to_string(c.r));
    guide->SetAnimation(c.ended, 0);
    plat::win::srand(SeedFor(c.r, c.m));
    m_game->OnAnimationEnded(guide);
    EXPECT_EQ(guide->GetAnimationId(), c.next);
  }
  // Rest does nothing while watching; two cards up end the watching.
  guide->SetAnimation(Game9Node::kGuideRest, 0);
  m_game->OnAnimationEnded(guide);
  EXPECT_EQ(guide->GetAnimationId(), Game9Node::kGuideRest);
  Game9Node::Cards* other = nullptr;
  for (const auto& candidate : m_game->GetCards()) {
    if (candidate.get() != card && candidate->GetKind() != card->GetKind()) other = candidate.get();
  }
  TurnWithoutFrames(other);
  guide->SetAnimation(Game9Node::kGuideWatching, 0);
  m_game->OnAnimationEnded(guide);
  EXPECT_EQ(guide->GetAnimationId(), Game9Node::kGuideStopWatching);
  EXPECT_EQ(m_game->GetGuideWatching(), 0);

  // A miss: 7 for a draw of 0 of 5, nothing else for 1.
  ASSERT_TRUE(FramesUntil([&] {
    return card->GetAnimationId() == Game9Node::kCardUp && other->GetAnimationId() == Game9Node::kCardUp;
  }));
  for (const int r : {1, 0}) {
    SCOPED_TRACE("miss r " + std::to_string(r));
    QuietGuide();
    MatchTimerNowWithDraw(11, 12);
    guide->SetAnimation(Game9Node::kGuideIdle6, 0);
    // Both cards end their turn: the second end closes the try, where the draw is made.
    card->SetAnimation(Game9Node::kCardTurningDown, 0);
    m_game->OnAnimationEnded(card);
    plat::win::srand(SeedFor(r, 5));
    other->SetAnimation(Game9Node::kCardTurningDown, 0);
    m_game->OnAnimationEnded(other);
    EXPECT_EQ(guide->GetAnimationId(), r == 0 ? Game9Node::kGuideSigh : Game9Node::kGuideIdle6);
    EXPECT_EQ(m_game->GetTurnedCount(), 0);
    if (r == 1) {
      ClickOn(card);
      ClickOn(other);
      ASSERT_TRUE(FramesUntil([&] {
        return card->GetAnimationId() == Game9Node::kCardUp && other->GetAnimationId() == Game9Node::kCardUp;
      }));
    }
  }

  ASSERT_TRUE(FramesUntil([&] {
    return card->GetAnimationId() == Game9Node::kCardDown && other->GetAnimationId() == Game9Node::kCardDown;
  }));
  // A pair vanishes: 3 for a draw of 0 of 4, else 2.
  for (const int r : {0, 1, 3}) {
    SCOPED_TRACE("match r " + std::to_string(r));
    const auto pair = Pairs().front();
    m_game->GetMatchTimer()->Stop(false);
    TurnUp(pair.first, pair.second);
    QuietGuide();
    MatchTimerNowWithDraw(13, 14);
    m_game->GetGuide()->SetAnimation(Game9Node::kGuideRest, 0);
    m_game->OnAnimationEnded(pair.first);
    plat::win::srand(SeedFor(r, 4));
    m_game->OnAnimationEnded(pair.second);
    EXPECT_EQ(guide->GetAnimationId(), r == 0 ? Game9Node::kGuideBigCheer : Game9Node::kGuideCheer);
    EXPECT_EQ(m_game->GetGuideWatching(), 0);
  }
}

// Each arrow steps one level, resets the score, lays a board under the banner and locks both arrows
// for 300 ms; the right one only below the level reached, and never past 20.
TEST_F(Play, TheArrowsStepALevelAndLockForAMoment) {
  Entry().level = 3;
  StartAndPlay();
  m_game->GetPointsDisplay()->SetScore(70);
  GameButton* right = m_game->GetRightArrow();
  GameButton* left = m_game->GetLeftArrow();
  Game9Node::SandBackgrounds* before = m_game->GetCurrentSand();
  ClickOn(right);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 1);
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 0);
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_NE(m_game->GetCurrentSand(), before);
  EXPECT_EQ(Entry().gameValue, 2u);
  EXPECT_TRUE(m_game->IsLevelChangeLocked());
  ClickOn(right);
  ClickOn(left);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 1) << "locked";
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsLevelChangeLocked(); }, 40));
  ClickOn(right);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 2);
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsLevelChangeLocked(); }, 40));
  EXPECT_FALSE(right->IsEnabled());
  ClickOn(right);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 2) << "level 3 is the highest reached";
  ClickOn(left);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 1);
  EXPECT_EQ(Entry().level, 3) << "stepping down takes nothing back";

  // At the top: 19 to 20, and the right arrow goes.
  m_app.Shutdown();
  Entry().level = 99;
  Entry().gameValue = 19;
  StartAndPlay();
  ClickOn(m_game->GetRightArrow());
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 19);
  EXPECT_FALSE(test::Shown(m_game->GetRightArrow()));
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsLevelChangeLocked(); }, 40));
  m_game->OnObjectClicked(m_game->GetRightArrow());
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 19);
}

// Tries whose cards take different times: the try lasts until the second card is down or gone, a
// card clicked in between stays face down, and the board can still be won.
TEST_F(Play, ATryLastsUntilTheSlowerCardHasSettled) {
  StartAndPlay();
  const auto mismatch = Mismatch();
  Game9Node::Cards* const a = mismatch.first;
  Game9Node::Cards* const b = mismatch.second;
  TurnUp(a, b);
  m_game->GetMatchTimer()->Stop(false);
  m_game->OnTimer(m_game->GetMatchTimer());
  b->SetAnimationSpeed(0.25f);
  ASSERT_TRUE(FramesUntil([&] { return a->GetAnimationId() == Game9Node::kCardDown; }));
  EXPECT_EQ(b->GetAnimationId(), Game9Node::kCardTurningDown);
  Game9Node::Cards* third = OtherCard({a, b});
  ClickOn(third);
  EXPECT_EQ(third->GetAnimationId(), Game9Node::kCardDown);
  EXPECT_EQ(m_game->GetTurnedCount(), 2);
  ASSERT_TRUE(FramesUntil([&] { return b->GetAnimationId() == Game9Node::kCardDown; }));
  EXPECT_EQ(m_game->GetTurnedCount(), 0);

  // The same for a pair that vanishes at different speeds.
  const auto pair = Pairs().front();
  TurnUp(pair.first, pair.second);
  m_game->GetMatchTimer()->Stop(false);
  m_game->OnTimer(m_game->GetMatchTimer());
  pair.second->SetAnimationSpeed(0.25f);
  ASSERT_TRUE(FramesUntil([&] { return pair.first->GetX() == 1000.0f; }));
  EXPECT_EQ(m_game->GetCardsLeft(), 11);
  third = OtherCard({pair.first, pair.second});
  ClickOn(third);
  EXPECT_EQ(third->GetAnimationId(), Game9Node::kCardDown);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
  EXPECT_EQ(m_game->GetCardsLeft(), 10);
  EXPECT_EQ(pair.second->GetX(), 1000.0f);

  WinBoard();
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 85);
}
