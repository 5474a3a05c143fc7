// The game object: a position with depth and motion, shown by an engine scene object that it places.
#include "framework/GenericObject.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/ObjectList.h"
#include "framework/ValueTokenizer.h"
#include "graphics/CollisionBoundsPtr.h"
#include "graphics/CollisionBox.h"
#include "graphics/SceneObject.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/SceneWorld.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

constexpr float kArrivalRadius = 2.0f;

// Rounded half up, as the scene's whole pixels need; a coordinate beyond the scene's range is held
// at its end instead of being undefined, and one that is not a number stands at 0.
int32_t ToScenePixel(float value) {
  const double rounded = static_cast<double>(value) + 0.5;
  if (std::isnan(rounded)) return 0;
  return static_cast<int32_t>(std::clamp(rounded, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                         static_cast<double>(std::numeric_limits<int32_t>::max())));
}

// Values from files are finite doubles; a float holds only part of their range.
float ToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

float ReadFloat(const char* value) {
  ValueTokenizer tokens(value);
  return ToFloat(tokens.NextFloat());
}

int32_t ReadInt(const char* value) {
  ValueTokenizer tokens(value);
  return tokens.NextInt();
}

bool IsCenter(const char* value) {
  ValueTokenizer tokens(value);
  const char* token = tokens.NextToken();
  return token && plat::EqualsIgnoringCase(token, "center");
}

}  // namespace

GenericObject::GenericObject() = default;

GenericObject::~GenericObject() {
  if (!m_sceneObject) return;
  if (Qel::SceneObjectGroup* parent = m_sceneObject->GetParent())
    parent->RemoveChild(m_sceneObject->GetName());
  m_sceneObject.reset();
}

void GenericObject::SetProperty(const char* key, const char* value) {
  if (plat::EqualsIgnoringCase(key, "x")) {
    SetPosition(ReadFloat(value), m_y);
  } else if (plat::EqualsIgnoringCase(key, "y")) {
    SetPosition(m_x, ReadFloat(value));
  } else if (plat::EqualsIgnoringCase(key, "z")) {
    SetZ(ReadInt(value));
  } else if (plat::EqualsIgnoringCase(key, "vx")) {
    SetVelocity(ReadFloat(value), m_vy);
  } else if (plat::EqualsIgnoringCase(key, "vy")) {
    SetVelocity(m_vx, ReadFloat(value));
  } else if (plat::EqualsIgnoringCase(key, "anchorx")) {
    if (IsCenter(value)) {
      CenterAnchor();
    } else {
      SetAnchor(ReadInt(value), GetAnchor().Y());
    }
  } else if (plat::EqualsIgnoringCase(key, "anchory")) {
    if (IsCenter(value)) {
      CenterAnchor();
    } else {
      SetAnchor(GetAnchor().X(), ReadInt(value));
    }
  } else if (plat::EqualsIgnoringCase(key, "collision")) {
    ValueTokenizer tokens(value);
    const char* token = tokens.NextToken();
    if (token && plat::EqualsIgnoringCase(token, "on")) EnableCollision();
  }
}

bool GenericObject::IsActive() {
  return false;
}

bool GenericObject::HitTest(int32_t, int32_t) {
  return false;
}

bool GenericObject::OnLeftButtonDown(const InputEventInfo&) {
  return false;
}

bool GenericObject::OnLeftButtonUp(const InputEventInfo&) {
  return false;
}

bool GenericObject::OnRightButtonDown(const InputEventInfo&) {
  return false;
}

bool GenericObject::OnRightButtonUp(const InputEventInfo&) {
  return false;
}

bool GenericObject::OnChar(uint16_t) {
  return false;
}

bool GenericObject::OnKeyUp(uint16_t) {
  return false;
}

bool GenericObject::OnKeyDown(uint16_t) {
  return false;
}

void GenericObject::Update() {
  const uint32_t now = GameClock::Instance().GetLastTime();
  if (!m_hasLastUpdate) {
    m_hasLastUpdate = true;
    m_lastUpdateTime = now;
  }
  // The clock wraps: the difference is taken in unsigned arithmetic.
  const auto elapsed = static_cast<int32_t>(now - m_lastUpdateTime);
  if (elapsed <= 0) return;
  m_lastUpdateTime = now;
  const float seconds = static_cast<float>(elapsed) * 0.001f;
  MoveBy(m_vx * seconds, m_vy * seconds);
  if (!m_targetMode) return;
  Steer();
  if (!IsWithin(m_targetX, m_targetY, kArrivalRadius)) return;
  m_targetMode = false;
  SetVelocity(0.0f, 0.0f);
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectArrived, this);
}

void GenericObject::Steer() {
  const float heading = std::atan2(m_targetY - m_y, m_targetX - m_x);
  if (std::cos(heading - m_heading) >= 0.0f) {
    m_vx = std::cos(heading) * m_speed;
    m_vy = std::sin(heading) * m_speed;
    m_heading = heading;
    return;
  }
  // Passed the target: stand on it, so that the arrival test takes it at once.
  m_heading = heading;
  m_x = m_targetX;
  m_y = m_targetY;
}

void GenericObject::SetPosition(float x, float y) {
  m_x = x;
  m_y = y;
  UpdateScenePosition();
}

void GenericObject::SetPositionAndZ(float x, float y, int32_t z) {
  m_x = x;
  m_y = y;
  const bool moved = z != m_z;
  m_z = z;
  if (moved) ObjectList::DepthChanged(*this);
  UpdateScenePosition();
}

void GenericObject::SetZ(int32_t z) {
  const bool moved = z != m_z;
  m_z = z;
  // The lists that hold the object place later objects by the depth it has now.
  if (moved) ObjectList::DepthChanged(*this);
  UpdateScenePosition();
}

void GenericObject::MoveBy(float dx, float dy) {
  m_x += dx;
  m_y += dy;
  UpdateScenePosition();
}

void GenericObject::UpdateScenePosition() {
  if (m_sceneObject) m_sceneObject->SetWorldPosition(ToScenePixel(m_x), ToScenePixel(m_y), m_z);
}

void GenericObject::SetAnchor(int32_t ax, int32_t ay) {
  if (m_sceneObject) m_sceneObject->SetAnchor(Qel::Point3(ax, ay, 0));
}

void GenericObject::SetAnchorPoint(const Qel::Point2& anchor) {
  SetAnchor(anchor.X(), anchor.Y());
}

void GenericObject::CenterAnchor() {
  if (!m_sceneObject) return;
  Qel::Box3 bounds;
  m_sceneObject->GetBounds(bounds);
  SetAnchor(bounds.Width() / 2, bounds.Height() / 2);
}

Qel::Point2 GenericObject::GetAnchor() const {
  if (!m_sceneObject) return Qel::Point2();
  const Qel::Point3& anchor = m_sceneObject->GetAnchor();
  return Qel::Point2(anchor.X(), anchor.Y());
}

void GenericObject::SetVelocity(float vx, float vy) {
  m_vx = vx;
  m_vy = vy;
  m_speed = std::sqrt(vx * vx + vy * vy);
  m_targetMode = false;
}

void GenericObject::MoveToward(float tx, float ty, float speed) {
  m_heading = std::atan2(ty - m_y, tx - m_x);
  m_targetX = tx;
  m_targetY = ty;
  m_speed = speed;
  m_targetMode = true;
}

float GenericObject::DistanceTo(float px, float py) const {
  return std::hypot(px - m_x, py - m_y);
}

bool GenericObject::IsWithin(float px, float py, float radius) const {
  return DistanceTo(px, py) < radius;
}

namespace {
// The scroll offset of the world that holds the object; none outside a world.
Qel::Point3 WorldOffsetOf(Qel::SceneObject& object) {
  Qel::SceneWorld* world = object.GetWorld();
  return world && world != &object ? world->GetLocalPosition() : Qel::Point3();
}
}  // namespace

Qel::Point3 GenericObject::GetWorldPosition() const {
  if (!m_sceneObject) return Qel::Point3();
  return m_sceneObject->GetWorldPosition() + WorldOffsetOf(*m_sceneObject);
}

void GenericObject::GetWorldBounds(Qel::Box3& out) const {
  if (!m_sceneObject) {
    out.Clear();
    return;
  }
  m_sceneObject->GetWorldBounds(out);
  out += WorldOffsetOf(*m_sceneObject);
}

void GenericObject::EnableCollision() {
  if (!m_sceneObject) return;
  Qel::Box3 bounds;
  m_sceneObject->GetBounds(bounds);
  m_sceneObject->SetCollisionBounds(Qel::CollisionBoundsPtr(new Qel::CollisionBox(bounds, 0.0f)));
  m_sceneObject->EnableCollision();
}

void GenericObject::DisableCollision() {
  if (m_sceneObject) m_sceneObject->DisableCollision();
}

bool GenericObject::GetCollisions(std::list<Qel::SceneObject*>& out) {
  out.clear();
  return m_sceneObject && m_sceneObject->FindCollisions(out);
}

bool GenericObject::CollidesWith(const GenericObject& other) {
  if (!other.m_sceneObject) return false;
  std::list<Qel::SceneObject*> collisions;
  GetCollisions(collisions);
  return std::find(collisions.begin(), collisions.end(), other.m_sceneObject.get()) != collisions.end();
}

void GenericObject::AttachToGroup(const std::shared_ptr<Qel::SceneObjectGroup>& group) {
  if (group && m_sceneObject) group->AddChild(m_sceneObject);
  m_hasLastUpdate = false;
}

const char* GenericObject::GetName() const {
  return m_sceneObject ? m_sceneObject->GetName().c_str() : "";
}

void GenericObject::SetSceneObject(std::shared_ptr<Qel::SceneObject> sceneObject) {
  m_sceneObject = std::move(sceneObject);
  UpdateScenePosition();
}

void SetShown(GenericObject* object, bool shown) {
  if (!object || !object->GetSceneObject()) return;
  if (shown) {
    object->GetSceneObject()->Show();
  } else {
    object->GetSceneObject()->Hide();
  }
}
