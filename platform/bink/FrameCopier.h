// Copies a decoded picture into a caller's buffer in one of the six pixel layouts, clipped to the buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bink/Bink.h"
#include "platform/bink/FFmpegPtr.h"

namespace plat::bink {

class FrameCopier {
public:
  // See BinkCopyToBuffer.
  S32 Copy(const AVFrame& frame, uint8_t* dest, S32 pitch, U32 height, U32 x, U32 y, U32 type);

private:
  // Converts the whole picture to format at rows of pitch bytes.
  bool Convert(const AVFrame& frame, AVPixelFormat format, uint8_t* to, int pitch);

  SwsPtr m_scaler;
  // The whole picture, for a copy that only part of fits or that is packed here.
  std::vector<uint8_t> m_scratch;
};

}  // namespace plat::bink
