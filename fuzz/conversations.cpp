// Fuzz target: arbitrary bytes as a node's conversation text data, then every conversation's
// speakers set up and its lines queued on a node that checks what it is handed.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzInput.h"
#include "framework/TxtDataManager.h"
#include "frontend/ConversationNode.h"
#include "frontend/Conversations.h"
#include "frontend/Dialogue.h"
#include "frontend/DialogueList.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class CheckingNode : public ConversationNode {
public:
  void SetSpeaker(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                  uint8_t flag) override {
    Require(speaker <= 8 && flag <= 1);
    Require(bodyName && headName && dataName);
    Require(std::strlen(bodyName) + std::strlen(headName) + std::strlen(dataName) <
            TxtDataManager::kMaxLineLength);
  }
  void QueueLine(uint32_t speaker, const char* soundFile, uint32_t) override {
    Require(speaker <= 8 && soundFile && *soundFile != '\0');
    ++queued;
  }
  GameSound* FindSound(const char*) override { return nullptr; }

  uint32_t queued = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) return 0;
  Conversations conversations;
  Require(TxtDataManager::Instance().ParseStream(fuzzinput::StreamOver(data, size), conversations));
  CheckingNode node;
  uint32_t lines = 0;
  for (uint32_t i = 0; i < conversations.Count(); ++i) {
    DialogueList* list = conversations.At(i);
    Require(list != nullptr);
    list->SetUpSpeakers(node);
    list->QueueLines(node);
    lines += list->Count();
    if (!list->IsEmpty()) Require(list->GetCurrentIndex() == list->Count() - 1);
  }
  Require(node.queued == lines);
  return 0;
}
