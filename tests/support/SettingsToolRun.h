// Runs the settings tool's application in the test's process with probe results of the test's choice
// (for the suites that link the tool's objects).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/mfc/WinApp.h"
#include "settings-tool/ConfigApp.h"
#include "settings-tool/ConfigResources.h"

namespace test {

inline int32_t gCpuMhz = 1000;
inline int32_t gMemoryMb = 256;

// The exit status of piloconfig with these parameters after its name.
inline int RunTool(std::vector<std::string> params, int32_t cpuMhz = 1000, int32_t memoryMb = 256) {
  gCpuMhz = cpuMhz;
  gMemoryMb = memoryMb;
  theApp.SetProbesForTesting([] { return gCpuMhz; }, [] { return gMemoryMb; });
  params.insert(params.begin(), "piloconfig");
  std::vector<char*> argv;
  for (std::string& param : params) argv.push_back(param.data());
  return plat::mfc::AfxWinMain(&ConfigResources(), static_cast<int>(argv.size()), argv.data());
}

}  // namespace test
