// The jellyfish: their rows drawn at most once per level (all six from level 18, a top draw taken
// again), their set-up within the row's limits, the turns at the limits with a new speed, the one hit
// per entry into the circle, and the bounce from the ball's point before its step.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "PieceStage.h"
#include "framework/GameNode.h"
#include "game5/Game5Node.h"
#include "support/NodeContent.h"

namespace {

using Jelly = Game5Node::GM5JellyFish;

class JellyNode : private test::NodeSprites, public GameNode {};

class JellyPieces : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    m_node = std::make_unique<JellyNode>();
  }
  void TearDown() override {
    for (Jelly& jelly : m_jellies) jelly.Clear(*m_node);
    m_node.reset();
  }

  // Sets up count jellyfish of a level, as a level's start does.
  void SetUpLevel(int32_t level, int32_t count) {
    std::array<bool, Jelly::kSlotCount> taken{};
    for (Jelly& jelly : m_jellies) jelly.Clear(*m_node);
    for (int32_t k = 0; k < count; ++k) m_jellies[static_cast<size_t>(k)].SetUp(*m_node, k, level, taken);
  }

  std::unique_ptr<JellyNode> m_node;
  std::array<Jelly, 6> m_jellies;
};

TEST_F(JellyPieces, EachRowServesAtMostOneJellyfishOfALevelWithinItsLimits) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    plat::win::srand(seed);
    SetUpLevel(18, 6);
    std::set<int32_t> slots;
    for (int32_t k = 0; k < 6; ++k) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " jellyfish " + std::to_string(k));
      const Jelly& jelly = m_jellies[static_cast<size_t>(k)];
      slots.insert(jelly.m_slot);
      const Jelly::Row& row = Jelly::RowOf(jelly.m_slot);
      EXPECT_EQ(m_node->FindObject(("gm5JellyfishTYR" + std::to_string(k)).c_str()), jelly.m_sprite.get());
      EXPECT_EQ(jelly.m_circle.GetCenter().Y(), row.y);
      EXPECT_GE(jelly.m_circle.GetCenter().X(), 375);
      EXPECT_LE(jelly.m_circle.GetCenter().X(), 425);
      EXPECT_EQ(jelly.m_circle.GetRadius(), row.radius);
      // The far rows have the small sprite.
      EXPECT_EQ(jelly.m_sprite->GetSize().X(), row.y < 230 ? 48 : 72);
      EXPECT_EQ(jelly.m_sprite->GetZ(), row.depth);
      EXPECT_EQ(jelly.m_sprite->GetAnimationId(), jelly.m_path.GetHorizontalDirection() < 0 ? 0u : 2u);
      EXPECT_GE(jelly.m_path.GetSpeed(), 1.0f);
      EXPECT_LE(jelly.m_path.GetSpeed(), 3.2f);
      EXPECT_EQ(jelly.m_points, 10);
      EXPECT_FALSE(jelly.m_armed);
    }
    EXPECT_EQ(slots.size(), 6u);
  }

  // A level with fewer takes fewer; the old sprites go.
  SetUpLevel(1, 2);
  EXPECT_EQ(m_node->FindObject("gm5JellyfishTYR2"), nullptr);
  EXPECT_NE(m_node->FindObject("gm5JellyfishTYR1"), nullptr);
  EXPECT_NE(m_jellies[0].m_slot, m_jellies[1].m_slot);
  EXPECT_LE(m_jellies[0].m_path.GetSpeed(), 0.7f);
}

// rand() at 32767 scales to 6, one past the last row: the slot is drawn again.
TEST_F(JellyPieces, ATopDrawForTheRowIsDrawnAgain) {
  test::SeedDrawing(32767);
  std::array<bool, Jelly::kSlotCount> taken{};
  m_jellies[0].SetUp(*m_node, 0, 1, taken);
  EXPECT_GE(m_jellies[0].m_slot, 0);
  EXPECT_LT(m_jellies[0].m_slot, 6);
  EXPECT_TRUE(taken[static_cast<size_t>(m_jellies[0].m_slot)]);
}

TEST_F(JellyPieces, AJellyfishTurnsAtItsLimitsWithANewSpeedAndKeepsItsRow) {
  SetUpLevel(3, 1);
  Jelly& jelly = m_jellies[0];
  const int32_t y = jelly.m_circle.GetCenter().Y();
  jelly.m_path.SetAngle(180);
  jelly.m_path.SetLimits(380, 390);
  jelly.m_path.SetSpeed(4.0f);
  jelly.m_path.SetPosition(381.0f, static_cast<float>(y));
  jelly.m_circle.Set({381, y}, jelly.m_circle.GetRadius());

  const struct {
    int32_t x;  // after the step
    int32_t heading;
    uint32_t animation;  // 100: the one before
  } steps[] = {{377, 180, 100}, {381, 0, 1}, {385, 0, 1}, {389, 0, 1}, {393, 0, 1}, {389, 180, 3}};
  jelly.m_sprite->SetAnimation(0, 0);
  uint32_t before = 0;
  for (const auto& s : steps) {
    const float speedBefore = jelly.m_path.GetSpeed();
    jelly.Update(3);
    const bool turned = s.animation != 100 && s.animation != before;
    if (turned) {
      EXPECT_GE(jelly.m_path.GetSpeed(), 0.5f);
      EXPECT_LE(jelly.m_path.GetSpeed(), 0.9f);
      before = s.animation;
      jelly.m_path.SetSpeed(4.0f);
    } else {
      EXPECT_EQ(jelly.m_path.GetSpeed(), speedBefore);
    }
    EXPECT_EQ(jelly.m_path.GetHeading(), s.heading);
    EXPECT_EQ(jelly.m_circle.GetCenter(), Qel::Point2(s.x, y));
    EXPECT_EQ(jelly.m_sprite->GetAnimationId(), before);
    const Qel::Point2 topLeft = jelly.m_circle.GetTopLeft();
    EXPECT_EQ(jelly.m_sprite->GetX(), static_cast<float>(topLeft.X() - 29));
    EXPECT_EQ(jelly.m_sprite->GetY(), static_cast<float>(topLeft.Y() - 24));
  }
}

TEST_F(JellyPieces, TheBallHitsOnceEachTimeItComesIntoTheCircle) {
  SetUpLevel(1, 1);
  Jelly& jelly = m_jellies[0];
  const Qel::Point2 centre = jelly.m_circle.GetCenter();
  const Qel::Point2 inside{centre.X() + 5, centre.Y()};
  const Qel::Point2 outside{centre.X() + 100, centre.Y()};
  // Set up around the ball: no hit until it has been out once.
  const struct {
    Qel::Point2 point;
    bool hit;
  } path[] = {{inside, false}, {inside, false}, {outside, false}, {inside, true},
              {inside, false}, {outside, false}, {outside, false}, {inside, true}};
  for (const auto& p : path) EXPECT_EQ(jelly.TestHit(p.point), p.hit);
}

// The point before the step lies outside the circle, often beyond its reach in x: the ball goes
// straight back then.
TEST_F(JellyPieces, TheBounceTurnsOffThePointBeforeTheStepAndShowsAHitOfItsDrift) {
  SetUpLevel(1, 1);
  Jelly& jelly = m_jellies[0];
  const Qel::Point2 c = jelly.m_circle.GetCenter();
  const float r = jelly.m_circle.GetRadius();
  const struct {
    int32_t heading;
    Qel::Point2 from;
    int32_t pathHeading;
    uint32_t firstHit;
  } cases[] = {
      {0, {c.X() - static_cast<int32_t>(r) - 10, c.Y()}, 180, 4},  // beyond reach: straight back
      {90, {c.X(), c.Y() - static_cast<int32_t>(r) - 3}, 360, 7},
      {300, {c.X() + 10, c.Y() + static_cast<int32_t>(r) + 2}, 180, 4},
  };
  for (const auto& k : cases) {
    jelly.m_path.SetAngle(k.pathHeading);
    TzDeflectingSphere circle = jelly.m_circle;
    int32_t normal = 0;
    const int32_t expected = circle.Deflect(k.heading, k.from.X(), k.from.Y(), normal);
    test::SeedDrawing(32767);  // the hit's variant is drawn again
    EXPECT_EQ(jelly.Deflect(k.heading, k.from.X(), k.from.Y()), expected);
    EXPECT_GE(jelly.m_sprite->GetAnimationId(), k.firstHit);
    EXPECT_LE(jelly.m_sprite->GetAnimationId(), k.firstHit + 2);
  }
  EXPECT_EQ(jelly.Deflect(0, c.X() - static_cast<int32_t>(r) - 10, c.Y()), 180);
}

TEST_F(JellyPieces, SpeedsByLevel) {
  const struct {
    int32_t level;
    float base, spread;
  } cases[] = {{1, 0.3f, 0.4f}, {4, 0.6f, 0.6f}, {7, 0.8f, 1.2f}, {8, 1.0f, 2.2f}, {20, 1.0f, 2.2f}};
  for (const auto& c : cases) {
    EXPECT_EQ(Jelly::SpeedFor(c.level).base, c.base);
    EXPECT_EQ(Jelly::SpeedFor(c.level).spread, c.spread);
  }
}

}  // namespace
