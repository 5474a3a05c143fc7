// The settings tool's application: probe, choose (in the dialog or quietly), write "Pilo.ini".
#include "settings-tool/ConfigApp.h"

#include <cstdio>

#include "platform/mfc/MessageBox.h"
#include "settings-tool/ConfigCommandLineInfo.h"
#include "settings-tool/ConfigDlg.h"
#include "settings-tool/ConfigSettings.h"
#include "settings-tool/Probes.h"

CConfigApp theApp;

namespace {

constexpr int32_t kLowestHighDetailMhz = 530;
constexpr int32_t kLowestHighDetailMb = 128;

}  // namespace

plat::mfc::BOOL CConfigApp::InitInstance() {
  // The status is this run's alone, also when the application runs again in one process (as the
  // tests run it).
  m_exitStatus = 0;
  Enable3dControlsStatic();
  CConfigCommandLineInfo commandLine;
  ParseCommandLine(commandLine);
  gConfigSettings.Read();
  gConfigSettings.m_cpuMhz = m_cpuMhz ? m_cpuMhz() : MeasureCpuMhz();
  gConfigSettings.m_memoryMb = m_memoryMb ? m_memoryMb() : GetPhysicalMemoryMb();

  const bool quiet = commandLine.m_bQuiet != 0;
  if (quiet) {
    // Medium is never chosen; the streaming setting stays as read.
    gConfigSettings.m_graphics = 2;
    if (gConfigSettings.m_cpuMhz < kLowestHighDetailMhz) gConfigSettings.m_graphics = 0;
    if (gConfigSettings.m_memoryMb < kLowestHighDetailMb) gConfigSettings.m_graphics = 0;
  } else if (!ChooseInDialog()) {
    ReportFailure(
        "The settings dialog cannot be shown: no display is available. Run piloconfig /q to "
        "choose the settings without it.",
        false);
    return plat::mfc::FALSE;
  }
  // Written after Cancel too: the values read, with the machine's measures.
  if (!gConfigSettings.Write()) ReportFailure("Can't write the settings file Pilo.ini", quiet);
  return plat::mfc::FALSE;
}

int CConfigApp::ExitInstance() {
  return m_exitStatus;
}

void CConfigApp::SetProbesForTesting(Probe cpuMhz, Probe memoryMb) {
  m_cpuMhz = cpuMhz;
  m_memoryMb = memoryMb;
}

bool CConfigApp::ChooseInDialog() {
  CConfigDlg dialog;
  m_pMainWnd = &dialog;
  const intptr_t result = dialog.DoModal();  // OK or Cancel: the dialog has stored what it should
  m_pMainWnd = nullptr;
  return result != -1;
}

void CConfigApp::ReportFailure(const char* text, bool quiet) {
  m_exitStatus = 1;
  if (quiet) {
    std::fprintf(stderr, "Error: %s\n", text);
  } else {
    plat::mfc::MessageBoxA(nullptr, text, "Error", plat::mfc::MB_OK | plat::mfc::MB_ICONERROR);
  }
}
