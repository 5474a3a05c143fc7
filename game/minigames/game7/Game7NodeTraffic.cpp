// The ride's traffic: the pool of obstacles and shells, their releases, flourishes and swerves, and
// the pass that moves them on and resolves the turtle's contacts, the vortex and their knocks.
#include <list>
#include <string>

#include "framework/GameSound.h"
#include "framework/SpriteObject.h"
#include "game7/Game7LevelData.h"
#include "game7/Game7MainTurtle.h"
#include "game7/Game7Node.h"
#include "game7/Game7Objects.h"
#include "game7/Game7Obstacles.h"
#include "game7/Game7PointsDisplay.h"
#include "platform/win/kernel/Random.h"

namespace {

using Obstacles = Game7Node::Obstacles;

// The kinds in the order the pool is filled; 0 and 7 are never made.
constexpr int32_t kPoolKinds[] = {1, 2, 3, 4, 5, 6, 8, 9, 10};
constexpr uint32_t kObstacleDepth = 200;
// From the eleventh level on turtles and groupers may come from the left and swerves come oftener.
constexpr int32_t kHardLevels = 10;
constexpr float kKnockedExtra = 125.0f;
constexpr float kLeavingExtra = 150.0f;
constexpr float kSwerveRise = 150.0f;
// A stopped obstacle this far left has left the screen.
constexpr float kGoneX = -70.0f;
constexpr float kBounceRightLimit = 825.0f;

int32_t NextDraw() {
  return plat::win::rand();
}

// Turtles and groupers may enter from either side.
bool EntersFromEitherSide(int32_t kind) {
  return kind == 1 || kind == 2 || kind == 6;
}

}  // namespace

void Game7Node::ShufflePool() {
  for (size_t i = 1; i < m_obstacles.size(); ++i) {
    const auto j = static_cast<size_t>(NextDraw()) % (i + 1);
    std::swap(m_obstacles[i], m_obstacles[j]);
  }
}

void Game7Node::BuildObstaclePool() {
  std::array<int32_t, kKindCount> held{};
  for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) {
    SetShown(obstacle.get(), false);
    obstacle->SetVelocity(0.0f, 0.0f);
    obstacle->DisableCollision();
    obstacle->m_swallowed = false;
    if (obstacle->m_kind >= 0 && obstacle->m_kind < kKindCount) ++held[static_cast<size_t>(obstacle->m_kind)];
  }
  const LevelSettings& level = CurrentLevel();
  for (const int32_t kind : kPoolKinds) {
    const auto k = static_cast<size_t>(kind);
    while (held[k] < level.m_counts[k]) {
      const std::string name = "Obstacle" + std::to_string(m_obstacles.size());
      auto obstacle = std::make_unique<Obstacles>(name.c_str(), Obstacles::SpriteOf(kind, NextDraw()));
      obstacle->m_deflected = false;
      SetShown(obstacle.get(), false);
      obstacle->CenterAnchor();
      obstacle->m_kind = kind;
      obstacle->m_points = m_levelTable->m_pointValues[k];
      AddObject(obstacle.get());
      m_obstacles.push_back(std::move(obstacle));
      ++held[k];
    }
  }
}

void Game7Node::ReleaseObstacle() {
  ShufflePool();
  Obstacles* chosen = nullptr;
  float lane = 0.0f;
  if (m_lastReleased) {
    Obstacles* anyHidden = nullptr;
    for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) {
      if (game7::IsShown(obstacle.get())) continue;
      anyHidden = obstacle.get();
      if (obstacle->m_kind != m_lastReleased->m_kind) chosen = obstacle.get();
    }
    if (!chosen) chosen = anyHidden;
    // Every obstacle is in play: this release lets the chance pass.
    if (!chosen) return;
    const int32_t index = m_levelTable->DrawLane(m_lastReleased->m_laneY, [] { return NextDraw(); });
    lane = m_levelTable->m_laneY[static_cast<size_t>(index)];
  } else {
    // A level without traffic has nothing to release.
    if (m_obstacles.empty()) return;
    chosen = m_obstacles.front().get();
    lane = m_levelTable->m_laneY[static_cast<size_t>(NextDraw() % kLaneCount)];
  }
  m_lastReleased = chosen;
  Obstacles& released = *chosen;
  released.m_laneY = lane;
  const float speed = CurrentLevel().CombinedSpeed();
  bool fromRight = true;
  float extra = 0.0f;
  if (!EntersFromEitherSide(released.m_kind)) {
    extra = static_cast<float>(NextDraw() % 5);
  } else {
    const int32_t side = GetLevelIndex() < kHardLevels ? NextDraw() % 4 : NextDraw() % 7;
    fromRight = side <= 3;
    // The young turtle is the quick one.
    if (fromRight) extra = static_cast<float>(NextDraw() % 10) + (released.m_kind == 2 ? 35.0f : 0.0f);
  }
  if (fromRight) {
    released.m_startX = Obstacles::kRightEdge;
    released.m_targetX = Obstacles::kLeftEdge;
    released.m_targetY = lane + 5.0f;
  } else {
    released.m_startX = Obstacles::kLeftEdge;
    released.m_targetX = Obstacles::kRightEdge;
    released.m_targetY = lane - 5.0f;
  }
  released.SetPosition(released.m_startX, lane);
  released.MoveToward(released.m_targetX, released.m_targetY, speed + extra);
  released.SetAnimation(Obstacles::kEntering, 0);
  released.EnableCollision();
  SetShown(&released, true);
  released.SetZ(kObstacleDepth);
}

void Game7Node::AnimateObstacle() {
  ShufflePool();
  for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) {
    if (!game7::IsShown(obstacle.get()) || obstacle->GetAnimationId() != Obstacles::kSwim) continue;
    // Turtles may swerve off their lane; the swerve is decided when its first part ends.
    if (obstacle->m_kind < 3 && NextDraw() % 4 == 0) {
      obstacle->m_deflected = true;
      obstacle->SetAnimation(Obstacles::kSwerving, 0);
    } else {
      obstacle->SetAnimation(Obstacles::kFlourish, 0);
    }
    return;
  }
}

void Game7Node::OnObstacleAnimationEnded(Obstacles* ended) {
  const float speed = CurrentLevel().CombinedSpeed();
  const bool hard = GetLevelIndex() >= kHardLevels;
  for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) {
    const int32_t draw = hard ? NextDraw() % 2 : NextDraw() % 4;
    if (obstacle.get() != ended) continue;
    const uint32_t animation = obstacle->GetAnimationId();
    if (animation == Obstacles::kSwerving) {
      if (draw == 0) {
        obstacle->SetAnimation(Obstacles::kKnocked, 0);
        // Heading right it turns up, heading left it turns down.
        obstacle->m_targetY += obstacle->GetX() < obstacle->m_targetX ? -kSwerveRise : kSwerveRise;
        obstacle->m_targetX = Obstacles::kLeftEdge;
        obstacle->MoveToward(obstacle->m_targetX, obstacle->m_targetY, speed + kLeavingExtra);
      } else {
        obstacle->SetAnimation(Obstacles::kSwim, 0);
        obstacle->MoveToward(obstacle->m_targetX, obstacle->m_targetY, speed);
      }
    } else if (animation == Obstacles::kSwallowed && Obstacles::IsShell(obstacle->m_kind)) {
      obstacle->SetVelocity(0.0f, 0.0f);
      SetShown(obstacle.get(), false);
      obstacle->SetPosition(Obstacles::kLeftEdge, obstacle->GetY());
    }
  }
}

void Game7Node::TouchObstacle(Obstacles& obstacle, float speed) {
  // A knocked-out turtle sweeps through the traffic for nothing.
  if (GetState() != KNOCKED_OUT) m_pointsDisplay->m_score += obstacle.m_points;
  m_pointsDisplay->Refresh();
  const char* sounds[2] = {nullptr, nullptr};
  switch (obstacle.m_kind) {
    case 1:
    case 2:
      sounds[0] = "bragoHit1";
      break;
    case 3:
      sounds[0] = "BragoHitBoot";
      break;
    case 4:
      sounds[0] = "BragoHitTire";
      break;
    case 5:
      sounds[0] = "BragoHitGrouper";
      break;
    case 6:
      sounds[0] = "BragoHitGrouper";
      sounds[1] = "BragoHitBoot";
      break;
    default:
      sounds[0] = "goodiePickup";
      break;
  }
  for (const char* name : sounds) {
    if (GameSound* sound = name ? GetEffect(name) : nullptr) sound->Play(false, true);
  }
  obstacle.DisableCollision();
  obstacle.SetAnimation(Obstacles::kKnocked, 0);
  obstacle.MoveToward(Obstacles::kLeftEdge, obstacle.m_laneY, speed + kKnockedExtra);
}

bool Game7Node::PassObstacles() {
  const float speed = CurrentLevel().CombinedSpeed();
  bool harmful = false;
  std::list<Qel::SceneObject*> collisions;
  // Only a turtle at play can reach the vortex; one swept off or held still passes through it.
  const auto reachesVortex = [&] { return InPlayingState() && m_turtle->CollidesWith(*m_vortex); };
  for (const std::unique_ptr<Obstacles>& entry : m_obstacles) {
    Obstacles& obstacle = *entry;
    const bool shown = game7::IsShown(&obstacle);
    if (shown && game7::IsStopped(obstacle) && obstacle.GetAnimationId() != Obstacles::kSwallowed) {
      obstacle.SetVelocity(0.0f, 0.0f);
      if (!obstacle.m_deflected || obstacle.GetX() < kGoneX) {
        SetShown(&obstacle, false);
        obstacle.DisableCollision();
        obstacle.m_deflected = false;
      } else {
        // Off its lane and stopped: the current takes it away to the left.
        obstacle.m_targetX = Obstacles::kLeftEdge;
        obstacle.m_targetY = obstacle.GetY() - 5.0f;
        obstacle.MoveToward(obstacle.m_targetX, obstacle.m_targetY, speed + kLeavingExtra);
      }
    }
    if (game7::IsShown(&obstacle) && GetState() != IN_VORTEX && m_turtle->CollidesWith(obstacle)) {
      TouchObstacle(obstacle, speed);
      if (Obstacles::IsHarmful(obstacle.m_kind)) harmful = true;
    } else if (reachesVortex()) {
      ReachVortex();
    } else if (game7::IsShown(&obstacle) && m_vortex->CollidesWith(obstacle)) {
      if (!obstacle.m_swallowed) {
        obstacle.m_swallowed = true;
        obstacle.DisableCollision();
        obstacle.SetAnimation(Obstacles::kSwallowed, 0);
      }
    } else if (!obstacle.m_swallowed && game7::IsShown(&obstacle) && !obstacle.m_deflected &&
               obstacle.GetX() > Obstacles::kLeftEdge && obstacle.GetX() < kBounceRightLimit &&
               obstacle.GetCollisions(collisions)) {
      // Knocked by another: off its lane, a little back or down and aside.
      obstacle.m_deflected = true;
      obstacle.SetVelocity(0.0f, 0.0f);
      if (obstacle.m_targetX == Obstacles::kLeftEdge) {
        obstacle.m_targetX = obstacle.GetX() + 25.0f;
        obstacle.m_targetY = obstacle.GetY();
      } else if (obstacle.m_targetX == Obstacles::kRightEdge) {
        obstacle.m_targetX = obstacle.GetX() - 100.0f;
        obstacle.m_targetY = obstacle.GetY() + 100.0f;
      }
      if (Obstacles::IsShell(obstacle.m_kind)) obstacle.DisableCollision();
      obstacle.SetAnimation(Obstacles::kKnocked, 0);
      obstacle.MoveToward(obstacle.m_targetX, obstacle.m_targetY, speed + kKnockedExtra);
    }
  }
  // With no traffic at all the vortex is still there to be reached.
  if (m_obstacles.empty() && reachesVortex()) ReachVortex();
  return harmful;
}
