// The mixer behind SDL's audio thread (the dummy driver in tests): real time, events, and buffers made
// and released while the thread mixes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"
#include "MixerFixture.h"
#include "platform/win/kernel/Events.h"
#include "support/WaveBytes.h"

using namespace plat::dsound;
using dstest::kControls;
using dstest::Pcm;

namespace {

using Clock = std::chrono::steady_clock;

class OutputTest : public testing::Test {
protected:
  void SetUp() override {
    SetPullModeForTesting(false);
    ASSERT_EQ(DirectSoundCreate8(nullptr, &m_device, nullptr), DS_OK);
    ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  }
  void TearDown() override {
    if (m_device) m_device->Release();
  }

  IDirectSoundBuffer8* MakeBuffer(const WAVEFORMATEX& format, DWORD bytes) {
    DSBUFFERDESC description;
    description.dwFlags = kControls;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer8* buffer = nullptr;
    EXPECT_EQ(m_device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    return buffer;
  }

  IDirectSound8* m_device = nullptr;
};

bool Plays(IDirectSoundBuffer8* buffer) {
  DWORD status = 0;
  buffer->GetStatus(&status);
  return (status & DSBSTATUS_PLAYING) != 0;
}

}  // namespace

TEST_F(OutputTest, ASoundPlaysThroughTheAudioThreadInItsRealTime) {
  const WAVEFORMATEX format = Pcm(1, 22050, 16);
  IDirectSoundBuffer8* buffer = MakeBuffer(format, 22050);  // half a second
  ASSERT_NE(buffer, nullptr);
  IDirectSoundNotify8* notify = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify8, reinterpret_cast<void**>(&notify)), DS_OK);
  const plat::win::HANDLE atEnd =
      plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
  const DSBPOSITIONNOTIFY position{22050 - 1, atEnd};
  ASSERT_EQ(notify->SetNotificationPositions(1, &position), DS_OK);
  notify->Release();

  const Clock::time_point start = Clock::now();
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  // The event comes from the audio thread; the wait ends there, not at its timeout.
  EXPECT_EQ(plat::win::WaitForSingleObject(atEnd, 3000), plat::win::WAIT_OBJECT_0);
  while (Plays(buffer) && Clock::now() - start < std::chrono::seconds(3)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  EXPECT_FALSE(Plays(buffer));
  // The output renders ahead by a callback's worth (about 23 ms); the dummy driver sleeps in whole ms.
  EXPECT_GE(elapsed, 400);
  EXPECT_LE(elapsed, 700);
  buffer->Release();
  plat::win::CloseHandle(atEnd);
}

TEST_F(OutputTest, OnlyOneDeviceHasTheOutputAtATime) {
  IDirectSound8* second = nullptr;
  EXPECT_EQ(DirectSoundCreate8(nullptr, &second, nullptr), DSERR_ALLOCATED);
  EXPECT_EQ(second, nullptr);
  m_device->Release();
  m_device = nullptr;
  ASSERT_EQ(DirectSoundCreate8(nullptr, &second, nullptr), DS_OK);
  second->Release();
}

TEST_F(OutputTest, BuffersComeAndGoWhileTheAudioThreadMixes) {
  // Under the sanitizers a buffer freed while the audio thread still mixed it would show here.
  const WAVEFORMATEX format = Pcm(2, 11025, 8);
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(300);
  int made = 0;
  while (Clock::now() < until) {
    IDirectSoundBuffer8* buffer = MakeBuffer(format, 4096);
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer->SetFrequency(44100), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, made % 2 ? DSBPLAY_LOOPING : 0), DS_OK);
    IDirectSoundBuffer8* duplicate = nullptr;
    ASSERT_EQ(m_device->DuplicateSoundBuffer(buffer, &duplicate), DS_OK);
    ASSERT_EQ(duplicate->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    buffer->Release();  // the duplicate keeps the data
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    duplicate->Release();
    ++made;
  }
  EXPECT_GT(made, 10);
}
