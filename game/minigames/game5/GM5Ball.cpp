// The kelp ball, its bubbles and the room it bounces in.
#include <algorithm>
#include <utility>

#include "game5/Game5Node.h"
#include "game5/Gm5Sprites.h"
#include "platform/win/kernel/Random.h"

namespace {

constexpr Game5Node::BallSpeed kBallSpeeds[Game5Node::kLevelCount] = {
    {350, 84},  {370, 84},  {390, 112}, {410, 112}, {430, 112}, {450, 130}, {460, 130},
    {470, 130}, {490, 130}, {510, 160}, {530, 160}, {550, 160}, {570, 160}, {590, 160},
    {600, 160}, {610, 160}, {620, 160}, {690, 160}, {740, 160}, {780, 160},
};

// The upper ends of the zones, top of the room first; from 600 on the ball is on the floor.
constexpr int32_t kZoneEnds[Game5Node::kZoneCount] = {171, 217, 287, 357, 600};
// The boost factors as the game has always computed them: the boost's fifth times 4, 3, 2 and 1.
constexpr Game5Node::DepthZone kZones[Game5Node::kZoneCount] = {
    {1.0f, 12}, {0.2f * 4, 17}, {0.2f * 3, 22}, {0.2f * 2, 27}, {0.2f * 1, 32}};

constexpr uint32_t kLastFlightAnimation = 4;
constexpr uint32_t kBounceAnimationStep = 5;
// Where a bubble's sprite stands from the point it rises from.
constexpr int32_t kBubbleOffsetX = 34;
constexpr int32_t kBubbleOffsetY = 44;
// The trail's spawn interval: 160 ms and up to 80 more.
constexpr int32_t kTrailInterval = 160;
constexpr int32_t kTrailSpread = 80;

// Below the ball's y the doors draw over it: the middle door's threshold is never reached.
constexpr int32_t kDoorThresholds[3] = {165, 0, 180};
constexpr int32_t kBehindDoorsDepth = 100;
constexpr int32_t kBeforeFishDepth = 1200;
constexpr int32_t kOpenRoomDepth = 800;
constexpr int32_t kBelowArc = 20;
constexpr int32_t kNoJellyDistance = 10000;

template <size_t N>
void SpawnBubble(std::array<Game5Node::GM5BallBubbles, N>& bubbles, int32_t x, int32_t y) {
  for (Game5Node::GM5BallBubbles& bubble : bubbles) {
    if (bubble.m_inUse || !bubble.m_sprite) continue;
    bubble.m_inUse = true;
    bubble.m_x = static_cast<float>(x - kBubbleOffsetX);
    bubble.m_y = static_cast<float>(y - kBubbleOffsetY);
    bubble.m_sprite->SetPosition(bubble.m_x, bubble.m_y);
    bubble.m_sprite->SetAnimation(0, 0);
    return;
  }
}

template <size_t N>
int32_t IndexOfSprite(const std::array<Game5Node::GM5BallBubbles, N>& bubbles, const void* sprite) {
  for (size_t i = 0; i < N; ++i) {
    if (sprite && bubbles[i].m_sprite == sprite) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

Game5Node::BallSpeed Game5Node::BallSpeedFor(int32_t level) {
  return kBallSpeeds[std::clamp(level, 1, kLevelCount) - 1];
}

int32_t Game5Node::ZoneOfY(int32_t y) {
  for (int32_t zone = 0; zone < kZoneCount; ++zone) {
    if (y < kZoneEnds[zone]) return zone;
  }
  return -1;
}

Game5Node::DepthZone Game5Node::Zone(int32_t zone) {
  return kZones[std::clamp(zone, 0, kZoneCount - 1)];
}

int32_t Game5Node::ScaledDraw(int32_t draw, int32_t n) {
  return static_cast<int32_t>(static_cast<double>(draw) / plat::win::RAND_MAX_15 * n);
}

int32_t Game5Node::BallDepth(int32_t ballY, int32_t door, int32_t fishArcY, const JellyDepth* jellyfish,
                             int32_t count) {
  if (door >= 0 && door < 3 && ballY < kDoorThresholds[door]) return kBehindDoorsDepth;
  if (ballY > fishArcY + kBelowArc) return kBeforeFishDepth;
  int32_t nearest = -1;
  int32_t distance = kNoJellyDistance;
  for (int32_t i = 0; i < count; ++i) {
    if (jellyfish[i].y <= ballY) continue;
    if (jellyfish[i].y - ballY < distance) {
      distance = jellyfish[i].y - ballY;
      nearest = i;
    }
  }
  return nearest < 0 ? kOpenRoomDepth : jellyfish[nearest].depth - 4;
}

void Game5Node::GM5BallBubblesMgr::Update(int32_t x, int32_t y, bool visible) {
  const auto nextTime = [] {
    return GameTimeNow() + kTrailInterval + ScaledDraw(plat::win::rand(), kTrailSpread);
  };
  if (m_nextSpawnAt == -1) {
    m_nextSpawnAt = nextTime();
    return;
  }
  if (!gm5::IsPast(m_nextSpawnAt)) return;
  m_nextSpawnAt = nextTime();
  if (visible) Spawn(x, y);
}

void Game5Node::GM5BallBubblesMgr::Spawn(int32_t x, int32_t y) {
  SpawnBubble(m_bubbles, x, y);
}

void Game5Node::GM5BallBubblesMgr::Free(int32_t index) {
  if (index >= 0 && index < kCount) m_bubbles[static_cast<size_t>(index)].m_inUse = false;
}

int32_t Game5Node::GM5BallBubblesMgr::IndexOf(const void* sprite) const {
  return IndexOfSprite(m_bubbles, sprite);
}

void Game5Node::GM5DeflectBubblesMgr::Spawn(int32_t x, int32_t y) {
  SpawnBubble(m_bubbles, x, y);
}

void Game5Node::GM5DeflectBubblesMgr::Free(int32_t index) {
  if (index >= 0 && index < kCount) m_bubbles[static_cast<size_t>(index)].m_inUse = false;
}

int32_t Game5Node::GM5DeflectBubblesMgr::IndexOf(const void* sprite) const {
  return IndexOfSprite(m_bubbles, sprite);
}

void Game5Node::GM5Ball::SetSize(int32_t s) {
  m_halfSize = s;
  m_center = {s, s};
  m_left = {0, s};
  m_top = {s, 0};
  m_bottom = {s, 2 * s};
  m_right = {2 * s, s};
}

void Game5Node::GM5Ball::SyncSprite() {
  SetSpritePosition(GetX() - m_halfSize, GetY() - m_halfSize);
}

void Game5Node::GM5Ball::SetSpritePosition(int32_t x, int32_t y) {
  if (m_sprite) m_sprite->SetPosition(static_cast<float>(x), static_cast<float>(y));
}

void Game5Node::GM5Ball::Step() {
  m_prevX = GetX();
  m_prevY = GetY();
  m_path.Step();
}

void Game5Node::GM5Ball::SetSpeedForDepth(float base, float boost) {
  const int32_t zone = ZoneOfY(GetY());
  if (zone < 0 || zone == m_depthZone) return;
  m_path.SetSpeed(base + kZones[zone].boostFactor * boost);
  m_depthZone = zone;
  int frame = 0;
  if (m_sprite) {
    const uint32_t animation = m_sprite->GetAnimationId();
    const int current = m_sprite->GetCurrentFrame();
    // The frame carries over only as far as every animation of its kind reaches.
    const int lastKept = animation > kLastFlightAnimation ? 2 : 11;
    if (current >= 0 && current <= lastKept) frame = current;
  }
  gm5::Animate(m_sprite, static_cast<uint32_t>(zone), frame);
  SetSize(kZones[zone].halfSize);
}

void Game5Node::GM5Ball::PlayBounceAnimation() {
  if (!m_sprite) return;
  const uint32_t animation = m_sprite->GetAnimationId();
  if (animation <= kLastFlightAnimation) m_sprite->SetAnimation(animation + kBounceAnimationStep, 0);
}

bool Game5Node::GM5Ball::IsOffScreen() const {
  const int32_t x = GetX();
  const int32_t y = GetY();
  return x < -40 || x > 840 || y < -40 || y > 640;
}

bool Game5Node::GM5Ball::IsSpriteVisible() const {
  return gm5::IsShown(m_sprite);
}

Game5Node::Gm5Room::Gm5Room() {
  m_bulkheads[0].Set({114, -26}, 208.0f);
  m_bulkheads[0].SetBounds(37, 106, 800, 600);
  m_bulkheads[1].Set({668, -36}, 208.0f);
  m_bulkheads[1].SetBounds(0, 106, 762, 600);
  m_ceiling.m_rect.SetWithSide({-100, -24}, {1000, 120}, 0);
  m_leftWall.m_rect.SetWithSide({-90, -100}, {126, 800}, 3);
  m_rightWall.m_rect.SetWithSide({764, -100}, {126, 800}, 2);
}

Game5Node::Gm5Room::Bounces Game5Node::Gm5Room::BouncePass(
    GM5Ball& ball, const std::function<bool(Qel::Point2)>& jellyfishStep) {
  Bounces bounces;
  const Qel::Point2 p = ball.GetPoint();
  AngularMotionPath& path = ball.m_path;

  if (m_ceiling.m_rect.Contains(p)) {
    bounces.wall = true;
    path.SetAngle(m_ceiling.m_rect.Deflect(path.GetHeading()));
    ball.PlayBounceAnimation();
    ball.m_bounceBubbles.Spawn(p.X(), p.Y());
    return bounces;
  }
  // The side walls put the ball just off their edge, so that the next pass does not turn it again.
  for (auto [wall, off] : {std::pair{&m_rightWall, -1}, std::pair{&m_leftWall, 1}}) {
    if (!wall->m_rect.Contains(p)) continue;
    bounces.wall = true;
    path.SetAngle(wall->m_rect.Deflect(path.GetHeading()));
    ball.PlayBounceAnimation();
    const Qel::Point2 edge = wall->m_rect.GetEdgePoint(p);
    path.SetPosition(static_cast<float>(edge.X() + off), static_cast<float>(edge.Y()));
    ball.SyncSprite();
    ball.m_bounceBubbles.Spawn(edge.X(), edge.Y());
    return bounces;
  }
  if (jellyfishStep && jellyfishStep(p)) {
    bounces.jellyfish = true;
    return bounces;
  }
  for (TzDeflectingSphere& bulkhead : m_bulkheads) {
    if (!bulkhead.Contains(p)) continue;
    ++bounces.bulkheads;
    int32_t normal = 0;
    path.SetAngle(bulkhead.Deflect(path.GetHeading(), p.X(), p.Y(), normal));
    const Qel::Point2 out = bulkhead.GetPointAtAngle(normal);
    path.SetPosition(static_cast<float>(out.X()), static_cast<float>(out.Y()));
    ball.SyncSprite();
    ball.PlayBounceAnimation();
    ball.m_bounceBubbles.Spawn(out.X(), out.Y());
  }
  return bounces;
}
