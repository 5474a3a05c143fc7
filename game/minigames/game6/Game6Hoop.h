// The swim game's hoop: an arch of four parts (top, left, bottom, right) that the fish swims through;
// the top knocks it back, the others tell the node which side of the arch the fish is on.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/Periodical.h"
#include "core/Point2.h"
#include "framework/Ambient.h"
#include "game6/Game6Node.h"

class GenericObject;

class Game6Node::CHoop : public Qel::Periodical {
public:
  enum Part : int32_t { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3, kPartCount = 4 };
  // What HitSide answers.
  enum Side : int32_t { kNone = 0, kHitTop = 1, kHitBottom = 2, kHitRight = 3 };
  // Where the parts stand from the hoop's point.
  static constexpr int32_t kPartShiftX = -50;

  // The parts are named after the hoop with " - top", " - left", " - bottom" and " - right".
  // Throws as SpriteObject does when a sprite cannot be loaded.
  CHoop(const char* name, const char* topSprite, const char* leftSprite, const char* bottomSprite,
        const char* rightSprite);
  ~CHoop() override;

  // Anchors, places, sets the depths of the four parts (top 2, left 1, bottom 2, right 3) and turns
  // collision on for all but the left part, which never collides.
  void Layout();
  // Both objects tested at depth 2, whatever depth each is drawn at, and their depths put back.
  virtual bool Collides(GenericObject& a, GenericObject& b);
  // The first of top, bottom and right that the fish touches, or none.
  int32_t HitSide(GenericObject& fish);

  // The parts' object updates; hoops are never started as periodicals, the node updates the parts.
  int Tick();
  int Update() override { return Tick(); }

  Ambient* GetPart(int32_t part) const { return m_parts[static_cast<size_t>(part)].get(); }
  void SetPosition(const Qel::Point2& position) { m_position = position; }
  const Qel::Point2& GetPosition() const { return m_position; }
  void SetPartAnchor(int32_t part, const Qel::Point2& anchor) { m_anchors[static_cast<size_t>(part)] = anchor; }
  void SetPartOffset(int32_t part, const Qel::Point2& offset) { m_offsets[static_cast<size_t>(part)] = offset; }

private:
  std::array<std::unique_ptr<Ambient>, kPartCount> m_parts;
  Qel::Point2 m_position;
  // The whole arch's shift from its point, and the parts' own on top of it.
  Qel::Point2 m_shift;
  Qel::Point2 m_partShift;
  std::array<Qel::Point2, kPartCount> m_offsets{};
  std::array<Qel::Point2, kPartCount> m_anchors{};
};
