// One progress bubble: idle, popped (a press worth nothing) or blown (shown, or a press that scored).
#pragma once

#include <cstdint>

#include "game4/Game4Node.h"

class SpriteObject;
class VariantSound;

// A bubble whose sprite lacks the looks (3 animations or fewer), or that has no sprite, never changes
// and never plays a sound. The sounds are the level's and may be missing.
class Game4Node::Bubble {
public:
  static constexpr uint32_t kIdle = 0;
  static constexpr uint32_t kPopped = 1;
  static constexpr uint32_t kBlown = 2;

  Bubble(SpriteObject* sprite, VariantSound* pop, VariantSound* blow, VariantSound* show);
  virtual ~Bubble() = default;
  Bubble(const Bubble&) = delete;
  Bubble& operator=(const Bubble&) = delete;

  // From idle or blown.
  virtual void Pop();
  virtual void Blow();
  virtual void Reset();
  virtual void Show();
  virtual bool IsBlown() const { return Is(kBlown); }
  virtual bool IsPopped() const { return Is(kPopped); }
  virtual bool IsIdle() const { return Is(kIdle); }

  bool IsUsable() const { return m_usable; }
  SpriteObject* GetSprite() const { return m_sprite; }

private:
  bool Is(uint32_t look) const;
  uint32_t Look() const;
  void Become(uint32_t look, VariantSound* sound);

  SpriteObject* m_sprite;
  VariantSound* m_pop;
  VariantSound* m_blow;
  VariantSound* m_show;
  bool m_usable;
};
