// An open movie: its container, its video decoder and picture, its sound, and its clock.
#include "platform/bink/Movie.h"

extern "C" {
#include <libavutil/mathematics.h>
#include <libavutil/rational.h>
}

#include "platform/bink/BinkSoundSystem.h"
#include "platform/win/kernel/Timer.h"

namespace plat::bink {
namespace {

// The stream's own rate, else the container's guess.
AVRational RateOf(AVFormatContext* format, AVStream* stream) {
  if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) return stream->avg_frame_rate;
  if (stream->r_frame_rate.num > 0 && stream->r_frame_rate.den > 0) return stream->r_frame_rate;
  return av_guess_frame_rate(format, stream, nullptr);
}

// The stream's frame count, else its duration (the stream's, else the container's) in frames.
int64_t FrameCountOf(AVFormatContext* format, AVStream* stream, AVRational rate) {
  if (stream->nb_frames > 0) return stream->nb_frames;
  const AVRational frameTime = av_inv_q(rate);
  if (stream->duration > 0 && stream->duration != AV_NOPTS_VALUE)
    return av_rescale_q(stream->duration, stream->time_base, frameTime);
  if (format->duration > 0 && format->duration != AV_NOPTS_VALUE)
    return av_rescale_q(format->duration, AV_TIME_BASE_Q, frameTime);
  return 0;
}

}  // namespace

std::unique_ptr<Movie> Movie::Open(std::unique_ptr<ByteSource> source, const BinkSoundSystem* sound,
                                   std::string& why) {
  std::unique_ptr<Movie> movie(new Movie);
  if (!movie->Init(std::move(source), sound, why)) movie.reset();
  return movie;
}

Movie::~Movie() = default;

bool Movie::TakeTiming(AVStream& video, std::string& why) {
  AVFormatContext* format = m_input.Format();
  const AVRational rate = RateOf(format, &video);
  if (rate.num <= 0 || rate.den <= 0) {
    why = "its frame rate is unknown";
    return false;
  }
  // Small terms keep the clock's arithmetic inside 64 bits.
  int num = 0;
  int den = 0;
  av_reduce(&num, &den, rate.num, rate.den, 1 << 20);
  if (num <= 0 || den <= 0 || int64_t{num} * 10 < int64_t{den} * kMinFramesPer10Seconds ||
      int64_t{num} > int64_t{den} * kMaxFramesPerSecond) {
    why = "its frame rate " + std::to_string(rate.num) + "/" + std::to_string(rate.den) + " is not a movie's";
    return false;
  }
  const int64_t frames = FrameCountOf(format, &video, AVRational{num, den});
  if (frames <= 0 || frames > kMaxFrames) {
    why = frames <= 0 ? "its frame count is unknown" : "it announces too many frames";
    return false;
  }
  FrameRate = static_cast<U32>(num);
  FrameRateDiv = static_cast<U32>(den);
  Frames = static_cast<U32>(frames);
  return true;
}

bool Movie::Init(std::unique_ptr<ByteSource> source, const BinkSoundSystem* sound, std::string& why) {
  if (!m_input.Open(std::move(source), why)) return false;
  AVFormatContext* format = m_input.Format();
  m_videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (m_videoIndex < 0) {
    why = "it holds no video";
    return false;
  }
  AVStream& video = *format->streams[m_videoIndex];
  const AVCodecParameters& parameters = *video.codecpar;
  if (parameters.width <= 0 || parameters.height <= 0 || static_cast<U32>(parameters.width) > kMaxWidth ||
      static_cast<U32>(parameters.height) > kMaxHeight) {
    why = "its picture size " + std::to_string(parameters.width) + " x " + std::to_string(parameters.height) +
          " is not a movie's";
    return false;
  }
  if (!TakeTiming(video, why) || !m_video.Open(video, why)) return false;
  Width = static_cast<U32>(parameters.width);
  Height = static_cast<U32>(parameters.height);

  if (sound) {
    m_audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, m_videoIndex, nullptr, 0);
    if (m_audioIndex >= 0) {
      m_audio = std::make_unique<AudioTrack>();
      if (!m_audio->Open(*format->streams[m_audioIndex], sound->Device())) {
        m_audio.reset();
        m_audioIndex = -1;
      }
    }
  }
  // Only the streams played are read on.
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    if (static_cast<int>(i) != m_videoIndex && static_cast<int>(i) != m_audioIndex)
      format->streams[i]->discard = AVDISCARD_ALL;
  }
  m_picture.reset(av_frame_alloc());
  m_decoding.reset(av_frame_alloc());
  m_packet.reset(av_packet_alloc());
  if (!m_picture || !m_decoding || !m_packet) {
    why = "out of memory";
    return false;
  }
  return true;
}

bool Movie::ReadPacket() {
  if (!m_input.Read(m_packet.get())) return false;
  if (m_packet->stream_index == m_videoIndex) {
    PacketPtr queued(av_packet_alloc());
    if (queued) {
      av_packet_move_ref(queued.get(), m_packet.get());
      m_video.Queue(std::move(queued));
    }
  } else if (m_audio && m_packet->stream_index == m_audioIndex) {
    m_audio->Decode(*m_packet);
  }
  av_packet_unref(m_packet.get());
  return true;
}

void Movie::FeedSound() {
  if (!m_audio) return;
  m_audio->Feed();
  while (m_audio->WantsMore() && !m_video.IsFull() && ReadPacket()) {
  }
  m_audio->Feed();
}

void Movie::StartClock() {
  if (m_clockStarted) return;
  m_clockStarted = true;
  m_clockStart = plat::win::timeGetTime();
}

S32 Movie::Wait() {
  StartClock();
  FeedSound();
  const uint64_t elapsed = plat::win::timeGetTime() - m_clockStart;
  return elapsed * FrameRate >= uint64_t{FrameNum} * 1000u * FrameRateDiv ? 0 : 1;
}

S32 Movie::DoFrame() {
  if (m_decoded) return 0;
  if (m_finished || FrameNum >= Frames) {
    m_finished = true;
    return -1;
  }
  StartClock();
  if (!m_video.Decode(m_decoding.get(), [this] { return ReadPacket(); })) {
    m_finished = true;
    m_failure = m_input.AtEnd() ? "the file ends there, so it is cut short"
                                : "frame " + std::to_string(FrameNum + 1) + " cannot be decoded";
    return -1;
  }
  av_frame_unref(m_picture.get());
  av_frame_move_ref(m_picture.get(), m_decoding.get());
  m_hasPicture = true;
  m_decoded = true;
  // The sound starts with the first picture, with as much read ahead as it wants.
  const bool first = FrameNum == 0;
  FeedSound();
  if (first && m_audio) m_audio->Start();
  return 0;
}

void Movie::NextFrame() {
  if (!m_decoded && DoFrame() != 0) return;
  m_decoded = false;
  ++FrameNum;
}

S32 Movie::CopyToBuffer(void* dest, S32 destPitch, U32 destHeight, U32 destX, U32 destY, U32 type) {
  if (!m_hasPicture) return -1;
  return m_copier.Copy(*m_picture, static_cast<uint8_t*>(dest), destPitch, destHeight, destX, destY, type);
}

}  // namespace plat::bink
