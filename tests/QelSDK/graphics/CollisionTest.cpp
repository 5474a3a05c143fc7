// Collision shapes and collision queries through the scene tree.
#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <numbers>
#include <vector>

#include "SceneTestObjects.h"
#include "graphics/CollisionBoundsPtr.h"
#include "graphics/CollisionBox.h"
#include "graphics/SceneWorld.h"

using Qel::Box3;
using Qel::CollisionBox;
using Qel::Point3;
using test::Block;
using test::Named;

namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kEighthTurn = std::numbers::pi_v<float> / 4;

}  // namespace

TEST(CollisionBox, OverlapAndContainment) {
  struct Case {
    const char* what;
    Box3 a;
    float angleA;
    Box3 b;
    float angleB;
    bool meet;
  };
  const Case cases[] = {
      {"flat boxes overlapping in x and y", {0, 0, 0, 10, 10, 0}, 0, {5, 5, 0, 15, 15, 0}, 0, true},
      {"shared edge", {0, 0, 0, 10, 10, 0}, 0, {10, 0, 0, 20, 10, 0}, 0, true},
      {"shared face of solid boxes", {0, 0, 0, 10, 10, 10}, 0, {0, 0, 10, 10, 10, 20}, 0, true},
      {"single corner point", {0, 0, 0, 10, 10, 0}, 0, {10, 10, 0, 20, 20, 0}, 0, false},
      {"apart in x", {0, 0, 0, 10, 10, 0}, 0, {11, 0, 0, 20, 10, 0}, 0, false},
      {"apart in depth", {0, 0, 0, 10, 10, 5}, 0, {0, 0, 6, 10, 10, 9}, 0, false},
      {"one inside the other", {0, 0, 0, 100, 100, 0}, 0, {40, 40, 0, 60, 60, 0}, 0, true},
      {"the other inside the one", {40, 40, 0, 60, 60, 0}, 0, {0, 0, 0, 100, 100, 0}, 0, true},
      {"identical", {3, 3, 3, 8, 8, 8}, 0, {3, 3, 3, 8, 8, 8}, 0, true},
      {"a point inside a box is an empty overlap", {5, 5, 0, 5, 5, 0}, 0, {0, 0, 0, 10, 10, 0}, 0, false},
      // A square turned by an eighth reaches 5 * sqrt(2) ~ 7.07 from its centre (5, 5).
      {"turned square reaches a box it misses unturned",
       {0, 0, 0, 10, 10, 0},
       kEighthTurn,
       {11, 4, 0, 20, 6, 0},
       0,
       true},
      {"turned square still misses below its tip",
       {0, 0, 0, 10, 10, 0},
       kEighthTurn,
       {11, -1, 0, 20, 1, 0},
       0,
       false},
      {"aligned side first", {11, 4, 0, 20, 6, 0}, 0, {0, 0, 0, 10, 10, 0}, kEighthTurn, true},
      {"two turned squares overlap at their tips",
       {0, 0, 0, 10, 10, 0},
       kEighthTurn,
       {12, 0, 0, 22, 10, 0},
       kEighthTurn,
       true},
      {"two turned squares apart",
       {0, 0, 0, 10, 10, 0},
       kEighthTurn,
       {15, 0, 0, 25, 10, 0},
       kEighthTurn,
       false},
      // A 40 x 2 bar turned a quarter stands upright over its centre (20, 1): x 19..21, y -19..21.
      {"bar turned upright meets a box above it",
       {0, 0, 0, 40, 2, 0},
       kQuarterTurn,
       {18, -15, 0, 22, -10, 0},
       0,
       true},
      {"bar turned upright misses a box at its old end",
       {0, 0, 0, 40, 2, 0},
       kQuarterTurn,
       {35, 0, 0, 40, 2, 0},
       0,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CollisionBox a(c.a, c.angleA);
    const CollisionBox b(c.b, c.angleB);
    EXPECT_EQ(a.Intersects(b), c.meet);
    EXPECT_EQ(b.Intersects(a), c.meet);
    if (c.angleA == 0) {
      EXPECT_EQ(b.IntersectsAlignedBox(c.a), c.meet);
    }
    if (c.angleB == 0) {
      EXPECT_EQ(a.IntersectsAlignedBox(c.b), c.meet);
    }
  }
}

TEST(CollisionBox, EqualityIgnoresTheAngle) {
  const CollisionBox a({0, 0, 0, 5, 5, 0}, 0);
  const CollisionBox turned({0, 0, 0, 5, 5, 0}, 1.0f);
  const CollisionBox other({0, 0, 0, 5, 6, 0}, 0);
  EXPECT_TRUE(a.Equals(a));
  EXPECT_TRUE(a.Equals(turned));
  EXPECT_FALSE(a.Equals(other));
  EXPECT_EQ(a.GetType(), 1);

  CollisionBox moved = a;
  moved.Offset(Point3(1, 2, 3));
  Box3 bounds;
  moved.GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(1, 2, 3, 6, 7, 3));
  moved.Clear();
  moved.GetBounds(bounds);
  EXPECT_EQ(bounds, Box3());
}

TEST(CollisionBoundsPtr, CopiesAreIndependentClones) {
  Qel::CollisionBoundsPtr empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(Qel::CollisionBoundsPtr(empty).IsEmpty());
  empty.Offset(Point3(1, 1, 1));  // nothing to move
  EXPECT_TRUE(empty.MovedBy(Point3(1, 1, 1)).IsEmpty());

  Qel::CollisionBoundsPtr shape;
  shape.ResetToBox(Box3(0, 0, 0, 4, 4, 0), 0.5f);
  Qel::CollisionBoundsPtr copy(shape);
  copy.Offset(Point3(10, 0, 0));
  Box3 box;
  shape.Get()->GetBounds(box);
  EXPECT_EQ(box, Box3(0, 0, 0, 4, 4, 0));
  copy.Get()->GetBounds(box);
  EXPECT_EQ(box, Box3(10, 0, 0, 14, 4, 0));
  EXPECT_EQ(static_cast<const CollisionBox*>(copy.Get())->GetAngle(), 0.5f);

  copy = shape;
  copy.Get()->GetBounds(box);
  EXPECT_EQ(box, Box3(0, 0, 0, 4, 4, 0));
  EXPECT_NE(copy.Get(), shape.Get());
  auto& alias = copy;
  copy = alias;  // self-assignment keeps the shape
  ASSERT_FALSE(copy.IsEmpty());
  copy = empty;
  EXPECT_TRUE(copy.IsEmpty());

  EXPECT_FALSE(shape.Intersects(empty));
  EXPECT_FALSE(empty.Intersects(shape));
  EXPECT_TRUE(shape.Intersects(shape.MovedBy(Point3(2, 2, 0))));
}

namespace {

// A world of 10 x 10 blocks whose collision shape is their own bounds.
class CollisionScene : public ::testing::Test {
protected:
  std::shared_ptr<Block> Add(Qel::SceneObject& parent, const std::string& name, Point3 at,
                             bool enabled = true) {
    auto block = Named<Block>(name, 10, 10);
    block->SetLocalPosition(at);
    Qel::CollisionBoundsPtr shape;
    shape.ResetToBox(Box3(0, 0, 0, 10, 10, 0), 0);
    block->SetCollisionBounds(shape);
    if (enabled) block->EnableCollision();
    parent.AddChild(block);
    return block;
  }

  static std::vector<std::string> NamesOf(const std::list<Qel::SceneObject*>& results) {
    std::vector<std::string> names;
    for (const Qel::SceneObject* object : results) names.push_back(object->GetName());
    return names;
  }

  std::vector<std::string> CollisionsOf(Qel::SceneObject& object) {
    std::list<Qel::SceneObject*> results{nullptr};  // the query empties it first
    const bool found = object.FindCollisions(results);
    EXPECT_EQ(found, !results.empty());
    return NamesOf(results);
  }

  std::shared_ptr<Qel::SceneWorld> m_world = std::make_shared<Qel::SceneWorld>();
};

using NameList = std::vector<std::string>;

}  // namespace

TEST_F(CollisionScene, FindsOtherEnabledObjectsOfTheSameWorldInNameOrder) {
  auto probe = Add(*m_world, "probe", {0, 0, 0});
  Add(*m_world, "right", {5, 0, 0});
  Add(*m_world, "edge", {0, 10, 0});     // shares the probe's bottom edge
  Add(*m_world, "corner", {10, 10, 0});  // meets it only in a corner
  Add(*m_world, "off", {2, 2, 0}, false);
  Add(*m_world, "far", {100, 0, 0});
  auto group = Named<Qel::SceneObjectGroup>("group");
  group->SetLocalPosition(Point3(20, 20, 0));
  group->SetAnchor(Point3(15, 15, 0));
  m_world->AddChild(group);
  Add(*group, "nested", {0, 0, 0});  // world position (5, 5)

  EXPECT_EQ(CollisionsOf(*probe), (NameList{"edge", "nested", "right"}));

  // Asking with collision disabled still uses the own shape; the asker is never reported.
  probe->DisableCollision();
  EXPECT_EQ(CollisionsOf(*probe), (NameList{"edge", "nested", "right"}));
  EXPECT_EQ(CollisionsOf(*m_world->FindChild("right")), (NameList{"corner", "edge", "nested"}));

  // The anchor moves the shape with the bounds.
  probe->SetAnchor(Point3(-95, 0, 0));
  EXPECT_EQ(CollisionsOf(*probe), (NameList{"far"}));
}

TEST_F(CollisionScene, AQueryStaysInsideTheNearestWorld) {
  Add(*m_world, "outside", {0, 0, 0});
  auto inner = Named<Qel::SceneWorld>("inner");
  inner->SetLocalPosition(Point3(300, 0, 0));  // scrolling changes nothing in world coordinates
  m_world->AddChild(inner);
  auto probe = Add(*inner, "probe", {0, 0, 0});
  Add(*inner, "neighbour", {5, 5, 0});
  EXPECT_EQ(CollisionsOf(*probe), (NameList{"neighbour"}));
}

TEST_F(CollisionScene, GroupsWithCollisionAnswerForTheirChildren) {
  auto probe = Add(*m_world, "probe", {0, 0, 0});
  auto group = Named<Qel::SceneObjectGroup>("group");
  m_world->AddChild(group);
  Add(*group, "inside", {5, 5, 0});
  EXPECT_EQ(CollisionsOf(*probe), (NameList{"inside"}));

  // Enabled, the group counts with its own shape only: here it has none, so nothing is found.
  group->EnableCollision();
  EXPECT_EQ(CollisionsOf(*probe), (NameList{}));
  Qel::CollisionBoundsPtr shape;
  shape.ResetToBox(Box3(0, 0, 0, 1, 1, 0), 0);
  group->SetCollisionBounds(shape);
  EXPECT_EQ(CollisionsOf(*probe), (NameList{"group"}));
}

TEST_F(CollisionScene, ObjectsWithoutAParentOrAShapeFindNothing) {
  Block loose(10, 10);
  loose.EnableCollision();
  EXPECT_EQ(CollisionsOf(loose), (NameList{}));

  auto shapeless = Named<Block>("shapeless", 10, 10);
  shapeless->EnableCollision();
  m_world->AddChild(shapeless);
  auto probe = Add(*m_world, "probe", {0, 0, 0});
  EXPECT_EQ(CollisionsOf(*shapeless), (NameList{}));
  EXPECT_EQ(CollisionsOf(*probe), (NameList{}));
}
