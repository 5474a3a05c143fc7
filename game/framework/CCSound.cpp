// A game sound with a closed-caption line.
#include "framework/CCSound.h"

#include "framework/ClosedCaption.h"
#include "sound/Sound.h"

CCSound::CCSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber,
                 bool pausable, bool streamed)
    : GameSound(name, file, pausable, streamed), m_captionNumber(captionNumber), m_caption(caption) {}

CCSound::~CCSound() = default;

void CCSound::Play(bool loop, bool restart) {
  GameSound::Play(loop, restart);
  if (!m_caption) return;
  Qel::Sound* sound = GetEngineSound();
  m_caption->Show(static_cast<int32_t>(m_captionNumber),
                  sound ? static_cast<int32_t>(sound->GetLengthMs()) : 0);
}

void CCSound::Stop() {
  GameSound::Stop();
  if (m_caption) m_caption->Hide();
}
