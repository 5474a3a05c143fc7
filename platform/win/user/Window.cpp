// Window classes and the one game window, which is SDL's video mode window.
#include "platform/win/user/Window.h"

#include <SDL.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/user/Messages.h"
#include "platform/win/user/WindowRecord.h"

namespace plat::win {

struct IconToken {
  SDL_Surface* surface = nullptr;
  ~IconToken() {
    if (surface) SDL_FreeSurface(surface);
  }
};
struct CursorToken {};
struct BrushToken {};

namespace {

constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

struct RegisteredClass {
  std::string name;
  WNDCLASSA windowClass;
};

std::vector<RegisteredClass> gClasses;
WindowHandle gWindow;
CursorToken gArrow;
BrushToken gBlackBrush;

const RegisteredClass* FindClass(const char* name) {
  for (const RegisteredClass& entry : gClasses) {
    if (EqualsIgnoringCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

bool IsIntResource(const char* name) {
  return reinterpret_cast<uintptr_t>(name) <= 0xFFFF;
}

// The program's own icon: a round blue face with a yellow smile on transparency, drawn here so
// that no image file has to ship with the program.
std::unique_ptr<IconToken> MakeProgramIcon() {
  constexpr int kSize = 32;
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, kSize, kSize, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  if (!surface) return nullptr;
  if (SDL_LockSurface(surface) != 0) {
    SDL_FreeSurface(surface);
    return nullptr;
  }
  for (int y = 0; y < kSize; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < kSize; ++x) {
      const int dx = 2 * x + 1 - kSize;
      const int dy = 2 * y + 1 - kSize;
      const int distance = dx * dx + dy * dy;
      uint32_t pixel = 0;  // transparent outside the face
      if (distance < (kSize - 2) * (kSize - 2)) pixel = 0xFF2F6FD8;
      const bool eye = (dy > -14 && dy < -4) && ((dx > -12 && dx < -4) || (dx > 4 && dx < 12));
      const bool smile = dy > 4 && distance > 12 * 12 && distance < 18 * 18;
      if (eye || smile) pixel = 0xFFFFD23F;
      row[x] = pixel;
    }
  }
  SDL_UnlockSurface(surface);
  auto icon = std::make_unique<IconToken>();
  icon->surface = surface;
  return icon;
}

void ApplyIcon(HICON icon) {
  if (icon && icon->surface && SDL_WasInit(SDL_INIT_VIDEO)) SDL_WM_SetIcon(icon->surface, nullptr);
}

}  // namespace

WindowHandle& TheWindow() {
  return gWindow;
}

HWND CreatedWindow() {
  return gWindow.created ? &gWindow : nullptr;
}

HICON LoadIconA(HINSTANCE /*instance*/, const char* name) {
  static std::unique_ptr<IconToken> programIcon;
  if (!IsIntResource(name) || reinterpret_cast<uintptr_t>(name) != kProgramIconId) return nullptr;
  if (!programIcon) programIcon = MakeProgramIcon();
  return programIcon.get();
}

HCURSOR LoadCursorA(HINSTANCE /*instance*/, const char* name) {
  return name == IDC_ARROW ? &gArrow : nullptr;
}

HGDIOBJ GetStockObject(int object) {
  return object == BLACK_BRUSH ? &gBlackBrush : nullptr;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || IsIntResource(windowClass->lpszClassName) ||
      !windowClass->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(windowClass->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  RegisteredClass entry{windowClass->lpszClassName, *windowClass};
  entry.windowClass.lpszClassName = nullptr;  // the copy's own name is kept in entry.name
  entry.windowClass.lpszMenuName = nullptr;
  gClasses.push_back(entry);
  return static_cast<ATOM>(0xC000 + gClasses.size());
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD /*style*/, BOOL /*menu*/, DWORD /*exStyle*/) {
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void QuitSDLForTesting() {
  SDL_Quit();
}

BOOL StartSDLVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return TRUE;
  const char* named = std::getenv("SDL_VIDEODRIVER");
  const bool hasVariable = named != nullptr;
  const bool chosenHere = !named || !*named;
  const std::string driver = chosenHere ? "x11" : named;
  const char* display = std::getenv("DISPLAY");
  if (driver == "x11" && (!display || !*display)) {
    SDL_SetError("No X display: DISPLAY is not set (SDL_VIDEODRIVER may name another video driver)");
    return FALSE;
  }
  // SDL reads its driver from the environment; a driver that the user did not name is set there
  // only while video starts.
  if (chosenHere) setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
  const int result = SDL_InitSubSystem(SDL_INIT_VIDEO);
  if (chosenHere) hasVariable ? setenv("SDL_VIDEODRIVER", "", 1) : unsetenv("SDL_VIDEODRIVER");
  if (result != 0) {
    const std::string reason = SDL_GetError();
    SDL_SetError("The video driver \"%s\" did not start: %s", driver.c_str(), reason.c_str());
    return FALSE;
  }
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int /*x*/,
                     int /*y*/, int width, int height, HWND /*parent*/, void* /*menu*/,
                     HINSTANCE /*instance*/, void* /*param*/) {
  const RegisteredClass* entry = className ? FindClass(className) : nullptr;
  if (!entry) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (gWindow.created || width <= 0 || height <= 0 || width == CW_USEDEFAULT || height == CW_USEDEFAULT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool startedVideo = !SDL_WasInit(SDL_INIT_VIDEO);
  if (!StartSDLVideo()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // SDL takes the icon only before the video mode is set.
  ApplyIcon(entry->windowClass.hIcon);
  // The title is in the code page, as every A call's text; SDL takes UTF-8.
  const std::string caption = CodePageToUtf8(CP_ACP, windowName ? windowName : "");
  SDL_WM_SetCaption(caption.c_str(), caption.c_str());
  if (!SDL_SetVideoMode(width, height, 0, SDL_SWSURFACE)) {
    if (startedVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  SDL_EnableUNICODE(1);  // key-downs carry their characters for TranslateMessage
  gWindow = WindowHandle{};
  gWindow.procedure = entry->windowClass.lpfnWndProc;
  gWindow.style = static_cast<LONG>(style);
  gWindow.exStyle = static_cast<LONG>(exStyle);
  gWindow.created = true;
  gWindow.startedVideo = startedVideo;
  SendMessageA(&gWindow, WM_CREATE, 0, 0);
  return &gWindow;
}

BOOL DestroyWindow(HWND window) {
  if (window != CreatedWindow()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  SendMessageA(window, WM_DESTROY, 0, 0);
  gWindow.created = false;
  if (gWindow.startedVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  gWindow = WindowHandle{};
  return TRUE;
}

void EndSDLVideo() {
  gWindow = WindowHandle{};
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

BOOL IsWindow(HWND window) {
  return window && (window == CreatedWindow() || window == GetSDLWindow());
}

HWND GetSDLWindow() {
  if (gWindow.created) return &gWindow;
  return SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetVideoSurface() ? &gWindow : nullptr;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  const SDL_Surface* video = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetVideoSurface() : nullptr;
  if (!IsWindow(window) || !rect || !video) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = RECT{0, 0, video->w, video->h};
  return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  if (!IsWindow(window) || !point) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;  // the client area's corner is the screen's origin
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & KF_ALTDOWN_BIT)) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSKEYUP:
      // Releasing Alt asks for the system menu, which the window procedure may swallow.
      if (wParam == VK_MENU) SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
      return 0;  // there is no system menu to open for SC_KEYMENU
    case WM_SETICON:
      ApplyIcon(reinterpret_cast<HICON>(lParam));
      return 0;
    default:
      return 0;
  }
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (window->procedure) return window->procedure(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LONG GetWindowLongA(HWND window, int index) {
  if (!IsWindow(window) || (index != GWL_STYLE && index != GWL_EXSTYLE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return index == GWL_STYLE ? window->style : window->exStyle;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
  const LONG previous = GetWindowLongA(window, index);
  if (!IsWindow(window) || (index != GWL_STYLE && index != GWL_EXSTYLE)) return 0;
  (index == GWL_STYLE ? window->style : window->exStyle) = value;
  return previous;
}

}  // namespace plat::win
