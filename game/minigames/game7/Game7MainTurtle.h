// The player's turtle, which also holds the game's state number.
#pragma once

#include <cstdint>

#include "framework/Ambient.h"
#include "game7/Game7Node.h"

class Game7Node::MainTurtle : public Ambient {
public:
  static constexpr const char* kName = "singleMainTurtle";
  static constexpr const char* kSprite = "BragoTurtle";

  MainTurtle();
  ~MainTurtle() override;

  int32_t m_state = IDLE;
  float m_startX = 0.0f;
  float m_startY = 0.0f;
  int32_t m_idleSequence = 0;
  float m_targetX = 0.0f;
  float m_targetY = 0.0f;
};
