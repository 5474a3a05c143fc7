// The sprites that every game node loads, for tests whose own content does not give them.
#pragma once

namespace test {

// "ccBar" (800 x 40), and for the quit dialog "DialogBox" (300 x 200), "Pilo_yes" and "Pilo_no" (each
// 100 x 60), all of test::StageSprite's animations: each one that the resources in place do not give
// comes from a folder of this process that joins them, again after a shut-down dropped the resource
// manager. A test's own sprite of the same name wins when it is mounted first.
void ProvideNodeSprites();

// A first base for test nodes, so that the sprites are there before GameNode's constructor runs.
class NodeSprites {
public:
  NodeSprites() { ProvideNodeSprites(); }
};

}  // namespace test
