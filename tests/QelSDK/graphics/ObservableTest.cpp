// Subscriptions between subjects and observers: order, duplicates, and changes made during a notification.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ResourceAddress.h"
#include "graphics/Observable.h"
#include "graphics/Observer.h"

namespace {

constexpr uint32_t kSenderAnim = Qel::MakeTypeCode('a', 'n', 'i', 'm');
constexpr uint32_t kEventEnd = Qel::MakeTypeCode('e', 'n', 'd', 'e');

// Writes its name to a shared log and then runs whatever the test gave it to do.
class Recorder : public Qel::Observer {
public:
  Recorder(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}

  void OnNotify(Qel::Observable* subject, uint32_t sender, uint32_t event, void* data) override {
    m_log.push_back(m_name);
    m_lastSubject = subject;
    m_lastSender = sender;
    m_lastEvent = event;
    m_lastData = data;
    // A copy, so that an action may replace itself while it runs.
    if (auto action = m_action) action();
  }

  std::string m_name;
  std::vector<std::string>& m_log;
  std::function<void()> m_action;
  Qel::Observable* m_lastSubject = nullptr;
  uint32_t m_lastSender = 0;
  uint32_t m_lastEvent = 0;
  void* m_lastData = nullptr;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(Observable, NotifiesInSubscriptionOrderOncePerObserver) {
  Log log;
  Qel::Observable subject;
  Recorder a("a", log), b("b", log), c("c", log);
  subject.AddObserver(&b);
  subject.AddObserver(&a);
  subject.AddObserver(&b);  // a second subscription is ignored
  subject.AddObserver(&c);
  subject.AddObserver(nullptr);

  int payload = 7;
  subject.Notify(kSenderAnim, kEventEnd, &payload);
  EXPECT_EQ(log, (Log{"b", "a", "c"}));
  EXPECT_EQ(a.m_lastSubject, &subject);
  EXPECT_EQ(a.m_lastSender, 0x616E696Du);
  EXPECT_EQ(a.m_lastEvent, kEventEnd);
  EXPECT_EQ(a.m_lastData, &payload);

  Qel::Observable lonely;
  lonely.Notify(kSenderAnim, kEventEnd, nullptr);  // nobody listens: nothing happens
}

TEST(Observable, ChangesMadeDuringANotification) {
  struct Case {
    const char* what;
    // Installs the actions on a, b, c (subscribed in that order) and a late observer d.
    std::function<void(Qel::Observable&, Recorder&, Recorder&, Recorder&, Recorder&)> arrange;
    Log firstWalk;
    Log secondWalk;
  };
  const Case cases[] = {
      {"b leaves by itself",
       [](Qel::Observable& s, Recorder&, Recorder& b, Recorder&, Recorder&) {
         b.m_action = [&] { s.RemoveObserver(&b); };
       },
       {"a", "b", "c"},
       {"a", "c"}},
      {"a removes c, which has not been reached yet",
       [](Qel::Observable& s, Recorder& a, Recorder&, Recorder& c, Recorder&) {
         a.m_action = [&] { s.RemoveObserver(&c); };
       },
       {"a", "b"},
       {"a", "b"}},
      {"c removes a, which was already reached",
       [](Qel::Observable& s, Recorder& a, Recorder&, Recorder& c, Recorder&) {
         c.m_action = [&] { s.RemoveObserver(&a); };
       },
       {"a", "b", "c"},
       {"b", "c"}},
      {"b subscribes d, which the same walk reaches",
       [](Qel::Observable& s, Recorder&, Recorder& b, Recorder&, Recorder& d) {
         b.m_action = [&] { s.AddObserver(&d); };
       },
       {"a", "b", "c", "d"},
       {"a", "b", "c", "d"}},
      {"b leaves and subscribes again at the end",
       [](Qel::Observable& s, Recorder&, Recorder& b, Recorder&, Recorder&) {
         b.m_action = [&] {
           s.RemoveObserver(&b);
           s.AddObserver(&b);
           b.m_action = nullptr;
         };
       },
       {"a", "b", "c", "b"},
       {"a", "c", "b"}},
      {"b removes everyone",
       [](Qel::Observable& s, Recorder&, Recorder& b, Recorder&, Recorder&) {
         b.m_action = [&] { s.RemoveAllObservers(); };
       },
       {"a", "b"},
       {}},
      {"a leaves and notifies again from inside: the inner walk must not pull the outer walk's entry away",
       [](Qel::Observable& s, Recorder& a, Recorder&, Recorder&, Recorder&) {
         a.m_action = [&] {
           s.RemoveObserver(&a);
           s.Notify(kSenderAnim, kEventEnd, nullptr);
         };
       },
       {"a", "b", "c", "b", "c"},
       {"b", "c"}},
      {"c removes everyone from inside a nested walk started by a",
       [](Qel::Observable& s, Recorder& a, Recorder&, Recorder& c, Recorder&) {
         a.m_action = [&] {
           a.m_action = nullptr;
           s.Notify(kSenderAnim, kEventEnd, nullptr);
         };
         c.m_action = [&] { s.RemoveAllObservers(); };
       },
       {"a", "a", "b", "c"},
       {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    Log log;
    Qel::Observable subject;
    Recorder a("a", log), b("b", log), c("c", log), d("d", log);
    subject.AddObserver(&a);
    subject.AddObserver(&b);
    subject.AddObserver(&c);
    test.arrange(subject, a, b, c, d);

    subject.Notify(kSenderAnim, kEventEnd, nullptr);
    EXPECT_EQ(log, test.firstWalk);

    for (Recorder* r : {&a, &b, &c, &d}) r->m_action = nullptr;
    log.clear();
    subject.Notify(kSenderAnim, kEventEnd, nullptr);
    EXPECT_EQ(log, test.secondWalk);
  }
}

TEST(Observable, ObserverDestroyedDuringANotificationIsNotReachedAgain) {
  Log log;
  Qel::Observable subject;
  Recorder a("a", log);
  auto b = std::make_unique<Recorder>("b", log);
  auto c = std::make_unique<Recorder>("c", log);
  subject.AddObserver(&a);
  subject.AddObserver(b.get());
  subject.AddObserver(c.get());
  // b destroys itself and the observer after it.
  b->m_action = [&] {
    c.reset();
    b.reset();
  };
  subject.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"a", "b"}));
  log.clear();
  subject.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"a"}));
}

TEST(Observable, SubjectDestroyedDuringANotificationEndsTheWalk) {
  Log log;
  Recorder a("a", log), b("b", log), c("c", log);
  auto subject = std::make_unique<Qel::Observable>();
  Qel::Observable other;
  subject->AddObserver(&a);
  subject->AddObserver(&b);
  subject->AddObserver(&c);
  other.AddObserver(&b);
  // b starts a nested walk whose first observer destroys the subject: both walks end there.
  a.m_action = [&] {
    a.m_action = [&] { subject.reset(); };
    subject->Notify(kSenderAnim, kEventEnd, nullptr);
  };
  subject->Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"a", "a"}));
  EXPECT_EQ(subject, nullptr);

  // The observers hold no link to the dead subject; the other subject still reaches b.
  log.clear();
  other.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"b"}));
}

TEST(Observable, EitherSideMayBeDestroyedFirst) {
  Log log;
  Qel::Observable s1, s2;
  Recorder keeper("keeper", log);
  {
    Recorder leaver("leaver", log);
    for (Qel::Observable* s : {&s1, &s2}) {
      s->AddObserver(&leaver);
      s->AddObserver(&keeper);
    }
  }
  s1.Notify(kSenderAnim, kEventEnd, nullptr);
  s2.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"keeper", "keeper"}));

  {
    Qel::Observable shortLived;
    shortLived.AddObserver(&keeper);
  }
  // The keeper's destructor would touch the dead subject if it had kept a link to it (ASan).
  keeper.DetachAll();
  log.clear();
  s1.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_TRUE(log.empty());
}

TEST(Observable, AnObserverThatThrowsLeavesTheSubjectUsable) {
  Log log;
  Qel::Observable subject;
  Recorder a("a", log), b("b", log);
  subject.AddObserver(&a);
  subject.AddObserver(&b);
  a.m_action = [&] {
    subject.RemoveObserver(&a);
    throw std::runtime_error("fatal");
  };
  EXPECT_THROW(subject.Notify(kSenderAnim, kEventEnd, nullptr), std::runtime_error);
  log.clear();
  subject.Notify(kSenderAnim, kEventEnd, nullptr);
  EXPECT_EQ(log, (Log{"b"}));
}
