// The active game button: a game button that, while disabled, shows itself either active or inactive.
#pragma once

#include <cstdint>

#include "framework/GameButton.h"

class ActiveGameButton : public GameButton {
public:
  static constexpr uint32_t kLookDisabled = 3;
  static constexpr uint32_t kLookActive = 4;

  ActiveGameButton(const char* objectName, const char* spriteName, int clockKind);

  // While enabled, the hover looks; while disabled, the active look once asked for, else the
  // disabled look.
  void Update() override;
  // Disables the button; the next update shows it active.
  void ShowActive();
  // Goes back to the look state from before it was shown active, showing the disabled look; an
  // active look not yet shown is called off.
  void ShowInactive();

  uint32_t GetActiveLookState() const { return m_lookState; }

private:
  bool m_activateRequest = false;
  uint32_t m_lookState = kLookNormal;
  uint32_t m_savedLookState = kLookNormal;
};
