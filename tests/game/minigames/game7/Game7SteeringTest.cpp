// The turtle's steering decisions on their own: the dead zone around the pointer, the vertical
// choice winning on a diagonal, and the play box that holds the turtle's targets.
#include <gtest/gtest.h>

#include <cstdint>

#include "game7/Game7MainTurtle.h"

namespace {

using Turtle = Game7Node::MainTurtle;

TEST(Game7Steering, MoveStateFromThePointer) {
  struct Case {
    float px, py;
    int32_t state;
  };
  // Turtle at (400, 300).
  const Case cases[] = {
      {415, 300, Game7Node::IDLE},       {385, 285, Game7Node::IDLE},
      {416, 300, Game7Node::MOVE_RIGHT}, {384, 300, Game7Node::MOVE_LEFT},
      {400, 316, Game7Node::MOVE_DOWN},  {400, 284, Game7Node::MOVE_UP},
      {500, 400, Game7Node::MOVE_DOWN},  {300, 200, Game7Node::MOVE_UP},
      {500, 315, Game7Node::MOVE_RIGHT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Turtle::ChooseMoveState(400, 300, c.px, c.py), c.state) << c.px << "," << c.py;
  }
}

TEST(Game7Steering, TargetsStayInsideThePlayBox) {
  struct Case {
    float pos, pointer, follow, dash;
  };
  const Case cases[] = {
      {90, 20, 90, 90},     // outside on the left, pointer further out: stop
      {90, 95, 95, 100},    // outside on the left, pointer back in
      {400, 750, 750, 700},  // inside: a dash is limited to the box
      {400, 20, 20, 100},
      {710, 750, 710, 710},  // outside on the right, pointer further out
      {710, 650, 650, 650},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(Turtle::FollowTarget(c.pos, c.pointer, 100, 700), c.follow) << c.pos;
    EXPECT_FLOAT_EQ(Turtle::DashTargetX(c.pos, c.pointer), c.dash) << c.pos;
  }
  // The vertical box is 100 to 500.
  EXPECT_FLOAT_EQ(Turtle::FollowTarget(510, 560, 100, 500), 510);
  EXPECT_FLOAT_EQ(Turtle::FollowTarget(510, 450, 100, 500), 450);
}

}  // namespace
