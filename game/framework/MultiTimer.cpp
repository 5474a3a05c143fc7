// The multi-timer.
#include "framework/MultiTimer.h"

#include "core/EventManager.h"
#include "framework/GameEvents.h"
#include "framework/TxtDataManager.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

MultiTimer::MultiTimer(const char* name, IMultiTimer* listener, const char* marksName)
    : m_listener(listener), m_timer(name, kFirstDuration) {
  m_timer.Stop(false);
  if (marksName) LoadMarks(marksName);
  Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this);
}

MultiTimer::~MultiTimer() {
  m_timer.Stop(false);
  // At shut-down the event manager may be gone already; it is not brought back to be told.
  if (Qel::EventManager::Exists())
    Qel::EventManager::GetInstance()->RemoveListenerFromType(kEventGameObject, this);
}

void MultiTimer::LoadMarks(const char* name) {
  TxtDataManager::Instance().LoadTxtData(name, *this);
  SetCurrentIndex(0);
}

void MultiTimer::Start(bool rewind) {
  if (rewind) SetCurrentIndex(0);
  m_timer.Start(Current());
  if (m_listener) m_listener->OnStart(this);
}

void MultiTimer::Stop(bool rewind) {
  m_timer.Stop(false);
  if (rewind) SetCurrentIndex(0);
  if (m_listener) m_listener->OnStop(this);
}

void MultiTimer::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  ValueTokenizer tokens(value);
  // Marks and the cycle are unsigned milliseconds; a negative value keeps its 32-bit pattern.
  if (plat::EqualsIgnoringCase(key, "mark")) {
    Add(static_cast<uint32_t>(tokens.NextInt()));
  } else if (plat::EqualsIgnoringCase(key, "wrap")) {
    m_wrapTime = static_cast<uint32_t>(tokens.NextInt());
  }
}

void MultiTimer::HandleEvent(int kind, int id, void* data) {
  if (kind == kEventGameObject && id == kEventTimerExpired && data == &m_timer) Step();
}

void MultiTimer::Step() {
  const uint32_t previous = Current();
  const uint32_t previousIndex = GetCurrentIndex();
  const uint32_t next = Next();
  const uint32_t nextIndex = GetCurrentIndex();
  m_timer.Stop(false);
  // Going back to an earlier index (or staying on a single mark) crosses into the next cycle.
  const uint32_t interval = nextIndex > previousIndex ? next - previous : m_wrapTime - previous + next;
  // An interval of 0 keeps the timer's last duration.
  m_timer.Start(interval);
  if (m_listener) m_listener->OnMark(this);
}
