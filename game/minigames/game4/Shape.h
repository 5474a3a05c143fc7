// One of the five shape buttons: its looks and its three sounds.
#pragma once

#include "game4/Game4Node.h"

class GameSound;
class SpriteObject;

// The sounds belong to the node's sound list; any of them may be missing.
class Game4Node::Shape {
public:
  static constexpr int kNormalLook = 0;
  static constexpr int kPressedLook = 3;

  Shape(SpriteObject* sprite, GameSound* fish, GameSound* good, GameSound* bad);
  virtual ~Shape() = default;
  Shape(const Shape&) = delete;
  Shape& operator=(const Shape&) = delete;

  // The pressed look also plays the fish sound.
  virtual void PressedLook();
  virtual void NormalLook();
  virtual void PlayFish();
  virtual void PlayGood();
  virtual void PlayBad();

  SpriteObject* GetSprite() const { return m_sprite; }

private:
  static void Play(GameSound* sound);

  SpriteObject* m_sprite;
  GameSound* m_fish;
  GameSound* m_good;
  GameSound* m_bad;
};
