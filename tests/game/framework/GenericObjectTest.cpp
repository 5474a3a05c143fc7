// Game objects on a game clock moved by hand: velocities, moves toward a target and their one
// arrival event, scene positions rounded and held in range, the keys of object-definition files,
// anchors, screen positions in a scrolled world and collisions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <list>
#include <memory>
#include <string>

#include "framework/Ambient.h"
#include "framework/GameEvents.h"
#include "framework/GenericObject.h"
#include "graphics/SceneObject.h"
#include "graphics/SceneWorld.h"
#include "support/ObjectStage.h"

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();

class Motion : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    stage.AddSprite("box");
    object = std::make_unique<Ambient>("mover", "box", 0);
    object->AttachToGroup(world);
  }

  // Updates the object after ms milliseconds of game time.
  void Step(uint32_t ms) {
    test::ObjectStage::Tick(ms);
    object->Update();
  }

  Qel::Point3 Scene() const { return object->GetSceneObject()->GetLocalPosition(); }

  int Arrivals() const {
    int count = 0;
    for (const auto& [id, data] : events.events) {
      EXPECT_EQ(data, object.get());
      if (id == kEventObjectArrived) ++count;
    }
    return count;
  }

  test::ObjectStage stage;
  test::ObjectEventLog events;
  std::shared_ptr<Qel::SceneWorld> world = std::make_shared<Qel::SceneWorld>();
  std::unique_ptr<Ambient> object;
};

}  // namespace

TEST_F(Motion, TheFirstUpdateSetsTheClockAndLaterOnesMoveByVelocityTimesTime) {
  object->SetPosition(10.0f, 20.0f);
  object->SetProperty("vx", "100");
  object->SetProperty("VY", "-40");
  EXPECT_FLOAT_EQ(object->GetSpeed(), std::sqrt(100.0f * 100.0f + 40.0f * 40.0f));
  Step(500);  // the first update after attaching only takes the time
  EXPECT_EQ(object->GetX(), 10.0f);
  Step(250);
  EXPECT_FLOAT_EQ(object->GetX(), 35.0f);
  EXPECT_FLOAT_EQ(object->GetY(), 10.0f);
  EXPECT_EQ(Scene(), Qel::Point3(35, 10, 0));
  // No time, no motion.
  object->Update();
  EXPECT_FLOAT_EQ(object->GetX(), 35.0f);

  // Attaching again starts the clock afresh.
  object->AttachToGroup(world);
  Step(1000);
  EXPECT_FLOAT_EQ(object->GetX(), 35.0f);
  EXPECT_EQ(Arrivals(), 0);
}

TEST_F(Motion, AMoveToAPointOnePixelAwayArrivesAtTheFirstTimedUpdateWithOneEvent) {
  object->SetPosition(50.0f, 50.0f);
  object->MoveToward(51.0f, 50.0f, 80.0f);
  // Elapsed 0: neither steering nor the arrival test.
  object->Update();
  EXPECT_TRUE(object->IsMovingToTarget());
  EXPECT_EQ(Arrivals(), 0);

  Step(16);
  EXPECT_FALSE(object->IsMovingToTarget());
  EXPECT_EQ(Arrivals(), 1);
  EXPECT_EQ(object->GetVelocityX(), 0.0f);
  EXPECT_EQ(object->GetVelocityY(), 0.0f);
  EXPECT_EQ(object->GetSpeed(), 0.0f);

  for (int i = 0; i < 5; ++i) Step(16);
  EXPECT_EQ(Arrivals(), 1);
  EXPECT_FLOAT_EQ(object->GetX(), 50.0f);
}

TEST_F(Motion, AMoveTowardATargetSteersAtItsSpeedAndStopsOnItOnce) {
  struct Case {
    float speed;
    // Updates of 100 ms after the first timed one until the arrival.
    int steps;
  };
  // At 100 px/s the object lands on the target; at 150 it passes it and jumps back onto it.
  for (const Case& c : {Case{100.0f, 10}, Case{150.0f, 7}}) {
    SCOPED_TRACE(c.speed);
    events.events.clear();
    object->SetPosition(0.0f, 0.0f);
    object->AttachToGroup(world);
    object->MoveToward(60.0f, 80.0f, c.speed);
    EXPECT_FLOAT_EQ(object->GetHeading(), std::atan2(80.0f, 60.0f));
    object->Update();
    Step(100);  // sets the velocity; the move itself begins with the next update
    EXPECT_FLOAT_EQ(object->GetVelocityX(), c.speed * 0.6f);
    EXPECT_FLOAT_EQ(object->GetVelocityY(), c.speed * 0.8f);
    EXPECT_EQ(object->GetX(), 0.0f);
    int steps = 0;
    while (object->IsMovingToTarget() && steps < 100) {
      Step(100);
      ++steps;
    }
    EXPECT_EQ(steps, c.steps);
    EXPECT_EQ(Arrivals(), 1);
    EXPECT_NEAR(object->GetX(), 60.0f, 1e-3);
    EXPECT_NEAR(object->GetY(), 80.0f, 1e-3);
    Step(100);
    Step(100);
    EXPECT_EQ(Arrivals(), 1);
    EXPECT_EQ(Scene(), Qel::Point3(60, 80, 0));
  }
}

TEST_F(Motion, ScenePositionsAreRoundedHalfUpAndHeldInsideTheIntegerRange) {
  struct Case {
    float x;
    int32_t scene;
  };
  const Case cases[] = {
      {10.4f, 10},
      {10.5f, 11},
      {-0.4f, 0},
      {-0.6f, 0},
      {-1.6f, -1},
      {3.0e9f, kMaxInt},
      {-3.0e9f, kMinInt},
      {std::numeric_limits<float>::infinity(), kMaxInt},
      {-std::numeric_limits<float>::infinity(), kMinInt},
      {std::nanf(""), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    object->SetPositionAndZ(c.x, 2.5f, 7);
    EXPECT_EQ(Scene(), Qel::Point3(c.scene, 3, 7));
  }
}

TEST_F(Motion, PositionsAndVelocitiesFromFilesBeyondEveryRangeAreHeldAtItsEnd) {
  object->SetProperty("x", "1e300");
  object->SetProperty("y", "-1e300");
  object->SetProperty("z", "99999999999");
  EXPECT_EQ(object->GetX(), std::numeric_limits<float>::max());
  EXPECT_EQ(Scene(), Qel::Point3(kMaxInt, kMinInt, kMaxInt));

  // Motion that runs past every float goes on standing at the end of the scene's range.
  object->SetProperty("x", "0");
  object->SetProperty("y", "0");
  object->SetProperty("vx", "1e300");
  object->SetProperty("vy", "-3e38");
  Step(0);
  for (int i = 0; i < 3; ++i) Step(1000);
  EXPECT_TRUE(std::isinf(object->GetX()));
  EXPECT_EQ(Scene(), Qel::Point3(kMaxInt, kMinInt, kMaxInt));
}

TEST_F(Motion, TheKeysOfTheGenericLevelSetPositionDepthVelocityAnchorAndCollision) {
  object->SetProperty("X", "12.75");
  object->SetProperty("y", "8");
  object->SetProperty("Z", "4");
  EXPECT_EQ(Scene(), Qel::Point3(13, 8, 4));
  object->SetProperty("vx", "3");
  object->SetProperty("vy", "4");
  EXPECT_EQ(object->GetSpeed(), 5.0f);
  object->SetProperty("unknown", "99");
  object->SetProperty("speed", "99");
  EXPECT_EQ(Scene(), Qel::Point3(13, 8, 4));
  EXPECT_EQ(object->GetSpeed(), 5.0f);

  object->SetProperty("anchorx", "7");
  object->SetProperty("AnchorY", "-3");
  EXPECT_EQ(object->GetAnchor(), Qel::Point2(7, -3));
  // "center" on either key centres both, on the 40 x 30 sprite.
  for (const char* key : {"anchorx", "anchory"}) {
    SCOPED_TRACE(key);
    object->SetAnchor(1, 1);
    object->SetProperty(key, "Center");
    EXPECT_EQ(object->GetAnchor(), Qel::Point2(20, 15));
  }

  for (const char* value : {"off", "yes", "1", "onward"}) {
    SCOPED_TRACE(value);
    object->SetProperty("collision", value);
    EXPECT_FALSE(object->GetSceneObject()->IsCollisionEnabled());
  }
  object->SetProperty("Collision", "ON");
  EXPECT_TRUE(object->GetSceneObject()->IsCollisionEnabled());
}

TEST_F(Motion, ScreenPositionAndBoundsAddTheScrollOfTheWorld) {
  world->SetLocalPosition(Qel::Point3(-100, 20, 0));
  object->SetPositionAndZ(150.0f, 10.0f, 3);
  object->SetAnchor(5, 0);
  EXPECT_EQ(object->GetWorldPosition(), Qel::Point3(50, 30, 3));
  Qel::Box3 bounds;
  object->GetWorldBounds(bounds);
  EXPECT_EQ(bounds, Qel::Box3(45, 30, 3, 85, 60, 3));

  // Outside a world nothing is added.
  Ambient loose("loose", "box", 0);
  loose.SetPosition(150.0f, 10.0f);
  EXPECT_EQ(loose.GetWorldPosition(), Qel::Point3(150, 10, 0));
}

TEST_F(Motion, ObjectsCollideWhileTheirBoxesMeet) {
  Ambient other("other", "box", 0);
  other.AttachToGroup(world);
  object->SetPosition(0.0f, 0.0f);
  other.SetPosition(30.0f, 20.0f);
  EXPECT_FALSE(object->CollidesWith(other));  // collision is off
  object->EnableCollision();
  other.EnableCollision();
  EXPECT_TRUE(object->CollidesWith(other));
  EXPECT_TRUE(other.CollidesWith(*object));
  std::list<Qel::SceneObject*> found;
  EXPECT_TRUE(object->GetCollisions(found));
  EXPECT_EQ(found, std::list<Qel::SceneObject*>({other.GetSceneObject().get()}));

  other.SetPosition(41.0f, 0.0f);
  EXPECT_FALSE(object->CollidesWith(other));
  other.SetPosition(30.0f, 20.0f);
  other.DisableCollision();
  EXPECT_FALSE(object->CollidesWith(other));
  EXPECT_FALSE(object->GetCollisions(found));
}

TEST_F(Motion, ADeletedObjectTakesItsSceneObjectOutOfItsGroup) {
  EXPECT_NE(world->FindChild("mover"), nullptr);
  object.reset();
  EXPECT_EQ(world->FindChild("mover"), nullptr);
  EXPECT_TRUE(world->GetChildren().empty());
}
