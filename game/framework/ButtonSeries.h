// The button series: shows exactly one object of a series at a time, and steps through them.
#pragma once

#include <cstdint>
#include <vector>

class GenericObject;

// The series does not own its objects. Shown means the object's own visible flag, the one the series
// sets: a series inside a hidden group still knows which of its objects is the shown one.
class ButtonSeries {
public:
  ButtonSeries() = default;
  virtual ~ButtonSeries();
  ButtonSeries(const ButtonSeries&) = delete;
  ButtonSeries& operator=(const ButtonSeries&) = delete;

  // The first object of an empty series is shown, every later one hidden. False, with nothing added,
  // for null.
  virtual bool Add(GenericObject* object);
  // True when the object was in the series.
  virtual bool Remove(GenericObject* object);
  // Of the first shown object; -1 when none is.
  virtual int32_t GetVisibleIndex();
  // Null when none is shown.
  virtual GenericObject* GetVisible();
  // When the object is in the series and shown: hides it and shows the next one, the first after the
  // last, and answers true.
  virtual bool Advance(GenericObject* object);

  int32_t GetCount() const { return static_cast<int32_t>(m_objects.size()); }

private:
  std::vector<GenericObject*> m_objects;
};
