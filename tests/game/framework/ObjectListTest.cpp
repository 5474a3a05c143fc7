// The object list: depth order, names unique without regard to case, the walks of the update and
// the seven input broadcasts, and objects that leave the list while it walks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/GenericObject.h"
#include "framework/ObjectList.h"
#include "graphics/Sprite.h"

namespace {

using Log = std::vector<std::string>;

// An object whose every call is logged as "<name> <call>" and whose answer the test chooses.
class Probe : public GenericObject {
public:
  Probe(const std::string& name, int32_t z, Log& log) : m_log(log) {
    auto sprite = std::make_shared<Qel::Sprite>();
    sprite->SetName(name);
    SetSceneObject(sprite);
    SetZ(z);
  }

  // Runs inside the next calls, before the answer is given.
  std::function<void()> during;
  bool answer = false;

  void Update() override { Call("update"); }
  bool OnLeftButtonDown(const InputEventInfo& input) override {
    return Call("left down", input.position.X());
  }
  bool OnLeftButtonUp(const InputEventInfo& input) override { return Call("left up", input.position.X()); }
  bool OnRightButtonDown(const InputEventInfo& input) override {
    return Call("right down", input.position.X());
  }
  bool OnRightButtonUp(const InputEventInfo& input) override { return Call("right up", input.position.X()); }
  bool OnChar(uint16_t code) override { return Call("char", code); }
  bool OnKeyUp(uint16_t code) override { return Call("key up", code); }
  bool OnKeyDown(uint16_t code) override { return Call("key down", code); }

private:
  bool Call(const std::string& what, int argument = -1) {
    m_log.push_back(std::string(GetName()) + " " + what +
                    (argument >= 0 ? " " + std::to_string(argument) : ""));
    if (during) during();
    return answer;
  }

  Log& m_log;
};

class Objects : public testing::Test {
protected:
  Probe& Make(const std::string& name, int32_t z) {
    m_probes.push_back(std::make_unique<Probe>(name, z, log));
    return *m_probes.back();
  }
  Probe& Add(const std::string& name, int32_t z) {
    Probe& probe = Make(name, z);
    list.Insert(&probe);
    return probe;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < list.GetCount(); ++i) names.emplace_back(list.At(i)->GetName());
    return names;
  }

  static std::string Thrown(const std::function<void()>& call) {
    try {
      call();
    } catch (const char* text) {
      return text;
    }
    return "(nothing thrown)";
  }

  Log log;
  ObjectList list;

private:
  std::vector<std::unique_ptr<Probe>> m_probes;
};

}  // namespace

TEST_F(Objects, StandInDescendingDepthTheNewestFirstAmongEquals) {
  struct Case {
    std::vector<int32_t> depths;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {{5, 10, 5}, {"o2", "o3", "o1"}},  {{1, 2, 3}, {"o3", "o2", "o1"}},
      {{3, 2, 1}, {"o1", "o2", "o3"}},   {{5, 1, 3, 3, 9, 1}, {"o5", "o1", "o4", "o3", "o6", "o2"}},
      {{-7, 0, -7}, {"o2", "o3", "o1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.depths));
    list.Clear();
    for (size_t i = 0; i < c.depths.size(); ++i) Add("o" + std::to_string(i + 1), c.depths[i]);
    EXPECT_EQ(Names(), c.order);
    EXPECT_EQ(list.GetCount(), static_cast<int32_t>(c.depths.size()));
  }
}

TEST_F(Objects, ANameTakenInAnyCaseIsThrownWithTheNewNameAndTheListStaysAsItWas) {
  Add("PlayButton", 3);
  Add("back", 1);
  for (const char* name : {"PlayButton", "playbutton", "PLAYBUTTON", "Back"}) {
    SCOPED_TRACE(name);
    Probe& again = Make(name, 2);
    EXPECT_EQ(Thrown([&] { list.Insert(&again); }),
              std::string("Error: Object with duplicate name '") + name + "'\n");
    EXPECT_EQ(Names(), std::vector<std::string>({"PlayButton", "back"}));
  }
}

TEST_F(Objects, TheDuplicateTextOfAVeryLongNameIsCutToItsBuffer) {
  const std::string name(5000, 'n');
  Add(name, 0);
  Probe& again = Make(name, 0);
  const std::string text = Thrown([&] { list.Insert(&again); });
  EXPECT_EQ(text.rfind("Error: Object with duplicate name 'nnnn", 0), 0u);
  EXPECT_LT(text.size(), 1024u);
  EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(Objects, AreFoundByNameWithoutRegardToCaseAndByIndex) {
  Probe& a = Add("Alpha", 1);
  Probe& b = Add("beta", 2);
  EXPECT_EQ(list.Find("ALPHA"), &a);
  EXPECT_EQ(list.Find("Beta"), &b);
  EXPECT_EQ(list.Find("gamma"), nullptr);
  EXPECT_EQ(list.Find(nullptr), nullptr);
  EXPECT_EQ(list.At(0), &b);
  EXPECT_EQ(list.At(1), &a);
  EXPECT_EQ(list.At(2), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);

  list.Remove(&b);
  Probe& stranger = Make("stranger", 0);
  list.Remove(&stranger);
  EXPECT_EQ(Names(), std::vector<std::string>({"Alpha"}));
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.At(0), nullptr);
  // The objects outlive the list's links.
  EXPECT_STREQ(a.GetName(), "Alpha");
}

TEST_F(Objects, EachBroadcastReachesItsHandlerInDepthOrderAndStopsAtTheFirstThatTakesIt) {
  InputEventInfo input;
  input.position = Qel::Point2(17, 4);
  struct Case {
    const char* call;
    std::function<bool(ObjectList&)> broadcast;
  };
  const Case cases[] = {
      {"left down 17", [&](ObjectList& l) { return l.BroadcastLeftButtonDown(input); }},
      {"left up 17", [&](ObjectList& l) { return l.BroadcastLeftButtonUp(input); }},
      {"right down 17", [&](ObjectList& l) { return l.BroadcastRightButtonDown(input); }},
      {"right up 17", [&](ObjectList& l) { return l.BroadcastRightButtonUp(input); }},
      {"char 97", [](ObjectList& l) { return l.BroadcastChar(97); }},
      {"key up 38", [](ObjectList& l) { return l.BroadcastKeyUp(38); }},
      {"key down 40", [](ObjectList& l) { return l.BroadcastKeyDown(40); }},
  };
  ObjectList empty;
  Add("low", 1);
  Probe& middle = Add("middle", 5);
  Add("top", 9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    EXPECT_FALSE(c.broadcast(empty));

    middle.answer = false;
    log.clear();
    EXPECT_FALSE(c.broadcast(list));
    EXPECT_EQ(log, Log({std::string("top ") + c.call, std::string("middle ") + c.call,
                        std::string("low ") + c.call}));

    middle.answer = true;
    log.clear();
    EXPECT_TRUE(c.broadcast(list));
    EXPECT_EQ(log, Log({std::string("top ") + c.call, std::string("middle ") + c.call}));
  }
}

TEST_F(Objects, AnObjectMayLeaveTheListDuringAWalkAndTheWalkGoesOn) {
  struct Case {
    const char* what;
    // Which object the middle one removes: itself, the one after it, the one before it.
    const char* removed;
    Log calls;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"itself", "b", {"a update", "b update", "c update", "d update"}, {"a", "c", "d"}},
      {"the next", "c", {"a update", "b update", "d update"}, {"a", "b", "d"}},
      {"the one before", "a", {"a update", "b update", "c update", "d update"}, {"b", "c", "d"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.Clear();
    log.clear();
    Probe& a = Add("a", 4);
    Probe& b = Add("b", 3);
    Add("c", 2);
    Add("d", 1);
    b.during = [this, &c] { list.Remove(list.Find(c.removed)); };
    list.UpdateAll();
    EXPECT_EQ(log, c.calls);
    EXPECT_EQ(Names(), c.left);
    // The walk is over: later removals find no walk to move on.
    a.during = nullptr;
    list.UpdateAll();
  }
}

TEST_F(Objects, AnObjectThatRemovesItselfOrTheNextDuringABroadcastHandsTheInputOn) {
  Probe& first = Add("first", 2);
  Probe& second = Add("second", 1);
  first.during = [&] { list.Remove(&first); };
  second.answer = true;
  EXPECT_TRUE(list.BroadcastChar(32));
  EXPECT_EQ(log, Log({"first char 32", "second char 32"}));
  EXPECT_EQ(Names(), std::vector<std::string>({"second"}));

  // One that removes the object after it passes the input past that one.
  log.clear();
  Probe& third = Add("third", 0);
  Add("fourth", -1);
  second.answer = false;
  second.during = [&] { list.Remove(&third); };
  EXPECT_FALSE(list.BroadcastKeyUp(9));
  EXPECT_EQ(log, Log({"second key up 9", "fourth key up 9"}));
  list.Remove(list.Find("fourth"));

  // Removing the last object, and the only one, ends the walk cleanly.
  log.clear();
  second.answer = false;
  second.during = [&] { list.Remove(&second); };
  EXPECT_FALSE(list.BroadcastKeyDown(13));
  EXPECT_EQ(log, Log({"second key down 13"}));
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(Objects, AListClearedDuringAWalkEndsTheWalk) {
  Probe& first = Add("first", 2);
  Add("second", 1);
  first.during = [&] { list.Clear(); };
  list.UpdateAll();
  EXPECT_EQ(log, Log({"first update"}));
  EXPECT_EQ(list.GetCount(), 0);
}

// Thousands of objects listed, moved in depth while listed (as definition files set depths after the
// header has listed an object), taken out and listed again, against the rule followed step by step
// over a plain vector: a new object goes in front of the first, from the head, whose depth is now
// equal or smaller. Names stay unique without regard to case throughout.
TEST_F(Objects, ALargeListKeepsTheDepthRuleThroughDepthChangesAndRemovals) {
  constexpr int kObjects = 3000;
  std::vector<Probe*> model;
  const auto place = [&model](Probe* probe) {
    auto at = model.begin();
    while (at != model.end() && (*at)->GetZ() > probe->GetZ()) ++at;
    model.insert(at, probe);
  };
  const auto check = [&](const char* when) {
    SCOPED_TRACE(when);
    ASSERT_EQ(list.GetCount(), static_cast<int32_t>(model.size()));
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(list.At(static_cast<int32_t>(i)), model[i]) << i;
    EXPECT_EQ(list.At(static_cast<int32_t>(model.size())), nullptr);
    // The walks follow the same order as the index.
    log.clear();
    list.UpdateAll();
    ASSERT_EQ(log.size(), model.size());
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(log[i], std::string(model[i]->GetName()) + " update");
  };

  std::vector<Probe*> made;
  uint32_t seed = 12345;
  const auto next = [&seed](uint32_t range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % range;
  };
  for (int i = 0; i < kObjects; ++i) {
    // Listed at a class's depth, then given the file's depth: few distinct depths, so ties abound.
    Probe& probe = Add("Obj" + std::to_string(i), static_cast<int32_t>(next(3)));
    place(&probe);
    if (next(4) != 0) probe.SetZ(static_cast<int32_t>(next(40)) - 10);
    made.push_back(&probe);
    // Now and then an object listed long ago moves too.
    if (next(16) == 0)
      made[next(static_cast<uint32_t>(made.size()))]->SetPositionAndZ(0, 0, static_cast<int32_t>(next(40)));
  }
  check("after listing");

  for (int round = 0; round < kObjects / 2; ++round) {
    Probe* probe = model[next(static_cast<uint32_t>(model.size()))];
    list.Remove(probe);
    std::erase(model, probe);
    if (round % 3 == 0) {
      probe->SetZ(static_cast<int32_t>(next(50)) - 20);
      list.Insert(probe);
      place(probe);
    }
  }
  check("after removals");

  for (Probe* probe : made) {
    SCOPED_TRACE(probe->GetName());
    std::string other = probe->GetName();
    for (char& c : other) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool listed = std::find(model.begin(), model.end(), probe) != model.end();
    EXPECT_EQ(list.Find(other.c_str()), listed ? probe : nullptr);
    if (!listed) continue;
    Probe& again = Make(other, 0);
    EXPECT_EQ(Thrown([&] { list.Insert(&again); }), "Error: Object with duplicate name '" + other + "'\n");
  }
  check("after refused duplicates");

  list.Clear();
  model.clear();
  for (Probe* probe : made) {
    list.Insert(probe);
    place(probe);
  }
  check("listed again after a clear");
}
