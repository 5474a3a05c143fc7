// The ride's progress bar: seven pictures from the level's start to the vortex.
#include "game7/Game7LevelProgress.h"

#include "framework/SpriteObject.h"

void Game7Node::LevelProgress::Reset() const {
  m_bar->SetAnimation(0, 0);
}

void Game7Node::LevelProgress::Advance(uint32_t elapsed, uint32_t step) const {
  const uint32_t shown = m_bar->GetAnimationId();
  if (shown >= kLastPicture || step == 0) return;
  if (elapsed / step > shown + 1) m_bar->SetAnimation(shown + 1, 0);
}
