// A sequence's list of timing marks.
#include "game4/TimingMarkList.h"

#include <algorithm>
#include <cstdlib>

#include "platform/win/kernel/AsciiCase.h"

void Game4Node::TimingMarkList::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  const bool strong = plat::EqualsIgnoringCase(key, "strong");
  if (!strong && !plat::EqualsIgnoringCase(key, "weak")) return;
  const long long time = std::strtoll(value, nullptr, 10);
  auto mark = std::make_shared<TimingMark>();
  mark->Set(static_cast<int32_t>(std::clamp<long long>(time, INT32_MIN, INT32_MAX)), strong);
  Add(std::move(mark));
}

Game4Node::TimingMark* Game4Node::TimingMarkList::Peek(uint32_t i) {
  const uint32_t cursor = GetCurrentIndex();
  TimingMark* mark = At(i).get();
  SetCurrentIndex(cursor);
  return mark;
}

void Game4Node::TimingMarkList::CopyFrom(TimingMarkList& other) {
  Clear();
  const uint32_t cursor = other.GetCurrentIndex();
  for (uint32_t i = 0; i < other.Count(); ++i) Add(other.At(i));
  other.SetCurrentIndex(cursor);
  SetCurrentIndex(0);
}

int32_t Game4Node::TimingMarkList::ScorePress(int64_t t, int32_t shape) {
  std::shared_ptr<TimingMark> mark = Current();
  if (!mark) return 0;
  const int32_t points = mark->Score(t, shape);
  Next();
  return points;
}
