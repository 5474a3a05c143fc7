// The hub's heads-up display: a HUD that holds the scroll lock of the first moments after arrival.
#pragma once

#include "framework/Hud.h"

// While the lock is set the panorama does not scroll, whatever the pointer does.
class CHubHud : public Hud {
public:
  CHubHud();
  ~CHubHud() override;

  void SetScrollLock(bool locked) { m_scrollLock = locked; }
  bool IsScrollLocked() const { return m_scrollLock; }

private:
  bool m_scrollLock = false;
};
