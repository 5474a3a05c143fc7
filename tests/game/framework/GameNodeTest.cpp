// What the game node's base does when it is built, activated and deleted: a fresh sprite loader for
// each node, and the mouse cursor put into its scene, shown, enabled and set to the node's kind.
#include <gtest/gtest.h>

#include <memory>

#include "core/ResourceAddress.h"
#include "framework/GameNode.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MouseCursor.h"
#include "framework/NodeId.h"
#include "framework/SpriteObject.h"
#include "graphics/Scene.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLoader.h"
#include "support/LoggingNode.h"
#include "support/ObjectStage.h"

namespace {

bool IsCached(const char* name) {
  return GetSpriteLoader().IsCached(Qel::NameHash(name));
}

class KindNode : public test::LoggingNode {
public:
  explicit KindNode(int32_t kind) : LoggingNode(kNodeHub) { SetNodeCursorKind(kind); }
};

}  // namespace

TEST(GameNodeBase, EachNodeStartsWithAnEmptySpriteCacheAndTakesItsLoaderAlong) {
  test::ObjectStage stage;
  ASSERT_TRUE(stage.IsReady());
  stage.AddSprite("box");
  SpriteObject before("before", "box", SpriteObject::kClockGame);
  EXPECT_TRUE(IsCached("box"));

  auto node = std::make_unique<test::LoggingNode>(kNodeTitleScreen);
  EXPECT_FALSE(IsCached("box"));
  EXPECT_TRUE(GetSpriteLoader().IsRunning());
  SpriteObject during("during", "box", SpriteObject::kClockGame);
  EXPECT_TRUE(IsCached("box"));
  // The sprites outlive the loader that built them.
  node.reset();
  EXPECT_FALSE(IsCached("box"));
  EXPECT_NE(during.GetSprite()->GetCurrentAnimation(), nullptr);
}

TEST(GameNodeBase, PutsTheCursorIntoItsSceneShownAndEnabledAndTakesItOutAgain) {
  test::ObjectStage stage;
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.Hide();
  cursor.SetEnabled(false);
  cursor.SetCursor(7);

  auto node = std::make_unique<KindNode>(13);
  std::shared_ptr<Qel::Scene> scene = node->GetScene();
  EXPECT_NE(scene->GetWorld().FindChild("CursorGroup"), nullptr);
  EXPECT_TRUE(cursor.IsRunning());
  EXPECT_TRUE(cursor.IsShown());
  EXPECT_TRUE(cursor.IsEnabled());
  EXPECT_EQ(cursor.GetCursor(), 7);  // the node's kind comes with its activation
  EXPECT_EQ(node->GetNodeCursorKind(), 13);
  node->Activate();
  EXPECT_EQ(cursor.GetCursor(), 13);
  node->Deactivate();

  node.reset();
  EXPECT_EQ(scene->GetWorld().FindChild("CursorGroup"), nullptr);
  EXPECT_FALSE(cursor.IsRunning());
}
