// The thread's message queue: posted messages, the quit message and, while CreateWindowExA's
// window exists, SDL's input turned into window messages.
#pragma once

#include "platform/win/kernel/Events.h"  // the wait results and INFINITE
#include "platform/win/kernel/WinTypes.h"
#include "platform/win/user/Messages.h"
#include "platform/win/user/Window.h"

namespace plat::win {

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
  // The character a key-down produces, which TranslateMessage posts as WM_CHAR (Windows keeps
  // this in its keyboard state instead).
  WCHAR character;
};

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

// Posted messages come before input messages, as on Windows, so the WM_CHAR of a key arrives
// before its WM_KEYUP. The quit message comes when nothing else waits. Window and range filters
// are not supported: the game asks for every message.
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until a message arrives; FALSE for WM_QUIT.
BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax);
// Posts WM_CHAR for a key-down that produces a character; TRUE when it did.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure of the message's window; 0 for messages without one.
LRESULT DispatchMessageA(const MSG* message);
// Blocks until a posted message, an input message or an SDL event is pending, taking none. Returns
// at once when SDL's video is not running, since then nothing could ever arrive.
BOOL WaitMessage();
// Waits until a posted message, an input message or an SDL event is pending (taking none), or the time
// has passed: WAIT_OBJECT_0 + count for the first, WAIT_TIMEOUT for the second, and WAIT_FAILED with
// ERROR_INVALID_PARAMETER when handles are given (the game waits on none). Anything already pending
// ends it at once, as WaitMessage; what arrives meanwhile ends it within a millisecond. Without SDL's
// video nothing can arrive, so it sleeps the whole time. The time is the wall clock's, also while the
// game's own time is stepped.
inline constexpr DWORD QS_ALLINPUT = 0x04FF;
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);
void PostQuitMessage(int exitCode);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Test seam: called each time WaitMessage or MsgWaitForMultipleObjects starts waiting (e.g. to script
// the event that ends it).
using WaitHookFn = void (*)();
void SetWaitMessageHookForTesting(WaitHookFn hook);
// Test seam: an empty queue, no quit message, no key held and no hook, as a new thread has.
void ResetMessageQueueForTesting();

}  // namespace plat::win
