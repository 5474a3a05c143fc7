// Step lists: stepping at both ends of both kinds, reads outside the list, and a list cleared and
// filled again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/StepList.h"

namespace {

template <int N>
StepList<int, N> ListOf(std::vector<int> items) {
  StepList<int, N> list;
  for (const int item : items) list.Add(item);
  return list;
}

// The elements and indices that a run of steps ("n" next, "p" prev) gives from a start index.
template <int N>
std::string Walk(uint32_t start, const std::string& steps) {
  StepList<int, N> list = ListOf<N>({10, 20, 30});
  list.SetCurrentIndex(start);
  std::string seen;
  for (const char step : steps) {
    const int item = step == 'n' ? list.Next() : list.Prev();
    seen += std::to_string(item) + "@" + std::to_string(list.GetCurrentIndex()) + " ";
  }
  return seen;
}

}  // namespace

TEST(StepList, TheStoppingListStaysAtItsEndsAndTheWrappingListGoesRound) {
  const struct {
    uint32_t start;
    const char* steps;
    const char* stopping;
    const char* wrapping;
  } cases[] = {
      {2, "n", "30@2 ", "10@0 "},
      {0, "p", "10@0 ", "30@2 "},
      {0, "nnnn", "20@1 30@2 30@2 30@2 ", "20@1 30@2 10@0 20@1 "},
      {2, "pppp", "20@1 10@0 10@0 10@0 ", "20@1 10@0 30@2 20@1 "},
      {1, "npnp", "30@2 20@1 30@2 20@1 ", "30@2 20@1 30@2 20@1 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("from ") + std::to_string(c.start) + " steps " + c.steps);
    EXPECT_EQ(Walk<1>(c.start, c.steps), c.stopping);
    EXPECT_EQ(Walk<0>(c.start, c.steps), c.wrapping);
  }

  StepList<int, 0> single = ListOf<0>({5});
  EXPECT_EQ(single.Next(), 5);
  EXPECT_EQ(single.Prev(), 5);
  EXPECT_EQ(single.GetCurrentIndex(), 0u);
}

TEST(StepList, AnEmptyListAnswersTheZeroValue) {
  StepList<int*, 1> pointers;
  EXPECT_TRUE(pointers.IsEmpty());
  EXPECT_EQ(pointers.Current(), nullptr);
  EXPECT_EQ(pointers.Next(), nullptr);
  EXPECT_EQ(pointers.Prev(), nullptr);
  EXPECT_EQ(pointers.At(0), nullptr);
  pointers.SetCurrentIndex(0);
  EXPECT_EQ(pointers.GetCurrentIndex(), 0u);

  StepList<unsigned int, 0> numbers;
  EXPECT_EQ(numbers.Next(), 0u);
  EXPECT_EQ(numbers.Prev(), 0u);
  EXPECT_EQ(numbers.Count(), 0u);
}

TEST(StepList, IndicesOutsideTheListLeaveTheCursor) {
  StepList<int, 1> list = ListOf<1>({10, 20, 30});
  EXPECT_EQ(list.At(1), 20);
  EXPECT_EQ(list.GetCurrentIndex(), 1u);
  for (const uint32_t outside : {3u, 4u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(list.At(outside), 0);
    list.SetCurrentIndex(outside);
    EXPECT_EQ(list.GetCurrentIndex(), 1u);
    EXPECT_EQ(list.Current(), 20);
  }
  list.SetCurrentIndex(2);
  EXPECT_EQ(list.Current(), 30);
}

// Clear keeps the cursor. Once the list holds fewer elements than the cursor counts, the next
// Current, Next or Prev starts again from the first element instead of reading past the end.
TEST(StepList, AListClearedAndFilledAgainNeverReadsPastItsEnd) {
  const struct {
    const char* call;
    int (*stopping)(StepList<int, 1>&);
    int (*wrapping)(StepList<int, 0>&);
  } calls[] = {
      {"Current", [](StepList<int, 1>& l) { return l.Current(); },
       [](StepList<int, 0>& l) { return l.Current(); }},
      {"Next", [](StepList<int, 1>& l) { return l.Next(); }, [](StepList<int, 0>& l) { return l.Next(); }},
      {"Prev", [](StepList<int, 1>& l) { return l.Prev(); }, [](StepList<int, 0>& l) { return l.Prev(); }},
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(c.call);
    StepList<int, 1> stopping = ListOf<1>({10, 20, 30});
    StepList<int, 0> wrapping = ListOf<0>({10, 20, 30});
    stopping.SetCurrentIndex(2);
    wrapping.SetCurrentIndex(2);
    stopping.Clear();
    wrapping.Clear();
    EXPECT_EQ(stopping.GetCurrentIndex(), 2u);
    EXPECT_EQ(c.stopping(stopping), 0);
    EXPECT_EQ(c.wrapping(wrapping), 0);
    stopping.Add(7);
    stopping.Add(8);
    wrapping.Add(7);
    wrapping.Add(8);
    EXPECT_EQ(c.stopping(stopping), 7);
    EXPECT_EQ(stopping.GetCurrentIndex(), 0u);
    EXPECT_EQ(c.wrapping(wrapping), 7);
    EXPECT_EQ(wrapping.GetCurrentIndex(), 0u);
    EXPECT_EQ(stopping.Next(), 8);
    EXPECT_EQ(wrapping.Next(), 8);
  }

  // Filled again with as many elements, the list goes on where it was.
  StepList<int, 0> refilled = ListOf<0>({10, 20, 30});
  refilled.SetCurrentIndex(2);
  refilled.Clear();
  for (const int item : {40, 50, 60}) refilled.Add(item);
  EXPECT_EQ(refilled.Current(), 60);
  EXPECT_EQ(refilled.Next(), 40);
}
