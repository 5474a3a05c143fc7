// The swim game's items: plain items, kelp, water spouts and scallops.
#include "game6/Game6Items.h"

#include <string>

#include "framework/GameClock.h"

Game6Node::Game6Item::Game6Item(const char* objectName, const char* spriteName, int clockKind)
    : Ambient(objectName, spriteName, clockKind) {}

void Game6Node::Game6Item::Update() {
  // The sprite's animation runs on its own clock; only the motion step is left out.
}

Game6Node::Game6Kelp::Game6Kelp(const char* objectName, const char* backSprite, const char* frontSprite,
                                int clockKind)
    : Game6Item(objectName, backSprite, clockKind),
      m_front(std::make_unique<Ambient>((std::string(objectName ? objectName : "") + " - Front").c_str(),
                                        frontSprite, clockKind)) {}

Game6Node::Game6Kelp::~Game6Kelp() = default;

void Game6Node::Game6Kelp::ShowAnimation(uint32_t animation) {
  SetAnimation(animation, 0);
  m_front->SetAnimation(animation, 0);
}

void Game6Node::Game6WaterSpout::Update() {
  const int32_t now = GameTimeNow();
  if (now > m_nextSprayTime) {
    SetAnimation(kSpraying, 0);
    m_nextSprayTime = now + m_sprayPeriod;
  }
  Game6Item::Update();
}

void Game6Node::Game6WaterSpout::SetNextSprayTime(int32_t time) {
  m_nextSprayTime = time;
}

void Game6Node::Game6WaterSpout::SetSprayPeriod(int32_t period) {
  m_sprayPeriod = period;
}
