// The subject of a subscription.
#include "graphics/Observable.h"

#include <algorithm>

#include "graphics/Observer.h"

namespace Qel {

Observable::~Observable() {
  for (NotifyFrame* frame = m_notifyFrames; frame != nullptr; frame = frame->m_outer) {
    frame->m_subjectDestroyed = true;
  }
  m_notifyFrames = nullptr;
  RemoveAllObservers();
}

void Observable::AddObserver(Observer* observer) {
  if (observer == nullptr) return;
  if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) return;
  m_observers.push_back(observer);
  observer->m_subjects.push_back(this);
}

void Observable::RemoveObserver(Observer* observer) {
  if (observer == nullptr) return;
  auto entry = std::find(m_observers.begin(), m_observers.end(), observer);
  if (entry == m_observers.end()) return;
  observer->m_subjects.remove(this);
  if (m_notifyFrames != nullptr) {
    // A walk may stand on this entry: leave a hole that the outermost walk sweeps up.
    *entry = nullptr;
    m_holes = true;
  } else {
    m_observers.erase(entry);
  }
}

void Observable::RemoveAllObservers() {
  for (Observer*& observer : m_observers) {
    if (observer == nullptr) continue;
    observer->m_subjects.remove(this);
    observer = nullptr;
  }
  if (m_notifyFrames == nullptr)
    m_observers.clear();
  else
    m_holes = true;
}

void Observable::Notify(uint32_t sender, uint32_t event, void* data) {
  // Many subjects (frame tracks, most animations) have no one listening.
  if (m_observers.empty()) return;
  NotifyFrame frame(*this);
  // Entries are only nulled, never erased, while any walk runs, so an index stays on its entry
  // across every call; the size is read afresh so that observers added meanwhile are reached.
  for (size_t i = 0; i < m_observers.size(); ++i) {
    Observer* observer = m_observers[i];
    if (observer == nullptr) continue;
    observer->OnNotify(this, sender, event, data);
    if (frame.m_subjectDestroyed) return;
  }
}

Observable::NotifyFrame::NotifyFrame(Observable& subject)
    : m_subject(subject), m_outer(subject.m_notifyFrames) {
  subject.m_notifyFrames = this;
}

Observable::NotifyFrame::~NotifyFrame() {
  if (m_subjectDestroyed) return;
  m_subject.m_notifyFrames = m_outer;
  // The outermost walk sweeps up the holes left by removals during any walk.
  if (m_outer == nullptr && m_subject.m_holes) {
    auto& observers = m_subject.m_observers;
    observers.erase(std::remove(observers.begin(), observers.end(), nullptr), observers.end());
    m_subject.m_holes = false;
  }
}

}  // namespace Qel
