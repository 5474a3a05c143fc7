// Streamed sounds played as the sound manager plays them: the mix rendered in pieces, the stream's event
// polled with a zero wait between them and the ring refilled when it is set.
#include "SoundFixture.h"
#include "platform/win/kernel/Events.h"

using namespace soundtest;
using plat::win::S_OK;
using Qel::CStreamingSound;

namespace {

constexpr size_t kNever = static_cast<size_t>(-1);
constexpr size_t kPiece = 512;  // what the audio callback renders at a time

class StreamTest : public SoundTest {
protected:
  void SetUp() override {
    SoundTest::SetUp();
    m_event = plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
    ASSERT_NE(m_event, nullptr);
  }
  void TearDown() override { plat::win::CloseHandle(m_event); }

  // Five segments of two seconds, as the sound manager makes them.
  std::unique_ptr<CStreamingSound> MakeStream(const test::WaveFormat& format, const std::string& data) {
    std::unique_ptr<CStreamingSound> stream;
    const DWORD segment = format.rate * format.Block() * 2;
    EXPECT_EQ(m_device.CreateStreamingSound(&stream, WriteWave("stream.wav", format, data).c_str(),
                                            kStreamFlags, DS3DALG_DEFAULT, 5, segment, m_event),
              DS_OK);
    return stream;
  }

  // Renders up to frames frames; endedAt is where the stream was first found stopped (kNever if not).
  std::vector<int16_t> Stream(CStreamingSound& stream, bool loop, size_t frames, size_t* endedAt) {
    std::vector<int16_t> out;
    *endedAt = kNever;
    for (size_t done = 0; done < frames; done += kPiece) {
      const std::vector<int16_t> piece = Render(kPiece);
      out.insert(out.end(), piece.begin(), piece.end());
      if (plat::win::WaitForSingleObject(m_event, 0) == plat::win::WAIT_OBJECT_0) {
        EXPECT_EQ(stream.Refill(loop), S_OK);
      }
      if (!stream.IsPlaying()) {
        *endedAt = done + kPiece;
        break;
      }
    }
    return out;
  }

  // The left channel of out against the wave's data from frame 0, repeated when it loops.
  static void ExpectWave(const std::vector<int16_t>& out, const std::string& data,
                         const test::WaveFormat& format, size_t frames) {
    const size_t waveFrames = data.size() / format.Block();
    ASSERT_GE(out.size(), 2 * frames);
    for (size_t frame = 0; frame < frames; ++frame) {
      ASSERT_EQ(out[2 * frame], SampleOf(data, format, frame % waveFrames, 0)) << "frame " << frame;
    }
  }

  static void ExpectSilence(const std::vector<int16_t>& out, size_t fromFrame) {
    for (size_t frame = fromFrame; 2 * frame < out.size(); ++frame) ASSERT_EQ(out[2 * frame], 0) << frame;
  }

  plat::win::HANDLE m_event = nullptr;
};

const test::WaveFormat kMono8{1, 1, 22050, 8};

}  // namespace

TEST_F(StreamTest, ALongStreamReproducesItsWaveAndStopsAtItsEnd) {
  struct Case {
    const char* name;
    size_t frames;
  };
  // Thirty seconds end on a segment's end; the other length ends inside one.
  for (const Case& c : {Case{"30 s", 30 * 22050}, Case{"23.7 s", 522585}}) {
    SCOPED_TRACE(c.name);
    const std::string data = test::Pattern(c.frames, 42);
    std::unique_ptr<CStreamingSound> stream = MakeStream(kMono8, data);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetBufferSize(), 5u * 44100u);
    ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
    size_t endedAt = kNever;
    const std::vector<int16_t> out = Stream(*stream, false, c.frames + 5 * 22050, &endedAt);
    ExpectWave(out, data, kMono8, c.frames);
    // Found stopped within two pieces of the wave's end, with only silence after it.
    EXPECT_GE(endedAt, c.frames);
    EXPECT_LE(endedAt, c.frames + 2 * kPiece);
    ExpectSilence(out, c.frames);
  }
}

TEST_F(StreamTest, OneShotsThatFitTheirRingFinishAndPlayAgainFromTheStart) {
  struct Case {
    const char* name;
    test::WaveFormat format;
    size_t frames;
    DWORD bufferSize;
  };
  const Case cases[] = {
      // Shorter than the ring: one buffer of its own size.
      {"3 s", kMono8, 3 * 22050, 3 * 22050},
      {"3 s 16-bit stereo", {1, 2, 22050, 16}, 3 * 22050, 3 * 22050 * 4},
      // Exactly five segments.
      {"10 s", kMono8, 10 * 22050, 10 * 22050},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string data = test::Pattern(c.frames * c.format.Block(), 7);
    std::unique_ptr<CStreamingSound> stream = MakeStream(c.format, data);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetBufferSize(), c.bufferSize);
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
      size_t endedAt = kNever;
      const std::vector<int16_t> out = Stream(*stream, false, c.frames + 5 * 22050, &endedAt);
      ExpectWave(out, data, c.format, c.frames);
      EXPECT_GE(endedAt, c.frames);
      EXPECT_LE(endedAt, c.frames + 2 * kPiece);
      // The ring wraps before the stop is seen: what it plays then is silence, not the wave's start.
      ExpectSilence(out, c.frames);
    }
  }
}

TEST_F(StreamTest, ARestartedStreamPlaysFromItsStartAndRunsItsFullLength) {
  const size_t frames = 30 * 22050;
  const std::string data = test::Pattern(frames, 3);
  std::unique_ptr<CStreamingSound> stream = MakeStream(kMono8, data);
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
  size_t endedAt = kNever;
  Stream(*stream, false, 12 * 22050, &endedAt);
  ASSERT_EQ(endedAt, kNever);

  // A restart as the sound does it: stop, rewind, play.
  ASSERT_EQ(stream->Stop(), S_OK);
  ASSERT_EQ(stream->Reset(), S_OK);
  ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
  const std::vector<int16_t> out = Stream(*stream, false, frames + 5 * 22050, &endedAt);
  ExpectWave(out, data, kMono8, frames);
  EXPECT_GE(endedAt, frames);
  EXPECT_LE(endedAt, frames + 2 * kPiece);
}

TEST_F(StreamTest, ALoopedStreamGoesBackToItsStartWithoutAGap) {
  struct Case {
    const char* name;
    size_t frames;
  };
  // One that fits its ring and one that is refilled across its end.
  for (const Case& c : {Case{"3 s", 3 * 22050}, Case{"12.5 s", 275625}}) {
    SCOPED_TRACE(c.name);
    const std::string data = test::Pattern(c.frames, 9);
    std::unique_ptr<CStreamingSound> stream = MakeStream(kMono8, data);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
    size_t endedAt = kNever;
    const size_t played = 2 * c.frames + 22050;
    const std::vector<int16_t> out = Stream(*stream, true, played, &endedAt);
    EXPECT_EQ(endedAt, kNever);
    ExpectWave(out, data, kMono8, played);
    EXPECT_TRUE(stream->IsPlaying());
  }
}

TEST_F(StreamTest, ALostRingStartsOverFromTheWavesStart) {
  const std::string data = test::Pattern(12 * 22050, 4);
  std::unique_ptr<CStreamingSound> stream = MakeStream(kMono8, data);
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->Play(0, DSBPLAY_LOOPING), DS_OK);
  size_t endedAt = kNever;
  Stream(*stream, false, 3 * 22050, &endedAt);
  ASSERT_EQ(LoseBufferForTesting(stream->GetBuffer(0), 2), DS_OK);
  EXPECT_EQ(stream->Refill(false), S_OK);
  EXPECT_EQ(Contents(stream->GetBuffer(0)), data.substr(0, 5 * 44100));
  DWORD play = 1;
  ASSERT_EQ(stream->GetBuffer(0)->GetCurrentPosition(&play, nullptr), DS_OK);
  EXPECT_EQ(play, 0u);
}

TEST_F(StreamTest, CreateStreamingSoundChecksItsArgumentsAndAsksForNotifications) {
  const std::string name = WriteWave("s.wav", {1, 2, 22050, 16}, test::Pattern(4000));
  std::unique_ptr<CStreamingSound> stream;
  using plat::win::E_INVALIDARG;
  EXPECT_EQ(
      m_device.CreateStreamingSound(&stream, name.c_str(), kStreamFlags, DS3DALG_DEFAULT, 5, 1000, nullptr),
      E_INVALIDARG);
  EXPECT_EQ(
      m_device.CreateStreamingSound(&stream, name.c_str(), kStreamFlags, DS3DALG_DEFAULT, 0, 1000, m_event),
      E_INVALIDARG);
  EXPECT_EQ(
      m_device.CreateStreamingSound(&stream, name.c_str(), kStreamFlags, DS3DALG_DEFAULT, 5, 1002, m_event),
      E_INVALIDARG);  // not whole frames
  EXPECT_EQ(m_device.CreateStreamingSound(&stream, name.c_str(), kStreamFlags, DS3DALG_DEFAULT, 0x10000,
                                          0x10000, m_event),
            E_INVALIDARG);
  EXPECT_EQ(
      m_device.CreateStreamingSound(&stream, "missing.wav", kStreamFlags, DS3DALG_DEFAULT, 5, 1000, m_event),
      plat::win::E_FAIL);
  EXPECT_EQ(stream, nullptr);

  ASSERT_EQ(
      m_device.CreateStreamingSound(&stream, name.c_str(), kStreamFlags, DS3DALG_DEFAULT, 3, 1000, m_event),
      DS_OK);
  EXPECT_EQ(stream->GetBufferSize(), 3000u);
  EXPECT_EQ(stream->GetSegmentSize(), 1000u);
  DSBCAPS caps;
  ASSERT_EQ(stream->GetBuffer(0)->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.dwFlags & 0x101E0u, 0x101E0u);
  EXPECT_EQ(Contents(stream->GetBuffer(0)), test::Pattern(4000).substr(0, 3000));
}
