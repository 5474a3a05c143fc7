// A movie's container: FFmpeg's demuxer over a byte source of our own, read packet by packet.
#pragma once

#include <memory>
#include <string>

#include "platform/bink/ByteSource.h"
#include "platform/bink/FFmpegPtr.h"

namespace plat::bink {

class Demuxer {
public:
  // Reads the container's header and its streams' parameters; false with the reason in why. The
  // container may open no other file: a playlist or a reference to another file fails.
  bool Open(std::unique_ptr<ByteSource> source, std::string& why);

  AVFormatContext* Format() const { return m_format.get(); }
  // The next packet of a stream that is not discarded; false at the end or on a read error, and from
  // then on.
  bool Read(AVPacket* packet);
  bool AtEnd() const { return m_ended; }

private:
  static int ReadBytes(void* opaque, uint8_t* buffer, int size);
  static int64_t SeekBytes(void* opaque, int64_t offset, int whence);
  static int RefuseOpen(AVFormatContext* format, AVIOContext** io, const char* url, int flags,
                        AVDictionary** options);

  // Destroyed in reverse: the container first, then the I/O it reads through, then the source.
  std::unique_ptr<ByteSource> m_source;
  IoPtr m_io;
  FormatPtr m_format;
  bool m_ended = false;
};

}  // namespace plat::bink
