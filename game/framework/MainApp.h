// The application core: settings, display, frame-rate counter and string table, and the three
// phases of the program (start-up, one frame, shut-down).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/PixelFormat.h"
#include "core/Stream.h"
#include "framework/AppOptions.h"
#include "framework/FpsCounter.h"
#include "framework/FramePacer.h"
#include "framework/InputEventInfo.h"
#include "graphics/DisplayDevice.h"

// Whether closed captions are shown; set at start-up from the "ccon" setting.
extern uint8_t gCaptionsOn;

// The platform shell derives from this and supplies the platform operations.
class MainApp {
public:
  static constexpr size_t kTextCapacity = 256;

  MainApp() = default;
  virtual ~MainApp();
  MainApp(const MainApp&) = delete;
  MainApp& operator=(const MainApp&) = delete;

  virtual void Shutdown();
  // The message loop; returns when it ends.
  virtual void Run() = 0;
  // Whether game code should choose lighter content.
  virtual bool IsLowSpec() const = 0;
  // Creates the window and the display device; false when no display could be made.
  virtual bool CreateDisplay() = 0;
  virtual bool RegisterSurfaceKinds() = 0;
  virtual void UnregisterSurfaceKinds() = 0;
  virtual void ShowSystemCursor(bool show) = 0;
  virtual void LoadStringTable(Qel::Stream& stream) = 0;
  // Opens the sound device on the window; false without a window. Start-up goes on without sound
  // when the device fails.
  virtual bool InitSound() = 0;
  // Appends the renderer line of the debug information.
  virtual void GetRendererText(std::string& text) const = 0;
  // Draws the debug lines onto the back buffer; nothing when there is no debug text.
  virtual void ShowDebugText(const std::string& text) = 0;

  // Start-up in its fixed order; false ends the program before the message loop.
  bool Init();
  // The step of start-up that reads "Pilo.ini" in the working folder into the settings. A missing
  // file leaves them as they are.
  void ReadSettings();
  // One step of everything, run by the message loop whenever no message waits and the frame is due.
  void Frame();
  // Paces the frames from now on: on the system clock at the shortest step; under PILO_FRAME_MS on
  // the wall clock at the frame step (the shortest step when it is smaller, time standing still
  // included); not at all under PILO_NO_PACING=1.
  void StartFramePacing();

  void PauseGame();
  void ResumeGame();
  bool OpenDisplay();
  // With "showdebuginfo": the renderer line, the current node and the cursor position while the
  // cursor shows; with "showframerate": the frames per second. Each line ends in a line feed, and
  // the text goes to ShowDebugText. Nothing is built while both settings are off.
  void DrawDebugInfo();
  // Pauses the application clock and shows the system cursor while another application is active.
  void OnActivate(bool active);

  // Input reaches the current node as events; nothing is posted once the event manager is gone.
  static void PostInputEvent(int id, InputEventInfo& info);
  void PostCharEvent(uint16_t code);
  void PostKeyUpEvent(uint16_t code);
  void PostKeyDownEvent(uint16_t code);

  bool IsRunning() const { return m_running; }
  bool IsActive() const { return m_active; }
  bool IsPaused() const { return m_paused; }
  bool IsQuitRequested() const { return m_quitRequested; }
  // The message loop ends at its next pass.
  void RequestQuit() { m_quitRequested = true; }

  AppOptions& GetOptions() { return m_options; }
  const AppOptions& GetOptions() const { return m_options; }
  Qel::DisplayDevice* GetDisplay() { return m_display.get(); }
  bool IsAlphaCapable() const { return m_alphaCapable; }
  const Qel::PixelFormat& GetDisplayPixelFormat() const { return m_displayPixelFormat; }
  const char* GetRendererFormatName() const { return m_rendererFormatName; }
  const FpsCounter& GetFpsCounter() const { return m_fps; }
  const FramePacer& GetFramePacer() const { return m_pacer; }
  // The first line of the string table.
  const char* GetWindowCaption() const { return m_windowCaption; }
  // The second line, and the last of the lines after it.
  const char* GetSecondText() const { return m_secondText; }
  const char* GetLastText() const { return m_lastText; }
  // When start-up found no game data in the folders the settings name: which folders, in words for
  // the message of the first resource that cannot be found. Empty when some data was found.
  const std::string& GetMissingGameData() const { return m_missingGameData; }

protected:
  // Test seam behind the shell's: settings, flags, texts and the frame count as before start-up.
  void ResetForTesting();

  // The string table's lines in order: the first is the caption, the second and later lines the
  // further texts. Each is cut to fit.
  void StoreStringTableLine(const char* text);

  std::unique_ptr<Qel::DisplayDevice> m_display;
  Qel::PixelFormat m_displayPixelFormat;
  const char* m_rendererFormatName = "Unknown";

private:
  void ClearBackBuffer();

  bool m_running = false;
  bool m_active = true;
  bool m_paused = false;
  bool m_quitRequested = false;
  bool m_alphaCapable = false;
  AppOptions m_options;
  FpsCounter m_fps;
  FramePacer m_pacer;
  int m_stringTableLines = 0;
  char m_windowCaption[kTextCapacity] = "";
  char m_secondText[kTextCapacity] = "";
  char m_lastText[kTextCapacity] = "";
  std::string m_missingGameData;
};

// The one application object, as game code sees it; the shell builds it before the program's entry
// runs.
MainApp& GetApp();
