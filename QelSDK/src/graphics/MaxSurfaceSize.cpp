// The largest single device surface: images beyond it are split into tiles.
#include "graphics/MaxSurfaceSize.h"

namespace Qel {
namespace {

constexpr int32_t kUnlimited = 0x7FFFFFFF;

int32_t sMaxWidth = kUnlimited;
int32_t sMaxHeight = kUnlimited;

}  // namespace

void SetMaxSurfaceSize(int32_t width, int32_t height) {
  sMaxWidth = width < 1 ? kUnlimited : width;
  sMaxHeight = height < 1 ? kUnlimited : height;
}

void GetMaxSurfaceSize(int32_t& width, int32_t& height) {
  width = sMaxWidth;
  height = sMaxHeight;
}

}  // namespace Qel
