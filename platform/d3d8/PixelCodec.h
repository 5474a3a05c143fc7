// Pixels of every stored format to and from A8R8G8B8 values, one at a time or a row at a time.
#pragma once

#include <cstdint>

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/D3DX8.h"

namespace plat::d3d8 {

struct FormatInfo {
  D3DFORMAT format;
  int bytes;   // per pixel
  bool alpha;  // the format stores alpha
};

// Null for a format the stand-in does not store.
const FormatInfo* FindFormat(D3DFORMAT format);

// Channels widen by repeating their top bits (5-bit 31 is 255, 4-bit 8 is 136); a format without
// alpha gives alpha 255. Without a palette a P8 index i reads as the opaque grey (i, i, i).
uint32_t DecodePixel(D3DFORMAT format, const uint8_t* pixel, const PALETTEENTRY* palette);
// Channels narrow by keeping their top bits; "X" bits are written as ones. P8 takes the nearest
// palette entry (alpha counted), or without a palette the mean of red, green and blue.
void EncodePixel(D3DFORMAT format, uint32_t argb, uint8_t* pixel, const PALETTEENTRY* palette);

void DecodeRow(D3DFORMAT format, const uint8_t* pixels, int count, uint32_t* argb,
               const PALETTEENTRY* palette);
void EncodeRow(D3DFORMAT format, const uint32_t* argb, int count, uint8_t* pixels,
               const PALETTEENTRY* palette);

}  // namespace plat::d3d8
