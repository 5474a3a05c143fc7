// The root group of a scene.
#include "graphics/SceneWorld.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "graphics/ISceneVisitor.h"

namespace Qel {

namespace {

constexpr SceneWorld::Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Toward zero, as a cast would, but a value out of range is held at the range's end instead of
// being undefined.
int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  value = std::clamp(value, static_cast<double>(std::numeric_limits<int32_t>::min()),
                     static_cast<double>(std::numeric_limits<int32_t>::max()));
  return static_cast<int32_t>(value);
}

Point3 Project(double x, double y, double z, double w) {
  if (w != 0.0) {
    const double scale = 1.0 / w;
    x *= scale;
    y *= scale;
    z *= scale;
  }
  return Point3(TruncateToInt32(x), TruncateToInt32(y), TruncateToInt32(z));
}

// Calls convert on each of the eight corners and spans the results.
template <typename Convert>
void ConvertCorners(Box3& box, Convert convert) {
  const Point3& lo = box.Min();
  const Point3& hi = box.Max();
  Point3 first(lo);
  convert(first);
  int32_t minX = first.X(), minY = first.Y(), minZ = first.Z();
  int32_t maxX = minX, maxY = minY, maxZ = minZ;
  for (int corner = 1; corner < 8; ++corner) {
    Point3 p((corner & 1) ? hi.X() : lo.X(), (corner & 2) ? hi.Y() : lo.Y(), (corner & 4) ? hi.Z() : lo.Z());
    convert(p);
    minX = std::min(minX, p.X());
    minY = std::min(minY, p.Y());
    minZ = std::min(minZ, p.Z());
    maxX = std::max(maxX, p.X());
    maxY = std::max(maxY, p.Y());
    maxZ = std::max(maxZ, p.Z());
  }
  box.Set(minX, minY, minZ, maxX, maxY, maxZ);
}

}  // namespace

SceneWorld::SceneWorld() : m_projection(kIdentity), m_projectionIsIdentity(m_projection == kIdentity) {}

void SceneWorld::ComputeLocalBounds(Box3& out) const {
  SceneObjectGroup::ComputeLocalBounds(out);
  const Point3 lo = Forward(out.Min());
  const Point3 hi = Forward(out.Max());
  out.Set(lo.X(), lo.Y(), lo.Z(), hi.X(), hi.Y(), hi.Z());
}

void SceneWorld::PointToScreen(Point3& p) const {
  p = Forward(p);
  p += GetWorldPosition();
  SceneObjectGroup::PointToScreen(p);
}

void SceneWorld::BoxToScreen(Box3& box) const {
  ConvertCorners(box, [this](Point3& p) { PointToScreen(p); });
}

void SceneWorld::PointFromScreen(Point3& p) const {
  SceneObjectGroup::PointFromScreen(p);
  p -= GetWorldPosition();
  p = Backward(p);
}

void SceneWorld::BoxFromScreen(Box3& box) const {
  ConvertCorners(box, [this](Point3& p) { PointFromScreen(p); });
}

void SceneWorld::Accept(ISceneVisitor& visitor) {
  visitor.VisitWorld(*this);
}

void SceneWorld::SetChildWorldPosition(SceneObject& child, const Point3& world) {
  child.SetLocalPosition(world);
}

void SceneWorld::GetChildWorldPosition(Point3& out, const SceneObject& child) const {
  out = child.GetLocalPosition();
}

void SceneWorld::ComputeChildWorldPosition(const SceneObject& child, Point3& out) const {
  out = child.GetLocalPosition();
}

bool SceneWorld::FindCollisionsFor(const SceneObject& object, const Point3& offset,
                                   std::list<SceneObject*>& results) {
  CollisionBoundsPtr probe;
  object.GetWorldCollisionBounds(probe);
  probe.Offset(offset);
  return TestCollision(probe, results, &object);
}

Point3 SceneWorld::Forward(const Point3& p) const {
  if (m_projectionIsIdentity) return p;
  const Matrix& m = m_projection;
  const double x = p.X(), y = p.Y(), z = p.Z();
  return Project(x * m[0] + y * m[4] + z * m[8] + m[12], x * m[1] + y * m[5] + z * m[9] + m[13],
                 x * m[2] + y * m[6] + z * m[10] + m[14], x * m[3] + y * m[7] + z * m[11] + m[15]);
}

Point3 SceneWorld::Backward(const Point3& p) const {
  if (m_projectionIsIdentity) return p;
  const Matrix& m = m_projection;
  const double x = p.X(), y = p.Y(), z = p.Z();
  return Project(x * m[0] + y * m[1] + z * m[2] + m[3], x * m[4] + y * m[5] + z * m[6] + m[7],
                 x * m[8] + y * m[9] + z * m[10] + m[11], x * m[12] + y * m[13] + z * m[14] + m[15]);
}

}  // namespace Qel
