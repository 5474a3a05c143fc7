// The jellyfish.
#include <algorithm>
#include <string>

#include "framework/MotionMath.h"
#include "game5/Game5Node.h"
#include "game5/Gm5Sprites.h"
#include "platform/win/kernel/Random.h"

namespace {

using Jelly = Game5Node::GM5JellyFish;

// The rows high in the room are further away: the small sprite and circle.
constexpr Jelly::Row kRows[Jelly::kSlotCount] = {
    {154, 310, 290, 510, "FF_JellyFish_Back", 24.0f},  {270, 610, 70, 730, "FF_JellyFish_Front", 36.0f},
    {122, 300, 270, 530, "FF_JellyFish_Back", 24.0f},  {316, 620, 50, 750, "FF_JellyFish_Front", 36.0f},
    {234, 600, 90, 720, "FF_JellyFish_Front", 36.0f},  {190, 320, 310, 550, "FF_JellyFish_Back", 24.0f},
};

constexpr Jelly::Speed kSpeeds[8] = {{0.3f, 0.4f}, {0.4f, 0.4f}, {0.5f, 0.4f}, {0.6f, 0.6f},
                                     {0.6f, 0.6f}, {0.8f, 0.8f}, {0.8f, 1.2f}, {1.0f, 2.2f}};

// Animations: drifting at set-up, after a turn, and hit (three of each way).
constexpr uint32_t kDriftLeft = 0;
constexpr uint32_t kDriftRight = 2;
constexpr uint32_t kTurnedLeft = 3;
constexpr uint32_t kTurnedRight = 1;
constexpr uint32_t kHitLeft = 4;
constexpr uint32_t kHitRight = 7;
constexpr int32_t kHitVariants = 3;

// Where the sprite stands from the circle's top-left.
constexpr int32_t kSpriteOffsetX = 29;
constexpr int32_t kSpriteOffsetY = 24;
constexpr int32_t kCentreX = 400;
constexpr int32_t kCentreSpread = 50;
constexpr int32_t kLimitSpread = 40;

float Fraction() {
  return static_cast<float>(plat::win::rand()) / plat::win::RAND_MAX_15;
}

// A draw of 0..n-1; the top draw, which would give n, is taken again.
int32_t DrawBelow(int32_t n) {
  for (;;) {
    const int32_t r = Game5Node::ScaledDraw(plat::win::rand(), n);
    if (r < n) return r;
  }
}

bool GoesLeft(const AngularMotionPath& path) {
  return path.GetHorizontalDirection() < 0;
}

}  // namespace

const Jelly::Row& Game5Node::GM5JellyFish::RowOf(int32_t slot) {
  return kRows[std::clamp(slot, 0, kSlotCount - 1)];
}

Jelly::Speed Game5Node::GM5JellyFish::SpeedFor(int32_t level) {
  return kSpeeds[std::clamp(level, 1, 8) - 1];
}

Game5Node::GM5JellyFish::GM5JellyFish() {
  m_path.SetAngle(plat::win::rand() % 2 == 0 ? 180 : 360);
}

Game5Node::GM5JellyFish::~GM5JellyFish() = default;

void Game5Node::GM5JellyFish::SetUp(GameNode& node, int32_t index, int32_t level,
                                     std::array<bool, kSlotCount>& taken) {
  int32_t slot = DrawBelow(kSlotCount);
  while (taken[static_cast<size_t>(slot)]) slot = DrawBelow(kSlotCount);
  taken[static_cast<size_t>(slot)] = true;
  m_slot = slot;
  const Row& row = kRows[slot];

  const int32_t x = Motion::TruncateToInt(Fraction() * kCentreSpread - kCentreSpread / 2 + kCentreX);
  const std::string name = "gm5JellyfishTYR" + std::to_string(index);
  m_sprite = std::make_unique<Ambient>(name.c_str(), row.sprite, SpriteObject::kClockGame);
  m_circle.Set({x, row.y}, row.radius);
  m_sprite->SetZ(row.depth);
  m_sprite->SetAnimation(kDriftLeft, 0);
  node.AddObject(m_sprite.get());

  const int32_t left = row.leftBase + ScaledDraw(plat::win::rand(), kLimitSpread);
  const int32_t right = row.rightBase - ScaledDraw(plat::win::rand(), kLimitSpread);
  m_path.SetLimits(left, right);
  const Speed speed = SpeedFor(level);
  m_path.SetSpeed(speed.base + Fraction() * speed.spread);
  m_sprite->SetAnimation(GoesLeft(m_path) ? kDriftLeft : kDriftRight, 0);
  m_path.SetPosition(static_cast<float>(x), static_cast<float>(row.y));
  m_sprite->SetPosition(static_cast<float>(x), static_cast<float>(row.y));
  m_points = kPoints;
  m_armed = false;
}

void Game5Node::GM5JellyFish::Clear(GameNode& node) {
  if (!m_sprite) return;
  node.RemoveObject(m_sprite.get());
  m_sprite.reset();
  m_slot = -1;
}

void Game5Node::GM5JellyFish::Update(int32_t level) {
  if (m_path.StepWithinLimits(m_circle.GetCenter())) {
    const Speed speed = SpeedFor(level);
    m_path.SetSpeed(speed.base + Fraction() * speed.spread);
    gm5::Animate(m_sprite.get(), GoesLeft(m_path) ? kTurnedLeft : kTurnedRight);
  }
  m_circle.Set({m_path.GetX(), m_circle.GetCenter().Y()}, m_circle.GetRadius());
  const Qel::Point2 topLeft = m_circle.GetTopLeft();
  if (m_sprite) {
    m_sprite->SetPosition(static_cast<float>(topLeft.X() - kSpriteOffsetX),
                          static_cast<float>(topLeft.Y() - kSpriteOffsetY));
  }
}

bool Game5Node::GM5JellyFish::TestHit(Qel::Point2 point) {
  if (!m_circle.Contains(point)) {
    m_armed = true;
    return false;
  }
  if (!m_armed) return false;
  m_armed = false;
  return true;
}

int32_t Game5Node::GM5JellyFish::Deflect(int32_t heading, int32_t fromX, int32_t fromY) {
  int32_t normal = 0;
  const int32_t out = m_circle.Deflect(heading, fromX, fromY, normal);
  const int32_t r = DrawBelow(kHitVariants);
  gm5::Animate(m_sprite.get(), (GoesLeft(m_path) ? kHitLeft : kHitRight) + static_cast<uint32_t>(r));
  return out;
}
