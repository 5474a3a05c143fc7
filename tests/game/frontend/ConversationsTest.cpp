// Conversations read from text data: lines joined to the conversation opened before them, the flag's
// spellings, refused lines, and the walks that set up the speakers and queue the lines.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/TxtDataManager.h"
#include "frontend/ConversationNode.h"
#include "frontend/Conversations.h"
#include "frontend/Dialogue.h"
#include "frontend/DialogueList.h"

namespace {

using Names = std::vector<std::string>;

void Parse(const std::string& text, Conversations& target) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  ASSERT_TRUE(block->Allocate(static_cast<uint32_t>(text.size())));
  std::memcpy(block->GetData(), text.data(), text.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  ASSERT_TRUE(TxtDataManager::Instance().ParseStream(stream, target));
}

class RecordingNode : public ConversationNode {
public:
  void SetSpeaker(uint32_t speaker, const char* body, const char* head, const char* data,
                  uint8_t flag) override {
    calls.push_back("speaker " + std::to_string(speaker) + " " + body + " " + head + " " + data + " " +
                    std::to_string(flag));
  }
  void QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) override {
    calls.push_back("line " + std::to_string(speaker) + " " + soundFile + " " + std::to_string(lineNumber));
  }
  GameSound* FindSound(const char*) override { return nullptr; }

  Names calls;
};

TEST(Conversations, LinesJoinTheConversationOpenedBeforeThem) {
  Conversations conversations;
  Parse(
      "new_conversation = 1\n"
      "dialogue = 0, PiloBody, PiloHead, PiloPose, TRUE, 4440, 4440\n"
      "Dialogue = (1 NemoBody NemoHead NemoPose 0 4441 4441)\n"
      "other = 1\n"
      "NEW_CONVERSATION = 2\n"
      "dialogue = 8\tb\th\td\t7\ts\t12\n",
      conversations);
  ASSERT_EQ(conversations.Count(), 2u);
  EXPECT_EQ(conversations.GetCurrentIndex(), 1u);
  DialogueList* first = conversations.At(0);
  ASSERT_EQ(first->Count(), 2u);
  const Dialogue* line = first->At(0);
  EXPECT_EQ(line->GetSpeaker(), 0u);
  // Text data arrives lowered.
  EXPECT_EQ(line->GetBodyName(), "pilobody");
  EXPECT_EQ(line->GetHeadName(), "pilohead");
  EXPECT_EQ(line->GetDataName(), "pilopose");
  EXPECT_STREQ(line->GetSoundFile(), "4440");
  EXPECT_EQ(line->GetLineNumber(), 4440u);

  struct Flag {
    uint32_t list, index;
    uint8_t flag;
  };
  for (const Flag f : {Flag{0, 0, 1}, Flag{0, 1, 0}, Flag{1, 0, 1}}) {
    SCOPED_TRACE(f.list * 10 + f.index);
    EXPECT_EQ(conversations.At(f.list)->At(f.index)->GetSpeakerFlag(), f.flag);
  }
}

TEST(Conversations, RefusedLinesJoinNothing) {
  Conversations conversations;
  Parse(
      "dialogue = 0, a, b, c, 1, s, 1\n"
      "new_conversation = 1\n"
      "dialogue = 9, a, b, c, 1, s, 1\n"
      "dialogue = -1, a, b, c, 1, s, 1\n"
      "dialogue = 0, a, b, c, 1, s\n"
      "dialogue = 2, a, b, c, 1, s, 5\n",
      conversations);
  // The line before any conversation does not join the one opened after it.
  ASSERT_EQ(conversations.Count(), 1u);
  ASSERT_EQ(conversations.At(0)->Count(), 1u);
  EXPECT_EQ(conversations.At(0)->At(0)->GetSpeaker(), 2u);
}

TEST(Conversations, WalksSetUpSpeakersAndQueueLinesInFileOrder) {
  Conversations conversations;
  Parse(
      "new_conversation = 1\n"
      "dialogue = 0 b0 h0 d0 1 s1 1\n"
      "dialogue = 1 b1 h1 d1 0 s2 2\n"
      "dialogue = 0 b0 h0 d0 1 s3 3\n"
      "dialogue = 2 b2 h2 d2 true s4 4\n",
      conversations);
  DialogueList* list = conversations.Current();
  ASSERT_NE(list, nullptr);
  RecordingNode node;
  list->QueueLines(node);
  EXPECT_EQ(node.calls, (Names{"line 0 s1 1", "line 1 s2 2", "line 0 s3 3", "line 2 s4 4"}));
  EXPECT_EQ(list->GetCurrentIndex(), 3u);
  node.calls.clear();
  list->SetUpSpeakers(node);
  EXPECT_EQ(node.calls, (Names{"speaker 0 b0 h0 d0 1", "speaker 1 b1 h1 d1 0", "speaker 0 b0 h0 d0 1",
                               "speaker 2 b2 h2 d2 1"}));
  EXPECT_EQ(list->GetCurrentIndex(), 3u);

  DialogueList empty;
  empty.QueueLines(node);
  EXPECT_EQ(node.calls.size(), 4u);
}

}  // namespace
