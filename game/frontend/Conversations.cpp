// The conversations of a node, read from its text data: "new_conversation" opens one, each
// "dialogue" line adds a line to it.
#include "frontend/Conversations.h"

#include <strings.h>
#include <cstdint>

#include "core/Trace.h"
#include "framework/ValueTokenizer.h"
#include "frontend/DialogueList.h"

Conversations::Conversations() = default;

Conversations::~Conversations() {
  for (uint32_t i = 0; i < Count(); ++i) delete At(i);
  Clear();
}

void Conversations::SetTxtValue(const char* key, const char* value) {
  if (!key) return;
  if (strcasecmp(key, "new_conversation") == 0) {
    Add(new DialogueList());
    SetCurrentIndex(Count() - 1);
    return;
  }
  if (strcasecmp(key, "dialogue") != 0) return;
  // A line with no conversation to join would be lost silently, or worse, join whichever list a
  // later "new_conversation" makes current.
  if (IsEmpty()) {
    Qel::Trace("WARN: Conversations: 'dialogue' before any 'new_conversation' refused: %s\n",
               value ? value : "");
    return;
  }
  uint32_t valueCount = 0;
  {
    ValueTokenizer counter(value ? value : "");
    while (counter.NextToken()) ++valueCount;
  }
  ValueTokenizer tokens(value ? value : "");
  const int32_t speaker = tokens.NextInt();
  const char* body = tokens.NextToken();
  const char* head = tokens.NextToken();
  const char* data = tokens.NextToken();
  const bool flag = tokens.NextBool();
  const char* sound = tokens.NextToken();
  const int32_t lineNumber = tokens.NextInt();
  // Every later read of the line (its speaker slot, its names) needs all seven values.
  if (valueCount < 7 || !sound || speaker < 0 || speaker > 8) {
    Qel::Trace(
        "WARN: Conversations: 'dialogue' line refused, it needs a speaker 0 to 8 and seven values: %s\n",
        value ? value : "");
    return;
  }
  Current()->AddDialogue(static_cast<uint32_t>(speaker), body, head, data, flag ? 1 : 0, sound,
                         static_cast<uint32_t>(lineNumber));
}
