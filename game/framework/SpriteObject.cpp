// The sprite object: a game object shown by a sprite loaded by name, which reports its animations'
// ends and loops.
#include "framework/SpriteObject.h"

#include <string>

#include "core/EventManager.h"
#include "core/ResourceAddress.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MainApp.h"
#include "framework/MissingResource.h"
#include "framework/MouseCursor.h"
#include "framework/ThrowErrorText.h"
#include "framework/ValueTokenizer.h"
#include "graphics/Animation.h"
#include "graphics/FrameTrack.h"
#include "graphics/NotifyCodes.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLoader.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

int32_t ReadInt(const char* value) {
  ValueTokenizer tokens(value);
  return tokens.NextInt();
}

// The frames of an animation are its track 0.
Qel::FrameTrack* FramesOf(const Qel::Sprite* sprite) {
  Qel::Animation* animation = sprite ? sprite->GetCurrentAnimation() : nullptr;
  return animation ? dynamic_cast<Qel::FrameTrack*>(animation->FindTrack(0)) : nullptr;
}

}  // namespace

SpriteObject::SpriteObject(const char* objectName, const char* spriteName, int clockKind) {
  LoadSprite(spriteName, clockKind);
  m_sprite->SetName(objectName ? objectName : "");
}

SpriteObject::~SpriteObject() {
  if (m_sprite) m_sprite->RemoveObserver(this);
}

void SpriteObject::SetProperty(const char* key, const char* value) {
  GenericObject::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "hotspotWidth")) {
    m_hotspotWidth = ReadInt(value);
  } else if (plat::EqualsIgnoringCase(key, "hotspotHeight")) {
    m_hotspotHeight = ReadInt(value);
  } else if (plat::EqualsIgnoringCase(key, "seq")) {
    SetAnimation(static_cast<uint32_t>(ReadInt(value)), 0);
  }
}

bool SpriteObject::HitTest(int32_t x, int32_t y) {
  // A disabled cursor acts on nothing.
  if (!m_sprite || !m_sprite->IsVisible() || !MouseCursor::Instance().IsEnabled()) return false;
  Qel::Box3 bounds;
  GetWorldBounds(bounds);
  const int64_t left = bounds.Min().X();
  const int64_t top = bounds.Min().Y();
  if (left <= x && x <= bounds.Max().X() && top <= y && y <= bounds.Max().Y()) return true;
  // The hotspot is measured in 64 bits: an edge near the end of the range must not wrap.
  return left <= x && x <= left + m_hotspotWidth && top <= y && y <= top + m_hotspotHeight;
}

void SpriteObject::Update() {
  GenericObject::Update();
}

bool SpriteObject::OnAnimationEnded() {
  return false;
}

bool SpriteObject::OnAnimationLooped() {
  return false;
}

void SpriteObject::OnNotify(Qel::Observable*, uint32_t sender, uint32_t event, void*) {
  if (sender != Qel::kNotifySprite) return;
  int id = 0;
  if (event == Qel::kNotifyEnd) {
    if (OnAnimationEnded()) return;
    id = kEventAnimationEnded;
  } else if (event == Qel::kNotifyLoop) {
    if (OnAnimationLooped()) return;
    id = kEventAnimationLooped;
  } else {
    return;
  }
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, id, this);
}

void SpriteObject::LoadSprite(const char* spriteName, int clockKind) {
  if (!spriteName) spriteName = "";
  Qel::TimeSource* clock = clockKind == kClockApplication
                               ? static_cast<Qel::TimeSource*>(&ApplicationClock::Instance())
                               : &GameClock::Instance();
  std::shared_ptr<Qel::Sprite> sprite =
      GetSpriteLoader().LoadSprite(Qel::NameHash(spriteName), GetApp().GetDisplay(), 0, clock, true,
                                   sKeepSpritesCompressed, nullptr, nullptr);
  if (!sprite) {
    // A sprite that is only absent keeps the short message; a known cause is added to it.
    const std::string why = WhyResourceIsMissing(spriteName, Qel::kTypeSprite);
    if (why.empty()) ThrowErrorText("Failed to load sprite '%s'\n", spriteName);
    ThrowErrorText("Failed to load sprite '%s': %s\n", spriteName, why.c_str());
  }

  // A sprite loaded again takes the place of the old one, under its name and in its group.
  Qel::SceneObjectGroup* group = nullptr;
  if (m_sprite) {
    m_sprite->RemoveObserver(this);
    sprite->SetName(m_sprite->GetName());
    group = m_sprite->GetParent();
    if (group) group->RemoveChild(m_sprite->GetName());
  }
  m_sprite = sprite.get();
  SetSceneObject(sprite);
  if (group) group->AddChild(sprite);
  SetAnimation(0, 0);
  m_sprite->AddObserver(this);
}

void SpriteObject::SetAnimation(uint32_t id, int startFrame) {
  if (m_sprite) m_sprite->PlayAnimation(id, startFrame);
}

void SpriteObject::ReplayAnimation(int startFrame) {
  if (m_sprite) m_sprite->PlayAnimation(m_sprite->GetCurrentAnimationId(), startFrame);
}

uint32_t SpriteObject::GetAnimationId() const {
  return m_sprite ? m_sprite->GetCurrentAnimationId() : Qel::Sprite::kNoAnimation;
}

int SpriteObject::GetAnimationCount() const {
  return m_sprite ? m_sprite->GetAnimationCount() : 0;
}

int SpriteObject::GetFrameCount() const {
  const Qel::FrameTrack* frames = FramesOf(m_sprite);
  return frames ? frames->GetFrameCount() : 0;
}

int SpriteObject::GetCurrentFrame() const {
  const Qel::FrameTrack* frames = FramesOf(m_sprite);
  return frames ? frames->GetCurrentFrame() : 0;
}

void SpriteObject::SetAnimationSpeed(float factor) {
  Qel::Animation* animation = m_sprite ? m_sprite->GetCurrentAnimation() : nullptr;
  if (animation) animation->SetSpeed(factor);
}

Qel::Point2 SpriteObject::GetSize() const {
  if (!m_sprite) return Qel::Point2();
  Qel::Box3 bounds;
  m_sprite->GetBounds(bounds);
  return Qel::Point2(bounds.Width(), bounds.Height());
}

void SpriteObject::SetHotspotSize(int32_t width, int32_t height) {
  m_hotspotWidth = width;
  m_hotspotHeight = height;
}
