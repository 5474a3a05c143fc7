// The swim game's items: collectibles, power-ups, obstacles and bubble walls (Game6Item), kelp with
// its front part (Game6Kelp), water spouts that spray now and then (Game6WaterSpout) and scallops
// (Game6Scallop).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Ambient.h"
#include "game6/Game6Node.h"

class Game6Node::Game6Item : public Ambient {
public:
  // What an item record's kind word holds.
  enum Kind : int32_t {
    kScallop = 0,
    kOrange = 1,
    kBlue = 2,
    kShield = 3,
    kWatch = 4,
    kFin = 5,
    kFirstObstacle = 6,
    kLastObstacle = 11,
    kFirstBubbleWall = 12,
    kLastBubbleWall = 14,
    kKelp = 15,
    kFirstGroundSpout = 16,
    kLastGroundSpout = 17,
    kFirstCeilingSpout = 18,
    kLastCeilingSpout = 19,
    kKindCount = 20,
  };
  static bool IsObstacle(int32_t kind) { return kind >= kFirstObstacle && kind <= kLastObstacle; }
  static bool IsBubbleWall(int32_t kind) { return kind >= kFirstBubbleWall && kind <= kLastBubbleWall; }
  static bool IsSpout(int32_t kind) { return kind >= kFirstGroundSpout && kind <= kLastCeilingSpout; }
  static bool IsGroundSpout(int32_t kind) { return kind >= kFirstGroundSpout && kind <= kLastGroundSpout; }
  // Scallops and the orange and blue collectibles stay in the level once taken, showing it.
  static bool IsCollectible(int32_t kind) { return kind >= kScallop && kind <= kBlue; }

  // Throws as SpriteObject does when the sprite cannot be loaded.
  Game6Item(const char* objectName, const char* spriteName, int clockKind);

  // Items stand where the level put them: no motion.
  void Update() override;

  void SetKind(int32_t kind) { m_kind = kind; }
  int32_t GetKind() const { return m_kind; }

private:
  int32_t m_kind = 0;
};

class Game6Node::Game6Scallop : public Game6Node::Game6Item {
public:
  using Game6Item::Game6Item;
};

// The back part is the item itself; the front part, drawn in front of the fish, is owned here but
// added to and removed from the node by the node.
class Game6Node::Game6Kelp : public Game6Node::Game6Item {
public:
  // The front part is named after the kelp with " - Front".
  Game6Kelp(const char* objectName, const char* backSprite, const char* frontSprite, int clockKind);
  ~Game6Kelp() override;

  Ambient* GetFront() const { return m_front.get(); }
  // Back and front alike.
  void ShowAnimation(uint32_t animation);

private:
  std::unique_ptr<Ambient> m_front;
};

class Game6Node::Game6WaterSpout : public Game6Node::Game6Item {
public:
  // The spout's sprite animation while it sprays; a spout pushes the fish only then.
  static constexpr uint32_t kSpraying = 2;

  using Game6Item::Game6Item;

  // Sprays once the next spray time has passed, then again a period later.
  void Update() override;
  virtual void SetNextSprayTime(int32_t time);
  virtual void SetSprayPeriod(int32_t period);

  int32_t GetNextSprayTime() const { return m_nextSprayTime; }
  int32_t GetSprayPeriod() const { return m_sprayPeriod; }
  bool IsSpraying() const { return GetAnimationId() == kSpraying; }

private:
  int32_t m_nextSprayTime = 0;
  int32_t m_sprayPeriod = 0;
};
