// Timing marks and sequences: the score of a press by its distance from the mark, with its sound;
// timing files; the timers of a mark and the walk over them; the presses a player still owes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PieceStage.h"
#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameTimer.h"
#include "framework/VariantSound.h"
#include "game4/BubbleList.h"
#include "game4/Moonfish.h"
#include "game4/Sequence.h"
#include "game4/ShapeList.h"

namespace {

using Names = std::vector<std::string>;

// Timer expiries by name, with a hook that runs while the expiry is delivered.
class Expiries : public Qel::IEventListener {
public:
  Expiries() { Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this); }
  ~Expiries() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  void HandleEvent(int kind, int id, void* data) override {
    if (kind != kEventGameObject || id != kEventTimerExpired) return;
    names.push_back(static_cast<GameTimer*>(data)->GetName());
    if (onExpiry) onExpiry(names.back());
  }
  Names names;
  std::function<void(const std::string&)> onExpiry;
};

class Marks : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    StartRoom();
    Game4Node::TimingMark::ResetSettings();
  }

  // A school of five shapes with their sounds, and twenty usable bubbles.
  void MakeSchoolAndBubbles() {
    auto shapes = std::make_unique<Game4Node::ShapeList>();
    for (int i = 0; i < 5; ++i) {
      const std::string name = "shape" + std::to_string(i);
      shapes->Add(new Game4Node::Shape(nullptr, Sound(name + "_fish", "fish"), Sound(name + "_good", "good"),
                                       Sound(name + "_bad", "bad")));
    }
    m_school = std::make_unique<Game4Node::Moonfish>(nullptr, std::move(shapes), 0);
    m_bubbles = std::make_unique<Game4Node::BubbleList>(0);
    for (int i = 0; i < 20; ++i)
      m_bubbles->Add(
          std::make_unique<Game4Node::Bubble>(Sprite("b" + std::to_string(i), 4), nullptr, nullptr, nullptr));
  }

  uint32_t Now() const { return GameClock::Instance().GetTime(); }

  std::unique_ptr<Game4Node::Moonfish> m_school;
  std::unique_ptr<Game4Node::BubbleList> m_bubbles;
};

}  // namespace

TEST_F(Marks, APressScoresByItsDistanceFromTheMarkWithTheMatchingSound) {
  VariantSound sweet(Sound("sweet", "sweet"), 0.0f);
  VariantSound note(Sound("note", "note"), 0.0f);
  VariantSound shape(Sound("shape", "shape"), 0.0f);
  VariantSound none(Sound("none", "none"), 0.0f);
  Game4Node::TimingMark::SetSounds({&sweet, &note, &shape, &none});
  Game4Node::TimingMark::SetWindows(200, 50);
  Game4Node::TimingMark::SetPoints(30, 10);
  Game4Node::TimingMark mark;
  mark.Set(1000, true);
  mark.SetShape(2, nullptr);

  struct Case {
    int64_t t;
    int32_t shape;
    int32_t points;
    const char* sound;
  };
  const Case cases[] = {
      {1000, 2, 40, "sweet"}, {1030, 2, 40, "sweet"}, {950, 2, 40, "sweet"},  {1050, 2, 40, "sweet"},
      {1100, 2, 20, "note"},  {1150, 2, 20, "note"},  {1151, 2, 30, "note"},  {1200, 2, 30, "note"},
      {851, 2, 20, "note"},   {850, 2, 30, "note"},   {750, 2, 30, "note"},   {1250, 2, 30, "note"},
      {749, 2, 10, "shape"},  {1251, 2, 10, "shape"}, {1300, 2, 10, "shape"}, {1000, 3, 0, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "t " << c.t << " shape " << c.shape);
    m_stage.Run(100);  // the last one has ended
    m_sounds.entries.clear();
    EXPECT_EQ(mark.Score(c.t, c.shape), c.points);
    EXPECT_EQ(Started(), Names{c.sound});
  }
}

TEST_F(Marks, ScoresOfHugeFileValuesAreClampedNotWrapped) {
  Game4Node::TimingMark mark;
  mark.Set(0, true);
  mark.SetShape(0, nullptr);
  Game4Node::TimingMark::SetWindows(INT32_MAX, INT32_MAX);
  Game4Node::TimingMark::SetPoints(INT32_MAX, INT32_MAX);
  EXPECT_EQ(mark.Score(0, 0), INT32_MAX);                       // sweet
  EXPECT_EQ(mark.Score(int64_t{INT32_MAX} + 5, 0), INT32_MAX);  // near band
  Game4Node::TimingMark::SetWindows(0, 0);
  Game4Node::TimingMark::SetPoints(INT32_MIN, INT32_MIN);
  EXPECT_EQ(mark.Score(0, 0), INT32_MIN);
}

TEST_F(Marks, TimingFilesMakeOneMarkPerStrongOrWeakLine) {
  m_stage.AddFile("seq_a.txt",
                  "strong = 100\n; a comment\nWEAK = 500\nother = 3\nstrong = 0900ms\nweak=-20\n");
  Game4Node::Sequence sequence("seq_a", nullptr);
  ASSERT_TRUE(sequence.Load());
  ASSERT_EQ(sequence.GetMarkCount(), 4u);
  const int32_t times[] = {100, 500, 900, -20};
  const bool strong[] = {true, false, true, false};
  const char* stamps[] = {"00100", "00500", "00900", "-0020"};
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sequence.PeekMark(i)->GetTime(), times[i]);
    EXPECT_EQ(sequence.PeekMark(i)->IsStrong(), strong[i]);
    EXPECT_EQ(sequence.PeekMark(i)->GetStartTimer()->GetName(), "sweetspot_start_" + std::string(stamps[i]));
    EXPECT_EQ(sequence.PeekMark(i)->GetStopTimer()->GetName(), "sweetspot_stop_" + std::string(stamps[i]));
  }
  Game4Node::Sequence missing("no_such_timing", nullptr);
  EXPECT_FALSE(missing.Load());
  EXPECT_EQ(missing.GetMarkCount(), 0u);
}

TEST_F(Marks, ThreeTimingLinesMakeOnePressThatBlowsItsBubble) {
  MakeSchoolAndBubbles();
  m_stage.AddFile("seq_b.txt", "strong = 100\nweak = 600\nweak = 1200\n");
  Game4Node::Sequence sequence("seq_b", m_bubbles.get());
  ASSERT_TRUE(sequence.Load());
  sequence.Prepare(static_cast<int32_t>(sequence.GetMarkCount()) - 2);
  EXPECT_EQ(sequence.GetExpectedPresses(), 1);
  sequence.AssignShapes(*m_school);
  EXPECT_TRUE(sequence.IsReady());  // a step count of 0 fills at once
  EXPECT_TRUE(m_bubbles->At(0)->IsBlown());
  EXPECT_FALSE(m_bubbles->At(1)->IsBlown());
  EXPECT_EQ(sequence.CountMissed(), 1);

  Game4Node::TimingMark::SetWindows(200, 50);
  Game4Node::TimingMark::SetPoints(30, 10);
  const int32_t due = sequence.PeekMark(0)->GetShapeIndex();
  EXPECT_EQ(sequence.Score(100, due), 40);
  EXPECT_EQ(sequence.GetCurrentMarkIndex(), 1u);
  EXPECT_TRUE(m_bubbles->At(10)->IsBlown());
  EXPECT_EQ(sequence.CountMissed(), 0);
}

TEST_F(Marks, AWrongPressPopsItsBubbleAndSoundsTheBadNoteOfTheNextMark) {
  MakeSchoolAndBubbles();
  m_stage.AddFile("seq_c.txt", "strong = 100\nstrong = 300\nweak = 600\nweak = 1200\n");
  Game4Node::Sequence sequence("seq_c", m_bubbles.get());
  ASSERT_TRUE(sequence.Load());
  sequence.Prepare(2);
  sequence.AssignShapes(*m_school);
  ASSERT_TRUE(sequence.IsReady());
  const int32_t due = sequence.PeekMark(0)->GetShapeIndex();
  const int32_t next = sequence.PeekMark(1)->GetShapeIndex();
  m_sounds.entries.clear();
  EXPECT_EQ(sequence.Score(100, (due + 1) % 5), 0);
  EXPECT_TRUE(m_bubbles->At(10)->IsPopped());
  EXPECT_EQ(Started(), Names{"shape" + std::to_string(next) + "_bad"});
  EXPECT_EQ(sequence.CountMissed(), 2) << "a popped copy is not a blown one";

  // A new try starts from the first mark with the same shapes and idle bubbles.
  sequence.Prepare(2);
  EXPECT_EQ(sequence.GetCurrentMarkIndex(), 0u);
  EXPECT_EQ(sequence.PeekMark(0)->GetShapeIndex(), due);
  EXPECT_TRUE(m_bubbles->At(10)->IsIdle());
}

TEST_F(Marks, AMarkAtZeroFiresAfterTheOffsetAndItsStopAfterTheSweetSpot) {
  Expiries expiries;
  Game4Node::TimingMark::SetWindows(200, 50);
  Game4Node::TimingMark::SetOffset(1);
  Game4Node::TimingMark mark;
  mark.Set(0, true);
  const uint32_t start = Now();
  mark.Arm();
  mark.Poll(start);
  EXPECT_TRUE(expiries.names.empty());
  mark.Poll(start + 1);
  EXPECT_EQ(expiries.names, Names{"sweetspot_start_00000"});
  mark.Poll(start + 50);
  EXPECT_EQ(expiries.names.size(), 1u);
  mark.Poll(start + 51);
  EXPECT_EQ(expiries.names, (Names{"sweetspot_start_00000", "sweetspot_stop_00000"}));

  // With no offset the timer still waits a millisecond rather than keeping an older duration.
  Game4Node::TimingMark::SetOffset(0);
  mark.Arm();
  EXPECT_EQ(mark.GetStartTimer()->GetDeadline(), Now() + 1);

  // Stopping with notice announces what still runs, at once; stopping again announces nothing.
  mark.StopTimers(true);
  EXPECT_EQ(expiries.names.size(), 4u);
  mark.StopTimers(true);
  EXPECT_EQ(expiries.names.size(), 4u);
}

TEST_F(Marks, TheWalkShowsEachFiringMarkAsCurrentAndAStepAtItsStopSkipsTheNext) {
  MakeSchoolAndBubbles();
  m_stage.AddFile("seq_d.txt", "strong = 0\nstrong = 0\nstrong = 0\nweak = 0\n");
  Game4Node::Sequence sequence("seq_d", m_bubbles.get());
  ASSERT_TRUE(sequence.Load());
  sequence.Prepare(2);
  Game4Node::TimingMark::SetWindows(100, 0);
  Game4Node::TimingMark::SetOffset(1);
  sequence.SetCurrentMarkIndex(1);
  sequence.ArmAll();
  EXPECT_EQ(sequence.GetCurrentMarkIndex(), 1u);

  Expiries expiries;
  std::vector<uint32_t> currentAtExpiry;
  expiries.onExpiry = [&](const std::string& name) {
    currentAtExpiry.push_back(sequence.GetCurrentMarkIndex());
    if (name.rfind("sweetspot_stop_", 0) == 0) sequence.NextMark();
  };
  sequence.PollAll(Now() + 1);
  // Marks 0 and 2 fire; 1 and 3 are passed over in this walk and fire in the next.
  EXPECT_EQ(currentAtExpiry, (std::vector<uint32_t>{0, 0, 2, 2}));
  EXPECT_EQ(sequence.GetCurrentMarkIndex(), 1u) << "the cursor comes back";
  currentAtExpiry.clear();
  sequence.PollAll(Now() + 1);
  EXPECT_EQ(currentAtExpiry, (std::vector<uint32_t>{1, 1, 3, 3}));
  EXPECT_EQ(sequence.GetCurrentMarkIndex(), 1u);
}
