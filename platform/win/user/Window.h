// Window classes and the one game window, which is SDL's video mode window.
#pragma once

#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

struct IconToken;
struct CursorToken;
struct BrushToken;
using HICON = IconToken*;
using HCURSOR = CursorToken*;
using HBRUSH = BrushToken*;
using HGDIOBJ = void*;
using ATOM = WORD;
using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
};

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;

inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;

inline constexpr int BLACK_BRUSH = 4;

inline const char* MAKEINTRESOURCEA(WORD id) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(id));
}
inline const char* const IDC_ARROW = MAKEINTRESOURCEA(32512);

// The program's icon resource.
inline constexpr WORD kProgramIconId = 102;

// Only the program's own icon 102 exists; any other is null.
HICON LoadIconA(HINSTANCE instance, const char* name);
// Only the arrow exists.
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
HGDIOBJ GetStockObject(int object);

ATOM RegisterClassA(const WNDCLASSA* windowClass);

// Window frames belong to the window manager, so a window's outer rectangle is its client area.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// Starts SDL's video on a real display only: the driver SDL_VIDEODRIVER names (tests name
// "dummy"), else X11. Left to itself, SDL 1.2 would fall back to a text-art driver that paints
// over the terminal. TRUE when video runs (already, or now); on failure SDL_GetError says why.
BOOL StartSDLVideo();

// Makes the one SDL window: the video mode (width x height), with the class's icon set before it
// and the title (code-page text, handed to SDL as UTF-8) as its caption. While it exists, the
// message queue turns SDL's events into messages for its window procedure. Null when the class is
// unknown, a window already exists or SDL cannot set the mode.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);

// Ends SDL's video, and with it the one window, whoever made it and without a word to its window
// procedure: for a program that cannot go on, so that no dead window stays on the screen.
void EndSDLVideo();

// Test seam: SDL wholly ended (video, sound, timers), as a new process finds it; whatever a case
// starts next starts under that case's own environment.
void QuitSDLForTesting();

// Sends WM_DESTROY and ends the video mode. Only a window CreateWindowExA made can be destroyed.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

// The handle of SDL's video mode window when someone else (the SDL display) set the mode: the
// stand-in's token for it, since SDL's own window information may be empty (dummy driver).
// Null while no video mode is set.
HWND GetSDLWindow();

// The client area of the window: (0, 0) to the video mode's size. FALSE for a window that does not
// exist.
BOOL GetClientRect(HWND window, RECT* rect);
// SDL 1.2 does not say where its window lies on the screen, so the client area's corner is taken as
// the screen's origin; GetCursorPos answers in the same frame, so a cursor position made client-relative
// through this is the pointer's place in the window. FALSE for a window that does not exist.
BOOL ClientToScreen(HWND window, POINT* point);

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);

}  // namespace plat::win
