// A movie's container: FFmpeg's demuxer over a byte source of our own, read packet by packet.
#include "platform/bink/Demuxer.h"

#include <cstdio>

namespace plat::bink {
namespace {
constexpr int kIoBufferBytes = 32768;
}

int Demuxer::ReadBytes(void* opaque, uint8_t* buffer, int size) {
  const int64_t got = static_cast<ByteSource*>(opaque)->Read(buffer, static_cast<size_t>(size));
  if (got < 0) return AVERROR(EIO);
  return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t Demuxer::SeekBytes(void* opaque, int64_t offset, int whence) {
  auto* source = static_cast<ByteSource*>(opaque);
  switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
      return source->Size();
    case SEEK_SET:
      return source->Seek(offset);
    case SEEK_CUR:
      return source->Seek(source->Position() + offset);
    case SEEK_END:
      return source->Size() < 0 ? -1 : source->Seek(source->Size() + offset);
    default:
      return -1;
  }
}

int Demuxer::RefuseOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
  return AVERROR(EPERM);
}

bool Demuxer::Open(std::unique_ptr<ByteSource> source, std::string& why) {
  m_source = std::move(source);
  auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
  AVIOContext* io =
      buffer ? avio_alloc_context(buffer, kIoBufferBytes, 0, m_source.get(), ReadBytes, nullptr, SeekBytes)
             : nullptr;
  if (!io) {
    av_free(buffer);
    why = "out of memory";
    return false;
  }
  m_io.reset(io);
  AVFormatContext* format = avformat_alloc_context();
  if (!format) {
    why = "out of memory";
    return false;
  }
  format->pb = io;
  format->flags |= AVFMT_FLAG_CUSTOM_IO;
  format->io_open = RefuseOpen;
  // A failed open frees the context itself.
  if (const int opened = avformat_open_input(&format, "", nullptr, nullptr); opened < 0) {
    why = "not a movie that can be read (" + ErrorText(opened) + ")";
    return false;
  }
  m_format.reset(format);
  if (const int found = avformat_find_stream_info(format, nullptr); found < 0) {
    why = "its streams cannot be read (" + ErrorText(found) + ")";
    return false;
  }
  return true;
}

bool Demuxer::Read(AVPacket* packet) {
  if (m_ended) return false;
  if (av_read_frame(m_format.get(), packet) < 0) m_ended = true;
  return !m_ended;
}

}  // namespace plat::bink
