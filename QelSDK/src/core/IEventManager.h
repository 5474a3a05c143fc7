// The event manager interface: the one channel through which engine and game report what happened.
#pragma once

#include "core/IEventListener.h"

namespace Qel {

class IEventManager {
public:
  virtual ~IEventManager() = default;

  // Delivers at once, inside the call, to every listener of the kind in the order they were added.
  virtual void PostEvent(int kind, int id, void* data) = 0;
  // A listener already registered for the kind is not added again.
  virtual void AddListener(int kind, IEventListener* listener) = 0;
  // Safe during delivery, also for the listener being called.
  virtual void RemoveListener(IEventListener* listener) = 0;
  virtual void RemoveListenerFromType(int kind, IEventListener* listener) = 0;
};

}  // namespace Qel
