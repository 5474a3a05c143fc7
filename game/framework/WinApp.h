// The application shell: the window, the display choice, the message loop and the translation of
// keyboard and mouse messages into input events.
#pragma once

#include <memory>
#include <string>

#include "framework/MainApp.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/user/Window.h"

namespace Qel {
class StaticText;
}
namespace plat::d3d8 {
class IDirect3D8;
}

union SDL_Event;

class WinApp : public MainApp {
public:
  static constexpr int kScreenWidth = 800;
  static constexpr int kScreenHeight = 600;

  WinApp();
  ~WinApp() override;

  bool Init(plat::win::HINSTANCE instance, plat::win::HINSTANCE previousInstance, const char* commandLine,
            int showCommand);
  void Run() override;
  void Shutdown() override;
  bool IsLowSpec() const override;
  bool CreateDisplay() override;
  bool RegisterSurfaceKinds() override;
  void UnregisterSurfaceKinds() override;
  void ShowSystemCursor(bool show) override;
  void LoadStringTable(Qel::Stream& stream) override;
  bool InitSound() override;
  void GetRendererText(std::string& text) const override;
  // Sets the debug text and draws it onto the back buffer at (0, 500).
  void ShowDebugText(const std::string& text) override;

  // The window class's procedure (reached through GameWindowProc).
  plat::win::LRESULT WindowProc(plat::win::HWND window, plat::win::UINT message, plat::win::WPARAM wParam,
                                plat::win::LPARAM lParam);
  void HandleSDLEvent(const SDL_Event& event);
  // message is one of the button messages 513 to 518; x and y are client pixels.
  void PostMouseEvent(plat::win::UINT message, int x, int y);

  // Registers the class "Pilo Tesk Window" and makes the game window of 800 x 600 client pixels, as
  // the Direct3D display needs it; false when either fails.
  bool CreateGameWindow();

  // Gives back the screen-saver setting and the display mode; every way out of the program runs it.
  void RestoreSystemSettings();

  plat::win::HWND GetWindow() const { return m_window; }
  // The Direct3D object while the Direct3D path is used; null on the SDL path.
  plat::d3d8::IDirect3D8* GetDirect3D() const { return m_direct3D; }
  // Made at start-up while "showframerate" or "showdebuginfo" is on and a display exists.
  Qel::StaticText* GetDebugText() const { return m_debugText.get(); }

  // Test seam: the one application object as the program's entry finds it. A running game is shut
  // down and its window destroyed, since the platform allows one window at a time.
  void ResetForTesting();

private:
  bool CreateDirect3DDisplay();
  bool CreateSDLDisplay(bool alpha);

  plat::win::HWND m_window = nullptr;
  plat::win::HINSTANCE m_instance = nullptr;
  plat::d3d8::IDirect3D8* m_direct3D = nullptr;
  // Set while a failed Direct3D attempt destroys its window, whose end must not end the game.
  bool m_discardingWindow = false;
  plat::win::BOOL m_savedScreenSaverActive = plat::win::TRUE;
  bool m_screenSaverSaved = false;
  std::unique_ptr<Qel::StaticText> m_debugText;
};

// The one application object as the shell: for the program's entry and the shell itself. Game code
// reaches the same object as its application core through GetApp.
WinApp& GetWinApp();

// The procedure registered with the window class: the window has no context of its own, so this
// forwards to the one application object.
plat::win::LRESULT GameWindowProc(plat::win::HWND window, plat::win::UINT message, plat::win::WPARAM wParam,
                                  plat::win::LPARAM lParam);
