// A game sound with a closed-caption line.
#include "framework/CCSound.h"

CCSound::CCSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber,
                 bool pausable, bool streamed)
    : GameSound(name, file, pausable, streamed), m_captionNumber(captionNumber), m_caption(caption) {}

CCSound::~CCSound() = default;
