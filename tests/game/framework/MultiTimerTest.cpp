// Multi-timers on a test game clock: marks from text data firing through their cycles, start and
// stop with and without rewinding, and the events it answers to.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/EventManager.h"
#include "core/IFile.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "framework/GameEvents.h"
#include "framework/GameTimer.h"
#include "framework/MultiTimer.h"
#include "support/TempDir.h"
#include "support/TestGameClock.h"
#include "support/TimerEventLog.h"

namespace {

// What the listener was told, with the game time and the timer's current index then.
class RecordingListener : public IMultiTimer {
public:
  void OnMark(MultiTimer* timer) override { Note("mark", timer); }
  void OnStart(MultiTimer* timer) override { Note("start", timer); }
  void OnStop(MultiTimer* timer) override { Note("stop", timer); }

  // The game times of the marks only.
  std::vector<uint32_t> MarkTimes() const { return m_markTimes; }

  std::vector<std::string> m_calls;
  std::vector<uint32_t> m_markTimes;
  MultiTimer* m_timer = nullptr;

private:
  void Note(const char* what, MultiTimer* timer) {
    EXPECT_EQ(timer, m_timer);
    m_calls.push_back(std::string(what) + " " + std::to_string(GameClock::Instance().GetTime()) + " @" +
                      std::to_string(timer->GetCurrentIndex()));
    if (std::string(what) == "mark") m_markTimes.push_back(GameClock::Instance().GetTime());
  }
};

class MultiTimerTest : public testing::Test {
protected:
  ~MultiTimerTest() override { Qel::ResourceManager::DestroyInstance(); }

  // Text data resources from the folder "data" of the working folder, which lists its files when
  // it is mounted.
  void MountData(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, text] : files) test::WriteFile("data/timers/" + name + ".txt", text);
    std::shared_ptr<Qel::IFileSpec> root = Qel::WinFileSpec::Create();
    root->SetPath("data");
    auto tree = std::make_shared<Qel::ResourceTree>();
    ASSERT_TRUE(tree->Open(root, Qel::kFileRead));
    Qel::ResourceManager::GetInstance()->AddResourceFile(tree, 0);
  }

  MultiTimer& Make(const char* marksName) {
    m_timer.emplace("birds", &m_listener, marksName);
    m_listener.m_timer = &*m_timer;
    return *m_timer;
  }

  // Polls every millisecond up to the game time `until`, as a node's updates would.
  void RunUntil(uint32_t until) {
    while (m_clock.Now() < until) {
      m_clock.Advance(1);
      m_timer->Poll();
    }
  }

  test::TestGameClock m_clock;
  RecordingListener m_listener;
  std::optional<MultiTimer> m_timer;
};

}  // namespace

TEST_F(MultiTimerTest, MarksFireThroughEveryCycleWithTheNextMarkAlreadyCurrent) {
  MountData({{"birds", "mark = 100\nmark = 300\nMARK = 0x2BC ; 700\nWrap = 1000\n"}});
  MultiTimer& timer = Make("birds");
  EXPECT_EQ(timer.Count(), 3u);
  EXPECT_EQ(timer.GetWrap(), 1000u);
  EXPECT_FALSE(timer.GetTimer().IsActive());
  EXPECT_STREQ(timer.GetTimer().GetName(), "birds");

  timer.Start(true);
  EXPECT_EQ(timer.GetTimer().GetDuration(), 100u);
  RunUntil(2100);
  EXPECT_EQ(m_listener.MarkTimes(), (std::vector<uint32_t>{100, 300, 700, 1100, 1300, 1700, 2100}));
  EXPECT_EQ(m_listener.m_calls,
            (std::vector<std::string>{"start 0 @0", "mark 100 @1", "mark 300 @2", "mark 700 @0",
                                      "mark 1100 @1", "mark 1300 @2", "mark 1700 @0", "mark 2100 @1"}));
}

TEST_F(MultiTimerTest, ASingleMarkFiresOncePerCycleAfterTheFirst) {
  MultiTimer& timer = Make(nullptr);
  timer.SetTxtValue("mark", "250");
  timer.SetTxtValue("wrap", "1000");
  m_clock.Set(5000);
  timer.Start(true);
  RunUntil(8300);
  EXPECT_EQ(m_listener.MarkTimes(), (std::vector<uint32_t>{5250, 6250, 7250, 8250}));
}

TEST_F(MultiTimerTest, StopPostsNoExpiryAndRewindsOnlyWhenAsked) {
  MultiTimer& timer = Make(nullptr);
  for (const char* mark : {"100", "300", "700"}) timer.SetTxtValue("mark", mark);
  timer.SetWrap(1000);
  test::TimerEventLog expiries;
  timer.Start(true);
  RunUntil(350);
  ASSERT_EQ(timer.GetCurrentIndex(), 2u);
  const size_t expired = expiries.m_events.size();

  timer.Stop(false);
  EXPECT_FALSE(timer.GetTimer().IsActive());
  EXPECT_EQ(timer.GetCurrentIndex(), 2u);
  RunUntil(3000);
  EXPECT_EQ(expiries.m_events.size(), expired);

  // Started again without rewinding, it waits the current mark's own time.
  timer.Start(false);
  RunUntil(3700);
  timer.Stop(true);
  EXPECT_EQ(timer.GetCurrentIndex(), 0u);
  EXPECT_EQ(m_listener.m_calls,
            (std::vector<std::string>{"start 0 @0", "mark 100 @1", "mark 300 @2", "stop 350 @2",
                                      "start 3000 @2", "mark 3700 @0", "stop 3700 @0"}));
}

TEST_F(MultiTimerTest, OnlyTheExpiryOfItsOwnTimerStepsIt) {
  MultiTimer& timer = Make(nullptr);
  for (const char* mark : {"100", "300"}) timer.SetTxtValue("mark", mark);
  timer.SetTxtValue("colour", "7");  // not a timer key
  EXPECT_EQ(timer.Count(), 2u);
  timer.Start(true);
  GameTimer other("other", 10);
  other.Start(0);
  m_clock.Advance(10);
  other.Poll();
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, 10100, &timer.GetTimer());
  Qel::EventManager::GetInstance()->PostEvent(kEventCharacter, kEventTimerExpired, &timer.GetTimer());
  EXPECT_EQ(timer.GetCurrentIndex(), 0u);
  EXPECT_EQ(m_listener.MarkTimes(), std::vector<uint32_t>{});

  // Its own timer stopped with the event steps it as an expiry would.
  timer.GetTimer().Stop(true);
  EXPECT_EQ(timer.GetCurrentIndex(), 1u);
  EXPECT_EQ(m_listener.MarkTimes(), std::vector<uint32_t>{10});
}

TEST_F(MultiTimerTest, LoadingMoreMarksAppendsAndRewinds) {
  MountData({{"first", "mark = 100\nwrap = 500\n"}, {"second", "mark = 200\n"}});
  MultiTimer& timer = Make("first");
  timer.LoadMarks("second");
  timer.LoadMarks("missing");  // nothing to add
  EXPECT_EQ(timer.Count(), 2u);
  EXPECT_EQ(timer.At(1), 200u);
  timer.LoadMarks("first");
  EXPECT_EQ(timer.Count(), 3u);
  EXPECT_EQ(timer.GetCurrentIndex(), 0u);
  EXPECT_EQ(timer.GetWrap(), 500u);
}

TEST_F(MultiTimerTest, WithoutAListenerOrMarksItStillRuns) {
  m_timer.emplace("bare", nullptr, nullptr);
  MultiTimer& timer = *m_timer;
  timer.Start(true);
  EXPECT_EQ(timer.GetTimer().GetDuration(), MultiTimer::kFirstDuration);
  test::TimerEventLog expiries;
  RunUntil(2 * MultiTimer::kFirstDuration);
  // No cycle length: each interval of 0 keeps the first duration.
  EXPECT_EQ(expiries.m_events.size(), 2u);
  EXPECT_TRUE(timer.GetTimer().IsActive());
}

// A timer that is gone is no longer a listener: an expiry event after it would reach freed memory.
TEST_F(MultiTimerTest, ADestroyedTimerHearsNoMoreEvents) {
  GameTimer stray("stray", 0);
  {
    MultiTimer gone("gone", &m_listener, nullptr);
    gone.SetTxtValue("mark", "10");
  }
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventTimerExpired, &stray);
  EXPECT_TRUE(m_listener.m_calls.empty());
}
