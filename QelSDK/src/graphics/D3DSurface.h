// The Direct3D image surface: a drawing surface over one system-memory Direct3D surface, and the
// copies and blits between such surfaces, textures and the back buffer.
#pragma once

#include "graphics/DrawingSurface.h"
#include "platform/d3d8/IDirect3DSurface8.h"

namespace Qel {

class D3DSurface : public DrawingSurface {
public:
  // Takes over the reference; surface may be null (an empty image that refuses every operation).
  explicit D3DSurface(plat::d3d8::IDirect3DSurface8* surface);
  ~D3DSurface() override;

  // Registers its copies and blits: onto image surfaces, onto textures' level 0 and onto the back buffer.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  plat::d3d8::IDirect3DSurface8* GetD3DSurface() const { return m_surface; }
  // Releases the surface held before and takes over the reference to the new one.
  void SetD3DSurface(plat::d3d8::IDirect3DSurface8* surface);

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  // From the surface's description; 0 without a surface.
  int GetWidth() const override;
  int GetHeight() const override;
  // kPixelFormatNone without a surface or for a format outside the engine's table.
  void GetPixelFormat(PixelFormat& format) const override;
  // The key is kept as a colour: whoever uses it packs it for the format it compares in.
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override;
  // Read without write locks read-only. Null, with pitch 0, when the lock fails.
  uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override;

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

  // Copies S's pixels onto D unchanged in value (converted and scaled when formats or sizes differ);
  // blitting also leaves S's key colour out. 0 on success; 1 when either has no surface or no device is
  // reached, 102 without a device, -1 when the device refuses.
  static int CopySurface(const D3DSurface& source, const D3DSurface& destination, const Rect* sourceRect,
                         const Rect* destinationRect);
  static int BlitSurface(const D3DSurface& source, const D3DSurface& destination, const Rect* sourceRect,
                         const Rect* destinationRect);

private:
  plat::d3d8::IDirect3DSurface8* m_surface;
  Color m_colorKey;
};

// The lock flags of the drawing surfaces as Direct3D's: read without write is read-only.
uint32_t D3DLockFlags(uint32_t flags);
// A key as the utility library compares it: A8R8G8B8, 0 for no key.
uint32_t PackD3DColorKey(const Color& key);

}  // namespace Qel
