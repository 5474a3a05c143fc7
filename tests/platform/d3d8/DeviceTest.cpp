// The adapter and the device: the profile's desktop mode and each start-up check it can fail,
// lost and reset devices, frames shown through SDL, clears, gamma and the cursor.
#include <SDL.h>

#include <functional>

#include "D3D8Fixture.h"

namespace d3d8test {
namespace {

using DeviceTest = D3D8Test;

TEST_F(DeviceTest, TheDefaultAdapterPassesEveryStartUpCheck) {
  m_d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(m_d3d, nullptr);
  EXPECT_EQ(Direct3DCreate8(219), nullptr);
  D3DDISPLAYMODE mode;
  ASSERT_EQ(m_d3d->GetAdapterDisplayMode(0, &mode), D3D_OK);
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
  for (const D3DFORMAT f : kAllFormats) {
    EXPECT_EQ(m_d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, 0, D3DRTYPE_TEXTURE, f), D3D_OK) << f;
  }
  EXPECT_EQ(m_d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, 0, D3DRTYPE_TEXTURE, 50),
            D3DERR_NOTAVAILABLE);
  D3DCAPS8 caps;
  ASSERT_EQ(m_d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
  EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_HAL);
  EXPECT_TRUE(caps.Caps2 & D3DCAPS2_FULLSCREENGAMMA);
  EXPECT_FALSE(caps.Caps2 & D3DCAPS2_NO2DDURING3DSCENE);
  EXPECT_TRUE(caps.TextureCaps & D3DPTEXTURECAPS_ALPHA);
  EXPECT_FALSE(caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY);
  EXPECT_GE(caps.MaxTextureWidth, 800u);
  EXPECT_GE(caps.MaxTextureHeight, 600u);
  EXPECT_NE(caps.CursorCaps, 0u);
}

// Each check the start-up makes, failed by the profile.
TEST_F(DeviceTest, TheProfileFailsEachCheck) {
  struct Case {
    const char* what;
    std::function<void(AdapterProfile&)> change;
    std::function<bool(IDirect3D8*)> fails;
  };
  auto caps = [](IDirect3D8* d3d) {
    D3DCAPS8 c;
    d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &c);
    return c;
  };
  const Case cases[] = {
      {"texture format", [](AdapterProfile& p) { p.unsupportedFormats = {D3DFMT_A4R4G4B4}; },
       [](IDirect3D8* d) {
         return d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, 0, D3DRTYPE_TEXTURE,
                                     D3DFMT_A4R4G4B4) == D3DERR_NOTAVAILABLE;
       }},
      {"not hardware", [](AdapterProfile& p) { p.caps.DeviceType = D3DDEVTYPE_REF; },
       [&](IDirect3D8* d) { return caps(d).DeviceType != D3DDEVTYPE_HAL; }},
      {"no gamma", [](AdapterProfile& p) { p.caps.Caps2 &= ~D3DCAPS2_FULLSCREENGAMMA; },
       [&](IDirect3D8* d) { return !(caps(d).Caps2 & D3DCAPS2_FULLSCREENGAMMA); }},
      {"no 2-D in a scene", [](AdapterProfile& p) { p.caps.Caps2 |= D3DCAPS2_NO2DDURING3DSCENE; },
       [&](IDirect3D8* d) { return (caps(d).Caps2 & D3DCAPS2_NO2DDURING3DSCENE) != 0; }},
      {"no alpha", [](AdapterProfile& p) { p.caps.TextureCaps &= ~D3DPTEXTURECAPS_ALPHA; },
       [&](IDirect3D8* d) { return !(caps(d).TextureCaps & D3DPTEXTURECAPS_ALPHA); }},
      {"square only", [](AdapterProfile& p) { p.caps.TextureCaps |= D3DPTEXTURECAPS_SQUAREONLY; },
       [&](IDirect3D8* d) { return (caps(d).TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0; }},
      {"narrow", [](AdapterProfile& p) { p.caps.MaxTextureWidth = 512; },
       [&](IDirect3D8* d) { return caps(d).MaxTextureWidth < 800; }},
      {"low", [](AdapterProfile& p) { p.caps.MaxTextureHeight = 512; },
       [&](IDirect3D8* d) { return caps(d).MaxTextureHeight < 600; }},
      {"no device", [](AdapterProfile& p) { p.createDeviceResult = D3DERR_NOTAVAILABLE; },
       [](IDirect3D8* d) {
         D3DPRESENT_PARAMETERS pp{};
         pp.BackBufferWidth = 800, pp.BackBufferHeight = 600, pp.BackBufferFormat = D3DFMT_R5G6B5;
         IDirect3DDevice8* device = nullptr;
         const HRESULT result = d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &pp, &device);
         if (device) device->Release();
         return result == D3DERR_NOTAVAILABLE && !device;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetAdapterProfile();
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    EXPECT_FALSE(c.fails(d3d));
    c.change(GetAdapterProfile());
    EXPECT_TRUE(c.fails(d3d));
    d3d->Release();
  }
  ResetAdapterProfile();
  GetAdapterProfile().unavailable = true;
  EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION), nullptr);
}

TEST_F(DeviceTest, AWindowedDeviceTakesTheDesktopFormat) {
  Open(800, 600, D3DFMT_UNKNOWN);
  D3DSURFACE_DESC desc;
  ASSERT_EQ(m_backBuffer->GetDesc(&desc), D3D_OK);
  EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(desc.Width, 800u);
  D3DDISPLAYMODE mode;
  ASSERT_EQ(m_device->GetDisplayMode(&mode), D3D_OK);
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
}

// A lost device shows nothing and cannot be reset; once ready, a reset gives a new black back
// buffer, but only when nobody holds the old one.
TEST_F(DeviceTest, ALostDeviceRecoversThroughReset) {
  Open(32, 16, D3DFMT_R5G6B5, false);
  ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1, 0), D3D_OK);
  const unsigned presents = GetAdapterCounters().presents;
  EXPECT_EQ(m_device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  MakeDeviceLost();
  EXPECT_EQ(m_device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(m_device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  m_backBuffer->Release();
  m_backBuffer = nullptr;
  EXPECT_EQ(m_device->Reset(&m_parameters), D3DERR_DEVICELOST);
  MakeDeviceReadyForReset();
  EXPECT_EQ(m_device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  GetAdapterProfile().resetResult = D3DERR_OUTOFVIDEOMEMORY;
  EXPECT_EQ(m_device->Reset(&m_parameters), D3DERR_OUTOFVIDEOMEMORY);
  GetAdapterProfile().resetResult = D3D_OK;
  IDirect3DSurface8* held = nullptr;
  ASSERT_EQ(m_device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &held), D3D_OK);
  EXPECT_EQ(m_device->Reset(&m_parameters), D3DERR_INVALIDCALL);
  held->Release();
  EXPECT_EQ(m_device->Reset(&m_parameters), D3D_OK);
  EXPECT_EQ(m_device->TestCooperativeLevel(), D3D_OK);
  EXPECT_EQ(m_device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(GetAdapterCounters().presents, presents + 2);
  ASSERT_EQ(m_device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &m_backBuffer), D3D_OK);
  EXPECT_EQ(ReadPixels(m_backBuffer), std::vector<uint32_t>(32 * 16, 0));
}

// Textures and sprites hold their device: it goes only with the last of them.
TEST_F(DeviceTest, ResourcesKeepTheirDeviceAlive) {
  Open(8, 8, D3DFMT_X8R8G8B8);
  IDirect3DTexture8* t = MakeTexture(4, 4, D3DFMT_A8R8G8B8);
  ID3DXSprite* sprite = nullptr;
  ASSERT_EQ(D3DXCreateSprite(m_device, &sprite), D3D_OK);
  IDirect3DSurface8* level = Level(t);
  m_backBuffer->Release();
  m_backBuffer = nullptr;
  EXPECT_EQ(m_device->Release(), 2u);
  m_device = nullptr;
  EXPECT_EQ(sprite->Draw(t, nullptr, nullptr, nullptr, 0, nullptr, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(t->Release(), 1u);  // the level holds the texture
  IDirect3DDevice8* device = nullptr;
  ASSERT_EQ(level->GetDevice(&device), D3D_OK);
  EXPECT_EQ(device->Release(), 2u);
  EXPECT_EQ(level->Release(), 0u);
  EXPECT_EQ(sprite->Release(), 0u);
}

// Clear clips its rectangles to the back buffer; scenes do not nest.
TEST_F(DeviceTest, ClearsClipAndScenesDoNotNest) {
  Open(4, 3, D3DFMT_A4R4G4B4, false);
  const D3DRECT rects[] = {{-5, -5, 2, 1}, {3, 2, 99, 99}, {2, 2, 1, 3}};
  ASSERT_EQ(m_device->Clear(3, rects, D3DCLEAR_TARGET, 0xFF8844CC, 1, 0), D3D_OK);
  EXPECT_EQ(ReadPixels(m_backBuffer),
            (std::vector<uint32_t>{0xF84C, 0xF84C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF84C}));
  EXPECT_EQ(m_device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_device->BeginScene(), D3D_OK);
  EXPECT_EQ(m_device->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_device->EndScene(), D3D_OK);
  EXPECT_EQ(m_device->EndScene(), D3DERR_INVALIDCALL);
}

// Presenting converts the back buffer into SDL's video surface, with a shown cursor laid over it.
TEST_F(DeviceTest, PresentShowsTheBackBufferInTheSdlWindow) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  SDL_Surface* screen = SDL_SetVideoMode(16, 8, 32, SDL_SWSURFACE);
  ASSERT_NE(screen, nullptr);
  Open(16, 8, D3DFMT_R5G6B5, false);
  const D3DRECT left{0, 0, 8, 8};
  ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1, 0), D3D_OK);
  ASSERT_EQ(m_device->Clear(1, &left, D3DCLEAR_TARGET, 0xFFFF0000, 1, 0), D3D_OK);

  IDirect3DSurface8* cursor = nullptr;
  ASSERT_EQ(m_device->CreateImageSurface(32, 32, D3DFMT_A8R8G8B8, &cursor), D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(cursor->LockRect(&locked, nullptr, 0), D3D_OK);
  const uint32_t white = 0xFFFFFFFF;
  std::memcpy(locked.pBits, &white, 4);  // one opaque pixel at the hotspot
  cursor->UnlockRect();
  ASSERT_EQ(m_device->SetCursorProperties(0, 0, cursor), D3D_OK);
  IDirect3DSurface8* wrong = nullptr;
  ASSERT_EQ(m_device->CreateImageSurface(40, 20, D3DFMT_A8R8G8B8, &wrong), D3D_OK);
  EXPECT_EQ(m_device->SetCursorProperties(0, 0, wrong), D3DERR_INVALIDCALL);
  EXPECT_EQ(m_device->ShowCursor(TRUE), FALSE);
  EXPECT_EQ(m_device->ShowCursor(TRUE), TRUE);
  SDL_WarpMouse(12, 3);
  SDL_PumpEvents();
  int mx = 0, my = 0;
  SDL_GetMouseState(&mx, &my);

  ASSERT_EQ(m_device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  auto at = [&](int x, int y) {
    return SDL_MapRGB(screen->format, 0, 0, 0) |
           *reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(screen->pixels) +
                                              y * screen->pitch + x * 4);
  };
  EXPECT_EQ(at(0, 0), SDL_MapRGB(screen->format, 255, 0, 0));
  EXPECT_EQ(at(9, 7), SDL_MapRGB(screen->format, 0, 0, 255));
  if (mx == 12 && my == 3) {
    EXPECT_EQ(at(12, 3), SDL_MapRGB(screen->format, 255, 255, 255));
  }
  cursor->Release();
  wrong->Release();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Every screen depth SDL may give (the headless driver's own is 8 bits with a palette) shows each
// back-buffer format's colours.
TEST_F(DeviceTest, PresentConvertsToEveryScreenDepth) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  for (const int depth : {0, 8, 16, 24, 32}) {
    SDL_Surface* screen = SDL_SetVideoMode(8, 4, depth, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
    for (const D3DFORMAT format : kAllFormats) {
      SCOPED_TRACE(testing::Message() << "depth " << depth << ", format " << format);
      Open(8, 4, format, false);
      const D3DRECT left{0, 0, 4, 4};
      ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1, 0), D3D_OK);
      ASSERT_EQ(m_device->Clear(1, &left, D3DCLEAR_TARGET, 0xFF000000, 1, 0), D3D_OK);
      ASSERT_EQ(m_device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
      for (const int x : {1, 6}) {
        uint32_t raw = 0;
        const int bytes = screen->format->BytesPerPixel;
        std::memcpy(&raw, static_cast<const uint8_t*>(screen->pixels) + 2 * screen->pitch + x * bytes,
                    static_cast<size_t>(bytes));
        Uint8 r, g, b;
        SDL_GetRGB(raw, screen->format, &r, &g, &b);
        const int want = x == 1 ? 0 : 255;
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{want, want, want})) << "x " << x;
      }
      m_backBuffer->Release();
      m_backBuffer = nullptr;
      EXPECT_EQ(m_device->Release(), 0u);
      m_device = nullptr;
      EXPECT_EQ(m_d3d->Release(), 0u);
      m_d3d = nullptr;
    }
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(DeviceTest, TheGammaRampIsKept) {
  Open(8, 8, D3DFMT_X8R8G8B8);
  D3DGAMMARAMP ramp;
  m_device->GetGammaRamp(&ramp);
  EXPECT_EQ(ramp.red[255], 65535);
  EXPECT_EQ(ramp.blue[1], 257);
  for (int i = 0; i < 256; ++i) ramp.red[i] = ramp.green[i] = ramp.blue[i] = static_cast<WORD>(i * 128);
  m_device->SetGammaRamp(D3DSGR_NO_CALIBRATION, &ramp);
  D3DGAMMARAMP back;
  m_device->GetGammaRamp(&back);
  EXPECT_EQ(back.green[255], 255 * 128);
}

}  // namespace
}  // namespace d3d8test
