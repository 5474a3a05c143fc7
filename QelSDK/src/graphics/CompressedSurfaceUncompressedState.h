// The compressed surface's final state: the inner surface made at the first pixel access.
#pragma once

#include "graphics/CompressedSurface.h"

namespace Qel {

class CompressedSurface::UncompressedState : public CompressedSurface::DataState {
public:
  // surface may be null when the device made none.
  explicit UncompressedState(std::unique_ptr<DrawingSurface> surface) : m_surface(std::move(surface)) {}

  int GetWidth() const override { return m_surface ? m_surface->GetWidth() : 0; }
  int GetHeight() const override { return m_surface ? m_surface->GetHeight() : 0; }
  void GetPixelFormat(PixelFormat& format) const override;
  int SetColorKey(const Color& key) override { return m_surface ? m_surface->SetColorKey(key) : 1; }
  void GetColorKey(Color& key) const override;
  bool IsUncompressed() const override { return true; }
  DrawingSurface* GetSurface() const override { return m_surface.get(); }
  std::unique_ptr<DataState> Decompress() override { return nullptr; }

private:
  std::unique_ptr<DrawingSurface> m_surface;
};

}  // namespace Qel
