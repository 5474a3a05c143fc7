// The reader of version-7 frame image records: a pixel format, a size and zlib-compressed (or raw) rows.
#include "graphics/FrameImage.h"

#include <cstdint>
#include <new>

#include "core/Color.h"
#include "core/LittleEndian.h"
#include "core/PixelFormat.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FilledSurface.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"

namespace Qel {
namespace {

constexpr size_t kHeaderBytes = 36;
constexpr uint32_t kZlib = 1;
// Deflate cannot inflate one byte to more than 1032: a record whose rows need more than that many
// times its compressed length lies, and is refused before anything is allocated for its rows.
constexpr uint64_t kMaxInflateRatio = 1032;
// A stream that cannot tell its size gets no record larger than this.
constexpr uint64_t kMaxBytesOfUnsizedStream = 64u << 20;

struct Record {
  PixelFormat format;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t pitch = 0;
  uint32_t compression = 0;
  uint64_t rowBytes = 0;
};

const char* Refusal(const Record& r) {
  const int bytesPerPixel = r.format.GetBytesPerPixel();
  if (bytesPerPixel == 0) return "depth other than 8, 16, 24 or 32 bits";
  if (r.width < 1 || r.height < 1) return "empty image";
  if (r.width > INT32_MAX || r.height > INT32_MAX || r.pitch > INT32_MAX || r.rowBytes > UINT32_MAX) {
    return "size beyond 32 bits";
  }
  if (uint64_t{r.pitch} < uint64_t{r.width} * bytesPerPixel) return "pitch below the width";
  return nullptr;
}

// Bytes from the position to the end of the stream, or the most an unsized stream may give.
uint64_t BytesLeft(Stream& stream) {
  const uint32_t size = stream.GetSize();
  const uint32_t position = stream.Tell();
  if (size == kInvalidStreamValue || position == kInvalidStreamValue) return kMaxBytesOfUnsizedStream;
  return position <= size ? size - position : 0;
}

bool ReadExactly(Stream& stream, void* buffer, uint32_t size) {
  uint32_t delivered = size;
  return stream.Read(buffer, delivered) && delivered == size;
}

// Moves past a record that is refused, so that the one after it can still be read.
bool Skip(Stream& stream, uint64_t size) {
  return size <= INT32_MAX && stream.Seek(static_cast<int32_t>(size), kSeekCurrent);
}

std::unique_ptr<uint8_t[]> Allocate(uint64_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[static_cast<size_t>(size ? size : 1)]);
}

bool Refuse(const char* reason) {
  Trace("WARN: frame image refused: %s.\n", reason);
  return false;
}

bool FitsOneSurface(const Record& r) {
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  GetMaxSurfaceSize(maxWidth, maxHeight);
  return r.width <= static_cast<uint32_t>(maxWidth) && r.height <= static_cast<uint32_t>(maxHeight);
}

// One device surface, or tiles of the largest device surface beyond it.
DrawingSurface* MakeSurface(DisplayDevice* device, const uint8_t* pixels, const Record& r) {
  const Color& key = Color::TransparentMagenta(kPixelFormatA8R8G8B8);
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  GetMaxSurfaceSize(maxWidth, maxHeight);
  const int width = static_cast<int>(r.width);
  const int height = static_cast<int>(r.height);
  const int pitch = static_cast<int>(r.pitch);
  if (FitsOneSurface(r)) {
    return device->CreateSurfaceFromPixels(pixels, width, height, pitch, r.format,
                                           DisplayDevice::kSurfaceDefault, &key);
  }
  return MultiSurface::Create(device, maxWidth, maxHeight, pixels, width, height, pitch, r.format,
                              DisplayDevice::kSurfaceDefault, &key)
      .release();
}

bool Deliver(std::shared_ptr<DrawingSurface>& out, DrawingSurface* surface) {
  if (!surface) return Refuse("the device made no surface");
  out.reset(surface);
  return true;
}

}  // namespace

bool ReadFrameImage(int32_t, std::shared_ptr<DrawingSurface>& out, DisplayDevice* device, Stream& stream,
                    bool keepCompressed) {
  uint8_t header[kHeaderBytes];
  if (!ReadExactly(stream, header, sizeof header)) return Refuse("truncated header");
  Record r;
  const uint32_t bits = ReadLE32(header);
  r.format = PixelFormat(bits <= 32 ? static_cast<int32_t>(bits) : 0, ReadLE32(header + 4),
                         ReadLE32(header + 8), ReadLE32(header + 12), ReadLE32(header + 16));
  r.width = ReadLE32(header + 20);
  r.height = ReadLE32(header + 24);
  r.pitch = ReadLE32(header + 28);
  r.compression = ReadLE32(header + 32);
  r.rowBytes = uint64_t{r.height} * r.pitch;
  const char* refusal = Refusal(r);

  if (r.compression != kZlib) {
    // Raw rows follow the flag directly.
    if (r.rowBytes > BytesLeft(stream)) return Refuse("rows beyond the stream");
    if (refusal) {
      Skip(stream, r.rowBytes);
      return Refuse(refusal);
    }
    std::unique_ptr<uint8_t[]> rows = Allocate(r.rowBytes);
    if (!rows) return Refuse("out of memory");
    if (!ReadExactly(stream, rows.get(), static_cast<uint32_t>(r.rowBytes))) return Refuse("truncated rows");
    if (!device) return Refuse("no device");
    return Deliver(out, MakeSurface(device, rows.get(), r));
  }

  uint8_t lengthBytes[4];
  if (!ReadExactly(stream, lengthBytes, sizeof lengthBytes)) return Refuse("truncated header");
  const uint32_t length = ReadLE32(lengthBytes);
  if (length > BytesLeft(stream)) return Refuse("compressed length beyond the stream");
  if (!refusal && r.rowBytes > length * kMaxInflateRatio)
    refusal = "rows beyond what the compressed length holds";
  if (refusal || !device) {
    Skip(stream, length);
    return Refuse(refusal ? refusal : "no device");
  }
  std::unique_ptr<uint8_t[]> compressed = Allocate(length);
  if (!compressed) return Refuse("out of memory");
  if (!ReadExactly(stream, compressed.get(), length)) return Refuse("truncated data");

  if (keepCompressed) {
    out = std::make_shared<CompressedSurface>(
        device, std::move(compressed), length, static_cast<int>(r.width), static_cast<int>(r.height),
        static_cast<int>(r.pitch), r.format, DisplayDevice::kSurfaceDefault,
        Color::TransparentMagenta(kPixelFormatA8R8G8B8));
    return true;
  }
  if (FitsOneSurface(r)) {
    // Inflated straight into the device surface when its rows are laid out as the record's.
    bool tried = false;
    DrawingSurface* surface =
        CreateFilledSurface(*device, static_cast<int>(r.width), static_cast<int>(r.height), r.format,
                            DisplayDevice::kSurfaceDefault, &Color::TransparentMagenta(kPixelFormatA8R8G8B8),
                            [&](uint8_t* bits, int pitch) {
                              if (static_cast<uint32_t>(pitch) != r.pitch) return false;
                              tried = true;
                              return InflateExactly(compressed.get(), length, bits, r.rowBytes);
                            });
    if (surface) return Deliver(out, surface);
    if (tried) return Refuse("data does not inflate to height x pitch bytes");
  }
  std::unique_ptr<uint8_t[]> rows = Allocate(r.rowBytes);
  if (!rows) return Refuse("out of memory");
  if (!InflateExactly(compressed.get(), length, rows.get(), r.rowBytes)) {
    return Refuse("data does not inflate to height x pitch bytes");
  }
  compressed.reset();
  return Deliver(out, MakeSurface(device, rows.get(), r));
}

}  // namespace Qel
