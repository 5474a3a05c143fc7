// The sprite: a scene drawable that holds animations under 32-bit ids, shows one at a time and passes
// their notifications on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "graphics/LifeGuard.h"
#include "graphics/Observable.h"
#include "graphics/Observer.h"
#include "graphics/SceneDrawable.h"

namespace Qel {

class Animation;

// Observers hear "sprt" with the event of every animation notification and a pointer to that animation's
// id (kNoAnimation for one the sprite no longer holds). They may release the sprite inside the call.
class Sprite : public SceneDrawable, public Observer, public Observable {
public:
  // Returned for "no animation" by every operation that answers an id.
  static constexpr uint32_t kNoAnimation = 0xFFFFFFFFu;

  Sprite() = default;
  ~Sprite() override;

  // The current animation's current frame, z from 0 to 0; empty without a current animation.
  void ComputeLocalBounds(Box3& out) const override;
  void Accept(ISceneVisitor& visitor) override;
  void Render(DrawingSurface& target, const Box3& source, const Point2& at) override;

  // The first free id of the form "0000".."9999" (bytes in memory order), from the animation count up;
  // kNoAnimation for a null or already held animation, or when every such id is taken.
  virtual uint32_t AddAnimation(std::shared_ptr<Animation> animation);
  virtual bool AddAnimation(uint32_t id, std::shared_ptr<Animation> animation);
  // The current animation is stopped first. Removing does not end the subscription.
  virtual bool RemoveAnimation(Animation* animation);
  virtual bool RemoveAnimationById(uint32_t id);
  virtual void RemoveAllAnimations();
  virtual uint32_t GetAnimationId(const Animation* animation) const;
  virtual Animation* GetAnimation(uint32_t id) const;
  // Stops the current animation and starts this one at the frame; no effect for one not held.
  virtual void PlayAnimation(Animation* animation, int startFrame);
  virtual void PlayAnimation(uint32_t id, int startFrame);
  virtual Animation* GetCurrentAnimation() const { return m_currentAnimation; }
  virtual uint32_t GetCurrentAnimationId() const { return m_currentId; }
  virtual void StopAnimation();
  virtual int GetAnimationCount() const { return static_cast<int>(m_animations.size()); }
  // When the animation of id ends, the one of nextId is played from its first frame.
  virtual void SetNextAnimation(uint32_t id, uint32_t nextId);
  virtual bool ClearNextAnimation(uint32_t id);

  void OnNotify(Observable* subject, uint32_t sender, uint32_t event, void* data) override;

private:
  using AnimationMap = std::map<uint32_t, std::shared_ptr<Animation>>;

  AnimationMap::const_iterator Find(const Animation* animation) const;
  // The entry of the held animation that is this subject; the end for any other subject.
  AnimationMap::const_iterator FindSubject(const Observable* subject) const;
  void Play(uint32_t id, std::shared_ptr<Animation> animation, int startFrame);
  // Stops the current animation first; false when the sprite went away meanwhile.
  bool Remove(AnimationMap::const_iterator entry);
  void ForgetCurrent();

  // Not owning: always the animation the map holds under m_currentId, or null (with kNoAnimation).
  Animation* m_currentAnimation = nullptr;
  uint32_t m_currentId = kNoAnimation;
  // Counts the changes to the map and the plays, so that a call that has heard observers can tell
  // whether they changed either, without a lookup.
  uint32_t m_heldChanges = 0;
  uint32_t m_plays = 0;
  AnimationMap m_animations;
  std::map<uint32_t, uint32_t> m_nextAnimations;
  LifeGuard m_life;
};

}  // namespace Qel
