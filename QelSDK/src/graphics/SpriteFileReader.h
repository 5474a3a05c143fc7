// The reader of sprite files, every version: header, animation and frame records, the image table.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/SpriteData.h"

namespace Qel {

class DisplayDevice;
class Stream;

class SpriteFileReader {
public:
  // The stream is read from its position; it and the device are not owned.
  SpriteFileReader(Stream& stream, DisplayDevice* device, bool keepCompressed)
      : m_stream(stream), m_device(device), m_keepCompressed(keepCompressed) {}
  SpriteFileReader(const SpriteFileReader&) = delete;
  SpriteFileReader& operator=(const SpriteFileReader&) = delete;

  // False when the file is cut short in its own records, or holds a negative count, more image sets
  // than images or an image number outside the table; GetFailure then says which. An image that cannot
  // be made only leaves its surface null, and a stored-image set cut short in its pixels still gives
  // what it holds: both are the image readers' business.
  bool Read(SpriteData& out);

  const std::string& GetFailure() const { return m_failure; }
  int32_t GetVersion() const { return m_version; }

private:
  bool ReadHeader(SpriteData& out);
  bool ReadAnimation(SpriteAnimationRecord& out);
  bool ReadFrame(SpriteFrameRecord& out);
  bool ReadImageTable(SpriteData& out);
  bool ReadImages(SpriteData& out);
  bool CheckImageNumbers(const SpriteData& data);

  bool Read8(uint8_t& out);
  bool Read16(int16_t& out);
  bool Read32(uint32_t& out);
  bool ReadCount(int16_t& out, const char* what);
  // A length byte and that many characters.
  bool ReadName(std::string& out);
  bool Skip(uint32_t count);
  bool Fail(std::string failure);

  Stream& m_stream;
  DisplayDevice* m_device;
  bool m_keepCompressed;
  int32_t m_version = 0;
  std::string m_failure;
};

}  // namespace Qel
