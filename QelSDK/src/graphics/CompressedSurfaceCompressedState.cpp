// The compressed surface's first state: the zlib bytes and what the inner surface will be made of.
#include "graphics/CompressedSurfaceCompressedState.h"

#include <zlib.h>

#include <cstdint>
#include <new>

#include "graphics/CompressedSurfaceUncompressedState.h"
#include "graphics/ConvertPixels.h"
#include "graphics/DisplayDevice.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"

namespace Qel {
namespace {

// Tiles of an inflated image are texture-sized whatever the largest surface is.
constexpr int kTileSize = 128;

std::unique_ptr<uint8_t[]> Allocate(uint64_t size) {
  if (size == 0 || size > SIZE_MAX) return nullptr;
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
}

// A format conversion has channels on both sides to work with.
bool HasChannels(const PixelFormat& format) {
  return format.GetBytesPerPixel() > 0 && !format.IsIndexed();
}

}  // namespace

CompressedSurface::CompressedState::CompressedState(DisplayDevice* device, std::unique_ptr<uint8_t[]> bytes,
                                                    uint32_t length, int width, int height, int pitch,
                                                    const PixelFormat& format, int kind,
                                                    const Color& colorKey)
    : m_device(device),
      m_bytes(std::move(bytes)),
      m_length(length),
      m_width(width),
      m_height(height),
      m_pitch(pitch),
      m_format(format),
      m_kind(kind),
      m_colorKey(colorKey) {}

int CompressedSurface::CompressedState::SetColorKey(const Color& key) {
  m_colorKey = key;
  return 0;
}

std::unique_ptr<CompressedSurface::DataState> CompressedSurface::CompressedState::Decompress() {
  if (!m_bytes) return nullptr;
  const int bytesPerPixel = m_format.GetBytesPerPixel();
  if (m_width < 1 || m_height < 1 || bytesPerPixel == 0 ||
      int64_t{m_pitch} < int64_t{m_width} * bytesPerPixel) {
    return nullptr;
  }
  const uint64_t size = uint64_t(m_height) * uint64_t(m_pitch);
  if (size > UINT32_MAX) return nullptr;
  std::unique_ptr<uint8_t[]> pixels = Allocate(size);
  if (!pixels) return nullptr;
  uLongf inflated = static_cast<uLongf>(size);
  // Anything but exactly height x pitch bytes would leave rows unset or mean the record lies.
  if (uncompress(pixels.get(), &inflated, m_bytes.get(), m_length) != Z_OK || inflated != size)
    return nullptr;
  m_bytes.reset();
  m_length = 0;

  PixelFormat format = m_format;
  int pitch = m_pitch;
  if (m_device && !m_device->HasCapabilities(DisplayDevice::kCapsAlphaBlending)) {
    const PixelFormat display = m_device->GetPixelFormat();
    if (display != m_format && HasChannels(display) && HasChannels(m_format)) {
      const int displayBytes = display.GetBytesPerPixel();
      if (displayBytes == bytesPerPixel) {
        ConvertPixels(m_width, m_height, pixels.get(), pitch, m_format, pixels.get(), pitch, display);
        format = display;
      } else if (int64_t{m_width} * displayBytes <= INT32_MAX) {
        const int convertedPitch = m_width * displayBytes;
        // Without room for the converted copy the pixels stay as they are; the device copes with them.
        if (std::unique_ptr<uint8_t[]> converted = Allocate(uint64_t(m_height) * uint64_t(convertedPitch))) {
          ConvertPixels(m_width, m_height, pixels.get(), pitch, m_format, converted.get(), convertedPitch,
                        display);
          pixels = std::move(converted);
          pitch = convertedPitch;
          format = display;
        }
      }
    }
  }

  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  GetMaxSurfaceSize(maxWidth, maxHeight);
  std::unique_ptr<DrawingSurface> inner;
  if (m_device && m_width <= maxWidth && m_height <= maxHeight) {
    inner.reset(m_device->CreateSurfaceFromPixels(pixels.get(), m_width, m_height, pitch, format, m_kind,
                                                  &m_colorKey));
  } else if (m_device) {
    inner = MultiSurface::Create(m_device, kTileSize, kTileSize, pixels.get(), m_width, m_height, pitch,
                                 format, m_kind, &m_colorKey);
  }
  return std::make_unique<UncompressedState>(std::move(inner));
}

}  // namespace Qel
