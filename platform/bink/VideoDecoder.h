// A movie's video decoder: packets in, pictures out, through FFmpeg's send and receive calls.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "platform/bink/FFmpegPtr.h"

namespace plat::bink {

class VideoDecoder {
public:
  // Packets held before the decoder asks for them: enough for the sound to be read ahead of the picture.
  static constexpr size_t kMaxQueued = 256;

  bool Open(const AVStream& stream, std::string& why);

  bool IsFull() const { return m_queue.size() >= kMaxQueued; }
  void Queue(PacketPtr packet) { m_queue.push_back(std::move(packet)); }

  // Decodes the next picture into frame. When it needs input and none is queued it calls readMore,
  // which reads one packet of any stream and answers false at the end of the input; the decoder is
  // then drained. False when no picture is left, or the stream stopped decoding: a run of failed
  // packets, or too much work without a picture.
  bool Decode(AVFrame* frame, const std::function<bool()>& readMore);

private:
  CodecPtr m_codec;
  std::deque<PacketPtr> m_queue;
  bool m_draining = false;
};

}  // namespace plat::bink
