// The Direct3D display device on the software stand-in: opening, the format tables, frames with a lost
// device, gamma, surface creation, the cursor, and the pixels that draws, tiles and shapes leave.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/D3DBackBuffer.h"
#include "graphics/D3DDisplayDevice.h"
#include "graphics/D3DFormats.h"
#include "graphics/D3DSurface.h"
#include "graphics/D3DTexture.h"
#include "graphics/LastDisplayError.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/SurfaceOps.h"
#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/D3D8.h"

namespace {

namespace d3d = plat::d3d8;
using Qel::Color;
using Qel::D3DDisplayDevice;
using Qel::PixelFormat;
using Qel::Point2;
using Qel::Rect;

// The blend the stand-in's sprite draw promises, per channel.
uint8_t Blend(uint8_t source, uint8_t destination, uint8_t alpha) {
  if (alpha == 0) return destination;
  if (alpha == 255) return source;
  return static_cast<uint8_t>((source * alpha + destination * (255 - alpha) + 127) / 255);
}

// A channel stored in bits of a format and read back widened, as the back buffer holds it.
uint8_t Through(uint8_t value, int bits) {
  const int kept = value >> (8 - bits);
  int widened = kept << (8 - bits);
  for (int shift = 8 - 2 * bits; shift > -bits; shift -= bits) {
    widened |= shift >= 0 ? kept << shift : kept >> -shift;
  }
  return static_cast<uint8_t>(widened);
}

// A channel as the test reads it back from a 16-bit back buffer: its top bits, unpacked by the engine.
uint8_t Read16(uint8_t value, int bits) {
  const uint32_t kept = value >> (8 - bits);
  Color read;
  read.Unpack(Qel::kPixelFormatR5G6B5, bits == 6 ? kept << 5 : kept << 11);
  return bits == 6 ? read.Green() : read.Red();
}

class D3DDevice : public testing::Test {
protected:
  void SetUp() override {
    d3d::ResetAdapterProfile();
    direct3D = d3d::Direct3DCreate8(d3d::D3D_SDK_VERSION);
    ASSERT_NE(direct3D, nullptr);
    parameters.direct3D = direct3D;
    Qel::D3DSurface::RegisterSurfaceOps();
    Qel::D3DTexture::RegisterSurfaceOps();
  }
  void TearDown() override {
    Qel::D3DSurface::UnregisterSurfaceOps();
    Qel::D3DTexture::UnregisterSurfaceOps();
    device.reset();
    if (direct3D) direct3D->Release();
  }

  void Open(const PixelFormat& format, bool fullScreen = false) {
    device = std::make_unique<D3DDisplayDevice>();
    ASSERT_EQ(device->Open(800, 600, format, fullScreen, &parameters), 0);
  }
  Qel::D3DBackBuffer& BackBuffer() { return static_cast<Qel::D3DBackBuffer&>(*device->GetBackBuffer()); }

  // The back buffer's pixel as A8R8G8B8 channels.
  Color PixelAt(int x, int y) {
    Qel::DrawingSurface& back = BackBuffer();
    const PixelFormat format = back.GetPixelFormat();
    int pitch = 0;
    const Rect one(x, y, x + 1, y + 1);
    const uint8_t* bits = back.Lock(&one, pitch, Qel::DrawingSurface::kLockRead);
    EXPECT_NE(bits, nullptr);
    uint32_t value = 0;
    if (bits) {
      for (int i = 0; i < format.GetBytesPerPixel(); ++i) value |= uint32_t{bits[i]} << (8 * i);
    }
    back.Unlock();
    Color color;
    color.Unpack(format, value);
    return color;
  }

  std::unique_ptr<Qel::DrawingSurface> Make(const std::vector<uint32_t>& argb, int width, int height,
                                            int kind, const Color* key = nullptr) {
    Qel::DrawingSurface* surface = device->CreateSurfaceFromPixels(argb.data(), width, height, width * 4,
                                                                   Qel::kPixelFormatA8R8G8B8, kind, key);
    EXPECT_NE(surface, nullptr);
    return std::unique_ptr<Qel::DrawingSurface>(surface);
  }

  void Clear(const Color& color) { ASSERT_EQ(device->FillRect(nullptr, color), 0); }

  d3d::IDirect3D8* direct3D = nullptr;
  Qel::D3DDeviceParameters parameters;
  std::unique_ptr<D3DDisplayDevice> device;
};

void ExpectRgb(const Color& actual, int r, int g, int b, const char* where) {
  EXPECT_EQ(actual.Red(), r) << where;
  EXPECT_EQ(actual.Green(), g) << where;
  EXPECT_EQ(actual.Blue(), b) << where;
}

TEST(D3DFormatTables, MapBothWaysAndRefuseWhatIsNotInThem) {
  struct Case {
    PixelFormat format;
    uint32_t code;
  };
  const Case cases[] = {{Qel::kPixelFormatIndexed8, 41}, {Qel::kPixelFormatX1R5G5B5, 24},
                        {Qel::kPixelFormatA1R5G5B5, 25}, {Qel::kPixelFormatR5G6B5, 23},
                        {Qel::kPixelFormatA4R4G4B4, 26}, {Qel::kPixelFormatR8G8B8, 20},
                        {Qel::kPixelFormatX8R8G8B8, 22}, {Qel::kPixelFormatA8R8G8B8, 21}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(Qel::D3DFormatFromPixelFormat(c.format), c.code);
    EXPECT_EQ(Qel::PixelFormatFromD3DFormat(c.code), c.format);
  }
  EXPECT_EQ(Qel::D3DFormatFromPixelFormat(PixelFormat(16, 0xF800, 0x07E0, 0x001F, 1)), 0u);
  EXPECT_EQ(Qel::D3DFormatFromPixelFormat(Qel::kPixelFormatNone), 0u);
  for (const uint32_t code : {0u, 19u, 27u, 50u})
    EXPECT_EQ(Qel::PixelFormatFromD3DFormat(code), Qel::kPixelFormatNone);
}

TEST_F(D3DDevice, OpensOnceAndMapsCreationFailures) {
  Open(Qel::kPixelFormatX8R8G8B8);
  EXPECT_EQ(device->GetWidth(), 800);
  EXPECT_EQ(device->GetPixelFormat(), Qel::kPixelFormatX8R8G8B8);
  d3d::IDirect3DDevice8* first = device->GetD3DDevice();
  EXPECT_EQ(device->Open(800, 600, Qel::kPixelFormatX8R8G8B8, false, &parameters), 1);
  EXPECT_EQ(device->GetD3DDevice(), first) << "the first device stays";
  EXPECT_EQ(device->GetCapabilities(), 3u);
  device.reset();

  struct Case {
    d3d::HRESULT created;
    int result;
  };
  for (const Case& c :
       {Case{d3d::D3DERR_OUTOFVIDEOMEMORY, 2}, Case{d3d::D3DERR_NOTAVAILABLE, 101}, Case{d3d::E_FAIL, 1}}) {
    d3d::GetAdapterProfile().createDeviceResult = c.created;
    D3DDisplayDevice fresh;
    EXPECT_EQ(fresh.Open(800, 600, Qel::kPixelFormatR5G6B5, true, &parameters), c.result);
    EXPECT_EQ(fresh.GetBackBuffer(), nullptr);
  }
  d3d::ResetAdapterProfile();
  d3d::GetAdapterProfile().createSpriteResult = d3d::E_OUTOFMEMORY;
  D3DDisplayDevice noSprite;
  EXPECT_EQ(noSprite.Open(800, 600, Qel::kPixelFormatR5G6B5, true, &parameters), -1);
  D3DDisplayDevice noRecord;
  EXPECT_EQ(noRecord.Open(800, 600, Qel::kPixelFormatR5G6B5, true, nullptr), 1);
  EXPECT_EQ(noRecord.FillRect(nullptr, Color(0, 0, 0, 255)), 102);
  EXPECT_EQ(noRecord.BeginFrame(), 102);
  EXPECT_EQ(noRecord.SetGamma(1, 1, 1), 102);
}

TEST_F(D3DDevice, FullScreenOpensTheSixteenBitBackBuffer) {
  Open(Qel::kPixelFormatR5G6B5, true);
  EXPECT_EQ(device->GetPixelFormat(), Qel::kPixelFormatR5G6B5);
}

TEST_F(D3DDevice, SurfaceKindsAndTheLastError) {
  Qel::ClearLastDisplayError();
  D3DDisplayDevice closed;
  EXPECT_EQ(closed.CreateSurface(4, 4, Qel::kPixelFormatR5G6B5, 0), nullptr);
  EXPECT_EQ(Qel::GetLastDisplayError(), 102);
  Open(Qel::kPixelFormatX8R8G8B8);
  for (const int kind : {1, 2, 5}) {
    Qel::ClearLastDisplayError();
    EXPECT_EQ(device->CreateSurface(4, 4, Qel::kPixelFormatR5G6B5, kind), nullptr);
    EXPECT_EQ(Qel::GetLastDisplayError(), 1) << kind;
  }
  std::unique_ptr<Qel::DrawingSurface> texture(device->CreateSurface(100, 50, Qel::kPixelFormatA8R8G8B8, 0));
  ASSERT_NE(dynamic_cast<Qel::D3DTexture*>(texture.get()), nullptr);
  EXPECT_EQ(texture->GetWidth(), 100);
  EXPECT_EQ(texture->GetHeight(), 50);
  std::unique_ptr<Qel::DrawingSurface> image(device->CreateSurface(7, 3, Qel::kPixelFormatR5G6B5, 3));
  ASSERT_NE(dynamic_cast<Qel::D3DSurface*>(image.get()), nullptr);
  EXPECT_EQ(image->GetPixelFormat(), Qel::kPixelFormatR5G6B5);
  Qel::ClearLastDisplayError();
  d3d::GetAdapterProfile().memoryBytes = 1;
  EXPECT_EQ(device->CreateSurface(64, 64, Qel::kPixelFormatA8R8G8B8, 0), nullptr);
  EXPECT_EQ(Qel::GetLastDisplayError(), 2);
}

TEST_F(D3DDevice, GammaRampsAreRoundedAndHeldWithinSixteenBits) {
  Open(Qel::kPixelFormatX8R8G8B8);
  struct Case {
    float gain;
    uint16_t entry1;
    uint16_t entry128;
    uint16_t entry255;
  };
  for (const Case& c : {Case{1.0f, 257, 32896, 65535}, Case{0.5f, 129, 16448, 32768},
                        Case{2.0f, 514, 65535, 65535}, Case{-1.0f, 0, 0, 0}}) {
    SCOPED_TRACE(c.gain);
    ASSERT_EQ(device->SetGamma(c.gain, c.gain, c.gain), 0);
    d3d::D3DGAMMARAMP ramp;
    device->GetD3DDevice()->GetGammaRamp(&ramp);
    EXPECT_EQ(ramp.red[0], 0);
    EXPECT_EQ(ramp.red[1], c.entry1);
    EXPECT_EQ(ramp.green[128], c.entry128);
    EXPECT_EQ(ramp.blue[255], c.entry255);
  }
}

TEST_F(D3DDevice, CursorImagesAreFittedToTheDevicesSizes) {
  Open(Qel::kPixelFormatX8R8G8B8);
  struct Case {
    int width;
    int height;
    int kind;
    int result;
  };
  for (const Case& c :
       {Case{40, 20, 0, 0}, Case{32, 32, 3, 0}, Case{64, 64, 3, 0}, Case{65, 10, 0, 1}, Case{10, 65, 3, 1}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const std::vector<uint32_t> pixels(static_cast<size_t>(c.width * c.height), 0xFF00FF00u);
    auto image = Make(pixels, c.width, c.height, c.kind);
    EXPECT_EQ(device->SetCursorImage(image.get(), Point2(1, 1)), c.result);
  }
  EXPECT_EQ(device->SetCursorImage(nullptr, Point2(0, 0)), 1);
}

TEST_F(D3DDevice, ALostDeviceSkipsFramesAndAResetDrawsAgain) {
  Open(Qel::kPixelFormatX8R8G8B8);
  ASSERT_EQ(device->BeginFrame(), 0);
  ASSERT_EQ(device->EndFrame(), 0);
  Qel::DrawingSurface* before = device->GetBackBuffer();
  d3d::MakeDeviceLost();
  EXPECT_EQ(device->BeginFrame(), 102);
  EXPECT_EQ(device->BeginFrame(), 102);
  EXPECT_EQ(device->GetBackBuffer(), before) << "a lost device keeps its back buffer until the reset";

  // A reset whose rebuild fails draws nothing, and the next frame builds the back buffer again.
  d3d::MakeDeviceReadyForReset();
  d3d::GetAdapterProfile().createSpriteResult = d3d::E_OUTOFMEMORY;
  EXPECT_EQ(device->BeginFrame(), 102);
  EXPECT_EQ(device->GetBackBuffer(), nullptr);
  EXPECT_EQ(device->BeginFrame(), 102);
  d3d::GetAdapterProfile().createSpriteResult = d3d::D3D_OK;
  ASSERT_EQ(device->BeginFrame(), 0);
  ASSERT_NE(device->GetBackBuffer(), nullptr);
  Clear(Color(10, 20, 30, 255));
  ExpectRgb(PixelAt(5, 5), 10, 20, 30, "after the reset");
  EXPECT_EQ(device->EndFrame(), 0);
  EXPECT_EQ(device->Present(), 0);
}

// Alpha, keys, clipping and scaling onto both back-buffer formats, against the blend computed here.
class D3DDraws : public D3DDevice, public testing::WithParamInterface<bool> {};

TEST_P(D3DDraws, TexturesBlendKeyClipAndScale) {
  const bool sixteen = GetParam();
  Open(sixteen ? Qel::kPixelFormatR5G6B5 : Qel::kPixelFormatX8R8G8B8, sixteen);
  // The device blends onto its stored channels widened, and keeps the top bits of the result.
  const auto held = [&](uint8_t v, int bits16) { return sixteen ? Through(v, bits16) : v; };
  const auto read = [&](uint8_t v, int bits16) { return sixteen ? Read16(v, bits16) : v; };
  const uint8_t hr = held(200, 5), hg = held(100, 6), hb = held(40, 5);
  const uint8_t dr = read(200, 5), dg = read(100, 6), db = read(40, 5);
  Clear(Color(200, 100, 40, 255));
  ASSERT_EQ(device->BeginFrame(), 0);
  // One pixel each: half-transparent blue, opaque red, transparent, and the key colour magenta.
  const std::vector<uint32_t> pixels = {0x800000FFu, 0xFFFF0000u, 0x00FFFFFFu, 0xFFFF00FFu};
  const Color magenta(255, 0, 255, 255);
  auto texture = Make(pixels, 4, 1, 0, &magenta);
  Qel::DrawingSurface& back = BackBuffer();
  ASSERT_EQ(texture->BlitTo(&back, Point2(10, 10)), 0);
  ExpectRgb(PixelAt(10, 10), read(Blend(0, hr, 128), 5), read(Blend(0, hg, 128), 6),
            read(Blend(255, hb, 128), 5), "half alpha");
  ExpectRgb(PixelAt(11, 10), 255, 0, 0, "opaque");
  ExpectRgb(PixelAt(12, 10), dr, dg, db, "transparent");
  ExpectRgb(PixelAt(13, 10), dr, dg, db, "keyed");
  // Off the right edge: what lies inside is drawn, nothing else is touched.
  ASSERT_EQ(texture->BlitTo(&back, Point2(798, 0)), 0);
  ExpectRgb(PixelAt(799, 0), 255, 0, 0, "clipped");

  // 100 x 50 into 200 x 200: twice across, four times down.
  std::vector<uint32_t> big(100 * 50, 0xFF00FF00u);
  big[0] = 0xFFFFFFFFu;
  auto scaled = Make(big, 100, 50, 0);
  const Rect into(100, 100, 300, 300);
  ASSERT_EQ(scaled->BlitRectTo(&back, nullptr, &into), 0);
  ExpectRgb(PixelAt(101, 103), 255, 255, 255, "the first pixel covers 2 x 4");
  ExpectRgb(PixelAt(102, 100), 0, 255, 0, "the second starts two across");
  ExpectRgb(PixelAt(100, 104), 0, 255, 0, "the second row starts four down");
  ExpectRgb(PixelAt(299, 299), 0, 255, 0, "the far corner");
  ExpectRgb(PixelAt(300, 300), dr, dg, db, "outside");
  // An empty source or destination draws nothing and is no failure.
  const Rect empty(5, 5, 5, 5);
  EXPECT_EQ(BackBuffer().DrawTexture(static_cast<Qel::D3DTexture&>(*scaled), &empty, nullptr), 0);
  EXPECT_EQ(BackBuffer().DrawTexture(static_cast<Qel::D3DTexture&>(*scaled), nullptr, &empty), 0);
  EXPECT_EQ(device->EndFrame(), 0);
}

TEST_P(D3DDraws, LargeSurfacesGoThroughTheScratchTextureInTiles) {
  const bool sixteen = GetParam();
  Open(sixteen ? Qel::kPixelFormatR5G6B5 : Qel::kPixelFormatX8R8G8B8, sixteen);
  Clear(Color(0, 0, 0, 255));
  ASSERT_EQ(device->BeginFrame(), 0);
  // 600 x 700, each pixel coded by its place; red and green are multiples of 8 so both formats keep them.
  std::vector<uint32_t> pixels(600 * 700);
  for (int y = 0; y < 700; ++y) {
    for (int x = 0; x < 600; ++x) {
      pixels[static_cast<size_t>(y * 600 + x)] =
          0xFF000000u | (uint32_t((x / 8) % 32 * 8) << 16) | (uint32_t((y / 4) % 64 * 4) << 8);
    }
  }
  const Color magenta(255, 0, 255, 255);
  auto image = Make(pixels, 600, 700, 3, &magenta);  // a key keeps it off the straight copy
  ASSERT_EQ(image->BlitTo(&BackBuffer(), Point2(100, 0)), 0);
  const auto read = [&](uint8_t v, int bits16) { return sixteen ? Read16(v, bits16) : v; };
  // Each tile's corners: 512 x 512, 512 x 188 (cut at the screen), 88 x 512 and 88 x 188.
  for (const Point2 p : {Point2(0, 0), Point2(511, 511), Point2(0, 512), Point2(512, 0), Point2(520, 590),
                         Point2(599, 511), Point2(599, 599), Point2(40, 599)}) {
    SCOPED_TRACE(testing::Message() << p.X() << "," << p.Y());
    const uint32_t expected = pixels[static_cast<size_t>(p.Y() * 600 + p.X())];
    ExpectRgb(PixelAt(100 + p.X(), p.Y()), read(static_cast<uint8_t>(expected >> 16), 5),
              read(static_cast<uint8_t>(expected >> 8), 6), 0, "tile pixel");
  }
  ExpectRgb(PixelAt(99, 0), 0, 0, 0, "left of the image");
  EXPECT_EQ(device->EndFrame(), 0);
}

TEST_P(D3DDraws, ShapesColourOnlyThePixelsTheyDraw) {
  const bool sixteen = GetParam();
  Open(sixteen ? Qel::kPixelFormatR5G6B5 : Qel::kPixelFormatX8R8G8B8, sixteen);
  Clear(Color(255, 255, 255, 255));
  ASSERT_EQ(device->BeginFrame(), 0);
  Qel::D3DBackBuffer& back = BackBuffer();
  const Color black(0, 0, 0, 255);
  const Color red(255, 0, 0, 255);
  // A line from (10, 10) to (20, 10): its box is 11 x 1 at (10, 10).
  ASSERT_EQ(back.DrawLine(Point2(10, 10), Point2(20, 10), 1, black), 0);
  ExpectRgb(PixelAt(10, 10), 0, 0, 0, "line start");
  ExpectRgb(PixelAt(19, 10), 0, 0, 0, "line");
  ExpectRgb(PixelAt(20, 10), 255, 255, 255, "GDI leaves a line's last point out");
  ExpectRgb(PixelAt(15, 11), 255, 255, 255, "below the line");
  // A black outline leaves the corners of its ellipse's box untouched.
  const Rect box(100, 100, 141, 141);
  ASSERT_EQ(back.DrawEllipse(&box, 1, black, red), 0);
  ExpectRgb(PixelAt(100, 100), 255, 255, 255, "box corner");
  ExpectRgb(PixelAt(120, 120), 255, 0, 0, "inside");
  ExpectRgb(PixelAt(120, 100), 0, 0, 0, "outline");
  const Rect square(200, 200, 210, 210);
  ASSERT_EQ(back.DrawRectangle(&square, 1, red, black), 0);
  ExpectRgb(PixelAt(200, 200), 255, 0, 0, "frame");
  ExpectRgb(PixelAt(205, 205), 0, 0, 0, "black fill");
  const Point2 triangle[] = {Point2(300, 300), Point2(320, 300), Point2(300, 320)};
  ASSERT_EQ(back.DrawPolygon(triangle, 3, 1, red, red), 0);
  ExpectRgb(PixelAt(305, 305), 255, 0, 0, "polygon");
  // Shapes far larger than the screen are clipped to it.
  const Rect huge(-100000, -100000, 100000, 100000);
  EXPECT_EQ(back.DrawRectangle(&huge, 1, red, red), 0);
  ExpectRgb(PixelAt(799, 599), 255, 0, 0, "huge");

  const Point2 one[] = {Point2(1, 1)};
  EXPECT_EQ(back.DrawPolyline(one, 1, 1, black), 1);
  EXPECT_EQ(back.DrawPolyline(nullptr, 2, 1, black), 1);
  EXPECT_EQ(back.DrawPolygon(triangle, 2, 1, black, black), 1);
  EXPECT_EQ(device->EndFrame(), 0);
}

INSTANTIATE_TEST_SUITE_P(BackBuffers, D3DDraws, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "FullScreenR5G6B5" : "WindowedX8R8G8B8";
                         });

TEST_F(D3DDevice, KeyedSurfaceBlitsPackTheKeyForTheComparison) {
  Open(Qel::kPixelFormatX8R8G8B8);
  Clear(Color(0, 0, 255, 255));
  ASSERT_EQ(device->BeginFrame(), 0);
  const std::vector<uint32_t> pixels = {0xFFFF00FFu, 0xFF00FF00u};
  auto image = Make(pixels, 2, 1, 3);
  // A key packed for the surface's own 32-bit format, as a text box sets it, still keys the magenta.
  Color key;
  Color(255, 0, 255, 255).ConvertTo(key, Qel::kPixelFormatX8R8G8B8);
  image->SetColorKey(key);
  ASSERT_EQ(image->BlitTo(&BackBuffer(), Point2(0, 0)), 0);
  ExpectRgb(PixelAt(0, 0), 0, 0, 255, "keyed");
  ExpectRgb(PixelAt(1, 0), 0, 255, 0, "drawn");
  // Unkeyed and opaque, the same surface is copied straight and shows both.
  image->SetColorKey(Color::TransparentBlack(Qel::kPixelFormatA8R8G8B8));
  std::unique_ptr<Qel::DrawingSurface> opaque(device->CreateSurface(2, 1, Qel::kPixelFormatX8R8G8B8, 3));
  ASSERT_EQ(image->CopyTo(opaque.get(), Point2(0, 0)), 0);
  ASSERT_EQ(opaque->BlitTo(&BackBuffer(), Point2(0, 1)), 0);
  ExpectRgb(PixelAt(0, 1), 255, 0, 255, "copied");
  EXPECT_EQ(device->EndFrame(), 0);
}

TEST(D3DLockFlags, ReadAloneLocksReadOnly) {
  EXPECT_EQ(Qel::D3DLockFlags(1), d3d::D3DLOCK_READONLY);
  for (const uint32_t flags : {0u, 2u, 3u}) EXPECT_EQ(Qel::D3DLockFlags(flags), 0u) << flags;
}

// A 2 x 1 bitmap of 24 bits, bottom-up: red, then magenta, which the key leaves out.
std::vector<uint8_t> TwoPixelBitmap() {
  std::vector<uint8_t> file = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                               2,   0,   0,  0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 8, 0,
                               0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0};
  for (const uint8_t byte : {0, 0, 255, 255, 0, 255, 0, 0}) file.push_back(byte);
  return file;
}

TEST_F(D3DDevice, ImageDataBecomesAnImageSurfaceInItsOwnFormat) {
  Qel::ClearLastDisplayError();
  D3DDisplayDevice closed;
  const std::vector<uint8_t> file = TwoPixelBitmap();
  EXPECT_EQ(closed.CreateSurfaceFromImageData(file.data(), static_cast<uint32_t>(file.size()), 0, nullptr),
            nullptr);
  EXPECT_EQ(Qel::GetLastDisplayError(), 102);
  Open(Qel::kPixelFormatX8R8G8B8);
  const Color magenta(255, 0, 255, 255);
  std::unique_ptr<Qel::DrawingSurface> image(
      device->CreateSurfaceFromImageData(file.data(), static_cast<uint32_t>(file.size()), 0, &magenta));
  ASSERT_NE(dynamic_cast<Qel::D3DSurface*>(image.get()), nullptr);
  EXPECT_EQ(image->GetWidth(), 2);
  EXPECT_EQ(image->GetHeight(), 1);
  Clear(Color(0, 0, 255, 255));
  ASSERT_EQ(device->BeginFrame(), 0);
  ASSERT_EQ(image->BlitTo(device->GetBackBuffer(), Point2(0, 0)), 0);
  ExpectRgb(PixelAt(0, 0), 255, 0, 0, "red");
  ExpectRgb(PixelAt(1, 0), 0, 0, 255, "keyed");
  EXPECT_EQ(device->EndFrame(), 0);
  const uint8_t junk[] = {'P', 'N', 'G', 0};
  Qel::ClearLastDisplayError();
  EXPECT_EQ(device->CreateSurfaceFromImageData(junk, sizeof(junk), 0, nullptr), nullptr);
  EXPECT_EQ(Qel::GetLastDisplayError(), 1);
  EXPECT_EQ(device->CreateSurfaceFromImageFile("no such file.bmp", 0, nullptr), nullptr);
  EXPECT_EQ(Qel::GetLastDisplayError(), 1);
}

// The 16-bit back buffer's pixels, row by row.
std::vector<uint16_t> Pixels16(Qel::DrawingSurface& back, const Rect& area) {
  std::vector<uint16_t> out;
  int pitch = 0;
  const uint8_t* bits = back.Lock(pitch, Qel::DrawingSurface::kLockRead);
  EXPECT_NE(bits, nullptr);
  if (!bits) return out;
  for (int y = area.Top(); y < area.Bottom(); ++y) {
    const auto* row = reinterpret_cast<const uint16_t*>(bits + static_cast<ptrdiff_t>(y) * pitch);
    out.insert(out.end(), row + area.Left(), row + area.Right());
  }
  back.Unlock();
  return out;
}

// Opaque and keyed images come out the same through both devices; only alpha blends differ, since SDL
// 1.2 blends its own way.
TEST_F(D3DDevice, OpaqueAndKeyedDrawsMatchTheSDLDevice) {
  Qel::SDLSurface::RegisterSurfaceOps();
  Qel::SDLDisplayDevice sdl;
  const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
  ASSERT_EQ(sdl.Open(800, 600, Qel::kPixelFormatR5G6B5, false, &mode), 0);
  ASSERT_EQ(sdl.GetPixelFormat(), Qel::kPixelFormatR5G6B5);
  Open(Qel::kPixelFormatR5G6B5, true);

  std::vector<uint32_t> pixels(40 * 30);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = i % 7 == 0 ? 0xFFFF00FFu : 0xFF000000u | static_cast<uint32_t>(i * 2654435761u & 0xFFFFFFu);
  }
  const Color magenta(255, 0, 255, 255);
  const Rect area(0, 0, 200, 100);
  std::vector<std::vector<uint16_t>> pictures;
  for (Qel::DisplayDevice* display :
       {static_cast<Qel::DisplayDevice*>(&sdl), static_cast<Qel::DisplayDevice*>(device.get())}) {
    for (const int kind : {0, 3}) {
      ASSERT_EQ(display->FillRect(nullptr, Color(0, 128, 255, 255)), 0);
      ASSERT_EQ(display->BeginFrame(), 0);
      std::unique_ptr<Qel::DrawingSurface> opaque(display->CreateSurfaceFromPixels(
          pixels.data(), 40, 30, 160, Qel::kPixelFormatA8R8G8B8, kind, nullptr));
      std::unique_ptr<Qel::DrawingSurface> keyed(display->CreateSurfaceFromPixels(
          pixels.data(), 40, 30, 160, Qel::kPixelFormatA8R8G8B8, kind, &magenta));
      ASSERT_NE(opaque, nullptr);
      ASSERT_NE(keyed, nullptr);
      ASSERT_EQ(opaque->BlitTo(display->GetBackBuffer(), Point2(3, 4)), 0);
      ASSERT_EQ(keyed->BlitTo(display->GetBackBuffer(), Point2(60, 50)), 0);
      ASSERT_EQ(display->EndFrame(), 0);
      pictures.push_back(Pixels16(*display->GetBackBuffer(), area));
    }
  }
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_EQ(pictures[0], pictures[1]) << "both SDL kinds";
  EXPECT_TRUE(pictures[2] == pictures[0]) << "Direct3D textures as SDL";
  EXPECT_TRUE(pictures[3] == pictures[0]) << "Direct3D image surfaces as SDL";
  Qel::SDLSurface::UnregisterSurfaceOps();
}

}  // namespace
