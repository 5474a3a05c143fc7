// The shape game's level: the difficulty between easy and hard, the refusal of levels that cannot be
// played, and a level run on the game's clock: the demonstration on a beat, the copy scored press by
// press, the judgements (copied, wrong, too slow, no start within 20 s) and the level's end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LevelStage.h"
#include "game4/BubbleList.h"

namespace {

using Names = std::vector<std::string>;

class LevelTest : public test::LevelStage {};

// What the thrown text says, or "" when nothing was thrown.
template <typename Call>
std::string Refusal(Call call) {
  try {
    call();
  } catch (const char* text) {
    return text;
  }
  return "";
}

}  // namespace

TEST_F(LevelTest, EachSequenceTakesItsShareOfTheWayFromEasyToHard) {
  StartLevelRoom();
  struct Case {
    int32_t count;
    int32_t easy;
    int32_t hard;
    std::vector<int32_t> values;
  };
  const Case cases[] = {
      {5, 100, 300, {100, 140, 180, 220, 260}},
      {3, 0, -7, {0, -2, -4}},  // toward zero, not down
      {3, 10, 0, {10, 6, 3}},
      {1, 2000000000, -2000000000, {2000000000}},
      {2, 2000000000, -2000000000, {2000000000, 0}},  // products beyond 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " sequences from " << c.easy << " to " << c.hard);
    m_level->SetTxtValue("settings", (std::to_string(c.count) + " 0").c_str());
    m_level->SetTxtValue("easy_settings", (std::to_string(c.easy) + " 0 0 0 0").c_str());
    m_level->SetTxtValue("hard_settings", (std::to_string(c.hard) + " 0 0 0 0").c_str());
    for (int32_t k = 0; k < c.count; ++k)
      EXPECT_EQ(m_level->Interpolated(Game4Node::Level::kWindow, k), c.values[static_cast<size_t>(k)]) << k;
  }
}

TEST_F(LevelTest, LoadingPreparesTheFirstSequenceWithNewShapesAndEasyValues) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->GetName(), "seq_one");
  EXPECT_EQ(Current()->GetExpectedPresses(), 2);
  EXPECT_EQ(m_level->GetLevelIndex(), 0);
  EXPECT_EQ(m_level->GetSequenceCount(), 2);
  EXPECT_STREQ(m_level->GetMetronomeSoundFile(), "tick");
  EXPECT_STREQ(m_level->GetMetronomeMarks(), "beat");
  for (uint32_t k = 0; k < 4; ++k) {
    EXPECT_GE(DueShape(k), 0);
    EXPECT_LT(DueShape(k), 5);
  }
  const auto& settings = Game4Node::TimingMark::GetSettings();
  EXPECT_EQ(settings.window, 200);
  EXPECT_EQ(settings.sweet, 50);
  EXPECT_EQ(settings.shapePoints, 10);
  EXPECT_EQ(settings.notePoints, 30);
  EXPECT_NE(settings.sounds.sweet, nullptr);
  EXPECT_EQ(m_level->GetBubbles()->Count(), 20u);
  EXPECT_EQ(SchoolLook(), 0u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(BoxLook(i), 0u);
}

TEST_F(LevelTest, LevelsThatCannotBePlayedAreRefusedNamingTheResource) {
  struct Case {
    const char* what;
    std::string globals;
    std::string level;
    std::string timing;
    std::string beat;
    int32_t number;
    const char* names;
  };
  const std::string good = "settings = 1, 0\nsequences = seq_x\nmetronome = tick beat\n";
  const std::string timing = "strong = 100\nweak = 800\nweak = 2000\n";
  const std::string beat = "mark = 0\nwrap = 500\n";
  std::string twelve;
  for (int i = 0; i < 10; ++i) twelve += "strong = " + std::to_string(100 * i) + "\n";
  twelve += "weak = 5000\nweak = 6000\n";
  const Case cases[] = {
      {"no level file", kGlobals, good, timing, beat, 2, "'level02_'"},
      {"no sequence", kGlobals, "settings = 1, 0\n", timing, beat, 1, "'level01_'"},
      {"count 0", kGlobals, "settings = 0, 0\nsequences = seq_x\n", timing, beat, 1, "'level01_'"},
      {"no school", "bubbles = b x pop 0 20\n", good, timing, beat, 1, "No moonfish school for 'level01_'"},
      {"no school object", "moonfish = shape0 fish good bad 0 nothing\n", good, timing, beat, 1,
       "names no object"},
      {"four shapes", "moonfish = shape0 a b c shape1 a b c shape2 a b c shape3 a b c 1 moonfish\n", good,
       timing, beat, 1, "has not five shapes"},
      {"one shape", "moonfish = shape0 a b c 0 moonfish\n", good, timing, beat, 1, "has not five shapes"},
      {"shape cut short", "moonfish = shape0 fish good\n", good, timing, beat, 1,
       "'moonfish' in 'G4_globals'"},
      {"no school named", "moonfish = shape0 fish good bad 1\n", good, timing, beat, 1,
       "'moonfish' in 'G4_globals'"},
      {"bubbles cut short", "bubbles = b x pop 10\n", good, timing, beat, 1, "'bubbles' in 'G4_globals'"},
      {"timing file missing", kGlobals, "settings = 1, 0\nsequences = seq_gone\n", timing, beat, 1,
       "'seq_gone'"},
      {"two marks", kGlobals, good, "strong = 100\nweak = 800\n", beat, 1, "'seq_x'"},
      {"thirteen marks", kGlobals, good, "strong = 1\n" + twelve, beat, 1, "'seq_x'"},
      {"strong second to last", kGlobals, good, "strong = 100\nstrong = 800\nweak = 2000\n", beat, 1,
       "'seq_x'"},
      {"beat wraps early", kGlobals, good, timing, "mark = 0\nmark = 600\nwrap = 500\n", 1, "'beat'"},
  };
  StartLevelRoom();
  m_level.reset();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Text("G4_globals", c.globals);
    Text("level01_", c.level);
    Text("seq_x", c.timing);
    Text("beat", c.beat);
    Game4Node::Level level(*m_levelRoom, *m_levelRoom);
    const std::string text = Refusal([&] {
      level.LoadGlobals();
      level.LoadLevel(c.number);
    });
    EXPECT_NE(text.find(c.names), std::string::npos) << text;
  }
  // Twelve marks, a beat wrapping at its last mark, and "bubbles" over twenty play.
  Text("G4_globals", std::string(kGlobals) + "bubbles = b x pop 0 99\n");
  Text("level01_", good);
  Text("seq_x", twelve);
  Text("beat", "mark = 0\nmark = 500\nwrap = 500\n");
  Game4Node::Level level(*m_levelRoom, *m_levelRoom);
  EXPECT_EQ(Refusal([&] {
              level.LoadGlobals();
              level.LoadLevel(1);
            }),
            "");
  EXPECT_EQ(level.GetCurrentSequence()->GetExpectedPresses(), 10);
  EXPECT_EQ(level.GetBubbles()->Count(), 20u);
}

TEST_F(LevelTest, TheDemonstrationWaitsForTheBubblesAndABeatThenShowsEachStrongMark) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  Step(9);
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kReady) << "a step count of 0 fills at once";
  EXPECT_TRUE(m_level->GetBubbles()->At(1)->IsBlown());
  EXPECT_FALSE(m_level->GetBubbles()->At(2)->IsBlown());
  // No beat, no demonstration.
  for (int i = 0; i < 30; ++i) Step(9);
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kReady);
  EXPECT_EQ(SchoolLook(), 0u);

  m_level->OnMark(nullptr);
  const uint32_t beat = Now();
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kDemonstrating);
  EXPECT_EQ(Game4Node::TimingMark::GetSettings().offset, 1);
  std::vector<uint32_t> looks;
  while (m_levelRoom->calls.empty() && Now() - beat < 3000) {
    Step(9);
    if (looks.empty() || looks.back() != SchoolLook()) looks.push_back(SchoolLook());
  }
  const uint32_t first = static_cast<uint32_t>(DueShape(0));
  const uint32_t second = static_cast<uint32_t>(DueShape(1));
  EXPECT_EQ(looks, (std::vector<uint32_t>{0, 3 * first + 5, 3 * first + 7, 3 * second + 5, 3 * second + 7}));
  EXPECT_EQ(m_levelRoom->calls, Names{"turn"});
  EXPECT_GE(Now() - beat, 801u);
  EXPECT_LE(Now() - beat, 811u);
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kWaiting);
  EXPECT_TRUE(m_level->GetTimeoutTimer().IsActive());
}

TEST_F(LevelTest, NoStartWithinTwentySecondsOfTheTurnIsTooSlow) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  ShapeButton(2)->Enable();
  Demonstrate();
  m_levelRoom->calls.clear();
  const uint32_t turn = Now();
  while (m_levelRoom->calls.empty() && Now() - turn < 25000) Step(11, 100);
  EXPECT_EQ(m_levelRoom->calls, Names{"result wrong slow"});
  EXPECT_GE(Now() - turn, 20000u);
  EXPECT_LT(Now() - turn, 20100u);
  EXPECT_FALSE(ShapeButton(2)->IsEnabled());
  EXPECT_EQ(SchoolLook(), 0u);
}

TEST_F(LevelTest, ACopyInTimeScoresEachPressAddsTheBonusAndMovesOnWithNewShapes) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  Demonstrate();
  m_levelRoom->calls.clear();
  BeginCopy();
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kCopying);
  EXPECT_FALSE(m_level->GetTimeoutTimer().IsActive());
  // The first press is the one that began the copy: t = 0, 100 ms before its mark, in the near band.
  const int32_t first = DueShape(0);
  const int32_t second = DueShape(1);
  EXPECT_EQ(Press(first), 10 + 10);
  while (Now() - m_levelRoom->pressTime < 400) Step(12);
  EXPECT_EQ(Press(second), 10 + 30 + 100) << "sweet spot and the bonus";
  EXPECT_EQ(m_level->GetPoints(), 20 + 140);
  EXPECT_EQ(m_levelRoom->calls, Names{"result correct"});
  EXPECT_EQ(SchoolLook(), 20u);
  EXPECT_EQ(BoxLook(0), 1u);
  EXPECT_EQ(BoxLook(1), 0u);
  EXPECT_TRUE(m_level->IsSequenceSoundPlaying());
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(ShapeButton(i)->IsEnabled());
  // The mark that would have judged the copy was stopped with the last press.
  for (int i = 0; i < 200; ++i) Step(12);
  EXPECT_EQ(m_levelRoom->calls, Names{"result correct"});

  m_level->StartSequence();
  EXPECT_EQ(m_level->GetSequenceIndex(), 1);
  EXPECT_EQ(Current()->GetName(), "seq_two");
  EXPECT_EQ(m_level->GetPoints(), 0);
  EXPECT_GE(DueShape(0), 0);
  EXPECT_EQ(Game4Node::TimingMark::GetSettings().window, 250);
  EXPECT_EQ(Game4Node::TimingMark::GetSettings().sweet, 55);
  EXPECT_EQ(m_level->GetPhase(), Game4Node::Level::kWaiting);
}

TEST_F(LevelTest, AWrongPressFailsTheCopyAndTheSequenceComesAgainWithItsShapes) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  Demonstrate();
  m_levelRoom->calls.clear();
  BeginCopy();
  const int32_t first = DueShape(0);
  const int32_t second = DueShape(1);
  EXPECT_EQ(Press((first + 1) % 5), 0);
  EXPECT_FALSE(m_level->IsSuccessful());
  EXPECT_TRUE(m_level->GetBubbles()->At(10)->IsPopped());
  while (Now() - m_levelRoom->pressTime < 400) Step(12);
  EXPECT_EQ(Press(second), 40) << "scored, but no bonus";
  EXPECT_EQ(m_levelRoom->calls, Names{"result wrong"});
  EXPECT_EQ(SchoolLook(), 0u);
  EXPECT_EQ(BoxLook(0), 0u);

  m_level->StartSequence();
  EXPECT_EQ(m_level->GetSequenceIndex(), 0);
  EXPECT_EQ(Current()->GetName(), "seq_one");
  EXPECT_EQ(DueShape(0), first);
  EXPECT_EQ(DueShape(1), second);
  EXPECT_TRUE(m_level->GetBubbles()->At(10)->IsIdle());
}

TEST_F(LevelTest, ACopyLeftUnfinishedIsJudgedAtTheLastMarkAsTooSlow) {
  StartLevelRoom();
  m_level->LoadLevel(1);
  Demonstrate();
  m_levelRoom->calls.clear();
  BeginCopy();
  EXPECT_GT(Press(DueShape(0)), 0);
  while (m_levelRoom->calls.empty() && Now() - m_levelRoom->pressTime < 3000) Step(12);
  EXPECT_EQ(m_levelRoom->calls, Names{"result wrong slow"});
  EXPECT_GE(Now() - m_levelRoom->pressTime, 2001u);
  EXPECT_LE(Now() - m_levelRoom->pressTime, 2011u);
}

TEST_F(LevelTest, TheLastSequenceCopiedCompletesTheLevelAndLetsGoOfItsSequences) {
  Text("level01_", "settings = 1, 0\neasy_settings = 200, 50, 10, 30, 100\nsequences = seq_one\n");
  StartLevelRoom();
  m_level->LoadLevel(1);
  Demonstrate();
  m_levelRoom->calls.clear();
  BeginCopy();
  Press(DueShape(0));
  while (Now() - m_levelRoom->pressTime < 400) Step(12);
  Press(DueShape(1));
  EXPECT_EQ(m_levelRoom->calls, Names{"complete"});
  EXPECT_EQ(m_level->GetSequences(), nullptr);
  EXPECT_STREQ(m_level->GetMetronomeMarks(), "");
  // Nothing is left to play or to press until the next level loads.
  for (int i = 0; i < 20; ++i) Step(12);
  EXPECT_EQ(m_level->GetShapePoints(0), 0);
  m_level->StartSequence();
  m_level->LoadLevel(1);
  EXPECT_EQ(Current()->GetName(), "seq_one");
}
