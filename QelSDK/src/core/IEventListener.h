// The event listener: what the event manager calls when an event of a registered kind is posted.
#pragma once

namespace Qel {

class IEventListener {
public:
  virtual ~IEventListener() = default;

  // data belongs to the poster and is valid only during the call.
  virtual void HandleEvent(int kind, int id, void* data) = 0;
};

}  // namespace Qel
