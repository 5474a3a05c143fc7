// The event manager: delivery order, registration, removal and adding during delivery, re-entrant
// posts, and the erasure of removed entries at the next frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/Periodical.h"

namespace {

using Log = std::vector<std::string>;

// Logs "name kind/id" for every event; an optional action runs inside HandleEvent.
class Listener : public Qel::IEventListener {
public:
  Listener(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}

  void HandleEvent(int kind, int id, void*) override {
    m_log.push_back(m_name + " " + std::to_string(kind) + "/" + std::to_string(id));
    if (m_onEvent) m_onEvent(kind, id);
  }

  std::function<void(int kind, int id)> m_onEvent;

private:
  std::string m_name;
  Log& m_log;
};

class EventManagerTest : public testing::Test {
protected:
  void TearDown() override { Qel::EventManager::DestroyInstance(); }

  Log Post(int kind, int id = 0) {
    m_log.clear();
    m_events->PostEvent(kind, id, nullptr);
    return m_log;
  }

  Qel::EventManager* m_events = Qel::EventManager::GetInstance();
  Log m_log;
  Listener m_a{"a", m_log}, m_b{"b", m_log}, m_c{"c", m_log};
};

TEST_F(EventManagerTest, IsOneInstanceUntilDestroyedAndPassesTheDataThrough) {
  EXPECT_EQ(Qel::EventManager::GetInstance(), m_events);
  EXPECT_TRUE(m_events->IsRunning());  // its per-frame erasure runs from the start

  int record = 7;
  void* received = nullptr;
  struct DataListener : Qel::IEventListener {
    void HandleEvent(int, int, void* data) override { *m_received = data; }
    void** m_received;
  } listener;
  listener.m_received = &received;
  m_events->AddListener(4, &listener);
  m_events->PostEvent(4, 3, &record);
  EXPECT_EQ(received, &record);

  Qel::EventManager::DestroyInstance();
  Qel::Periodical::UpdateAll();  // the destroyed manager is no longer updated
  m_events = Qel::EventManager::GetInstance();
  EXPECT_EQ(m_events->GetEntryCount(), 0u);
  received = nullptr;
  m_events->PostEvent(4, 3, &record);
  EXPECT_EQ(received, nullptr);
}

TEST_F(EventManagerTest, DeliversToTheKindsListenersOldestFirstAndOnlyOnce) {
  m_events->AddListener(4, &m_b);
  m_events->AddListener(4, &m_a);
  m_events->AddListener(4, &m_b);
  m_events->AddListener(101, &m_a);
  m_events->AddListener(-1, &m_c);
  EXPECT_EQ(Post(4, 3), (Log{"b 4/3", "a 4/3"}));
  EXPECT_EQ(Post(101, 10100), Log{"a 101/10100"});
  EXPECT_EQ(Post(-1, 2), Log{"c -1/2"});
  EXPECT_EQ(Post(5), Log{});
}

TEST_F(EventManagerTest, RemovalSilencesAllKindsOrOneKind) {
  struct Case {
    const char* name;
    std::function<void(Qel::EventManager&, Listener&)> remove;
    Log afterwards;
  };
  const Case cases[] = {
      {"RemoveListener",
       [](Qel::EventManager& m, Listener& l) { m.RemoveListener(&l); },
       {"b 4/0", "b 101/0"}},
      {"RemoveListenerFromType",
       [](Qel::EventManager& m, Listener& l) { m.RemoveListenerFromType(4, &l); },
       {"b 4/0", "a 101/0", "b 101/0"}},
      {"null",
       [](Qel::EventManager& m, Listener&) { m.RemoveListener(nullptr); },
       {"a 4/0", "b 4/0", "a 101/0", "b 101/0"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Qel::EventManager::DestroyInstance();
    m_events = Qel::EventManager::GetInstance();
    for (int kind : {4, 101}) {
      m_events->AddListener(kind, &m_a);
      m_events->AddListener(kind, &m_b);
    }
    test.remove(*m_events, m_a);
    m_events->RemoveListener(&m_c);  // never registered: nothing changes
    Log log = Post(4);
    const Log more = Post(101);
    log.insert(log.end(), more.begin(), more.end());
    EXPECT_EQ(log, test.afterwards);
    Qel::Periodical::UpdateAll();
    EXPECT_EQ(m_events->GetEntryCount(), test.afterwards.size());
  }
}

TEST_F(EventManagerTest, RemovedAndAddedAgainIsCalledOnceAtItsNewPlace) {
  m_events->AddListener(4, &m_a);
  m_events->AddListener(4, &m_b);
  m_events->RemoveListener(&m_a);
  m_events->AddListener(4, &m_a);
  EXPECT_EQ(Post(4), (Log{"b 4/0", "a 4/0"}));
  Qel::Periodical::UpdateAll();
  EXPECT_EQ(m_events->GetEntryCount(), 2u);
  EXPECT_EQ(Post(4), (Log{"b 4/0", "a 4/0"}));
}

TEST_F(EventManagerTest, RemovalDuringDelivery) {
  struct Case {
    const char* name;
    bool byItself;  // else a removes c, which comes later in the walk
    Log firstPost;
    Log secondPost;
  };
  const Case cases[] = {
      {"itself", true, {"a 4/0", "b 4/0", "c 4/0"}, {"b 4/0", "c 4/0"}},
      {"a later one", false, {"a 4/0", "b 4/0"}, {"a 4/0", "b 4/0"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Qel::EventManager::DestroyInstance();
    m_events = Qel::EventManager::GetInstance();
    for (Listener* listener : {&m_a, &m_b, &m_c}) m_events->AddListener(4, listener);
    m_a.m_onEvent = [&](int, int) { m_events->RemoveListener(test.byItself ? &m_a : &m_c); };
    EXPECT_EQ(Post(4), test.firstPost);
    m_a.m_onEvent = nullptr;
    EXPECT_EQ(Post(4), test.secondPost);
  }
}

TEST_F(EventManagerTest, RemovedEntriesAreErasedAtTheNextFrameAndNeverTouchedAgain) {
  auto doomed = std::make_unique<Listener>("doomed", m_log);
  m_events->AddListener(4, &m_a);
  m_events->AddListener(4, doomed.get());
  m_events->AddListener(5, doomed.get());
  m_a.m_onEvent = [&](int, int) {
    // Removed twice over, and during delivery: each entry is still erased exactly once.
    m_events->RemoveListener(doomed.get());
    m_events->RemoveListenerFromType(4, doomed.get());
    m_events->RemoveListener(doomed.get());
  };
  EXPECT_EQ(Post(4), Log{"a 4/0"});
  EXPECT_EQ(m_events->GetEntryCount(), 3u);  // only nulled so far

  doomed.reset();  // a removed listener may go away before the frame
  EXPECT_EQ(Post(5), Log{});
  Qel::Periodical::UpdateAll();
  EXPECT_EQ(m_events->GetEntryCount(), 1u);
  Qel::Periodical::UpdateAll();
  EXPECT_EQ(m_events->GetEntryCount(), 1u);
  EXPECT_EQ(Post(4), Log{"a 4/0"});
}

TEST_F(EventManagerTest, AFrameRunFromInsideADeliveryLeavesErasureForLater) {
  for (Listener* listener : {&m_a, &m_b, &m_c}) m_events->AddListener(4, listener);
  m_a.m_onEvent = [&](int, int) {
    m_events->RemoveListener(&m_a);
    m_events->RemoveListener(&m_b);
    Qel::Periodical::UpdateAll();  // the walk still stands on a's entry
  };
  EXPECT_EQ(Post(4), (Log{"a 4/0", "c 4/0"}));
  EXPECT_EQ(m_events->GetEntryCount(), 3u);
  Qel::Periodical::UpdateAll();
  EXPECT_EQ(m_events->GetEntryCount(), 1u);
  EXPECT_EQ(Post(4), Log{"c 4/0"});
}

TEST_F(EventManagerTest, AnEventPostedByAListenerReachesAllItsListenersFirst) {
  m_events->AddListener(4, &m_a);
  m_events->AddListener(4, &m_b);
  m_events->AddListener(101, &m_c);
  m_events->AddListener(101, &m_b);
  m_a.m_onEvent = [&](int, int) { m_events->PostEvent(101, 10104, nullptr); };
  m_c.m_onEvent = [&](int, int id) {
    if (id == 10104) m_events->PostEvent(101, 10100, nullptr);  // same kind, one level deeper
  };
  EXPECT_EQ(Post(4, 1), (Log{"a 4/1", "c 101/10104", "c 101/10100", "b 101/10100", "b 101/10104", "b 4/1"}));
}

TEST_F(EventManagerTest, AListenerAddedDuringDeliveryGetsTheEventOnlyForItsOwnKind) {
  m_events->AddListener(4, &m_a);
  m_events->AddListener(100, &m_b);  // the next kind up bounds kind 4's walk
  m_a.m_onEvent = [&](int, int) {
    m_events->AddListener(4, &m_c);
    m_events->AddListener(50, &m_b);  // between the two kinds: must not receive kind 4
    m_events->AddListener(4, &m_a);   // already there: not added again
  };
  EXPECT_EQ(Post(4), (Log{"a 4/0", "c 4/0"}));
  m_a.m_onEvent = nullptr;
  EXPECT_EQ(Post(4), (Log{"a 4/0", "c 4/0"}));
  EXPECT_EQ(Post(50), Log{"b 50/0"});
  EXPECT_EQ(m_events->GetEntryCount(), 4u);
}

TEST_F(EventManagerTest, NullIsNeverAListener) {
  m_events->AddListener(4, nullptr);
  EXPECT_EQ(m_events->GetEntryCount(), 0u);
  m_events->AddListener(4, &m_a);
  m_events->RemoveListener(&m_a);
  m_events->RemoveListener(nullptr);  // must not record the emptied entry a second time
  m_events->RemoveListenerFromType(4, nullptr);
  Qel::Periodical::UpdateAll();
  EXPECT_EQ(m_events->GetEntryCount(), 0u);
  EXPECT_EQ(Post(4), Log{});
}

}  // namespace
