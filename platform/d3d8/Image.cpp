// Pixel storage, counted against the adapter profile's memory.
#include "platform/d3d8/Image.h"

#include <cstring>
#include <new>

#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/PixelCodec.h"

namespace plat::d3d8 {

// The counters live beside the profile; the storage is their only writer of bytesHeld.
AdapterCounters& MutableAdapterCounters();

namespace {
// Each side is kept below this, so that no size sum overflows.
constexpr UINT kLargestSide = 16384;
size_t gZeroedBytes = 0;
}  // namespace

Image::~Image() {
  Free();
}

HRESULT Image::Allocate(UINT width, UINT height, D3DFORMAT format, HRESULT outOfMemory) {
  const FormatInfo* info = FindFormat(format);
  if (!info || width == 0 || height == 0) return D3DERR_INVALIDCALL;
  if (width > kLargestSide || height > kLargestSide) return outOfMemory;
  // Rows start on four-byte boundaries, as the callers of LockRect expect of a pitch.
  const int pitch = static_cast<int>((width * static_cast<UINT>(info->bytes) + 3) & ~3u);
  const size_t size = static_cast<size_t>(pitch) * height;
  AdapterCounters& counters = MutableAdapterCounters();
  if (counters.bytesHeld - Size() + size > GetAdapterProfile().memoryBytes) return outOfMemory;
  // Left unwritten here: the zeros come with the first row reached, unless the whole image is loaded
  // first.
  std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[size]);
  if (!bits) return outOfMemory;
  Free();
  m_bits = std::move(bits);
  m_size = size;
  m_zerosOwed = true;
  counters.bytesHeld += size;
  m_width = static_cast<int>(width);
  m_height = static_cast<int>(height);
  m_format = format;
  m_bytes = info->bytes;
  m_pitch = pitch;
  m_alpha = info->alpha;
  return D3D_OK;
}

void Image::WillOverwrite(const RECT& rect) {
  if (rect.left <= 0 && rect.top <= 0 && rect.right >= m_width && rect.bottom >= m_height)
    m_zerosOwed = false;
}

uint8_t* Image::Bits() const {
  if (m_zerosOwed) {
    std::memset(m_bits.get(), 0, m_size);
    gZeroedBytes += m_size;
    m_zerosOwed = false;
  }
  return m_bits.get();
}

size_t Image::ZeroedBytesForTesting() {
  return gZeroedBytes;
}

void Image::Free() {
  MutableAdapterCounters().bytesHeld -= m_size;
  m_bits.reset();
  m_size = 0;
  m_zerosOwed = false;
  m_marks.clear();
  m_marks.shrink_to_fit();
  m_width = m_height = m_bytes = m_pitch = 0;
  m_format = D3DFMT_UNKNOWN;
  m_alpha = false;
  locked = false;
}

uint8_t* Image::MarkRowForWriting(int y) {
  if (m_marks.empty()) m_marks.assign(static_cast<size_t>(m_width) * m_height, 0);
  return m_marks.data() + static_cast<size_t>(y) * m_width;
}

void Image::ClearMarks(const RECT& rect) {
  if (m_marks.empty()) return;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memset(m_marks.data() + static_cast<size_t>(y) * m_width + rect.left, 0,
                static_cast<size_t>(rect.right - rect.left));
  }
}

bool RectInside(const RECT& rect, int width, int height) {
  return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
         rect.right <= width && rect.bottom <= height;
}

}  // namespace plat::d3d8
