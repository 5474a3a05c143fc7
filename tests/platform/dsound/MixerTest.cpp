// The mixer through Render with no device: exactness, volume, pan, rate, notifications, ends and loops.
#include <cmath>

#include "MixerFixture.h"
#include "platform/win/kernel/Events.h"
#include "support/WaveBytes.h"

using namespace dstest;
using plat::win::HANDLE;

namespace {

struct FormatCase {
  const char* name;
  WORD channels;
  WORD bits;
};

constexpr FormatCase kFormats[] = {
    {"16-bit mono", 1, 16}, {"16-bit stereo", 2, 16}, {"8-bit mono", 1, 8}, {"8-bit stereo", 2, 8}};

int32_t Left(const std::vector<int16_t>& out, size_t frame) {
  return out[2 * frame];
}
int32_t Right(const std::vector<int16_t>& out, size_t frame) {
  return out[2 * frame + 1];
}

bool Silent(const std::vector<int16_t>& out, size_t fromFrame, size_t toFrame, int channel) {
  for (size_t frame = fromFrame; frame < toFrame; ++frame) {
    if (out[2 * frame + channel] != 0) return false;
  }
  return true;
}

bool Polled(HANDLE event) {
  return plat::win::WaitForSingleObject(event, 0) == plat::win::WAIT_OBJECT_0;
}

}  // namespace

TEST_F(MixerTest, AWaveAtTheOutputRateAndFullVolumeComesOutBitExactThenStops) {
  for (const FormatCase& c : kFormats) {
    SCOPED_TRACE(c.name);
    const WAVEFORMATEX format = Pcm(c.channels, 22050, c.bits);
    const size_t frames = 1001;
    const std::string data = test::Pattern(frames * format.nBlockAlign, c.channels * 100 + c.bits);
    IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    // Pieces that never line up with the buffer's end.
    const std::vector<int16_t> out = Render(frames + 100, 37);
    for (size_t frame = 0; frame < frames; ++frame) {
      ASSERT_EQ(Left(out, frame), SampleOf(data, format, frame, 0)) << frame;
      ASSERT_EQ(Right(out, frame), SampleOf(data, format, frame, 1)) << frame;
    }
    EXPECT_TRUE(Silent(out, frames, frames + 100, 0) && Silent(out, frames, frames + 100, 1));
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(PlayCursor(buffer), 0u);
  }
}

TEST_F(MixerTest, AStoppedVoiceKeepsItsCursorAndAnEndedOnePlaysAgainFromItsStart) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const std::string data = test::Pattern(400 * 2);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  Render(100);
  ASSERT_EQ(buffer->Stop(), DS_OK);
  EXPECT_EQ(PlayCursor(buffer), 200u);
  EXPECT_TRUE(Silent(Render(50), 0, 50, 0));
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  std::vector<int16_t> out = Render(300);
  EXPECT_EQ(Left(out, 0), SampleOf(data, format, 100, 0));
  EXPECT_EQ(Status(buffer), 0u);
  EXPECT_EQ(PlayCursor(buffer), 0u);

  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  out = Render(400);
  for (size_t frame = 0; frame < 400; ++frame) ASSERT_EQ(Left(out, frame), SampleOf(data, format, frame, 0));
}

TEST_F(MixerTest, VolumeAttenuatesInHundredthsOfADecibelAndRefusesGain) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const std::string data = test::U16(20000) + test::U16(static_cast<uint16_t>(-20000));
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
  LONG volume = 1;
  ASSERT_EQ(buffer->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, 0);

  struct Case {
    LONG volume;
    double factor;
  };
  // -602 hundredths of a decibel halve the amplitude; -10000 is silence, not just very quiet.
  for (const Case& c : {Case{-602, 0.5}, Case{-2000, 0.1}, Case{-6000, 0.001}, Case{-10000, 0.0}}) {
    SCOPED_TRACE(c.volume);
    ASSERT_EQ(buffer->SetVolume(c.volume), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    const std::vector<int16_t> out = Render(2);
    EXPECT_NEAR(Left(out, 0), 20000 * c.factor, 1.0);
    EXPECT_NEAR(Right(out, 1), -20000 * c.factor, 1.0);
  }
  for (LONG refused : {1, 100, -10001}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(buffer->SetVolume(refused), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, -10000);
  }
}

TEST_F(MixerTest, PanAttenuatesTheOtherSideOnly) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const std::string data = test::Pattern(200 * 2);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
  struct Case {
    LONG pan;
    double left;
    double right;
  };
  for (const Case& c :
       {Case{10000, 0.0, 1.0}, Case{-10000, 1.0, 0.0}, Case{602, 0.5, 1.0}, Case{-2000, 1.0, 0.1}}) {
    SCOPED_TRACE(c.pan);
    ASSERT_EQ(buffer->SetPan(c.pan), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    const std::vector<int16_t> out = Render(200);
    for (size_t frame = 0; frame < 200; ++frame) {
      const int32_t sample = SampleOf(data, format, frame, 0);
      // The factors are rounded: 602 hundredths of a decibel are not quite a half.
      ASSERT_NEAR(Left(out, frame), sample * c.left, 2.0) << frame;
      ASSERT_NEAR(Right(out, frame), sample * c.right, 2.0) << frame;
    }
  }
  EXPECT_EQ(buffer->SetPan(10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetPan(-10001), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, TwiceTheFrequencyPlaysInHalfTheTimeAndHalfInTwiceTheTime) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const size_t frames = 1000;
  const std::string data = test::Pattern(frames * 2, 3);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);

  ASSERT_EQ(buffer->SetFrequency(44100), DS_OK);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  std::vector<int16_t> out = Render(frames);
  // Every other sample frame, exactly: the cursor lands on whole frames.
  for (size_t k = 0; k < frames / 2; ++k) ASSERT_EQ(Left(out, k), SampleOf(data, format, 2 * k, 0)) << k;
  EXPECT_TRUE(Silent(out, frames / 2, frames, 0));
  EXPECT_EQ(Status(buffer), 0u);

  ASSERT_EQ(buffer->SetFrequency(11025), DS_OK);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  out = Render(2 * frames + 10, 101);
  for (size_t k = 0; k + 2 < 2 * frames; k += 2) {
    const int32_t from = SampleOf(data, format, k / 2, 0);
    const int32_t to = SampleOf(data, format, k / 2 + 1, 0);
    ASSERT_EQ(Left(out, k), from) << k;
    ASSERT_NEAR(Left(out, k + 1), (from + to) / 2.0, 1.0) << k;  // halfway between its neighbours
  }
  EXPECT_TRUE(Silent(out, 2 * frames, 2 * frames + 10, 0));
  EXPECT_EQ(Status(buffer), 0u);

  DWORD frequency = 0;
  ASSERT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
  ASSERT_EQ(buffer->GetFrequency(&frequency), DS_OK);
  EXPECT_EQ(frequency, 22050u);
  EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetFrequency(200001), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, TheOutputRateComesFromThePrimaryBuffer) {
  SetOutputRate(44100);
  EXPECT_EQ(m_mixer->OutputRate(), 44100u);
  const WAVEFORMATEX format = Pcm(2, 44100, 16);
  const std::string data = test::Pattern(500 * 4);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  const std::vector<int16_t> out = Render(500);
  for (size_t frame = 0; frame < 500; ++frame) ASSERT_EQ(Right(out, frame), SampleOf(data, format, frame, 1));
  EXPECT_EQ(Status(buffer), 0u);
}

TEST_F(MixerTest, ALoopingVoiceSignalsOffsetZeroAtStartAndAtEachWrap) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const DWORD frames = 1000;
  const std::string data = test::Pattern(frames * 2);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, data);
  IDirectSoundNotify8* notify = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify8, reinterpret_cast<void**>(&notify)), DS_OK);
  const HANDLE atStart = plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
  const HANDLE atEnd = plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
  const DSBPOSITIONNOTIFY positions[] = {{frames * 2 - 1, atEnd}, {0, atStart}};
  ASSERT_EQ(notify->SetNotificationPositions(2, positions), DS_OK);

  ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  EXPECT_EQ(notify->SetNotificationPositions(0, nullptr), DSERR_INVALIDCALL);  // not while playing
  EXPECT_FALSE(Polled(atStart));
  // Pieces of 100 frames: the start is passed in the first piece of each pass, the end in its last.
  std::vector<int16_t> out;
  for (int piece = 0; piece < 35; ++piece) {
    SCOPED_TRACE(piece);
    const std::vector<int16_t> now = Render(100, 100);
    out.insert(out.end(), now.begin(), now.end());
    EXPECT_EQ(Polled(atStart), piece % 10 == 0);
    EXPECT_EQ(Polled(atEnd), piece % 10 == 9);
  }
  for (size_t frame = 0; frame < 3500; ++frame)
    ASSERT_EQ(Left(out, frame), SampleOf(data, format, frame % frames, 0));
  EXPECT_EQ(PlayCursor(buffer), 500u * 2);
  notify->Release();
  plat::win::CloseHandle(atStart);
  plat::win::CloseHandle(atEnd);
}

TEST_F(MixerTest, NotificationsAtEverySegmentEndOfARingFireOncePerPass) {
  // A ring of five segments as a stream uses it, the cursor moving in pieces that do not divide it.
  const WAVEFORMATEX format = Pcm(1, 22050, 8);
  const DWORD segment = 441;
  IDirectSoundBuffer8* buffer = MakeBuffer(format, std::string(5 * segment, '\x80'));
  IDirectSoundNotify8* notify = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify8, reinterpret_cast<void**>(&notify)), DS_OK);
  const HANDLE event = plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
  std::vector<DSBPOSITIONNOTIFY> positions;
  for (DWORD i = 1; i <= 5; ++i) positions.push_back({i * segment - 1, event});
  ASSERT_EQ(notify->SetNotificationPositions(5, positions.data()), DS_OK);
  notify->Release();
  ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  int signals = 0;
  for (int piece = 0; piece < 3 * 5 * 441 / 97; ++piece) {
    Render(97, 97);
    signals += Polled(event) ? 1 : 0;
  }
  EXPECT_EQ(signals, (3 * 5 * 441 / 97 * 97) / 441);
  plat::win::CloseHandle(event);
}

TEST_F(MixerTest, VoicesAddUpAndTheSumIsClipped) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const std::string loud = test::U16(30000) + test::U16(static_cast<uint16_t>(-30000)) + test::U16(1000);
  const std::string other = test::U16(10000) + test::U16(static_cast<uint16_t>(-10000)) + test::U16(234);
  IDirectSoundBuffer8* first = MakeBuffer(format, loud);
  IDirectSoundBuffer8* second = MakeBuffer(format, other);
  ASSERT_EQ(first->Play(0, 0, 0), DS_OK);
  ASSERT_EQ(second->Play(0, 0, 0), DS_OK);
  const std::vector<int16_t> out = Render(3);
  EXPECT_EQ(Left(out, 0), 32767);
  EXPECT_EQ(Left(out, 1), -32768);
  EXPECT_EQ(Left(out, 2), 1234);
}

TEST_F(MixerTest, LocksGiveTwoPartsAcrossTheEndAndReachTheBufferAtUnlock) {
  const WAVEFORMATEX format = Pcm(1, 22050, 8);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, "abcdefghij");
  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD bytes1 = 0;
  DWORD bytes2 = 0;
  ASSERT_EQ(buffer->Lock(7, 6, &part1, &bytes1, &part2, &bytes2, 0), DS_OK);
  EXPECT_EQ(std::string(static_cast<char*>(part1), bytes1), "hij");
  EXPECT_EQ(std::string(static_cast<char*>(part2), bytes2), "abc");
  std::memcpy(part1, "XYZ", 3);
  std::memcpy(part2, "12", 2);
  ASSERT_EQ(buffer->Unlock(part1, 3, part2, 2), DS_OK);  // the third byte of the second part stays
  EXPECT_EQ(buffer->Unlock(part1, 3, part2, 2), DSERR_INVALIDPARAM);  // already unlocked

  ASSERT_EQ(buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER), DS_OK);
  EXPECT_EQ(std::string(static_cast<char*>(part1), bytes1), "12cdefgXYZ");
  EXPECT_EQ(part2, nullptr);
  EXPECT_EQ(bytes2, 0u);
  std::memset(part1, 'q', bytes1);
  ASSERT_EQ(buffer->Unlock(part1, 0, nullptr, 0), DS_OK);  // nothing written back

  ASSERT_EQ(buffer->Lock(0, 10, &part1, &bytes1, nullptr, nullptr, 0), DS_OK);
  EXPECT_EQ(std::string(static_cast<char*>(part1), bytes1), "12cdefgXYZ");
  ASSERT_EQ(buffer->Unlock(part1, 0, nullptr, 0), DS_OK);

  EXPECT_EQ(buffer->Lock(5, 6, &part1, &bytes1, nullptr, nullptr, 0),
            DSERR_INVALIDPARAM);  // wraps, no second part
  EXPECT_EQ(buffer->Lock(10, 1, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 11, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, DuplicatesShareTheDataButNotTheCursorOrSettings) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  const std::string data = test::Pattern(100 * 2, 9);
  IDirectSoundBuffer8* original = MakeBuffer(format, std::string(200, '\0'));
  ASSERT_EQ(original->SetVolume(-602), DS_OK);
  IDirectSoundBuffer8* duplicate = nullptr;
  ASSERT_EQ(m_device->DuplicateSoundBuffer(original, &duplicate), DS_OK);
  m_buffers.push_back(duplicate);
  LONG volume = 0;
  ASSERT_EQ(duplicate->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, -602);
  ASSERT_EQ(duplicate->SetVolume(0), DS_OK);
  Write(original, 0, data);  // written after duplicating, heard through the duplicate

  ASSERT_EQ(original->SetCurrentPosition(100), DS_OK);
  ASSERT_EQ(duplicate->Play(0, 0, 0), DS_OK);
  std::vector<int16_t> out = Render(100);
  for (size_t frame = 0; frame < 100; ++frame) ASSERT_EQ(Left(out, frame), SampleOf(data, format, frame, 0));
  EXPECT_EQ(PlayCursor(original), 100u);
  ASSERT_EQ(original->GetVolume(&volume), DS_OK);
  EXPECT_EQ(volume, -602);
}

TEST_F(MixerTest, ControlsThatWereNotAskedForAreUnavailable) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, std::string(20, '\0'), 0);
  LONG value = 0;
  DWORD frequency = 0;
  EXPECT_EQ(buffer->SetVolume(-100), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(buffer->GetVolume(&value), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(buffer->SetPan(100), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(buffer->SetFrequency(11025), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(buffer->GetFrequency(&frequency), DSERR_CONTROLUNAVAIL);
  void* notify = nullptr;
  EXPECT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify8, &notify), DSERR_NOINTERFACE);
  EXPECT_EQ(notify, nullptr);
  DSBCAPS caps;
  ASSERT_EQ(buffer->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.dwBufferBytes, 20u);
}

TEST_F(MixerTest, BuffersAreMadeOnlyOfFormatsAndSizesTheMixerPlays) {
  struct Case {
    const char* name;
    WAVEFORMATEX format;
    DWORD bytes;
    HRESULT result;
  };
  WAVEFORMATEX adpcm = Pcm(1, 22050, 16);
  adpcm.wFormatTag = 2;
  WAVEFORMATEX oddBlock = Pcm(2, 22050, 16);
  oddBlock.nBlockAlign = 3;
  const Case cases[] = {
      {"not PCM", adpcm, 100, DSERR_BADFORMAT},
      {"24 bits", Pcm(1, 22050, 24), 99, DSERR_BADFORMAT},
      {"3 channels", Pcm(3, 22050, 16), 96, DSERR_BADFORMAT},
      {"wrong block", oddBlock, 96, DSERR_BADFORMAT},
      {"rate too low", Pcm(1, 99, 16), 96, DSERR_BADFORMAT},
      {"too small", Pcm(1, 22050, 8), 3, DSERR_INVALIDPARAM},
      {"too large", Pcm(1, 22050, 8), DSBSIZE_MAX + 1, DSERR_INVALIDPARAM},
      {"fine", Pcm(2, 8000, 8), 4, DS_OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DSBUFFERDESC description;
    description.dwFlags = kControls;
    description.dwBufferBytes = c.bytes;
    description.lpwfxFormat = &c.format;
    IDirectSoundBuffer8* buffer = nullptr;
    EXPECT_EQ(m_device->CreateSoundBuffer(&description, &buffer, nullptr), c.result);
    EXPECT_EQ(buffer != nullptr, c.result == DS_OK);
    if (buffer) buffer->Release();
  }
  // A 3-D algorithm cannot be had; the buffer is made without it, and says so.
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  DSBUFFERDESC description;
  description.dwFlags = kControls;
  description.dwBufferBytes = 64;
  description.lpwfxFormat = &format;
  description.guid3DAlgorithm = IID_IDirectSound8;
  IDirectSoundBuffer8* buffer = nullptr;
  EXPECT_EQ(m_device->CreateSoundBuffer(&description, &buffer, nullptr), DS_NO_VIRTUALIZATION);
  ASSERT_NE(buffer, nullptr);
  buffer->Release();
}

TEST_F(MixerTest, ALostBufferRefusesToPlayUntilRestoredAndComesBackSilent) {
  const WAVEFORMATEX format = Pcm(1, 22050, 8);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, test::Pattern(100));
  ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  ASSERT_EQ(LoseBufferForTesting(buffer, 2), DS_OK);
  EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
  EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
  void* part1 = nullptr;
  DWORD bytes1 = 0;
  EXPECT_EQ(buffer->Lock(0, 10, &part1, &bytes1, nullptr, nullptr, 0), DSERR_BUFFERLOST);
  EXPECT_EQ(buffer->Restore(), DSERR_BUFFERLOST);
  EXPECT_EQ(buffer->Restore(), DSERR_BUFFERLOST);
  EXPECT_EQ(buffer->Restore(), DS_OK);
  EXPECT_EQ(Status(buffer), 0u);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_TRUE(Silent(Render(100), 0, 100, 0));
}

TEST_F(MixerTest, ThePrimaryBufferTakesOnlyPcmFormatsAndNeedsThePriorityLevel) {
  DSBUFFERDESC description;
  description.dwFlags = DSBCAPS_PRIMARYBUFFER;
  IDirectSoundBuffer8* primary = nullptr;
  ASSERT_EQ(m_device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
  WAVEFORMATEX format;
  DWORD written = 0;
  ASSERT_EQ(primary->GetFormat(&format, sizeof format, &written), DS_OK);
  EXPECT_EQ(format.nSamplesPerSec, 22050u);
  EXPECT_EQ(format.nChannels, 2);
  WAVEFORMATEX bad = Pcm(2, 22050, 16);
  bad.wFormatTag = 3;
  EXPECT_EQ(primary->SetFormat(&bad), DSERR_BADFORMAT);
  void* part = nullptr;
  DWORD bytes = 0;
  EXPECT_EQ(primary->Lock(0, 4, &part, &bytes, nullptr, nullptr, 0), DSERR_PRIOLEVELNEEDED);
  IDirectSoundBuffer8* duplicate = nullptr;
  EXPECT_EQ(m_device->DuplicateSoundBuffer(primary, &duplicate), DSERR_INVALIDCALL);
  primary->Release();

  ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
  ASSERT_EQ(m_device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
  const WAVEFORMATEX good = Pcm(2, 44100, 16);
  EXPECT_EQ(primary->SetFormat(&good), DSERR_PRIOLEVELNEEDED);
  primary->Release();
  EXPECT_EQ(m_mixer->OutputRate(), 22050u);
}

TEST(DirectSoundCreate, AnInjectedFailureMakesNoDevice) {
  SetPullModeForTesting(true);
  SetCreateResultForTesting(DSERR_NODRIVER);
  IDirectSound8* device = reinterpret_cast<IDirectSound8*>(1);
  EXPECT_EQ(DirectSoundCreate8(nullptr, &device, nullptr), DSERR_NODRIVER);
  EXPECT_EQ(device, nullptr);
  SetCreateResultForTesting(DS_OK);
  ASSERT_EQ(DirectSoundCreate8(nullptr, &device, nullptr), DS_OK);
  EXPECT_EQ(device->Release(), 0u);
  const plat::win::GUID other{1, 2, 3, {}};
  EXPECT_EQ(DirectSoundCreate8(&other, &device, nullptr), DSERR_NODRIVER);
}
