// The system cursor's display count.
#include "platform/win/user/Cursor.h"

namespace plat::win {
namespace {
int gDisplayCount = 0;
}

int ShowCursor(BOOL show) {
  return show ? ++gDisplayCount : --gDisplayCount;
}

}  // namespace plat::win
