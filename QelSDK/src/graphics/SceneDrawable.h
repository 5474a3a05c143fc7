// A leaf of the scene tree that puts pixels on the screen; its subclasses say what and how big.
#pragma once

#include "graphics/SceneObject.h"

namespace Qel {

class SceneDrawable : public SceneObject {
public:
  // Derived from the screen bounds, so that it agrees with what is drawn.
  void GetParentBounds(Box3& out) const override;
  // The anchored local bounds at the screen position: the world places a drawable, it does not scale it.
  void GetScreenBounds(Box3& out) const override;

  void Accept(ISceneVisitor& visitor) override;

protected:
  // One entry for the part of the screen bounds inside the clip, when it is at least a pixel each way
  // and lies within the clip's depth range.
  bool CollectDrawables(const Box3& clip, DrawList& list) override;
};

}  // namespace Qel
