// The button series: one object of the series shown at a time, found by index, and stepped on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ButtonSeries.h"
#include "framework/GenericObject.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/Sprite.h"

namespace {

class Item : public GenericObject {
public:
  explicit Item(const std::string& name) {
    auto sprite = std::make_shared<Qel::Sprite>();
    sprite->SetName(name);
    SetSceneObject(sprite);
  }
};

// Which objects are shown, as a string of 0 and 1.
std::string Shown(const std::vector<std::unique_ptr<Item>>& items) {
  std::string shown;
  for (const auto& item : items) shown += item->GetSceneObject()->IsShown() ? '1' : '0';
  return shown;
}

}  // namespace

TEST(ButtonSeries, ShowsOneObjectAtATimeAndStepsOnToTheFirstAfterTheLast) {
  std::vector<std::unique_ptr<Item>> items;
  for (const char* name : {"a", "b", "c"}) items.push_back(std::make_unique<Item>(name));
  ButtonSeries series;
  EXPECT_EQ(series.GetVisibleIndex(), -1);
  EXPECT_EQ(series.GetVisible(), nullptr);
  for (const auto& item : items) EXPECT_TRUE(series.Add(item.get()));
  EXPECT_FALSE(series.Add(nullptr));
  EXPECT_EQ(series.GetCount(), 3);
  EXPECT_EQ(Shown(items), "100");
  EXPECT_EQ(series.GetVisibleIndex(), 0);

  // Only the shown object steps on.
  EXPECT_FALSE(series.Advance(items[1].get()));
  EXPECT_EQ(Shown(items), "100");
  const std::vector<std::string> steps = {"010", "001", "100"};
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    GenericObject* visible = series.GetVisible();
    ASSERT_NE(visible, nullptr);
    EXPECT_TRUE(series.Advance(visible));
    EXPECT_EQ(Shown(items), steps[i]);
    EXPECT_EQ(series.GetVisibleIndex(), static_cast<int32_t>((i + 1) % 3));
  }

  Item stranger("stranger");
  EXPECT_FALSE(series.Advance(&stranger));
  EXPECT_FALSE(series.Remove(&stranger));
  EXPECT_FALSE(series.Advance(nullptr));

  // Removed, the first no longer counts: the series has none shown until one is.
  EXPECT_TRUE(series.Remove(items[0].get()));
  EXPECT_FALSE(series.Remove(items[0].get()));
  EXPECT_EQ(series.GetVisibleIndex(), -1);
  items[2]->GetSceneObject()->Show();
  EXPECT_EQ(series.GetVisible(), items[2].get());
  EXPECT_TRUE(series.Advance(items[2].get()));
  EXPECT_EQ(Shown(items), "110");
}

TEST(ButtonSeries, KnowsItsShownObjectInsideAHiddenGroup) {
  auto group = std::make_shared<Qel::SceneObjectGroup>();
  Item first("first");
  Item second("second");
  first.AttachToGroup(group);
  second.AttachToGroup(group);
  group->Hide();
  ButtonSeries series;
  series.Add(&first);
  series.Add(&second);
  EXPECT_EQ(series.GetVisibleIndex(), 0);
  EXPECT_TRUE(series.Advance(&first));
  EXPECT_EQ(series.GetVisible(), &second);
}

TEST(ButtonSeries, AnObjectWithoutASceneObjectIsNeverShown) {
  class Bare : public GenericObject {};
  Bare bare;
  Item item("item");
  ButtonSeries series;
  EXPECT_TRUE(series.Add(&bare));
  EXPECT_TRUE(series.Add(&item));
  EXPECT_EQ(series.GetVisibleIndex(), -1);
  EXPECT_FALSE(series.Advance(&bare));
  item.GetSceneObject()->Show();
  EXPECT_TRUE(series.Advance(&item));
  EXPECT_EQ(series.GetVisibleIndex(), -1);  // stepped onto the bare one
}
