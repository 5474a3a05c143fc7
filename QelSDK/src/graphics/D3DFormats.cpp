// The mapping between the engine's pixel formats and Direct3D 8 format codes, both ways.
#include "graphics/D3DFormats.h"

#include "platform/d3d8/D3D8Types.h"

namespace Qel {
namespace {

struct FormatPair {
  const PixelFormat* format;
  uint32_t code;
};

// One table serves both directions, searched in this order.
constexpr FormatPair kFormatPairs[] = {
    {&kPixelFormatIndexed8, plat::d3d8::D3DFMT_P8},
    {&kPixelFormatX1R5G5B5, plat::d3d8::D3DFMT_X1R5G5B5},
    {&kPixelFormatA1R5G5B5, plat::d3d8::D3DFMT_A1R5G5B5},
    {&kPixelFormatR5G6B5, plat::d3d8::D3DFMT_R5G6B5},
    {&kPixelFormatA4R4G4B4, plat::d3d8::D3DFMT_A4R4G4B4},
    {&kPixelFormatR8G8B8, plat::d3d8::D3DFMT_R8G8B8},
    {&kPixelFormatX8R8G8B8, plat::d3d8::D3DFMT_X8R8G8B8},
    {&kPixelFormatA8R8G8B8, plat::d3d8::D3DFMT_A8R8G8B8},
};

}  // namespace

uint32_t D3DFormatFromPixelFormat(const PixelFormat& format) {
  for (const FormatPair& pair : kFormatPairs) {
    if (*pair.format == format) return pair.code;
  }
  return 0;
}

PixelFormat PixelFormatFromD3DFormat(uint32_t code) {
  for (const FormatPair& pair : kFormatPairs) {
    if (pair.code == code) return *pair.format;
  }
  return kPixelFormatNone;
}

}  // namespace Qel
