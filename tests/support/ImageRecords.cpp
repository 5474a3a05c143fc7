// Writers of sprite image data for tests and benchmarks: version-7 frame image records and
// stored-image sets of raw or run-length rows.
#include "support/ImageRecords.h"

#include <zlib.h>

#include <stdexcept>

#include "support/ByteWriter.h"

namespace test {
namespace {

template <typename T>
std::vector<uint8_t> PackPixels(const std::vector<T>& pixels, int width, int height, int pitch) {
  if (pixels.size() != static_cast<size_t>(width) * height) throw std::invalid_argument("pixel count");
  std::vector<uint8_t> bytes(static_cast<size_t>(pitch) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const T value = pixels[static_cast<size_t>(y) * width + x];
      for (size_t b = 0; b < sizeof(T); ++b) {
        bytes[static_cast<size_t>(y) * pitch + x * sizeof(T) + b] = static_cast<uint8_t>(value >> (8 * b));
      }
    }
  }
  return bytes;
}

void PutUnit(ByteWriter& out, uint32_t value, int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 8:
      out.U8(static_cast<uint8_t>(value));
      break;
    case 16:
      out.U16(static_cast<uint16_t>(value));
      break;
    default:
      out.U32(value);
      break;
  }
}

}  // namespace

std::vector<uint8_t> PackPixels32(const std::vector<uint32_t>& pixels, int width, int height, int pitch) {
  return PackPixels(pixels, width, height, pitch);
}

std::vector<uint8_t> PackPixels16(const std::vector<uint16_t>& pixels, int width, int height, int pitch) {
  return PackPixels(pixels, width, height, pitch);
}

FrameImageRecord ArgbImage(int width, int height, const std::vector<uint32_t>& pixels) {
  FrameImageRecord record;
  record.width = width;
  record.height = height;
  record.pitch = width * 4;
  record.pixels = PackPixels32(pixels, width, height, width * 4);
  return record;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes) {
  uLongf length = compressBound(bytes.size());
  std::vector<uint8_t> out(length);
  if (compress(out.data(), &length, bytes.data(), bytes.size()) != Z_OK) throw std::runtime_error("compress");
  out.resize(length);
  return out;
}

std::vector<uint8_t> WriteFrameImage(const FrameImageRecord& record) {
  ByteWriter out;
  out.U32(record.bitsPerPixel).U32(record.redMask).U32(record.greenMask).U32(record.blueMask);
  out.U32(record.alphaMask).U32(record.width).U32(record.height).U32(record.pitch);
  if (!record.compressed) {
    out.U32(0).Bytes(record.pixels);
    return out.Take();
  }
  const std::vector<uint8_t> compressed = Compress(record.pixels);
  out.U32(1).U32(record.compressedLength.value_or(static_cast<uint32_t>(compressed.size())));
  out.Bytes(compressed);
  return out.Take();
}

std::vector<uint8_t> WriteStoredImageSet(const StoredImageSetRecord& set) {
  ByteWriter out;
  out.U16(set.width).U16(set.height).U16(set.bitsPerPixel);
  out.U16(set.count.value_or(static_cast<uint16_t>(set.images.size())));
  for (const StoredImage& image : set.images) {
    out.U16(image.width).U16(image.height).U16(image.bitsPerPixel).U16(image.pitch);
    out.U32(image.dataSize.value_or(static_cast<uint32_t>(image.data.size())));
    out.Bytes(image.key, 4).U32(image.flags);
    if (image.flags & 0x2000) {
      out.U32(image.paletteId).U32(image.paletteCount.value_or(static_cast<uint32_t>(image.palette.size())));
      for (uint32_t colour : image.palette) out.U32(colour);
    }
    out.U16(image.x).U16(image.y).Bytes(image.data);
  }
  return out.Take();
}

std::vector<uint8_t> EncodeRunLength(const std::vector<uint32_t>& pixels, int width, int height,
                                     int bitsPerPixel) {
  if (pixels.size() != static_cast<size_t>(width) * height) throw std::invalid_argument("pixel count");
  const uint32_t limit = bitsPerPixel == 8 ? 0x80u : bitsPerPixel == 16 ? 0x8000u : 0x80000000u;
  ByteWriter out;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels.data() + static_cast<size_t>(y) * width;
    int x = 0;
    while (x < width) {
      int run = 1;
      while (x + run < width && row[x + run] == row[x] && static_cast<uint32_t>(run) < limit) ++run;
      if (run > 1) {
        PutUnit(out, static_cast<uint32_t>(run - 1), bitsPerPixel);
        PutUnit(out, row[x], bitsPerPixel);
        x += run;
        continue;
      }
      int literal = 1;
      while (x + literal < width && static_cast<uint32_t>(literal) < limit &&
             (x + literal + 1 >= width || row[x + literal] != row[x + literal + 1])) {
        ++literal;
      }
      PutUnit(out, limit | static_cast<uint32_t>(literal - 1), bitsPerPixel);
      for (int i = 0; i < literal; ++i) PutUnit(out, row[x + i], bitsPerPixel);
      x += literal;
    }
  }
  return out.Take();
}

}  // namespace test
