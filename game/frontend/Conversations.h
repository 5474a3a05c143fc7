// The conversations of a node, read from its text data: "new_conversation" opens one, each
// "dialogue" line adds a line to it.
#pragma once

#include "framework/IHasLoadableTxtData.h"
#include "framework/StepList.h"

class DialogueList;

// Owns its conversations; the current one is the list's current element.
class Conversations : public StepList<DialogueList*, 0>, public IHasLoadableTxtData {
public:
  Conversations();
  ~Conversations() override;
  Conversations(const Conversations&) = delete;
  Conversations& operator=(const Conversations&) = delete;

  // "dialogue" takes seven values (speaker, body, head, pose data, flag, sound file, line number);
  // a line that does not give them, or that comes before any "new_conversation", is refused with a
  // trace. Other keys are ignored.
  void SetTxtValue(const char* key, const char* value) override;
};
