// The program's entry: one copy at a time, then start-up, the message loop and shut-down.
#include "framework/WinMain.h"

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

int ReportFatalError(const char* text) {
  MessageBoxA(nullptr, text, "Error", MB_OK);
  return kFatalErrorStatus;
}

// Every way out of the program passes here, so that the nodes and the services they reach go in the
// shut-down's fixed order before any static object does: a node's deactivation stops its music and
// sounds, which the destruction of statics at exit may already have taken. What the statics' own
// destructors then find is empty.
int EndProgram(WinApp& app, int status) {
  try {
    app.Shutdown();
  } catch (const char* text) {
    if (status != 0) {
      Qel::Trace("ERROR: The shut-down after the error failed as well: %s\n", text);
      return status;
    }
    app.ShowSystemCursor(true);
    app.RestoreSystemSettings();
    return ReportFatalError(text);
  }
  return status;
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

  int status = 0;
  WinApp& app = GetWinApp();
  try {
    if (app.Init(instance, previousInstance, commandLine, showCommand)) {
      app.Run();
    } else {
      app.RestoreSystemSettings();
      status = ReportFatalError("No display could be created.");
    }
  } catch (const char* text) {
    app.ShowSystemCursor(true);
    app.RestoreSystemSettings();
    status = ReportFatalError(text);
  }
  status = EndProgram(app, status);

  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return status;
}
