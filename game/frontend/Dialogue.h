// One line of a conversation: who says it, with which body and head, and which sound.
#pragma once

#include <cstdint>
#include <string>

class ConversationNode;

class Dialogue {
public:
  Dialogue(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
           uint8_t speakerFlag, const char* soundFile, uint32_t lineNumber);
  virtual ~Dialogue();
  Dialogue(const Dialogue&) = delete;
  Dialogue& operator=(const Dialogue&) = delete;

  // The node queues the line for its speaker.
  virtual void Queue(ConversationNode& node);
  // The node sets up the line's speaker.
  virtual void SetUpSpeaker(ConversationNode& node);
  virtual const char* GetSoundFile() const;

  uint32_t GetSpeaker() const { return m_speaker; }
  const std::string& GetBodyName() const { return m_bodyName; }
  const std::string& GetHeadName() const { return m_headName; }
  const std::string& GetDataName() const { return m_dataName; }
  uint8_t GetSpeakerFlag() const { return m_speakerFlag; }
  uint32_t GetLineNumber() const { return m_lineNumber; }

private:
  uint32_t m_speaker;
  std::string m_bodyName;
  std::string m_headName;
  std::string m_dataName;
  uint8_t m_speakerFlag;
  std::string m_soundFile;
  uint32_t m_lineNumber;
};
