// The draw pass: what a scene of solid-colour drawables leaves in an 800 x 600 back buffer of the SDL device.
#include <gtest/gtest.h>

#include <cstdint>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "PixelProbes.h"
#include "SceneTestObjects.h"
#include "core/Color.h"
#include "core/PixelFormat.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/Scene.h"

using Qel::Box3;
using Qel::Point2;
using Qel::Point3;
using test::Named;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kYellow = 0xFFFF00;

const Box3 kScreenClip(0, 0, 0, 800, 600, 10000);

// A drawable that shows one surface, placed as a sprite places its frame: the source box comes in the
// anchored frame, so the anchor is added back before the blit.
class Picture : public Qel::SceneDrawable {
public:
  explicit Picture(std::shared_ptr<Qel::DrawingSurface> surface) : m_surface(std::move(surface)) {}

  void ComputeLocalBounds(Box3& out) const override {
    out.Set(0, 0, 0, m_surface->GetWidth(), m_surface->GetHeight(), 0);
  }

  void Render(Qel::DrawingSurface& target, const Box3& source, const Point2& at) override {
    Qel::Rect area = source.ToRect();
    area += Point2(GetAnchor().X(), GetAnchor().Y());
    m_surface->BlitTo(&target, &area, at);
  }

private:
  std::shared_ptr<Qel::DrawingSurface> m_surface;
};

class DrawPass : public ::testing::Test {
protected:
  void SetUp() override {
    Qel::SDLSurface::RegisterSurfaceOps();
    const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
    ASSERT_EQ(m_device.Open(800, 600, Qel::kPixelFormatX8R8G8B8, false, &mode), 0);
  }

  void TearDown() override { Qel::SDLSurface::UnregisterSurfaceOps(); }

  // A width x height picture in one colour, or in two: the left half in colour, the right in rightColour.
  std::shared_ptr<Picture> Add(Qel::SceneObject& parent, const std::string& name, Point3 at, int width,
                               int height, uint32_t colour, int layer = 0,
                               uint32_t rightColour = 0xFFFFFFFF) {
    std::shared_ptr<Qel::DrawingSurface> surface(
        m_device.CreateSurface(width, height, Qel::DisplayDevice::kSurfaceDefault));
    EXPECT_NE(surface, nullptr);
    Fill(*surface, Qel::Rect(0, 0, width, height), colour);
    if (rightColour != 0xFFFFFFFF) Fill(*surface, Qel::Rect(width / 2, 0, width, height), rightColour);
    auto picture = Named<Picture>(name, surface);
    picture->SetLocalPosition(at);
    picture->SetLayer(layer);
    parent.AddChild(picture);
    return picture;
  }

  static void Fill(Qel::DrawingSurface& surface, const Qel::Rect& area, uint32_t rgb) {
    const Qel::Color colour(Qel::kPixelFormatX8R8G8B8, static_cast<uint8_t>(rgb >> 16),
                            static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 255);
    ASSERT_EQ(surface.DrawRectangle(&area, 0, colour, colour), 0);
  }

  void DrawFrame(const Box3& clip = kScreenClip, const Point2& offset = Point2()) {
    ASSERT_EQ(m_device.FillRect(nullptr, Qel::Color::Black(m_device.GetPixelFormat())), 0);
    m_scene.Draw(*m_device.GetBackBuffer(), clip, offset);
  }

  void ExpectPixels(const std::vector<pixeltest::Probe>& probes) {
    pixeltest::ExpectPixels(*m_device.GetBackBuffer(), probes);
  }

  Qel::SDLDisplayDevice m_device;
  Qel::Scene m_scene;
};

}  // namespace

TEST_F(DrawPass, LowerLayersAndSmallerDepthsAreDrawnFirst) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  // All three cover (40..60, 40..60); the layer wins over the depth.
  Add(world, "a-top", {40, 40, 0}, 40, 40, kRed, 1);
  Add(world, "b-deep", {20, 20, 50}, 40, 40, kGreen);
  Add(world, "c-shallow", {0, 0, 10}, 60, 60, kBlue);
  DrawFrame();
  ExpectPixels({{5, 5, kBlue}, {30, 30, kGreen}, {50, 50, kRed}, {70, 70, kRed}, {90, 90, kBlack}});
}

TEST_F(DrawPass, NegativeLayersAndDepthsSortBelowPositiveOnes) {
  struct Case {
    const char* what;
    int underLayer, underDepth;  // drawn first: covered where the two overlap
    int overLayer, overDepth;
  };
  const Case cases[] = {
      {"a negative layer under layer 0", -1, 500, 0, -500},
      {"a lower negative layer under a higher one", -7, 900, -2, -900},
      {"a negative depth under a smaller negative one", 0, -30, 0, -3},
      {"a negative depth under depth 0", 3, -1, 3, 0},
      {"the lowest layer under the highest", INT32_MIN, 0, INT32_MAX, 0},
  };
  const Box3 deepClip(0, 0, -1000, 800, 600, 1000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Qel::SceneWorld& world = m_scene.GetWorld();
    world.RemoveAllChildren();
    // Named against the tree's order, so that only the keys can put "over" last.
    Add(world, "a-over", {20, 20, c.overDepth}, 40, 40, kRed, c.overLayer);
    Add(world, "b-under", {0, 0, c.underDepth}, 40, 40, kGreen, c.underLayer);
    DrawFrame(deepClip);
    ExpectPixels({{10, 10, kGreen}, {30, 30, kRed}, {50, 50, kRed}});
  }
}

TEST_F(DrawPass, EqualLayerAndDepthKeepTheTreeOrder) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  auto first = Named<Qel::SceneObjectGroup>("g1");
  auto second = Named<Qel::SceneObjectGroup>("g2");
  world.AddChild(second);
  world.AddChild(first);
  // Collected depth first with children by name: g1/z, then g2/a, then g2/b, then the world's own "w".
  Add(*first, "z", {0, 0, 5}, 30, 30, kRed);
  Add(*second, "b", {10, 10, 5}, 30, 30, kBlue);
  Add(*second, "a", {20, 20, 5}, 30, 30, kGreen);
  Add(world, "w", {25, 25, 5}, 10, 10, kWhite);
  DrawFrame();
  ExpectPixels({{5, 5, kRed}, {15, 15, kBlue}, {25, 25, kWhite}, {38, 38, kBlue}, {45, 45, kGreen}});

  // Renaming "a" to "c" puts it after "b" from the next frame on.
  m_scene.GetWorld().FindChild("g2")->FindChild("a")->SetName("c");
  DrawFrame();
  ExpectPixels({{15, 15, kBlue}, {25, 25, kWhite}, {38, 38, kGreen}, {45, 45, kGreen}});
}

TEST_F(DrawPass, ClipsAtTheScreenEdgesAndDepthRange) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  // Left half red, right half blue: a picture cut at the left edge must show its right part.
  Add(world, "left", {-10, 100, 0}, 20, 10, kRed, 0, kBlue);
  Add(world, "right", {790, 200, 0}, 20, 10, kRed, 0, kBlue);
  Add(world, "top", {300, -5, 0}, 10, 10, kYellow);
  Add(world, "bottom-corner", {795, 595, 0}, 10, 10, kGreen);
  Add(world, "touching", {800, 300, 0}, 10, 10, kWhite);  // not one pixel inside
  Add(world, "too-near", {100, 300, -1}, 10, 10, kWhite);
  Add(world, "too-far", {200, 300, 10001}, 10, 10, kWhite);
  Add(world, "farthest", {300, 300, 10000}, 10, 10, kGreen);
  DrawFrame();
  ExpectPixels({{0, 100, kBlue},
                {9, 109, kBlue},
                {10, 100, kBlack},
                {790, 200, kRed},
                {799, 209, kRed},
                {300, 0, kYellow},
                {309, 4, kYellow},
                {300, 5, kBlack},
                {799, 599, kGreen},
                {795, 595, kGreen},
                {799, 300, kBlack},
                {105, 305, kBlack},
                {205, 305, kBlack},
                {305, 305, kGreen}});
}

TEST_F(DrawPass, ClipBoxAndOffsetPlaceTheView) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  Add(world, "inside", {150, 150, 0}, 20, 20, kRed);
  Add(world, "straddling", {90, 120, 0}, 20, 10, kRed, 0, kBlue);  // only its right half is in the clip
  Add(world, "outside", {50, 50, 0}, 20, 20, kWhite);
  DrawFrame(Box3(100, 100, 0, 300, 300, 10000), Point2(10, 20));
  // The clip's corner (100, 100) lands at the offset (10, 20).
  ExpectPixels({{60, 70, kRed},
                {79, 89, kRed},
                {80, 90, kBlack},
                {10, 40, kBlue},
                {19, 49, kBlue},
                {9, 40, kBlack},
                {0, 0, kBlack}});
}

TEST_F(DrawPass, AnchorsAndScrolledWorldsMoveWhatIsDrawn) {
  Qel::SceneWorld& root = m_scene.GetWorld();
  auto scroller = Named<Qel::SceneWorld>("scroller");
  root.AddChild(scroller);
  auto group = Named<Qel::SceneObjectGroup>("group");
  group->SetLocalPosition(Point3(100, 0, 0));
  group->SetAnchor(Point3(50, 0, 0));
  scroller->AddChild(group);
  auto anchored = Add(*group, "anchored", {0, 0, 0}, 20, 10, kRed, 0, kBlue);
  anchored->SetAnchor(Point3(10, 0, 0));
  // Group at 100 minus its anchor 50, the picture's anchor 10 puts its left edge at 40.
  DrawFrame();
  ExpectPixels({{39, 5, kBlack}, {40, 5, kRed}, {50, 5, kBlue}, {59, 5, kBlue}, {60, 5, kBlack}});

  // Scrolling the world left by 45 cuts the picture at the screen's left edge.
  scroller->SetLocalPosition(Point3(-45, 0, 0));
  DrawFrame();
  ExpectPixels({{0, 5, kRed}, {4, 5, kRed}, {5, 5, kBlue}, {14, 5, kBlue}, {15, 5, kBlack}});

  // Scrolled out entirely, nothing is drawn; a world scrolled below the screen likewise.
  scroller->SetLocalPosition(Point3(-100, 0, 0));
  DrawFrame();
  ExpectPixels({{0, 5, kBlack}});
  scroller->SetLocalPosition(Point3(0, 600, 0));
  DrawFrame();
  ExpectPixels({{45, 5, kBlack}});
}

TEST_F(DrawPass, HiddenObjectsAndTheirSubtreesAreSkipped) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  auto group = Named<Qel::SceneObjectGroup>("group");
  auto inner = Named<Qel::SceneObjectGroup>("inner");
  world.AddChild(group);
  group->AddChild(inner);
  auto shown = Add(world, "shown", {0, 0, 0}, 10, 10, kRed);
  auto hidden = Add(world, "hidden", {20, 0, 0}, 10, 10, kGreen);
  Add(*group, "grouped", {40, 0, 0}, 10, 10, kBlue);
  Add(*inner, "nested", {60, 0, 0}, 10, 10, kYellow);
  hidden->Hide();
  group->Hide();
  DrawFrame();
  ExpectPixels({{5, 5, kRed}, {25, 5, kBlack}, {45, 5, kBlack}, {65, 5, kBlack}});

  group->Show();
  inner->Hide();
  DrawFrame();
  ExpectPixels({{45, 5, kBlue}, {65, 5, kBlack}});

  inner->Show();
  hidden->Show();
  shown->Hide();
  DrawFrame();
  ExpectPixels({{5, 5, kBlack}, {25, 5, kGreen}, {45, 5, kBlue}, {65, 5, kYellow}});
}

TEST_F(DrawPass, ObjectsAddedAndRemovedBetweenFrames) {
  Qel::SceneWorld& world = m_scene.GetWorld();
  auto group = Named<Qel::SceneObjectGroup>("group");
  world.AddChild(group);
  Add(*group, "first", {0, 0, 0}, 10, 10, kRed);
  DrawFrame();
  ExpectPixels({{5, 5, kRed}, {25, 5, kBlack}});

  EXPECT_TRUE(group->RemoveChild("first"));  // the group held the only reference
  Add(*group, "second", {20, 0, 0}, 10, 10, kGreen);
  DrawFrame();
  ExpectPixels({{5, 5, kBlack}, {25, 5, kGreen}});

  // Moving an object to another group between frames draws it once, from its new place.
  auto other = Named<Qel::SceneObjectGroup>("other");
  other->SetLocalPosition(Point3(100, 0, 0));
  world.AddChild(other);
  other->AddChild(group->FindChild("second"));
  DrawFrame();
  ExpectPixels({{25, 5, kBlack}, {125, 5, kGreen}});

  world.RemoveAllChildren();
  DrawFrame();
  ExpectPixels({{125, 5, kBlack}});
}

namespace {

// Scrolls its world from inside its own collection step and notes where it believes it is.
class Witness : public test::Block {
public:
  Witness() : Block(10, 10) {}

  bool CollectDrawables(const Box3& clip, Qel::DrawList& list) override {
    m_before = GetScreenPosition();
    GetWorld()->SetLocalPosition(Point3(500, 0, 0));
    m_after = GetScreenPosition();
    return Block::CollectDrawables(clip, list);
  }

  Point3 m_before;
  Point3 m_after;
};

}  // namespace

TEST(DrawList, ScreenPositionIsCachedOnlyInsideTheObjectsOwnStep) {
  Qel::SceneWorld world;
  auto witness = Named<Witness>("witness");
  witness->SetLocalPosition(Point3(7, 8, 9));
  world.AddChild(witness);
  world.SetLocalPosition(Point3(100, 0, 0));

  Qel::DrawList list;
  EXPECT_TRUE(world.Draw(kScreenClip, list));
  EXPECT_EQ(witness->m_before, Point3(107, 8, 9));
  EXPECT_EQ(witness->m_after, Point3(107, 8, 9));  // the frame's value, though the world has moved
  EXPECT_EQ(witness->GetScreenPosition(), Point3(507, 8, 9));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].m_object, witness.get());
  EXPECT_EQ(list[0].m_source, Box3(0, 0, 0, 10, 10, 0));
  EXPECT_EQ(list[0].m_destination, Point2(107, 8));
  EXPECT_EQ(list[0].m_depth, 9);

  // A hidden world adds nothing and reports an empty list.
  world.Hide();
  Qel::DrawList none;
  EXPECT_FALSE(world.Draw(kScreenClip, none));
}
