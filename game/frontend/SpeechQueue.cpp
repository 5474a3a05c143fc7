// The speech queue: a room's spoken lines played one after another by its speakers, with lip-sync.
#include "frontend/SpeechQueue.h"

#include <cstdio>

#include "core/EventManager.h"
#include "framework/CharacterAnimator.h"
#include "framework/GameEvents.h"
#include "framework/LipSyncSound.h"
#include "frontend/RoomNode.h"

SpeechQueue::SpeechQueue(RoomNode& owner) : m_owner(owner) {}

SpeechQueue::~SpeechQueue() = default;

void SpeechQueue::SetSpeaker(uint32_t slot, CharacterAnimator* speaker) {
  if (slot < kSpeakerCount) m_speakers[slot] = speaker;
}

void SpeechQueue::AddLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) {
  m_lines.push_back(Line{speaker, soundFile, lineNumber});
}

void SpeechQueue::Start(uint32_t headVariant, bool lockInput) {
  m_nextLine = 0;
  m_headVariant = headVariant;
  m_playing = true;
  PlayNext();
  // A queue with nothing to say has stopped already and given the input back.
  if (lockInput && m_playing) m_owner.DisableInput();
}

void SpeechQueue::Stop() {
  m_playing = false;
  m_nextLine = 0;
  m_lines.clear();
  if (m_currentSound) {
    if (CharacterAnimator* speaker = GetSpeaker(m_currentSpeaker)) speaker->StopTalking(0);
    m_currentSound = nullptr;
  }
  for (CharacterAnimator* speaker : m_speakers) {
    if (speaker && speaker->GetState() == CharacterAnimator::kListening) speaker->Idle();
  }
  m_owner.EnableInput();
  if (Qel::EventManager* events = Qel::EventManager::GetInstance())
    events->PostEvent(kEventCharacter, EventId::SpeechStopped, nullptr);
}

bool SpeechQueue::OnSoundFinished(GameSound* sound) {
  if (!sound || sound != m_currentSound) return false;
  if (CharacterAnimator* speaker = GetSpeaker(m_currentSpeaker)) speaker->OnSoundFinished(sound);
  m_owner.ReleaseSound(sound);
  m_currentSound = nullptr;
  PlayNext();
  return true;
}

void SpeechQueue::PlayNext() {
  if (!m_playing) return;
  if (m_nextLine >= m_lines.size()) {
    Stop();
    return;
  }
  const Line line = m_lines[m_nextLine];
  char name[32];
  std::snprintf(name, sizeof name, "speechSound%u", line.lineNumber);
  m_currentSound = m_owner.GetLipSyncSound(name, line.soundFile, line.lineNumber, false);
  m_owner.SpeakerTalk(static_cast<int32_t>(line.speaker), m_currentSound, m_headVariant);
  m_currentSpeaker = line.speaker;
  ++m_nextLine;
  for (uint32_t slot = 0; slot < kSpeakerCount; ++slot) {
    CharacterAnimator* speaker = m_speakers[slot];
    if (slot != line.speaker && speaker && speaker->GetState() == CharacterAnimator::kIdle) speaker->Listen();
  }
}
