// The multi-timer: a repeating game timer that walks through a cycle of marks from text data.
#pragma once

#include <cstdint>

#include "core/IEventListener.h"
#include "framework/GameTimer.h"
#include "framework/IHasLoadableTxtData.h"
#include "framework/IMultiTimer.h"
#include "framework/StepList.h"

// The marks are milliseconds from the start of a cycle of wrapTime milliseconds. Marks m1 < m2 < …
// < mk fire at m1, m2, …, mk, wrapTime + m1, … after Start, for as long as the timer is polled. The
// list of marks is the timer's own step list (its current index and count).
//
// Text-data keys: "mark" appends a mark, "wrap" sets the cycle length (one integer each, "0x" for
// hexadecimal).
class MultiTimer : public StepList<unsigned int, 0>, public IHasLoadableTxtData, public Qel::IEventListener {
public:
  static constexpr uint32_t kFirstDuration = 500;

  // The listener is not owned and may be null. With a marks data name the marks are loaded at once.
  // The timer listens for the expiry of its own game timer from here on.
  MultiTimer(const char* name, IMultiTimer* listener, const char* marksName);
  ~MultiTimer() override;
  MultiTimer(const MultiTimer&) = delete;
  MultiTimer& operator=(const MultiTimer&) = delete;

  GameTimer& GetTimer() { return m_timer; }
  void SetWrap(uint32_t wrapTime) { m_wrapTime = wrapTime; }
  uint32_t GetWrap() const { return m_wrapTime; }
  void Poll() { m_timer.Poll(); }
  void PollAt(uint32_t now) { m_timer.PollAt(now); }
  // Appends the marks of that text data, then goes back to the first mark.
  void LoadMarks(const char* name);
  // Runs from the current mark (the first one with rewind): the timer gets the mark as its
  // duration. Then the listener's OnStart.
  void Start(bool rewind);
  // Stops without an expiry event, goes back to the first mark with rewind, then the listener's
  // OnStop.
  void Stop(bool rewind);

  void SetTxtValue(const char* key, const char* value) override;
  // The expiry of its own timer steps to the next mark.
  void HandleEvent(int kind, int id, void* data) override;

private:
  void Step();

  IMultiTimer* m_listener;
  GameTimer m_timer;
  uint32_t m_wrapTime = 0;
};
