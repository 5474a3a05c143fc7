// One conversation: its lines in the order the text data gives them.
#include "frontend/DialogueList.h"

#include "frontend/Dialogue.h"

DialogueList::DialogueList() = default;

DialogueList::~DialogueList() {
  for (uint32_t i = 0; i < Count(); ++i) delete At(i);
  Clear();
}

void DialogueList::AddDialogue(uint32_t speaker, const char* bodyName, const char* headName,
                               const char* dataName, uint8_t speakerFlag, const char* soundFile,
                               uint32_t lineNumber) {
  Add(new Dialogue(speaker, bodyName, headName, dataName, speakerFlag, soundFile, lineNumber));
}

void DialogueList::SetUpSpeakers(ConversationNode& node) {
  if (IsEmpty()) return;
  SetCurrentIndex(0);
  for (uint32_t i = 0; i < Count(); ++i) {
    Current()->SetUpSpeaker(node);
    Next();
  }
}

void DialogueList::QueueLines(ConversationNode& node) {
  if (IsEmpty()) return;
  SetCurrentIndex(0);
  for (uint32_t i = 0; i < Count(); ++i) {
    Current()->Queue(node);
    Next();
  }
}
