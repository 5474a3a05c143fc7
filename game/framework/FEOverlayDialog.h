// The front end's yes/no dialog: an optional player portrait, and spoken hints over the buttons that
// fall silent for a while after each one.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/YesNoDialog.h"

class Ambient;
class CCSound;
class GenericObject;

// The hints are the dialog's only hover speech: its update speaks them and then updates the objects,
// without the yes/no dialog's own hover step, which would start the same line a second time.
class FEOverlayDialog : public YesNoDialog {
public:
  // After a hint has ended, the updates of silence before the next one may start.
  static constexpr uint32_t kHintGapUpdates = 70;
  // Hints turned off come back on by themselves after so many updates.
  static constexpr uint32_t kHintsOffUpdates = 300;

  // The yes/no dialog's four arguments; with portraitIndex 0 or more the sprite "ProgIcon<index>" is
  // shown as "SIportrait" at (268, 177). A portrait sprite that cannot be loaded throws as sprite
  // objects do.
  FEOverlayDialog(const char* name, const char* boxSprite, const char* yesSprite, const char* noSprite,
                  int32_t portraitIndex);
  ~FEOverlayDialog() override;

  // Once a frame: the spoken hints, then every object's update.
  void Update() override;
  bool IsYesButton(const GenericObject* object) const override;

  // Off holds the hints back; they come on again by themselves after kHintsOffUpdates updates.
  void SetSpeechHints(bool on);

  CCSound* GetYesHint() const { return m_yesHint.get(); }
  CCSound* GetNoHint() const { return m_noHint.get(); }
  Ambient* GetPortrait() const { return m_portrait.get(); }
  uint32_t GetHintGap() const { return m_hintGap; }
  bool AreHintsOn() const { return m_hintsOn; }
  uint32_t GetHintsOffCount() const { return m_hintsOffCount; }

private:
  bool IsHintPlaying() const;

  std::unique_ptr<CCSound> m_yesHint;
  std::unique_ptr<CCSound> m_noHint;
  uint32_t m_hintGap = 0;
  bool m_hintsOn = true;
  uint32_t m_hintsOffCount = 0;
  std::unique_ptr<Ambient> m_portrait;
};
