// Writers of sprite image data for tests and benchmarks: version-7 frame image records and
// stored-image sets of raw or run-length rows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace test {

// A version-7 record. pixels holds height rows of pitch bytes.
struct FrameImageRecord {
  uint32_t bitsPerPixel = 32;
  uint32_t redMask = 0xFF0000;
  uint32_t greenMask = 0xFF00;
  uint32_t blueMask = 0xFF;
  uint32_t alphaMask = 0xFF000000;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t pitch = 0;
  std::vector<uint8_t> pixels;
  // Zlib-compressed (flag 1) or raw rows right after the flag.
  bool compressed = true;
  // Writes this length instead of the true compressed length, for records that lie.
  std::optional<uint32_t> compressedLength;
};

// Height rows of pitch bytes of the 32-bit values, little-endian, each row padded with zero bytes.
std::vector<uint8_t> PackPixels32(const std::vector<uint32_t>& pixels, int width, int height, int pitch);
// The same with 16-bit values.
std::vector<uint8_t> PackPixels16(const std::vector<uint16_t>& pixels, int width, int height, int pitch);

// An A8R8G8B8 record of these pixels (width x height, packed rows).
FrameImageRecord ArgbImage(int width, int height, const std::vector<uint32_t>& pixels);
// zlib's compress at the default level.
std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> WriteFrameImage(const FrameImageRecord& record);

// One stored image of a set. data is written as it stands, dataSize (when given) in its place.
struct StoredImage {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t bitsPerPixel = 16;
  uint16_t pitch = 0;
  uint8_t key[4] = {0, 0, 0, 0};
  uint32_t flags = 0x200;  // raw rows; 0x400 run-length; 0x1000 colour key; 0x2000 palette block
  uint32_t paletteId = 0;
  std::vector<uint32_t> palette;  // written when flags has 0x2000
  std::optional<uint32_t> paletteCount;
  uint16_t x = 0;
  uint16_t y = 0;
  std::vector<uint8_t> data;
  std::optional<uint32_t> dataSize;
};

struct StoredImageSetRecord {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t bitsPerPixel = 16;
  std::vector<StoredImage> images;
  std::optional<uint16_t> count;  // written instead of the number of images
};

std::vector<uint8_t> WriteStoredImageSet(const StoredImageSetRecord& set);

// Run-length units of 8, 16 or 32 bits for the rows of pixels (width x height values): runs of equal
// pixels as repeat units, the rest as literal units, never across a row.
std::vector<uint8_t> EncodeRunLength(const std::vector<uint32_t>& pixels, int width, int height,
                                     int bitsPerPixel);

}  // namespace test
