// Node ids, the node factory and the node manager's switching.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GameNode.h"
#include "framework/MainApp.h"
#include "framework/NodeFactory.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "support/LoggingNode.h"

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

TEST(NodeFactory, OnlyNoneAndNoGameAreValidWithoutATable) {
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

std::vector<int32_t>& TableCalls() {
  static std::vector<int32_t> calls;
  return calls;
}

// A table of the hub's class alone.
GameNode* HubOnlyTable(int32_t id) {
  TableCalls().push_back(id);
  return id == kNodeHub ? new test::LoggingNode(id) : nullptr;
}

TEST(NodeFactory, BuildsThroughTheTableTheEntryHandsIt) {
  NodeFactory::SetNodeTable(&HubOnlyTable);
  EXPECT_EQ(NodeFactory::CreateNode(kNodeNone), nullptr);
  EXPECT_EQ(NodeFactory::CreateNode(kNodeNoGame), nullptr);
  // The ids of no node never reach the table.
  EXPECT_TRUE(TableCalls().empty());
  GameNode* hub = NodeFactory::CreateNode(kNodeHub);
  EXPECT_NE(dynamic_cast<test::LoggingNode*>(hub), nullptr);
  delete hub;
  for (const int32_t id : {1, 3, 24}) {
    try {
      NodeFactory::CreateNode(id);
      ADD_FAILURE() << "id " << id << " built a node";
    } catch (const char* text) {
      EXPECT_STREQ(text, "Invalid node ID in NodeFactory::CreateNode()");
    }
  }
  EXPECT_EQ(TableCalls(), (std::vector<int32_t>{kNodeHub, 1, 3, 24}));
  NodeFactory::SetNodeTable(nullptr);
  EXPECT_THROW(NodeFactory::CreateNode(kNodeHub), const char*);
}

TEST(NodeManager, SwitchesAtTheNextFrameOnlyToTheLastRequest) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.SetNodeFactoryForTesting(test::LoggingNode::Create);
  EXPECT_STREQ(nodes.GetCurrentNodeName(), "No cur node");
  nodes.RequestNode(kNodeNone);  // the current id already
  EXPECT_FALSE(nodes.IsChangePending());

  nodes.RequestNode(kNodeHub);
  nodes.RequestNode(kNodeGame3);
  EXPECT_TRUE(test::NodeLog().empty());
  nodes.SwitchNode();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"build 9", "activate 9"}));
  EXPECT_EQ(nodes.GetCurrentId(), kNodeGame3);
  EXPECT_FALSE(nodes.IsChangePending());
  EXPECT_STREQ(nodes.GetCurrentNodeName(), "test node 9");

  test::NodeLog().clear();
  nodes.RequestNode(kNodeGame3);  // does not restart it
  EXPECT_FALSE(nodes.IsChangePending());
  nodes.RequestNode(kNodeHub);
  nodes.SwitchNode();
  // The old node is gone before the new one is built.
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"deactivate 9", "delete 9", "build 6", "activate 6"}));
  EXPECT_EQ(nodes.GetPreviousId(), kNodeGame3);

  test::NodeLog().clear();
  nodes.RequestNode(kNodeNone);
  nodes.SwitchNode();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"deactivate 6", "delete 6"}));
  EXPECT_EQ(nodes.GetCurrentNode(), nullptr);
  nodes.Update();  // nothing to update
  nodes.Draw();
}

TEST(NodeManager, PausedApplicationsSkipTheNodesUpdateButNotUpdateAlways) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.SetNodeFactoryForTesting(test::LoggingNode::Create);
  nodes.RequestNode(kNodeHub);
  nodes.SwitchNode();
  test::NodeLog().clear();
  nodes.Update();
  GetApp().PauseGame();
  nodes.Update();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"update 6", "always 6", "always 6"}));

  // A new node resumes an application its predecessor left paused.
  nodes.RequestNode(kNodeGame4);
  nodes.SwitchNode();
  EXPECT_FALSE(GetApp().IsPaused());
  nodes.Shutdown();
  EXPECT_EQ(test::NodeLog().back(), "delete 10");
}

TEST(NodeManager, AfterAShutDownTheNodeThatWasCurrentIsBuiltAgainWhenAskedFor) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.SetNodeFactoryForTesting(test::LoggingNode::Create);
  nodes.RequestNode(kNodeHub);
  nodes.SwitchNode();
  nodes.Shutdown();
  EXPECT_EQ(nodes.GetCurrentId(), kNodeNone);
  // As a new start-up asks for its first node.
  test::NodeLog().clear();
  nodes.RequestNode(kNodeHub);
  ASSERT_TRUE(nodes.IsChangePending());
  nodes.SwitchNode();
  EXPECT_EQ(test::NodeLog(), std::vector<std::string>({"build 6", "activate 6"}));
  EXPECT_EQ(nodes.GetPreviousId(), kNodeNone);
  nodes.Shutdown();
}

TEST(NodeManager, AnInvalidIdThrowsFromTheSwitchAndLeavesNoNode) {
  NodeManager& nodes = NodeManager::Instance();
  nodes.RequestNode(kNodeGame10);
  EXPECT_THROW(nodes.SwitchNode(), const char*);
  EXPECT_EQ(nodes.GetCurrentNode(), nullptr);
}

TEST(GameNode, NamesAreCutToThirtyOneCharacters) {
  test::LoggingNode node(0);
  node.SetName("A name that is much longer than thirty-one characters");
  EXPECT_STREQ(node.GetName(), "A name that is much longer than");
  node.SetName(nullptr);
  EXPECT_STREQ(node.GetName(), "");
  EXPECT_EQ(node.GetScene()->GetWorld().GetName(), "Node scene");
}
