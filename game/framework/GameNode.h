// The game node: the base of every screen, room and mini-game, driven by the node manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/IEventListener.h"
#include "graphics/Scene.h"

// The node manager activates a node after building it, updates it every frame and deactivates it
// before deleting it. Event routing belongs to each node (HandleEvent).
class GameNode : public Qel::IEventListener {
public:
  static constexpr size_t kNameCapacity = 32;

  // Starts a new sprite loader, makes the node scene, whose world is named "Node scene", and puts the
  // mouse cursor into it, shown and enabled.
  GameNode();
  // Takes the mouse cursor out of the node scene, then lets go of the scene and the sprite loader.
  ~GameNode() override;
  GameNode(const GameNode&) = delete;
  GameNode& operator=(const GameNode&) = delete;

  // Subscribes to the application-state, game-object, character, input and sound events, shows the
  // node cursor kind, and resumes the application when a previous node left it paused.
  virtual void Activate();
  // Unsubscribes from the same event kinds.
  virtual void Deactivate();
  // Per frame while the application is not paused.
  virtual void Update();
  // Per frame, also while paused.
  virtual void UpdateAlways();

  // Draws the node scene onto the display's back buffer: the view box (0, 0, 0) to (800, 600, 10000)
  // at screen offset (0, 0); while a movie plays, the movie player draws its frame there instead.
  void Draw();

  // A longer name keeps its first 31 characters.
  void SetName(const char* name);
  const char* GetName() const { return m_name; }
  // GameClock time at the end of the last Update.
  uint32_t GetLastUpdateTime() const { return m_lastUpdateTime; }
  const std::shared_ptr<Qel::Scene>& GetScene() const { return m_scene; }
  // The cursor kind shown while the pointer is over nothing active.
  int32_t GetNodeCursorKind() const { return m_nodeCursorKind; }

protected:
  // Subclasses choose it before activation.
  void SetNodeCursorKind(int32_t kind) { m_nodeCursorKind = kind; }

private:
  char m_name[kNameCapacity] = "Unnamed Node";
  std::shared_ptr<Qel::Scene> m_scene;
  uint32_t m_lastUpdateTime = 0;
  int32_t m_nodeCursorKind = 0;
};
