// A node that writes every call of the node manager and every input event into one log, and can
// ask for the next node from its update: the node of the tests of switching and the frame's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/GameNode.h"
#include "framework/InputEventInfo.h"
#include "support/NodeContent.h"

namespace test {

// The log that every logging node writes to, in call order.
std::vector<std::string>& NodeLog();

// Input event id and its data as a log line ("down 65", "mouse 6 button 1 at 10,20").
std::string DescribeInput(int id, const InputEventInfo& info);

// NodeSprites comes first, so that the sprites every node loads are there for GameNode.
class LoggingNode : private NodeSprites, public GameNode {
public:
  explicit LoggingNode(int32_t id);
  ~LoggingNode() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void UpdateAlways() override;
  void HandleEvent(int kind, int id, void* data) override;

  // The current node requests this node id in its next update, once.
  static void RequestInNextUpdate(int32_t id);
  // A node factory of these nodes: none for the id of no node.
  static GameNode* Create(int32_t id);

private:
  std::string m_id;
};

}  // namespace test
