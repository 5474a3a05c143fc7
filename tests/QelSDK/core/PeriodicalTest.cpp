// Periodicals: start and stop hooks, update order, and starting, stopping and destroying during the walk.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Periodical.h"

namespace {

using Log = std::vector<std::string>;

// Records its hooks and updates into a shared log; an optional action runs inside Update.
class Recorder : public Qel::Periodical {
public:
  Recorder(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
  ~Recorder() override { m_log.push_back(m_name + " destroyed"); }

  int Update() override {
    m_log.push_back(m_name);
    if (m_onUpdate) m_onUpdate();
    return 0;
  }

  std::function<void()> m_onUpdate;

protected:
  void OnStart() override { m_log.push_back(m_name + " started"); }
  void OnStop() override { m_log.push_back(m_name + " stopped"); }

private:
  std::string m_name;
  Log& m_log;
};

class PeriodicalTest : public testing::Test {
protected:
  // Runs one frame and answers what it updated.
  Log Frame() {
    m_log.clear();
    Qel::Periodical::UpdateAll();
    return m_log;
  }

  Log m_log;
};

TEST_F(PeriodicalTest, StartTwiceStopOnceCallsEachHookOnce) {
  Recorder a("a", m_log);
  a.Start();
  a.Start();
  EXPECT_TRUE(a.IsRunning());
  EXPECT_EQ(Frame(), Log{"a"});
  a.Stop();
  a.Stop();
  EXPECT_FALSE(a.IsRunning());
  EXPECT_EQ(Frame(), Log{});

  Recorder idle("idle", m_log);
  idle.Stop();
  EXPECT_EQ(m_log, Log{});
}

TEST_F(PeriodicalTest, UpdatesInStartOrderAndARestartMovesToTheEnd) {
  Recorder a("a", m_log), b("b", m_log), c("c", m_log);
  a.Start();
  b.Start();
  c.Start();
  EXPECT_EQ(Frame(), (Log{"a", "b", "c"}));

  // Stopped and started again before the next walk: its old entry is null, its new one is last.
  a.Stop();
  a.Start();
  EXPECT_EQ(Frame(), (Log{"b", "c", "a"}));
  EXPECT_EQ(Frame(), (Log{"b", "c", "a"}));
}

TEST_F(PeriodicalTest, ManyRestartsBetweenWalksLeaveEachListedOnceAndStoppable) {
  Recorder a("a", m_log), b("b", m_log), c("c", m_log);
  a.Start();
  b.Start();
  c.Start();
  // Far more stopped entries than running ones pile up without a walk to drop them.
  for (int i = 0; i < 1000; ++i) {
    b.Stop();
    b.Start();
    a.Stop();
    a.Start();
  }
  EXPECT_EQ(Frame(), (Log{"c", "b", "a"}));
  // Each still stops its own entry, wherever dropping the others moved it.
  b.Stop();
  EXPECT_EQ(Frame(), (Log{"c", "a"}));
  c.Stop();
  a.Stop();
  EXPECT_EQ(Frame(), Log{});
}

TEST_F(PeriodicalTest, OneStartedDuringTheWalkIsUpdatedLaterInTheSameWalk) {
  Recorder a("a", m_log), b("b", m_log), late("late", m_log);
  a.m_onUpdate = [&] { late.Start(); };
  a.Start();
  b.Start();
  EXPECT_EQ(Frame(), (Log{"a", "late started", "b", "late"}));
  EXPECT_EQ(Frame(), (Log{"a", "b", "late"}));
}

TEST_F(PeriodicalTest, StoppingDuringTheWalk) {
  struct Case {
    const char* name;
    int stopper;  // index whose update stops `stopped`
    int stopped;
    Log firstFrame;
    Log secondFrame;
  };
  const Case cases[] = {
      {"a later one is skipped at once", 0, 2, {"a", "c stopped", "b"}, {"a", "b"}},
      {"an earlier one goes next frame", 2, 0, {"a", "b", "c", "a stopped"}, {"b", "c"}},
      {"one may stop itself", 1, 1, {"a", "b", "b stopped", "c"}, {"a", "c"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Log log;
    Recorder all[] = {{"a", log}, {"b", log}, {"c", log}};
    for (Recorder& recorder : all) recorder.Start();
    all[test.stopper].m_onUpdate = [&] { all[test.stopped].Stop(); };
    log.clear();
    Qel::Periodical::UpdateAll();
    EXPECT_EQ(log, test.firstFrame);
    all[test.stopper].m_onUpdate = nullptr;
    log.clear();
    Qel::Periodical::UpdateAll();
    EXPECT_EQ(log, test.secondFrame);
    for (Recorder& recorder : all) recorder.Stop();
  }
}

TEST_F(PeriodicalTest, DestructionStopsWithoutTheDerivedHookAndMayHappenInsideItsOwnUpdate) {
  Recorder a("a", m_log);
  auto doomed = std::make_unique<Recorder>("doomed", m_log);
  auto* suicidal = new Recorder("suicidal", m_log);
  a.Start();
  doomed->Start();
  suicidal->Start();
  suicidal->m_onUpdate = [&] { delete suicidal; };
  a.m_onUpdate = [&] { doomed.reset(); };

  EXPECT_EQ(Frame(), (Log{"a", "doomed destroyed", "suicidal", "suicidal destroyed"}));
  a.m_onUpdate = nullptr;
  EXPECT_EQ(Frame(), Log{"a"});
}

TEST_F(PeriodicalTest, AWalkNestedInAnUpdateLeavesErasureToTheOuterWalk) {
  Recorder a("a", m_log), b("b", m_log), c("c", m_log);
  a.Start();
  b.Start();
  c.Start();
  bool nested = false;
  b.m_onUpdate = [&] {
    b.Stop();  // the outer walk stands on b's entry
    if (!nested) {
      nested = true;
      Qel::Periodical::UpdateAll();
    }
  };
  EXPECT_EQ(Frame(), (Log{"a", "b", "b stopped", "a", "c", "c"}));
  EXPECT_EQ(Frame(), (Log{"a", "c"}));
}

}  // namespace
