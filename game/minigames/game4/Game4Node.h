// The shape-and-rhythm game: a school of moonfish shows shapes in time with a metronome and the
// player copies them on five shape buttons.
#pragma once

#include <cstdint>

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
  class Level;

  // What the level tells the node, and asks of it.
  class LevelListener {
  public:
    virtual ~LevelListener() = default;
    // The demonstration of the current sequence is over.
    virtual void OnPlayersTurn() = 0;
    // A sequence ended without completing the level.
    virtual void OnSequenceResult(bool correct, bool timedOut) = 0;
    // The last sequence of the level was copied.
    virtual void OnLevelComplete() = 0;
    // Game-clock time of the press that began the copy.
    virtual uint32_t GetPressTime() const = 0;
  };
};
