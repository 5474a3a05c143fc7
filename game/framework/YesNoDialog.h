// The yes/no dialog: a modal overlay that asks a spoken question and offers a yes and a no button.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Overlay.h"

class Ambient;
class CCSound;
class GameButton;

// The node that shows the dialog decides what a click means; the dialog only tells which object is
// its yes button. Its objects animate on the application clock, so they run while the game is paused.
class YesNoDialog : public Overlay {
public:
  // After a hover line ends, this many updates of silence pass before the next one may start.
  static constexpr int32_t kHoverCooldown = 50;
  static constexpr int32_t kBoxDepth = 9899;
  static constexpr int32_t kYesDepth = 9901;
  static constexpr int32_t kNoDepth = 9903;

  // The box "<name>DialogBox", the buttons "<name>DialogYesBut" at (229, 240) and "<name>DialogNoBut"
  // at (406, 240) with rollover cursor 1 and click sound "buttondown"; the captions "SignIn"; the
  // hover lines "0121" (line 121) and "5083" (line 5083). Throws as SpriteObject does when a sprite
  // is missing.
  YesNoDialog(const char* name, const char* boxSprite, const char* yesSprite, const char* noSprite);
  ~YesNoDialog() override;

  // Plays the prompt once, if there is one.
  void Show() override;
  // Stops the prompt, if there is one; a hover line that plays goes on.
  void Hide() override;
  // The hover step, then the object updates.
  void Update() override;
  // Whether the object is the yes button.
  virtual bool IsYesButton(const GenericObject* object) const;

  // Replaces the prompt by a captioned sound of that name from the file captionName.
  void SetPrompt(const char* soundName, const char* captionName, int32_t lineNumber);

  // The mouse cursor's position hit-tests the button.
  bool IsPointerOverYes() const;
  bool IsPointerOverNo() const;

  Ambient* GetBox() const { return m_box.get(); }
  GameButton* GetYesButton() const { return m_yesButton.get(); }
  GameButton* GetNoButton() const { return m_noButton.get(); }
  // Null until SetPrompt.
  CCSound* GetPrompt() const { return m_prompt.get(); }
  CCSound* GetYesLine() const { return m_yesLine.get(); }
  CCSound* GetNoLine() const { return m_noLine.get(); }
  int32_t GetHoverCooldown() const { return m_hoverCooldown; }

protected:
  // The speech while the pointer rests on a button: a line starts only when neither line plays and
  // the cool-down is over.
  void UpdateHover();

private:
  std::unique_ptr<Ambient> m_box;
  std::unique_ptr<GameButton> m_yesButton;
  std::unique_ptr<GameButton> m_noButton;
  std::unique_ptr<CCSound> m_prompt;
  std::unique_ptr<CCSound> m_yesLine;
  std::unique_ptr<CCSound> m_noLine;
  int32_t m_hoverCooldown = 0;
};
