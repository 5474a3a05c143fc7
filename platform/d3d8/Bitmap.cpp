// The bitmap reader: file header, information header, palette or masks, and bottom-up or top-down rows.
#include "platform/d3d8/Bitmap.h"

#include <cstring>

namespace plat::d3d8 {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr size_t kFileHeader = 14;
// Larger sides are refused rather than allocated: no game image comes near.
constexpr int32_t kLargestSide = 16384;

uint32_t U16(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}
uint32_t U32(const uint8_t* p) {
  return U16(p) | U16(p + 2) << 16;
}

uint32_t Widen(uint32_t value, int bits) {
  // A channel of bits to 8 bits by repeating its top bits.
  uint32_t out = 0;
  for (int filled = 0; filled < 8; filled += bits)
    out |= filled + bits <= 8 ? value << (8 - filled - bits) : value >> (filled + bits - 8);
  return out & 0xFF;
}

}  // namespace

bool ReadBitmap(const uint8_t* data, size_t size, Bitmap& bitmap, bool withPixels) {
  if (!data || size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t pixelOffset = U32(data + 10);
  const uint8_t* info = data + kFileHeader;
  const uint32_t infoSize = U32(info);
  // The information header and its later versions; the old core header is not read.
  if (infoSize < 40 || infoSize > size - kFileHeader) return false;
  const int32_t width = static_cast<int32_t>(U32(info + 4));
  const int32_t rawHeight = static_cast<int32_t>(U32(info + 8));
  const uint32_t planes = U16(info + 12), bits = U16(info + 14), compression = U32(info + 16);
  uint32_t paletteCount = U32(info + 32);
  if (planes != 1 || width <= 0 || width > kLargestSide || rawHeight == 0 || rawHeight < -kLargestSide ||
      rawHeight > kLargestSide) {
    return false;
  }
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;

  uint32_t masks[4] = {};  // red, green, blue, alpha
  size_t after = kFileHeader + infoSize;
  D3DFORMAT format = D3DFMT_UNKNOWN;
  if (compression == kRgb) {
    switch (bits) {
      case 1:
      case 4:
      case 8:
        format = D3DFMT_X8R8G8B8;
        break;
      case 16:
        format = D3DFMT_X1R5G5B5;
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        break;
      case 24:
        format = D3DFMT_R8G8B8;
        break;
      case 32:
        format = D3DFMT_X8R8G8B8;
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
        break;
      default:
        return false;
    }
  } else if (compression == kBitFields && (bits == 16 || bits == 32)) {
    // The masks follow a 40-byte header and lie inside the later headers.
    const uint8_t* at = infoSize >= 52 ? info + 40 : data + after;
    if (infoSize < 52) {
      if (size < after + 12) return false;
      after += 12;
    }
    masks[0] = U32(at), masks[1] = U32(at + 4), masks[2] = U32(at + 8);
    if (infoSize >= 56) masks[3] = U32(info + 52);
    if (bits == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F && masks[3] == 0) {
      format = D3DFMT_R5G6B5;
    } else if (bits == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F &&
               masks[3] == 0) {
      format = D3DFMT_X1R5G5B5;
    } else if (bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF) {
      if (masks[3] == 0xFF000000u) {
        format = D3DFMT_A8R8G8B8;
      } else if (masks[3] == 0) {
        format = D3DFMT_X8R8G8B8;
      } else {
        return false;
      }
    } else {
      return false;
    }
  } else {
    return false;  // run-length, JPEG, PNG and other compressed forms
  }

  uint32_t palette[256] = {};
  if (bits <= 8) {
    const uint32_t most = 1u << bits;
    if (paletteCount == 0) paletteCount = most;
    if (paletteCount > most) return false;
    if (size - after < static_cast<size_t>(paletteCount) * 4) return false;
    for (uint32_t i = 0; i < paletteCount; ++i) palette[i] = U32(data + after + i * 4) | 0xFF000000u;
  }
  const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  if (pixelOffset < after || pixelOffset > size ||
      (size - pixelOffset) / stride < static_cast<size_t>(height)) {
    return false;
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.format = format;
  bitmap.pixels.clear();
  if (!withPixels) return true;

  bitmap.pixels.resize(static_cast<size_t>(width) * height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = data + pixelOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    uint32_t* out = &bitmap.pixels[static_cast<size_t>(y) * width];
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = 0;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          const size_t bit = static_cast<size_t>(x) * bits;
          const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
          // An index past a short palette reads as black, as the runtime's loaders show it.
          v = index < paletteCount ? palette[index] : 0xFF000000u;
          break;
        }
        case 24:
          v = 0xFF000000u | static_cast<uint32_t>(row[x * 3 + 2]) << 16 | U16(row + x * 3);
          break;
        case 16:
        case 32: {
          const uint32_t raw = bits == 16 ? U16(row + x * 2) : U32(row + x * 4);
          uint32_t argb = masks[3] ? 0 : 0xFF000000u;
          for (int c = 0; c < 4; ++c) {
            if (!masks[c]) continue;
            const int shift = __builtin_ctz(masks[c]);
            const int channelBits = __builtin_popcount(masks[c]);
            argb |= Widen((raw & masks[c]) >> shift, channelBits) << (c == 3 ? 24 : 16 - 8 * c);
          }
          v = argb;
          break;
        }
        default:
          break;
      }
      out[x] = v;
    }
  }
  return true;
}

}  // namespace plat::d3d8
