// A game sound with a closed-caption line of its owner's caption display.
#pragma once

#include <cstdint>

#include "framework/GameSound.h"

class ClosedCaption;

class CCSound : public GameSound {
public:
  // The caption display belongs to the owner and must outlive the sound.
  CCSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber, bool pausable,
          bool streamed);
  ~CCSound() override;

  // Plays the sound and shows its caption for the sound's length; a sound without a caption display
  // only plays.
  void Play(bool loop, bool restart) override;
  // Stops the sound and hides the caption display.
  void Stop() override;

  ClosedCaption* GetCaption() const { return m_caption; }
  uint32_t GetCaptionNumber() const { return m_captionNumber; }

private:
  uint32_t m_captionNumber;
  ClosedCaption* m_caption;
};
