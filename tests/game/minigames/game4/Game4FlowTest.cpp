// The shape game's way through its levels on the generated content: the demonstration on a beat, the
// player's turn, a wrong copy and a right one, the twenty seconds of waiting, the join of the praise
// and the sequence sound, the level buttons, the prizes and the level-6 movie, the way back to the
// hub, and play that goes on without the movies or the sequence sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FlowStage.h"
#include "framework/LevelBanner.h"
#include "framework/MultiTimer.h"
#include "framework/NumericDisplay.h"

namespace {

using Names = std::vector<std::string>;

class Flow : public test::FlowStage {
protected:
  // The line that a judgement drew, of those given.
  static std::string OneOf(const Names& lines, const Names& group) {
    for (const std::string& line : lines) {
      if (std::find(group.begin(), group.end(), line) != group.end()) return line;
    }
    return "";
  }
  const Names kWrongLines = {"2701", "2710", "2730", "2740", "2750", "2760"};
  const Names kGoodLines = {"2770", "2780", "2781", "2790", "2810", "2820",
                            "2821", "2822", "2823", "2840", "2720", "2850"};
  const Names kSlowFirstLines = {"2910", "2930", "2950", "2960"};

  // The level's first sequence copied: the praise and the sequence sound are under way.
  void CopyFirstSequence() {
    ReachTurn();
    CopyInTime(DueShapes());
    ASSERT_EQ(State(), 16);
    EXPECT_EQ(m_game->GetGuidePose(), 21);
  }
};

}  // namespace

// Once the bubbles are filled the demonstration waits for the metronome's next beat; its end is the
// player's turn: the guide beside the player and the shapes enabled.
TEST_F(Flow, TheDemonstrationStartsOnABeatAndEndsInThePlayersTurn) {
  StartGame();
  EXPECT_EQ(State(), 0);
  ASSERT_TRUE(FramesUntil([&] {
    if (State() == 1 && m_game->GetSpeechQueue()->IsPlaying()) m_app.PostCharEvent(' ');
    return State() == 9;
  }));
  auto* level = m_game->GetLevel();
  bool sawReady = false;
  bool started = false;
  for (int frame = 0; frame < 300 && !started; ++frame) {
    const int32_t phase = level->GetPhase();
    const uint32_t beat = m_game->GetMetronome()->GetTimer().GetDeadline();
    Frame();
    const bool beatDue = static_cast<int32_t>(Now() - beat) >= 0;
    if (level->GetPhase() == Game4Node::Level::kDemonstrating) {
      started = true;
      EXPECT_EQ(phase, Game4Node::Level::kReady);
      EXPECT_TRUE(beatDue) << "the demonstration began between beats";
    } else if (phase == Game4Node::Level::kReady) {
      sawReady = true;
      EXPECT_FALSE(beatDue) << "a beat passed a ready demonstration by";
    }
  }
  EXPECT_TRUE(sawReady);
  ASSERT_TRUE(started);
  EXPECT_EQ(m_game->GetGuidePose(), 7);
  EXPECT_FALSE(ShapesEnabled());
  ASSERT_TRUE(FramesUntil([&] { return State() == 11; }));
  EXPECT_FALSE(ShapesEnabled()) << "not before the guide is beside the player";
  ASSERT_TRUE(FramesUntil([&] { return ShapesEnabled(); }));
  EXPECT_EQ(m_game->GetGuidePose(), 11);
  EXPECT_EQ(State(), 11);
}

// A copy with a wrong shape comes again with the same shapes and the box unticked, each time with a
// correction that differs from the last and is never the group's first line the first time. A right
// copy ticks the box and the next sequence follows.
TEST_F(Flow, AWrongCopyComesAgainWithItsShapesARightOneTicksItsBox) {
  Entry().level = 4;
  Entry().gameValue = 4;
  StartGame();
  ASSERT_EQ(m_game->GetLevel()->GetSequenceCount(), 2);
  Names corrections;
  for (int attempt = 0; attempt < 4; ++attempt) {
    SCOPED_TRACE(attempt);
    ReachTurn();
    const std::vector<int32_t> shapes = DueShapes();
    ASSERT_EQ(shapes.size(), 2u);
    PressShape((shapes[0] + 1) % 5);
    PressShape(shapes[1]);
    ASSERT_EQ(State(), 14);
    EXPECT_EQ(m_game->GetGuidePose(), 22);
    EXPECT_EQ(BoxLook(0), 0u);
    EXPECT_FALSE(ShapesEnabled());
    const size_t mark = Mark();
    ASSERT_TRUE(FramesUntil([&] { return State() == 9; }));
    corrections.push_back(OneOf(LinesSince(mark), kWrongLines));
    EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 0);
    EXPECT_EQ(DueShapes(), shapes);
  }
  EXPECT_NE(corrections[0], "2701");
  for (size_t i = 0; i < corrections.size(); ++i) {
    EXPECT_NE(corrections[i], "") << i;
    if (i > 0) {
      EXPECT_NE(corrections[i], corrections[i - 1]) << i;
    }
  }

  CopyFirstSequence();
  EXPECT_EQ(BoxLook(0), 1u);
  EXPECT_EQ(BoxLook(1), 0u);
  ASSERT_TRUE(FramesUntil([&] { return State() == 9; }));
  EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 1);
  EXPECT_EQ(Current()->GetName(), "g4_timing2");
  EXPECT_EQ(DueShapes().size(), 3u);
  EXPECT_EQ(BoxLook(0), 1u);
}

// No press within twenty seconds of the turn is too slow: the shapes go off, a slow line (never the
// group's first the first time) and the same sequence again.
TEST_F(Flow, TwentySecondsWithoutAPressAreTooSlow) {
  StartGame();
  const uint32_t turn = ReachTurn();
  const std::vector<int32_t> shapes = DueShapes();
  ASSERT_TRUE(FramesUntil([&] { return State() != 11; }, 300, 100));
  EXPECT_EQ(State(), 15);
  EXPECT_GE(Now() - turn, 20000u);
  EXPECT_LE(Now() - turn, 20100u);
  EXPECT_EQ(m_game->GetGuidePose(), 22);
  EXPECT_FALSE(ShapesEnabled());
  const size_t mark = Mark();
  ASSERT_TRUE(FramesUntil([&] { return State() == 9; }));
  const std::string slow = OneOf(LinesSince(mark), kSlowFirstLines);
  EXPECT_NE(slow, "");
  EXPECT_NE(slow, "2910");
  EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 0);
  EXPECT_EQ(DueShapes(), shapes);
  ReachTurn();
  EXPECT_EQ(State(), 11);
}

// The praise cut short before the sequence sound ends: the next sequence waits for the sound.
TEST_F(Flow, TheJoinWaitsForTheSequenceSoundAfterTheSpeech) {
  Entry().level = 4;
  Entry().gameValue = 4;
  StartGame();
  CopyFirstSequence();
  ASSERT_TRUE(m_game->GetLevel()->IsSequenceSoundPlaying());
  const size_t mark = Mark();
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetSpeechQueue()->IsPlaying(); }));
  EXPECT_NE(OneOf(LinesSince(mark), kGoodLines), "2770") << "the first praise is never the group's first";
  m_app.PostCharEvent(' ');
  Frame();
  ASSERT_TRUE(m_game->GetLevel()->IsSequenceSoundPlaying()) << "the sound ended before the speech";
  EXPECT_TRUE(m_game->IsSpeechDone());
  EXPECT_FALSE(m_game->IsSequenceSoundDone());
  EXPECT_EQ(State(), 16);
  EXPECT_NE(m_game->GetGuidePose(), 16);
  ASSERT_TRUE(FramesUntil([&] { return State() != 16; }));
  EXPECT_EQ(State(), 9);
  EXPECT_FALSE(m_game->GetLevel()->IsSequenceSoundPlaying());
  EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 1);
}

// A sequence sound shorter than the praise: the next sequence waits for the speech.
TEST_F(Flow, TheJoinWaitsForTheSpeechAfterTheSequenceSound) {
  UseContentCopy();
  ReplaceContentBy("GAME4", "G4_sequence.wav", "G4_tick.wav");
  Entry().level = 4;
  Entry().gameValue = 4;
  StartGame();
  CopyFirstSequence();
  ASSERT_TRUE(FramesUntil([&] { return m_game->IsSequenceSoundDone(); }));
  EXPECT_FALSE(m_game->IsSpeechDone());
  EXPECT_EQ(State(), 16);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetSpeechQueue()->IsPlaying(); }));
  EXPECT_EQ(State(), 16);
  ASSERT_TRUE(FramesUntil([&] { return State() != 16; }));
  EXPECT_EQ(State(), 9);
  EXPECT_FALSE(m_game->GetSpeechQueue()->IsPlaying());
  EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 1);
}

// Without a sequence sound the join has only the speech to wait for.
TEST_F(Flow, WithoutTheSequenceSoundTheNextSequenceFollowsTheSpeech) {
  UseContentCopy();
  RemoveContent("GAME4", "G4_sequence.wav");
  Entry().level = 4;
  Entry().gameValue = 4;
  StartGame();
  CopyFirstSequence();
  EXPECT_TRUE(m_game->IsSequenceSoundDone());
  ASSERT_TRUE(FramesUntil([&] { return State() != 16; }));
  EXPECT_EQ(State(), 9);
  EXPECT_EQ(m_game->GetLevel()->GetSequenceIndex(), 1);
}

// The arrows show and allow what the highest level reached allows.
TEST_F(Flow, TheLevelButtonsFollowTheLevelShownAndTheHighestReached) {
  StartGame();
  struct Case {
    int32_t highest;
    uint32_t shown;
    bool downShown, downEnabled, upShown, upEnabled;
  };
  const Case cases[] = {
      {1, 1, false, false, true, false},  {4, 1, false, false, true, true}, {4, 2, true, true, true, true},
      {4, 4, true, true, true, false},    {20, 19, true, true, true, true}, {20, 20, true, true, false, false},
  };
  auto* down = dynamic_cast<Clickable*>(m_game->FindObject("LevelButton_0"));
  auto* up = dynamic_cast<Clickable*>(m_game->FindObject("LevelButton_1"));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "highest " << c.highest << ", shown " << c.shown);
    Entry().level = c.highest;
    m_game->GetLevelDisplay()->SetValue(c.shown);
    Frame();
    EXPECT_EQ(Shown("LevelButton_0"), c.downShown);
    EXPECT_EQ(down->IsEnabled(), c.downEnabled);
    EXPECT_EQ(Shown("LevelButton_1"), c.upShown);
    EXPECT_EQ(up->IsEnabled(), c.upEnabled);
  }
}

// An arrow moves the level by one: its sequences, the banner with its number, a score of 0; the way
// back to the hub keeps the level last played.
TEST_F(Flow, AnArrowChangesTheLevelAndTheLevelLastPlayedIsKept) {
  Entry().level = 4;
  Entry().gameValue = 2;
  StartGame();
  ReachTurn();
  ClickOn("LevelButton_1");
  EXPECT_EQ(State(), 6);
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 3u);
  EXPECT_EQ(m_game->GetLevel()->GetLevelIndex(), 2);
  EXPECT_EQ(m_game->GetScoreDisplay()->GetValue(), 0u);
  EXPECT_FALSE(ShapesEnabled());
  auto* banner = dynamic_cast<LevelBanner*>(m_game->FindObject("banner"));
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->GetLevel(), 3);
  ClickOn("LevelButton_0");
  ClickOn("LevelButton_0");
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 1u);
  ClickOn("LevelButton_0");
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 1u) << "below level 1";
  EXPECT_EQ(Entry().level, 4);

  // Leaving in the player's turn: the twenty seconds no longer count.
  ReachTurn();
  ClickOn("exitButton");
  EXPECT_EQ(State(), 4);
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentNode() != m_game; }, 2500, 10));
  m_game = nullptr;
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), 6);
  EXPECT_EQ(Entry().gameValue, 1u);
  EXPECT_EQ(Entry().level, 4);
}

// Level 3 the first time: the score with the bonus, the prize movie, the prize byte, level 4, the high
// score and its byte; the movie's end brings the banner of level 4.
TEST_F(Flow, ALevelWonTheFirstTimeGivesItsPrizeAndTheNextLevel) {
  Entry().level = 3;
  Entry().gameValue = 3;
  Entry().levelFlags[0] = Entry().levelFlags[1] = 1;
  StartGame();
  ReachTurn();
  const size_t mark = Mark();
  CopyInTime(DueShapes());
  ASSERT_EQ(State(), 8);
  // The first press, at its own time, is early for its mark: the shape's points; the second in its
  // sweet spot: note and shape points; then the bonus of a sequence copied without fault.
  EXPECT_EQ(m_game->GetScoreDisplay()->GetValue(), 10u + 40u + 100u);
  ASSERT_TRUE(FramesUntil([&] { return MoviePlayer::Instance().IsPlaying(); }));
  EXPECT_EQ(LinesSince(mark), Names({"2860", "2870"}));
  EXPECT_TRUE(MoviePlays("Prize_Anchor"));
  EXPECT_EQ(Entry().levelFlags[2], 1);
  EXPECT_EQ(Entry().level, 4);
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 4u);
  EXPECT_EQ(Entry().highScore, 150);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  SkipMovie();
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_EQ(State(), 6);
  EXPECT_EQ(m_game->GetLevel()->GetLevelIndex(), 3);
  EXPECT_EQ(dynamic_cast<LevelBanner*>(m_game->FindObject("banner"))->GetLevel(), 4);
  EXPECT_EQ(Movies(), Names({"Prize_Anchor"}));
  // The banner's number, once it has flown in.
  auto* banner = dynamic_cast<LevelBanner*>(m_game->FindObject("banner"));
  ASSERT_TRUE(FramesUntil([&] { return banner->GetAnimationId() == LevelBanner::kAnimationHold; }));
  ASSERT_NE(banner->GetOnesDigit(), nullptr);
  EXPECT_EQ(banner->GetOnesDigit()->GetAnimationId(), 4u);
  EXPECT_EQ(banner->GetOnesDigit()->GetX(), 388.0f);
  EXPECT_EQ(banner->GetOnesDigit()->GetY(), 402.0f);
  EXPECT_TRUE(banner->GetOnesDigit()->GetSceneObject() && banner->GetOnesDigit()->GetSceneObject()->IsVisible());
}

// Level 3 again: the other lines, no movie, the next level's banner; a lower score is not kept.
TEST_F(Flow, ALevelWonAgainGivesNoPrize) {
  Entry().level = 4;
  Entry().gameValue = 3;
  Entry().highScore = 5000;
  for (int i = 0; i < 3; ++i) Entry().levelFlags[i] = 1;
  StartGame();
  ReachTurn();
  const size_t mark = Mark();
  CopyInTime(DueShapes());
  ASSERT_TRUE(FramesUntil([&] { return State() == 6; }));
  EXPECT_EQ(LinesSince(mark), Names({"2880", "2900"}));
  EXPECT_EQ(Movies(), Names{});
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 4u);
  EXPECT_EQ(m_game->GetLevel()->GetLevelIndex(), 3);
  EXPECT_EQ(Entry().level, 4);
  EXPECT_EQ(Entry().highScore, 5000);
  EXPECT_EQ(ActivePlayerData.newResult, 0);
}

// Level 5: "Prize_Pearl", then "MoonfishFMV", then lines "6000" and "6001", then the banner of 6.
TEST_F(Flow, TheFifthLevelLeadsToTheMoonfishMovieAndItsLines) {
  Entry().level = 5;
  Entry().gameValue = 5;
  for (int i = 0; i < 4; ++i) Entry().levelFlags[i] = 1;
  StartGame();
  CopyLevel();
  ASSERT_TRUE(FramesUntil([&] { return MoviePlayer::Instance().IsPlaying(); }));
  EXPECT_TRUE(MoviePlays("Prize_Pearl"));
  EXPECT_EQ(Entry().levelFlags[4], 1);
  EXPECT_EQ(Entry().level, 6);
  SkipMovie();
  EXPECT_TRUE(MoviePlays("MoonfishFMV"));
  const size_t mark = Mark();
  SkipMovie();
  EXPECT_EQ(State(), 7);
  ASSERT_TRUE(FramesUntil([&] { return State() == 6; }));
  EXPECT_EQ(LinesSince(mark), Names({"6000", "6001"}));
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "MoonfishFMV"}));
  EXPECT_EQ(m_game->GetLevel()->GetLevelIndex(), 5);
  EXPECT_EQ(dynamic_cast<LevelBanner*>(m_game->FindObject("banner"))->GetLevel(), 6);
}

// Movies that cannot play end at once: the same way is taken, the next level in place.
TEST_F(Flow, WithoutTheMoviesPlayGoesOn) {
  UseContentCopy();
  RemoveContent("Movies", "Prize_Pearl.bik");
  RemoveContent("Movies", "MoonfishFMV.bik");
  Entry().level = 5;
  Entry().gameValue = 5;
  for (int i = 0; i < 4; ++i) Entry().levelFlags[i] = 1;
  StartGame();
  CopyLevel();
  const size_t mark = Mark();
  ASSERT_TRUE(FramesUntil([&] { return State() == 7; }));
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "MoonfishFMV"}));
  ASSERT_TRUE(FramesUntil([&] { return State() == 6; }));
  const Names lines = LinesSince(mark);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(Names(lines.end() - 2, lines.end()), Names({"6000", "6001"}));
  EXPECT_EQ(m_game->GetLevel()->GetLevelIndex(), 5);
  EXPECT_EQ(Entry().level, 6);
  EXPECT_EQ(Entry().levelFlags[4], 1);
  ReachTurn();
}

// A school whose sprite is missing is refused by name.
TEST_F(Flow, AMissingSchoolSpriteIsRefused) {
  UseContentCopy();
  RemoveContent("GAME4", "G4_moonfish.qela");
  const std::string text = Enter();
  EXPECT_NE(text.find("'G4_moonfish'"), std::string::npos) << text;
}

// The exit button while the won level's lines are still to come: the level is booked once (prize,
// level, the prize movie) and the way out is kept after the movie.
TEST_F(Flow, LeavingAWonLevelBooksItOnce) {
  Entry().level = 3;
  Entry().gameValue = 3;
  Entry().levelFlags[0] = Entry().levelFlags[1] = 1;
  StartGame();
  ReachTurn();
  CopyInTime(DueShapes());
  ASSERT_EQ(State(), 8);
  ClickOn("exitButton");
  EXPECT_GE(State(), 3);
  EXPECT_LE(State(), 5);
  EXPECT_EQ(Entry().levelFlags[2], 1);
  EXPECT_EQ(Entry().level, 4);
  EXPECT_EQ(m_game->GetLevelDisplay()->GetValue(), 4u);
  EXPECT_TRUE(MoviePlays("Prize_Anchor"));
  SkipMovie();
  EXPECT_GE(State(), 3);
  EXPECT_LE(State(), 5);
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentNode() != m_game; }, 2500));
  m_game = nullptr;
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), 6);
  EXPECT_EQ(Movies(), Names({"Prize_Anchor"}));
  EXPECT_EQ(Entry().gameValue, 4u);
  EXPECT_EQ(Entry().level, 4);
}
