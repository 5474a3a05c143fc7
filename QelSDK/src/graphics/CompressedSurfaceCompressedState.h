// The compressed surface's first state: the zlib bytes and what the inner surface will be made of.
#pragma once

#include "graphics/CompressedSurface.h"

namespace Qel {

class CompressedSurface::CompressedState : public CompressedSurface::DataState {
public:
  CompressedState(DisplayDevice* device, std::unique_ptr<uint8_t[]> bytes, uint32_t length, int width,
                  int height, int pitch, const PixelFormat& format, int kind, const Color& colorKey);

  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void GetPixelFormat(PixelFormat& format) const override { format = m_format; }
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override { key = m_colorKey; }
  bool IsUncompressed() const override { return false; }
  DrawingSurface* GetSurface() const override { return nullptr; }
  // Inflates to exactly height x pitch bytes, converts them to the display's format when the display
  // cannot blend alpha, and makes the inner surface (tiled beyond the largest device surface). Null,
  // with the bytes kept, when the bytes do not inflate to that size.
  std::unique_ptr<DataState> Decompress() override;

private:
  // Converts the inflated rows to target, in place or into a new buffer of packed rows; false when
  // there is no room for that buffer.
  bool Convert(std::unique_ptr<uint8_t[]>& pixels, int& pitch, const PixelFormat& target) const;
  // Frees the bytes and hands over the inner surface, which may be null when the device made none.
  std::unique_ptr<DataState> Finish(std::unique_ptr<DrawingSurface> inner);

  DisplayDevice* m_device;
  std::unique_ptr<uint8_t[]> m_bytes;
  uint32_t m_length;
  int m_width;
  int m_height;
  int m_pitch;
  PixelFormat m_format;
  int m_kind;
  Color m_colorKey;
};

}  // namespace Qel
