// The Direct3D texture: a drawing surface over one managed-pool texture, which the sprite object
// draws onto the back buffer.
#pragma once

#include "graphics/DrawingSurface.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace Qel {

class D3DTexture : public DrawingSurface {
public:
  // Takes over the reference. width and height are the image's; the texture may be larger.
  D3DTexture(plat::d3d8::IDirect3DTexture8* texture, int width, int height);
  ~D3DTexture() override;

  // Registers its copies and blits: level 0 onto image surfaces and textures, and the sprite draw onto
  // the back buffer.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  plat::d3d8::IDirect3DTexture8* GetD3DTexture() const { return m_texture; }
  // Releases the texture held before; the sizes change only with a texture that is not null.
  // Level 0 as a surface, with a reference for the caller; null without one.
  plat::d3d8::IDirect3DSurface8* GetLevelSurface() const;
  void SetD3DTexture(plat::d3d8::IDirect3DTexture8* texture, int width, int height);

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  // Level 0's allocated size; 0 when it cannot be read.
  int GetStorageWidth() const override;
  int GetStorageHeight() const override;
  void GetPixelFormat(PixelFormat& format) const override;
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override;
  uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override;
  // Level 0's pixels; null with pitch 0 when the lock fails.
  virtual uint8_t* LockLevel(const Rect* area, int& pitch, uint32_t flags);

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

private:
  plat::d3d8::IDirect3DTexture8* m_texture;
  int32_t m_width;
  int32_t m_height;
  Color m_colorKey;
};

}  // namespace Qel
