// A movie's video decoder: packets in, pictures out, through FFmpeg's send and receive calls.
#include "platform/bink/VideoDecoder.h"

namespace plat::bink {
namespace {
// A stream that fails this many times while one picture is awaited does not decode.
constexpr int kMaxFailures = 16;
// Steps (packets sent or read) one picture may take; garbage never keeps a frame waiting longer.
constexpr int kMaxSteps = 1 << 14;
}  // namespace

bool VideoDecoder::Open(const AVStream& stream, std::string& why) {
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  if (!codec) {
    why = std::string("no decoder for its video (") + avcodec_get_name(stream.codecpar->codec_id) + ")";
    return false;
  }
  m_codec.reset(avcodec_alloc_context3(codec));
  if (!m_codec) {
    why = "out of memory";
    return false;
  }
  int result = avcodec_parameters_to_context(m_codec.get(), stream.codecpar);
  if (result >= 0) {
    m_codec->pkt_timebase = stream.time_base;
    result = avcodec_open2(m_codec.get(), codec, nullptr);
  }
  if (result < 0) {
    why = "its video decoder does not start (" + ErrorText(result) + ")";
    return false;
  }
  return true;
}

bool VideoDecoder::Decode(AVFrame* frame, const std::function<bool()>& readMore) {
  int failures = 0;
  for (int step = 0; step < kMaxSteps && failures < kMaxFailures; ++step) {
    const int received = avcodec_receive_frame(m_codec.get(), frame);
    if (received == 0) return true;
    if (received == AVERROR_EOF || (received == AVERROR(EAGAIN) && m_draining)) return false;
    if (received != AVERROR(EAGAIN)) {
      ++failures;
      continue;
    }
    if (m_queue.empty()) {
      if (!readMore()) {
        avcodec_send_packet(m_codec.get(), nullptr);
        m_draining = true;
      }
      continue;
    }
    PacketPtr packet = std::move(m_queue.front());
    m_queue.pop_front();
    // The decoder has given out everything it had, so it takes the packet or refuses it for good.
    if (avcodec_send_packet(m_codec.get(), packet.get()) < 0) ++failures;
  }
  return false;
}

}  // namespace plat::bink
