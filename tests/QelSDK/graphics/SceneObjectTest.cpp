// Scene objects, groups and worlds: naming, adoption, positions through the tree, bounds and their caching.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SceneTestObjects.h"
#include "graphics/ISceneVisitor.h"
#include "graphics/SceneWorld.h"

using Qel::Box3;
using Qel::Point3;
using test::Block;
using test::BoundsOf;
using test::CountingGroup;
using test::Named;

TEST(SceneObject, NewObjectStandsAloneAtItsOwnPosition) {
  Block block(10, 5);
  EXPECT_TRUE(block.IsVisible());
  EXPECT_FALSE(block.IsCollisionEnabled());
  EXPECT_EQ(block.GetLayer(), 0);
  EXPECT_EQ(block.GetWorld(), nullptr);
  EXPECT_EQ(block.GetParent(), nullptr);
  EXPECT_EQ(block.m_boundsComputations, 0);  // nothing computed until asked
  block.SetLocalPosition(Point3(3, 4, 5));
  EXPECT_EQ(block.GetWorldPosition(), Point3(3, 4, 5));
  EXPECT_EQ(block.GetScreenPosition(), Point3(3, 4, 5));
  EXPECT_EQ(BoundsOf(block), Box3(0, 0, 0, 10, 5, 0));
  EXPECT_EQ(BoundsOf(block), Box3(0, 0, 0, 10, 5, 0));
  EXPECT_EQ(block.m_boundsComputations, 1);

  block.SetAnchor(Point3(5, 5, 0));
  Box3 box;
  block.GetAnchoredBounds(box);
  EXPECT_EQ(box, Box3(-5, -5, 0, 5, 0, 0));
  block.GetParentBounds(box);
  EXPECT_EQ(box, Box3(-2, -1, 5, 8, 4, 5));
}

TEST(SceneObject, PositionsThroughGroupsAndScrolledWorlds) {
  auto root = std::make_shared<Qel::SceneWorld>();
  auto world = Named<Qel::SceneWorld>("scroller");
  auto group = Named<Qel::SceneObjectGroup>("group");
  auto block = Named<Block>("block", 4, 4);
  root->AddChild(world);
  world->AddChild(group);
  group->AddChild(block);

  world->SetLocalPosition(Point3(100, 50, 0));
  group->SetLocalPosition(Point3(10, 20, 1));
  group->SetAnchor(Point3(5, 5, 0));
  block->SetLocalPosition(Point3(1, 2, 3));

  EXPECT_EQ(block->GetWorld(), world.get());
  EXPECT_EQ(world->GetWorld(), world.get());
  // Below a group: the group's world position + own position - the group's anchor.
  EXPECT_EQ(block->GetWorldPosition(), Point3(6, 17, 4));
  Point3 drawn;
  block->GetDrawWorldPosition(drawn);
  EXPECT_EQ(drawn, Point3(6, 17, 4));
  // On the screen the scrolled world adds its position; the root world adds none.
  EXPECT_EQ(block->GetScreenPosition(), Point3(106, 67, 4));
  Point3 back = block->GetScreenPosition();
  block->PointFromScreen(back);
  EXPECT_EQ(back, Point3(6, 17, 4));

  Box3 screen;
  block->GetScreenBounds(screen);
  EXPECT_EQ(screen, Box3(106, 67, 4, 110, 71, 4));
  Box3 box = screen;
  block->BoxFromScreen(box);
  EXPECT_EQ(box, Box3(6, 17, 4, 10, 21, 4));
  block->GetParentBounds(box);
  EXPECT_EQ(box, Box3(1, 2, 3, 5, 6, 3));

  // Scrolling moves the screen position only.
  world->SetLocalPosition(Point3(-40, 0, 0));
  EXPECT_EQ(block->GetWorldPosition(), Point3(6, 17, 4));
  EXPECT_EQ(block->GetScreenPosition(), Point3(-34, 17, 4));

  // Setting a world position below an anchored group does not add the anchor back.
  block->SetWorldPosition(30, 30, 0);
  EXPECT_EQ(block->GetLocalPosition(), Point3(20, 10, -1));
  EXPECT_EQ(block->GetWorldPosition(), Point3(25, 25, 0));
  // Directly below a world the world position is the local one.
  group->SetWorldPosition(Point3(7, 8, 9));
  EXPECT_EQ(group->GetLocalPosition(), Point3(7, 8, 9));
}

TEST(SceneObject, VisibilityFollowsEveryAncestor) {
  auto outer = Named<Qel::SceneObjectGroup>("outer");
  auto inner = Named<Qel::SceneObjectGroup>("inner");
  auto block = Named<Block>("block", 1, 1);
  outer->AddChild(inner);
  inner->AddChild(block);
  outer->Hide();
  EXPECT_FALSE(block->IsVisible());
  EXPECT_FALSE(inner->IsVisible());
  outer->Show();
  inner->Hide();
  EXPECT_FALSE(block->IsVisible());
  inner->Show();
  EXPECT_TRUE(block->IsVisible());
}

TEST(SceneObject, BoundsAreCachedAndTheDirtyMarkClimbs) {
  auto world = std::make_shared<Qel::SceneWorld>();
  auto group = std::make_shared<CountingGroup>();
  auto a = Named<Block>("a", 10, 10);
  auto b = Named<Block>("b", 5, 5);
  world->AddChild(group);
  group->AddChild(a);
  group->AddChild(b);
  b->SetLocalPosition(Point3(20, 0, 0));
  group->SetLocalPosition(Point3(100, 100, 0));

  EXPECT_EQ(BoundsOf(*group), Box3(0, 0, 0, 25, 10, 0));
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 125, 110, 0));
  EXPECT_EQ(group->m_boundsComputations, 1);

  // The same position again marks nothing.
  b->SetLocalPosition(Point3(20, 0, 0));
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 125, 110, 0));
  EXPECT_EQ(group->m_boundsComputations, 1);

  // A child's own bounds change climbs to the world.
  b->Resize(50, 5);
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 170, 110, 0));
  EXPECT_EQ(group->m_boundsComputations, 2);

  // Hidden children leave the group's bounds; showing them again brings them back.
  b->Hide();
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 110, 110, 0));
  b->Show();
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 170, 110, 0));
  group->Hide();
  EXPECT_EQ(BoundsOf(*world), Box3());

  // Adoption and release change the bounds too.
  group->Show();
  group->RemoveChild("b");
  EXPECT_EQ(BoundsOf(*world), Box3(100, 100, 0, 110, 110, 0));
  auto c = Named<Block>("c", 1, 1);
  c->SetLocalPosition(Point3(-10, -10, 0));
  group->AddChild(c);
  EXPECT_EQ(BoundsOf(*world), Box3(90, 90, 0, 110, 110, 0));
}

// A group's bounds cover only what is visible, and that depends on every group above it: a change
// above must not leave bounds cached below it from before the change.
TEST(SceneObject, NoBoundsCachedBelowOutliveAChangeOfVisibilityAbove) {
  const Box3 kMoved(3, 4, 0, 5, 6, 0);  // the block, 2 x 2 at (3, 4), in the inner group's frame
  // The inner group read while the outer one is hidden, or not read until it is shown again.
  for (const bool readWhileHidden : {true, false}) {
    SCOPED_TRACE(readWhileHidden ? "read while hidden" : "not read while hidden");
    auto world = std::make_shared<Qel::SceneWorld>();
    auto outer = Named<Qel::SceneObjectGroup>("outer");
    auto inner = Named<Qel::SceneObjectGroup>("inner");
    auto block = Named<Block>("block", 2, 2);
    world->AddChild(outer);
    outer->AddChild(inner);
    inner->AddChild(block);
    EXPECT_EQ(BoundsOf(*inner), Box3(0, 0, 0, 2, 2, 0));

    outer->Hide();
    block->SetLocalPosition(Point3(3, 4, 0));
    if (readWhileHidden) {
      EXPECT_EQ(BoundsOf(*inner), Box3());  // nothing of it is visible
    }
    EXPECT_EQ(BoundsOf(*world), Box3());
    outer->Show();
    EXPECT_EQ(BoundsOf(*inner), kMoved);
    EXPECT_EQ(BoundsOf(*outer), kMoved);
    EXPECT_EQ(BoundsOf(*world), kMoved);

    // Cached while visible, then hidden from above: the bounds empty out, and come back.
    outer->Hide();
    EXPECT_EQ(BoundsOf(*inner), Box3());
    EXPECT_EQ(BoundsOf(*world), Box3());
    outer->Show();
    EXPECT_EQ(BoundsOf(*inner), kMoved);
    EXPECT_EQ(BoundsOf(*world), kMoved);
  }
}

// Moving a subtree between a hidden and a shown group, or out of its group, changes what is visible
// in it just as showing or hiding does.
TEST(SceneObject, NoBoundsCachedBelowOutliveAMoveToAnotherGroup) {
  auto hidden = Named<Qel::SceneObjectGroup>("hidden");
  auto shown = Named<Qel::SceneObjectGroup>("shown");
  auto inner = Named<CountingGroup>("inner");
  auto block = Named<Block>("block", 2, 2);
  hidden->Hide();
  hidden->AddChild(inner);
  inner->AddChild(block);
  EXPECT_EQ(BoundsOf(*inner), Box3());

  shown->AddChild(inner);
  EXPECT_EQ(BoundsOf(*inner), Box3(0, 0, 0, 2, 2, 0));
  EXPECT_EQ(BoundsOf(*shown), Box3(0, 0, 0, 2, 2, 0));

  hidden->AddChild(inner);
  EXPECT_EQ(BoundsOf(*inner), Box3());
  EXPECT_TRUE(hidden->RemoveChild("inner"));
  EXPECT_EQ(BoundsOf(*inner), Box3(0, 0, 0, 2, 2, 0));

  // A move that changes nothing of what is visible keeps the cache.
  const int computations = inner->m_boundsComputations;
  shown->AddChild(inner);
  EXPECT_TRUE(shown->RemoveChild("inner"));
  EXPECT_EQ(BoundsOf(*inner), Box3(0, 0, 0, 2, 2, 0));
  EXPECT_EQ(inner->m_boundsComputations, computations);
}

TEST(SceneObjectGroup, AddChildNamesAndAdopts) {
  auto group = std::make_shared<Qel::SceneObjectGroup>();
  auto other = std::make_shared<Qel::SceneObjectGroup>();

  // Reserved and missing names become automatic ones; short "_" names are kept. The counter starts
  // afresh for each case (the test main's reset), so the first automatic name is "_1".
  auto reserved = Named<Block>("_x1", 1, 1);
  auto unnamed = std::make_shared<Block>(1, 1);
  auto underscore = Named<Block>("_", 1, 1);
  group->AddChild(reserved);
  group->AddChild(unnamed);
  group->AddChild(underscore);
  EXPECT_EQ(reserved->GetName(), "_1");
  EXPECT_EQ(unnamed->GetName(), "_2");
  EXPECT_EQ(underscore->GetName(), "_");
  EXPECT_EQ(group->FindChild(unnamed->GetName()), unnamed);

  // A hand-given short name that the next automatic name would take is passed over.
  auto squatter = Named<Block>("_3", 1, 1);
  auto late = std::make_shared<Block>(1, 1);
  group->AddChild(squatter);
  group->AddChild(late);
  EXPECT_EQ(late->GetParent(), group.get());
  EXPECT_EQ(squatter->GetName(), "_3");
  EXPECT_EQ(late->GetName(), "_4");

  // A taken name leaves the group unchanged and the newcomer where it was.
  auto taken = Named<Block>("taken", 1, 1);
  auto rival = Named<Block>("taken", 1, 1);
  group->AddChild(taken);
  other->AddChild(rival);
  group->AddChild(rival);
  EXPECT_EQ(group->FindChild("taken"), taken);
  EXPECT_EQ(rival->GetParent(), other.get());
  EXPECT_EQ(other->FindChild("taken"), rival);

  // Adopting a child of another group moves it.
  auto mover = Named<Block>("mover", 1, 1);
  other->AddChild(mover);
  group->AddChild(mover);
  EXPECT_EQ(other->FindChild("mover"), nullptr);
  EXPECT_EQ(group->FindChild("mover"), mover);
  EXPECT_EQ(mover->GetParent(), group.get());

  // Nothing happens for null, for a child already here, and for a group inside itself.
  const size_t count = group->GetChildren().size();
  group->AddChild(nullptr);
  group->AddChild(mover);
  group->AddChild(group);
  other->AddChild(group);
  group->AddChild(other);
  EXPECT_EQ(other->GetParent(), nullptr);
  EXPECT_EQ(group->GetChildren().size(), count);

  // A leaf holds no children.
  mover->AddChild(taken);
  EXPECT_EQ(taken->GetParent(), group.get());
  EXPECT_FALSE(mover->RemoveChild("taken"));
  EXPECT_EQ(mover->FindChild("taken"), nullptr);
}

TEST(SceneObjectGroup, ChildrenAreReleasedByRemovalAndDestruction) {
  auto survivor = Named<Block>("survivor", 1, 1);
  std::weak_ptr<Block> orphan;
  {
    auto group = std::make_shared<Qel::SceneObjectGroup>();
    group->AddChild(survivor);
    auto owned = Named<Block>("owned", 1, 1);
    orphan = owned;
    group->AddChild(owned);
    owned.reset();
    EXPECT_FALSE(orphan.expired());
    EXPECT_FALSE(group->RemoveChild("nobody"));
    EXPECT_TRUE(group->RemoveChild("owned"));
    EXPECT_TRUE(orphan.expired());  // the group held the last reference
    EXPECT_EQ(group->FindChild("owned"), nullptr);
  }
  EXPECT_EQ(survivor->GetParent(), nullptr);

  auto group = std::make_shared<Qel::SceneObjectGroup>();
  auto a = Named<Block>("a", 1, 1);
  auto b = Named<Block>("b", 1, 1);
  group->AddChild(a);
  group->AddChild(b);
  group->RemoveAllChildren();
  EXPECT_TRUE(group->GetChildren().empty());
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(b->GetParent(), nullptr);
}

TEST(SceneObject, RenamingKeepsNamesUniqueInTheGroup) {
  auto group = std::make_shared<Qel::SceneObjectGroup>();
  auto a = Named<Block>("a", 1, 1);
  auto b = Named<Block>("b", 1, 1);
  group->AddChild(a);
  group->AddChild(b);

  EXPECT_FALSE(a->SetName("b"));
  EXPECT_EQ(a->GetName(), "a");
  EXPECT_EQ(group->FindChild("b"), b);
  EXPECT_TRUE(a->SetName("a"));

  EXPECT_TRUE(a->SetName("z"));
  EXPECT_EQ(group->FindChild("a"), nullptr);
  EXPECT_EQ(group->FindChild("z"), a);
  EXPECT_EQ(a->GetParent(), group.get());
  EXPECT_EQ(group->GetChildren().begin()->second, b);  // name order follows the rename

  // A reserved name turns into an automatic one while in a group, but stays as given outside.
  EXPECT_TRUE(a->SetName("_reserved"));
  EXPECT_EQ(a->GetParent(), group.get());
  EXPECT_NE(a->GetName(), "_reserved");
  Block loose(1, 1);
  EXPECT_TRUE(loose.SetName("_reserved"));
  EXPECT_EQ(loose.GetName(), "_reserved");
}

namespace {

class Recorder : public Qel::ISceneVisitor {
public:
  void VisitDrawable(Qel::SceneDrawable& drawable) override {
    m_visits.push_back("drawable " + drawable.GetName());
  }
  void VisitGroup(Qel::SceneObjectGroup& group) override { m_visits.push_back("group " + group.GetName()); }
  void VisitSprite(Qel::Sprite&) override { m_visits.push_back("sprite"); }
  void VisitStaticText(Qel::StaticText&) override { m_visits.push_back("text"); }
  void VisitWorld(Qel::SceneWorld& world) override { m_visits.push_back("world " + world.GetName()); }

  std::vector<std::string> m_visits;
};

}  // namespace

TEST(SceneObjectGroup, VisitorsSeeChildrenBeforeTheirGroupInNameOrder) {
  auto root = std::make_shared<Qel::SceneWorld>();
  auto g = Named<Qel::SceneObjectGroup>("g");
  auto w = Named<Qel::SceneWorld>("w");
  root->AddChild(g);
  root->AddChild(w);
  root->AddChild(Named<Block>("a", 1, 1));
  g->AddChild(Named<Block>("b", 1, 1));
  w->AddChild(Named<Block>("c", 1, 1));

  Recorder recorder;
  root->AcceptChildren(recorder);
  root->Accept(recorder);
  EXPECT_EQ(recorder.m_visits, (std::vector<std::string>{"drawable a", "drawable b", "group g", "drawable c",
                                                         "world w", "world "}));
}
