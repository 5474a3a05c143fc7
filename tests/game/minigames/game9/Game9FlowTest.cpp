// The memory game's way through its levels on the generated content: the opening lines, the won
// picture that leads on (through the prize movies, the ending movie and its lines, or straight to
// the banner), the level reached, the keys, the help page and the way back to the hub.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game9Stage.h"
#include "framework/Clickable.h"
#include "framework/GameButton.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "frontend/RoomNode.h"
#include "frontend/SpeechQueue.h"

namespace {

using Names = std::vector<std::string>;

class Flow : public test::Game9Stage {
protected:
  // The won picture is clicked.
  void ClickWonPicture() {
    ASSERT_EQ(m_game->GetCardsLeft(), -1);
    ClickOn(m_game->GetCurrentSand());
  }
};

}  // namespace

TEST_F(Flow, AFirstVisitHearsSixOpeningLines) {
  Entry().firstTime = 1;
  StartGame();
  EXPECT_TRUE(m_game->WasFirstVisit());
  EXPECT_EQ(Entry().firstTime, 0);
  EXPECT_EQ(m_game->GetGuide()->GetAnimationId(), Game9Node::kGuideEntrance);
  EXPECT_EQ(m_game->GetGuide()->GetX(), 0.0f);
  const size_t mark = Mark();
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetGuide()->GetAnimationId() != Game9Node::kGuideEntrance; }));
  EXPECT_EQ(m_game->GetGuideHead()->GetX(), 0.0f);
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsIntroPending(); }, 3000));
  EXPECT_EQ(LinesSince(mark), Names({"4500", "4501", "45012", "4502", "4503", "4504"}));
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetGuideHead()->GetX(), 1000.0f);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k");
}

TEST_F(Flow, ALaterVisitHearsOneOpeningLine) {
  StartGame();
  EXPECT_FALSE(m_game->WasFirstVisit());
  const size_t again = Mark();
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsIntroPending(); }, 3000));
  EXPECT_EQ(LinesSince(again), Names({"4505"}));
}

// Level 1 won for the first time: the next board is laid and recorded, then "Prize_Conch" plays;
// after it the music comes back and the banner shows level 2.
TEST_F(Flow, AFirstWinOfLevelOnePlaysItsPrizeOverTheNextBoard) {
  StartAndPlay();
  Listen();
  WinBoard();
  Game9Node::SandBackgrounds* won = m_game->GetCurrentSand();
  ClickWonPicture();
  EXPECT_EQ(Movies(), Names({"Prize_Conch"}));
  EXPECT_TRUE(MoviePlays("Prize_Conch"));
  EXPECT_EQ(Entry().levelFlags[0], 1);
  EXPECT_EQ(Entry().level, 2);
  EXPECT_EQ(Entry().gameValue, 2u);
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 1);
  EXPECT_EQ(m_game->GetCardsLeft(), 12);
  EXPECT_NE(m_game->GetCurrentSand(), won);
  EXPECT_EQ(won->GetAnimationId(), Game9Node::SandBackgrounds::kCovered);
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 85) << "the score carries on";
  EXPECT_EQ(Music(), "");

  SkipMovie();
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k");
  EXPECT_EQ(Movies(), Names({"Prize_Conch"}));
}

// A prize already owned: no movie, and the game goes on as after one.
TEST_F(Flow, AnOwnedPrizeGoesOnWithMusicAndBanner) {
  Entry().levelFlags[0] = 1;
  StartAndPlay();
  Listen();
  WinBoard();
  ClickWonPicture();
  EXPECT_EQ(Movies(), Names{});
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k");
  EXPECT_EQ(Entry().level, 2);
}

// Level 5: "Prize_Pearl", then "ConcentrationFMV", then "6000" and "6001" by speaker 1; then the
// music and the banner of level 6.
TEST_F(Flow, TheLastPrizeLeadsToTheEndingMovieAndItsLines) {
  Entry().level = 5;
  Entry().gameValue = 5;
  StartAndPlay();
  Listen();
  WinBoard();
  ClickWonPicture();
  EXPECT_TRUE(MoviePlays("Prize_Pearl"));
  EXPECT_TRUE(m_game->IsEndingMoviePending());
  EXPECT_EQ(Entry().levelFlags[4], 1);
  SkipMovie();
  EXPECT_TRUE(MoviePlays("ConcentrationFMV"));
  EXPECT_FALSE(m_game->IsEndingMoviePending());
  EXPECT_TRUE(m_game->AreEndingLinesPending());
  const size_t mark = Mark();
  SkipMovie();
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "ConcentrationFMV"}));
  EXPECT_TRUE(m_game->AreEndingLinesPlaying());
  EXPECT_FALSE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetSpeechQueue()->GetCurrentSpeaker(), 1u);
  ASSERT_TRUE(FramesUntil([&] { return !m_game->AreEndingLinesPlaying(); }, 3000));
  EXPECT_EQ(LinesSince(mark), Names({"6000", "6001"}));
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k");
  EXPECT_EQ(Entry().level, 6);
}

// Without the movies the same way is taken at once: no movie calls itself again, and the banner
// names the new level.
TEST_F(Flow, AMissingPrizeMovieIsPassedOver) {
  UseContentCopy();
  RemoveContent("Movies", "Prize_Conch.bik");
  StartAndPlay();
  Listen();
  WinBoard();
  ClickWonPicture();
  EXPECT_EQ(Movies(), Names({"Prize_Conch"}));
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k");
  EXPECT_EQ(Entry().levelFlags[0], 1);
}

TEST_F(Flow, MissingEndingMoviesLeadToTheLinesAndTheNextLevel) {
  UseContentCopy();
  RemoveContent("Movies", "Prize_Pearl.bik");
  RemoveContent("Movies", "ConcentrationFMV.bik");
  Entry().level = 5;
  Entry().gameValue = 5;
  StartAndPlay();
  Listen();
  WinBoard();
  const size_t mark = Mark();
  ClickWonPicture();
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "ConcentrationFMV"}));
  EXPECT_TRUE(m_game->AreEndingLinesPlaying());
  m_app.PostCharEvent(' ');
  Frame();
  EXPECT_EQ(LinesSince(mark), Names({"6000"}));
  EXPECT_FALSE(m_game->AreEndingLinesPlaying());
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_EQ(Entry().level, 6);
}

// From level 6 on a won picture leads straight on; a lower level won again takes nothing back.
TEST_F(Flow, LaterLevelsLeadStraightOnAndTheLevelReachedOnlyRises) {
  Entry().level = 12;
  Entry().gameValue = 6;
  StartAndPlay();
  Listen();
  MusicManager::Instance().QueueMusic("Tiki_Sequence_mix22k", true);
  WinBoard();
  ClickWonPicture();
  EXPECT_EQ(Movies(), Names{});
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 6);
  EXPECT_TRUE(m_game->IsBannerShowing());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 7);
  EXPECT_EQ(Entry().level, 12);
  EXPECT_EQ(Entry().gameValue, 7u);
  EXPECT_EQ(Music(), "Tiki_Sequence_mix22k") << "the music goes on";

  // Level 20 won: it stays the level, and the level reached becomes 20.
  m_app.Shutdown();
  Entry().level = 19;
  Entry().gameValue = 20;
  StartAndPlay();
  WinBoard();
  ClickWonPicture();
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 19);
  EXPECT_EQ(Entry().level, 20);
  EXPECT_EQ(m_game->GetCards().size(), 18u);
}

// The exit button: "5027" with the guide's talking pose, clicks ignored meanwhile, then the leaving
// pose, whose end shows "loading_gen1" and leads to the hub.
TEST_F(Flow, TheExitButtonSaysGoodbyeAndLeadsToTheHub) {
  StartAndPlay();
  GameButton* exit = m_game->GetExitButton();
  EXPECT_EQ(exit->GetX(), 5.0f);
  EXPECT_EQ(exit->GetY(), 531.0f);
  EXPECT_EQ(exit->GetZ(), 603);
  const size_t mark = Mark();
  ClickOn(exit);
  EXPECT_TRUE(m_game->IsExiting());
  EXPECT_FALSE(exit->IsEnabled());
  EXPECT_EQ(m_game->GetGuide()->GetAnimationId(), Game9Node::kGuideTalk);
  EXPECT_EQ(LinesSince(mark), Names({"5027"}));
  Game9Node::Cards* card = OtherCard({});
  ClickOn(card);
  EXPECT_EQ(card->GetAnimationId(), Game9Node::kCardDown);
  ClickOn(m_game->GetRightArrow());
  EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), 0);

  ASSERT_TRUE(FramesUntil([&] { return m_game->GetGuide()->GetAnimationId() == Game9Node::kGuideLeaving; }));
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetLoadingScreen() != nullptr; }));
  EXPECT_EQ(m_game->GetPendingNodeId(), kNodeHub);
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }));
}

// Leaving during the entrance, before any line: the goodbye's end still leads to the hub.
TEST_F(Flow, AnExitDuringTheEntranceStillLeads) {
  StartGame();
  ASSERT_EQ(m_game->GetGuide()->GetAnimationId(), Game9Node::kGuideEntrance);
  ClickOn(m_game->GetExitButton());
  ASSERT_TRUE(m_game->IsExiting());
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }, 3000));
}

// Escape opens the room's exit dialog once the first frames are over, never the quit dialog; space
// cuts the lines short.
TEST_F(Flow, EscapeOpensTheExitDialogAndSpaceStopsTheLines) {
  StartGame();
  EXPECT_FALSE(m_game->IsQuitAllowed());
  EXPECT_TRUE(m_game->IsFirstFrames());
  m_game->OnChar(27);
  EXPECT_FALSE(m_game->IsExitDialogOpen());
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetGuide()->GetAnimationId() == Game9Node::kGuideTalk; }));
  EXPECT_TRUE(m_game->GetSpeechQueue()->IsPlaying());
  m_app.PostCharEvent(' ');
  Frame();
  EXPECT_FALSE(m_game->GetSpeechQueue()->IsPlaying());
  m_app.PostCharEvent(27);
  Frame();
  EXPECT_TRUE(m_game->IsExitDialogOpen());
  EXPECT_FALSE(m_game->IsQuitDialogOpen());
}

TEST_F(Flow, TheHelpButtonNarratesTheGamesPage) {
  StartAndPlay();
  ClickOn(m_game->GetHelpButton());
  ASSERT_TRUE(m_game->IsHelpScreenOpen());
  EXPECT_EQ(m_game->GetNarrationLineNumber(), 4503);
  EXPECT_EQ(m_game->GetQueuedHelpLineCount(), 1u);
}
