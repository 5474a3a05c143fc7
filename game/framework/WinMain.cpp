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
      app.Shutdown();
    } else {
      app.RestoreSystemSettings();
      status = ReportFatalError("No display could be created.");
    }
  } catch (const char* text) {
    app.ShowSystemCursor(true);
    app.RestoreSystemSettings();
    status = ReportFatalError(text);
  }

  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return status;
}
