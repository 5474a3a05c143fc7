// The compressed surface's first state: the zlib bytes and what the inner surface will be made of.
#include "graphics/CompressedSurfaceCompressedState.h"

#include <cstdint>
#include <new>

#include "graphics/CompressedSurfaceUncompressedState.h"
#include "graphics/ConvertPixels.h"
#include "graphics/DisplayDevice.h"
#include "graphics/FilledSurface.h"
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
  if (size > UINT32_MAX || !m_device) return nullptr;

  PixelFormat target = m_format;
  if (!m_device->HasCapabilities(DisplayDevice::kCapsAlphaBlending)) {
    const PixelFormat display = m_device->GetPixelFormat();
    if (display != m_format && HasChannels(display) && HasChannels(m_format)) target = display;
  }
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  GetMaxSurfaceSize(maxWidth, maxHeight);
  const bool single = m_width <= maxWidth && m_height <= maxHeight;

  // The common case inflates straight into the device surface: no buffer of its own, no copy.
  if (single && target == m_format) {
    bool tried = false;
    DrawingSurface* inner = CreateFilledSurface(*m_device, m_width, m_height, m_format, m_kind, &m_colorKey,
                                                [this, size, &tried](uint8_t* bits, int pitch) {
                                                  if (pitch != m_pitch) return false;
                                                  tried = true;
                                                  return InflateExactly(m_bytes.get(), m_length, bits, size);
                                                });
    if (inner) return Finish(std::unique_ptr<DrawingSurface>(inner));
    if (tried) return nullptr;
  }

  std::unique_ptr<uint8_t[]> pixels = Allocate(size);
  if (!pixels || !InflateExactly(m_bytes.get(), m_length, pixels.get(), size)) return nullptr;

  int pitch = m_pitch;
  if (target != m_format) {
    if (single) {
      // Converted straight into the device surface.
      DrawingSurface* inner = CreateFilledSurface(
          *m_device, m_width, m_height, target, m_kind, &m_colorKey, [&](uint8_t* bits, int to) {
            ConvertPixels(m_width, m_height, pixels.get(), pitch, m_format, bits, to, target);
            return true;
          });
      if (inner) return Finish(std::unique_ptr<DrawingSurface>(inner));
    }
    if (!Convert(pixels, pitch, target)) target = m_format;
  }

  std::unique_ptr<DrawingSurface> inner;
  if (single) {
    inner.reset(m_device->CreateSurfaceFromPixels(pixels.get(), m_width, m_height, pitch, target, m_kind,
                                                  &m_colorKey));
  } else {
    inner = MultiSurface::Create(m_device, kTileSize, kTileSize, pixels.get(), m_width, m_height, pitch,
                                 target, m_kind, &m_colorKey);
  }
  return Finish(std::move(inner));
}

bool CompressedSurface::CompressedState::Convert(std::unique_ptr<uint8_t[]>& pixels, int& pitch,
                                                 const PixelFormat& target) const {
  const int targetBytes = target.GetBytesPerPixel();
  if (targetBytes == m_format.GetBytesPerPixel()) {
    ConvertPixels(m_width, m_height, pixels.get(), pitch, m_format, pixels.get(), pitch, target);
    return true;
  }
  if (int64_t{m_width} * targetBytes > INT32_MAX) return false;
  const int convertedPitch = m_width * targetBytes;
  std::unique_ptr<uint8_t[]> converted = Allocate(uint64_t(m_height) * uint64_t(convertedPitch));
  // Without room for the converted copy the pixels stay as they are; the device copes with them.
  if (!converted) return false;
  ConvertPixels(m_width, m_height, pixels.get(), pitch, m_format, converted.get(), convertedPitch, target);
  pixels = std::move(converted);
  pitch = convertedPitch;
  return true;
}

std::unique_ptr<CompressedSurface::DataState> CompressedSurface::CompressedState::Finish(
    std::unique_ptr<DrawingSurface> inner) {
  m_bytes.reset();
  m_length = 0;
  return std::make_unique<UncompressedState>(std::move(inner));
}

}  // namespace Qel
