// The process-wide event manager: synchronous delivery to listeners registered by event kind.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "core/IEventManager.h"
#include "core/Periodical.h"

namespace Qel {

class EventManager : public IEventManager, public Periodical {
public:
  // Created on first use; runs its per-frame erasure of removed listeners from then on.
  static EventManager* GetInstance();
  // Whether the manager exists, for posters that must not bring it back after shut-down.
  static bool Exists();
  // Shut-down calls this outside any delivery; listeners are not told.
  static void DestroyInstance();

  EventManager(const EventManager&) = delete;
  EventManager& operator=(const EventManager&) = delete;

  void PostEvent(int kind, int id, void* data) override;
  void AddListener(int kind, IEventListener* listener) override;
  void RemoveListener(IEventListener* listener) override;
  void RemoveListenerFromType(int kind, IEventListener* listener) override;

  // Erases the entries of removed listeners; returns 0.
  int Update() override;

  // Entries held, including removed ones that wait for the next frame's erasure.
  std::size_t GetEntryCount() const { return m_listeners.size(); }

private:
  using ListenerMap = std::multimap<int, IEventListener*>;

  EventManager();
  ~EventManager() override;

  void Remove(ListenerMap::iterator first, ListenerMap::iterator last, IEventListener* listener);

  // Entries of one kind keep the order in which they were inserted.
  ListenerMap m_listeners;
  // Removal only nulls an entry, so a walk in progress is never disturbed; the entries are
  // erased later, by position (multimap positions survive other insertions and erasures).
  std::vector<ListenerMap::iterator> m_removed;
  // Deliveries in progress; erasure waits until none is.
  int m_deliveryDepth = 0;
};

}  // namespace Qel
