// Sprite draws: every source format over every back-buffer format against the blend formula, pixel
// by pixel; clipping at every edge, call order, scaling and keyed pixels.
#include <tuple>

#include "D3D8Fixture.h"
#include "platform/d3d8/Blend.h"

namespace d3d8test {
namespace {

class FormatPairTest : public D3D8Test,
                       public testing::WithParamInterface<std::tuple<D3DFORMAT, D3DFORMAT>> {};

// Odd widths leave tails after the eight-pixel steps; an offset draw puts the tails mid-row.
TEST_P(FormatPairTest, EveryPixelEqualsTheBlendFormula) {
  const auto [sourceFormat, targetFormat] = GetParam();
  Open(53, 9, targetFormat);
  IDirect3DTexture8* texture = MakeTexture(45, 7, sourceFormat);
  ASSERT_NE(texture, nullptr);
  IDirect3DSurface8* level = Level(texture);
  FillNoise(level, 7);
  FillNoise(m_backBuffer, 99);
  const std::vector<uint32_t> before = ReadPixels(m_backBuffer);
  const std::vector<uint32_t> source = ReadPixels(level);

  ID3DXSprite* sprite = nullptr;
  ASSERT_EQ(D3DXCreateSprite(m_device, &sprite), D3D_OK);
  const D3DXVECTOR2 at{5, 1};
  ASSERT_EQ(sprite->Begin(), D3D_OK);
  ASSERT_EQ(sprite->Draw(texture, nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF), D3D_OK);
  ASSERT_EQ(sprite->End(), D3D_OK);
  const std::vector<uint32_t> after = ReadPixels(m_backBuffer);

  int wrong = 0;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 53; ++x) {
      const uint32_t was = before[y * 53 + x];
      uint32_t expected = was;
      const int sx = x - 5, sy = y - 1;
      if (sx >= 0 && sx < 45 && sy >= 0 && sy < 7) {
        const uint32_t s = source[sy * 45 + sx];
        expected = Blended(sourceFormat, reinterpret_cast<const uint8_t*>(&s), targetFormat,
                           reinterpret_cast<const uint8_t*>(&was));
      }
      if (after[y * 53 + x] != expected && ++wrong < 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << after[y * 53 + x] << " expected "
                      << expected;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  sprite->Release();
  level->Release();
  texture->Release();
}

INSTANTIATE_TEST_SUITE_P(AllPairs, FormatPairTest,
                         testing::Combine(testing::ValuesIn(kAllFormats), testing::ValuesIn(kAllFormats)));

// The SIMD paths against the scalar reference over every source alpha and a spread of destinations.
TEST(BlendSpanTest, FastPathsEqualTheScalarReference) {
  const std::tuple<D3DFORMAT, D3DFORMAT> pairs[] = {{D3DFMT_A8R8G8B8, D3DFMT_R5G6B5},
                                                    {D3DFMT_A4R4G4B4, D3DFMT_R5G6B5},
                                                    {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8},
                                                    {D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8}};
  for (const auto& [sf, df] : pairs) {
    constexpr int kCount = 256 * 64 + 5;
    std::vector<uint8_t> source(kCount * 4), dest(kCount * 4);
    Noise noise{1};
    for (auto& b : source) b = static_cast<uint8_t>(noise.Next());
    for (auto& b : dest) b = static_cast<uint8_t>(noise.Next());
    // Every alpha value, and runs of transparent and of opaque pixels that the fast paths take whole.
    for (int i = 0; i < kCount; ++i) {
      const bool opaque = i % 1000 >= 500 && i % 1000 < 540;
      if (sf == D3DFMT_A8R8G8B8) source[i * 4 + 3] = static_cast<uint8_t>(opaque ? 255 : i < 64 ? 0 : i);
      if (sf == D3DFMT_A4R4G4B4)
        source[i * 2 + 1] = static_cast<uint8_t>((source[i * 2 + 1] & 15) | (opaque   ? 0xF0
                                                                             : i < 64 ? 0
                                                                                      : i & 0xF0));
    }
    std::vector<uint8_t> fast = dest, slow = dest;
    BlendSpan(sf, source.data(), nullptr, df, fast.data(), kCount);
    BlendSpanScalar(sf, source.data(), nullptr, df, slow.data(), kCount);
    EXPECT_EQ(fast, slow) << "pair " << sf << " onto " << df;
  }
}

class SpriteTest : public D3D8Test {
protected:
  void SetUp() override {
    D3D8Test::SetUp();
    Open(20, 10, D3DFMT_X8R8G8B8);
    ASSERT_EQ(D3DXCreateSprite(m_device, &m_sprite), D3D_OK);
    ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1, 0), D3D_OK);
  }
  void TearDown() override {
    m_sprite->Release();
    D3D8Test::TearDown();
  }

  // A texture of one opaque colour.
  IDirect3DTexture8* Solid(UINT w, UINT h, uint32_t argb) {
    IDirect3DTexture8* t = MakeTexture(w, h, D3DFMT_A8R8G8B8);
    D3DLOCKED_RECT locked;
    t->LockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < h; ++y) {
      for (UINT x = 0; x < w; ++x) {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, &argb, 4);
      }
    }
    t->UnlockRect(0);
    return t;
  }

  // The back buffer as characters: '.' black, 'r' red, 'g' green, '?' anything else.
  std::string Picture() {
    std::string out;
    const auto pixels = ReadPixels(m_backBuffer);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 20; ++x) {
        const uint32_t v = pixels[y * 20 + x];
        out += v == 0xFF000000u ? '.' : v == 0xFFFF0000u ? 'r' : v == 0xFF00FF00u ? 'g' : '?';
      }
      out += '\n';
    }
    return out;
  }

  ID3DXSprite* m_sprite = nullptr;
};

// Draws hanging over each edge and corner keep to the back buffer, and a later draw covers an
// earlier one where they meet.
TEST_F(SpriteTest, DrawsClipToTheBackBufferAndApplyInCallOrder) {
  IDirect3DTexture8* red = Solid(4, 3, 0xFFFF0000);
  IDirect3DTexture8* green = Solid(4, 3, 0xFF00FF00);
  const D3DXVECTOR2 places[] = {{-2, -1}, {18, 8}, {-3, 8}, {17, -2}, {8, 4}};
  for (const D3DXVECTOR2& at : places) {
    EXPECT_EQ(m_sprite->Draw(red, nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF), D3D_OK);
  }
  const D3DXVECTOR2 over{10, 5};
  EXPECT_EQ(m_sprite->Draw(green, nullptr, nullptr, nullptr, 0, &over, 0xFFFFFFFF), D3D_OK);
  // Entirely outside: nothing to draw, and no failure.
  const D3DXVECTOR2 away{-100, 500};
  EXPECT_EQ(m_sprite->Draw(red, nullptr, nullptr, nullptr, 0, &away, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(Picture(),
            "rr...............rrr\n"
            "rr..................\n"
            "....................\n"
            "....................\n"
            "........rrrr........\n"
            "........rrgggg......\n"
            "........rrgggg......\n"
            "..........gggg......\n"
            "r.................rr\n"
            "r.................rr\n");
  red->Release();
  green->Release();
}

// Nearest-pixel scaling by 2 across and 3 down; a source rectangle picks part of the texture.
TEST_F(SpriteTest, ScalesASourceRectangleByTheNearestPixel) {
  IDirect3DTexture8* t = Solid(4, 2, 0xFFFF0000);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(t->LockRect(0, &locked, nullptr, 0), D3D_OK);
  const uint32_t green = 0xFF00FF00;
  std::memcpy(static_cast<uint8_t*>(locked.pBits) + 4 * 1, &green, 4);                 // (1, 0)
  std::memcpy(static_cast<uint8_t*>(locked.pBits) + locked.Pitch + 4 * 2, &green, 4);  // (2, 1)
  t->UnlockRect(0);
  const RECT part{1, 0, 3, 2};
  const D3DXVECTOR2 scale{2, 3}, at{1, 1};
  EXPECT_EQ(m_sprite->Draw(t, &part, &scale, nullptr, 0, &at, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(Picture(),
            "....................\n"
            ".ggrr...............\n"
            ".ggrr...............\n"
            ".ggrr...............\n"
            ".rrgg...............\n"
            ".rrgg...............\n"
            ".rrgg...............\n"
            "....................\n"
            "....................\n"
            "....................\n");
  t->Release();
}

// What the runtime refuses, and nothing is drawn for it.
TEST_F(SpriteTest, RefusesBadSourceRectanglesAndArguments) {
  IDirect3DTexture8* t = Solid(4, 3, 0xFFFF0000);
  const RECT bad[] = {{-1, 0, 2, 2}, {0, 0, 5, 3}, {0, 0, 4, 4}, {2, 1, 2, 3}, {3, 0, 1, 2}};
  for (const RECT& r : bad) {
    EXPECT_EQ(m_sprite->Draw(t, &r, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  const D3DXVECTOR2 zero{0, 1}, negative{-1, 1}, huge{1e30f, 1};
  EXPECT_EQ(m_sprite->Draw(t, nullptr, &huge, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  const D3DXVECTOR2 farAway{-3e38f, 1e20f};
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0, &farAway, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, &zero, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, &negative, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_sprite->Draw(nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0.5f, nullptr, 0xFFFFFFFF), E_NOTIMPL);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0, nullptr, 0x80FFFFFF), E_NOTIMPL);
  // A texture being written to cannot be drawn.
  D3DLOCKED_RECT locked;
  ASSERT_EQ(t->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  t->UnlockRect(0);
  EXPECT_EQ(Picture().find_first_not_of(".\n"), std::string::npos);
  EXPECT_EQ(m_sprite->End(), D3DERR_INVALIDCALL);
  t->Release();
}

// A keyed colour loaded into a format without alpha stays transparent when drawn: the sprite skips
// exactly the keyed pixels, and a later load into an alpha format makes them alpha 0.
TEST_F(SpriteTest, KeyedPixelsOfAFormatWithoutAlphaStayTransparent) {
  const uint16_t magenta = 0xF81F, blue = 0x001F;
  const uint16_t pixels[2 * 3] = {magenta, blue, magenta, blue, magenta, blue};
  IDirect3DTexture8* t = MakeTexture(3, 2, D3DFMT_R5G6B5);
  IDirect3DSurface8* level = Level(t);
  const RECT all{0, 0, 3, 2};
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(level, nullptr, nullptr, pixels, D3DFMT_R5G6B5, 6, nullptr, &all,
                                      D3DX_FILTER_NONE, 0xFFFF00FF),
            D3D_OK);
  // Stored as black, as the runtime stores transparent black in a format without alpha.
  EXPECT_EQ(ReadPixels(level), (std::vector<uint32_t>{0, blue, 0, blue, 0, blue}));
  ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1, 0), D3D_OK);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3D_OK);
  const auto shown = ReadPixels(m_backBuffer);
  EXPECT_EQ((std::vector<uint32_t>{shown[0], shown[1], shown[2], shown[20], shown[21], shown[22]}),
            (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF}));

  IDirect3DSurface8* argb = nullptr;
  ASSERT_EQ(m_device->CreateImageSurface(3, 2, D3DFMT_A8R8G8B8, &argb), D3D_OK);
  ASSERT_EQ(D3DXLoadSurfaceFromSurface(argb, nullptr, nullptr, level, nullptr, nullptr, D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(ReadPixels(argb), (std::vector<uint32_t>{0, 0xFF0000FF, 0, 0xFF0000FF, 0, 0xFF0000FF}));
  // An unkeyed load over the same pixels makes them ordinary again.
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(level, nullptr, nullptr, pixels, D3DFMT_R5G6B5, 6, nullptr, &all,
                                      D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(m_sprite->Draw(t, nullptr, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(ReadPixels(m_backBuffer)[0], 0xFFFF00FFu);
  argb->Release();
  level->Release();
  t->Release();
}

}  // namespace
}  // namespace d3d8test
