// Node ids, the node factory and the node manager's switching.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GameNode.h"
#include "framework/NodeFactory.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"

namespace {

std::vector<std::string> gLog;

class LoggingNode : public GameNode {
public:
  explicit LoggingNode(int32_t id) : m_id(std::to_string(id)) { gLog.push_back("build " + m_id); }
  ~LoggingNode() override { gLog.push_back("delete " + m_id); }
  void Activate() override {
    GameNode::Activate();
    gLog.push_back("activate " + m_id);
  }
  void Deactivate() override {
    GameNode::Deactivate();
    gLog.push_back("deactivate " + m_id);
  }
  void Update() override { gLog.push_back("update " + m_id); }
  void UpdateAlways() override { gLog.push_back("always " + m_id); }
  void HandleEvent(int, int, void*) override {}

private:
  std::string m_id;
};

GameNode* CreateLoggingNode(int32_t id) {
  return id == kNodeNone ? nullptr : new LoggingNode(id);
}

}  // namespace

TEST(NodeId, NamesMapToIdsWithoutRegardToCase) {
  struct Case {
    const char* name;
    int32_t id;
  };
  const Case cases[] = {
      {"none", 0},
      {"begin", 1},
      {"nogame", 2},
      {"TitleScreen", 3},
      {"frontend", 4},
      {"signin", 5},
      {"HUB", 6},
      {"hub", 6},
      {"game1", 7},
      {"game9", 15},
      {"game10", 16},
      {"sharktitlescreen", 17},
      {"tribaltitlescreen", 18},
      {"gamewon", 19},
      {"progressscreen", 20},
      {"creditscreen", 21},
      {"quitgame", 22},
      {"upselltitlescreen", 23},
      {"game11", 0},
      {"", 0},
      {"hub ", 0},
      {nullptr, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NodeStringToID(c.name), c.id) << (c.name ? c.name : "(null)");
}

TEST(NodeFactory, OnlyNoneAndNoGameAreValidUntilNodeClassesExist) {
  EXPECT_EQ(NodeFactory::CreateNode(kNodeNone), nullptr);
  EXPECT_EQ(NodeFactory::CreateNode(kNodeNoGame), nullptr);
  for (const int32_t id : {-1, 1, 3, 6, 7, 16, 22, 23, 24, 1000}) {
    try {
      NodeFactory::CreateNode(id);
      ADD_FAILURE() << "id " << id << " built a node";
    } catch (const char* text) {
      EXPECT_STREQ(text, "Invalid node ID in NodeFactory::CreateNode()");
    }
  }
}

TEST(NodeManager, SwitchesAtTheNextFrameOnlyToTheLastRequest) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.SetNodeFactoryForTesting(CreateLoggingNode);
  EXPECT_STREQ(nodes.GetCurrentNodeName(), "No cur node");
  nodes.RequestNode(kNodeNone);  // the current id already
  EXPECT_FALSE(nodes.IsChangePending());

  nodes.RequestNode(kNodeHub);
  nodes.RequestNode(kNodeGame3);
  EXPECT_TRUE(gLog.empty());
  nodes.SwitchNode();
  EXPECT_EQ(gLog, std::vector<std::string>({"build 9", "activate 9"}));
  EXPECT_EQ(nodes.GetCurrentId(), kNodeGame3);
  EXPECT_FALSE(nodes.IsChangePending());
  EXPECT_STREQ(nodes.GetCurrentNodeName(), "Unnamed Node");

  gLog.clear();
  nodes.RequestNode(kNodeGame3);  // does not restart it
  EXPECT_FALSE(nodes.IsChangePending());
  nodes.RequestNode(kNodeHub);
  nodes.SwitchNode();
  // The old node is gone before the new one is built.
  EXPECT_EQ(gLog, std::vector<std::string>({"deactivate 9", "delete 9", "build 6", "activate 6"}));
  EXPECT_EQ(nodes.GetPreviousId(), kNodeGame3);

  gLog.clear();
  nodes.RequestNode(kNodeNone);
  nodes.SwitchNode();
  EXPECT_EQ(gLog, std::vector<std::string>({"deactivate 6", "delete 6"}));
  EXPECT_EQ(nodes.GetCurrentNode(), nullptr);
  nodes.Update();  // nothing to update
  nodes.Draw();
}

TEST(NodeManager, PausedApplicationsSkipTheNodesUpdateButNotUpdateAlways) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.SetNodeFactoryForTesting(CreateLoggingNode);
  nodes.RequestNode(kNodeHub);
  nodes.SwitchNode();
  gLog.clear();
  nodes.Update();
  GetApp().PauseGame();
  nodes.Update();
  EXPECT_EQ(gLog, std::vector<std::string>({"update 6", "always 6", "always 6"}));

  // A new node resumes an application its predecessor left paused.
  nodes.RequestNode(kNodeGame4);
  nodes.SwitchNode();
  EXPECT_FALSE(GetApp().IsPaused());
  nodes.Shutdown();
  EXPECT_EQ(gLog.back(), "delete 10");
}

TEST(NodeManager, AnInvalidIdThrowsFromTheSwitchAndLeavesNoNode) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.RequestNode(kNodeGame10);
  EXPECT_THROW(nodes.SwitchNode(), const char*);
  EXPECT_EQ(nodes.GetCurrentNode(), nullptr);
}

TEST(GameNode, NamesAreCutToThirtyOneCharacters) {
  LoggingNode node(0);
  node.SetName("A name that is much longer than thirty-one characters");
  EXPECT_STREQ(node.GetName(), "A name that is much longer than");
  node.SetName(nullptr);
  EXPECT_STREQ(node.GetName(), "");
  EXPECT_EQ(node.GetScene()->GetWorld().GetName(), "Node scene");
}
