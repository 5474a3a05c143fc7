// The conversation node: what a node offers the conversations it plays.
#pragma once

#include <cstdint>

class GameSound;

// A node that plays scripted conversations provides these; it forwards them to its room's speakers
// and speech queue (RoomNode::SetSpeaker with bobbing off, RoomNode::QueueLine).
class ConversationNode {
public:
  virtual ~ConversationNode() = default;

  virtual void SetSpeaker(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                          uint8_t flag) = 0;
  virtual void QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) = 0;
  // The node's sound of that name, or null.
  virtual GameSound* FindSound(const char* name) = 0;
};
