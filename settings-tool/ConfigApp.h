// The settings tool's application: probe, choose (in the dialog or quietly), write "Pilo.ini".
#pragma once

#include <cstdint>

#include "platform/mfc/WinApp.h"

class CConfigApp : public plat::mfc::CWinApp {
public:
  // Reads the settings, measures the machine, lets the dialog or quiet mode choose, writes the
  // settings and answers FALSE: there is no message loop to run. Quiet mode never opens a
  // display. A dialog that cannot be shown (no display) is reported and nothing is written; a
  // settings file that cannot be written is reported ("Error" box in the dialog mode, stderr in
  // quiet mode). Either makes the exit status 1.
  plat::mfc::BOOL InitInstance() override;
  int ExitInstance() override;

  // Test seam: while set, these stand in for MeasureCpuMhz and GetPhysicalMemoryMb.
  using Probe = int32_t (*)();
  void SetProbesForTesting(Probe cpuMhz, Probe memoryMb);

private:
  bool ChooseInDialog();
  void ReportFailure(const char* text, bool quiet);

  Probe m_cpuMhz = nullptr;
  Probe m_memoryMb = nullptr;
  int m_exitStatus = 0;
};

extern CConfigApp theApp;
