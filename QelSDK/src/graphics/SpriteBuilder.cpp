// Builds a sprite's animations, frame tracks and frame events from sprite-file records.
#include "graphics/SpriteBuilder.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/ResourceAddress.h"

#include "graphics/Animation.h"
#include "graphics/FramePauseEvent.h"
#include "graphics/FrameSoundEvent.h"
#include "graphics/FrameSoundTriggerEvent.h"
#include "graphics/FrameTrack.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteData.h"
#include "sound/Sound.h"

namespace Qel {
namespace {

constexpr uint32_t kAnimationAddedDuration = 0x2;
constexpr uint32_t kFrameAddedDuration = 0x4;

// A name of a word in square brackets is a trigger: the word, else empty.
std::string TriggerName(const std::string& soundName) {
  if (soundName.size() <= 2 || soundName.front() != '[' || soundName.back() != ']') return std::string();
  return soundName.substr(1, soundName.size() - 2);
}

int32_t FrameDuration(const SpriteData& data, const SpriteAnimationRecord& animation,
                      const SpriteFrameRecord& frame) {
  int32_t duration = data.m_defaultDuration;
  if (animation.m_flags & kAnimationAddedDuration) duration += animation.m_addedDuration;
  if (frame.m_flags & kFrameAddedDuration) duration += frame.m_addedDuration;
  return duration;
}

// The sounds of one build by name hash: frames of one sprite that name the same sound share one sound
// object, while another sprite of the same resource gets sounds of its own.
using BuildSounds = std::unordered_map<uint32_t, std::shared_ptr<Sound>>;

std::shared_ptr<Sound> SoundOfBuild(const std::string& name, BuildSounds& sounds) {
  std::shared_ptr<Sound>& sound = sounds[NameHash(name.c_str())];
  if (!sound) sound = std::make_shared<Sound>(name, /*streamed=*/false, /*channel=*/-1);
  return sound;
}

FrameTrack::FrameRecord MakeFrame(const SpriteData& data, const SpriteFrameRecord& frame, FrameTrack& track,
                                  BuildSounds& sounds) {
  FrameTrack::FrameRecord record;
  // The reader has checked every image number against the table.
  const SpriteImageRecord& image = data.m_images.at(static_cast<size_t>(frame.m_imageNumber - 1));
  record.m_image = image.m_surface;
  record.m_offset = image.m_offset;
  const std::string trigger = TriggerName(frame.m_soundName);
  if (!trigger.empty()) {
    record.m_events.push_back(std::make_shared<FrameSoundTriggerEvent>(trigger));
  } else if (!frame.m_soundName.empty()) {
    record.m_events.push_back(std::make_shared<FrameSoundEvent>(SoundOfBuild(frame.m_soundName, sounds)));
  }
  // After the sound, so that a pausing frame still sounds at the start of its pause.
  if (frame.m_pauseMaximum > frame.m_pauseMinimum) {
    record.m_events.push_back(
        std::make_shared<FramePauseEvent>(&track, frame.m_pauseMinimum, frame.m_pauseMaximum));
  }
  return record;
}

int PlayModeOf(const SpriteAnimationRecord& record) {
  switch (record.m_playMode) {
    case SpriteAnimationRecord::kModeStop:
    case SpriteAnimationRecord::kModeChain:
      return Animation::kPlayModeStop;
    case SpriteAnimationRecord::kModeHold:
      return Animation::kPlayModeHold;
    default:
      return Animation::kPlayModeLoop;
  }
}

}  // namespace

std::shared_ptr<Sprite> BuildSprite(const SpriteData& data, int layer, TimeSource* clock, bool useFrameTime,
                                    std::shared_ptr<Sprite> into) {
  std::shared_ptr<Sprite> sprite = into ? std::move(into) : std::make_shared<Sprite>();
  BuildSounds sounds;
  for (size_t i = 0; i < data.m_animations.size(); ++i) {
    const SpriteAnimationRecord& record = data.m_animations[i];
    auto animation = std::make_shared<Animation>(clock, useFrameTime);
    auto track = std::make_shared<FrameTrack>();
    for (const SpriteFrameRecord& frame : record.m_frames) {
      track->AddFrame(-1, FrameDuration(data, record, frame), MakeFrame(data, frame, *track, sounds));
    }
    animation->AddTrack(0, track, layer);
    const auto id = static_cast<uint32_t>(i);
    if (record.m_playMode == SpriteAnimationRecord::kModeChain) {
      // Sign-extended: a negative index names no animation.
      sprite->SetNextAnimation(id, static_cast<uint32_t>(static_cast<int32_t>(record.m_nextAnimation)));
    }
    animation->SetPlayMode(PlayModeOf(record));
    sprite->AddAnimation(id, std::move(animation));
  }
  return sprite;
}

}  // namespace Qel
