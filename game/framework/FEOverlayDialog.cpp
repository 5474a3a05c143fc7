// The front end's yes/no dialog: an optional player portrait, and spoken hints over the buttons.
#include "framework/FEOverlayDialog.h"

#include <string>

#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "sound/Sound.h"

namespace {

constexpr int32_t kPortraitDepth = 9949;

bool IsSounding(const CCSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && engine->IsPlaying();
}

}  // namespace

FEOverlayDialog::FEOverlayDialog(const char* name, const char* boxSprite, const char* yesSprite,
                                 const char* noSprite, int32_t portraitIndex)
    : YesNoDialog(name, boxSprite, yesSprite, noSprite) {
  m_yesHint = CreateSound("0121", "0121", 121);
  m_noHint = CreateSound("5083", "5083", 5083);
  if (portraitIndex < 0) return;
  const std::string sprite = "ProgIcon" + std::to_string(portraitIndex);
  m_portrait = std::make_unique<Ambient>("SIportrait", sprite.c_str(), SpriteObject::kClockApplication);
  m_portrait->SetPositionAndZ(268, 177, kPortraitDepth);
  AddObject(m_portrait.get());
}

FEOverlayDialog::~FEOverlayDialog() {
  if (m_portrait) RemoveObject(m_portrait.get());
  m_portrait.reset();
  m_yesHint.reset();
  m_noHint.reset();
}

bool FEOverlayDialog::IsHintPlaying() const {
  return IsSounding(m_yesHint.get()) || IsSounding(m_noHint.get());
}

void FEOverlayDialog::Update() {
  if (m_hintsOn) {
    if (m_hintGap == 0 && !IsHintPlaying()) {
      if (IsPointerOverYes()) {
        m_hintGap = 1;
        m_yesHint->Play(false, true);
      } else if (IsPointerOverNo()) {
        m_hintGap = 1;
        m_noHint->Play(false, true);
      }
    }
    // Asked again: the count stands while the hint just started plays.
    if (m_hintGap != 0 && !IsHintPlaying() && ++m_hintGap >= kHintGapUpdates) m_hintGap = 0;
  } else if (m_hintsOffCount != 0 && ++m_hintsOffCount >= kHintsOffUpdates) {
    m_hintsOffCount = 0;
    m_hintsOn = true;
  }
  // The hints stand in for the yes/no dialog's hover lines, which are the same two lines: its hover
  // step would find them silent and start a second copy. Only its object updates run.
  UpdateObjects();
}

bool FEOverlayDialog::IsYesButton(const GenericObject* object) const {
  return YesNoDialog::IsYesButton(object);
}

void FEOverlayDialog::SetSpeechHints(bool on) {
  m_hintsOn = on;
  if (!on) m_hintsOffCount = 1;
}
