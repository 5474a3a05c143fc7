// Image files: uncompressed bitmaps of every depth read into surfaces, everything else refused.
#include <fstream>
#include <string>

#include "D3D8Fixture.h"

namespace d3d8test {
namespace {

// A bitmap file put together field by field: header size 40 (or 108 with masks and alpha), rows
// padded to four bytes, bottom-up unless the height is negative.
struct BitmapFile {
  int width = 0, height = 0, bits = 24;
  uint32_t compression = 0;
  uint32_t infoSize = 40;
  std::vector<uint32_t> palette;
  std::vector<uint32_t> masks;             // red, green, blue (alpha) for BI_BITFIELDS
  std::vector<std::vector<uint8_t>> rows;  // file order, unpadded

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) { out.push_back(v & 255), out.push_back(v >> 8 & 255); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    const size_t extra = infoSize == 40 && compression == 3 ? 12 : 0;
    const uint32_t offset = static_cast<uint32_t>(14 + infoSize + extra + palette.size() * 4);
    out.push_back('B'), out.push_back('M');
    u32(0), u32(0), u32(offset);
    u32(infoSize), u32(static_cast<uint32_t>(width)), u32(static_cast<uint32_t>(height)), u16(1), u16(bits);
    u32(compression), u32(0), u32(2835), u32(2835), u32(static_cast<uint32_t>(palette.size())), u32(0);
    if (infoSize > 40) {
      for (size_t i = 0; i < 4; ++i) u32(i < masks.size() ? masks[i] : 0);
      while (out.size() < 14 + infoSize) out.push_back(0);
    } else if (extra) {
      for (size_t i = 0; i < 3; ++i) u32(masks[i]);
    }
    for (uint32_t c : palette) u32(c);
    for (const auto& row : rows) {
      out.insert(out.end(), row.begin(), row.end());
      while ((out.size() - offset) % 4) out.push_back(0);
    }
    return out;
  }
};

class BitmapTest : public D3D8Test {
protected:
  void SetUp() override {
    D3D8Test::SetUp();
    Open(8, 8, D3DFMT_X8R8G8B8);
  }

  // The image's format and its pixels loaded into an A8R8G8B8 surface of its size.
  std::vector<uint32_t> Load(const std::vector<uint8_t>& bytes, D3DFORMAT& format) {
    D3DXIMAGE_INFO info;
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(bytes.data(), static_cast<UINT>(bytes.size()), &info), D3D_OK);
    format = info.Format;
    IDirect3DSurface8* s = nullptr;
    EXPECT_EQ(m_device->CreateImageSurface(info.Width, info.Height, D3DFMT_A8R8G8B8, &s), D3D_OK);
    if (!s) return {};
    EXPECT_EQ(
        D3DXLoadSurfaceFromFileInMemory(s, nullptr, nullptr, bytes.data(), static_cast<UINT>(bytes.size()),
                                        nullptr, D3DX_FILTER_NONE, 0, nullptr),
        D3D_OK);
    auto pixels = ReadPixels(s);
    s->Release();
    return pixels;
  }
};

TEST_F(BitmapTest, ReadsEveryUncompressedDepth) {
  struct Case {
    const char* what;
    BitmapFile file;
    D3DFORMAT format;
    std::vector<uint32_t> pixels;  // top row first
  };
  const Case cases[] = {
      {"24 bits, bottom-up, padded rows",
       {3, 2, 24, 0, 40, {}, {}, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}}},
       D3DFMT_R8G8B8,
       {0xFF0C0B0A, 0xFF0F0E0D, 0xFF121110, 0xFF030201, 0xFF060504, 0xFF090807}},
      {"32 bits, top-down",
       {2, -1, 32, 0, 40, {}, {}, {{1, 2, 3, 99, 4, 5, 6, 99}}},
       D3DFMT_X8R8G8B8,
       {0xFF030201, 0xFF060504}},
      {"8 bits with a short palette",
       {3, 1, 8, 0, 40, {0x112233, 0x445566}, {}, {{1, 0, 7}}},
       D3DFMT_X8R8G8B8,
       {0xFF445566, 0xFF112233, 0xFF000000}},
      {"4 bits",
       {3, 1, 4, 0, 40, {0xFF0000, 0x00FF00, 0x0000FF}, {}, {{0x21, 0x00}}},
       D3DFMT_X8R8G8B8,
       {0xFF0000FF, 0xFF00FF00, 0xFFFF0000}},
      {"1 bit",
       {9, 1, 1, 0, 40, {0x000000, 0xFFFFFF}, {}, {{0x81, 0x80}}},
       D3DFMT_X8R8G8B8,
       {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF,
        0xFFFFFFFF}},
      {"16 bits, 5-5-5", {1, 1, 16, 0, 40, {}, {}, {{0x1F, 0x7C}}}, D3DFMT_X1R5G5B5, {0xFFFF00FF}},
      {"16 bits, 5-6-5 fields",
       {2, 1, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F}, {{0xE0, 0x07, 0x01, 0x08}}},
       D3DFMT_R5G6B5,
       {0xFF00FF00, 0xFF080008}},
      {"32 bits with alpha",
       {1, 1, 32, 3, 108, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {{1, 2, 3, 0x80}}},
       D3DFMT_A8R8G8B8,
       {0x80030201}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    D3DFORMAT format = 0;
    EXPECT_EQ(Load(c.file.Bytes(), format), c.pixels);
    EXPECT_EQ(format, c.format);
  }
}

TEST_F(BitmapTest, RefusesEverythingElseWithInvalidData) {
  const BitmapFile good{2, 2, 24, 0, 40, {}, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}};
  auto changed = [&](auto change) {
    BitmapFile f = good;
    change(f);
    return f.Bytes();
  };
  std::vector<uint8_t> truncated = good.Bytes();
  truncated.resize(truncated.size() - 3);
  std::vector<uint8_t> badOffset = good.Bytes();
  badOffset[10] = 0xFF;
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                    0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"run-length", changed([](BitmapFile& f) { f.bits = 8, f.compression = 1; })},
      {"PNG inside", changed([](BitmapFile& f) { f.compression = 5; })},
      {"zero width", changed([](BitmapFile& f) { f.width = 0; })},
      {"zero height", changed([](BitmapFile& f) { f.height = 0; })},
      {"core header", changed([](BitmapFile& f) { f.infoSize = 12; })},
      {"odd depth", changed([](BitmapFile& f) { f.bits = 7; })},
      {"odd masks", changed([](BitmapFile& f) {
         f.bits = 16, f.compression = 3, f.masks = {0xF00, 0xF0, 0xF};
       })},
      {"too many colours", changed([](BitmapFile& f) { f.bits = 1, f.palette.assign(3, 0); })},
      {"rows cut short", truncated},
      {"pixels past the end", badOffset},
      {"PNG file", png},
      {"empty", {}},
  };
  IDirect3DSurface8* s = nullptr;
  ASSERT_EQ(m_device->CreateImageSurface(2, 2, D3DFMT_A8R8G8B8, &s), D3D_OK);
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    D3DXIMAGE_INFO info;
    const uint8_t none = 0;
    const void* data = bytes.empty() ? &none : bytes.data();
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(data, static_cast<UINT>(bytes.size()), &info),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXLoadSurfaceFromFileInMemory(s, nullptr, nullptr, data, static_cast<UINT>(bytes.size()),
                                              nullptr, D3DX_FILTER_NONE, 0, nullptr),
              D3DXERR_INVALIDDATA);
  }
  EXPECT_EQ(ReadPixels(s), std::vector<uint32_t>(4, 0));
  s->Release();
}

// From a file: the image's own size and format, a key turned transparent; a missing file fails.
TEST_F(BitmapTest, LoadsAFileByItsWindowsName) {
  const BitmapFile f{2, 1, 24, 0, 40, {}, {}, {{0xFF, 0x00, 0xFF, 1, 2, 3}}};
  const auto bytes = f.Bytes();
  std::ofstream("picture.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  D3DXIMAGE_INFO info;
  ASSERT_EQ(D3DXGetImageInfoFromFile("PICTURE.BMP", &info), D3D_OK);
  EXPECT_EQ(info.Width, 2u);
  EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
  IDirect3DSurface8* s = nullptr;
  ASSERT_EQ(m_device->CreateImageSurface(2, 1, D3DFMT_A8R8G8B8, &s), D3D_OK);
  ASSERT_EQ(D3DXLoadSurfaceFromFile(s, nullptr, nullptr, "picture.bmp", nullptr, D3DX_FILTER_NONE, 0xFFFF00FF,
                                    &info),
            D3D_OK);
  EXPECT_EQ(ReadPixels(s), (std::vector<uint32_t>{0, 0xFF030201}));
  EXPECT_NE(
      D3DXLoadSurfaceFromFile(s, nullptr, nullptr, "missing.bmp", nullptr, D3DX_FILTER_NONE, 0, nullptr),
      D3D_OK);
  s->Release();
}

}  // namespace
}  // namespace d3d8test
