// A stage for objects that join the node manager's current node by themselves: the object stage's
// display, sprites and hand-moved clocks, sound files, and a current node of the test's own that
// logs the character events reaching it.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "framework/GameNode.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"
#include "support/SoundStage.h"

namespace test {

class CharacterEventNode : private NodeSprites, public GameNode {
public:
  void OnSpeechEvent(int id, void* data) override { speech.emplace_back(id, data); }

  // Any id but that of no node builds one.
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new CharacterEventNode(); }

  std::vector<std::pair<int, void*>> speech;
};

class CurrentNodeStage {
public:
  CurrentNodeStage() {
    ProvideNodeSprites();
    NodeManager::Instance().SetNodeFactoryForTesting(CharacterEventNode::Create);
    SwitchTo(kNodeHub);
  }
  ~CurrentNodeStage() {
    NodeManager::Instance().Shutdown();
    NodeManager::Instance().SetNodeFactoryForTesting(nullptr);
  }
  CurrentNodeStage(const CurrentNodeStage&) = delete;
  CurrentNodeStage& operator=(const CurrentNodeStage&) = delete;

  // The old node is deactivated and deleted, then a new one is built and activated.
  void SwitchTo(int32_t id) {
    NodeManager::Instance().RequestNode(id);
    NodeManager::Instance().SwitchNode();
  }
  CharacterEventNode* Node() const {
    return dynamic_cast<CharacterEventNode*>(NodeManager::Instance().GetCurrentNode());
  }
  // One frame: the clocks move on and the periodicals run, then the node updates.
  void Frame(uint32_t ms) {
    ObjectStage::Tick(ms);
    if (CharacterEventNode* node = Node()) node->Update();
  }

  ObjectStage objects;
  SoundStage sounds;
  ObjectEventLog events;
};

}  // namespace test
