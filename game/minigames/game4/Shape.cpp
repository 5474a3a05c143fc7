// One shape button.
#include "game4/Shape.h"

#include "framework/GameSound.h"
#include "framework/SpriteObject.h"

Game4Node::Shape::Shape(SpriteObject* sprite, GameSound* fish, GameSound* good, GameSound* bad)
    : m_sprite(sprite), m_fish(fish), m_good(good), m_bad(bad) {}

void Game4Node::Shape::PressedLook() {
  if (m_sprite) m_sprite->SetAnimation(kPressedLook, 0);
  PlayFish();
}

void Game4Node::Shape::NormalLook() {
  if (m_sprite) m_sprite->SetAnimation(kNormalLook, 0);
}

void Game4Node::Shape::PlayFish() {
  Play(m_fish);
}
void Game4Node::Shape::PlayGood() {
  Play(m_good);
}
void Game4Node::Shape::PlayBad() {
  Play(m_bad);
}

void Game4Node::Shape::Play(GameSound* sound) {
  if (sound) sound->Play(false, true);
}
