// Pixel encoding and decoding for the stored formats.
#include "platform/d3d8/PixelCodec.h"

#include <cstring>

namespace plat::d3d8 {

namespace {

constexpr FormatInfo kFormats[] = {
    {D3DFMT_P8, 1, false},       {D3DFMT_X1R5G5B5, 2, false}, {D3DFMT_A1R5G5B5, 2, true},
    {D3DFMT_R5G6B5, 2, false},   {D3DFMT_A4R4G4B4, 2, true},  {D3DFMT_R8G8B8, 3, false},
    {D3DFMT_X8R8G8B8, 4, false}, {D3DFMT_A8R8G8B8, 4, true},
};

inline uint32_t Widen5(uint32_t v) {
  return (v << 3) | (v >> 2);
}
inline uint32_t Widen6(uint32_t v) {
  return (v << 2) | (v >> 4);
}
inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
inline uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Store16(uint8_t* p, uint32_t v) {
  const uint16_t w = static_cast<uint16_t>(v);
  std::memcpy(p, &w, 2);
}

uint8_t NearestEntry(uint32_t argb, const PALETTEENTRY* palette) {
  const int a = static_cast<int>(argb >> 24), r = static_cast<int>((argb >> 16) & 0xFF);
  const int g = static_cast<int>((argb >> 8) & 0xFF), b = static_cast<int>(argb & 0xFF);
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const PALETTEENTRY& e = palette[i];
    const long da = a - e.peFlags, dr = r - e.peRed, dg = g - e.peGreen, db = b - e.peBlue;
    const long distance = da * da + dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace

const FormatInfo* FindFormat(D3DFORMAT format) {
  for (const FormatInfo& info : kFormats) {
    if (info.format == format) return &info;
  }
  return nullptr;
}

// Inlined into the row loops below with a constant format, so each loop is one format's own.
[[gnu::always_inline]] static inline uint32_t Decode(D3DFORMAT format, const uint8_t* p,
                                                     const PALETTEENTRY* palette) {
  switch (format) {
    case D3DFMT_P8: {
      if (!palette) return Argb(255, p[0], p[0], p[0]);
      const PALETTEENTRY& e = palette[p[0]];
      return Argb(e.peFlags, e.peRed, e.peGreen, e.peBlue);
    }
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: {
      const uint32_t v = Load16(p);
      const uint32_t a = format == D3DFMT_X1R5G5B5 || (v & 0x8000) ? 255 : 0;
      return Argb(a, Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
    }
    case D3DFMT_R5G6B5: {
      const uint32_t v = Load16(p);
      return Argb(255, Widen5(v >> 11), Widen6((v >> 5) & 63), Widen5(v & 31));
    }
    case D3DFMT_A4R4G4B4: {
      const uint32_t v = Load16(p);
      return Argb((v >> 12) * 17, ((v >> 8) & 15) * 17, ((v >> 4) & 15) * 17, (v & 15) * 17);
    }
    case D3DFMT_R8G8B8:
      return Argb(255, p[2], p[1], p[0]);
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return format == D3DFMT_X8R8G8B8 ? v | 0xFF000000u : v;
    }
    default:
      return 0;
  }
}

[[gnu::always_inline]] static inline void Encode(D3DFORMAT format, uint32_t argb, uint8_t* p,
                                                 const PALETTEENTRY* palette) {
  const uint32_t a = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  switch (format) {
    case D3DFMT_P8:
      p[0] = palette ? NearestEntry(argb, palette) : static_cast<uint8_t>((r + g + b + 1) / 3);
      break;
    case D3DFMT_X1R5G5B5:
      Store16(p, 0x8000u | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
      break;
    case D3DFMT_A1R5G5B5:
      Store16(p, (a >> 7) << 15 | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
      break;
    case D3DFMT_R5G6B5:
      Store16(p, (r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
      break;
    case D3DFMT_A4R4G4B4:
      Store16(p, (a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | b >> 4);
      break;
    case D3DFMT_R8G8B8:
      p[0] = static_cast<uint8_t>(b);
      p[1] = static_cast<uint8_t>(g);
      p[2] = static_cast<uint8_t>(r);
      break;
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8: {
      const uint32_t v = format == D3DFMT_X8R8G8B8 ? argb | 0xFF000000u : argb;
      std::memcpy(p, &v, 4);
      break;
    }
    default:
      break;
  }
}

uint32_t DecodePixel(D3DFORMAT format, const uint8_t* p, const PALETTEENTRY* palette) {
  return Decode(format, p, palette);
}

void EncodePixel(D3DFORMAT format, uint32_t argb, uint8_t* p, const PALETTEENTRY* palette) {
  Encode(format, argb, p, palette);
}

namespace {

template <D3DFORMAT kFormat, int kBytes>
void DecodeLoop(const uint8_t* pixels, int count, uint32_t* argb, const PALETTEENTRY* palette) {
  for (int i = 0; i < count; ++i) argb[i] = Decode(kFormat, pixels + i * kBytes, palette);
}

template <D3DFORMAT kFormat, int kBytes>
void EncodeLoop(const uint32_t* argb, int count, uint8_t* pixels, const PALETTEENTRY* palette) {
  for (int i = 0; i < count; ++i) Encode(kFormat, argb[i], pixels + i * kBytes, palette);
}

}  // namespace

void DecodeRow(D3DFORMAT format, const uint8_t* pixels, int count, uint32_t* argb,
               const PALETTEENTRY* palette) {
  const FormatInfo* info = FindFormat(format);
  if (!info) return;
  if (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8) {
    std::memcpy(argb, pixels, static_cast<size_t>(count) * 4);
    if (format == D3DFMT_X8R8G8B8) {
      for (int i = 0; i < count; ++i) argb[i] |= 0xFF000000u;
    }
    return;
  }
  switch (format) {
    case D3DFMT_P8:
      return DecodeLoop<D3DFMT_P8, 1>(pixels, count, argb, palette);
    case D3DFMT_X1R5G5B5:
      return DecodeLoop<D3DFMT_X1R5G5B5, 2>(pixels, count, argb, palette);
    case D3DFMT_A1R5G5B5:
      return DecodeLoop<D3DFMT_A1R5G5B5, 2>(pixels, count, argb, palette);
    case D3DFMT_R5G6B5:
      return DecodeLoop<D3DFMT_R5G6B5, 2>(pixels, count, argb, palette);
    case D3DFMT_A4R4G4B4:
      return DecodeLoop<D3DFMT_A4R4G4B4, 2>(pixels, count, argb, palette);
    case D3DFMT_R8G8B8:
      return DecodeLoop<D3DFMT_R8G8B8, 3>(pixels, count, argb, palette);
    default:
      return;
  }
}

void EncodeRow(D3DFORMAT format, const uint32_t* argb, int count, uint8_t* pixels,
               const PALETTEENTRY* palette) {
  const FormatInfo* info = FindFormat(format);
  if (!info) return;
  if (format == D3DFMT_A8R8G8B8) {
    std::memcpy(pixels, argb, static_cast<size_t>(count) * 4);
    return;
  }
  switch (format) {
    case D3DFMT_P8:
      return EncodeLoop<D3DFMT_P8, 1>(argb, count, pixels, palette);
    case D3DFMT_X1R5G5B5:
      return EncodeLoop<D3DFMT_X1R5G5B5, 2>(argb, count, pixels, palette);
    case D3DFMT_A1R5G5B5:
      return EncodeLoop<D3DFMT_A1R5G5B5, 2>(argb, count, pixels, palette);
    case D3DFMT_R5G6B5:
      return EncodeLoop<D3DFMT_R5G6B5, 2>(argb, count, pixels, palette);
    case D3DFMT_A4R4G4B4:
      return EncodeLoop<D3DFMT_A4R4G4B4, 2>(argb, count, pixels, palette);
    case D3DFMT_R8G8B8:
      return EncodeLoop<D3DFMT_R8G8B8, 3>(argb, count, pixels, palette);
    case D3DFMT_X8R8G8B8:
      return EncodeLoop<D3DFMT_X8R8G8B8, 4>(argb, count, pixels, palette);
    default:
      return;
  }
}

}  // namespace plat::d3d8
