// The cards and sand pictures of the memory game.
#include "game9/Game9Cards.h"

#include <memory>

#include "core/Box3.h"
#include "framework/MouseCursor.h"
#include "graphics/SceneObject.h"

Game9Node::Cards::Cards(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {}

Game9Node::Cards::~Cards() = default;

bool Game9Node::Cards::IsHit() {
  MouseCursor::Instance().GetPosition(m_pointer);
  const std::shared_ptr<Qel::SceneObject>& scene = GetSceneObject();
  if (!scene || !scene->IsVisible()) return false;
  Qel::Box3 bounds;
  GetWorldBounds(bounds);
  return m_pointer.X() >= bounds.Min().X() && m_pointer.X() <= bounds.Max().X() &&
         m_pointer.Y() >= bounds.Min().Y() && m_pointer.Y() <= bounds.Max().Y();
}

Game9Node::SandBackgrounds::SandBackgrounds(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {}

Game9Node::SandBackgrounds::~SandBackgrounds() = default;
