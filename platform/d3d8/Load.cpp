// The one load routine behind every D3DX load call.
#include "platform/d3d8/Load.h"

#include <cstring>
#include <vector>

#include "platform/d3d8/PixelCodec.h"

namespace plat::d3d8 {

void LoadRect(Image& dest, const PALETTEENTRY* destPalette, const RECT& destRect, const PixelSource& source,
              const RECT& sourceRect, D3DCOLOR colorKey) {
  const int dw = destRect.right - destRect.left, dh = destRect.bottom - destRect.top;
  const int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
  const int sourceBytes = FindFormat(source.format)->bytes;
  const int destBytes = dest.BytesPerPixel();
  const bool samePalette = source.format != D3DFMT_P8 || source.palette == destPalette;
  // Both ways below write every pixel of the rectangle.
  dest.WillOverwrite(destRect);
  if (source.format == dest.Format() && samePalette && colorKey == 0 && !source.marks && sw == dw &&
      sh == dh) {
    for (int y = 0; y < dh; ++y) {
      std::memcpy(dest.Row(destRect.top + y) + static_cast<size_t>(destRect.left) * destBytes,
                  source.bits + static_cast<size_t>(sourceRect.top + y) * source.pitch +
                      static_cast<size_t>(sourceRect.left) * sourceBytes,
                  static_cast<size_t>(dw) * destBytes);
    }
    dest.ClearMarks(destRect);
    return;
  }
  std::vector<uint32_t> in(static_cast<size_t>(sw));
  std::vector<uint32_t> out(static_cast<size_t>(dw));
  std::vector<uint8_t> keyed(static_cast<size_t>(dw));
  std::vector<int> columns(static_cast<size_t>(dw));
  for (int x = 0; x < dw; ++x) {
    columns[x] = static_cast<int>((2 * static_cast<int64_t>(x) + 1) * sw / (2 * static_cast<int64_t>(dw)));
  }
  for (int y = 0; y < dh; ++y) {
    const int sy = sourceRect.top +
                   static_cast<int>((2 * static_cast<int64_t>(y) + 1) * sh / (2 * static_cast<int64_t>(dh)));
    DecodeRow(source.format,
              source.bits + static_cast<size_t>(sy) * source.pitch +
                  static_cast<size_t>(sourceRect.left) * sourceBytes,
              sw, in.data(), source.palette);
    const uint8_t* marks =
        source.marks ? source.marks + static_cast<size_t>(sy) * source.marksPitch + sourceRect.left : nullptr;
    bool anyKeyed = false;
    for (int x = 0; x < dw; ++x) {
      const int sx = columns[x];
      const bool isKeyed = (colorKey != 0 && in[sx] == colorKey) || (marks && marks[sx]);
      out[x] = isKeyed ? 0 : in[sx];
      keyed[x] = isKeyed ? 1 : 0;
      anyKeyed = anyKeyed || isKeyed;
    }
    const int row = destRect.top + y;
    EncodeRow(dest.Format(), out.data(), dw, dest.Row(row) + static_cast<size_t>(destRect.left) * destBytes,
              destPalette);
    if (!dest.HasAlpha() && (anyKeyed || dest.HasMarks())) {
      std::memcpy(dest.MarkRowForWriting(row) + destRect.left, keyed.data(), static_cast<size_t>(dw));
    }
  }
}

}  // namespace plat::d3d8
