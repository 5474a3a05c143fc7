// An open movie: its container, its video decoder and picture, its sound, and its clock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/bink/AudioTrack.h"
#include "platform/bink/Bink.h"
#include "platform/bink/ByteSource.h"
#include "platform/bink/Demuxer.h"
#include "platform/bink/FFmpegPtr.h"
#include "platform/bink/FrameCopier.h"
#include "platform/bink/VideoDecoder.h"

namespace plat::bink {

class BinkSoundSystem;

class Movie final : public BINK {
public:
  // Largest pictures opened (those of FFmpeg's Bink reader), longest and quickest frames, most frames.
  static constexpr U32 kMaxWidth = 7680;
  static constexpr U32 kMaxHeight = 4800;
  static constexpr int kMinFramesPer10Seconds = 1;
  static constexpr int kMaxFramesPerSecond = 1000;
  static constexpr U32 kMaxFrames = 1u << 24;

  // Null with the reason in why. With a sound system, a movie with sound plays it through the system's
  // device.
  static std::unique_ptr<Movie> Open(std::unique_ptr<ByteSource> source, const BinkSoundSystem* sound,
                                     std::string& why);
  ~Movie();

  // The calls of the same names in Bink.h.
  S32 Wait();
  S32 DoFrame();
  void NextFrame();
  S32 CopyToBuffer(void* dest, S32 destPitch, U32 destHeight, U32 destX, U32 destY, U32 type);
  // Why no frame came before the announced count; empty while none is missing.
  const std::string& GetFailure() const { return m_failure; }

private:
  Movie() = default;
  bool Init(std::unique_ptr<ByteSource> source, const BinkSoundSystem* sound, std::string& why);
  bool TakeTiming(AVStream& video, std::string& why);
  // Reads one packet: video for the decoder's queue, sound for the sound's decoder. False at the end.
  bool ReadPacket();
  // Reads ahead until the sound has enough waiting (as far as the picture's queue allows), then feeds it.
  void FeedSound();
  void StartClock();

  Demuxer m_input;
  int m_videoIndex = -1;
  int m_audioIndex = -1;
  VideoDecoder m_video;
  std::unique_ptr<AudioTrack> m_audio;
  FrameCopier m_copier;
  // The picture last decoded, and the one being decoded (kept apart, so a failure keeps the last one).
  FramePtr m_picture;
  FramePtr m_decoding;
  PacketPtr m_packet;
  bool m_hasPicture = false;
  // The picture of frame FrameNum + 1 is decoded and waits for BinkNextFrame.
  bool m_decoded = false;
  // No picture is left: the count was reached, or the stream ended or failed before.
  bool m_finished = false;
  bool m_clockStarted = false;
  uint32_t m_clockStart = 0;
  std::string m_failure;
};

}  // namespace plat::bink
