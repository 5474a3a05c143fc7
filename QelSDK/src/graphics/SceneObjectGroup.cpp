// An inner node of the scene tree.
#include "graphics/SceneObjectGroup.h"

#include <atomic>
#include <vector>

#include "graphics/ISceneVisitor.h"

namespace Qel {

namespace {

// Lives for the process and only grows, so automatic names are never reused.
std::atomic<uint32_t> sAutomaticNameCounter{0};

bool IsReservedName(const std::string& name) {
  return name.size() >= 3 && name[0] == '_';
}

}  // namespace

SceneObjectGroup::~SceneObjectGroup() {
  RemoveAllChildren();
}

void SceneObjectGroup::ComputeLocalBounds(Box3& out) const {
  out.Clear();
  // A child is visible when it is shown and this group is visible: ask the ancestors once.
  if (!IsVisible()) return;
  for (const auto& [name, child] : m_children) {
    if (!child->IsShown()) continue;
    Box3 bounds;
    child->GetParentBounds(bounds);
    out |= bounds;
  }
}

void SceneObjectGroup::GetScreenBounds(Box3& out) const {
  out.Clear();
  if (!IsVisible()) return;
  for (const auto& [name, child] : m_children) {
    if (!child->IsShown()) continue;
    Box3 bounds;
    child->GetCachedScreenBounds(bounds);
    out |= bounds;
  }
}

bool SceneObjectGroup::TestCollision(const CollisionBoundsPtr& probe, std::list<SceneObject*>& results,
                                     const SceneObject* skip) {
  if (IsCollisionEnabled()) return SceneObject::TestCollision(probe, results, skip);
  for (const auto& [name, child] : m_children) child->TestCollision(probe, results, skip);
  return !results.empty();
}

void SceneObjectGroup::AddChild(std::shared_ptr<SceneObject> child) {
  if (!child || child->GetParent() == this) return;
  // A group inside itself would own itself and make every walk up the tree endless.
  if (IsSelfOrAncestor(child.get())) return;
  std::string name = child->GetName();
  if (IsReservedName(name)) name.clear();
  if (name.empty()) {
    // A short name such as "_7" may be given by hand; an automatic name passes over it rather than
    // leave the child out.
    do {
      name.assign(1, '_');
      name += std::to_string(++sAutomaticNameCounter);
    } while (m_children.count(name) != 0);
  }
  if (m_children.count(name) != 0) return;
  if (SceneObjectGroup* oldParent = child->GetParent()) oldParent->RemoveChild(child->GetName());
  child->m_name = name;
  child->SetParent(this);
  m_children.emplace(name, std::move(child));
  SetBoundsDirty(true);
}

bool SceneObjectGroup::RemoveChild(const std::string& name) {
  auto entry = m_children.find(name);
  if (entry == m_children.end()) return false;
  // The entry's reference may be the last one: take it out before the child can go.
  std::shared_ptr<SceneObject> child = std::move(entry->second);
  m_children.erase(entry);
  child->SetParent(nullptr);
  SetBoundsDirty(true);
  return true;
}

void SceneObjectGroup::RemoveAllChildren() {
  if (m_children.empty()) return;
  ChildMap children;
  children.swap(m_children);
  for (const auto& [name, child] : children) child->SetParent(nullptr);
  SetBoundsDirty(true);
}

std::shared_ptr<SceneObject> SceneObjectGroup::FindChild(const std::string& name) const {
  auto entry = m_children.find(name);
  return entry == m_children.end() ? nullptr : entry->second;
}

void SceneObjectGroup::Accept(ISceneVisitor& visitor) {
  visitor.VisitGroup(*this);
}

void SceneObjectGroup::AcceptChildren(ISceneVisitor& visitor) {
  // A visitor may add or remove children: walk a snapshot that also keeps each child alive.
  std::vector<std::shared_ptr<SceneObject>> children;
  children.reserve(m_children.size());
  for (const auto& [name, child] : m_children) children.push_back(child);
  for (const auto& child : children) {
    child->AcceptChildren(visitor);
    child->Accept(visitor);
  }
}

bool SceneObjectGroup::CollectDrawables(const Box3& clip, DrawList& list) {
  Box3 bounds;
  GetCachedScreenBounds(bounds);
  if ((bounds & clip).IsEmpty()) return false;
  for (const auto& [name, child] : m_children) child->DrawPrepared(clip, list);
  return false;
}

void SceneObjectGroup::PrepareScreenCache() {
  m_screenBounds.Clear();
  if (IsVisible()) {
    for (const auto& [name, child] : m_children) {
      if (!child->IsShown()) continue;
      child->PrepareScreenCache();
      m_screenBounds |= child->m_screenBounds;
    }
  }
  GetDrawWorldPosition(m_screenPosition);
  PointToScreen(m_screenPosition);
}

void SceneObjectGroup::MarkSubtreeBoundsDirty() const {
  SceneObject::MarkSubtreeBoundsDirty();
  for (const auto& [name, child] : m_children) child->MarkSubtreeBoundsDirty();
}

bool SceneObjectGroup::IsSelfOrAncestor(const SceneObject* object) const {
  for (const SceneObject* up = this; up != nullptr; up = up->GetParent()) {
    if (up == object) return true;
  }
  return false;
}

void SceneObjectGroup::RestartAutomaticNamesForTesting() {
  sAutomaticNameCounter = 0;
}

}  // namespace Qel
