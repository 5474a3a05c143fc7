// The speech queue: a room's spoken lines played one after another by its speakers, with lip-sync.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CharacterAnimator;
class GameSound;
class LipSyncSound;
class RoomNode;

// While a line plays, the other idle speakers listen. The end of the queue, natural or forced,
// always gives the room its input back and posts 102/1003 once.
class SpeechQueue {
public:
  static constexpr int kSpeakerCount = 9;

  // Speakers are registered by the room as it makes them.
  explicit SpeechQueue(RoomNode& owner);
  ~SpeechQueue();
  SpeechQueue(const SpeechQueue&) = delete;
  SpeechQueue& operator=(const SpeechQueue&) = delete;

  // Slots past 8 are ignored; null empties a slot.
  void SetSpeaker(uint32_t slot, CharacterAnimator* speaker);
  // The sound file's text is not copied: it must outlive the entry.
  void AddLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber);
  // Plays from the first line; a locking start takes the room's input away until the queue stops.
  void Start(uint32_t headVariant, bool lockInput);
  // Empties the queue, silences the line that plays, sends the listeners back to idle, gives the room
  // its input back and posts 102/1003.
  void Stop();
  // True when the sound is the line that plays: its speaker goes idle, the room lets go of the sound
  // and the next line plays.
  bool OnSoundFinished(GameSound* sound);

  bool IsPlaying() const { return m_playing; }
  size_t GetLineCount() const { return m_lines.size(); }
  uint32_t GetNextLine() const { return m_nextLine; }
  uint32_t GetCurrentSpeaker() const { return m_currentSpeaker; }
  LipSyncSound* GetCurrentSound() const { return m_currentSound; }
  uint32_t GetHeadVariant() const { return m_headVariant; }
  CharacterAnimator* GetSpeaker(uint32_t slot) const {
    return slot < kSpeakerCount ? m_speakers[slot] : nullptr;
  }

private:
  struct Line {
    uint32_t speaker;
    const char* soundFile;
    uint32_t lineNumber;
  };

  void PlayNext();

  RoomNode& m_owner;
  std::vector<Line> m_lines;
  uint32_t m_headVariant = 0;
  std::array<CharacterAnimator*, kSpeakerCount> m_speakers{};
  uint32_t m_nextLine = 0;
  uint32_t m_currentSpeaker = 0;
  LipSyncSound* m_currentSound = nullptr;
  bool m_playing = false;
};
