// One progress bubble.
#include "game4/Bubble.h"

#include "framework/SpriteObject.h"
#include "framework/VariantSound.h"
#include "graphics/Sprite.h"

Game4Node::Bubble::Bubble(SpriteObject* sprite, VariantSound* pop, VariantSound* blow, VariantSound* show)
    : m_sprite(sprite),
      m_pop(pop),
      m_blow(blow),
      m_show(show),
      m_usable(sprite && sprite->GetSprite() && sprite->GetSprite()->GetAnimationCount() > 3) {}

uint32_t Game4Node::Bubble::Look() const {
  return m_sprite->GetAnimationId();
}

bool Game4Node::Bubble::Is(uint32_t look) const {
  return m_usable && Look() == look;
}

void Game4Node::Bubble::Become(uint32_t look, VariantSound* sound) {
  m_sprite->SetAnimation(look, 0);
  if (sound) sound->Play(false, false);
}

void Game4Node::Bubble::Pop() {
  if (m_usable && (Look() == kIdle || Look() == kBlown)) Become(kPopped, m_pop);
}

void Game4Node::Bubble::Blow() {
  if (m_usable && (Look() == kIdle || Look() == kBlown)) Become(kBlown, m_blow);
}

void Game4Node::Bubble::Reset() {
  if (m_usable && Look() != kIdle) m_sprite->SetAnimation(kIdle, 0);
}

void Game4Node::Bubble::Show() {
  if (m_usable && Look() != kBlown) Become(kBlown, m_show);
}
