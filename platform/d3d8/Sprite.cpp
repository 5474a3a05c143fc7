// Sprite draws: clipping, nearest-pixel scaling and the blend of each row.
#include "platform/d3d8/Sprite.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3d8/Blend.h"
#include "platform/d3d8/Device.h"
#include "platform/d3d8/Texture.h"

namespace plat::d3d8 {

Sprite::Sprite(Device* device) : m_device(device) {
  m_device->AddRef();
}

Sprite::~Sprite() {
  m_device->Release();
}

ULONG Sprite::AddRef() {
  return ++m_references;
}

ULONG Sprite::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT Sprite::GetDevice(IDirect3DDevice8** device) {
  if (!device) return D3DERR_INVALIDCALL;
  m_device->AddRef();
  *device = m_device;
  return D3D_OK;
}

HRESULT Sprite::Begin() {
  if (m_begun) return D3DERR_INVALIDCALL;
  m_begun = true;
  return D3D_OK;
}

HRESULT Sprite::End() {
  if (!m_begun) return D3DERR_INVALIDCALL;
  m_begun = false;
  return D3D_OK;
}

HRESULT Sprite::Draw(IDirect3DTexture8* texture, const RECT* sourceRect, const D3DXVECTOR2* scaling,
                     const D3DXVECTOR2* /*rotationCenter*/, float rotation, const D3DXVECTOR2* translation,
                     D3DCOLOR color) {
  Texture* from = ToTexture(texture);
  if (!from || from->Level().GetOwnerDevice() != m_device) return D3DERR_INVALIDCALL;
  if (rotation != 0.0f || color != 0xFFFFFFFFu) return E_NOTIMPL;
  const Image& source = from->Level().GetImage();
  Image& target = m_device->BackBufferImage();
  if (source.locked || target.locked || target.Size() == 0) return D3DERR_INVALIDCALL;
  const RECT area = sourceRect ? *sourceRect : RECT{0, 0, source.Width(), source.Height()};
  if (!RectInside(area, source.Width(), source.Height())) return D3DERR_INVALIDCALL;
  const double scaleX = scaling ? scaling->x : 1.0, scaleY = scaling ? scaling->y : 1.0;
  if (!(scaleX > 0.0) || !(scaleY > 0.0) || !std::isfinite(scaleX) || !std::isfinite(scaleY)) {
    return D3DERR_INVALIDCALL;
  }
  const double atX = translation ? translation->x : 0.0, atY = translation ? translation->y : 0.0;
  if (!std::isfinite(atX) || !std::isfinite(atY)) return D3DERR_INVALIDCALL;
  // Sizes and places far past any back buffer would overflow the arithmetic below: a size is
  // refused, a place is simply off the buffer.
  constexpr double kFar = 1 << 30;
  const int64_t sw = area.right - area.left, sh = area.bottom - area.top;
  if (static_cast<double>(sw) * scaleX > kFar || static_cast<double>(sh) * scaleY > kFar)
    return D3DERR_INVALIDCALL;
  if (std::fabs(atX) > kFar || std::fabs(atY) > kFar) return D3D_OK;
  const int64_t dw = std::llround(static_cast<double>(sw) * scaleX);
  const int64_t dh = std::llround(static_cast<double>(sh) * scaleY);
  const int64_t left = std::llround(atX), top = std::llround(atY);
  // Only the part inside the back buffer is drawn.
  const int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min<int64_t>(left + dw, target.Width());
  const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min<int64_t>(top + dh, target.Height());
  if (dw <= 0 || dh <= 0 || x0 >= x1 || y0 >= y1) return D3D_OK;

  const int sourceBytes = source.BytesPerPixel(), targetBytes = target.BytesPerPixel();
  const int count = static_cast<int>(x1 - x0);
  const bool scaledX = dw != sw;
  std::vector<uint8_t> gathered, gatheredMarks;
  std::vector<int> columns;
  if (scaledX) {
    gathered.resize(static_cast<size_t>(count) * sourceBytes);
    gatheredMarks.resize(static_cast<size_t>(count));
    columns.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      const int64_t dx = x0 - left + i;
      columns[i] = area.left + static_cast<int>((2 * dx + 1) * sw / (2 * dw));
    }
  }
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t dy = y - top;
    const int sy = area.top + static_cast<int>((2 * dy + 1) * sh / (2 * dh));
    const uint8_t* row = source.Row(sy);
    const uint8_t* marks = source.HasMarks() ? source.MarkRow(sy) : nullptr;
    const uint8_t* pixels;
    const uint8_t* rowMarks = nullptr;
    if (scaledX) {
      for (int i = 0; i < count; ++i) {
        std::memcpy(&gathered[static_cast<size_t>(i) * sourceBytes],
                    row + static_cast<size_t>(columns[i]) * sourceBytes, static_cast<size_t>(sourceBytes));
        if (marks) gatheredMarks[i] = marks[columns[i]];
      }
      pixels = gathered.data();
      if (marks) rowMarks = gatheredMarks.data();
    } else {
      const int64_t sx = area.left + (x0 - left);
      pixels = row + sx * sourceBytes;
      if (marks) rowMarks = marks + sx;
    }
    BlendSpan(source.Format(), pixels, rowMarks, target.Format(),
              target.Row(static_cast<int>(y)) + x0 * targetBytes, count);
  }
  return D3D_OK;
}

}  // namespace plat::d3d8
