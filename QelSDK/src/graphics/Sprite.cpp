// The sprite: its animations, which one plays, chaining, drawing, and the relay of their notifications.
#include "graphics/Sprite.h"

#include <utility>

#include "graphics/Animation.h"
#include "graphics/ISceneVisitor.h"
#include "graphics/NotifyCodes.h"

namespace Qel {
namespace {

constexpr uint32_t kAutomaticIds = 10000;

// The counter's four decimal digits as characters, thousands first in memory.
uint32_t AutomaticId(uint32_t counter) {
  uint32_t id = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    id |= static_cast<uint32_t>('0' + counter / 1000 % 10) << shift;
    counter = counter % 1000 * 10;
  }
  return id;
}

}  // namespace

Sprite::~Sprite() {
  // Nothing this sprite does from here on is passed to its observers.
  DetachAll();
  if (m_currentAnimation) m_currentAnimation->Stop();
  ForgetCurrent();
  m_animations.clear();
  m_nextAnimations.clear();
}

void Sprite::ComputeLocalBounds(Box3& out) const {
  out.Clear();
  if (m_currentAnimation == nullptr) return;
  const Rect frame = m_currentAnimation->GetBounds();
  out.Set(frame.Left(), frame.Top(), 0, frame.Right(), frame.Bottom(), 0);
}

void Sprite::Accept(ISceneVisitor& visitor) {
  visitor.VisitSprite(*this);
}

void Sprite::Render(DrawingSurface& target, const Box3& source, const Point2& at) {
  if (m_currentAnimation == nullptr) return;
  // The draw pass hands the source in the anchored frame; the frames lie in the sprite's own.
  Rect area = source.ToRect();
  area += Point2(GetAnchor().X(), GetAnchor().Y());
  m_currentAnimation->Draw(target, &area, at);
}

uint32_t Sprite::AddAnimation(std::shared_ptr<Animation> animation) {
  if (!animation || Find(animation.get()) != m_animations.end()) return kNoAnimation;
  for (uint32_t counter = static_cast<uint32_t>(m_animations.size()); counter < kAutomaticIds; ++counter) {
    const uint32_t id = AutomaticId(counter);
    if (m_animations.count(id) != 0) continue;
    animation->AddObserver(this);
    m_animations.emplace(id, std::move(animation));
    ++m_heldChanges;
    return id;
  }
  return kNoAnimation;
}

bool Sprite::AddAnimation(uint32_t id, std::shared_ptr<Animation> animation) {
  if (id == kNoAnimation || !animation || m_animations.count(id) != 0) return false;
  if (Find(animation.get()) != m_animations.end()) return false;
  animation->AddObserver(this);
  m_animations.emplace(id, std::move(animation));
  ++m_heldChanges;
  return true;
}

Sprite::AnimationMap::const_iterator Sprite::Find(const Animation* animation) const {
  for (auto entry = m_animations.begin(); entry != m_animations.end(); ++entry) {
    if (entry->second.get() == animation) return entry;
  }
  return m_animations.end();
}

bool Sprite::Remove(AnimationMap::const_iterator entry) {
  const uint32_t id = entry->first;
  if (id == m_currentId) {
    LifeGuard::Watch watch(m_life);
    StopAnimation();
    if (watch.IsGone()) return false;
    // An observer of the stop may have started it again: it must not stay current once it is
    // released.
    if (id == m_currentId) ForgetCurrent();
  }
  // Observers of the stop may have removed it already.
  if (m_animations.erase(id) != 0) ++m_heldChanges;
  return true;
}

void Sprite::ForgetCurrent() {
  m_currentAnimation = nullptr;
  m_currentId = kNoAnimation;
}

bool Sprite::RemoveAnimation(Animation* animation) {
  const auto entry = Find(animation);
  if (entry == m_animations.end()) return false;
  Remove(entry);
  return true;
}

bool Sprite::RemoveAnimationById(uint32_t id) {
  const auto entry = m_animations.find(id);
  if (entry == m_animations.end()) return false;
  Remove(entry);
  return true;
}

void Sprite::RemoveAllAnimations() {
  LifeGuard::Watch watch(m_life);
  StopAnimation();
  if (watch.IsGone()) return;
  // The animations go after the map is empty, so that whatever their end sets off finds a consistent sprite.
  const AnimationMap released = std::move(m_animations);
  m_animations.clear();
  ++m_heldChanges;
  // An observer of the stop may have started one again.
  ForgetCurrent();
}

uint32_t Sprite::GetAnimationId(const Animation* animation) const {
  const auto entry = Find(animation);
  return entry == m_animations.end() ? kNoAnimation : entry->first;
}

Animation* Sprite::GetAnimation(uint32_t id) const {
  const auto entry = m_animations.find(id);
  return entry == m_animations.end() ? nullptr : entry->second.get();
}

void Sprite::PlayAnimation(Animation* animation, int startFrame) {
  const auto entry = Find(animation);
  if (entry != m_animations.end()) Play(entry->first, entry->second, startFrame);
}

void Sprite::PlayAnimation(uint32_t id, int startFrame) {
  const auto entry = m_animations.find(id);
  if (entry != m_animations.end()) Play(entry->first, entry->second, startFrame);
}

void Sprite::Play(uint32_t id, std::shared_ptr<Animation> animation, int startFrame) {
  // The animation is held by the argument should an observer of the stop remove it.
  LifeGuard::Watch watch(m_life);
  const uint32_t heldChanges = m_heldChanges;
  StopAnimation();
  if (watch.IsGone()) return;
  if (m_heldChanges != heldChanges) {
    // Observers of the stop may have removed it, or held it anew under another id.
    const auto entry = m_animations.find(id);
    if (entry == m_animations.end() || entry->second != animation) {
      const auto moved = Find(animation.get());
      if (moved == m_animations.end()) return;
      id = moved->first;
    }
  }
  m_currentAnimation = animation.get();
  m_currentId = id;
  ++m_plays;
  animation->Play(startFrame);
  if (watch.IsGone()) return;
  SetBoundsDirty(true);
}

void Sprite::StopAnimation() {
  if (m_currentAnimation == nullptr) return;
  const uint32_t plays = m_plays;
  LifeGuard::Watch watch(m_life);
  // An observer of the stop may release the animation, and with it the last reference to it: an
  // animation touches nothing of its own once it has told its observers, and nothing here touches it
  // afterwards.
  m_currentAnimation->Stop();
  if (watch.IsGone()) return;
  // An observer of the stop may have started another one meanwhile.
  if (m_plays == plays) ForgetCurrent();
}

void Sprite::SetNextAnimation(uint32_t id, uint32_t nextId) {
  m_nextAnimations[id] = nextId;
}

bool Sprite::ClearNextAnimation(uint32_t id) {
  return m_nextAnimations.erase(id) != 0;
}

Sprite::AnimationMap::const_iterator Sprite::FindSubject(const Observable* subject) const {
  for (auto entry = m_animations.begin(); entry != m_animations.end(); ++entry) {
    if (static_cast<const Observable*>(entry->second.get()) == subject) return entry;
  }
  return m_animations.end();
}

void Sprite::OnNotify(Observable* subject, uint32_t sender, uint32_t event, void*) {
  if (sender != kNotifyAnimation) return;
  if (event == kNotifyBoundsChanged) SetBoundsDirty(true);
  // The current animation, which tells the most, is known at once; another held animation is found
  // among the sprite's own, and only a subject the sprite does not hold needs the run-time type test.
  Animation* animation = nullptr;
  uint32_t id = kNoAnimation;
  if (m_currentAnimation != nullptr && static_cast<Observable*>(m_currentAnimation) == subject) {
    animation = m_currentAnimation;
    id = m_currentId;
  } else if (const auto entry = FindSubject(subject); entry != m_animations.end()) {
    animation = entry->second.get();
    id = entry->first;
  } else {
    animation = dynamic_cast<Animation*>(subject);
  }
  if (animation == nullptr) return;
  if (event == kNotifyEnd) {
    const auto next = m_nextAnimations.find(id);
    if (next != m_nextAnimations.end()) {
      LifeGuard::Watch watch(m_life);
      PlayAnimation(next->second, 0);
      if (watch.IsGone()) return;
      // Whatever the chained start set off may have removed the ended animation.
      id = GetAnimationId(animation);
    }
  }
  Notify(kNotifySprite, event, &id);
}

}  // namespace Qel
