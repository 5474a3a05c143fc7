// Short test movies written through FFmpeg: a solid colour per frame or a moving pattern, with an optional
// 16-bit PCM track, in AVI.
#include "platform/bink-encoder/MovieEncoder.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include "platform/bink/FFmpegPtr.h"

namespace plat::bink_encoder {
namespace {

using plat::bink::CodecPtr;
using plat::bink::FramePtr;
using plat::bink::PacketPtr;
using plat::bink::SwsPtr;

// An output container is freed otherwise than an input one: its file is closed first.
struct OutputFree {
  void operator()(AVFormatContext* output) const {
    if (output->pb && !(output->oformat->flags & AVFMT_NOFILE)) avio_closep(&output->pb);
    avformat_free_context(output);
  }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputFree>;

std::string Why(const char* what, int code) {
  return std::string(what) + ": " + plat::bink::ErrorText(code);
}

// An encoder and the stream it writes.
struct Track {
  CodecPtr codec;
  AVStream* stream = nullptr;
};

bool AddTrack(AVFormatContext* output, AVCodecID id, Track& track,
              const std::function<void(AVCodecContext&)>& set, std::string& error) {
  const AVCodec* codec = avcodec_find_encoder(id);
  if (!codec) {
    error = std::string("no encoder for ") + avcodec_get_name(id);
    return false;
  }
  track.codec.reset(avcodec_alloc_context3(codec));
  track.stream = avformat_new_stream(output, nullptr);
  if (!track.codec || !track.stream) {
    error = "out of memory";
    return false;
  }
  set(*track.codec);
  if (output->oformat->flags & AVFMT_GLOBALHEADER) track.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (const int opened = avcodec_open2(track.codec.get(), codec, nullptr); opened < 0) {
    error = Why("the encoder does not start", opened);
    return false;
  }
  track.stream->time_base = track.codec->time_base;
  if (const int copied = avcodec_parameters_from_context(track.stream->codecpar, track.codec.get());
      copied < 0) {
    error = Why("the stream takes no parameters", copied);
    return false;
  }
  return true;
}

// Sends a frame (null to drain) and writes every packet the encoder gives back.
bool Encode(AVFormatContext* output, Track& track, const AVFrame* frame, AVPacket* packet,
            std::string& error) {
  if (const int sent = avcodec_send_frame(track.codec.get(), frame); sent < 0) {
    error = Why("the encoder refuses a frame", sent);
    return false;
  }
  for (;;) {
    const int received = avcodec_receive_packet(track.codec.get(), packet);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) {
      error = Why("the encoder fails", received);
      return false;
    }
    av_packet_rescale_ts(packet, track.codec->time_base, track.stream->time_base);
    packet->stream_index = track.stream->index;
    if (const int written = av_interleaved_write_frame(output, packet); written < 0) {
      error = Why("the file takes no packet", written);
      return false;
    }
  }
}

// The picture of one frame in 8-bit BGR0, the layout every encoder here starts from.
void Paint(const MovieSpec& spec, int index, std::vector<uint8_t>& pixels) {
  pixels.resize(static_cast<size_t>(spec.width) * static_cast<size_t>(spec.height) * 4);
  for (int y = 0; y < spec.height; ++y) {
    for (int x = 0; x < spec.width; ++x) {
      const uint32_t colour =
          spec.moving ? MovingColour(x, y, index) : spec.frames[static_cast<size_t>(index)];
      uint8_t* at = pixels.data() +
                    (static_cast<size_t>(y) * static_cast<size_t>(spec.width) + static_cast<size_t>(x)) * 4;
      at[0] = static_cast<uint8_t>(colour);
      at[1] = static_cast<uint8_t>(colour >> 8);
      at[2] = static_cast<uint8_t>(colour >> 16);
      at[3] = 0;
    }
  }
}

class Writer {
public:
  Writer(const MovieSpec& spec, std::string& error) : m_spec(spec), m_error(error) {}

  bool Write(const std::string& path);

private:
  bool Open(const std::string& path);
  bool WriteVideo(int index);
  // Writes the sound up to sample frame end.
  bool WriteAudio(int64_t end);
  int64_t AudioFrames() const {
    return m_spec.audioChannels > 0 ? static_cast<int64_t>(m_spec.audio.size()) / m_spec.audioChannels : 0;
  }

  const MovieSpec& m_spec;
  std::string& m_error;
  OutputPtr m_output;
  Track m_video;
  Track m_audio;
  FramePtr m_picture;
  FramePtr m_sound;
  PacketPtr m_packet;
  SwsPtr m_toYuv;
  std::vector<uint8_t> m_pixels;
  int64_t m_audioWritten = 0;
};

bool Writer::Open(const std::string& path) {
  AVFormatContext* output = nullptr;
  if (const int made = avformat_alloc_output_context2(&output, nullptr, "avi", path.c_str()); made < 0) {
    m_error = Why("no AVI writer", made);
    return false;
  }
  m_output.reset(output);
  const bool rgb = m_spec.codec == VideoCodec::kLosslessRgb;
  const AVCodecID id = m_spec.codec == VideoCodec::kMpeg4 ? AV_CODEC_ID_MPEG4 : AV_CODEC_ID_FFV1;
  const auto setVideo = [&](AVCodecContext& codec) {
    codec.width = m_spec.width;
    codec.height = m_spec.height;
    codec.time_base = AVRational{m_spec.rateDen, m_spec.rateNum};
    codec.framerate = AVRational{m_spec.rateNum, m_spec.rateDen};
    codec.pix_fmt = rgb ? AV_PIX_FMT_BGR0 : AV_PIX_FMT_YUV420P;
    if (m_spec.codec == VideoCodec::kMpeg4) {
      codec.flags |= AV_CODEC_FLAG_QSCALE;
      codec.global_quality = FF_QP2LAMBDA * m_spec.quality;
      codec.gop_size = 12;
    }
  };
  if (!AddTrack(output, id, m_video, setVideo, m_error)) return false;
  if (m_spec.audioChannels > 0) {
    const auto setAudio = [&](AVCodecContext& codec) {
      codec.sample_fmt = AV_SAMPLE_FMT_S16;
      codec.sample_rate = m_spec.audioRate;
      av_channel_layout_default(&codec.ch_layout, m_spec.audioChannels);
      codec.time_base = AVRational{1, m_spec.audioRate};
    };
    if (!AddTrack(output, AV_CODEC_ID_PCM_S16LE, m_audio, setAudio, m_error)) return false;
  }
  m_picture.reset(av_frame_alloc());
  m_sound.reset(av_frame_alloc());
  m_packet.reset(av_packet_alloc());
  if (!m_picture || !m_sound || !m_packet) {
    m_error = "out of memory";
    return false;
  }
  m_picture->format = m_video.codec->pix_fmt;
  m_picture->width = m_spec.width;
  m_picture->height = m_spec.height;
  if (const int got = av_frame_get_buffer(m_picture.get(), 0); got < 0) {
    m_error = Why("no picture", got);
    return false;
  }
  if (!rgb) {
    m_toYuv.reset(sws_getContext(m_spec.width, m_spec.height, AV_PIX_FMT_BGR0, m_spec.width, m_spec.height,
                                 AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr, nullptr));
    if (!m_toYuv) {
      m_error = "no conversion to YUV 4:2:0";
      return false;
    }
  }
  if (const int opened = avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE); opened < 0) {
    m_error = Why("the file does not open", opened);
    return false;
  }
  if (const int written = avformat_write_header(output, nullptr); written < 0) {
    m_error = Why("the header is not written", written);
    return false;
  }
  return true;
}

bool Writer::WriteVideo(int index) {
  Paint(m_spec, index, m_pixels);
  if (const int writable = av_frame_make_writable(m_picture.get()); writable < 0) {
    m_error = Why("the picture cannot be written", writable);
    return false;
  }
  const uint8_t* source[4] = {m_pixels.data(), nullptr, nullptr, nullptr};
  const int sourcePitch[4] = {m_spec.width * 4, 0, 0, 0};
  if (m_toYuv) {
    sws_scale(m_toYuv.get(), source, sourcePitch, 0, m_spec.height, m_picture->data, m_picture->linesize);
  } else {
    for (int y = 0; y < m_spec.height; ++y) {
      std::memcpy(m_picture->data[0] + static_cast<ptrdiff_t>(y) * m_picture->linesize[0],
                  m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(sourcePitch[0]),
                  static_cast<size_t>(sourcePitch[0]));
    }
  }
  m_picture->pts = index;
  return Encode(m_output.get(), m_video, m_picture.get(), m_packet.get(), m_error);
}

bool Writer::WriteAudio(int64_t end) {
  end = std::min(end, AudioFrames());
  if (!m_audio.codec || end <= m_audioWritten) return true;
  av_frame_unref(m_sound.get());
  m_sound->format = AV_SAMPLE_FMT_S16;
  m_sound->sample_rate = m_spec.audioRate;
  av_channel_layout_default(&m_sound->ch_layout, m_spec.audioChannels);
  m_sound->nb_samples = static_cast<int>(end - m_audioWritten);
  if (const int got = av_frame_get_buffer(m_sound.get(), 0); got < 0) {
    m_error = Why("no sound frame", got);
    return false;
  }
  std::memcpy(m_sound->data[0], m_spec.audio.data() + m_audioWritten * m_spec.audioChannels,
              static_cast<size_t>(m_sound->nb_samples) * static_cast<size_t>(m_spec.audioChannels) * 2);
  m_sound->pts = m_audioWritten;
  m_audioWritten = end;
  return Encode(m_output.get(), m_audio, m_sound.get(), m_packet.get(), m_error);
}

bool Writer::Write(const std::string& path) {
  if (m_spec.width <= 0 || m_spec.height <= 0 || m_spec.rateNum <= 0 || m_spec.rateDen <= 0 ||
      m_spec.frames.empty() || m_spec.audioChannels < 0 || m_spec.audioChannels > 2 ||
      (m_spec.audioChannels > 0 && m_spec.audioRate <= 0)) {
    m_error = "not a movie that can be written";
    return false;
  }
  if (!Open(path)) return false;
  const auto frames = static_cast<int>(m_spec.frames.size());
  for (int index = 0; index < frames; ++index) {
    // The sound of each frame goes just before its picture, as a muxer interleaves them.
    const int64_t soundEnd = (int64_t{index} + 1) * m_spec.audioRate * m_spec.rateDen / m_spec.rateNum;
    if (!WriteAudio(soundEnd) || !WriteVideo(index)) return false;
  }
  if (!WriteAudio(AudioFrames())) return false;
  if (!Encode(m_output.get(), m_video, nullptr, m_packet.get(), m_error)) return false;
  if (m_audio.codec && !Encode(m_output.get(), m_audio, nullptr, m_packet.get(), m_error)) return false;
  if (const int written = av_write_trailer(m_output.get()); written < 0) {
    m_error = Why("the file cannot be finished", written);
    return false;
  }
  return true;
}

}  // namespace

uint32_t MovingColour(int x, int y, int frame) {
  // Gradients that slide at different speeds, with a fine texture on top.
  const uint32_t texture =
      ((static_cast<uint32_t>(x) * 7919u) ^ (static_cast<uint32_t>(y) * 104729u)) >> 3 & 15u;
  const uint32_t red = (static_cast<uint32_t>(x + 4 * frame) + texture) & 0xFF;
  const uint32_t green = (static_cast<uint32_t>(y + 3 * frame) + texture) & 0xFF;
  const uint32_t blue = (static_cast<uint32_t>(x + y + 2 * frame)) & 0xFF;
  return red << 16 | green << 8 | blue;
}

bool WriteMovie(const std::string& path, const MovieSpec& spec, std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  return Writer(spec, error).Write(path);
}

}  // namespace plat::bink_encoder
