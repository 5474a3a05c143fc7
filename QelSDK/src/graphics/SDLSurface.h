// The SDL surface: a drawing surface over one SDL_Surface, blitted onto others through SDL.
#pragma once

#include "graphics/DrawingSurface.h"

struct SDL_Surface;

namespace Qel {

class SDLSurface : public DrawingSurface {
public:
  // Whether the wrapper frees the SDL_Surface: the video surface belongs to SDL and is only borrowed.
  enum class Ownership { kOwned, kBorrowed };

  // surface may be null: such a wrapper reports an empty image and refuses every operation.
  explicit SDLSurface(SDL_Surface* surface, Ownership ownership = Ownership::kOwned);
  ~SDLSurface() override;

  // The surface-pair operations of this class: a blit onto another SDL surface; there is no copy.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  SDL_Surface* GetSDLSurface() const { return m_surface; }

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void GetPixelFormat(PixelFormat& format) const override;
  // SDL's result (0 on success); -1 without a surface.
  int SetColorKey(const Color& key) override;
  // TransparentBlack when no key was set.
  void GetColorKey(Color& key) const override;
  // Null when the area does not lie within the image.
  uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override;
  // Fills the area (the whole image when null) with the fill colour; 102 on failure.
  int DrawRectangle(const Rect* area, int penWidth, const Color& outline, const Color& fill) override;

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

private:
  SDL_Surface* m_surface;
  Ownership m_ownership;
};

}  // namespace Qel
