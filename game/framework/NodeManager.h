// The node manager: owns the one current node and switches to a requested node at a frame start.
#pragma once

#include <cstdint>

class GameNode;

class NodeManager {
public:
  // Builds the node of an id: NodeFactory::CreateNode in the game; tests put in their own.
  using CreateNodeFn = GameNode* (*)(int32_t id);

  static NodeManager& Instance();

  ~NodeManager();
  NodeManager(const NodeManager&) = delete;
  NodeManager& operator=(const NodeManager&) = delete;

  // Requesting the current id does nothing; a later request before the switch replaces an earlier one.
  // A request hides the mouse cursor until the new node shows it, so that nothing is under the pointer.
  void RequestNode(int32_t id);
  bool IsChangePending() const { return m_pending; }
  // The old node is deactivated and deleted before the new one is built, so two nodes never exist.
  // A factory that throws leaves no node and the request pending.
  void SwitchNode();
  // The node's Update unless the application is paused, then its UpdateAlways.
  void Update();
  // The node draws its scene.
  void Draw();
  // Deactivates and deletes the current node; the current id is then that of no node.
  void Shutdown();

  GameNode* GetCurrentNode() const { return m_node; }
  int32_t GetCurrentId() const { return m_currentId; }
  int32_t GetRequestedId() const { return m_requestedId; }
  int32_t GetPreviousId() const { return m_previousId; }
  // "No cur node" without a node.
  const char* GetCurrentNodeName() const;

  // Test seam: null restores NodeFactory::CreateNode.
  void SetNodeFactoryForTesting(CreateNodeFn factory);
  // Test seam: no node, no request and the game's factory, as a new process finds it.
  void ResetForTesting();

private:
  NodeManager();

  int32_t m_currentId = 0;
  int32_t m_requestedId = 0;
  int32_t m_previousId = 0;
  bool m_pending = false;
  GameNode* m_node = nullptr;
  CreateNodeFn m_createNode;
};
