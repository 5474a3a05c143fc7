// System-wide settings: the screen saver's on/off switch.
#include "platform/win/user/SystemParameters.h"

#include "platform/win/kernel/LastError.h"

namespace plat::win {
namespace {
BOOL gScreenSaverActive = TRUE;
}

BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* value, UINT /*winIni*/) {
  switch (action) {
    case SPI_GETSCREENSAVEACTIVE:
      if (!value) break;
      *static_cast<BOOL*>(value) = gScreenSaverActive;
      return TRUE;
    case SPI_SETSCREENSAVEACTIVE:
      gScreenSaverActive = uiParam ? TRUE : FALSE;
      return TRUE;
    default:
      break;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

}  // namespace plat::win
