// The shape-and-rhythm game: a school of moonfish shows shapes in time with a metronome and the
// player copies them on five shape buttons.
#pragma once

#include "frontend/ProgressNode.h"

// The pieces the level drives are nested classes with files of their own beside this one.
class Game4Node : public ProgressNode {
public:
  class Shape;
  class ShapeList;
  class Moonfish;
  class Bubble;
  class BubbleList;
  class TimingMark;
  class TimingMarkList;
  class Sequence;
  class SequenceList;
};
