// The compressed surface's final state: the inner surface made at the first pixel access.
#include "graphics/CompressedSurfaceUncompressedState.h"

namespace Qel {

void CompressedSurface::UncompressedState::GetPixelFormat(PixelFormat& format) const {
  format = m_surface ? m_surface->GetPixelFormat() : kPixelFormatNone;
}

void CompressedSurface::UncompressedState::GetColorKey(Color& key) const {
  key = m_surface ? m_surface->GetColorKey() : Color::TransparentBlack(kPixelFormatA8R8G8B8);
}

}  // namespace Qel
