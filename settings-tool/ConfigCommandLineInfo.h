// The settings tool's command line: whether to run quietly, without the dialog.
#pragma once

#include <cstdint>

#include "platform/mfc/CommandLineInfo.h"

class CConfigCommandLineInfo : public plat::mfc::CCommandLineInfo {
public:
  // A switch beginning with "q", or any parameter beginning with "Q", selects quiet mode; a plain
  // parameter beginning with a small "q" does not.
  void ParseParam(const char* param, plat::mfc::BOOL isSwitch, plat::mfc::BOOL isLast) override;

  uint8_t m_bQuiet = 0;
};
