// The game's mouse cursor in the application's frames: following the mouse within its bounds less the
// hotspot, kinds, hiding on a node request, drawing above the scene, animating while paused, and every
// operation without a cursor sprite.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "core/Box3.h"
#include "core/Color.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/Point2.h"
#include "core/Point3.h"
#include "core/Rect.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameNode.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "graphics/DrawingSurface.h"
#include "graphics/LoadSpriteFromStream.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "support/BackBufferColour.h"
#include "support/LoggingNode.h"
#include "support/SdlMouse.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlack = 0x000000;

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

// A block of one colour per frame, 8 x 8 pixels with its corner at the sprite's origin; each frame
// lasts 100 ms and the animation loops.
fixture::SpriteFileAnimation Looping(std::initializer_list<int16_t> images) {
  fixture::SpriteFileAnimation animation;
  animation.m_playMode = 2;
  for (const int16_t image : images) {
    fixture::SpriteFileFrame frame;
    frame.m_image = image;
    animation.m_frames.push_back(frame);
  }
  return animation;
}

// Kind 0 the arrow, red then yellow; kind 1 the hand, blue; kind 2 green.
std::string CursorSprite() {
  fixture::SpriteFile file;
  for (const uint32_t rgb : {kRed, kYellow, kBlue, kGreen}) {
    file.m_images.push_back(fixture::SpriteFileImage::Solid(8, 8, 0xFF000000u | rgb));
  }
  file.m_animations = {Looping({1, 2}), Looping({3}), Looping({4})};
  return fixture::WriteSpriteFile(file);
}

// A 40 x 40 green block, to lie under the cursor.
std::string CoverSprite() {
  fixture::SpriteFile file;
  file.m_images.push_back(fixture::SpriteFileImage::Solid(40, 40, 0xFF000000u | kGreen));
  file.m_animations = {Looping({1})};
  return fixture::WriteSpriteFile(file);
}

std::shared_ptr<Qel::Sprite> LoadSprite(const std::string& bytes, Qel::DisplayDevice* display) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  std::memcpy(block->GetData(), bytes.data(), bytes.size());
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  return Qel::LoadSpriteFromStream(stream, display, 0, &ApplicationClock::Instance(), true, nullptr);
}

uint32_t GameClockTime() {
  return GameClock::Instance().GetLastTime();
}

// A node that shows its own cursor kind.
class HandNode : public test::LoggingNode {
public:
  explicit HandNode(int32_t id) : LoggingNode(id) { SetNodeCursorKind(1); }
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new HandNode(id); }
};

class CursorApp : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
  }

  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  // With the cursor sprite in the content, starts and runs the first frame, which builds the node.
  void StartWithNode(bool withCursor = true) {
    if (withCursor) m_stage.AddFile("Cursor.qela", CursorSprite());
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    ASSERT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
  }

  void Frame(uint32_t ms = 10) {
    gNow += ms;
    m_app.Frame();
  }

  static Qel::Point2 Position() {
    Qel::Point2 at;
    MouseCursor::Instance().GetPosition(at);
    return at;
  }

  // The colour of a pixel of the frame last presented, as 0xRRGGBB.
  uint32_t ColourAt(int x, int y) { return test::ColourAt(*m_app.GetDisplay()->GetBackBuffer(), x, y); }

  test::SoundStage m_stage{false};
  WinApp& m_app = GetWinApp();
};

}  // namespace

TEST_F(CursorApp, FollowsTheMouseWithinItsBoundsLessTheHotspot) {
  StartWithNode();
  MouseCursor& cursor = MouseCursor::Instance();
  ASSERT_NE(cursor.GetSprite(), nullptr);
  EXPECT_EQ(cursor.GetCursor(), 0);
  cursor.SetHotspot(0, Qel::Point2(3, 2));
  cursor.SetBounds(Qel::Rect(100, 50, 700, 500));

  struct Case {
    int mouseX, mouseY;
    int x, y;
  };
  // SDL keeps the mouse on the screen; the bounds keep the cursor inside them, edges included.
  const Case cases[] = {{300, 200, 300, 200}, {900, -5, 700, 50},   {10, 599, 100, 500},
                        {100, 50, 100, 50},   {700, 500, 700, 500}, {699, 51, 699, 51}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mouse at " << c.mouseX << ", " << c.mouseY);
    test::MoveMouse(c.mouseX, c.mouseY);
    Frame();
    EXPECT_EQ(Position(), Qel::Point2(c.x, c.y));
    EXPECT_EQ(cursor.GetSprite()->GetLocalPosition(), Qel::Point3(c.x - 3, c.y - 2, 9999));
    EXPECT_EQ(ColourAt(c.x - 3, c.y - 2), kRed);
    EXPECT_EQ(ColourAt(c.x - 3 + 7, c.y - 2 + 7), kRed);
    EXPECT_EQ(ColourAt(c.x - 3 + 8, c.y - 2 + 8), kBlack);
  }
  m_app.Shutdown();
}

// A button moves the cursor to where it was pressed, within the bounds, before the next frame reads
// the mouse (the memory game's tap test shows the node's side); a hidden cursor stays parked, so that
// nothing is under it.
TEST_F(CursorApp, AButtonMovesItToWhereTheButtonWentUnlessItIsHidden) {
  StartWithNode();
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.SetHotspot(0, Qel::Point2(3, 2));
  cursor.SetBounds(Qel::Rect(100, 50, 700, 500));
  test::MoveMouse(300, 200);
  Frame();
  cursor.FollowButton(Qel::Point2(420, 310));
  EXPECT_EQ(Position(), Qel::Point2(420, 310));
  EXPECT_EQ(cursor.GetSprite()->GetLocalPosition(), Qel::Point3(417, 308, 9999));
  cursor.FollowButton(Qel::Point2(750, 20));
  EXPECT_EQ(Position(), Qel::Point2(700, 50));

  cursor.Hide();
  cursor.FollowButton(Qel::Point2(420, 310));
  EXPECT_EQ(Position(), Qel::Point2(MouseCursor::kHiddenPosition, MouseCursor::kHiddenPosition));
  m_app.Shutdown();
}

TEST_F(CursorApp, IsDrawnAboveEverythingInTheNodeScene) {
  StartWithNode();
  GameNode& node = *NodeManager::Instance().GetCurrentNode();
  auto cover = LoadSprite(CoverSprite(), m_app.GetDisplay());
  ASSERT_NE(cover, nullptr);
  cover->SetName("cover");
  cover->PlayAnimation(0u, 0);
  cover->SetLocalPosition(Qel::Point3(200, 200, 9998));
  node.GetScene()->GetWorld().AddChild(cover);

  test::MoveMouse(210, 220);
  Frame();
  EXPECT_EQ(ColourAt(210, 220), kRed);
  EXPECT_EQ(ColourAt(217, 227), kRed);
  EXPECT_EQ(ColourAt(218, 228), kGreen);
  EXPECT_EQ(ColourAt(205, 205), kGreen);

  // The group sits in the node scene's world, in the layer below the node's own worlds.
  auto group = node.GetScene()->GetWorld().FindChild("CursorGroup");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetLayer(), 0);
  EXPECT_EQ(group->FindChild("MouseCursor").get(), MouseCursor::Instance().GetSprite());
  m_app.Shutdown();
}

TEST_F(CursorApp, ChangesKindButNotWhenTheKindIsTheSame) {
  StartWithNode();
  MouseCursor& cursor = MouseCursor::Instance();
  test::MoveMouse(400, 300);
  Frame();
  EXPECT_EQ(ColourAt(400, 300), kRed);
  Frame(100);  // the arrow's second frame
  EXPECT_EQ(ColourAt(400, 300), kYellow);
  cursor.SetCursor(0);  // no restart
  Frame(10);
  EXPECT_EQ(ColourAt(400, 300), kYellow);

  // The node's update shows its own kind over nothing active; paused, only the cursor's choice counts.
  m_app.PauseGame();
  cursor.SetHotspot(1, Qel::Point2(22, 21));
  cursor.SetCursor(1);
  EXPECT_EQ(cursor.GetCursor(), 1);
  EXPECT_EQ(cursor.GetSprite()->GetCurrentAnimationId(), 1u);
  Frame();
  EXPECT_EQ(ColourAt(400 - 22, 300 - 21), kBlue);
  EXPECT_EQ(ColourAt(400, 300), kBlack);

  cursor.SetCursor(0);
  Frame();
  EXPECT_EQ(ColourAt(400, 300), kRed);  // from the first frame again
  m_app.Shutdown();
}

TEST_F(CursorApp, ANodeRequestHidesItAndTheNewNodeShowsItWithItsKind) {
  NodeManager::Instance().SetNodeFactoryForTesting(HandNode::Create);
  StartWithNode();
  MouseCursor& cursor = MouseCursor::Instance();
  EXPECT_EQ(cursor.GetCursor(), 1);  // the node's own kind, set by its activation
  test::MoveMouse(150, 160);
  Frame();
  ASSERT_EQ(Position(), Qel::Point2(150, 160));
  cursor.SetCursor(2);

  // Asking for the node that is already there changes nothing.
  NodeManager::Instance().RequestNode(kNodeTitleScreen);
  EXPECT_TRUE(cursor.IsShown());

  NodeManager::Instance().RequestNode(kNodeHub);
  EXPECT_FALSE(cursor.IsShown());
  EXPECT_EQ(Position(), Qel::Point2(-9999, -9999));
  EXPECT_EQ(cursor.GetCursor(), 2);
  cursor.Tick();  // a hidden cursor does not follow the mouse
  EXPECT_EQ(Position(), Qel::Point2(-9999, -9999));

  // The new node is built at the next frame: it shows the cursor at the mouse, enabled, in its kind.
  cursor.SetEnabled(false);
  test::MoveMouse(170, 180);
  Frame();
  ASSERT_EQ(NodeManager::Instance().GetCurrentId(), kNodeHub);
  EXPECT_TRUE(cursor.IsShown());
  EXPECT_TRUE(cursor.IsEnabled());
  EXPECT_EQ(cursor.GetCursor(), 1);
  EXPECT_EQ(Position(), Qel::Point2(170, 180));
  EXPECT_EQ(ColourAt(170, 180), kBlue);
  // The old node took the cursor out of its scene, the new one put it into its own.
  EXPECT_NE(NodeManager::Instance().GetCurrentNode()->GetScene()->GetWorld().FindChild("CursorGroup"),
            nullptr);
  m_app.Shutdown();
}

TEST_F(CursorApp, KeepsAnimatingWhileTheGameIsPaused) {
  StartWithNode();
  test::MoveMouse(400, 300);
  Frame();
  const uint32_t gameTime = GameClockTime();
  m_app.PauseGame();
  EXPECT_EQ(ColourAt(400, 300), kRed);
  Frame(100);
  EXPECT_EQ(ColourAt(400, 300), kYellow);
  Frame(100);
  EXPECT_EQ(ColourAt(400, 300), kRed);
  EXPECT_EQ(GameClockTime(), gameTime);
  m_app.Shutdown();
}

TEST_F(CursorApp, RunsWithoutACursorResourceAndDrawsNothing) {
  setenv("PILO_TRACE", "1", 1);
  testing::internal::CaptureStderr();
  StartWithNode(false);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("WARN: No cursor sprite 'Cursor'; the cursor is not drawn.\n"), std::string::npos)
      << trace;

  MouseCursor& cursor = MouseCursor::Instance();
  EXPECT_EQ(cursor.GetSprite(), nullptr);
  EXPECT_EQ(cursor.GetCursor(), 0);
  // The node's update shows its own kind over nothing active; paused, only the cursor's choice counts.
  m_app.PauseGame();
  cursor.SetHotspot(1, Qel::Point2(22, 21));
  cursor.SetCursor(1);
  EXPECT_EQ(cursor.GetCursor(), 1);
  test::MoveMouse(250, 260);
  Frame();
  EXPECT_EQ(Position(), Qel::Point2(250, 260));
  EXPECT_EQ(ColourAt(250 - 22, 260 - 21), kBlack);
  cursor.Hide();
  EXPECT_EQ(Position(), Qel::Point2(-9999, -9999));
  cursor.Show();
  EXPECT_EQ(Position(), Qel::Point2(250, 260));
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  Frame();
  EXPECT_TRUE(cursor.IsShown());
  m_app.Shutdown();
}

TEST_F(CursorApp, KindsWithoutAHotspotAreDrawnAtTheMouse) {
  StartWithNode();
  MouseCursor& cursor = MouseCursor::Instance();
  for (int32_t kind = 0; kind < MouseCursor::kHotspotCount; ++kind)
    cursor.SetHotspot(kind, Qel::Point2(5, 4));
  for (const int32_t kind : {-100, -1, 32, 33, 1000}) cursor.SetHotspot(kind, Qel::Point2(9, 9));
  test::MoveMouse(300, 300);

  struct Case {
    int32_t kind;
    Qel::Point2 hotspot;
  };
  const Case cases[] = {{31, {5, 4}}, {32, {0, 0}}, {40, {0, 0}}, {-1, {0, 0}}, {-7, {0, 0}}, {0, {5, 4}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind);
    cursor.SetCursor(c.kind);
    EXPECT_EQ(cursor.GetCursor(), c.kind);
    EXPECT_EQ(cursor.GetHotspot(c.kind), c.hotspot);
    Frame();
    EXPECT_EQ(cursor.GetSprite()->GetLocalPosition(),
              Qel::Point3(300 - c.hotspot.X(), 300 - c.hotspot.Y(), 9999));
  }
  m_app.Shutdown();
}

TEST_F(CursorApp, EveryOperationWorksBeforeStartUpAndAfterShutDown) {
  MouseCursor& cursor = MouseCursor::Instance();
  const auto exercise = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(cursor.GetSprite(), nullptr);
    cursor.SetCursor(5);
    EXPECT_EQ(cursor.GetCursor(), 5);
    cursor.Hide();
    EXPECT_FALSE(cursor.IsShown());
    EXPECT_EQ(Position(), Qel::Point2(-9999, -9999));
    cursor.Tick();
    cursor.Show();
    EXPECT_TRUE(cursor.IsShown());
    cursor.SetEnabled(false);
    EXPECT_FALSE(cursor.IsEnabled());
    cursor.SetEnabled(true);
    Qel::Scene scene;
    cursor.Attach(scene);
    EXPECT_TRUE(cursor.IsRunning());
    auto group = scene.GetWorld().FindChild("CursorGroup");
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->IsShown());
    cursor.Hide();
    EXPECT_FALSE(group->IsShown());
    cursor.Tick();
    cursor.Detach(scene);
    EXPECT_FALSE(cursor.IsRunning());
    EXPECT_EQ(scene.GetWorld().FindChild("CursorGroup"), nullptr);
    cursor.Show();
  };
  exercise("before start-up");

  test::MoveMouse(20, 30);  // no video mode yet: nothing moves
  StartWithNode();
  EXPECT_EQ(cursor.GetCursor(), 0);  // start-up chooses the arrow
  ASSERT_NE(cursor.GetSprite(), nullptr);
  test::MoveMouse(20, 30);
  Frame();
  EXPECT_EQ(ColourAt(20, 30), kRed);

  m_app.Shutdown();
  EXPECT_FALSE(cursor.IsRunning());
  exercise("after shut-down");
}
