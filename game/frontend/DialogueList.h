// One conversation: its lines in the order the text data gives them.
#pragma once

#include <cstdint>

#include "framework/StepList.h"

class ConversationNode;
class Dialogue;

// Owns its lines.
class DialogueList : public StepList<Dialogue*, 1> {
public:
  DialogueList();
  ~DialogueList() override;
  DialogueList(const DialogueList&) = delete;
  DialogueList& operator=(const DialogueList&) = delete;

  void AddDialogue(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                   uint8_t speakerFlag, const char* soundFile, uint32_t lineNumber);
  // From the first line, each line's speaker is set up; the last line is left current.
  void SetUpSpeakers(ConversationNode& node);
  // From the first line, each line is queued; the last line is left current.
  void QueueLines(ConversationNode& node);
};
