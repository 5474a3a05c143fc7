// The settings tool's command line: whether to run quietly, without the dialog.
#include "settings-tool/ConfigCommandLineInfo.h"

void CConfigCommandLineInfo::ParseParam(const char* param, plat::mfc::BOOL isSwitch,
                                        plat::mfc::BOOL /*isLast*/) {
  if (!param) return;
  if ((isSwitch && param[0] == 'q') || param[0] == 'Q') m_bQuiet = 1;
}
