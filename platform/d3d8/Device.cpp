// The software device. Frames are shown by converting the back buffer into SDL's video surface.
#include "platform/d3d8/Device.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/Blend.h"
#include "platform/d3d8/Direct3D.h"
#include "platform/d3d8/PixelCodec.h"
#include "platform/d3d8/Texture.h"

namespace plat::d3d8 {

AdapterCounters& MutableAdapterCounters();

namespace {

// The SDL video surface's pixel of an A8R8G8B8 value.
uint32_t ToScreen(const SDL_PixelFormat* f, uint32_t argb) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  if (f->BytesPerPixel == 1) return SDL_MapRGB(const_cast<SDL_PixelFormat*>(f), r, g, b);
  return ((r >> f->Rloss) << f->Rshift) | ((g >> f->Gloss) << f->Gshift) | ((b >> f->Bloss) << f->Bshift);
}

uint32_t FromScreen(const SDL_PixelFormat* f, uint32_t pixel) {
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(pixel, const_cast<SDL_PixelFormat*>(f), &r, &g, &b);
  return 0xFF000000u | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

uint32_t LoadScreenPixel(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  if (bytes == 3)
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
  std::memcpy(&v, p, static_cast<size_t>(bytes));
  return v;
}

void StoreScreenPixel(uint8_t* p, int bytes, uint32_t v) {
  if (bytes == 3) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    return;
  }
  std::memcpy(p, &v, static_cast<size_t>(bytes));
}

bool SameAsScreen(const SDL_PixelFormat* f, D3DFORMAT format) {
  if (format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8) {
    return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u && f->Bmask == 0xFFu;
  }
  if (format == D3DFMT_R5G6B5) {
    return f->BytesPerPixel == 2 && f->Rmask == 0xF800u && f->Gmask == 0x07E0u && f->Bmask == 0x001Fu;
  }
  if (format == D3DFMT_X1R5G5B5) {
    return f->BytesPerPixel == 2 && f->Rmask == 0x7C00u && f->Gmask == 0x03E0u && f->Bmask == 0x001Fu;
  }
  return false;
}

bool VideoModeSet() {
  return SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetVideoSurface() != nullptr;
}

}  // namespace

Device::Device(Direct3D* direct3D, const D3DDEVICE_CREATION_PARAMETERS& creation,
               const D3DPRESENT_PARAMETERS& parameters)
    : m_direct3D(direct3D),
      m_creation(creation),
      m_parameters(parameters),
      m_backBuffer(
          new Surface(this, Surface::Owner::kDevice, nullptr, D3DPOOL_DEFAULT, D3DUSAGE_RENDERTARGET)) {
  m_direct3D->AddRef();
  for (int i = 0; i < 256; ++i) {
    m_ramp.red[i] = m_ramp.green[i] = m_ramp.blue[i] = static_cast<WORD>(i * 257);
  }
}

Device::~Device() {
  delete m_backBuffer;
  m_direct3D->Release();
}

HRESULT Device::Init() {
  return BackBufferImage().Allocate(m_parameters.BackBufferWidth, m_parameters.BackBufferHeight,
                                    m_parameters.BackBufferFormat, D3DERR_OUTOFVIDEOMEMORY);
}

ULONG Device::AddRef() {
  return ++m_references;
}

ULONG Device::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT Device::TestCooperativeLevel() {
  return GetAdapterProfile().cooperativeLevel;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* parameters) {
  if (!parameters) return D3DERR_INVALIDCALL;
  AdapterProfile& profile = GetAdapterProfile();
  if (profile.cooperativeLevel == D3DERR_DEVICELOST) return D3DERR_DEVICELOST;
  // The back buffer is made anew: nobody may keep the old one.
  if (m_backBuffer->References() != 0 || BackBufferImage().locked) return D3DERR_INVALIDCALL;
  if (FAILED(profile.resetResult)) return profile.resetResult;
  D3DPRESENT_PARAMETERS kept = *parameters;
  if (kept.Windowed && kept.BackBufferFormat == D3DFMT_UNKNOWN)
    kept.BackBufferFormat = profile.desktopMode.Format;
  if (!FindFormat(kept.BackBufferFormat) || kept.BackBufferWidth == 0 || kept.BackBufferHeight == 0) {
    return D3DERR_INVALIDCALL;
  }
  if (kept.BackBufferCount == 0) kept.BackBufferCount = 1;
  BackBufferImage().Free();
  const HRESULT made = BackBufferImage().Allocate(kept.BackBufferWidth, kept.BackBufferHeight,
                                                  kept.BackBufferFormat, D3DERR_OUTOFVIDEOMEMORY);
  if (FAILED(made)) return made;
  m_parameters = kept;
  *parameters = kept;
  m_inScene = false;
  profile.cooperativeLevel = D3D_OK;
  ++MutableAdapterCounters().resets;
  return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* caps) {
  return m_direct3D->GetDeviceCaps(m_creation.AdapterOrdinal, m_creation.DeviceType, caps);
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* mode) {
  if (!mode) return D3DERR_INVALIDCALL;
  if (m_parameters.Windowed) return m_direct3D->GetAdapterDisplayMode(0, mode);
  *mode =
      D3DDISPLAYMODE{m_parameters.BackBufferWidth, m_parameters.BackBufferHeight,
                     m_parameters.FullScreen_RefreshRateInHz ? m_parameters.FullScreen_RefreshRateInHz : 60,
                     m_parameters.BackBufferFormat};
  return D3D_OK;
}

HRESULT Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
  if (!parameters) return D3DERR_INVALIDCALL;
  *parameters = m_creation;
  return D3D_OK;
}

HRESULT Device::BeginScene() {
  if (m_inScene) return D3DERR_INVALIDCALL;
  m_inScene = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  if (!m_inScene) return D3DERR_INVALIDCALL;
  m_inScene = false;
  return D3D_OK;
}

HRESULT Device::Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                        const void* dirtyRegion) {
  if (sourceRect || destRect || destWindowOverride || dirtyRegion) return D3DERR_INVALIDCALL;
  if (GetAdapterProfile().cooperativeLevel != D3D_OK) return D3DERR_DEVICELOST;
  if (BackBufferImage().locked) return D3DERR_INVALIDCALL;
  if (VideoModeSet()) ShowOnScreen();
  ++MutableAdapterCounters().presents;
  return D3D_OK;
}

void Device::ShowOnScreen() {
  SDL_Surface* screen = SDL_GetVideoSurface();
  const Image& image = BackBufferImage();
  const SDL_PixelFormat* f = screen->format;
  if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
  const int width = std::min(image.Width(), screen->w);
  const int height = std::min(image.Height(), screen->h);
  const int bytes = f->BytesPerPixel;
  auto* pixels = static_cast<uint8_t*>(screen->pixels);
  if (SameAsScreen(f, image.Format())) {
    for (int y = 0; y < height; ++y) {
      std::memcpy(pixels + static_cast<size_t>(y) * screen->pitch, image.Row(y),
                  static_cast<size_t>(width) * bytes);
    }
  } else {
    // Headless SDL gives an 8-bit paletted screen, where mapping each pixel alone would search the
    // palette: one table per format pair keeps the present a lookup a pixel.
    const int sourceBytes = image.BytesPerPixel();
    const bool wide = sourceBytes > 2;
    const D3DFORMAT tableSource = wide ? D3DFMT_R5G6B5 : image.Format();
    uint64_t palette = 0;
    if (f->palette) {
      for (int i = 0; i < f->palette->ncolors; ++i) {
        const SDL_Color& c = f->palette->colors[i];
        palette = palette * 1099511628211ull + (static_cast<uint64_t>(c.r) << 16 | c.g << 8 | c.b) + 1;
      }
    }
    const bool useTable = !wide || bytes == 1;
    if (useTable && (m_tableScreenFormat != f || m_tableSource != tableSource || m_tablePalette != palette ||
                     m_screenTable.empty())) {
      const int entries = tableSource == D3DFMT_P8 ? 256 : 65536;
      m_screenTable.resize(static_cast<size_t>(entries));
      for (int v = 0; v < entries; ++v) {
        const uint8_t raw[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
        m_screenTable[static_cast<size_t>(v)] = ToScreen(f, DecodePixel(tableSource, raw, nullptr));
      }
      m_tableScreenFormat = f;
      m_tableSource = tableSource;
      m_tablePalette = palette;
    }
    std::vector<uint32_t> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
      const uint8_t* in = image.Row(y);
      if (!wide) {
        for (int x = 0; x < width; ++x) {
          const uint32_t key =
              sourceBytes == 1 ? in[x] : static_cast<uint32_t>(in[2 * x] | in[2 * x + 1] << 8);
          row[static_cast<size_t>(x)] = m_screenTable[key];
        }
      } else {
        DecodeRow(image.Format(), in, width, row.data(), nullptr);
        for (int x = 0; x < width; ++x) {
          const uint32_t v = row[static_cast<size_t>(x)];
          row[static_cast<size_t>(x)] =
              useTable ? m_screenTable[((v >> 19) & 31) << 11 | ((v >> 10) & 63) << 5 | ((v >> 3) & 31)]
                       : ToScreen(f, v);
        }
      }
      uint8_t* out = pixels + static_cast<size_t>(y) * screen->pitch;
      switch (bytes) {
        case 1:
          for (int x = 0; x < width; ++x) out[x] = static_cast<uint8_t>(row[static_cast<size_t>(x)]);
          break;
        case 2:
          for (int x = 0; x < width; ++x) {
            const uint16_t v = static_cast<uint16_t>(row[static_cast<size_t>(x)]);
            std::memcpy(out + 2 * x, &v, 2);
          }
          break;
        case 4:
          std::memcpy(out, row.data(), static_cast<size_t>(width) * 4);
          break;
        default:
          for (int x = 0; x < width; ++x)
            StoreScreenPixel(out + x * bytes, bytes, row[static_cast<size_t>(x)]);
          break;
      }
    }
  }
  // The cursor is laid over what is shown, never drawn into the back buffer.
  if (m_cursorShown && !m_cursor.empty()) {
    int mouseX = 0, mouseY = 0;
    SDL_GetMouseState(&mouseX, &mouseY);
    for (int cy = 0; cy < m_cursorHeight; ++cy) {
      const int y = mouseY - m_hotspotY + cy;
      if (y < 0 || y >= screen->h) continue;
      for (int cx = 0; cx < m_cursorWidth; ++cx) {
        const int x = mouseX - m_hotspotX + cx;
        if (x < 0 || x >= screen->w) continue;
        const uint32_t c = m_cursor[static_cast<size_t>(cy) * m_cursorWidth + cx];
        if ((c >> 24) == 0) continue;
        uint8_t* p = pixels + static_cast<size_t>(y) * screen->pitch + x * bytes;
        uint32_t under = FromScreen(f, LoadScreenPixel(p, bytes));
        uint8_t mixed[4];
        std::memcpy(mixed, &under, 4);
        BlendSpanScalar(D3DFMT_A8R8G8B8, reinterpret_cast<const uint8_t*>(&c), nullptr, D3DFMT_X8R8G8B8,
                        mixed, 1);
        std::memcpy(&under, mixed, 4);
        StoreScreenPixel(p, bytes, ToScreen(f, under));
      }
    }
  }
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  SDL_UpdateRect(screen, 0, 0, 0, 0);
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float /*z*/,
                      DWORD /*stencil*/) {
  if (count > 0 && !rects) return D3DERR_INVALIDCALL;
  Image& image = BackBufferImage();
  if (image.locked) return D3DERR_INVALIDCALL;
  if (!(flags & D3DCLEAR_TARGET)) return D3D_OK;
  const int bytes = image.BytesPerPixel();
  uint8_t pixel[4] = {};
  EncodePixel(image.Format(), color, pixel, nullptr);
  const D3DRECT whole{0, 0, image.Width(), image.Height()};
  for (DWORD i = 0; i < (count ? count : 1); ++i) {
    const D3DRECT& r = count ? rects[i] : whole;
    // Clear clips to the target, as the runtime does; what is left empty clears nothing.
    const RECT clipped{std::max<LONG>(r.x1, 0), std::max<LONG>(r.y1, 0), std::min<LONG>(r.x2, image.Width()),
                       std::min<LONG>(r.y2, image.Height())};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) continue;
    const int width = clipped.right - clipped.left;
    uint8_t* first = image.Row(clipped.top) + static_cast<size_t>(clipped.left) * bytes;
    for (int x = 0; x < width; ++x) std::memcpy(first + x * bytes, pixel, static_cast<size_t>(bytes));
    for (LONG y = clipped.top + 1; y < clipped.bottom; ++y) {
      std::memcpy(image.Row(y) + static_cast<size_t>(clipped.left) * bytes, first,
                  static_cast<size_t>(width) * bytes);
    }
    image.ClearMarks(clipped);
  }
  return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (index != 0 || type != D3DBACKBUFFER_TYPE_MONO) return D3DERR_INVALIDCALL;
  m_backBuffer->AddRef();
  *surface = m_backBuffer;
  return D3D_OK;
}

HRESULT Device::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  auto* made = new Surface(this, Surface::Owner::kSelf, nullptr, D3DPOOL_SYSTEMMEM, 0);
  const HRESULT result = made->GetImage().Allocate(width, height, format, E_OUTOFMEMORY);
  if (FAILED(result)) {
    made->Release();
    return result;
  }
  *surface = made;
  return D3D_OK;
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (levels > 1) return D3DERR_INVALIDCALL;
  const D3DCAPS8& caps = GetAdapterProfile().caps;
  if (width > caps.MaxTextureWidth || height > caps.MaxTextureHeight) return D3DERR_INVALIDCALL;
  auto* made = new Texture(this, pool, usage);
  const HRESULT result = made->Level().GetImage().Allocate(width, height, format, D3DERR_OUTOFVIDEOMEMORY);
  if (FAILED(result)) {
    made->Release();
    return result;
  }
  *texture = made;
  return D3D_OK;
}

HRESULT Device::CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                          IDirect3DSurface8* destination, const POINT* destPoints) {
  Surface* from = ToSurface(source);
  Surface* to = ToSurface(destination);
  if (!from || !to || from == to) return D3DERR_INVALIDCALL;
  Image& in = from->GetImage();
  Image& out = to->GetImage();
  if (in.Format() != out.Format() || in.locked || out.locked || in.Size() == 0 || out.Size() == 0) {
    return D3DERR_INVALIDCALL;
  }
  if (count > 0 && !sourceRects) return D3DERR_INVALIDCALL;
  const RECT whole{0, 0, in.Width(), in.Height()};
  const UINT n = count ? count : 1;
  // Every rectangle is checked before anything is copied, so a bad one leaves the surface untouched.
  for (UINT pass = 0; pass < 2; ++pass) {
    for (UINT i = 0; i < n; ++i) {
      const RECT& r = count ? sourceRects[i] : whole;
      const POINT at = destPoints ? destPoints[i] : (count ? POINT{r.left, r.top} : POINT{0, 0});
      if (pass == 0) {
        // The target is checked in 64 bits: a point near the end of the range must not wrap around.
        const int64_t right = int64_t{at.x} + (int64_t{r.right} - r.left);
        const int64_t bottom = int64_t{at.y} + (int64_t{r.bottom} - r.top);
        if (!RectInside(r, in.Width(), in.Height()) || at.x < 0 || at.y < 0 || right > out.Width() ||
            bottom > out.Height()) {
          return D3DERR_INVALIDCALL;
        }
        continue;
      }
      const RECT target{at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)};
      const int bytes = in.BytesPerPixel();
      const int width = r.right - r.left;
      for (LONG y = 0; y < r.bottom - r.top; ++y) {
        std::memcpy(out.Row(target.top + y) + static_cast<size_t>(target.left) * bytes,
                    in.Row(r.top + y) + static_cast<size_t>(r.left) * bytes,
                    static_cast<size_t>(width) * bytes);
        if (in.HasMarks()) {
          std::memcpy(out.MarkRowForWriting(target.top + y) + target.left, in.MarkRow(r.top + y) + r.left,
                      static_cast<size_t>(width));
        }
      }
      if (!in.HasMarks()) out.ClearMarks(target);
    }
  }
  return D3D_OK;
}

void Device::SetGammaRamp(DWORD /*flags*/, const D3DGAMMARAMP* ramp) {
  if (!ramp) return;
  m_ramp = *ramp;
  if (VideoModeSet()) {
    // A display that takes no ramp (the headless driver) keeps the one stored here for GetGammaRamp.
    Uint16 red[256], green[256], blue[256];
    std::memcpy(red, m_ramp.red, sizeof red);
    std::memcpy(green, m_ramp.green, sizeof green);
    std::memcpy(blue, m_ramp.blue, sizeof blue);
    SDL_SetGammaRamp(red, green, blue);
  }
}

void Device::GetGammaRamp(D3DGAMMARAMP* ramp) {
  if (ramp) *ramp = m_ramp;
}

HRESULT Device::SetCursorProperties(UINT hotspotX, UINT hotspotY, IDirect3DSurface8* image) {
  Surface* surface = ToSurface(image);
  if (!surface) return D3DERR_INVALIDCALL;
  const Image& pixels = surface->GetImage();
  const int w = pixels.Width(), h = pixels.Height();
  if (pixels.Format() != D3DFMT_A8R8G8B8 || (w != 32 && w != 64) || (h != 32 && h != 64) || pixels.locked ||
      hotspotX >= static_cast<UINT>(w) || hotspotY >= static_cast<UINT>(h)) {
    return D3DERR_INVALIDCALL;
  }
  m_cursor.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    std::memcpy(&m_cursor[static_cast<size_t>(y) * w], pixels.Row(y), static_cast<size_t>(w) * 4);
  m_cursorWidth = w;
  m_cursorHeight = h;
  m_hotspotX = static_cast<int>(hotspotX);
  m_hotspotY = static_cast<int>(hotspotY);
  return D3D_OK;
}

BOOL Device::ShowCursor(BOOL show) {
  const BOOL before = m_cursorShown ? TRUE : FALSE;
  m_cursorShown = show != FALSE;
  return before;
}

}  // namespace plat::d3d8
