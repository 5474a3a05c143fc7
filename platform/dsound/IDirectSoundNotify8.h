// The notification interface of a sound buffer: events set as its play cursor passes given offsets.
#pragma once

#include "platform/dsound/DSoundTypes.h"

namespace plat::dsound {

// Shares its buffer's reference count.
class IDirectSoundNotify8 {
public:
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  // Replaces the buffer's notifications (count 0 removes them). Each event is set, from the mixer's
  // thread, when the play cursor passes its offset: an offset is passed when the sample frame holding it
  // has been mixed, so offset 0 is passed as play starts there and again at each wrap. Offsets must lie
  // inside the buffer; the buffer must not be playing (DSERR_INVALIDCALL).
  virtual HRESULT SetNotificationPositions(DWORD count, const DSBPOSITIONNOTIFY* positions) = 0;

protected:
  virtual ~IDirectSoundNotify8() = default;
};

}  // namespace plat::dsound
