// Sprite files from the writer, in every version: the animations, durations, play modes, sounds,
// triggers, pauses and images they load into, and corrupt files refused or read cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AnimationTestSupport.h"
#include "SpriteFileTestSupport.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "graphics/Animation.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FramePauseEvent.h"
#include "graphics/FrameSoundEvent.h"
#include "graphics/FrameSoundTriggerEvent.h"
#include "graphics/FrameTrack.h"
#include "graphics/LoadSpriteFromStream.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteData.h"
#include "graphics/SpriteLoader.h"
#include "sound/Sound.h"

using fixture::SpriteFile;
using fixture::SpriteFileImage;
using spritetest::SampleFile;
using spritetest::StreamOver;

namespace {

class SpriteFiles : public spritetest::SpriteFileFixture {
protected:
  std::shared_ptr<Qel::Sprite> Load(const std::string& bytes, Qel::SpriteData* data = nullptr) {
    auto stream = StreamOver(bytes);
    return Qel::LoadSpriteFromStream(*stream, &device, 0, &clock, true, data);
  }

  animtest::TestClock clock;
};

// The trace is read from the environment once, at its first line: it is switched on before anything runs.
class TracedSpriteFiles : public SpriteFiles {
protected:
  TracedSpriteFiles() { setenv("PILO_TRACE", "1", 1); }
};

Qel::FrameTrack& TrackOf(Qel::Sprite& sprite, uint32_t id) {
  Qel::Animation* animation = sprite.GetAnimation(id);
  EXPECT_NE(animation, nullptr);
  auto* track = dynamic_cast<Qel::FrameTrack*>(animation->FindTrack(0));
  EXPECT_NE(track, nullptr);
  return *track;
}

// What a frame's events are, in order: "sound <name>", "trigger <name>", "pause <min> <max>".
std::vector<std::string> EventsOf(const Qel::FrameTrack& track, int frame) {
  std::vector<std::string> events;
  for (const auto& event : track.GetFrame(frame).m_events) {
    if (auto* sound = dynamic_cast<Qel::FrameSoundEvent*>(event.get())) {
      events.push_back("sound " + sound->GetSoundName());
    } else if (auto* trigger = dynamic_cast<Qel::FrameSoundTriggerEvent*>(event.get())) {
      events.push_back("trigger " + trigger->GetName());
    } else if (auto* pause = dynamic_cast<Qel::FramePauseEvent*>(event.get())) {
      EXPECT_EQ(pause->GetOwner(), &track);
      events.push_back("pause " + std::to_string(pause->GetMinimum()) + " " +
                       std::to_string(pause->GetMaximum()));
    }
  }
  return events;
}

uint32_t PixelOf(Qel::DrawingSurface& surface, int x, int y) {
  int pitch = 0;
  const uint8_t* bits = surface.Lock(pitch, Qel::DrawingSurface::kLockRead);
  EXPECT_NE(bits, nullptr);
  if (bits == nullptr) return 0xDEADBEEF;
  uint32_t pixel = 0;
  std::memcpy(&pixel, bits + y * pitch + x * 4, 4);
  surface.Unlock();
  return pixel & 0xFFFFFF;
}

struct Version {
  int32_t version;
  SpriteFileImage::Encoding encoding;
};

const Version kVersions[] = {
    {7, SpriteFileImage::Encoding::kRunLength}, {6, SpriteFileImage::Encoding::kRunLength},
    {6, SpriteFileImage::Encoding::kRaw},       {5, SpriteFileImage::Encoding::kRunLength},
    {5, SpriteFileImage::Encoding::kRaw},       {4, SpriteFileImage::Encoding::kRunLength},
    {3, SpriteFileImage::Encoding::kRaw},
};

}  // namespace

TEST_F(SpriteFiles, EveryVersionLoadsTheSameAnimations) {
  for (const Version& v : kVersions) {
    SCOPED_TRACE("version " + std::to_string(v.version) +
                 (v.encoding == SpriteFileImage::Encoding::kRaw ? " raw" : " run-length"));
    Qel::SpriteData data;
    auto sprite = Load(fixture::WriteSpriteFile(SampleFile(v.version, v.encoding)), &data);
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->GetAnimationCount(), 5);

    const bool modes = v.version >= 5;
    const int stop = Qel::Animation::kPlayModeStop;
    const std::vector<int> expectedModes =
        modes ? std::vector<int>{stop, Qel::Animation::kPlayModeHold, stop, Qel::Animation::kPlayModeLoop,
                                 Qel::Animation::kPlayModeLoop}
              : std::vector<int>(5, stop);
    const std::vector<int32_t> lengths = {150, 120, 100, 200, 100};
    for (uint32_t id = 0; id < 5; ++id) {
      SCOPED_TRACE("animation " + std::to_string(id));
      EXPECT_EQ(sprite->GetAnimation(id)->GetPlayMode(), expectedModes[id]);
      EXPECT_EQ(sprite->GetAnimation(id)->GetLength(), lengths[id]);
    }
    EXPECT_EQ(sprite->ClearNextAnimation(2), modes);  // chained to animation 0
    EXPECT_FALSE(sprite->ClearNextAnimation(0));

    Qel::FrameTrack& first = TrackOf(*sprite, 0);
    ASSERT_EQ(first.GetFrameCount(), 2);
    EXPECT_EQ(first.GetFrameStart(1), 100);
    EXPECT_EQ(EventsOf(first, 0), std::vector<std::string>{"sound step"});
    EXPECT_EQ(EventsOf(first, 1), std::vector<std::string>{"pause 200 300"});
    EXPECT_EQ(EventsOf(TrackOf(*sprite, 1), 0), std::vector<std::string>{"trigger bump"});
    EXPECT_EQ(EventsOf(TrackOf(*sprite, 2), 0), std::vector<std::string>{"sound []"});
    EXPECT_EQ(EventsOf(TrackOf(*sprite, 3), 0), std::vector<std::string>{});

    // Frames share the table's surfaces and take its placements.
    ASSERT_EQ(data.m_images.size(), 3u);
    EXPECT_EQ(first.GetFrame(0).m_image, data.m_images[0].m_surface);
    EXPECT_EQ(first.GetFrame(1).m_image, data.m_images[1].m_surface);
    EXPECT_EQ(first.GetFrame(0).m_offset, Qel::Point2(2, 3));
    EXPECT_EQ(first.GetFrame(1).m_offset, Qel::Point2(-3, 0));
    EXPECT_EQ(TrackOf(*sprite, 2).GetFrame(0).m_offset, Qel::Point2(0, -1));
    const int sizes[3][2] = {{8, 6}, {4, 4}, {5, 2}};
    for (size_t i = 0; i < 3; ++i) {
      ASSERT_NE(data.m_images[i].m_surface, nullptr);
      EXPECT_EQ(data.m_images[i].m_surface->GetWidth(), sizes[i][0]);
      EXPECT_EQ(data.m_images[i].m_surface->GetHeight(), sizes[i][1]);
    }
    EXPECT_EQ(PixelOf(*data.m_images[1].m_surface, 0, 0), spritetest::kGreen & 0xFFFFFF);
    EXPECT_EQ(PixelOf(*data.m_images[1].m_surface, 1, 1), spritetest::kBlue & 0xFFFFFF);

    // The records as the file stores them.
    EXPECT_EQ(data.m_defaultDuration, 100);
    ASSERT_EQ(data.m_animations.size(), 5u);
    EXPECT_EQ(data.m_animations[1].m_addedDuration, 20);
    EXPECT_EQ(data.m_animations[2].m_nextAnimation, modes ? 0 : 0);
    EXPECT_EQ(data.m_animations[0].m_frames[1].m_addedDuration, -50);
    EXPECT_EQ(data.m_animations[0].m_frames[0].m_oldValue, v.version < 5 ? 9 : 0);
    EXPECT_TRUE(data.m_animations[0].m_name.empty());
  }
}

TEST_F(SpriteFiles, FrameDurationsAddTheDefaultTheAnimationsAndTheFramesOwn) {
  SpriteFile file;
  file.m_defaultDuration = 100;
  file.m_images = {SpriteFileImage::Solid(2, 2, spritetest::kRed)};
  fixture::SpriteFileAnimation animation;
  animation.m_addedDuration = 20;
  fixture::SpriteFileFrame shorter;
  shorter.m_addedDuration = -50;
  fixture::SpriteFileFrame nothing;
  nothing.m_addedDuration = -200;
  animation.m_frames = {shorter, nothing, fixture::SpriteFileFrame()};
  file.m_animations = {animation};
  auto sprite = Load(fixture::WriteSpriteFile(file));
  ASSERT_NE(sprite, nullptr);
  const Qel::FrameTrack& track = TrackOf(*sprite, 0);
  EXPECT_EQ(track.GetFrameStart(1), 70);
  EXPECT_EQ(track.GetFrameStart(2), 70);  // a total of 0 or less lasts 0
  EXPECT_EQ(track.GetLength(), 190);
}

TEST_F(SpriteFiles, APausingFrameSoundsAtTheStartOfItsPause) {
  SpriteFile file;
  file.m_images = {SpriteFileImage::Solid(2, 2, spritetest::kRed)};
  fixture::SpriteFileAnimation animation;
  fixture::SpriteFileFrame frame;
  frame.m_sound = "hum";
  frame.m_pause = std::make_pair(int16_t{100}, int16_t{150});
  animation.m_frames = {fixture::SpriteFileFrame(), frame, fixture::SpriteFileFrame()};
  file.m_animations = {animation};
  auto sprite = Load(fixture::WriteSpriteFile(file));
  ASSERT_NE(sprite, nullptr);
  animtest::Log log;
  animtest::NotificationLog observer(log);
  sprite->AddObserver(&observer);
  Qel::FrameSoundEvent::SetFireHookForTesting(
      [&log](const Qel::FrameSoundEvent& sound) { log.push_back("sound " + sound.GetSoundName()); });
  sprite->PlayAnimation(0u, 0);
  clock.Step(1000);
  clock.Step(1250);  // past the pausing frame: held there
  EXPECT_EQ(log, (std::vector<std::string>{"sprt bndc 0", "sprt play 0", "sound hum", "sprt paus 0"}));
  EXPECT_EQ(TrackOf(*sprite, 0).GetCurrentFrame(), 1);
  Qel::FrameSoundEvent::SetFireHookForTesting(nullptr);
}

// No sound device is open here: the hook sees each sound as its frame fires it.
TEST_F(SpriteFiles, ALoadedSpriteStepsThroughItsAnimationsFiringTheirEventsInOrder) {
  for (int32_t version : {7, 5}) {
    SCOPED_TRACE("version " + std::to_string(version));
    auto sprite = Load(fixture::WriteSpriteFile(SampleFile(version)));
    ASSERT_NE(sprite, nullptr);
    animtest::Log log;
    animtest::NotificationLog observer(log);
    sprite->AddObserver(&observer);
    Qel::FrameSoundEvent::SetFireHookForTesting(
        [&log](const Qel::FrameSoundEvent& sound) { log.push_back("sound " + sound.GetSoundName()); });
    struct Listener : Qel::IEventListener {
      explicit Listener(animtest::Log& log) : m_log(log) {}
      void HandleEvent(int kind, int id, void* data) override {
        m_log.push_back("event " + std::to_string(kind) + " " + std::to_string(id) + " " +
                        *static_cast<std::string*>(data));
      }
      animtest::Log& m_log;
    } listener(log);
    Qel::EventManager::GetInstance()->AddListener(Qel::kEventFrameSound, &listener);

    sprite->PlayAnimation(2u, 0);  // chained to animation 0
    clock.Step(1000);
    clock.Step(1100);
    clock.Step(1200);
    clock.Step(1300);  // animation 0 reaches its pausing frame, which pauses 200 to 300 ms
    clock.Step(1700);
    clock.Step(1800);
    sprite->PlayAnimation(1u, 0);  // holds its one frame
    clock.Step(1900);
    clock.Step(2100);
    EXPECT_EQ(log,
              (animtest::Log{"sprt bndc 2", "sound []", "sprt play 2",                                  //
                             "sprt stop 2", "sprt bndc 2", "sprt bndc 0", "sound step", "sprt play 0",  //
                             "sprt ende 2", "sprt paus 0", "sprt upau 0",                               //
                             "sprt stop 0", "sprt bndc 0", "sprt ende 0",                               //
                             "sprt bndc 1", "event 3 0 bump", "sprt play 1", "sprt stal 1", "sprt ende 1"}));
    Qel::FrameSoundEvent::SetFireHookForTesting(nullptr);
    Qel::EventManager::DestroyInstance();
    sprite->StopAnimation();
    clock.Step(3000);
  }
}

// The sprite's frames name their sounds; one build makes one sound object of each name.
TEST_F(SpriteFiles, FramesOfOneSpriteShareASoundOfTheSameNameAndAnotherSpriteHasItsOwn) {
  SpriteFile file = SampleFile(7);
  fixture::SpriteFileAnimation animation;
  fixture::SpriteFileFrame first;
  first.m_sound = "hum";
  fixture::SpriteFileFrame second;
  second.m_sound = "HUM";  // the same resource: names are hashed without regard to case
  fixture::SpriteFileFrame other;
  other.m_sound = "buzz";
  animation.m_frames = {first, second, other};
  file.m_animations = {animation};
  const std::string bytes = fixture::WriteSpriteFile(file);
  auto sprite = Load(bytes);
  auto again = Load(bytes);
  ASSERT_NE(sprite, nullptr);
  ASSERT_NE(again, nullptr);

  const auto soundOf = [](Qel::Sprite& owner, int frame) {
    const auto& events = TrackOf(owner, 0).GetFrame(frame).m_events;
    EXPECT_EQ(events.size(), 1u);
    auto* sound = events.empty() ? nullptr : dynamic_cast<Qel::FrameSoundEvent*>(events.front().get());
    return sound ? sound->GetSound() : nullptr;
  };
  ASSERT_NE(soundOf(*sprite, 0), nullptr);
  EXPECT_EQ(soundOf(*sprite, 0), soundOf(*sprite, 1));
  EXPECT_NE(soundOf(*sprite, 0), soundOf(*sprite, 2));
  EXPECT_NE(soundOf(*sprite, 0), soundOf(*again, 0));
  EXPECT_EQ(soundOf(*sprite, 2)->GetName(), "buzz");
}

TEST_F(TracedSpriteFiles, OldVersionsSayTheyShouldBeConverted) {
  testing::internal::CaptureStderr();
  EXPECT_NE(Load(fixture::WriteSpriteFile(SampleFile(5))), nullptr);
  EXPECT_NE(Load(fixture::WriteSpriteFile(SampleFile(7))), nullptr);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("loading version 5 sprite: you should convert it to 7 or higher\n"),
            std::string::npos);
  EXPECT_EQ(trace.find("loading version 7"), std::string::npos);
}

// Files whose counts or image numbers do not fit are refused by both readers, and the loader caches
// nothing for them.
TEST_F(TracedSpriteFiles, BadCountsAndImageNumbersAreRefused) {
  struct Case {
    const char* what;
    std::function<void(SpriteFile&)> spoil;
    int32_t version;
    const char* failure;
  };
  const Case cases[] = {
      {"a negative animation count", [](SpriteFile& f) { f.m_animationCountField = -1; }, 7,
       "negative animation count -1"},
      {"a negative frame count", [](SpriteFile& f) { f.m_animations[1].m_frameCountField = -2; }, 7,
       "negative frame count -2"},
      {"a negative image count", [](SpriteFile& f) { f.m_imageCountField = -1; }, 6,
       "negative image count -1"},
      {"image number 0", [](SpriteFile& f) { f.m_animations[3].m_frames[0].m_image = 0; }, 7,
       "animation 3 shows image 0 of 3"},
      {"an image number past the table", [](SpriteFile& f) { f.m_animations[0].m_frames[1].m_image = 4; }, 5,
       "animation 0 shows image 4 of 3"},
      {"a negative image number", [](SpriteFile& f) { f.m_animations[4].m_frames[0].m_image = -7; }, 4,
       "animation 4 shows image -7 of 3"},
      {"more image sets than images", [](SpriteFile& f) { f.m_setCountField = 4; }, 6,
       "4 image sets for 3 images"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SpriteFile file = SampleFile(c.version);
    c.spoil(file);
    const std::string bytes = fixture::WriteSpriteFile(file);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Load(bytes), nullptr);
    database->Put("spoilt", bytes);
    Qel::SpriteLoader loader;
    EXPECT_EQ(loader.LoadSprite(Qel::NameHash("spoilt"), &device, 0, &clock, true, false, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(loader.GetCacheSize(), 0u);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_NE(trace.find(std::string("ERROR: sprite stream refused: ") + c.failure + "\n"), std::string::npos)
        << trace;
    char byName[160];
    std::snprintf(byName, sizeof byName, "ERROR: sprite %08X refused: %s\n", Qel::NameHash("spoilt"),
                  c.failure);
    EXPECT_NE(trace.find(byName), std::string::npos) << trace;
  }
}

TEST_F(SpriteFiles, ANegativeSetCountStoresNoImages) {
  SpriteFile file = SampleFile(6);
  file.m_setCountField = -1;
  Qel::SpriteData data;
  auto sprite = Load(fixture::WriteSpriteFile(file), &data);
  ASSERT_NE(sprite, nullptr);
  ASSERT_EQ(data.m_images.size(), 3u);
  for (const auto& image : data.m_images) EXPECT_EQ(image.m_surface, nullptr);
  EXPECT_EQ(data.m_images[1].m_offset, Qel::Point2(-3, 0));
}

// A file cut short in its own records is refused; cut inside its images it loads, the images it holds
// whole made and (version 7) the others left without a surface.
TEST_F(SpriteFiles, TruncatedAtEveryRecordBoundary) {
  for (int32_t version : {7, 6, 4}) {
    std::vector<size_t> ends;
    const std::string bytes = fixture::WriteSpriteFile(SampleFile(version), &ends);
    ASSERT_EQ(ends.back(), bytes.size());
    const size_t images = 3;
    const size_t recordsEnd = ends[ends.size() - images - 1];
    std::vector<size_t> cuts;
    for (size_t end : ends) {
      for (size_t cut : {end - 1, end, end + 1}) {
        if (cut < bytes.size()) cuts.push_back(cut);
      }
    }
    for (size_t cut : cuts) {
      SCOPED_TRACE("version " + std::to_string(version) + " cut at " + std::to_string(cut) + " of " +
                   std::to_string(bytes.size()));
      Qel::SpriteData data;
      auto sprite = Load(bytes.substr(0, cut), &data);
      if (cut < recordsEnd) {
        EXPECT_EQ(sprite, nullptr);
        continue;
      }
      ASSERT_NE(sprite, nullptr);
      EXPECT_EQ(sprite->GetAnimationCount(), 5);
      for (size_t i = 0; i < images; ++i) {
        const bool whole = ends[ends.size() - images + i] <= cut;
        if (whole) {
          EXPECT_NE(data.m_images[i].m_surface, nullptr) << "image " << i;
        } else if (version >= 7) {
          EXPECT_EQ(data.m_images[i].m_surface, nullptr) << "image " << i;
        }
      }
    }
  }
}

TEST_F(SpriteFiles, BadZlibStreamsAndLyingSizesLeaveImagesWithoutSurfaces) {
  struct Case {
    const char* what;
    std::function<void(SpriteFile&)> spoil;
    std::vector<bool> made;
  };
  const Case cases[] = {
      {"a damaged zlib stream",
       [](SpriteFile& f) { f.m_images[1].m_corruptStream = true; },
       {true, false, true}},
      {"a length past the end",
       [](SpriteFile& f) { f.m_images[2].m_storedLength = 100000; },
       {true, true, false}},
      {"a length too short", [](SpriteFile& f) { f.m_images[0].m_storedLength = 5; }, {false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SpriteFile file = SampleFile(7);
    c.spoil(file);
    Qel::SpriteData data;
    auto sprite = Load(fixture::WriteSpriteFile(file), &data);
    ASSERT_NE(sprite, nullptr);
    for (size_t i = 0; i < c.made.size(); ++i) {
      EXPECT_EQ(data.m_images[i].m_surface != nullptr, c.made[i]) << "image " << i;
    }
    // Frames without an image draw nothing.
    sprite->PlayAnimation(0u, 0);
    sprite->Render(*device.GetBackBuffer(), Qel::Box3(-10, -10, 0, 20, 20, 0), Qel::Point2(100, 100));
  }

  // Old versions: what a set whose data size lies gives is the stored-image reader's business; the file
  // loads either way.
  for (size_t lying : {0, 2}) {
    SCOPED_TRACE("set " + std::to_string(lying));
    SpriteFile old = SampleFile(6);
    old.m_images[lying].m_storedLength = lying == 0 ? 3 : 100000;
    Qel::SpriteData data;
    ASSERT_NE(Load(fixture::WriteSpriteFile(old), &data), nullptr);
    for (size_t i = 0; i < lying; ++i) EXPECT_NE(data.m_images[i].m_surface, nullptr) << "image " << i;
  }
}
