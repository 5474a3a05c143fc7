// One of the ride's obstacles or shells: it crosses the screen on a lane, swerves, knocks into
// others, is caught by the vortex, and scores or hurts when the turtle touches it.
#pragma once

#include <cstdint>

#include "framework/Ambient.h"
#include "game7/Game7Node.h"

class Game7Node::Obstacles : public Ambient {
public:
  // Where crossings start and end: off the right and the left edge.
  static constexpr float kRightEdge = 850.0f;
  static constexpr float kLeftEdge = -75.0f;
  // Animation ids the node sets and waits for.
  static constexpr uint32_t kSwim = 0;
  static constexpr uint32_t kFlourish = 1;
  static constexpr uint32_t kKnocked = 2;
  static constexpr uint32_t kEntering = 3;
  static constexpr uint32_t kSwallowed = 4;
  static constexpr uint32_t kSwerving = 5;

  Obstacles(const char* objectName, const char* spriteName);
  ~Obstacles() override;

  // The sprite of a kind (1 to 10 but 7); groupers of kind 6 have three looks, chosen by the draw.
  static const char* SpriteOf(int32_t kind, int32_t draw);
  // Kinds 1 to 6 cost a hit; shells (8 to 10) only score.
  static bool IsHarmful(int32_t kind) { return kind >= 1 && kind <= 6; }
  static bool IsShell(int32_t kind) { return kind >= 8; }

  int32_t m_kind = 0;
  float m_laneY = 0.0f;
  float m_startX = 0.0f;
  float m_targetY = 0.0f;
  float m_targetX = 0.0f;
  // Left its lane (bounce or swerve): when it stops it heads for the left edge instead of leaving.
  bool m_deflected = false;
  int32_t m_points = 0;
  bool m_swallowed = false;
};
