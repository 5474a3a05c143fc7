// An inner node of the scene tree: holds its children by name, in byte-wise name order.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "graphics/SceneObject.h"

namespace Qel {

class SceneObjectGroup : public SceneObject {
public:
  using ChildMap = std::map<std::string, std::shared_ptr<SceneObject>>;

  SceneObjectGroup() = default;
  // Children that live on elsewhere are left without a parent.
  ~SceneObjectGroup() override;

  // The union of the parent-frame bounds of the visible children.
  void ComputeLocalBounds(Box3& out) const override;
  // The union of the screen bounds of the visible children.
  void GetScreenBounds(Box3& out) const override;

  // A group with collision enabled answers as one object with its own shape and hides its children.
  bool TestCollision(const CollisionBoundsPtr& probe, std::list<SceneObject*>& results,
                     const SceneObject* skip) override;

  // Moves the child here from any other group. Names of three or more characters that begin with
  // "_" are reserved for automatic names ("_1", "_2", ...), given also to unnamed children; an
  // automatic name already taken here is passed over. A child
  // whose name is taken here, or that is this group or one of its ancestors, is left where it was.
  void AddChild(std::shared_ptr<SceneObject> child) override;
  bool RemoveChild(const std::string& name) override;
  void RemoveAllChildren() override;
  std::shared_ptr<SceneObject> FindChild(const std::string& name) const override;

  void Accept(ISceneVisitor& visitor) override;
  // Depth first: each child's own children before the child.
  void AcceptChildren(ISceneVisitor& visitor) override;

  const ChildMap& GetChildren() const { return m_children; }

  // Test seam: automatic names count from "_1" again, as in a new process.
  static void RestartAutomaticNamesForTesting();

protected:
  // Nothing when the group's screen bounds miss the clip; else every child's step in name order.
  bool CollectDrawables(const Box3& clip, DrawList& list) override;

private:
  // The children's caches first, then the union of their bounds, as GetScreenBounds forms it.
  void PrepareScreenCache() override;
  void MarkSubtreeBoundsDirty() const override;
  bool IsSelfOrAncestor(const SceneObject* object) const;

  ChildMap m_children;
};

}  // namespace Qel
