// A level's sequences, played in order.
#pragma once

#include <memory>

#include "framework/StepList.h"
#include "game4/Game4Node.h"
#include "game4/Sequence.h"

// Owns its sequences.
class Game4Node::SequenceList : public StepList<Game4Node::Sequence*, 1> {
public:
  SequenceList() = default;
  ~SequenceList() override { DeleteAll(); }
  SequenceList(const SequenceList&) = delete;
  SequenceList& operator=(const SequenceList&) = delete;

  void DeleteAll() {
    for (uint32_t i = 0; i < Count(); ++i) delete At(i);
    Clear();
    SetCurrentIndex(0);
  }
  // Every sequence's timing file, from the last to the first; the name of the first one missing
  // (in that order), or null when all loaded.
  const Sequence* LoadAll() {
    const Sequence* missing = nullptr;
    for (uint32_t i = Count(); i-- > 0;) {
      Sequence* sequence = At(i);
      if (!sequence->Load()) missing = sequence;
    }
    return missing;
  }
};
