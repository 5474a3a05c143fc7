// One of the ride's obstacles or shells.
#include "game7/Game7Obstacles.h"

#include "framework/SpriteObject.h"

Game7Node::Obstacles::Obstacles(const char* objectName, const char* spriteName)
    : Ambient(objectName, spriteName, SpriteObject::kClockGame) {}

Game7Node::Obstacles::~Obstacles() = default;

const char* Game7Node::Obstacles::SpriteOf(int32_t kind, int32_t draw) {
  switch (kind) {
    case 1:
      return "CollisionTurtle";
    case 2:
      return "SkivTurtle";
    case 3:
      return "Humbo";
    case 4:
      return "Crab";
    case 5:
      return "School_Grouper";
    case 6: {
      static constexpr const char* kGroupers[] = {"Grouper1", "Grouper2", "Grouper3"};
      return kGroupers[draw % 3];
    }
    case 8:
      return "shell_yellow";
    case 9:
      return "shell_green";
    case 10:
      return "shell_red";
    default:
      return nullptr;
  }
}
