// The music game's recorder on the generated content: what a recording keeps (not the help button's
// clicks), its snapshots and its bar, its two-minute end, a replay that presses what was recorded
// and brings the start state back, and leaving the game in the middle of a replay.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Game3Stage.h"
#include "game3/Game3Clam.h"
#include "game3/Game3Recorder.h"

namespace {

using Names = std::vector<std::string>;

class Game3Recording : public test::Game3Stage {
protected:
  void SetUp() override {
    Game3Stage::SetUp();
    Start();
    SkipIntro();
    m_recorder = m_node->GetRecorder();
    ASSERT_NE(m_recorder, nullptr);
    ASSERT_TRUE(m_recorder->IsIdle());
  }

  void PressAndRelease(const char* name) {
    const Qel::Point2 at = CentreOf(name);
    MouseAt(EventId::MouseDown, at.X(), at.Y());
    Frame(20);
    MouseAt(EventId::MouseUp, at.X(), at.Y());
    Frame(20);
  }
  size_t ShownSegments(Game3Node::RecordMeter::Form form) const {
    size_t shown = 0;
    for (GenericObject* segment : m_node->GetRecordMeter()->GetSegments(form)) shown += Shown(segment);
    return shown;
  }

  Game3Node::InputTraceList* m_recorder = nullptr;
};

TEST_F(Game3Recording, ARecordingKeepsTheInputButTheHelpButtonsAndShowsASegmentPerTwoSeconds) {
  ClickObject("rec_record");
  EXPECT_EQ(m_node->GetMode(), Game3Node::kRecording);
  EXPECT_TRUE(m_recorder->IsRecording());
  ASSERT_EQ(m_recorder->GetStates().size(), 1u);
  EXPECT_EQ(m_recorder->GetStates()[0].flags, 0x1Fu);
  EXPECT_EQ(m_node->GetRecordMeter()->GetSegments(Game3Node::RecordMeter::kRecordBar).size(), 60u);

  // The help button's click opens the help screen, and is not recorded.
  PressAndRelease("help");
  EXPECT_EQ(m_recorder->Count(), 0u);
  ASSERT_TRUE(m_node->IsHelpScreenOpen());
  const uint32_t start = m_recorder->GetStartTime();
  Frames(10, 40);
  m_node->CloseHelpScreen();
  Frame(20);
  // The game clock stood while the screen was open: the recording's start did not move.
  EXPECT_EQ(m_recorder->GetStartTime(), start);
  PressAndRelease("clam3_button");
  EXPECT_EQ(m_recorder->Count(), 2u);
  EXPECT_EQ(m_node->GetClam(3)->GetState(), Game3Node::Clam::kReleased);

  Frames(100, 40);
  EXPECT_EQ(ShownSegments(Game3Node::RecordMeter::kRecordBar), 2u);
  ClickObject("sets_randomize");
  ASSERT_EQ(m_recorder->GetStates().size(), 2u);
  EXPECT_EQ(m_recorder->GetStates()[1].flags, 0x18u);
  // The marks are apart and never at 0.
  const MultiTimer& marks = m_recorder->GetMainTimer();
  EXPECT_GE(const_cast<MultiTimer&>(marks).At(0), 1u);

  ClickObject("rec_stop");
  EXPECT_TRUE(m_recorder->IsIdle());
  EXPECT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
  Frame();
  EXPECT_FALSE(m_node->GetRecordMeter()->IsActive());
  EXPECT_EQ(ShownSegments(Game3Node::RecordMeter::kRecordBar), 0u);
  // A second recording button while recording does nothing; "rec_play" with nothing goes back.
}

TEST_F(Game3Recording, ARecordingEndsByItselfAfterTwoMinutes) {
  ClickObject("rec_record");
  Frames(30, 2000);
  EXPECT_TRUE(m_recorder->IsRecording());
  EXPECT_EQ(ShownSegments(Game3Node::RecordMeter::kRecordBar), 30u);
  Frames(31, 2000);
  EXPECT_TRUE(m_recorder->IsIdle());
  Frame();
  EXPECT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
  EXPECT_FALSE(m_node->GetRecordMeter()->IsActive());
}

TEST_F(Game3Recording, AReplayPressesWhatWasRecordedAndBringsTheStartStateBack) {
  std::vector<uint32_t> recorded;
  for (int i = 0; i < 8; ++i) recorded.push_back(AnimationOf(("sets_objects0" + std::to_string(i)).c_str()));
  ClickObject("rec_record");
  Frames(10, 20);
  PressAndRelease("clam3_button");
  Frames(10, 20);
  ClickObject("rec_stop");
  for (int i = 0; i < 8; ++i) Sprite(("sets_objects0" + std::to_string(i)).c_str())->SetAnimation((recorded[i] + 1) % 3, 0);

  // With nothing playing first; the replay's own sounds come from the recorded input.
  ClickObject("rec_play");
  EXPECT_EQ(m_node->GetMode(), Game3Node::kReplaying);
  EXPECT_TRUE(m_recorder->IsReplaying());
  ClearSounds();
  ASSERT_TRUE(FramesUntil([this] { return m_recorder->IsIdle(); }, 200, 20));
  std::vector<uint32_t> replayed;
  for (int i = 0; i < 8; ++i) replayed.push_back(AnimationOf(("sets_objects0" + std::to_string(i)).c_str()));
  EXPECT_EQ(replayed, recorded);
  const Names started = Started();
  EXPECT_NE(std::find(started.begin(), started.end(), "clam3_sound_attack"), started.end());
  Frame();
  EXPECT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
}

TEST_F(Game3Recording, ReplayWithNothingRecordedGoesBackToFreePlayAndLeavingMidReplayIsSafe) {
  ClickObject("rec_play");
  Frame();
  EXPECT_EQ(m_node->GetMode(), Game3Node::kFreePlay);

  ClickObject("rec_record");
  const Qel::Point2 at = CentreOf("clam1_button");
  MouseAt(EventId::MouseDown, at.X(), at.Y());
  Frames(50, 40);
  MouseAt(EventId::MouseUp, at.X(), at.Y());
  Frame(20);
  ClickObject("rec_stop");
  ClickObject("rec_play");
  Frames(5, 20);
  ASSERT_TRUE(m_recorder->IsReplaying());
  NodeManager::Instance().RequestNode(kNodeHub);
  Frames(3);
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeHub);
  // Input after the game is gone reaches no recorder.
  MouseAt(EventId::MouseDown, 10, 10);
  Frames(3);
}

}  // namespace
