// A listener that writes down every timer expiry, with the game-clock time it arrived at.
#pragma once

#include <cstdint>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"

namespace test {

struct TimerEvent {
  void* timer;
  uint32_t at;
  friend bool operator==(const TimerEvent&, const TimerEvent&) = default;
};

class TimerEventLog : public Qel::IEventListener {
public:
  TimerEventLog() { Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this); }
  ~TimerEventLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  TimerEventLog(const TimerEventLog&) = delete;
  TimerEventLog& operator=(const TimerEventLog&) = delete;

  void HandleEvent(int kind, int id, void* data) override {
    if (kind == kEventGameObject && id == kEventTimerExpired)
      m_events.push_back({data, GameClock::Instance().GetTime()});
  }

  std::vector<TimerEvent> m_events;
};

}  // namespace test
