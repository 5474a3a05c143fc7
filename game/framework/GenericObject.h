// The game object: a position with depth and motion, shown by an engine scene object that it places.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "core/Box3.h"
#include "core/Point2.h"
#include "core/Point3.h"
#include "framework/InputEventInfo.h"

namespace Qel {
class SceneObject;
class SceneObjectGroup;
}  // namespace Qel

// Nodes, HUDs and overlays own their objects and list them in an ObjectList, which hands them
// input and the per-frame update. The scene object may be missing (until a subclass sets one);
// every operation then changes only the object's own fields.
class GenericObject {
public:
  GenericObject();
  // Takes the scene object out of the group that holds it.
  virtual ~GenericObject();
  GenericObject(const GenericObject&) = delete;
  GenericObject& operator=(const GenericObject&) = delete;

  // One key = value pair of an object-definition file; keys are compared without regard to case.
  // Each class hands the pair to its base first, then looks at its own keys, so every level sees
  // it. Here: "x", "y", "z", "vx", "vy", "anchorx", "anchory" and "collision".
  virtual void SetProperty(const char* key, const char* value);
  // Whether the pointer over this object should show its own cursor.
  virtual bool IsActive();
  // Screen pixels.
  virtual bool HitTest(int32_t x, int32_t y);
  // Input handlers answer whether they took the input, which ends its broadcast.
  virtual bool OnLeftButtonDown(const InputEventInfo& input);
  virtual bool OnLeftButtonUp(const InputEventInfo& input);
  virtual bool OnRightButtonDown(const InputEventInfo& input);
  virtual bool OnRightButtonUp(const InputEventInfo& input);
  virtual bool OnChar(uint16_t code);
  virtual bool OnKeyUp(uint16_t code);
  virtual bool OnKeyDown(uint16_t code);
  // The motion step on the game clock, once a frame; an arrival at the move target posts
  // 101/10101 with the object.
  virtual void Update();

  // Each of these places the scene object at once.
  void SetPosition(float x, float y);
  void SetPositionAndZ(float x, float y, int32_t z);
  void SetZ(int32_t z);
  void MoveBy(float dx, float dy);
  // The position rounded half up to whole pixels; a position beyond the scene's range is held at
  // its end and one that is not a number stands at 0.
  void UpdateScenePosition();

  // The offset of the scene object's origin.
  void SetAnchor(int32_t ax, int32_t ay);
  void SetAnchorPoint(const Qel::Point2& anchor);
  // Half the scene object's bounds, rounded down.
  void CenterAnchor();
  Qel::Point2 GetAnchor() const;

  // Pixels per second; ends a move toward a target.
  void SetVelocity(float vx, float vy);
  // Steers toward the point at the speed from the next update on; arriving within 2 pixels
  // stops the object.
  void MoveToward(float tx, float ty, float speed);
  float DistanceTo(float px, float py) const;
  bool IsWithin(float px, float py, float radius) const;

  // Screen coordinates: the world's scroll offset is added.
  Qel::Point3 GetWorldPosition() const;
  void GetWorldBounds(Qel::Box3& out) const;

  // Collision boxes are the bounds at the time collision is turned on.
  void EnableCollision();
  void DisableCollision();
  bool GetCollisions(std::list<Qel::SceneObject*>& out);
  bool CollidesWith(const GenericObject& other);

  // Joins the group; the next update starts the motion clock afresh.
  void AttachToGroup(const std::shared_ptr<Qel::SceneObjectGroup>& group);

  // The scene object's name; empty without one.
  const char* GetName() const;
  const std::shared_ptr<Qel::SceneObject>& GetSceneObject() const { return m_sceneObject; }

  float GetX() const { return m_x; }
  float GetY() const { return m_y; }
  int32_t GetZ() const { return m_z; }
  float GetVelocityX() const { return m_vx; }
  float GetVelocityY() const { return m_vy; }
  float GetSpeed() const { return m_speed; }
  float GetHeading() const { return m_heading; }
  bool IsMovingToTarget() const { return m_targetMode; }

protected:
  // Placed at the current position and depth.
  void SetSceneObject(std::shared_ptr<Qel::SceneObject> sceneObject);

private:
  void Steer();

  float m_vx = 0.0f;
  float m_vy = 0.0f;
  float m_speed = 0.0f;
  float m_heading = 0.0f;
  float m_targetX = 0.0f;
  float m_targetY = 0.0f;
  bool m_targetMode = false;
  // The game clock wraps, so the last time is kept with a flag instead of a -1 that a running
  // clock can reach.
  bool m_hasLastUpdate = false;
  uint32_t m_lastUpdateTime = 0;
  float m_x = 0.0f;
  float m_y = 0.0f;
  int32_t m_z = 0;
  std::shared_ptr<Qel::SceneObject> m_sceneObject;
};

// Shows or hides the object's scene object; nothing for no object or one without a scene object.
void SetShown(GenericObject* object, bool shown);
