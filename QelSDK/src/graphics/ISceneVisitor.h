// Double dispatch over the scene classes: Accept hands an object to the operation of its most derived class.
#pragma once

namespace Qel {

class SceneDrawable;
class SceneObjectGroup;
class SceneWorld;
class Sprite;
class StaticText;

class ISceneVisitor {
public:
  virtual ~ISceneVisitor() = default;

  virtual void VisitDrawable(SceneDrawable& drawable) = 0;
  virtual void VisitGroup(SceneObjectGroup& group) = 0;
  virtual void VisitSprite(Sprite& sprite) = 0;
  virtual void VisitStaticText(StaticText& text) = 0;
  virtual void VisitWorld(SceneWorld& world) = 0;
};

}  // namespace Qel
