// The largest single device surface: images beyond it are split into tiles.
#pragma once

#include <cstdint>

namespace Qel {

// Both start unlimited (0x7FFFFFFF); a value below 1 means unlimited. The Direct3D start-up sets
// 128 x 128 so that every tile fits a texture; the SDL display leaves them unlimited.
void SetMaxSurfaceSize(int32_t width, int32_t height);
void GetMaxSurfaceSize(int32_t& width, int32_t& height);

}  // namespace Qel
