// One fish of the hub's cast.
#include "frontend/HubActor.h"

#include "framework/Player.h"

HubActor::HubActor() = default;

HubActor::~HubActor() = default;

void HubActor::SetSprites(Player* rightBody, Player* leftBody, Player* rightMouth, Player* leftMouth) {
  m_bodies = {rightBody, leftBody};
  m_mouths = {rightMouth, leftMouth};
}

void HubActor::MoveTo(float x, float y) {
  for (Player* sprite : {m_bodies[0], m_bodies[1], m_mouths[0], m_mouths[1]}) {
    if (sprite) sprite->SetPosition(x, y);
  }
}

Player* HubActor::GetBody(int32_t index) const {
  return index == 0 || index == 1 ? m_bodies[static_cast<size_t>(index)] : nullptr;
}

Player* HubActor::GetMouth(int32_t index) const {
  return index == 0 || index == 1 ? m_mouths[static_cast<size_t>(index)] : nullptr;
}
