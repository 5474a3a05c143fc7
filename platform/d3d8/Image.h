// The pixel storage behind every surface: rows in one format, and the marks of keyed pixels in
// formats that cannot store transparency themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3d8/D3D8Types.h"

namespace plat::d3d8 {

class Image {
public:
  Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  ~Image();

  // Storage for width × height pixels, all bits zero. outOfMemory is the code when the adapter
  // profile's memory would be exceeded; D3DERR_INVALIDCALL for a size of 0 or an unknown format.
  // The zeros are written only when a row is first reached, and not at all when WillOverwrite comes
  // first: most storage is loaded whole at once.
  HRESULT Allocate(UINT width, UINT height, D3DFORMAT format, HRESULT outOfMemory);
  void Free();
  // The caller writes every pixel of rect before anything reads one: when that is the whole image,
  // its zeros are never written.
  void WillOverwrite(const RECT& rect);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  D3DFORMAT Format() const { return m_format; }
  int BytesPerPixel() const { return m_bytes; }
  int Pitch() const { return m_pitch; }
  bool HasAlpha() const { return m_alpha; }
  size_t Size() const { return m_size; }
  uint8_t* Row(int y) { return Bits() + static_cast<size_t>(y) * m_pitch; }
  const uint8_t* Row(int y) const { return Bits() + static_cast<size_t>(y) * m_pitch; }

  // Test seam: the bytes of storage zeroed so far in this process.
  static size_t ZeroedBytesForTesting();

  // One byte per pixel, 1 where a keyed pixel was loaded into a format without alpha; empty while
  // no pixel is marked.
  bool HasMarks() const { return !m_marks.empty(); }
  const uint8_t* MarkRow(int y) const { return m_marks.data() + static_cast<size_t>(y) * m_width; }
  // The row of marks, made (all clear) when there were none.
  uint8_t* MarkRowForWriting(int y);
  // Clears the marks of a rectangle (the rectangle must lie inside).
  void ClearMarks(const RECT& rect);

  bool locked = false;

private:
  // The storage, its zeros written first if they are still owed.
  uint8_t* Bits() const;

  int m_width = 0;
  int m_height = 0;
  D3DFORMAT m_format = D3DFMT_UNKNOWN;
  int m_bytes = 0;
  int m_pitch = 0;
  bool m_alpha = false;
  std::unique_ptr<uint8_t[]> m_bits;
  size_t m_size = 0;
  // The storage is new and no pixel of it has been written or read: it still owes its zeros.
  mutable bool m_zerosOwed = false;
  std::vector<uint8_t> m_marks;
};

// Whether rect is non-empty and lies inside a surface of the size.
bool RectInside(const RECT& rect, int width, int height);

}  // namespace plat::d3d8
