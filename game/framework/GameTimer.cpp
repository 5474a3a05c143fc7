// The game timer.
#include "framework/GameTimer.h"

#include <cstring>

#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"

GameTimer::GameTimer(const char* name, uint32_t duration) : m_duration(duration) {
  if (name) std::strncpy(m_name, name, kNameCapacity - 1);
}

void GameTimer::Start(uint32_t duration) {
  if (duration != 0) m_duration = duration;
  m_deadline = GameClock::Instance().GetTime() + m_duration;
  m_active = true;
}

void GameTimer::Stop(bool post) {
  if (!m_active) return;
  m_active = false;
  if (post) Expire();
}

void GameTimer::PollAt(uint32_t now) {
  // The clock's milliseconds wrap: "at or after" is a distance, not a plain comparison, so a
  // deadline just past the wrap does not count as reached by a time just before it.
  if (!m_active || static_cast<int32_t>(now - m_deadline) < 0) return;
  m_active = false;
  Expire();
}

void GameTimer::Poll() {
  PollAt(GameClock::Instance().GetTime());
}

void GameTimer::Expire() {
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventTimerExpired, this);
}
