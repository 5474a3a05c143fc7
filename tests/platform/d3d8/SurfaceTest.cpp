// Surfaces and textures: rectangles checked as the runtime checks them, copies, loads with format
// conversion, scaling and colour keys, and the memory the adapter allows.
#include "D3D8Fixture.h"
#include "platform/d3d8/Image.h"

namespace d3d8test {
namespace {

class SurfaceTest : public D3D8Test {
protected:
  void SetUp() override {
    D3D8Test::SetUp();
    Open(16, 8, D3DFMT_R5G6B5, false);
  }
  IDirect3DSurface8* MakeSurface(UINT w, UINT h, D3DFORMAT f) {
    IDirect3DSurface8* s = nullptr;
    EXPECT_EQ(m_device->CreateImageSurface(w, h, f, &s), D3D_OK);
    return s;
  }
};

// Out of the surface, empty or inverted: refused, whichever call takes the rectangle.
TEST_F(SurfaceTest, RectanglesOutsideOrEmptyAreInvalidCalls) {
  IDirect3DSurface8* a = MakeSurface(8, 4, D3DFMT_R5G6B5);
  IDirect3DSurface8* b = MakeSurface(8, 4, D3DFMT_R5G6B5);
  FillNoise(a, 1);
  FillNoise(b, 2);
  const std::vector<uint32_t> before = ReadPixels(b);
  const RECT bad[] = {{-1, 0, 4, 4}, {0, -1, 4, 4}, {0, 0, 9, 4}, {0, 0, 8, 5},
                      {4, 0, 4, 4},  {5, 0, 2, 4},  {0, 3, 8, 1}};
  const uint16_t memory[8 * 4] = {};
  for (const RECT& r : bad) {
    SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(b->LockRect(&locked, &r, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->CopyRects(a, &r, 1, b, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(b, nullptr, &r, a, nullptr, nullptr, D3DX_FILTER_NONE, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(b, nullptr, nullptr, a, nullptr, &r, D3DX_FILTER_NONE, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromMemory(b, nullptr, &r, memory, D3DFMT_R5G6B5, 16, nullptr, &r,
                                        D3DX_FILTER_NONE, 0),
              D3DERR_INVALIDCALL);
  }
  // A copy whose target point puts any rectangle outside copies none of them.
  const RECT rects[] = {{0, 0, 2, 2}, {0, 0, 4, 4}};
  const POINT points[] = {{0, 0}, {6, 1}};
  EXPECT_EQ(m_device->CopyRects(a, rects, 2, b, points), D3DERR_INVALIDCALL);
  const POINT farPoint{0x7FFFFFFE, 0};
  EXPECT_EQ(m_device->CopyRects(a, rects, 1, b, &farPoint), D3DERR_INVALIDCALL);
  // Memory rows that do not fit their pitch.
  const RECT wide{0, 0, 8, 4};
  EXPECT_EQ(D3DXLoadSurfaceFromMemory(b, nullptr, nullptr, memory, D3DFMT_R5G6B5, 14, nullptr, &wide,
                                      D3DX_FILTER_NONE, 0),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXLoadSurfaceFromMemory(b, nullptr, nullptr, memory, D3DFMT_R5G6B5, 16, nullptr, nullptr,
                                      D3DX_FILTER_NONE, 0),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(ReadPixels(b), before);
  a->Release();
  b->Release();
}

// Locks: one at a time, the corner of the rectangle, the pitch of the row; a locked surface takes
// part in nothing else.
TEST_F(SurfaceTest, LocksGiveTheRectangleAndExcludeOtherUse) {
  IDirect3DSurface8* s = MakeSurface(5, 3, D3DFMT_R8G8B8);
  D3DLOCKED_RECT whole, part;
  ASSERT_EQ(s->LockRect(&whole, nullptr, 0), D3D_OK);
  EXPECT_GE(whole.Pitch, 15);
  EXPECT_EQ(s->LockRect(&part, nullptr, 0), D3DERR_INVALIDCALL);
  IDirect3DSurface8* other = MakeSurface(5, 3, D3DFMT_R8G8B8);
  EXPECT_EQ(m_device->CopyRects(other, nullptr, 0, s, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXLoadSurfaceFromSurface(other, nullptr, nullptr, s, nullptr, nullptr, D3DX_FILTER_NONE, 0),
            D3DERR_INVALIDCALL);
  ASSERT_EQ(s->UnlockRect(), D3D_OK);
  EXPECT_EQ(s->UnlockRect(), D3DERR_INVALIDCALL);
  const RECT r{2, 1, 5, 3};
  ASSERT_EQ(s->LockRect(&part, &r, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(static_cast<uint8_t*>(part.pBits), static_cast<uint8_t*>(whole.pBits) + whole.Pitch + 2 * 3);
  s->UnlockRect();
  s->Release();
  other->Release();
}

// CopyRects moves exact pixels between surfaces of one format, to given points or in place.
TEST_F(SurfaceTest, CopyRectsMovesPixelsOfOneFormat) {
  IDirect3DSurface8* a = MakeSurface(4, 4, D3DFMT_A4R4G4B4);
  IDirect3DSurface8* b = MakeSurface(4, 4, D3DFMT_A4R4G4B4);
  IDirect3DSurface8* other = MakeSurface(4, 4, D3DFMT_R5G6B5);
  FillNoise(a, 3);
  const auto in = ReadPixels(a);
  const RECT r{1, 1, 3, 2};
  const POINT p{0, 3};
  ASSERT_EQ(m_device->CopyRects(a, &r, 1, b, &p), D3D_OK);
  auto out = ReadPixels(b);
  EXPECT_EQ(out[12], in[5]);
  EXPECT_EQ(out[13], in[6]);
  EXPECT_EQ(out[0], 0u);
  ASSERT_EQ(m_device->CopyRects(a, nullptr, 0, b, nullptr), D3D_OK);
  EXPECT_EQ(ReadPixels(b), in);
  EXPECT_EQ(m_device->CopyRects(a, nullptr, 0, other, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_device->CopyRects(a, nullptr, 0, a, nullptr), D3DERR_INVALIDCALL);
  a->Release();
  b->Release();
  other->Release();
}

// Loads convert every format to every other as the oracle says, and scale by the nearest pixel.
TEST_F(SurfaceTest, LoadsConvertEveryFormatPair) {
  for (const D3DFORMAT from : kAllFormats) {
    for (const D3DFORMAT to : kAllFormats) {
      SCOPED_TRACE(testing::Message() << from << " to " << to);
      IDirect3DSurface8* a = MakeSurface(9, 3, from);
      IDirect3DSurface8* b = MakeSurface(9, 3, to);
      FillNoise(a, from * 31 + to);
      ASSERT_EQ(D3DXLoadSurfaceFromSurface(b, nullptr, nullptr, a, nullptr, nullptr, D3DX_FILTER_NONE, 0),
                D3D_OK);
      const auto in = ReadPixels(a), out = ReadPixels(b);
      for (size_t i = 0; i < in.size(); ++i) {
        const uint32_t expected =
            from == to ? in[i] : Encode(to, Decode(from, reinterpret_cast<const uint8_t*>(&in[i])));
        ASSERT_EQ(out[i], expected) << "pixel " << i;
      }
      a->Release();
      b->Release();
    }
  }
}

TEST_F(SurfaceTest, LoadsScaleByTheNearestPixelAndKeyTheirColour) {
  const uint32_t source[2 * 2] = {0xFF112233, 0xFFFF00FF, 0xFFFF00FF, 0x80445566};
  IDirect3DSurface8* big = MakeSurface(4, 4, D3DFMT_A8R8G8B8);
  const RECT all{0, 0, 2, 2};
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(big, nullptr, nullptr, source, D3DFMT_A8R8G8B8, 8, nullptr, &all,
                                      D3DX_FILTER_NONE, 0xFFFF00FF),
            D3D_OK);
  EXPECT_EQ(ReadPixels(big), (std::vector<uint32_t>{0xFF112233, 0xFF112233, 0, 0,  //
                                                    0xFF112233, 0xFF112233, 0, 0,  //
                                                    0, 0, 0x80445566, 0x80445566,  //
                                                    0, 0, 0x80445566, 0x80445566}));
  // Down to one pixel: the pixel nearest the middle.
  IDirect3DSurface8* one = MakeSurface(1, 1, D3DFMT_A8R8G8B8);
  ASSERT_EQ(D3DXLoadSurfaceFromSurface(one, nullptr, nullptr, big, nullptr, nullptr, D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(ReadPixels(one)[0], 0x80445566u);
  big->Release();
  one->Release();
}

// New storage reads as zeros wherever nothing was written over them, but a load that covers the whole
// surface writes no zeros first: they would be overwritten at once.
TEST_F(SurfaceTest, NewStorageIsZeroWhereverALoadDidNotCoverItAndAWholeLoadWritesNoZeros) {
  const uint32_t source[4 * 2] = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C,
                                  0xFF0D0E0F, 0xFF101112, 0xFF131415, 0xFF161718};
  const RECT all{0, 0, 4, 2};
  const RECT left{0, 0, 2, 2};
  const RECT top{0, 0, 4, 1};
  struct Case {
    const char* name;
    bool texture;
    const RECT* destination;  // the load's, null: whole; &kNone: no load
    std::vector<uint32_t> pixels;
    bool zeroed;
  };
  static const RECT kNone{};
  const uint32_t z = 0;
  const Case cases[] = {
      {"image surface, no load", false, &kNone, std::vector<uint32_t>(8, z), true},
      {"texture, no load", true, &kNone, std::vector<uint32_t>(8, z), true},
      {"whole load", false, nullptr, {source, source + 8}, false},
      {"whole load of a texture", true, nullptr, {source, source + 8}, false},
      {"load onto the left half",
       false,
       &left,
       {0xFF040506, 0xFF0A0B0C, z, z, 0xFF101112, 0xFF161718, z, z},
       true},
      {"load onto the top row",
       true,
       &top,
       {0xFF0D0E0F, 0xFF101112, 0xFF131415, 0xFF161718, z, z, z, z},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t zeroedBefore = Image::ZeroedBytesForTesting();
    IDirect3DTexture8* texture = c.texture ? MakeTexture(4, 2, D3DFMT_A8R8G8B8) : nullptr;
    IDirect3DSurface8* surface = nullptr;
    if (texture) {
      ASSERT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
    } else {
      surface = MakeSurface(4, 2, D3DFMT_A8R8G8B8);
    }
    if (c.destination != &kNone) {
      ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, c.destination, source, D3DFMT_A8R8G8B8, 16,
                                          nullptr, &all, D3DX_FILTER_NONE, 0),
                D3D_OK);
    }
    EXPECT_EQ(ReadPixels(surface), c.pixels);
    EXPECT_EQ(Image::ZeroedBytesForTesting() - zeroedBefore, c.zeroed ? 4u * 2u * 4u : 0u);
    surface->Release();
    if (texture) texture->Release();
  }
}

TEST_F(SurfaceTest, TexturesKeepTheirSizeUnlessTheCapsSayOtherwise) {
  struct Case {
    DWORD textureCaps;
    UINT width, height;
    UINT madeWidth, madeHeight;
  };
  const Case cases[] = {{D3DPTEXTURECAPS_ALPHA, 100, 50, 100, 50},
                        {D3DPTEXTURECAPS_POW2, 100, 50, 128, 64},
                        {D3DPTEXTURECAPS_SQUAREONLY, 100, 50, 100, 100},
                        {D3DPTEXTURECAPS_ALPHA, 5000, 1, 4096, 1}};
  for (const Case& c : cases) {
    GetAdapterProfile().caps.TextureCaps = c.textureCaps;
    IDirect3DTexture8* t = MakeTexture(c.width, c.height, D3DFMT_A8R8G8B8);
    ASSERT_NE(t, nullptr);
    D3DSURFACE_DESC desc;
    ASSERT_EQ(t->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, c.madeWidth);
    EXPECT_EQ(desc.Height, c.madeHeight);
    EXPECT_EQ(t->GetLevelCount(), 1u);
    EXPECT_EQ(t->GetLevelDesc(1, &desc), D3DERR_INVALIDCALL);
    t->Release();
  }
}

// Past the adapter's memory: textures report video memory, image surfaces memory; bad sizes and
// formats are invalid calls.
TEST_F(SurfaceTest, CreationFailsAsTheRuntimeReportsIt) {
  GetAdapterProfile().memoryBytes = GetAdapterCounters().bytesHeld + 1000;
  IDirect3DTexture8* t = nullptr;
  EXPECT_EQ(D3DXCreateTexture(m_device, 64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t),
            D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(t, nullptr);
  IDirect3DSurface8* s = nullptr;
  EXPECT_EQ(m_device->CreateImageSurface(64, 64, D3DFMT_A8R8G8B8, &s), E_OUTOFMEMORY);
  EXPECT_EQ(m_device->CreateImageSurface(0, 4, D3DFMT_A8R8G8B8, &s), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_device->CreateImageSurface(4, 4, 77, &s), D3DERR_INVALIDCALL);
  EXPECT_EQ(s, nullptr);
}

}  // namespace
}  // namespace d3d8test

namespace d3d8test {
namespace {

// With a palette, P8 reads its entries (alpha from the flags) and writes the nearest entry.
TEST_F(SurfaceTest, PalettesTranslateEightBitPixels) {
  PALETTEENTRY palette[256] = {};
  palette[1] = {255, 0, 0, 255};
  palette[2] = {0, 0, 255, 128};
  const uint8_t indices[3] = {1, 2, 0};
  const RECT all{0, 0, 3, 1};
  IDirect3DSurface8* argb = MakeSurface(3, 1, D3DFMT_A8R8G8B8);
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(argb, nullptr, nullptr, indices, D3DFMT_P8, 4, palette, &all,
                                      D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(ReadPixels(argb), (std::vector<uint32_t>{0xFFFF0000, 0x800000FF, 0}));
  const uint32_t colours[3] = {0xFFF01010, 0x900000F0, 0x01010101};
  IDirect3DSurface8* p8 = MakeSurface(3, 1, D3DFMT_P8);
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(p8, palette, nullptr, colours, D3DFMT_A8R8G8B8, 12, nullptr, &all,
                                      D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(ReadPixels(p8), (std::vector<uint32_t>{1, 2, 0}));
  argb->Release();
  p8->Release();
}

// The marks of keyed pixels go with the pixels through CopyRects.
TEST_F(SurfaceTest, KeyedMarksTravelWithCopies) {
  const uint16_t pixels[2] = {0xF81F, 0x07E0};
  const RECT all{0, 0, 2, 1};
  IDirect3DSurface8* keyed = MakeSurface(2, 1, D3DFMT_R5G6B5);
  IDirect3DSurface8* copy = MakeSurface(2, 1, D3DFMT_R5G6B5);
  IDirect3DSurface8* argb = MakeSurface(2, 1, D3DFMT_A8R8G8B8);
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(keyed, nullptr, nullptr, pixels, D3DFMT_R5G6B5, 4, nullptr, &all,
                                      D3DX_FILTER_NONE, 0xFFFF00FF),
            D3D_OK);
  ASSERT_EQ(m_device->CopyRects(keyed, nullptr, 0, copy, nullptr), D3D_OK);
  ASSERT_EQ(D3DXLoadSurfaceFromSurface(argb, nullptr, nullptr, copy, nullptr, nullptr, D3DX_FILTER_NONE, 0),
            D3D_OK);
  EXPECT_EQ(ReadPixels(argb), (std::vector<uint32_t>{0, 0xFF00FF00}));
  argb->Release();
  copy->Release();
  keyed->Release();
}

}  // namespace
}  // namespace d3d8test
