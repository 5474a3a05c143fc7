// The cards and sand pictures of the memory game: clickables with the little each adds.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "framework/Clickable.h"
#include "game9/Game9Node.h"

// A rock card; two cards of one board match when their kinds are equal.
class Game9Node::Cards : public Clickable {
public:
  Cards(const char* objectName, const char* spriteName, int clockKind);
  ~Cards() override;

  // The pointer's position is kept; true when the card is shown (and every group above it) and the
  // pointer lies within its world bounds, all four edges included.
  bool IsHit();

  int32_t GetKind() const { return m_kind; }
  void SetKind(int32_t kind) { m_kind = kind; }
  Qel::Point2 GetPointer() const { return m_pointer; }

private:
  int32_t m_kind = 0;
  Qel::Point2 m_pointer;
};

// A sand picture under the boards: 0 covered, 1 revealed.
class Game9Node::SandBackgrounds : public Clickable {
public:
  static constexpr uint32_t kCovered = 0;
  static constexpr uint32_t kRevealed = 1;

  SandBackgrounds(const char* objectName, const char* spriteName, int clockKind);
  ~SandBackgrounds() override;

  int32_t GetDepth() const { return m_depth; }
  void SetDepth(int32_t depth) { m_depth = depth; }

private:
  int32_t m_depth = 0;
};
