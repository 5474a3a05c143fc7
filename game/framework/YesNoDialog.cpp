// The yes/no dialog: a modal overlay that asks a spoken question and offers a yes and a no button.
#include "framework/YesNoDialog.h"

#include <string>

#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/GameButton.h"
#include "framework/MouseCursor.h"

namespace {

constexpr int32_t kButtonRolloverCursor = 1;

bool IsSounding(const CCSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && engine->IsPlaying();
}

bool IsPointerOver(GameButton* button) {
  Qel::Point2 at;
  MouseCursor::Instance().GetPosition(at);
  return button->HitTest(at.X(), at.Y());
}

std::unique_ptr<GameButton> MakeButton(const std::string& name, const char* sprite, float x, int32_t z) {
  auto button = std::make_unique<GameButton>(name.c_str(), sprite, SpriteObject::kClockApplication);
  button->SetPositionAndZ(x, 240, z);
  button->SetRolloverCursor(kButtonRolloverCursor);
  button->SetClickSound("buttondown");
  return button;
}

}  // namespace

YesNoDialog::YesNoDialog(const char* name, const char* boxSprite, const char* yesSprite, const char* noSprite)
    : Overlay(name) {
  const std::string base = GetName();
  m_box = std::make_unique<Ambient>((base + "DialogBox").c_str(), boxSprite, SpriteObject::kClockApplication);
  m_box->SetZ(kBoxDepth);
  AddObject(m_box.get());
  m_yesButton = MakeButton(base + "DialogYesBut", yesSprite, 229, kYesDepth);
  AddObject(m_yesButton.get());
  m_noButton = MakeButton(base + "DialogNoBut", noSprite, 406, kNoDepth);
  AddObject(m_noButton.get());

  LoadCaptions("SignIn");
  m_yesLine = CreateSound("0121", "0121", 121);
  m_noLine = CreateSound("5083", "5083", 5083);
}

YesNoDialog::~YesNoDialog() {
  RemoveObject(m_box.get());
  RemoveObject(m_yesButton.get());
  RemoveObject(m_noButton.get());
  m_box.reset();
  m_yesButton.reset();
  m_noButton.reset();
  if (m_prompt) m_prompt->Stop();
  m_prompt.reset();
  m_yesLine.reset();
  m_noLine.reset();
}

void YesNoDialog::Show() {
  if (m_prompt) m_prompt->Play(false, true);
}

void YesNoDialog::Hide() {
  if (m_prompt) m_prompt->Stop();
}

void YesNoDialog::Update() {
  UpdateHover();
  UpdateObjects();
}

void YesNoDialog::UpdateHover() {
  const bool silent = !IsSounding(m_yesLine.get()) && !IsSounding(m_noLine.get());
  if (IsPointerOverYes() && m_hoverCooldown == 0 && silent) {
    m_hoverCooldown = 1;
    m_yesLine->Play(false, true);
  } else if (IsPointerOverNo() && m_hoverCooldown == 0) {
    if (silent) {
      m_hoverCooldown = 1;
      m_noLine->Play(false, true);
    }
  }
  if (m_hoverCooldown == 0) return;
  // Asked again: the count stands while the line just started plays.
  if (IsSounding(m_yesLine.get()) || IsSounding(m_noLine.get())) return;
  if (++m_hoverCooldown >= kHoverCooldown) m_hoverCooldown = 0;
}

bool YesNoDialog::IsYesButton(const GenericObject* object) const {
  return object && object == m_yesButton.get();
}

void YesNoDialog::SetPrompt(const char* soundName, const char* captionName, int32_t lineNumber) {
  if (m_prompt) m_prompt->Stop();
  m_prompt.reset();
  m_prompt = CreateSound(soundName, captionName, static_cast<uint32_t>(lineNumber));
}

bool YesNoDialog::IsPointerOverYes() const {
  return IsPointerOver(m_yesButton.get());
}

bool YesNoDialog::IsPointerOverNo() const {
  return IsPointerOver(m_noButton.get());
}
