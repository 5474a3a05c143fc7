// One line of a conversation: who says it, with which body and head, and which sound.
#include "frontend/Dialogue.h"

#include "frontend/ConversationNode.h"

namespace {
std::string CopyOf(const char* text) {
  return text ? std::string(text) : std::string();
}
}  // namespace

Dialogue::Dialogue(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                   uint8_t speakerFlag, const char* soundFile, uint32_t lineNumber)
    : m_speaker(speaker),
      m_bodyName(CopyOf(bodyName)),
      m_headName(CopyOf(headName)),
      m_dataName(CopyOf(dataName)),
      m_speakerFlag(speakerFlag),
      m_soundFile(CopyOf(soundFile)),
      m_lineNumber(lineNumber) {}

Dialogue::~Dialogue() = default;

void Dialogue::Queue(ConversationNode& node) {
  node.QueueLine(m_speaker, m_soundFile.c_str(), m_lineNumber);
}

void Dialogue::SetUpSpeaker(ConversationNode& node) {
  node.SetSpeaker(m_speaker, m_bodyName.c_str(), m_headName.c_str(), m_dataName.c_str(), m_speakerFlag);
}

const char* Dialogue::GetSoundFile() const {
  return m_soundFile.c_str();
}
