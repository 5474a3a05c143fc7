// A movie's sound: decoded, converted to 16-bit PCM and fed into a looping buffer of the DirectSound
// stand-in's mixer a little ahead of what it plays.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bink/FFmpegPtr.h"
#include "platform/dsound/IDirectSound8.h"
#include "platform/dsound/IDirectSoundBuffer8.h"

namespace plat::bink {

class AudioTrack {
public:
  // The ring the mixer plays, and how much of it is kept written ahead of the play cursor.
  static constexpr uint32_t kRingMs = 1000;
  static constexpr uint32_t kAheadMs = 500;

  AudioTrack() = default;
  ~AudioTrack();
  AudioTrack(const AudioTrack&) = delete;
  AudioTrack& operator=(const AudioTrack&) = delete;

  // False when the stream cannot be decoded or the device makes no buffer: the movie plays silent.
  bool Open(const AVStream& stream, plat::dsound::IDirectSound8& device);

  // Decodes a packet of the stream; what cannot be decoded is left out.
  void Decode(const AVPacket& packet);
  // Less than the read-ahead is written or waiting.
  bool WantsMore() const;
  // Starts the buffer playing in a loop, with what has been decoded so far written.
  void Start();
  // Takes note of what the mixer has played (and silences it, so that a stalled feed loops silence, not
  // old sound) and writes what waits into the room ahead.
  void Feed();

  uint32_t Rate() const { return m_rate; }
  uint32_t Channels() const { return m_channels; }

private:
  struct Release {
    void operator()(plat::dsound::IDirectSoundBuffer8* buffer) const { buffer->Release(); }
  };

  bool Resampler(const AVFrame& frame);
  void Append(const AVFrame& frame);
  // Writes bytes of data (silence when null) into the ring at the byte offset, wrapping at its end.
  void WriteRing(uint64_t offset, const uint8_t* data, uint32_t bytes);

  CodecPtr m_codec;
  SwrPtr m_resampler;
  AVChannelLayout m_resamplerLayout{};
  int m_resamplerFormat = -1;
  int m_resamplerRate = 0;
  FramePtr m_frame;
  std::unique_ptr<plat::dsound::IDirectSoundBuffer8, Release> m_buffer;
  uint32_t m_rate = 0;
  uint32_t m_channels = 0;
  uint32_t m_block = 0;
  uint32_t m_ringBytes = 0;
  // Decoded sound not yet in the ring, from m_pendingStart on.
  std::vector<uint8_t> m_pending;
  size_t m_pendingStart = 0;
  // Bytes written into and played from the ring since the start; written is never behind played.
  uint64_t m_written = 0;
  uint64_t m_played = 0;
  uint32_t m_lastCursor = 0;
  bool m_started = false;
};

}  // namespace plat::bink
