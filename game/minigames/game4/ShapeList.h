// The school's shapes, in the order the level file names them.
#pragma once

#include "framework/StepList.h"
#include "game4/Game4Node.h"
#include "game4/Shape.h"

// Owns its shapes.
class Game4Node::ShapeList : public StepList<Game4Node::Shape*, 1> {
public:
  ShapeList() = default;
  ~ShapeList() override {
    for (uint32_t i = 0; i < Count(); ++i) delete At(i);
  }
  ShapeList(const ShapeList&) = delete;
  ShapeList& operator=(const ShapeList&) = delete;
};
