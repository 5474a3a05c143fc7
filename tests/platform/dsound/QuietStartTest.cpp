// Opening the audio output quietly: the audio libraries' complaints during the device probe stay off
// stderr, a machine without a device gets one "WARN:" line, and a named driver is taken as named.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "MixerFixture.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/QuietStderr.h"

using namespace plat::dsound;
using dstest::Pcm;

namespace {

const std::string kNoSound = "WARN: No sound device could be opened; the game plays without sound.\n";

TEST(QuietStderr, WhatIsWrittenInsideTheScopeIsDroppedAndStderrComesBackAfterIt) {
  testing::internal::CaptureStderr();
  std::fputs("before\n", stderr);
  {
    QuietStderr quiet;
    std::fputs("through stdio\n", stderr);
    ASSERT_EQ(write(STDERR_FILENO, "raw\n", 4), 4);
    {
      QuietStderr nested;
      std::fputs("nested\n", stderr);
    }
    std::fputs("after the nested scope\n", stderr);
  }
  std::fputs("after\n", stderr);
  ASSERT_EQ(write(STDERR_FILENO, "raw after\n", 10), 10);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "before\nafter\nraw after\n");
}

// The device made, with its primary buffer set to another rate as the game does, which restarts the
// output; what stderr got meanwhile. The variable is given for the start only (nullopt: unset).
class QuietStart : public testing::Test {
protected:
  void SetUp() override {
    SetPullModeForTesting(false);
    if (const char* value = std::getenv("SDL_AUDIODRIVER")) m_kept = value;
  }
  void TearDown() override {
    if (m_device) m_device->Release();
    if (m_kept) {
      setenv("SDL_AUDIODRIVER", m_kept->c_str(), 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
  }

  std::string Start(const std::optional<std::string>& driver) {
    if (driver) {
      setenv("SDL_AUDIODRIVER", driver->c_str(), 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(DirectSoundCreate8(nullptr, &m_device, nullptr), DS_OK);
    if (m_device) {
      EXPECT_EQ(m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
      DSBUFFERDESC description;
      description.dwFlags = DSBCAPS_PRIMARYBUFFER;
      IDirectSoundBuffer8* primary = nullptr;
      EXPECT_EQ(m_device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
      if (primary) {
        const WAVEFORMATEX format = Pcm(2, 44100, 16);
        EXPECT_EQ(primary->SetFormat(&format), DS_OK);
        primary->Release();
      }
    }
    return testing::internal::GetCapturedStderr();
  }

  IDirectSound8* m_device = nullptr;
  std::optional<std::string> m_kept;
};

TEST_F(QuietStart, ANamedDriverIsTakenAndOnlyAFailedOneIsSaidOnce) {
  // Whichever way it starts, the output runs: sounds still take their real time.
  const struct {
    const char* driver;
    std::string said;
  } cases[] = {
      {"dummy", ""},
      {"no-such-driver", kNoSound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.driver);
    EXPECT_EQ(Start(std::string(c.driver)), c.said);
    ASSERT_NE(m_device, nullptr);
    m_device->Release();
    m_device = nullptr;
  }
}

TEST_F(QuietStart, TheProbeOfTheMachinesOwnDeviceIsSilentOrSaysOnceThatThereIsNoSound) {
  // Without a sound card libasound would print its "ALSA lib" lines here; with one, nothing is said.
  const std::string said = Start(std::nullopt);
  EXPECT_TRUE(said.empty() || said == kNoSound) << said;
  ASSERT_NE(m_device, nullptr);
}

}  // namespace
