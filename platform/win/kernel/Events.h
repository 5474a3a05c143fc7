// Unnamed event objects and waits on them: the signalling between the mixer thread and the game.
#pragma once

#include "platform/win/kernel/Files.h"  // CloseHandle, which closes events too
#include "platform/win/kernel/Types.h"

namespace plat::win {

struct SECURITY_ATTRIBUTES;

inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 0x102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;

// An auto-reset event is cleared by the one wait it releases; a manual-reset one stays signalled until
// ResetEvent. Only unnamed events exist (nothing shares one across processes): a name gives null with
// ERROR_INVALID_PARAMETER. CloseHandle closes the handle. Every call is safe from any thread.
HANDLE CreateEventA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, const char* name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// WAIT_OBJECT_0 when the event is (or becomes) signalled within the time, WAIT_TIMEOUT otherwise, WAIT_FAILED
// for a handle that is no event. A zero wait only polls; INFINITE waits for ever.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

namespace detail {
// Whether a handle is an event, which CloseHandle closes like a file.
bool IsEventHandle(HANDLE handle);
}  // namespace detail

}  // namespace plat::win
