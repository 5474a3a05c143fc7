// Copies a decoded picture into a caller's buffer in one of the six pixel layouts, clipped to the buffer.
#include "platform/bink/FrameCopier.h"

#include <algorithm>
#include <bit>
#include <cstring>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace plat::bink {
namespace {

static_assert(std::endian::native == std::endian::little, "the layouts below are little-endian");

// swscale's vector paths may write up to a block of pixels past a row's end.
constexpr int kBlockPixels = 16;

// How the layout's pixels are made: by swscale as they are, by swscale with the alpha channel made opaque
// where the picture has none, or packed here from 8-bit BGR0 (FFmpeg has no 16-bit layout with alpha, and
// its 12-bit output always dithers, which would break up a solid colour).
enum class Make { kScale, kScaleOpaque, kPack4444 };

struct Layout {
  U32 type;
  AVPixelFormat format;  // what swscale writes
  int bytes;             // per pixel in the caller's buffer
  Make make;
};

// The channel masks of each surface type, as FFmpeg names the same memory order on a little-endian machine.
constexpr Layout kLayouts[] = {
    {BINKSURFACE24, AV_PIX_FMT_BGR24, 3, Make::kScale},
    {BINKSURFACE32, AV_PIX_FMT_BGR0, 4, Make::kScale},
    {BINKSURFACE32A, AV_PIX_FMT_BGRA, 4, Make::kScaleOpaque},
    {BINKSURFACE4444, AV_PIX_FMT_BGR0, 2, Make::kPack4444},
    {BINKSURFACE555, AV_PIX_FMT_RGB555LE, 2, Make::kScale},
    {BINKSURFACE565, AV_PIX_FMT_RGB565LE, 2, Make::kScale},
};

const Layout* LayoutOf(U32 type) {
  for (const Layout& layout : kLayouts) {
    if (layout.type == type) return &layout;
  }
  return nullptr;
}

bool HasAlpha(const AVFrame& frame) {
  const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame.format));
  return descriptor && (descriptor->flags & AV_PIX_FMT_FLAG_ALPHA);
}

void MakeOpaque(uint8_t* at, int pitch, int width, int rows) {
  for (int row = 0; row < rows; ++row, at += pitch) {
    for (int pixel = 0; pixel < width; ++pixel) at[4 * pixel + 3] = 0xFF;
  }
}

// Rows of BGR0 pixels to opaque 0xARGB nibbles, each channel's top four bits.
void Pack4444(const uint8_t* from, int fromPitch, uint8_t* to, int pitch, int width, int rows) {
  for (int row = 0; row < rows; ++row, from += fromPitch, to += pitch) {
    for (int pixel = 0; pixel < width; ++pixel) {
      const uint8_t* bgr = from + 4 * pixel;
      const auto value =
          static_cast<uint16_t>(0xF000u | (bgr[2] & 0xF0u) << 4 | (bgr[1] & 0xF0u) | bgr[0] >> 4);
      std::memcpy(to + 2 * pixel, &value, sizeof value);
    }
  }
}

size_t Offset(int row, int pitch) {
  return static_cast<size_t>(row) * static_cast<size_t>(pitch);
}

}  // namespace

bool FrameCopier::Convert(const AVFrame& frame, AVPixelFormat format, uint8_t* to, int pitch) {
  m_scaler.reset(sws_getCachedContext(m_scaler.release(), frame.width, frame.height,
                                      static_cast<AVPixelFormat>(frame.format), frame.width, frame.height,
                                      format, SWS_POINT, nullptr, nullptr, nullptr));
  if (!m_scaler) return false;
  uint8_t* planes[4] = {to, nullptr, nullptr, nullptr};
  int pitches[4] = {pitch, 0, 0, 0};
  return sws_scale(m_scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, pitches) > 0;
}

S32 FrameCopier::Copy(const AVFrame& frame, uint8_t* dest, S32 pitch, U32 height, U32 x, U32 y, U32 type) {
  const Layout* layout = LayoutOf(type);
  if (!layout || !dest || pitch <= 0 || frame.width <= 0 || frame.height <= 0) return -1;
  const auto destWidth = static_cast<U32>(pitch / layout->bytes);
  if (x >= destWidth || y >= height) return 0;
  const int width = static_cast<int>(std::min<U32>(static_cast<U32>(frame.width), destWidth - x));
  const int rows = static_cast<int>(std::min<U32>(static_cast<U32>(frame.height), height - y));
  uint8_t* at = dest + Offset(static_cast<int>(y), pitch) + size_t{x} * static_cast<size_t>(layout->bytes);

  // Only a picture that fits, is made by swscale and is a whole number of blocks wide is converted in
  // place; any other goes through a picture of its own.
  if (layout->make != Make::kPack4444 && width == frame.width && rows == frame.height &&
      frame.width % kBlockPixels == 0) {
    if (!Convert(frame, layout->format, at, pitch)) return -1;
  } else {
    const int scratchBytes = av_get_padded_bits_per_pixel(av_pix_fmt_desc_get(layout->format)) / 8;
    const int scratchPitch = (frame.width + kBlockPixels - 1) / kBlockPixels * kBlockPixels * scratchBytes;
    m_scratch.resize(Offset(frame.height, scratchPitch));
    if (!Convert(frame, layout->format, m_scratch.data(), scratchPitch)) return -1;
    if (layout->make == Make::kPack4444) {
      Pack4444(m_scratch.data(), scratchPitch, at, pitch, width, rows);
      return 0;
    }
    for (int row = 0; row < rows; ++row) {
      std::memcpy(at + Offset(row, pitch), m_scratch.data() + Offset(row, scratchPitch),
                  static_cast<size_t>(width) * static_cast<size_t>(layout->bytes));
    }
  }
  if (layout->make == Make::kScaleOpaque && !HasAlpha(frame)) MakeOpaque(at, pitch, width, rows);
  return 0;
}

}  // namespace plat::bink
