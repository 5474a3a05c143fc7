// The step list: a vector with a cursor that stops at the ends (N = 1) or wraps around (N = 0).
#pragma once

#include <cstdint>
#include <vector>

// Conversations, dialogue lines, timer marks and the mini-games' sequences step through these.
// Pointer elements are not owned: their owners delete them before clearing the list.
//
// No read goes outside the list: every call that would answers T's zero value (null, 0). A cursor
// left past the end, as Clear leaves it, starts again from the first element on the next Current,
// Next or Prev, which answers that element without stepping.
template <typename T, int N>
class StepList {
public:
  static_assert(N == 0 || N == 1, "a step list either wraps (0) or stops at its ends (1)");

  virtual ~StepList() = default;

  // The cursor keeps its value, so a list filled again with as many elements goes on where it was.
  void Clear() { m_items.clear(); }
  bool IsEmpty() const { return m_items.empty(); }
  // Element i, which becomes current; for i at or past the count the zero value, the cursor kept.
  T At(uint32_t i) {
    if (i >= Count()) return T{};
    m_current = i;
    return m_items[i];
  }
  uint32_t GetCurrentIndex() const { return m_current; }
  uint32_t Count() const { return static_cast<uint32_t>(m_items.size()); }
  // Ignored outside the list.
  void SetCurrentIndex(uint32_t i) {
    if (i < Count()) m_current = i;
  }
  T Current() {
    if (IsEmpty()) return T{};
    if (m_current >= Count()) m_current = 0;
    return m_items[m_current];
  }
  // The cursor is unchanged.
  void Add(T item) { m_items.push_back(item); }
  // The stopping list stays on its last element, the wrapping one goes on to its first.
  T Next() {
    if (IsEmpty()) return T{};
    if (m_current >= Count()) {
      m_current = 0;
    } else if (m_current + 1 < Count()) {
      ++m_current;
    } else if (N == 0) {
      m_current = 0;
    }
    return m_items[m_current];
  }
  // The stopping list stays on its first element, the wrapping one goes back to its last.
  T Prev() {
    if (IsEmpty()) return T{};
    if (m_current >= Count()) {
      m_current = 0;
    } else if (m_current > 0) {
      --m_current;
    } else if (N == 0) {
      m_current = Count() - 1;
    }
    return m_items[m_current];
  }

private:
  std::vector<T> m_items;
  uint32_t m_current = 0;
};
