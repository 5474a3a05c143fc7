// The game timer: a named one-shot timer on the game clock that announces its expiry as an event.
#pragma once

#include <cstddef>
#include <cstdint>

// A node polls its timers every update; the expiry reaches it as event kGameObject /
// kEventTimerExpired with the timer as data, so one handler tells its timers apart by pointer or
// by name.
class GameTimer {
public:
  static constexpr size_t kNameCapacity = 32;

  // A longer name keeps its first 31 characters; a null name is empty. The timer starts inactive.
  GameTimer(const char* name, uint32_t duration);

  // A duration of 0 keeps the last one. The deadline is the game clock's now plus the duration.
  void Start(uint32_t duration);
  // An active timer stops; with post it also announces its expiry at once, as if its time had run
  // out. An inactive timer does nothing.
  void Stop(bool post);
  // An active timer whose deadline has come (now at or after it) stops and announces its expiry.
  void PollAt(uint32_t now);
  // PollAt with the game clock's now.
  void Poll();

  const char* GetName() const { return m_name; }
  bool IsActive() const { return m_active; }
  uint32_t GetDuration() const { return m_duration; }
  uint32_t GetDeadline() const { return m_deadline; }

private:
  void Expire();

  char m_name[kNameCapacity] = {};
  bool m_active = false;
  uint32_t m_duration;
  uint32_t m_deadline = 0;
};
