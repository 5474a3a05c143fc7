// The last display error: the failure code a surface-creating operation left when it returned no surface.
#include "graphics/LastDisplayError.h"

namespace Qel {
namespace {
int32_t sLastDisplayError = 0;
}

void ClearLastDisplayError() {
  sLastDisplayError = 0;
}

void SetLastDisplayError(int32_t code) {
  sLastDisplayError = code;
}

int32_t GetLastDisplayError() {
  return sLastDisplayError;
}

}  // namespace Qel
