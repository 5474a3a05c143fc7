// The sprite object: a game object shown by a sprite loaded by name, which reports its animations'
// ends and loops.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/GenericObject.h"
#include "graphics/Observer.h"

namespace Qel {
class Sprite;
}

class SpriteObject : public GenericObject, public Qel::Observer {
public:
  // Clock kinds of the sprite's animations. Motion always follows the game clock.
  static constexpr int kClockGame = 0;
  static constexpr int kClockApplication = 2;

  // Throws "Failed to load sprite '%s'\n" with the sprite name, as a C string, when the sprite
  // cannot be loaded. The sprite is named after the object.
  SpriteObject(const char* objectName, const char* spriteName, int clockKind);
  ~SpriteObject() override;

  // "hotspotWidth", "hotspotHeight" and "seq" after the keys of GenericObject.
  void SetProperty(const char* key, const char* value) override;
  // Visible objects only, while the mouse cursor is enabled: inside the screen bounds, edges
  // included, or inside the hotspot rectangle at the bounds' top-left corner.
  bool HitTest(int32_t x, int32_t y) override;
  void Update() override;
  // False lets the object post 101/10102 (ended) or 101/10103 (looped) with itself.
  virtual bool OnAnimationEnded();
  virtual bool OnAnimationLooped();

  // The sprite's notifications: "sprt" with "ende" and "loop".
  void OnNotify(Qel::Observable* subject, uint32_t sender, uint32_t event, void* data) override;

  // Clock kind 2 is the application clock, every other the game clock. Keeps the frame images
  // compressed while sKeepSpritesCompressed is set. Throws as the constructor does.
  void LoadSprite(const char* spriteName, int clockKind);
  // The animation of that id from the frame given.
  void SetAnimation(uint32_t id, int startFrame);
  // The current animation again, from the frame given.
  void ReplayAnimation(int startFrame);
  uint32_t GetAnimationId() const;
  // Of the sprite; 0 without one.
  int GetAnimationCount() const;
  int GetFrameCount() const;
  int GetCurrentFrame() const;
  // Of the current animation; only factors above 0 are taken.
  void SetAnimationSpeed(float factor);
  // Width and height of the sprite's bounds.
  Qel::Point2 GetSize() const;
  void SetHotspotSize(int32_t width, int32_t height);
  Qel::Point2 GetHotspotSize() const { return Qel::Point2(m_hotspotWidth, m_hotspotHeight); }

  Qel::Sprite* GetSprite() const { return m_sprite; }

private:
  // The scene object, which owns it.
  Qel::Sprite* m_sprite = nullptr;
  int32_t m_hotspotWidth = 0;
  int32_t m_hotspotHeight = 0;
};
