// The ride played in the game's frames: the turtle steered by the pointer and dashing, its hits, the
// fifth one and the sweep, the vortex, and the traffic: the pool, the releases with their lanes,
// kinds and sides, the swerves, the knocks, the shells and the contacts' points and sounds.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Game7Stage.h"
#include "game7/Game7Obstacles.h"
#include "game7/Game7PointsDisplay.h"
#include "graphics/SceneObject.h"
#include "support/SdlMouse.h"

namespace {

using test::Game7Entry;
using test::Shown;
using Obstacle = Game7Node::Obstacles;

bool Collides(const GenericObject& object) {
  return object.GetSceneObject() && object.GetSceneObject()->IsCollisionEnabled();
}

class Game7Play : public test::Game7Stage {
protected:
  // Traffic of the given counts on every level, none of the other kinds.
  void OnlyTraffic(const std::map<std::string, int>& counts) {
    for (const char* key : {"numTurtles", "numBabies", "numBoots", "numTires", "numCans", "numGroupers",
                            "numGoodie1", "numGoodie2", "numGoodie3"}) {
      const auto found = counts.find(key);
      SetLevelLine(key, AllLevels(key, std::to_string(found == counts.end() ? 0 : found->second)));
    }
  }
  // No release or flourish by the timers while a test moves things by hand.
  void QuietTimers() {
    SetLevelLine("MinReleaseTime", AllLevels("MinReleaseTime", "100000"));
    SetLevelLine("MaxReleaseTime", AllLevels("MaxReleaseTime", "100001"));
  }
  void StartPlaying(uint32_t level = 1) {
    Game7Entry().firstTime = 0;
    Game7Entry().level = 20;
    Game7Entry().gameValue = level;
    StartGame();
    ASSERT_TRUE(RunUntilPlaying());
  }
  // The game entered again by a player back at that level; whether play began.
  bool ReplayAt(uint32_t level) {
    Game7Entry().firstTime = 0;
    Game7Entry().level = 20;
    Game7Entry().gameValue = level;
    Revisit();
    return RunUntilPlaying();
  }
  // The pointer where the node reads it on the next update.
  void Point(int x, int y) {
    test::MoveMouse(x, y);
    Frame(0);
  }
  // The turtle at rest at (x, y) in the state, the pointer on it.
  void PlaceTurtle(float x, float y, int32_t state = Game7Node::IDLE) {
    Point(static_cast<int>(x), static_cast<int>(y));
    Turtle().SetVelocity(0.0f, 0.0f);
    Turtle().SetPosition(x, y);
    m_game->SetState(state);
  }
  float S() { return m_game->CurrentLevel().m_turtleSpeed; }
  float V() { return m_game->CurrentLevel().CombinedSpeed(); }
  Obstacle* FirstOfKind(int32_t kind) {
    for (const auto& obstacle : m_game->GetObstacles()) {
      if (obstacle->m_kind == kind) return obstacle.get();
    }
    return nullptr;
  }
  // The obstacle in play at (x, y), swimming left along its lane.
  void Launch(Obstacle& obstacle, float x, float y) {
    obstacle.m_laneY = y;
    obstacle.m_targetX = Obstacle::kLeftEdge;
    obstacle.m_targetY = y + 5.0f;
    obstacle.SetPositionAndZ(x, y, 200);
    obstacle.SetAnimation(Obstacle::kSwim, 0);
    obstacle.EnableCollision();
    obstacle.GetSceneObject()->Show();
    obstacle.MoveToward(obstacle.m_targetX, obstacle.m_targetY, V());
  }
  // Every obstacle of the pool out of play.
  void HideAll() {
    for (const auto& obstacle : m_game->GetObstacles()) {
      obstacle->GetSceneObject()->Hide();
      obstacle->SetVelocity(0.0f, 0.0f);
      obstacle->DisableCollision();
    }
  }
  bool RunUntilStopped(GenericObject& object) {
    return RunUntil([&] { return object.GetSpeed() < 5.0f; }, 400, 10);
  }
};

// ---------------------------------------------------------------------------------------------
// Steering and dash

TEST_F(Game7Play, TheTurtleFollowsThePointerInsideThePlayBox) {
  OnlyTraffic({});
  StartPlaying();
  struct Case {
    float x, y;
    int px, py;
    int32_t state;
    float tx, ty;
    bool fast;
  };
  const Case cases[] = {
      {400, 300, 416, 300, Game7Node::MOVE_RIGHT, 416, 300, false},
      {400, 300, 384, 310, Game7Node::MOVE_LEFT, 384, 310, false},
      {400, 300, 600, 300, Game7Node::MOVE_RIGHT, 600, 300, true},
      {400, 300, 500, 400, Game7Node::MOVE_DOWN, 500, 400, true},  // the vertical choice wins
      {400, 300, 405, 250, Game7Node::MOVE_UP, 405, 250, false},
      {90, 300, 20, 300, Game7Node::MOVE_LEFT, 90, 300, false},    // held at the box's edge
      {90, 300, 95, 350, Game7Node::MOVE_DOWN, 95, 350, false},
      {710, 300, 790, 300, Game7Node::MOVE_RIGHT, 710, 300, false},
      {400, 90, 400, 20, Game7Node::MOVE_UP, 400, 90, false},
      {400, 510, 410, 560, Game7Node::MOVE_DOWN, 410, 510, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.px) + "," + std::to_string(c.py));
    Point(c.px, c.py);
    Turtle().SetVelocity(0.0f, 0.0f);
    Turtle().SetPosition(c.x, c.y);
    m_game->SetState(Game7Node::IDLE);
    Frame(0);
    EXPECT_EQ(m_game->GetState(), c.state);
    EXPECT_EQ(Turtle().GetAnimationId(), static_cast<uint32_t>(c.state));
    EXPECT_FLOAT_EQ(Turtle().m_targetX, c.tx);
    EXPECT_FLOAT_EQ(Turtle().m_targetY, c.ty);
    const bool still = c.tx == c.x && c.ty == c.y;
    if (!still) {
      EXPECT_FLOAT_EQ(Turtle().GetSpeed(), c.fast ? S() + 100.0f : S());
    }
  }
  // Exactly 15 pixels off on each axis: the turtle idles and glides on to its last target.
  PlaceTurtle(400, 300);
  Turtle().MoveToward(450.0f, 300.0f, S());
  Turtle().m_targetX = 450.0f;
  Point(415, 315);
  EXPECT_EQ(m_game->GetState(), Game7Node::IDLE);
  EXPECT_EQ(Turtle().GetAnimationId(), 0u);
  EXPECT_FLOAT_EQ(Turtle().m_targetX, 450.0f);
  EXPECT_GT(Turtle().GetSpeed(), 5.0f);
}

TEST_F(Game7Play, TheButtonDashesToTheTopOrBottomThenTheTurtleFollowsSideways) {
  OnlyTraffic({});
  StartPlaying();
  struct Case {
    float x, y;
    int px, py;
    int32_t state;
    float tx, ty;
  };
  const Case cases[] = {
      {400, 300, 750, 200, Game7Node::DASH_UP, 700, 100},  // the dash's x is held in the box
      {400, 300, 300, 400, Game7Node::DASH_DOWN, 300, 500},
      {400, 300, 60, 310, Game7Node::DASH_DOWN, 100, 500},
      {90, 300, 20, 200, Game7Node::DASH_UP, 90, 100},     // outside the box, pointer further out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.px) + "," + std::to_string(c.py));
    PlaceTurtle(c.x, c.y);
    Point(c.px, c.py);
    Turtle().SetVelocity(0.0f, 0.0f);
    Turtle().SetPosition(c.x, c.y);
    m_game->OnLeftButtonDown(InputEventInfo());
    EXPECT_EQ(m_game->GetState(), c.state);
    EXPECT_EQ(Turtle().GetAnimationId(), static_cast<uint32_t>(c.state));
    EXPECT_FLOAT_EQ(Turtle().m_targetX, c.tx);
    EXPECT_FLOAT_EQ(Turtle().m_targetY, c.ty);
    EXPECT_FLOAT_EQ(Turtle().GetSpeed(), S() + 100.0f);
    m_game->OnLeftButtonUp(InputEventInfo());
    EXPECT_EQ(m_game->GetState(), Game7Node::IDLE);
    EXPECT_FLOAT_EQ(Turtle().GetSpeed(), 0.0f);
  }

  // At the top the turtle follows the pointer sideways only, until the button is released.
  PlaceTurtle(400, 300);
  Point(400, 200);
  m_game->OnLeftButtonDown(InputEventInfo());
  ASSERT_TRUE(RunUntil([&] { return Turtle().GetY() < 103.0f && Turtle().GetAnimationId() == 0; }, 400, 10));
  test::MoveMouse(250, 400);
  ASSERT_TRUE(RunUntil([&] { return std::fabs(Turtle().GetX() - 250.0f) <= 2.0f; }, 400, 10));
  EXPECT_EQ(m_game->GetState(), Game7Node::DASH_UP);
  EXPECT_LT(Turtle().GetY(), 103.0f);
  EXPECT_FLOAT_EQ(Turtle().m_targetY, Turtle().GetY());

  // No dash over the navigation bar nor from a knocked-out turtle.
  PlaceTurtle(400, 300);
  Point(400, 560);
  m_game->SetState(Game7Node::MOVE_UP);
  m_game->OnLeftButtonDown(InputEventInfo());
  EXPECT_EQ(m_game->GetState(), Game7Node::MOVE_UP);
  Point(400, 200);
  Turtle().MoveToward(-75.0f, 300.0f, 50.0f);
  m_game->SetState(Game7Node::KNOCKED_OUT);
  m_game->OnLeftButtonDown(InputEventInfo());
  EXPECT_EQ(m_game->GetState(), Game7Node::KNOCKED_OUT);
}

// ---------------------------------------------------------------------------------------------
// Hits, the fifth, the sweep

TEST_F(Game7Play, EachHarmfulContactCostsAHitAndKnocksTheTurtleBack) {
  OnlyTraffic({{"numTurtles", 1}});
  QuietTimers();
  StartPlaying();
  struct Case {
    uint32_t hitsBefore;
    float x;
    uint32_t hitsAfter;
    int32_t state;
    float slope;  // of the knock-back, down per pixel back
  };
  const Case cases[] = {
      {0, 300, 1, Game7Node::HIT, 0.05f}, {3, 300, 4, Game7Node::HIT, 0.05f},
      {1, 56, 2, Game7Node::HIT, 0.05f},  {2, 50, 3, Game7Node::HIT, 0.0f},  // near the edge: a nudge
      {5, 300, 5, Game7Node::IDLE, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hitsBefore) + " at " + std::to_string(c.x));
    HideAll();
    m_game->GetLivesMeter()->SetAnimation(c.hitsBefore, 0);
    PlaceTurtle(c.x, 300);
    Turtle().EnableCollision();
    Obstacle* turtle = FirstOfKind(1);
    ASSERT_NE(turtle, nullptr);
    Launch(*turtle, c.x, 300);
    const size_t sounds = StartsOf("bragoHit1");
    Frame(0);
    EXPECT_EQ(m_game->GetLivesMeter()->GetAnimationId(), c.hitsAfter);
    EXPECT_EQ(m_game->GetState(), c.state);
    EXPECT_EQ(StartsOf("bragoHit1"), sounds + 1);
    // The obstacle is knocked away along its lane, out of the turtle's reach.
    EXPECT_EQ(turtle->GetAnimationId(), Obstacle::kKnocked);
    EXPECT_FALSE(Collides(*turtle));
    if (c.state != Game7Node::HIT) continue;
    EXPECT_EQ(Turtle().GetAnimationId(), 6u);
    EXPECT_FALSE(Collides(Turtle()));
    EXPECT_FLOAT_EQ(Turtle().GetSpeed(), S() + 100.0f);
    Frame(5);
    Frame(5);
    const float dx = Turtle().GetX() - c.x;
    ASSERT_LT(dx, 0.0f);
    EXPECT_NEAR((Turtle().GetY() - 300.0f) / dx, c.slope, 0.01f);
    // Recovered when the hit's animation ends: back to play, collision on (the pointer waits where the
    // knock-back ends, so the turtle then idles).
    Point(static_cast<int>(Turtle().GetX()), static_cast<int>(Turtle().GetY()));
    ASSERT_TRUE(RunUntil([&] { return m_game->GetState() != Game7Node::HIT; }, 400, 10));
    EXPECT_TRUE(Collides(Turtle()));
  }
}

TEST_F(Game7Play, TheFifthHitSweepsTheTurtleOffAndRestartsTheLevelWithTheScoreCleared) {
  OnlyTraffic({{"numTurtles", 1}, {"numGoodie1", 1}});
  QuietTimers();
  StartPlaying(3);
  m_game->GetPointsDisplay()->m_score = 400;
  m_game->GetLivesMeter()->SetAnimation(4, 0);
  PlaceTurtle(300, 300);
  Launch(*FirstOfKind(1), 300, 300);
  Frame(0);
  EXPECT_EQ(m_game->GetLivesMeter()->GetAnimationId(), 5u);
  EXPECT_EQ(m_game->GetState(), Game7Node::KNOCKED_OUT);
  EXPECT_EQ(StartsOf("bragoEndLevel"), 1u);
  EXPECT_EQ(StartsOf("3449"), 1u);
  const uint32_t sweep = Turtle().GetAnimationId();
  EXPECT_TRUE(sweep == 7u || sweep == 8u) << sweep;
  EXPECT_FLOAT_EQ(Turtle().GetSpeed(), S() + 100.0f);
  EXPECT_EQ(m_game->GetScore(), 400 + 5);
  // A shell in the way on the sweep scores nothing; the turtle takes no further hit.
  Obstacle* shell = FirstOfKind(8);
  Frame(50);
  Launch(*shell, Turtle().GetX(), Turtle().GetY());
  Frame(0);
  EXPECT_EQ(m_game->GetScore(), 405);
  EXPECT_EQ(shell->GetAnimationId(), Obstacle::kKnocked);
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game7Node::START_LEVEL; }, 600, 10));
  EXPECT_NEAR(Turtle().GetX(), 200.0f, 0.01f);  // back at the start
  EXPECT_EQ(m_game->GetScore(), 0);
  EXPECT_EQ(m_game->GetLivesMeter()->GetAnimationId(), 0u);
  EXPECT_EQ(m_game->GetLevelIndex(), 2);
  EXPECT_EQ(Game7Entry().highScore, 0u);
}

TEST_F(Game7Play, OutsidePlayNoHitIsTakenAndNoVortexReached) {
  OnlyTraffic({{"numTurtles", 1}});
  QuietTimers();
  StartPlaying();
  for (const int32_t state : {Game7Node::KNOCKED_OUT, Game7Node::GAME_OVER, Game7Node::START_LEVEL,
                              Game7Node::PLAYING_MOVIE}) {
    SCOPED_TRACE(state);
    HideAll();
    m_game->GetLivesMeter()->SetAnimation(0, 0);
    PlaceTurtle(300, 300, state);
    // Still on the move, so a knocked-out turtle is not yet swept off.
    Turtle().MoveToward(-75.0f, 300.0f, 1.0f + 10.0f);
    m_game->GetVortex()->SetPosition(300, 300);
    Launch(*FirstOfKind(1), 300, 300);
    Frame(0);
    EXPECT_EQ(m_game->GetState(), state);
    EXPECT_EQ(m_game->GetLivesMeter()->GetAnimationId(), 0u);
    EXPECT_EQ(Game7Entry().gameFlag, 0);
  }
}

// ---------------------------------------------------------------------------------------------
// The vortex

TEST_F(Game7Play, SwimmingIntoTheVortexWinsAndTheVortexCatchesTheTraffic) {
  OnlyTraffic({{"numTurtles", 1}, {"numGoodie1", 1}});
  QuietTimers();
  StartPlaying(8);
  SpriteObject* vortex = m_game->GetVortex();
  // The vortex catches a shell, which vanishes at the left edge when its animation ends, and a turtle,
  // which stays where it stops.
  PlaceTurtle(600, 450);
  vortex->SetPosition(300, 200);
  Obstacle* shell = FirstOfKind(8);
  Obstacle* other = FirstOfKind(1);
  Launch(*shell, 300, 200);
  Frame(0);
  EXPECT_TRUE(shell->m_swallowed);
  EXPECT_EQ(shell->GetAnimationId(), Obstacle::kSwallowed);
  EXPECT_FALSE(Collides(*shell));
  ASSERT_TRUE(RunUntil([&] { return !Shown(shell); }, 400, 10));
  EXPECT_FLOAT_EQ(shell->GetX(), Obstacle::kLeftEdge);
  Launch(*other, 300, 200);
  other->MoveToward(280.0f, 200.0f, V());
  Frame(0);
  EXPECT_TRUE(other->m_swallowed);
  Frames(60);
  EXPECT_TRUE(Shown(other));
  EXPECT_EQ(other->GetAnimationId(), Obstacle::kSwallowed);
  EXPECT_EQ(m_game->GetScore(), 0);

  // Then the turtle swims into it.
  HideAll();
  PlaceTurtle(300, 200);
  Frame(0);
  EXPECT_EQ(m_game->GetState(), Game7Node::IN_VORTEX);
  EXPECT_EQ(Turtle().GetAnimationId(), 13u);
  EXPECT_EQ(m_game->GetScore(), 50);
  EXPECT_EQ(Game7Entry().gameFlag, 1);
  EXPECT_EQ(StartsOf("vortex"), 1u);
  EXPECT_FALSE(Collides(*vortex));
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game7Node::START_LEVEL; }, 400, 10));
  EXPECT_EQ(m_game->GetLevelIndex(), 8);
  // The next level's pool build hides what the vortex caught.
  EXPECT_FALSE(Shown(other));
  EXPECT_FALSE(other->m_swallowed);
}

TEST_F(Game7Play, ALevelWithoutTrafficCanStillBeWon) {
  OnlyTraffic({});
  StartPlaying();
  EXPECT_TRUE(m_game->GetObstacles().empty());
  m_game->ReleaseObstacle();
  m_game->AnimateObstacle();
  EXPECT_EQ(m_game->GetLastReleased(), nullptr);
  PlaceTurtle(300, 200);
  m_game->GetVortex()->SetPosition(300, 200);
  Frame(0);
  EXPECT_EQ(m_game->GetState(), Game7Node::IN_VORTEX);
}

// ---------------------------------------------------------------------------------------------
// Traffic

TEST_F(Game7Play, ThePoolHoldsEachLevelsCountsAndNeverShrinks) {
  // Level 1: 2 turtles, 1 grouper, 3 yellow shells; level 2: 1 turtle, 2 red shells.
  SetLevelLine("numTurtles", "numTurtles = 2, 1");
  SetLevelLine("numGroupers", "numGroupers = 1, 0");
  SetLevelLine("numGoodie1", "numGoodie1 = 3, 0");
  SetLevelLine("numGoodie3", "numGoodie3 = 0, 2");
  for (const char* key : {"numBabies", "numBoots", "numTires", "numCans", "numGoodie2"}) SetLevelLine(key, "");
  StartPlaying(1);
  const std::vector<int32_t> firstKinds = {1, 1, 6, 8, 8, 8};
  const auto& table = m_game->GetLevelTable()->m_pointValues;
  const auto& pool = m_game->GetObstacles();
  ASSERT_EQ(pool.size(), firstKinds.size());
  std::set<std::string> names;
  for (size_t i = 0; i < pool.size(); ++i) {
    EXPECT_EQ(pool[i]->m_kind, firstKinds[i]) << i;
    EXPECT_EQ(pool[i]->m_points, table[static_cast<size_t>(firstKinds[i])]) << i;
    EXPECT_FALSE(Shown(pool[i].get()));
    names.insert(pool[i]->GetName());
  }
  EXPECT_EQ(names, (std::set<std::string>{"Obstacle0", "Obstacle1", "Obstacle2", "Obstacle3", "Obstacle4",
                                          "Obstacle5"}));
  // A grouper wears one of three looks, drawn when it is made.
  EXPECT_STREQ(Obstacle::SpriteOf(6, 0), "Grouper1");
  EXPECT_STREQ(Obstacle::SpriteOf(6, 4), "Grouper2");
  EXPECT_STREQ(Obstacle::SpriteOf(6, 32765), "Grouper3");
  EXPECT_STREQ(Obstacle::SpriteOf(1, 2), "CollisionTurtle");
  EXPECT_STREQ(Obstacle::SpriteOf(10, 2), "shell_red");
  EXPECT_EQ(Obstacle::SpriteOf(7, 0), nullptr);
  // Level 2 adds only the red shells; the others made for level 1 stay.
  m_game->OnObjectClicked(m_game->FindObject("Sliderright"));
  ASSERT_EQ(pool.size(), 8u);
  EXPECT_EQ(pool[6]->m_kind, 10);
  EXPECT_EQ(pool[7]->m_kind, 10);
  EXPECT_STREQ(pool[7]->GetName(), "Obstacle7");
  // Back to level 1: nothing new.
  m_game->OnObjectClicked(m_game->FindObject("Sliderleft"));
  EXPECT_EQ(pool.size(), 8u);
}

TEST_F(Game7Play, ReleasesChangeLaneEveryTimeAndPreferAnotherKind) {
  OnlyTraffic({{"numTurtles", 2}, {"numBoots", 2}, {"numGoodie1", 2}});
  QuietTimers();
  StartPlaying();
  const auto& lanes = m_game->GetLevelTable()->m_laneY;
  float lastLane = -1.0f;
  int32_t lastKind = -1;
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    HideAll();
    m_game->ReleaseObstacle();
    Obstacle* released = m_game->GetLastReleased();
    ASSERT_NE(released, nullptr);
    EXPECT_TRUE(Shown(released));
    EXPECT_NE(std::find(lanes.begin(), lanes.end(), released->m_laneY), lanes.end());
    EXPECT_NE(released->m_laneY, lastLane);
    EXPECT_NE(released->m_kind, lastKind);
    lastLane = released->m_laneY;
    lastKind = released->m_kind;
  }
  // Until none is hidden: six releases, then the seventh lets the chance pass.
  HideAll();
  std::set<Obstacle*> released;
  for (int i = 0; i < 6; ++i) {
    m_game->ReleaseObstacle();
    released.insert(m_game->GetLastReleased());
  }
  EXPECT_EQ(released.size(), 6u);
  Obstacle* last = m_game->GetLastReleased();
  const float x = last->GetX();
  m_game->ReleaseObstacle();
  EXPECT_EQ(m_game->GetLastReleased(), last);
  EXPECT_FLOAT_EQ(last->GetX(), x);
}

TEST_F(Game7Play, LanesOfOneHeightAreTakenWithoutEndlessDraws) {
  OnlyTraffic({{"numBoots", 3}});
  QuietTimers();
  SetLevelLine("PossibleYPositions", "PossibleYPositions = 250, 250, 250, 250, 250");
  StartPlaying();
  for (int i = 0; i < 3; ++i) {
    m_game->ReleaseObstacle();
    EXPECT_FLOAT_EQ(m_game->GetLastReleased()->m_laneY, 250.0f);
  }
}

TEST_F(Game7Play, TurtlesAndGroupersComeFromTheLeftOnlyFromLevelElevenOn) {
  OnlyTraffic({{"numTurtles", 1}, {"numBabies", 1}, {"numBoots", 1}, {"numTires", 1}, {"numCans", 1},
               {"numGroupers", 1}, {"numGoodie2", 1}});
  QuietTimers();
  struct Case {
    uint32_t level;
    bool leftAllowed;
  };
  const Case cases[] = {{1, false}, {10, false}, {11, true}, {20, true}};
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    ASSERT_TRUE(ReplayAt(c.level));
    std::map<int32_t, int> fromLeft;
    std::map<int32_t, int> releases;
    for (int round = 0; round < 700; ++round) {
      HideAll();
      m_game->ReleaseObstacle();
      const Obstacle& o = *m_game->GetLastReleased();
      ++releases[o.m_kind];
      EXPECT_EQ(o.GetAnimationId(), Obstacle::kEntering);
      EXPECT_TRUE(Collides(o));
      EXPECT_EQ(o.GetZ(), 200);
      const float speed = o.GetSpeed() - V();
      if (o.m_startX == Obstacle::kLeftEdge) {
        ++fromLeft[o.m_kind];
        EXPECT_FLOAT_EQ(o.GetX(), -75.0f);
        EXPECT_FLOAT_EQ(o.m_targetX, 850.0f);
        EXPECT_FLOAT_EQ(o.m_targetY, o.m_laneY - 5.0f);
        EXPECT_FLOAT_EQ(speed, 0.0f);
      } else {
        EXPECT_FLOAT_EQ(o.m_startX, 850.0f);
        EXPECT_FLOAT_EQ(o.GetX(), 850.0f);
        EXPECT_FLOAT_EQ(o.m_targetX, -75.0f);
        EXPECT_FLOAT_EQ(o.m_targetY, o.m_laneY + 5.0f);
        const float low = o.m_kind == 2 ? 35.0f : 0.0f;
        const float high = o.m_kind == 2 ? 44.0f : o.m_kind == 1 || o.m_kind == 6 ? 9.0f : 4.0f;
        EXPECT_GE(speed, low) << o.m_kind;
        EXPECT_LE(speed, high) << o.m_kind;
      }
    }
    for (const auto& [kind, count] : releases) {
      SCOPED_TRACE(kind);
      const bool eitherSide = kind == 1 || kind == 2 || kind == 6;
      if (c.leftAllowed && eitherSide) {
        // Three times in seven.
        EXPECT_NEAR(static_cast<double>(fromLeft[kind]) / count, 3.0 / 7.0, 0.15);
      } else {
        EXPECT_EQ(fromLeft[kind], 0);
      }
    }
  }
}

TEST_F(Game7Play, TurtlesSwerveOffTheirLaneOneTimeInFourThenInTwo) {
  OnlyTraffic({{"numTurtles", 1}, {"numBoots", 1}});
  QuietTimers();
  struct Case {
    uint32_t level;
    double share;
  };
  const Case cases[] = {{1, 0.25}, {11, 0.5}};
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    ASSERT_TRUE(ReplayAt(c.level));
    Obstacle* turtle = FirstOfKind(1);
    Obstacle* boot = FirstOfKind(3);
    // The animation timer picks a swimming one: a boot only flourishes; a turtle may start a swerve.
    int starts = 0;
    for (int round = 0; round < 200; ++round) {
      HideAll();
      Launch(*boot, 400, 300);
      m_game->AnimateObstacle();
      EXPECT_EQ(boot->GetAnimationId(), Obstacle::kFlourish);
      HideAll();
      Launch(*turtle, 400, 300);
      turtle->m_deflected = false;
      m_game->AnimateObstacle();
      const uint32_t animation = turtle->GetAnimationId();
      EXPECT_TRUE(animation == Obstacle::kFlourish || animation == Obstacle::kSwerving);
      EXPECT_EQ(turtle->m_deflected, animation == Obstacle::kSwerving);
      starts += animation == Obstacle::kSwerving;
    }
    EXPECT_NEAR(starts / 200.0, 0.25, 0.1);
    // The swerve's first part ends: taken, the turtle leaves its lane for the left edge, turning down
    // when it was heading left and up when heading right.
    int taken = 0;
    for (int round = 0; round < 200; ++round) {
      const bool headingLeft = round % 2 == 0;
      HideAll();
      Launch(*turtle, 400, 300);
      if (!headingLeft) {
        turtle->m_targetX = Obstacle::kRightEdge;
        turtle->m_targetY = 295.0f;
      }
      const float targetY = turtle->m_targetY;
      turtle->SetAnimation(Obstacle::kSwerving, 0);
      m_game->OnAnimationEnded(turtle);
      if (turtle->GetAnimationId() == Obstacle::kKnocked) {
        ++taken;
        EXPECT_FLOAT_EQ(turtle->m_targetY, targetY + (headingLeft ? 150.0f : -150.0f));
        EXPECT_FLOAT_EQ(turtle->m_targetX, -75.0f);
        EXPECT_FLOAT_EQ(turtle->GetSpeed(), V() + 150.0f);
      } else {
        EXPECT_EQ(turtle->GetAnimationId(), Obstacle::kSwim);
        EXPECT_FLOAT_EQ(turtle->m_targetY, targetY);
        EXPECT_FLOAT_EQ(turtle->GetSpeed(), V());
      }
    }
    EXPECT_NEAR(taken / 200.0, c.share, 0.1);
  }
}

TEST_F(Game7Play, StoppedObstaclesLeaveOrAreCarriedOffAndKnockedOnesBounce) {
  OnlyTraffic({{"numTurtles", 2}, {"numGoodie1", 2}});
  QuietTimers();
  StartPlaying();
  PlaceTurtle(600, 500);
  Obstacle* a = FirstOfKind(1);
  // Stopped on its lane: out of play.
  HideAll();
  Launch(*a, 300, 200);
  a->SetVelocity(0.0f, 0.0f);
  Frame(0);
  EXPECT_FALSE(Shown(a));
  EXPECT_FALSE(Collides(*a));
  // Stopped off its lane: the current carries it off to the left; past -70 it leaves.
  Launch(*a, 300, 200);
  a->SetVelocity(0.0f, 0.0f);
  a->m_deflected = true;
  Frame(0);
  EXPECT_TRUE(Shown(a));
  EXPECT_FLOAT_EQ(a->m_targetX, -75.0f);
  EXPECT_FLOAT_EQ(a->m_targetY, 195.0f);
  EXPECT_FLOAT_EQ(a->GetSpeed(), V() + 150.0f);
  a->SetPosition(-72.0f, 195.0f);
  a->SetVelocity(0.0f, 0.0f);
  Frame(0);
  EXPECT_FALSE(Shown(a));
  EXPECT_FALSE(a->m_deflected);

  // Two that touch: the first in pool order bounces, a little back when heading left and aside when
  // heading right; a shell loses its collision; at the right edge nothing bounces.
  struct Case {
    int32_t kind;
    float x;
    float targetX;
    bool bounces;
    float bounceX, bounceY;
    bool keepsCollision;
  };
  const Case cases[] = {
      {1, 400, -75, true, 425, 300, true},
      {1, 400, 850, true, 300, 400, true},
      {8, 400, -75, true, 425, 300, false},
      {1, 830, -75, false, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " at " + std::to_string(c.x));
    HideAll();
    std::vector<Obstacle*> pair;
    for (const auto& obstacle : m_game->GetObstacles()) {
      if (obstacle->m_kind == c.kind) pair.push_back(obstacle.get());
    }
    ASSERT_EQ(pair.size(), 2u);
    for (Obstacle* o : pair) {
      Launch(*o, c.x, 300);
      o->m_deflected = false;
      o->m_targetX = c.targetX;
      o->MoveToward(c.targetX, 305.0f, V());
    }
    Frame(0);
    Obstacle* first = pair[0];
    Obstacle* second = pair[1];
    // Whichever comes first in pool order is the one that bounced.
    const auto& pool = m_game->GetObstacles();
    const auto at = [&](Obstacle* o) {
      return std::find_if(pool.begin(), pool.end(), [&](const auto& p) { return p.get() == o; });
    };
    if (at(second) < at(first)) std::swap(first, second);
    EXPECT_EQ(first->m_deflected, c.bounces);
    if (!c.bounces) continue;
    EXPECT_EQ(first->GetAnimationId(), Obstacle::kKnocked);
    EXPECT_FLOAT_EQ(first->m_targetX, c.bounceX);
    EXPECT_FLOAT_EQ(first->m_targetY, c.bounceY);
    EXPECT_FLOAT_EQ(first->GetSpeed(), V() + 125.0f);
    EXPECT_EQ(Collides(*first), c.keepsCollision);
  }
}

TEST_F(Game7Play, EachKindScoresItsPointsPlaysItsSoundsAndOnlyObstaclesHurt) {
  OnlyTraffic({{"numTurtles", 1}, {"numBabies", 1}, {"numBoots", 1}, {"numTires", 1}, {"numCans", 1},
               {"numGroupers", 1}, {"numGoodie1", 1}, {"numGoodie2", 1}, {"numGoodie3", 1}});
  QuietTimers();
  StartPlaying();
  struct Case {
    int32_t kind;
    std::vector<std::string> sounds;
    bool harmful;
  };
  const Case cases[] = {
      {1, {"bragoHit1"}, true},
      {2, {"bragoHit1"}, true},
      {3, {"BragoHitBoot"}, true},
      {4, {"BragoHitTire"}, true},
      {5, {"BragoHitGrouper"}, true},
      {6, {"BragoHitGrouper", "BragoHitBoot"}, true},
      {8, {"goodiePickup"}, false},
      {9, {"goodiePickup"}, false},
      {10, {"goodiePickup"}, false},
  };
  const auto& points = m_game->GetLevelTable()->m_pointValues;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    HideAll();
    m_game->GetLivesMeter()->SetAnimation(0, 0);
    m_game->GetPointsDisplay()->m_score = 1000;
    PlaceTurtle(300, 300);
    Obstacle* o = FirstOfKind(c.kind);
    ASSERT_NE(o, nullptr);
    Launch(*o, 300, 300);
    std::map<std::string, size_t> before;
    for (const char* name : {"bragoHit1", "BragoHitBoot", "BragoHitTire", "BragoHitGrouper", "goodiePickup"})
      before[name] = StartsOf(name);
    Frame(0);
    EXPECT_EQ(m_game->GetScore(), 1000 + points[static_cast<size_t>(c.kind)]);
    for (const auto& [name, count] : before) {
      const size_t expected = std::count(c.sounds.begin(), c.sounds.end(), name);
      EXPECT_EQ(StartsOf(name), count + expected) << name;
    }
    EXPECT_EQ(m_game->GetLivesMeter()->GetAnimationId(), c.harmful ? 1u : 0u);
    EXPECT_EQ(m_game->GetState(), c.harmful ? Game7Node::HIT : Game7Node::IDLE);
    // Knocked off to the left along its lane.
    EXPECT_EQ(o->GetAnimationId(), Obstacle::kKnocked);
    EXPECT_FALSE(Collides(*o));
    EXPECT_FLOAT_EQ(o->GetSpeed(), V() + 125.0f);
    // The score display follows.
    EXPECT_EQ(Object("PointsThousandsNum")->GetAnimationId(), 1u);
    m_game->SetState(Game7Node::IDLE);
    Turtle().EnableCollision();
  }
}

}  // namespace
