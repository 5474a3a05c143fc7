// The application core: settings, display, frame-rate counter and string table, and the three
// phases of the program (start-up, one frame, shut-down).
#include "framework/MainApp.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/Color.h"
#include "core/DatabaseManager.h"
#include "core/EventManager.h"
#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/Periodical.h"
#include "core/ResourceManager.h"
#include "core/SystemClock.h"
#include "core/Trace.h"
#include "core/WinFileSpec.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSpriteLoader.h"
#include "framework/InputEventInfo.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/RunSeams.h"
#include "framework/TxtDataManager.h"
#include "graphics/SurfaceRegistry.h"
#include "platform/win/kernel/Path.h"
#include "platform/win/kernel/Timer.h"
#include "sound/SoundRegistry.h"
#include "sound/WinSoundManager.h"

uint8_t gCaptionsOn = 0;

namespace {

// A missing file is created empty, so a file that does not open is there but unusable: that is
// said on the trace, with what is done instead.
std::shared_ptr<Qel::Stream> OpenForReading(const char* path, const char* fallback) {
  std::shared_ptr<Qel::Stream> stream;
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  if (!spec) return stream;
  spec->SetPath(path);
  Qel::OpenFileStream(spec, Qel::kFileRead, stream);
  if (!stream) Qel::Trace("WARN: %s cannot be read: %s; %s.\n", path, Qel::WhyNotOpened(spec), fallback);
  return stream;
}

bool IsFolder(const char* path) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  if (!spec) return false;
  spec->SetPath(path);
  return Qel::FileExists(spec) && Qel::IsDirectory(spec);
}

// Where the settings sent the game for its data, when not one database was found there.
std::string MissingGameData(const char* hdPath, const char* cdPath) {
  std::string text =
      std::string("the hdpath folder ") + plat::win::LinuxPathAsWritten(hdPath) + " holds no game data";
  if (!IsFolder(hdPath)) text += " (there is no such folder)";
  if (*cdPath) text += std::string(", nor does the cdpath folder ") + plat::win::LinuxPathAsWritten(cdPath);
  return text;
}

void PostKeyEvent(int id, uint16_t code) {
  InputEventInfo info;
  info.code = code;
  MainApp::PostInputEvent(id, info);
}

}  // namespace

MainApp::~MainApp() = default;

bool MainApp::Init() {
  ApplicationClock::Instance().SetTime(0);
  GameClock::Instance().SetTime(0);

  // Missing files leave the settings at their defaults and the texts empty.
  ReadSettings();
  if (std::shared_ptr<Qel::Stream> strings = OpenForReading("PiloStr.txt", "the texts stay empty")) {
    LoadStringTable(*strings);
  }

  // A missing data folder shows up later, as resources that cannot be found.
  Qel::DatabaseManager* databases = Qel::DatabaseManager::GetInstance();
  databases->Init(m_options.GetCdPath(), m_options.GetHdPath(), m_options.GetLanguage());
  for (const char* name : {"Global", "Movies", "Music"}) databases->AddDatabase(name);
  m_missingGameData.clear();
  if (Qel::ResourceManager::GetInstance()->GetDatabaseCount() == 0)
    m_missingGameData = MissingGameData(m_options.GetHdPath(), m_options.GetCdPath());

  if (!OpenDisplay()) return false;
  if (!RegisterSurfaceKinds()) return false;
  MouseCursor::Instance().Init("Cursor");
  InitSound();  // without a sound device the game goes on silent

  gCaptionsOn = m_options.AreCaptionsOn() ? 1 : 0;
  NodeManager::Instance().RequestNode(kNodeTitleScreen);  // built at the start of the first frame
  m_running = true;

  // Both buffers start black.
  ClearBackBuffer();
  m_display->Present();
  ClearBackBuffer();
  return true;
}

void MainApp::ReadSettings() {
  if (std::shared_ptr<Qel::Stream> settings =
          OpenForReading("Pilo.ini", "the settings keep their defaults")) {
    TxtDataManager::Instance().ParseStream(settings, m_options);
  }
}

void MainApp::ClearBackBuffer() {
  m_display->FillRect(nullptr, Qel::Color(0, 0, 0, 255));
}

void MainApp::Frame() {
  // Under PILO_FRAME_MS the system time moves by its step here, once a frame, before any clock reads it.
  AdvanceFrameTime();
  ApplicationClock::Instance().Update();
  if (!m_paused) GameClock::Instance().Update();
  // After the clocks, so that the next frame's reading is a whole step after this one's.
  m_pacer.FrameStarts();

  // A movie that ends during the update is stopped in this frame, before the node switch and update.
  MoviePlayer& movies = MoviePlayer::Instance();
  const bool moviePlaying = movies.IsPlaying();
  Qel::Periodical::UpdateAll();
  if (moviePlaying && !movies.IsPlaying()) movies.Stop();

  NodeManager& nodes = NodeManager::Instance();
  if (nodes.IsChangePending()) nodes.SwitchNode();
  Qel::WinSoundManager::Instance()->Update();
  nodes.Update();

  if (m_display) {
    m_display->FillRect(nullptr, Qel::Color::Black(m_display->GetPixelFormat()));
    // A frame that cannot begin is neither drawn nor presented.
    if (m_display->BeginFrame() == 0) {
      nodes.Draw();
      DrawDebugInfo();
      m_display->EndFrame();
      m_display->Present();
    }
  }

  m_fps.CountFrame(*Qel::SystemClock::GetInstance());
}

void MainApp::StartFramePacing() {
  if (FramePacingOff()) {
    m_pacer.Stop();
    return;
  }
  const int32_t step = GetFrameTimeStep();
  if (step < 0) {
    m_pacer.Pace(&plat::win::timeGetTime, FramePacer::kShortestStepMs);
  } else {
    // The game's time follows the wall clock: a step of it each step of the wall clock.
    m_pacer.Pace(&plat::win::GetTickCount, static_cast<uint32_t>(step));
  }
}

void MainApp::DrawDebugInfo() {
  const bool debugInfo = m_options.ShowDebugInfo();
  const bool frameRate = m_options.ShowFrameRate();
  if (!debugInfo && !frameRate) return;
  std::string text;
  char line[64];
  if (debugInfo) {
    GetRendererText(text);
    text += "Node:     ";
    text += NodeManager::Instance().GetCurrentNodeName();
    text += "\n";
    const MouseCursor& cursor = MouseCursor::Instance();
    if (cursor.IsShown()) {
      Qel::Point2 position;
      cursor.GetPosition(position);
      std::snprintf(line, sizeof(line), "Mouse:    %d, %d\n", position.X(), position.Y());
      text += line;
    }
  }
  if (frameRate) {
    std::snprintf(line, sizeof(line), "fps:      %.02f\n", static_cast<double>(m_fps.GetFramesPerSecond()));
    text += line;
  }
  ShowDebugText(text);
}

void MainApp::Shutdown() {
  MouseCursor::Instance().Shutdown();
  NodeManager::Instance().Shutdown();
  MoviePlayer::Instance().Stop();
  MusicManager::Instance().Shutdown();
  // The cached sprite files hold surfaces of the display.
  ReleaseSpriteLoader();
  UnregisterSurfaceKinds();
  if (Qel::WinSoundManager::Exists()) Qel::WinSoundManager::Instance()->Shutdown();
  m_display.reset();
  Qel::SoundRegistry::Destroy();
  Qel::SurfaceRegistry::Destroy();
  Qel::DatabaseManager::DestroyInstance();
  Qel::ResourceManager::DestroyInstance();
  Qel::EventManager::DestroyInstance();
  m_running = false;
}

void MainApp::PauseGame() {
  if (m_paused) return;
  GameClock::Instance().Pause(true);
  m_paused = true;
}

void MainApp::ResumeGame() {
  if (!m_paused) return;
  GameClock::Instance().Pause(false);
  m_paused = false;
}

bool MainApp::OpenDisplay() {
  const bool created = CreateDisplay();
  m_alphaCapable = created && m_display && m_display->HasCapabilities(Qel::DisplayDevice::kCapsAlphaBlending);
  return created;
}

void MainApp::OnActivate(bool active) {
  if (!m_running || active == m_active) return;
  m_active = active;
  ApplicationClock::Instance().Pause(!active);
  if (!m_display) return;
  if (active) {
    m_display->ReleaseGamma(1.0f, 1.0f, 1.0f);
    ShowSystemCursor(false);
  } else {
    m_display->SetGammaAndHold(1.0f, 1.0f, 1.0f);
    ShowSystemCursor(true);
  }
}

void MainApp::PostInputEvent(int id, InputEventInfo& info) {
  if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->PostEvent(kEventInput, id, &info);
}

void MainApp::PostCharEvent(uint16_t code) {
  PostKeyEvent(EventId::Char, code);
}
void MainApp::PostKeyUpEvent(uint16_t code) {
  PostKeyEvent(EventId::KeyUp, code);
}
void MainApp::PostKeyDownEvent(uint16_t code) {
  PostKeyEvent(EventId::KeyDown, code);
}

void MainApp::StoreStringTableLine(const char* text) {
  char* target = m_stringTableLines == 0   ? m_windowCaption
                 : m_stringTableLines == 1 ? m_secondText
                                           : m_lastText;
  std::strncpy(target, text, kTextCapacity - 1);
  target[kTextCapacity - 1] = '\0';
  if (m_stringTableLines < 2) ++m_stringTableLines;
}

void MainApp::ResetForTesting() {
  m_display.reset();
  m_displayPixelFormat = Qel::PixelFormat();
  m_rendererFormatName = "Unknown";
  m_running = false;
  m_active = true;
  m_paused = false;
  m_quitRequested = false;
  m_alphaCapable = false;
  m_options = AppOptions();
  m_fps = FpsCounter();
  m_stringTableLines = 0;
  m_windowCaption[0] = '\0';
  m_secondText[0] = '\0';
  m_lastText[0] = '\0';
  m_missingGameData.clear();
  gCaptionsOn = 0;
}
