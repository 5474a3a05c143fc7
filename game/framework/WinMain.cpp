// The program's entry: one copy at a time, then start-up, the message loop and shut-down.
#include "framework/WinMain.h"

#include <string>

#include "core/Trace.h"
#include "framework/RunSeams.h"
#include "framework/WinApp.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Mutex.h"
#include "platform/win/kernel/Random.h"
#include "platform/win/user/MessageBox.h"

using namespace plat::win;

namespace {

constexpr int kFatalErrorStatus = 1;

// The text is kept, for a thrown text may lie in a buffer that the shut-down's own errors reuse.
bool RunGame(WinApp& app, HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand,
             std::string& fatalText) {
  try {
    if (!app.Init(instance, previousInstance, commandLine, showCommand)) {
      fatalText = "No display could be created.";
      return false;
    }
    app.Run();
    return true;
  } catch (const char* text) {
    fatalText = text ? text : "";
    return false;
  }
}

// Every way out of the program passes here, before the "Error" box too: the nodes and the services
// they reach go in the shut-down's fixed order before any static object does (a node's deactivation
// stops its music and sounds, which the destruction of statics would take in an order of its own),
// and whatever ends the process from then on, the box's own ways out included, finds nothing of the
// game left.
bool EndGame(WinApp& app, bool failed, std::string& fatalText) {
  try {
    app.Shutdown();
    return true;
  } catch (const char* text) {
    if (failed) {
      Qel::Trace("ERROR: The shut-down after the error failed as well: %s\n", text ? text : "");
    } else {
      fatalText = text ? text : "";
    }
    return false;
  }
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, "PiloKxMutex");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // A second copy of the game ends silently.
    if (mutex) CloseHandle(mutex);
    return 0;
  }
  if (!mutex) Qel::Trace("WARN: The single-instance lock could not be made; starting without it.\n");

  plat::win::srand(StartSeed());
  InstallFrameTime();

  WinApp& app = GetWinApp();
  std::string fatalText;
  bool clean = RunGame(app, instance, previousInstance, commandLine, showCommand, fatalText);
  clean = EndGame(app, !clean, fatalText) && clean;
  int status = 0;
  if (!clean) {
    app.ShowSystemCursor(true);
    app.RestoreSystemSettings();
    MessageBoxA(nullptr, fatalText.c_str(), "Error", MB_OK);
    status = kFatalErrorStatus;
  }

  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return status;
}
