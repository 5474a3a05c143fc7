// A movie's sound: decoded, converted to 16-bit PCM and fed into a looping buffer of the DirectSound
// stand-in's mixer a little ahead of what it plays.
#include "platform/bink/AudioTrack.h"

#include <algorithm>
#include <cstring>

#include "platform/dsound/DSoundTypes.h"

namespace plat::bink {
namespace {

namespace ds = plat::dsound;

// Rates the mixer steps through well; a stream outside them is left silent.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;
// Decoded sound held beyond the ring, should the picture lag far behind the sound in the file.
constexpr uint32_t kMaxPendingMs = 4000;

uint32_t BytesOf(uint32_t ms, uint32_t rate, uint32_t block) {
  return static_cast<uint32_t>(uint64_t{rate} * ms / 1000) * block;
}

}  // namespace

AudioTrack::~AudioTrack() {
  if (m_buffer) m_buffer->Stop();
  av_channel_layout_uninit(&m_resamplerLayout);
}

bool AudioTrack::Open(const AVStream& stream, ds::IDirectSound8& device) {
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  if (!codec) return false;
  m_codec.reset(avcodec_alloc_context3(codec));
  m_frame.reset(av_frame_alloc());
  if (!m_codec || !m_frame || avcodec_parameters_to_context(m_codec.get(), stream.codecpar) < 0) return false;
  m_codec->pkt_timebase = stream.time_base;
  if (avcodec_open2(m_codec.get(), codec, nullptr) < 0) return false;
  const int rate = m_codec->sample_rate;
  const int channels = m_codec->ch_layout.nb_channels;
  if (rate < kMinRate || rate > kMaxRate || channels <= 0) return false;

  // Mono stays mono; everything else is played as stereo.
  m_rate = static_cast<uint32_t>(rate);
  m_channels = channels == 1 ? 1 : 2;
  m_block = 2 * m_channels;
  m_ringBytes = BytesOf(kRingMs, m_rate, m_block);
  ds::WAVEFORMATEX format;
  format.wFormatTag = ds::WAVE_FORMAT_PCM;
  format.nChannels = static_cast<ds::WORD>(m_channels);
  format.nSamplesPerSec = m_rate;
  format.nAvgBytesPerSec = m_rate * m_block;
  format.nBlockAlign = static_cast<ds::WORD>(m_block);
  format.wBitsPerSample = 16;
  ds::DSBUFFERDESC description;
  description.dwFlags = ds::DSBCAPS_GETCURRENTPOSITION2 | ds::DSBCAPS_GLOBALFOCUS;
  description.dwBufferBytes = m_ringBytes;
  description.lpwfxFormat = &format;
  ds::IDirectSoundBuffer8* buffer = nullptr;
  if (plat::win::FAILED(device.CreateSoundBuffer(&description, &buffer, nullptr)) || !buffer) return false;
  m_buffer.reset(buffer);
  return true;
}

bool AudioTrack::Resampler(const AVFrame& frame) {
  if (m_resampler && frame.format == m_resamplerFormat && frame.sample_rate == m_resamplerRate &&
      av_channel_layout_compare(&frame.ch_layout, &m_resamplerLayout) == 0) {
    return true;
  }
  m_resampler.reset();
  av_channel_layout_uninit(&m_resamplerLayout);
  if (frame.sample_rate <= 0 || frame.ch_layout.nb_channels <= 0) return false;
  // A layout that names no channels is taken as the usual one of its channel count.
  AVChannelLayout in{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&frame.ch_layout)) {
    av_channel_layout_default(&in, frame.ch_layout.nb_channels);
  } else if (av_channel_layout_copy(&in, &frame.ch_layout) < 0) {
    return false;
  }
  AVChannelLayout out{};
  av_channel_layout_default(&out, static_cast<int>(m_channels));
  SwrContext* resampler = nullptr;
  const int made =
      swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_S16, static_cast<int>(m_rate), &in,
                          static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
  m_resampler.reset(resampler);
  av_channel_layout_uninit(&in);
  av_channel_layout_uninit(&out);
  if (made < 0 || !resampler || swr_init(resampler) < 0 ||
      av_channel_layout_copy(&m_resamplerLayout, &frame.ch_layout) < 0) {
    m_resampler.reset();
    return false;
  }
  m_resamplerFormat = frame.format;
  m_resamplerRate = frame.sample_rate;
  return true;
}

void AudioTrack::Append(const AVFrame& frame) {
  if (m_pending.size() - m_pendingStart >= BytesOf(kMaxPendingMs, m_rate, m_block)) return;
  if (!Resampler(frame)) return;
  const int room = swr_get_out_samples(m_resampler.get(), frame.nb_samples);
  if (room <= 0) return;
  const size_t old = m_pending.size();
  m_pending.resize(old + static_cast<size_t>(room) * m_block);
  uint8_t* out = m_pending.data() + old;
  const int got = swr_convert(m_resampler.get(), &out, room, const_cast<const uint8_t**>(frame.extended_data),
                              frame.nb_samples);
  m_pending.resize(old + static_cast<size_t>(std::max(got, 0)) * m_block);
}

void AudioTrack::Decode(const AVPacket& packet) {
  if (avcodec_send_packet(m_codec.get(), &packet) < 0) return;
  while (avcodec_receive_frame(m_codec.get(), m_frame.get()) == 0) Append(*m_frame);
}

bool AudioTrack::WantsMore() const {
  const uint64_t ahead = (m_written - m_played) + (m_pending.size() - m_pendingStart);
  return ahead < BytesOf(kAheadMs, m_rate, m_block);
}

void AudioTrack::Start() {
  Feed();
  m_buffer->Play(0, 0, ds::DSBPLAY_LOOPING);
  m_started = true;
}

void AudioTrack::WriteRing(uint64_t offset, const uint8_t* data, uint32_t bytes) {
  if (bytes == 0) return;
  void* first = nullptr;
  void* second = nullptr;
  ds::DWORD firstBytes = 0;
  ds::DWORD secondBytes = 0;
  const auto at = static_cast<ds::DWORD>(offset % m_ringBytes);
  if (plat::win::FAILED(m_buffer->Lock(at, bytes, &first, &firstBytes, &second, &secondBytes, 0))) return;
  if (data) {
    std::memcpy(first, data, firstBytes);
    if (second) std::memcpy(second, data + firstBytes, secondBytes);
  } else {
    std::memset(first, 0, firstBytes);
    if (second) std::memset(second, 0, secondBytes);
  }
  m_buffer->Unlock(first, firstBytes, second, secondBytes);
}

void AudioTrack::Feed() {
  if (m_started) {
    ds::DWORD cursor = 0;
    ds::DWORD writeCursor = 0;
    if (plat::win::SUCCEEDED(m_buffer->GetCurrentPosition(&cursor, &writeCursor)) && cursor < m_ringBytes) {
      const uint32_t moved = (cursor + m_ringBytes - m_lastCursor) % m_ringBytes;
      WriteRing(m_played, nullptr, moved);
      m_played += moved;
      m_lastCursor = cursor;
    }
  }
  // After a stall that let the mixer pass everything written, new sound goes where it plays next.
  m_written = std::max(m_written, m_played);
  const uint64_t room = m_ringBytes - (m_written - m_played);
  const size_t waiting = m_pending.size() - m_pendingStart;
  const auto count = static_cast<uint32_t>(std::min<uint64_t>(room, waiting) / m_block * m_block);
  WriteRing(m_written, m_pending.data() + m_pendingStart, count);
  m_written += count;
  m_pendingStart += count;
  if (m_pendingStart == m_pending.size()) {
    m_pending.clear();
    m_pendingStart = 0;
  } else if (m_pendingStart > m_pending.size() / 2) {
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(m_pendingStart));
    m_pendingStart = 0;
  }
}

}  // namespace plat::bink
