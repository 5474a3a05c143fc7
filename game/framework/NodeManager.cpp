// The node manager: owns the one current node and switches to a requested node at a frame start.
#include "framework/NodeManager.h"

#include <memory>

#include "core/Trace.h"
#include "framework/GameNode.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/NodeFactory.h"
#include "framework/NodeId.h"

NodeManager& NodeManager::Instance() {
  static NodeManager manager;
  return manager;
}

NodeManager::NodeManager() : m_createNode(&NodeFactory::CreateNode) {
  // Made first, so that it is destroyed after this manager, whose last node takes the cursor out of
  // its scene at exit.
  MouseCursor::Instance();
}

NodeManager::~NodeManager() {
  Shutdown();
}

void NodeManager::RequestNode(int32_t id) {
  if (id == m_currentId) return;
  m_requestedId = id;
  m_pending = true;
  MouseCursor::Instance().Hide();
}

void NodeManager::SwitchNode() {
  m_previousId = m_currentId;
  Shutdown();
  m_node = m_createNode(m_requestedId);
  m_currentId = m_requestedId;
  if (m_node) {
    m_node->Activate();
    // After the activation, which names the node.
    Qel::Trace("INFO: Node %d (%s) active\n", static_cast<int>(m_currentId), m_node->GetName());
  }
  m_pending = false;
}

void NodeManager::Update() {
  if (!m_node) return;
  if (!GetApp().IsPaused()) m_node->Update();
  m_node->UpdateAlways();
}

void NodeManager::Draw() {
  if (m_node) m_node->Draw();
}

void NodeManager::Shutdown() {
  // Cleared first, so that nothing reached from the node finds it half gone.
  std::unique_ptr<GameNode> node(m_node);
  m_node = nullptr;
  if (node) node->Deactivate();
  // No node stands for the id any more, so that a later request for it, after the application's
  // shut-down and a new start-up, builds it again.
  m_currentId = kNodeNone;
}

const char* NodeManager::GetCurrentNodeName() const {
  return m_node ? m_node->GetName() : "No cur node";
}

void NodeManager::SetNodeFactoryForTesting(CreateNodeFn factory) {
  m_createNode = factory ? factory : &NodeFactory::CreateNode;
}

void NodeManager::ResetForTesting() {
  Shutdown();
  m_currentId = 0;
  m_requestedId = 0;
  m_previousId = 0;
  m_pending = false;
  m_createNode = &NodeFactory::CreateNode;
}
