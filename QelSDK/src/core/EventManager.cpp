// The process-wide event manager.
#include "core/EventManager.h"

namespace Qel {
namespace {

EventManager* gInstance = nullptr;

// Counts the deliveries in progress, also when a listener throws a fatal error out of one.
class DeliveryScope {
public:
  explicit DeliveryScope(int& depth) : m_depth(depth) { ++m_depth; }
  ~DeliveryScope() { --m_depth; }
  DeliveryScope(const DeliveryScope&) = delete;
  DeliveryScope& operator=(const DeliveryScope&) = delete;

private:
  int& m_depth;
};

}  // namespace

EventManager* EventManager::GetInstance() {
  if (!gInstance) gInstance = new EventManager;
  return gInstance;
}

bool EventManager::Exists() {
  return gInstance != nullptr;
}

void EventManager::DestroyInstance() {
  // Cleared first, so that nothing reached from the destructor finds a half-destroyed manager.
  EventManager* instance = gInstance;
  gInstance = nullptr;
  delete instance;
}

// Started at once: without the per-frame erasure, removed entries would pile up for the whole run.
EventManager::EventManager() {
  Start();
}

EventManager::~EventManager() {
  Stop();
  m_removed.clear();
  m_listeners.clear();
}

void EventManager::PostEvent(int kind, int id, void* data) {
  // The range's end is fixed once, so a listener added for this kind during the walk (inserted just
  // before it) still receives this event. The key is checked too, because an entry of a kind
  // between this one and the next is also inserted before that end, and must not receive it.
  auto [entry, end] = m_listeners.equal_range(kind);
  const DeliveryScope delivery(m_deliveryDepth);
  for (; entry != end && entry->first == kind; ++entry) {
    if (entry->second) entry->second->HandleEvent(kind, id, data);
  }
}

void EventManager::AddListener(int kind, IEventListener* listener) {
  if (!listener) return;
  auto [entry, end] = m_listeners.equal_range(kind);
  for (; entry != end; ++entry) {
    if (entry->second == listener) return;
  }
  // Inserted after all existing entries of the same kind.
  m_listeners.emplace(kind, listener);
}

void EventManager::RemoveListener(IEventListener* listener) {
  Remove(m_listeners.begin(), m_listeners.end(), listener);
}

void EventManager::RemoveListenerFromType(int kind, IEventListener* listener) {
  auto [first, last] = m_listeners.equal_range(kind);
  Remove(first, last, listener);
}

void EventManager::Remove(ListenerMap::iterator first, ListenerMap::iterator last, IEventListener* listener) {
  // Null never matches: an entry that was already removed is never recorded twice for erasure.
  if (!listener) return;
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second == listener) {
      entry->second = nullptr;
      m_removed.push_back(entry);
    }
  }
}

int EventManager::Update() {
  // The frame runs this outside any delivery. Should a listener ever run the frame's update from
  // inside HandleEvent, erasing could pull the entry a walk stands on from under it; the erasure
  // then waits for the next frame.
  if (m_deliveryDepth > 0) return 0;
  for (const auto entry : m_removed) m_listeners.erase(entry);
  m_removed.clear();
  return 0;
}

}  // namespace Qel
