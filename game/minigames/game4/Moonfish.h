// The moonfish school: it draws the next shape to show and swims into and out of the shapes.
#pragma once

#include <cstdint>
#include <memory>

#include "game4/Game4Node.h"

class SpriteObject;

// The school's animations: 0 at rest, 3i + 5 forming shape i and 3i + 7 leaving it; i = 5 is the
// school's own figure after a sequence copied without fault.
class Game4Node::Moonfish {
public:
  static constexpr uint32_t kRestAnimation = 0;
  static constexpr int kSuccessFigure = 5;

  // The school takes the shape list.
  Moonfish(SpriteObject* school, std::unique_ptr<ShapeList> shapes, int32_t repeatLimit);
  virtual ~Moonfish();
  Moonfish(const Moonfish&) = delete;
  Moonfish& operator=(const Moonfish&) = delete;

  // A shape index drawn from the game's generator: the same shape as last time comes again at most
  // repeatLimit times in a row. -1 without shapes.
  virtual int32_t NextRandomShape();
  // With a shape, its fish sound plays / it takes its normal look again.
  virtual void FormShape(int32_t i, Shape* shape);
  virtual void ReleaseShape(int32_t i, Shape* shape);
  // Null outside the list.
  virtual Shape* GetShape(int32_t i);
  virtual SpriteObject* GetSprite() const { return m_school; }

  uint32_t GetShapeCount() const;
  int32_t GetRepeatLimit() const { return m_repeatLimit; }

private:
  SpriteObject* m_school;
  std::unique_ptr<ShapeList> m_shapes;
  int32_t m_repeatLimit;
  int32_t m_lastPick = -1;
  int32_t m_repeats = 0;
};
