// A software device of the test's size and format, and the test's own pixel oracle: every format
// decoded and encoded from its definition, and the blend formula pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/D3D8.h"
#include "platform/d3d8/D3DX8.h"

namespace d3d8test {

using namespace plat::d3d8;

// The eight stored formats, as the engine's format table lists them.
inline const D3DFORMAT kAllFormats[] = {D3DFMT_P8,       D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5, D3DFMT_R5G6B5,
                                        D3DFMT_A4R4G4B4, D3DFMT_R8G8B8,   D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8};

inline int BytesOf(D3DFORMAT f) {
  switch (f) {
    case D3DFMT_P8:
      return 1;
    case D3DFMT_R8G8B8:
      return 3;
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8:
      return 4;
    default:
      return 2;
  }
}

inline bool HasAlpha(D3DFORMAT f) {
  return f == D3DFMT_A1R5G5B5 || f == D3DFMT_A4R4G4B4 || f == D3DFMT_A8R8G8B8;
}

struct Argb {
  uint32_t a, r, g, b;
  bool operator==(const Argb&) const = default;
};

// n-bit channel to 8 bits by repeating its bits from the top.
inline uint32_t Up(uint32_t v, int bits) {
  uint32_t out = 0;
  for (int at = 8 - bits; at > -bits; at -= bits) out |= at >= 0 ? v << at : v >> -at;
  return out & 255;
}

inline uint32_t Raw(D3DFORMAT f, const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, static_cast<size_t>(BytesOf(f)));
  return v;
}

inline Argb Decode(D3DFORMAT f, const uint8_t* p) {
  const uint32_t v = Raw(f, p);
  switch (f) {
    case D3DFMT_P8:
      return {255, v, v, v};
    case D3DFMT_X1R5G5B5:
      return {255, Up(v >> 10 & 31, 5), Up(v >> 5 & 31, 5), Up(v & 31, 5)};
    case D3DFMT_A1R5G5B5:
      return {Up(v >> 15, 1), Up(v >> 10 & 31, 5), Up(v >> 5 & 31, 5), Up(v & 31, 5)};
    case D3DFMT_R5G6B5:
      return {255, Up(v >> 11, 5), Up(v >> 5 & 63, 6), Up(v & 31, 5)};
    case D3DFMT_A4R4G4B4:
      return {Up(v >> 12, 4), Up(v >> 8 & 15, 4), Up(v >> 4 & 15, 4), Up(v & 15, 4)};
    case D3DFMT_R8G8B8:
      return {255, v >> 16 & 255, v >> 8 & 255, v & 255};
    case D3DFMT_X8R8G8B8:
      return {255, v >> 16 & 255, v >> 8 & 255, v & 255};
    default:
      return {v >> 24, v >> 16 & 255, v >> 8 & 255, v & 255};
  }
}

// The stored value of a colour: channels keep their top bits, unused bits are ones, P8 is the grey
// of the mean.
inline uint32_t Encode(D3DFORMAT f, Argb c) {
  switch (f) {
    case D3DFMT_P8:
      return (c.r + c.g + c.b + 1) / 3;
    case D3DFMT_X1R5G5B5:
      return 0x8000 | (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
    case D3DFMT_A1R5G5B5:
      return (c.a >> 7) << 15 | (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
    case D3DFMT_R5G6B5:
      return (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3;
    case D3DFMT_A4R4G4B4:
      return (c.a >> 4) << 12 | (c.r >> 4) << 8 | (c.g >> 4) << 4 | c.b >> 4;
    case D3DFMT_R8G8B8:
      return c.r << 16 | c.g << 8 | c.b;
    case D3DFMT_X8R8G8B8:
      return 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
    default:
      return c.a << 24 | c.r << 16 | c.g << 8 | c.b;
  }
}

// What a sprite draw leaves: alpha 0 leaves d, 255 stores s, otherwise per channel
// (s·a + d·(255−a) + 127) / 255.
inline uint32_t Blended(D3DFORMAT sf, const uint8_t* s, D3DFORMAT df, const uint8_t* d) {
  const Argb src = Decode(sf, s), dst = Decode(df, d);
  if (src.a == 0) return Raw(df, d);
  // An opaque source of the destination's own format is stored bit for bit.
  if (src.a == 255) return sf == df ? Raw(sf, s) : Encode(df, src);
  auto mix = [&](uint32_t x, uint32_t y) { return (x * src.a + y * (255 - src.a) + 127) / 255; };
  return Encode(df, {mix(src.a, dst.a), mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b)});
}

// A small generator of test pixels, the same on every run.
struct Noise {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

// Fills a surface's pixels through a lock; alpha cycles through every value with the column so that
// each blend path sees 0, 255 and everything between.
inline void FillNoise(IDirect3DSurface8* surface, uint32_t seed) {
  D3DSURFACE_DESC desc;
  ASSERT_EQ(surface->GetDesc(&desc), D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
  Noise noise{seed};
  const int bytes = BytesOf(desc.Format);
  for (UINT y = 0; y < desc.Height; ++y) {
    auto* row = static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch;
    for (UINT x = 0; x < desc.Width; ++x) {
      uint32_t v = noise.Next();
      if (desc.Format == D3DFMT_A8R8G8B8) v = (v & 0xFFFFFF) | ((x * 7 + y) & 255) << 24;
      if (desc.Format == D3DFMT_A4R4G4B4) v = (v & 0x0FFF) | ((x + y) & 15) << 12;
      // Some pixels fully transparent, some opaque: the shortcuts of the blend.
      if (x % 11 == 3 && HasAlpha(desc.Format)) v &= desc.Format == D3DFMT_A8R8G8B8 ? 0x00FFFFFFu : 0x0FFFu;
      std::memcpy(row + x * bytes, &v, static_cast<size_t>(bytes));
    }
  }
  ASSERT_EQ(surface->UnlockRect(), D3D_OK);
}

// The surface's pixels, row after row, each as its raw value.
inline std::vector<uint32_t> ReadPixels(IDirect3DSurface8* surface) {
  D3DSURFACE_DESC desc;
  surface->GetDesc(&desc);
  D3DLOCKED_RECT locked;
  std::vector<uint32_t> out;
  if (surface->LockRect(&locked, nullptr, D3DLOCK_READONLY) != D3D_OK) return out;
  const int bytes = BytesOf(desc.Format);
  for (UINT y = 0; y < desc.Height; ++y) {
    for (UINT x = 0; x < desc.Width; ++x) {
      out.push_back(
          Raw(desc.Format, static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch + x * bytes));
    }
  }
  surface->UnlockRect();
  return out;
}

// The Direct3D object and one device, windowed; everything is released after the test, and the
// stand-in must then hold no pixel memory.
class D3D8Test : public testing::Test {
protected:
  void SetUp() override {
    ResetAdapterProfile();
    m_bytesBefore = GetAdapterCounters().bytesHeld;
  }
  void TearDown() override {
    if (m_backBuffer) m_backBuffer->Release();
    if (m_device) {
      EXPECT_EQ(m_device->Release(), 0u);
    }
    if (m_d3d) {
      EXPECT_EQ(m_d3d->Release(), 0u);
    }
    EXPECT_EQ(GetAdapterCounters().bytesHeld, m_bytesBefore);
    ResetAdapterProfile();
  }

  void Open(UINT width, UINT height, D3DFORMAT format, bool windowed = true) {
    m_d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(m_d3d, nullptr);
    m_parameters = D3DPRESENT_PARAMETERS{};
    m_parameters.BackBufferWidth = width;
    m_parameters.BackBufferHeight = height;
    m_parameters.BackBufferFormat = format;
    m_parameters.BackBufferCount = 1;
    m_parameters.Windowed = windowed;
    ASSERT_EQ(m_d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                  &m_parameters, &m_device),
              D3D_OK);
    ASSERT_EQ(m_device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &m_backBuffer), D3D_OK);
  }

  IDirect3DTexture8* MakeTexture(UINT width, UINT height, D3DFORMAT format) {
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(D3DXCreateTexture(m_device, width, height, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
    return texture;
  }

  static IDirect3DSurface8* Level(IDirect3DTexture8* texture) {
    IDirect3DSurface8* level = nullptr;
    texture->GetSurfaceLevel(0, &level);
    return level;
  }

  IDirect3D8* m_d3d = nullptr;
  IDirect3DDevice8* m_device = nullptr;
  IDirect3DSurface8* m_backBuffer = nullptr;
  D3DPRESENT_PARAMETERS m_parameters{};
  size_t m_bytesBefore = 0;
};

}  // namespace d3d8test
