// The thread's message queue: posted messages, the quit message and SDL's input as window messages.
#include "platform/win/user/MessageQueue.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>

#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/WindowRecord.h"

namespace plat::win {
namespace {

std::deque<MSG> gPosted;
std::deque<MSG> gInput;
bool gQuitPosted = false;
int gQuitCode = 0;
std::set<int> gKeysDown;  // SDL symbols held, for the previous-state bit of repeats
WaitHookFn gWaitHook = nullptr;
// How often a timed wait looks for input when it cannot sleep on the display's connection.
constexpr uint32_t kWaitSliceMs = 1;

WPARAM VirtualKeyOf(SDLKey symbol) {
  if (symbol >= SDLK_a && symbol <= SDLK_z) return static_cast<WPARAM>('A' + (symbol - SDLK_a));
  if (symbol >= SDLK_0 && symbol <= SDLK_9) return static_cast<WPARAM>(symbol);
  if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return VK_F1 + static_cast<WPARAM>(symbol - SDLK_F1);
  switch (symbol) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_RETURN:
      return VK_RETURN;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_END:
      return VK_END;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    default:
      return 0;  // keys the game never asks about
  }
}

MSG MakeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = CreatedWindow();
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = timeGetTime();
  return msg;
}

void QueueKey(const SDL_KeyboardEvent& key) {
  const bool down = key.type == SDL_KEYDOWN;
  const WPARAM virtualKey = VirtualKeyOf(key.keysym.sym);
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || virtualKey == VK_MENU;
  LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode) << 16);
  if (alt) lParam |= KF_ALTDOWN_BIT;
  const bool wasDown = gKeysDown.count(key.keysym.sym) != 0;
  if (down) {
    if (wasDown) lParam |= KF_REPEAT_BIT;
    gKeysDown.insert(key.keysym.sym);
  } else {
    lParam |= KF_REPEAT_BIT | KF_UP_BIT;
    gKeysDown.erase(key.keysym.sym);
  }
  UINT message = down ? WM_KEYDOWN : WM_KEYUP;
  if (alt) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
  MSG msg = MakeMessage(message, virtualKey, lParam);
  // Delete gives no character on Windows; Alt combinations give system characters, which the game
  // never reads.
  if (down && !alt && key.keysym.unicode != 0 && key.keysym.unicode != 127)
    msg.character = key.keysym.unicode;
  gInput.push_back(msg);
}

void QueueButton(const SDL_MouseButtonEvent& button) {
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  UINT message;
  if (button.button == SDL_BUTTON_LEFT) {
    message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  } else if (button.button == SDL_BUTTON_RIGHT) {
    message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  } else {
    return;  // the game reads no other buttons
  }
  // No double clicks: the game's window class does not ask for them.
  gInput.push_back(MakeMessage(message, 0, MAKELPARAM(button.x, button.y)));
}

// While CreateWindowExA's window exists, SDL's pending events become its messages.
void PumpSDL() {
  if (!CreatedWindow()) return;
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    switch (event.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        QueueKey(event.key);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        QueueButton(event.button);
        break;
      case SDL_ACTIVEEVENT:
        if (event.active.state & SDL_APPINPUTFOCUS) {
          gInput.push_back(MakeMessage(WM_ACTIVATEAPP, event.active.gain ? TRUE : FALSE, 0));
        }
        break;
      case SDL_QUIT:
        gInput.push_back(MakeMessage(WM_CLOSE, 0, 0));
        break;
      default:
        break;
    }
  }
}

bool SDLEventPending() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_PumpEvents();
  SDL_Event event;
  return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

// Whether anything would end a wait: the queues (SDL's input pumped into them first) or SDL's own.
bool MessagePending() {
  PumpSDL();
  return !gPosted.empty() || !gInput.empty() || gQuitPosted || SDLEventPending();
}

// The X connection SDL reads its input from, or -1 without one (SDL's dummy video).
int SDLInputConnection() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display) return -1;
  return ConnectionNumber(info.info.x11.display);
}

// Sleeps up to the time, or until the display's connection has something to read: once SDL has pumped
// its input, Xlib holds none back, so whatever comes next arrives there.
void SleepUntilInput(uint32_t milliseconds) {
  const int connection = SDL_WasInit(SDL_INIT_VIDEO) ? SDLInputConnection() : -1;
  if (connection < 0) {
    // Only events pushed onto SDL's queue could come, and only the slices see them.
    Sleep(SDL_WasInit(SDL_INIT_VIDEO) ? std::min(milliseconds, kWaitSliceMs) : milliseconds);
    return;
  }
  pollfd input{connection, POLLIN, 0};
  const int timeout =
      milliseconds == INFINITE ? -1 : static_cast<int>(std::min<uint32_t>(milliseconds, 0x7FFFFFFF));
  poll(&input, 1, timeout);
}

}  // namespace

BOOL PeekMessageA(MSG* message, HWND /*window*/, UINT /*filterMin*/, UINT /*filterMax*/, UINT removeFlags) {
  if (!message) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  PumpSDL();
  for (std::deque<MSG>* queue : {&gPosted, &gInput}) {
    if (queue->empty()) continue;
    *message = queue->front();
    if (removeFlags & PM_REMOVE) queue->pop_front();
    return TRUE;
  }
  if (gQuitPosted) {
    *message = MakeMessage(WM_QUIT, static_cast<WPARAM>(gQuitCode), 0);
    message->hwnd = nullptr;
    if (removeFlags & PM_REMOVE) gQuitPosted = false;
    return TRUE;
  }
  return FALSE;
}

BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax) {
  while (!PeekMessageA(message, window, filterMin, filterMax, PM_REMOVE)) {
    if (!message) return -1;
    WaitMessage();
  }
  return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* message) {
  if (!message || message->message != WM_KEYDOWN || message->character == 0) return FALSE;
  char byte = 0;
  if (WideCharToMultiByte(CP_ACP, 0, &message->character, 1, &byte, 1, nullptr, nullptr) != 1) return FALSE;
  MSG character = *message;
  character.message = WM_CHAR;
  character.wParam = static_cast<unsigned char>(byte);
  character.character = 0;
  gPosted.push_back(character);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* message) {
  if (!message || !message->hwnd) return 0;
  return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WaitMessage() {
  if (gWaitHook) gWaitHook();
  for (;;) {
    if (MessagePending()) return TRUE;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return TRUE;
    SDL_Delay(5);
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* /*handles*/, BOOL /*waitAll*/, DWORD milliseconds,
                                DWORD /*wakeMask*/) {
  if (count != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  if (gWaitHook) gWaitHook();
  const uint32_t start = GetTickCount();
  for (;;) {
    if (MessagePending()) return WAIT_OBJECT_0 + count;
    const uint32_t waited = GetTickCount() - start;
    if (milliseconds != INFINITE && waited >= milliseconds) return WAIT_TIMEOUT;
    SleepUntilInput(milliseconds == INFINITE ? INFINITE : milliseconds - waited);
  }
}

void PostQuitMessage(int exitCode) {
  gQuitPosted = true;
  gQuitCode = exitCode;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !IsWindow(window)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MSG msg = MakeMessage(message, wParam, lParam);
  msg.hwnd = window;
  gPosted.push_back(msg);
  return TRUE;
}

void ResetMessageQueueForTesting() {
  gPosted.clear();
  gInput.clear();
  gQuitPosted = false;
  gQuitCode = 0;
  gKeysDown.clear();
  gWaitHook = nullptr;
}

void SetWaitMessageHookForTesting(WaitHookFn hook) {
  gWaitHook = hook;
}

}  // namespace plat::win
