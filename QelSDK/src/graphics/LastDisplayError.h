// The last display error: the failure code a surface-creating operation left when it returned no surface.
#pragma once

#include <cstdint>

namespace Qel {

// Codes: 102 no open device or screen, 2 out of (video) memory, 1 unknown surface kind or a failed image
// load, -1 any other failure. A successful creation leaves the value as it was.
constexpr int32_t kDisplayErrorNoDevice = 102;
constexpr int32_t kDisplayErrorOutOfMemory = 2;
constexpr int32_t kDisplayErrorBadKind = 1;
constexpr int32_t kDisplayErrorOther = -1;

void ClearLastDisplayError();
void SetLastDisplayError(int32_t code);
int32_t GetLastDisplayError();

}  // namespace Qel
