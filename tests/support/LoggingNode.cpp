// A node that writes every call of the node manager and every input event into one log.
#include "support/LoggingNode.h"

#include <cstdio>

#include "framework/GameEvents.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "support/CaseState.h"

namespace test {

namespace {
int32_t gNextRequest = -1;
}

std::vector<std::string>& NodeLog() {
  // Never destroyed: the node manager deletes its last node at exit, and that node still logs.
  static auto* log = new std::vector<std::string>;
  return *log;
}

namespace {
// After the game's own resets, whose node shut-down still logs.
[[maybe_unused]] const bool kLogCleared = ResetAfterEachCase(CaseLayer::kLogs, [] {
  NodeLog().clear();
  gNextRequest = -1;
});
}  // namespace

std::string DescribeInput(int id, const InputEventInfo& info) {
  char text[64];
  switch (id) {
    case EventId::Char:
      std::snprintf(text, sizeof(text), "char %u", info.code);
      break;
    case EventId::KeyDown:
      std::snprintf(text, sizeof(text), "down %u", info.code);
      break;
    case EventId::KeyUp:
      std::snprintf(text, sizeof(text), "up %u", info.code);
      break;
    default:
      std::snprintf(text, sizeof(text), "mouse %d button %u at %d,%d", id, info.button, info.position.X(),
                    info.position.Y());
      break;
  }
  return text;
}

LoggingNode::LoggingNode(int32_t id) : m_id(std::to_string(id)) {
  SetName(("test node " + m_id).c_str());
  NodeLog().push_back("build " + m_id);
}

LoggingNode::~LoggingNode() {
  NodeLog().push_back("delete " + m_id);
}

void LoggingNode::Activate() {
  GameNode::Activate();
  NodeLog().push_back("activate " + m_id);
}

void LoggingNode::Deactivate() {
  GameNode::Deactivate();
  NodeLog().push_back("deactivate " + m_id);
}

void LoggingNode::Update() {
  GameNode::Update();
  NodeLog().push_back("update " + m_id);
  if (gNextRequest >= 0) NodeManager::Instance().RequestNode(gNextRequest);
  gNextRequest = -1;
}

void LoggingNode::UpdateAlways() {
  NodeLog().push_back("always " + m_id);
}

void LoggingNode::HandleEvent(int kind, int id, void* data) {
  if (kind == kEventInput) NodeLog().push_back(DescribeInput(id, *static_cast<InputEventInfo*>(data)));
}

void LoggingNode::RequestInNextUpdate(int32_t id) {
  gNextRequest = id;
}

GameNode* LoggingNode::Create(int32_t id) {
  return id == kNodeNone ? nullptr : new LoggingNode(id);
}

}  // namespace test
