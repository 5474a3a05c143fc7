// The sound manager's channels: who gets a channel and who gives one up, and "finished" events with
// listeners that play and stop sounds while they are told.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sound/Sound.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"

namespace {

using Qel::EventId::SoundFinished;
using Qel::EventId::SoundStarted;
using SoundPtr = std::shared_ptr<Qel::Sound>;

class Channels : public testing::Test {
protected:
  void SetUp() override {
    stage.AddWave("long", test::Tone(500));
    stage.AddWave("short", test::Tone(50));
  }

  Qel::WinSoundManager& Manager() { return *Qel::WinSoundManager::Instance(); }

  // A sound that keeps playing until it is stopped.
  SoundPtr Make(const std::string& id, uint16_t priority, int32_t channel = -1, const char* file = "long",
                bool loop = true) {
    auto sound = std::make_shared<Qel::Sound>(file, false, channel);
    sound->SetId(id);
    sound->SetPriority(priority);
    sound->SetLooping(loop);
    return sound;
  }

  SoundPtr Play(const std::string& id, uint16_t priority, int32_t channel = -1) {
    SoundPtr sound = Make(id, priority, channel);
    EXPECT_TRUE(Manager().PlaySound(sound, true)) << id;
    return sound;
  }

  // Channels 0..n-1 taken, in order, by sounds of these priorities.
  std::vector<SoundPtr> Occupy(const std::vector<uint16_t>& priorities) {
    std::vector<SoundPtr> sounds;
    for (size_t i = 0; i < priorities.size(); ++i)
      sounds.push_back(Play("in " + std::to_string(i), priorities[i]));
    return sounds;
  }

  test::SoundStage stage;
  test::SoundEventLog log;
};

std::vector<uint16_t> Repeat(size_t count, uint16_t priority) {
  return std::vector<uint16_t>(count, priority);
}

std::vector<uint16_t> Then(std::vector<uint16_t> first, const std::vector<uint16_t>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

}  // namespace

TEST_F(Channels, ChannelsGoByPriorityAndAnEvictedSoundFinishesWithoutAChannel) {
  const struct {
    const char* what;
    std::vector<uint16_t> occupants;  // priorities of channels 0, 1, ...
    uint16_t priority;
    int32_t channel;  // asked for; -1 any
    int placed;       // -1: refused
    int evicted;      // the channel whose sound gives way, -1 none
  } cases[] = {
      {"any channel: the lowest free one", Repeat(3, 5), 5, -1, 3, -1},
      {"the 65th of equal priority takes channel 0", Repeat(64, 5), 5, -1, 0, 0},
      {"the 65th takes the lowest channel whose value is as high or higher",
       Then(Repeat(10, 3), Repeat(54, 7)), 5, -1, 10, 10},
      {"the 65th is refused when every channel is more important", Repeat(64, 4), 5, -1, -1, -1},
      {"an important newcomer puts out the lowest channel", Then({9}, Repeat(63, 5)), 1, -1, 0, 0},
      {"a free fixed channel", Repeat(2, 5), 5, 40, 40, -1},
      {"a fixed channel held by a more important sound", Then(Repeat(3, 5), {2}), 5, 3, -1, -1},
      {"a fixed channel held by an equal sound", Then(Repeat(3, 5), {5}), 5, 3, 3, 3},
      {"a fixed channel held by a less important sound", Then(Repeat(3, 5), {9}), 5, 3, 3, 3},
      {"a fixed channel beyond the 64", Repeat(2, 5), 5, 64, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<SoundPtr> occupants = Occupy(c.occupants);
    log.entries.clear();
    SoundPtr newcomer = Make("newcomer", c.priority, c.channel);

    EXPECT_EQ(Manager().PlaySound(newcomer, true), c.placed >= 0);
    if (c.placed >= 0) {
      EXPECT_EQ(newcomer->GetChannel(), c.placed);
      EXPECT_EQ(Manager().GetChannelSound(c.placed), newcomer);
      EXPECT_TRUE(newcomer->IsPlaying());
    } else {
      EXPECT_EQ(newcomer->GetChannel(), c.channel);
      EXPECT_FALSE(newcomer->IsPlaying());
    }
    for (size_t i = 0; i < occupants.size(); ++i) {
      const bool evicted = static_cast<int>(i) == c.evicted;
      EXPECT_EQ(occupants[i]->GetChannel(), evicted ? -1 : static_cast<int32_t>(i)) << i;
      EXPECT_EQ(occupants[i]->IsPlaying(), !evicted) << i;
    }
    const std::vector<std::string> finished =
        c.evicted >= 0 ? std::vector<std::string>{"in " + std::to_string(c.evicted)}
                       : std::vector<std::string>{};
    EXPECT_EQ(log.Of(SoundFinished), finished);
    EXPECT_EQ(Manager().GetNumSoundsPlaying(), occupants.size() + (c.placed >= 0 && c.evicted < 0 ? 1 : 0));

    // The evicted sound is not told twice when the frame's update comes.
    stage.Run(10);
    EXPECT_EQ(log.Of(SoundFinished), finished);
    Manager().Cleanup();
  }
}

TEST_F(Channels, ASoundPlayedAgainKeepsItsChannel) {
  Occupy(Repeat(2, 5));
  SoundPtr sound = Play("again", 5);
  ASSERT_EQ(sound->GetChannel(), 2);
  stage.Run(100);
  EXPECT_TRUE(Manager().PlaySound(sound, true));
  EXPECT_FALSE(Manager().PlaySound(sound, false));
  EXPECT_EQ(sound->GetChannel(), 2);
  EXPECT_TRUE(sound->IsPlaying());
  EXPECT_EQ(Manager().GetNumSoundsPlaying(), 3u);
  EXPECT_TRUE(log.Of(SoundFinished).empty());
}

TEST_F(Channels, AFixedChannelIsLostOnceTheSoundHasFinished) {
  SoundPtr sound = Make("fixed", 5, 7, "short", false);
  ASSERT_TRUE(Manager().PlaySound(sound, true));
  EXPECT_EQ(sound->GetChannel(), 7);
  stage.Run(100);
  EXPECT_FALSE(sound->IsPlaying());
  EXPECT_EQ(sound->GetChannel(), -1);
  EXPECT_EQ(Manager().GetChannelSound(7), nullptr);
  EXPECT_EQ(log.Of(SoundFinished), std::vector<std::string>{"fixed"});
  EXPECT_EQ(Manager().GetNumSoundsPlaying(), 0u);
}

TEST_F(Channels, APausedSoundKeepsItsChannelAndIsNotFinishedUntilStopped) {
  SoundPtr sound = Play("paused", 5);
  stage.Run(50);
  ASSERT_TRUE(sound->Pause());
  stage.Run(1000);
  EXPECT_EQ(sound->GetChannel(), 0);
  EXPECT_TRUE(log.Of(SoundFinished).empty());
  sound->Stop();
  EXPECT_FALSE(sound->IsPaused());
  stage.Run(10);
  EXPECT_EQ(log.Of(SoundFinished), std::vector<std::string>{"paused"});
  EXPECT_EQ(sound->GetChannel(), -1);
}

TEST_F(Channels, AFinishedSoundsChannelIsFreeWhileItsListenersAreTold) {
  SoundPtr ended = Make("ended", 5, -1, "short", false);
  ASSERT_TRUE(Manager().PlaySound(ended, true));
  SoundPtr stopped = Play("stopped", 5);
  SoundPtr next = Make("next", 5);
  log.onFinished = [&](const std::string& id) {
    if (id != "ended") return;
    EXPECT_EQ(ended->GetChannel(), -1);
    EXPECT_EQ(Manager().GetChannelSound(0), nullptr);
    EXPECT_TRUE(Manager().PlaySound(next, true));
    stopped->Stop();
  };
  log.entries.clear();
  stage.Run(100);

  // The sound placed during the post keeps the channel it was given; the one stopped there finishes
  // in the same update, after it.
  EXPECT_EQ(next->GetChannel(), 0);
  EXPECT_TRUE(next->IsPlaying());
  const std::vector<test::SoundEventEntry> expected = {
      {SoundFinished, "ended"}, {SoundStarted, "next"}, {SoundFinished, "stopped"}};
  EXPECT_EQ(log.entries, expected);
  EXPECT_EQ(Manager().GetNumSoundsPlaying(), 1u);
}

TEST_F(Channels, AListenerMayPlayTheFinishedSoundAgain) {
  SoundPtr line = Make("line", 5, -1, "short", false);
  ASSERT_TRUE(Manager().PlaySound(line, true));
  int replays = 0;
  log.onFinished = [&](const std::string&) {
    if (replays++ == 0) {
      EXPECT_TRUE(Manager().PlaySound(line, true));
    }
  };
  stage.Run(70);
  EXPECT_EQ(replays, 1);
  EXPECT_EQ(line->GetChannel(), 0);
  EXPECT_TRUE(line->IsPlaying());
  stage.Run(100);
  EXPECT_EQ(replays, 2);
  EXPECT_EQ(line->GetChannel(), -1);
}

TEST_F(Channels, ASoundPlacedWhileAnEvictionIsToldKeepsItsChannel) {
  std::vector<SoundPtr> occupants = Occupy(Repeat(64, 5));
  SoundPtr urgent = Make("urgent", 1);
  log.onFinished = [&](const std::string& id) {
    if (id == "in 0") {
      EXPECT_TRUE(Manager().PlaySound(urgent, true));
    }
  };
  SoundPtr newcomer = Make("newcomer", 5);
  EXPECT_TRUE(Manager().PlaySound(newcomer, true));
  EXPECT_EQ(urgent->GetChannel(), 0);
  EXPECT_EQ(newcomer->GetChannel(), 1);
  EXPECT_EQ(log.Of(SoundFinished), (std::vector<std::string>{"in 0", "in 1"}));
  EXPECT_EQ(Manager().GetNumSoundsPlaying(), 64u);
}

TEST_F(Channels, StopChannelIgnoresChannelsOutOfRangeAndCleanupFreesEveryChannel) {
  std::vector<SoundPtr> sounds = Occupy(Repeat(5, 5));
  Manager().StopChannel(-1);
  Manager().StopChannel(64);
  Manager().StopChannel(2);
  EXPECT_FALSE(sounds[2]->IsPlaying());
  EXPECT_TRUE(sounds[3]->IsPlaying());
  EXPECT_EQ(Manager().GetChannelVolume(0), 1.0f);
  EXPECT_EQ(Manager().GetChannelVolume(64), 0.0f);
  Manager().Cleanup();
  for (const SoundPtr& sound : sounds) {
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(sound->GetChannel(), -1);
  }
  EXPECT_EQ(Manager().GetNumSoundsPlaying(), 0u);
  EXPECT_EQ(Manager().GetChannelSound(0), nullptr);
}
