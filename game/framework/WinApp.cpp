// The application shell: the window, the display choice, the message loop and the translation of
// keyboard and mouse messages into input events.
#include "framework/WinApp.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "core/Box3.h"
#include "core/Color.h"
#include "core/Trace.h"
#include "framework/GameEvents.h"
#include "framework/InputEventInfo.h"
#include "framework/KeyTranslation.h"
#include "framework/StringTableReader.h"
#include "graphics/CompressedSurface.h"
#include "graphics/D3DDisplayDevice.h"
#include "graphics/D3DFormats.h"
#include "graphics/D3DSurface.h"
#include "graphics/D3DTexture.h"
#include "graphics/KeyboardCodePage.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/StaticText.h"
#include "graphics/Utf8.h"
#include "platform/bink/Bink.h"
#include "platform/d3d8/D3D8.h"
#include "platform/dsound/IDirectSound8.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/win/user/Cursor.h"
#include "platform/win/user/DisplaySettings.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/Messages.h"
#include "platform/win/user/SystemParameters.h"
#include "sound/WinSoundManager.h"

using namespace plat::win;

namespace {

WinApp gApp;

constexpr const char* kWindowClassName = "Pilo Tesk Window";

// The debug lines: a block across the screen above the caption bar.
constexpr int32_t kDebugTextWidth = 800;
constexpr int32_t kDebugTextHeight = 100;
constexpr int32_t kDebugTextTop = 500;

struct NamedFormat {
  const Qel::PixelFormat* format;
  const char* name;
};

// Compared in this order: the first match names the display's format.
constexpr NamedFormat kSDLFormatNames[] = {
    {&Qel::kPixelFormatX1R5G5B5, "X1R5G5B5"}, {&Qel::kPixelFormatA1R5G5B5, "A1R5G5B5"},
    {&Qel::kPixelFormatR5G6B5, "R5G6B5"},     {&Qel::kPixelFormatA4R4G4B4, "A4R4G4B4"},
    {&Qel::kPixelFormatR8G8B8, "R8G8B8"},     {&Qel::kPixelFormatX8R8G8B8, "X8R8G8B8"},
    {&Qel::kPixelFormatA8R8G8B8, "A8R8G8B8"},
};

// The names of Direct3D formats 20 to 31, in code order.
constexpr const char* kD3DFormatNames[] = {"R8G8B8",   "A8R8G8B8", "X8R8G8B8", "R5G6B5",
                                           "X1R5G5B5", "A1R5G5B5", "A4R4G4B4", "R3G3B2",
                                           "A8",       "A8R3G3B2", "X4R4G4B4", "A2B10G10R10"};
constexpr uint32_t kFirstNamedD3DFormat = 20;

const char* D3DFormatName(uint32_t code) {
  if (code < kFirstNamedD3DFormat || code - kFirstNamedD3DFormat >= std::size(kD3DFormatNames))
    return "Unknown";
  return kD3DFormatNames[code - kFirstNamedD3DFormat];
}

bool IsRepeat(LPARAM lParam) {
  return (lParam & KF_REPEAT_BIT) != 0;
}

}  // namespace

WinApp& GetWinApp() {
  return gApp;
}

MainApp& GetApp() {
  return gApp;
}

LRESULT GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return gApp.WindowProc(window, message, wParam, lParam);
}

WinApp::WinApp() = default;
WinApp::~WinApp() = default;

bool WinApp::Init(HINSTANCE instance, HINSTANCE /*previousInstance*/, const char* /*commandLine*/,
                  int /*showCommand*/) {
  m_instance = instance;
  const bool started = MainApp::Init();
  // Only a display that start-up completed can draw the debug lines.
  if (started && m_display && (GetOptions().ShowFrameRate() || GetOptions().ShowDebugInfo())) {
    m_debugText = std::make_unique<Qel::StaticText>(m_display.get(), kDebugTextWidth, kDebugTextHeight,
                                                    "courier", 10, 0, std::u16string());
    m_debugText->SetColor(Qel::Color(0, 255, 255, 255));
  }
  if (started) {
    // The game draws its own cursor.
    ShowSystemCursor(false);
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
  }
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &m_savedScreenSaverActive, 0);
  m_screenSaverSaved = true;
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_SENDCHANGE);
  return started;
}

void WinApp::Run() {
  MSG msg;
  SDL_Event event;
  StartFramePacing();
  for (;;) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!GetMessageA(&msg, nullptr, 0, 0)) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else if (!m_direct3D && SDL_PollEvent(&event)) {
      // On the Direct3D path the window's queue turns SDL's events into messages.
      HandleSDLEvent(event);
    } else if (IsRunning() && IsActive()) {
      // A frame that is not due yet is waited for, asleep; a message or event meanwhile ends the wait,
      // and is taken at the next pass before the frame.
      if (const uint32_t wait = GetFramePacer().TimeToNextFrame()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
      } else {
        Frame();
      }
    } else {
      WaitMessage();
    }
    if (IsQuitRequested()) PostQuitMessage(0);
  }
}

void WinApp::Shutdown() {
  // Its surface belongs to the display, which goes with the application core.
  m_debugText.reset();
  MainApp::Shutdown();
  if (m_direct3D) m_direct3D->Release();
  m_direct3D = nullptr;
  // The movie library gives back the sound device it was handed at start-up.
  plat::bink::BinkSetSoundSystem(plat::bink::BinkOpenDirectSound, 0);
  RestoreSystemSettings();
}

void WinApp::ResetForTesting() {
  if (IsRunning()) Shutdown();
  if (m_window && IsWindow(m_window)) {
    // Not the end of the game: no quit message is left for the next start.
    m_discardingWindow = true;
    DestroyWindow(m_window);
  }
  // A start-up that failed took the screen saver too.
  RestoreSystemSettings();
  m_window = nullptr;
  m_instance = nullptr;
  m_discardingWindow = false;
  m_savedScreenSaverActive = TRUE;
  m_debugText.reset();
  MainApp::ResetForTesting();
}

void WinApp::RestoreSystemSettings() {
  if (m_screenSaverSaved) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(m_savedScreenSaverActive), nullptr,
                          SPIF_SENDCHANGE);
    m_screenSaverSaved = false;
  }
  ChangeDisplaySettingsA(nullptr, 0);
}

bool WinApp::IsLowSpec() const {
  // Without Direct3D only an alpha-capable display is good enough.
  if (!m_direct3D && !IsAlphaCapable()) return true;
  const int32_t cpu = GetOptions().GetCpuMhz();
  const int32_t memory = GetOptions().GetMemoryMb();
  if (cpu != 0 && cpu < 530) return true;
  if (memory != 0 && memory < 128) return true;
  return false;
}

bool WinApp::CreateDisplay() {
  switch (GetOptions().GetGraphicsLevel()) {
    case 0:
      return CreateSDLDisplay(false);
    case 1:
      return CreateSDLDisplay(true) || CreateSDLDisplay(false);
    case 2:
      return CreateDirect3DDisplay() || CreateSDLDisplay(true) || CreateSDLDisplay(false);
    default:
      return CreateDirect3DDisplay() || CreateSDLDisplay(false);
  }
}

bool WinApp::CreateDirect3DDisplay() {
  namespace d3d = plat::d3d8;
  try {
    m_direct3D = d3d::Direct3DCreate8(d3d::D3D_SDK_VERSION);
    if (!m_direct3D) throw "D3D8 unavailable.";

    const bool windowed = GetOptions().IsWindowed();
    d3d::D3DFORMAT displayFormat = Qel::D3DFormatFromPixelFormat(Qel::kPixelFormatR5G6B5);
    if (windowed) {
      d3d::D3DDISPLAYMODE mode;
      // A mode that cannot be read leaves the format unknown, which the format check refuses.
      displayFormat = d3d::SUCCEEDED(m_direct3D->GetAdapterDisplayMode(d3d::D3DADAPTER_DEFAULT, &mode))
                          ? mode.Format
                          : d3d::D3DFMT_UNKNOWN;
    }
    if (d3d::FAILED(m_direct3D->CheckDeviceFormat(
            d3d::D3DADAPTER_DEFAULT, d3d::D3DDEVTYPE_HAL, displayFormat, 0, d3d::D3DRTYPE_TEXTURE,
            Qel::D3DFormatFromPixelFormat(Qel::kPixelFormatA4R4G4B4)))) {
      throw "Device does not support texture format.";
    }
    d3d::D3DCAPS8 caps;
    // Capabilities that cannot be read are none at all: the first check then refuses the adapter.
    if (d3d::FAILED(m_direct3D->GetDeviceCaps(d3d::D3DADAPTER_DEFAULT, d3d::D3DDEVTYPE_HAL, &caps))) {
      caps = d3d::D3DCAPS8{};
      caps.DeviceType = 0;
    }
    if (caps.DeviceType != d3d::D3DDEVTYPE_HAL) throw "DX Error: Not a hardware device";
    if (!(caps.Caps2 & d3d::D3DCAPS2_FULLSCREENGAMMA)) throw "DX Error: Full screen gamma not supported";
    if (caps.Caps2 & d3d::D3DCAPS2_NO2DDURING3DSCENE) throw "DX Error: No 2D during 3D scene";
    if (!(caps.TextureCaps & d3d::D3DPTEXTURECAPS_ALPHA)) throw "DX Error: Textures don't support alpha";
    if (caps.TextureCaps & d3d::D3DPTEXTURECAPS_SQUAREONLY) throw "DX Error: Textures must be square";
    if (caps.MaxTextureWidth < kScreenWidth) throw "DX Error: Textures have maximum width";
    if (caps.MaxTextureHeight < kScreenHeight) throw "DX Error: Textures have maximum height";

    if (!CreateGameWindow()) throw "Could not create window.";

    Qel::D3DDeviceParameters parameters;
    parameters.direct3D = m_direct3D;
    parameters.focusWindow = m_window;
    parameters.deviceWindow = m_window;
    auto device = std::make_unique<Qel::D3DDisplayDevice>();
    if (device->Open(kScreenWidth, kScreenHeight, Qel::PixelFormatFromD3DFormat(displayFormat), !windowed,
                     &parameters) != 0) {
      throw "DX Error: Could not create device.";
    }
    m_display = std::move(device);

    Qel::SetMaxSurfaceSize(128, 128);
    d3d::D3DDISPLAYMODE mode;
    if (d3d::FAILED(m_direct3D->GetAdapterDisplayMode(d3d::D3DADAPTER_DEFAULT, &mode))) mode.Format = 0;
    m_displayPixelFormat = Qel::PixelFormatFromD3DFormat(mode.Format);
    m_rendererFormatName = D3DFormatName(mode.Format);
  } catch (const char* message) {
    Qel::Trace("\t%s\n", message);
  } catch (...) {
    Qel::Trace("\tUnknown error.\n");
  }
  if (!m_display) {
    if (m_window) {
      // The window of a failed attempt goes without ending the game: the next attempt follows.
      m_discardingWindow = true;
      DestroyWindow(m_window);
      m_discardingWindow = false;
      m_window = nullptr;
    }
    if (m_direct3D) m_direct3D->Release();
    m_direct3D = nullptr;
  }
  return m_display != nullptr;
}

bool WinApp::CreateGameWindow() {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = GameWindowProc;
  windowClass.hInstance = m_instance;
  windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(kProgramIconId));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClassName;
  RegisterClassA(&windowClass);  // already registered by an earlier attempt is fine

  RECT rect{0, 0, kScreenWidth, kScreenHeight};
  const bool windowed = GetOptions().IsWindowed();
  const DWORD style =
      windowed ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = windowed ? 0 : WS_EX_TOPMOST;
  if (AdjustWindowRectEx(&rect, style, FALSE, exStyle) != 1) return false;
  m_window =
      CreateWindowExA(exStyle, kWindowClassName, GetWindowCaption(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, m_instance, nullptr);
  return m_window != nullptr;
}

bool WinApp::CreateSDLDisplay(bool alpha) {
  // Video starts here rather than inside the device, so that only a real display is taken.
  if (!StartSDLVideo()) {
    Qel::Trace("ERROR: SDL display could not be opened: %s\n", SDL_GetError());
    return false;
  }
  auto device = std::make_unique<Qel::SDLDisplayDevice>();
  const int surfaceMode =
      alpha ? Qel::SDLDisplayDevice::kSurfaceModeSoftwareAlpha : Qel::SDLDisplayDevice::kSurfaceModeHardware;
  const int result = device->Open(kScreenWidth, kScreenHeight, Qel::PixelFormat(16),
                                  !GetOptions().IsWindowed(), &surfaceMode);
  if (result != 0) {
    Qel::Trace("ERROR: SDL display could not be opened: %s\n", SDL_GetError());
    return false;
  }
  m_display = std::move(device);

  m_window = GetSDLWindow();
  // The caption stays in the code page for the game; SDL takes UTF-8.
  const std::string caption = CodePageToUtf8(CP_ACP, GetWindowCaption());
  SDL_WM_SetCaption(caption.c_str(), caption.c_str());
  if (HICON icon = LoadIconA(m_instance, MAKEINTRESOURCEA(kProgramIconId))) {
    SetWindowLongA(m_window, GWL_STYLE, GetWindowLongA(m_window, GWL_STYLE) | static_cast<LONG>(WS_SYSMENU));
    SendMessageA(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }

  const SDL_PixelFormat* video = SDL_GetVideoInfo()->vfmt;
  m_displayPixelFormat =
      Qel::PixelFormat(video->BitsPerPixel, video->Rmask, video->Gmask, video->Bmask, video->Amask);
  m_rendererFormatName = "Unknown";
  for (const NamedFormat& named : kSDLFormatNames) {
    if (*named.format == m_displayPixelFormat) {
      m_rendererFormatName = named.name;
      break;
    }
  }
  return true;
}

bool WinApp::RegisterSurfaceKinds() {
  Qel::D3DSurface::RegisterSurfaceOps();
  Qel::D3DTexture::RegisterSurfaceOps();
  Qel::SDLSurface::RegisterSurfaceOps();
  Qel::MultiSurface::RegisterSurfaceOps();
  Qel::CompressedSurface::RegisterSurfaceOps();
  return true;
}

void WinApp::UnregisterSurfaceKinds() {
  Qel::D3DSurface::UnregisterSurfaceOps();
  Qel::D3DTexture::UnregisterSurfaceOps();
  Qel::SDLSurface::UnregisterSurfaceOps();
  Qel::MultiSurface::UnregisterSurfaceOps();
  Qel::CompressedSurface::UnregisterSurfaceOps();
}

void WinApp::ShowSystemCursor(bool show) {
  ShowCursor(show ? TRUE : FALSE);
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void WinApp::LoadStringTable(Qel::Stream& stream) {
  // The keyboard layout follows the language of the game's data, and the texts its code page.
  SelectKeyboardLayoutForLanguage(GetOptions().GetLanguage());
  StringTableReader::Read(stream, Qel::GetKeyboardCodePage(),
                          [this](const char* text) { StoreStringTableLine(text); });
}

bool WinApp::InitSound() {
  if (!m_window) return false;
  // The initialiser reports a failed device as 1, so start-up goes on without sound.
  Qel::WinSoundManager* sound = Qel::WinSoundManager::Instance();
  if (sound->Initialize(m_window) < 0) return false;
  // Movies play their sound through the same device.
  if (plat::dsound::IDirectSound8* device = sound->GetDirectSound())
    plat::bink::BinkSetSoundSystem(plat::bink::BinkOpenDirectSound, reinterpret_cast<uintptr_t>(device));
  return true;
}

void WinApp::GetRendererText(std::string& text) const {
  if (m_direct3D) {
    text += "Renderer: DirectX 8 - ";
  } else {
    text += IsAlphaCapable() ? "Renderer: SDL 1.2.4 [alpha] - " : "Renderer: SDL 1.2.4 [no alpha] - ";
  }
  text += GetRendererFormatName();
  text += "\n";
}

void WinApp::ShowDebugText(const std::string& text) {
  if (!m_debugText || !m_display) return;
  Qel::DrawingSurface* backBuffer = m_display->GetBackBuffer();
  if (!backBuffer) return;
  m_debugText->SetText(Qel::Widen8BitText(text));
  Qel::Box3 source;
  m_debugText->ComputeLocalBounds(source);
  m_debugText->Render(*backBuffer, source, Qel::Point2(0, kDebugTextTop));
}

LRESULT WinApp::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      if (!m_discardingWindow) PostQuitMessage(0);
      return 0;
    case WM_ACTIVATEAPP:
      OnActivate(LOWORD(wParam) != 0);
      break;
    case WM_KEYDOWN:
      if (!IsRepeat(lParam)) {
        if (const uint16_t code = TranslateVirtualKey(0, static_cast<unsigned>(wParam))) {
          PostKeyDownEvent(code);
          return 0;
        }
      }
      break;
    case WM_KEYUP:
      if (const uint16_t code = TranslateVirtualKey(0, static_cast<unsigned>(wParam))) {
        PostKeyUpEvent(code);
        return 0;
      }
      break;
    case WM_CHAR:
      if (!IsRepeat(lParam)) {
        if (const uint16_t code = TranslateVirtualKey(static_cast<unsigned>(wParam), 0)) PostCharEvent(code);
      }
      break;
    case WM_SYSCOMMAND:
      // The Alt key does not open a system menu.
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      PostMouseEvent(message, LOWORD(static_cast<uintptr_t>(lParam)), HIWORD(static_cast<uintptr_t>(lParam)));
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void WinApp::HandleSDLEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      if (event.active.state & SDL_APPINPUTFOCUS) OnActivate(event.active.gain == 1);
      break;
    case SDL_KEYDOWN: {
      if (event.key.keysym.sym == SDLK_F4 && (event.key.keysym.mod & (KMOD_LALT | KMOD_RALT))) {
        RequestQuit();
        break;
      }
      bool special = false;
      if (const uint16_t code = TranslateSDLKey(event.key.keysym.sym, special)) {
        special ? PostKeyDownEvent(code) : PostCharEvent(code);
      }
      break;
    }
    case SDL_KEYUP: {
      bool special = false;
      const uint16_t code = TranslateSDLKey(event.key.keysym.sym, special);
      if (code && special) PostKeyUpEvent(code);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT) {
        PostMouseEvent(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, event.button.x, event.button.y);
      } else if (event.button.button == SDL_BUTTON_RIGHT) {
        PostMouseEvent(down ? WM_RBUTTONDOWN : WM_RBUTTONUP, event.button.x, event.button.y);
      }
      break;
    }
    case SDL_QUIT:
      // The window's close box ends the game.
      RequestQuit();
      break;
    default:
      break;
  }
}

void WinApp::PostMouseEvent(UINT message, int x, int y) {
  struct ButtonEvent {
    UINT message;
    int id;
    uint16_t button;
  };
  static constexpr ButtonEvent kButtonEvents[] = {
      {WM_LBUTTONDOWN, EventId::MouseDown, 1},
      {WM_LBUTTONUP, EventId::MouseUp, 1},
      {WM_LBUTTONDBLCLK, EventId::MouseDoubleClick, 1},
      {WM_RBUTTONDOWN, EventId::MouseDown, 2},
      {WM_RBUTTONUP, EventId::MouseUp, 2},
      {WM_RBUTTONDBLCLK, EventId::MouseDoubleClick, 2},
  };
  for (const ButtonEvent& entry : kButtonEvents) {
    if (entry.message != message) continue;
    InputEventInfo info;
    info.position = Qel::Point2(x, y);
    info.button = entry.button;
    PostInputEvent(entry.id, info);
    return;
  }
}
