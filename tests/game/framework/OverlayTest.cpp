// Overlays, heads-up displays and the yes/no dialog: caption objects and groups, rollover, and the
// dialog's spoken hover lines with their cool-down.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/GameButton.h"
#include "framework/GameNode.h"
#include "framework/GenericObject.h"
#include "framework/Hud.h"
#include "framework/MouseCursor.h"
#include "framework/Overlay.h"
#include "framework/TextObject.h"
#include "framework/YesNoDialog.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/StaticText.h"
#include "sound/Sound.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"
#include "support/SdlMouse.h"
#include "support/SoundStage.h"

namespace {

class PlainOverlay : public Overlay {
public:
  PlainOverlay() : Overlay("plain") {}
  void Show() override {}
  void Hide() override {}
};

class Spot : public GenericObject {
public:
  bool IsActive() override { return active; }
  bool HitTest(int32_t, int32_t) override { return hit; }
  bool active = true;
  bool hit = true;
};

class Layers : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    test::ProvideNodeSprites();
    sounds.AddWave("0121", test::Tone(100));
    sounds.AddWave("5083", test::Tone(100));
    sounds.AddWave("placeholder", test::Tone(100));
  }

  // The mouse moves there and the cursor follows it.
  static void PointAt(int x, int y) {
    test::MoveMouse(x, y);
    MouseCursor::Instance().Tick();
  }

  static bool Sounding(const CCSound* sound) { return sound->GetEngineSound()->IsPlaying(); }

  test::ObjectStage stage;
  test::SoundStage sounds;
};

}  // namespace

TEST_F(Layers, AnOverlayHasItsGroupAndHiddenCaptionObjects) {
  PlainOverlay overlay;
  EXPECT_STREQ(overlay.GetGroupName(), "plainOverlayGroup");
  EXPECT_EQ(overlay.GetGroup()->GetName(), "plainOverlayGroup");
  EXPECT_EQ(overlay.GetGroup()->GetLayer(), 1);
  struct Object {
    GenericObject* object;
    const char* name;
    float x;
    int32_t z;
  };
  const Object objects[] = {{overlay.GetCaptionText(), "overlayCCtext", 120, 9998},
                            {overlay.GetCaptionName(), "overlayCCname", 0, 9998},
                            {overlay.GetCaptionBar(), "overlayCCbar", 0, 9997}};
  for (const Object& o : objects) {
    EXPECT_EQ(overlay.GetObjects().Find(o.name), o.object) << o.name;
    EXPECT_EQ(overlay.GetGroup()->FindChild(o.name), o.object->GetSceneObject()) << o.name;
    EXPECT_FALSE(o.object->GetSceneObject()->IsShown()) << o.name;
    EXPECT_EQ(o.object->GetX(), o.x) << o.name;
    EXPECT_EQ(o.object->GetZ(), o.z) << o.name;
  }

  // Captions follow the application clock; a sound before them only plays.
  std::unique_ptr<CCSound> early = overlay.CreateSound("0121", "0121", 121);
  EXPECT_EQ(early->GetCaption(), nullptr);
  stage.AddText("lines", "121 Pilo Yes\n");
  ASSERT_TRUE(overlay.LoadCaptions("lines"));
  EXPECT_FALSE(overlay.GetCaption()->UsesGameClock());
  EXPECT_FALSE(overlay.LoadCaptions("missing"));
  std::unique_ptr<CCSound> missing = overlay.CreateSound("gone", "nosuchfile", 121);
  EXPECT_TRUE(missing->GetEngineSound()->IsLoaded());
  EXPECT_EQ(missing->GetEngineSound()->GetId(), "gone");
  EXPECT_FALSE(missing->IsPausable());
  EXPECT_EQ(missing->GetCaption(), overlay.GetCaption());

  // Objects join and leave the list and the group.
  Ambient extra("extra", "ccBar", 2);
  overlay.AddObject(&extra);
  EXPECT_EQ(overlay.GetGroup()->FindChild("extra"), extra.GetSceneObject());
  overlay.RemoveObject(&extra);
  EXPECT_EQ(overlay.GetObjects().Find("extra"), nullptr);
  EXPECT_EQ(overlay.GetGroup()->FindChild("extra"), nullptr);

  Qel::Scene scene;
  overlay.AttachToScene(scene);
  EXPECT_EQ(scene.GetWorld().FindChild("plainOverlayGroup"), overlay.GetGroup());
  overlay.DetachFromScene(scene);
  EXPECT_EQ(scene.GetWorld().FindChild("plainOverlayGroup"), nullptr);
}

TEST_F(Layers, RolloverIsAnActiveObjectUnderThePointerAndAHiddenHudHasNone) {
  PlainOverlay overlay;
  Hud hud("status");
  EXPECT_STREQ(hud.GetGroupName(), "statusHudGroup");
  EXPECT_TRUE(hud.IsVisible());
  Spot spot;
  overlay.AddObject(&spot);
  hud.AddObject(&spot);
  struct Case {
    bool active, hit, hudHidden, overlayAnswer, hudAnswer;
  };
  const Case cases[] = {
      {true, true, false, true, true},
      {true, false, false, false, false},
      {false, true, false, false, false},
      {true, true, true, true, false},
  };
  for (const Case& c : cases) {
    spot.active = c.active;
    spot.hit = c.hit;
    if (c.hudHidden) hud.Hide();
    EXPECT_EQ(overlay.UpdateRollover(), c.overlayAnswer);
    EXPECT_EQ(hud.UpdateRollover(), c.hudAnswer);
    EXPECT_EQ(hud.GetGroup()->IsShown(), !c.hudHidden);
    hud.Show();
  }
  EXPECT_FALSE(hud.OnObjectClicked(&spot));
  overlay.RemoveObject(&spot);
  hud.RemoveObject(&spot);
}

TEST_F(Layers, TheYesNoDialogBuildsItsBoxAndButtons) {
  YesNoDialog dialog("ask", "DialogBox", "Pilo_yes", "Pilo_no");
  EXPECT_EQ(dialog.GetObjects().Find("askDialogBox"), dialog.GetBox());
  EXPECT_EQ(dialog.GetObjects().Find("askDialogYesBut"), dialog.GetYesButton());
  EXPECT_EQ(dialog.GetObjects().Find("askDialogNoBut"), dialog.GetNoButton());
  EXPECT_EQ(dialog.GetBox()->GetZ(), 9899);
  EXPECT_EQ(dialog.GetYesButton()->GetX(), 229);
  EXPECT_EQ(dialog.GetYesButton()->GetY(), 240);
  EXPECT_EQ(dialog.GetYesButton()->GetZ(), 9901);
  EXPECT_EQ(dialog.GetNoButton()->GetX(), 406);
  EXPECT_EQ(dialog.GetNoButton()->GetZ(), 9903);
  EXPECT_EQ(dialog.GetYesButton()->GetRolloverCursor(), 1);
  EXPECT_NE(dialog.GetNoButton()->GetClickSound(), nullptr);
  EXPECT_TRUE(dialog.IsYesButton(dialog.GetYesButton()));
  EXPECT_FALSE(dialog.IsYesButton(dialog.GetNoButton()));
  EXPECT_FALSE(dialog.IsYesButton(nullptr));
  EXPECT_EQ(dialog.GetYesLine()->GetCaptionNumber(), 121u);
  EXPECT_EQ(dialog.GetNoLine()->GetCaptionNumber(), 5083u);
  EXPECT_EQ(dialog.GetPrompt(), nullptr);
  dialog.Show();  // nothing to play
  dialog.Hide();
}

TEST_F(Layers, AHoverLineIsSpokenAgainOnlyAfterFortyNineSilentUpdates) {
  GameNode node;
  YesNoDialog dialog("ask", "DialogBox", "Pilo_yes", "Pilo_no");
  node.ShowOverlay(&dialog);
  CCSound* yes = dialog.GetYesLine();
  CCSound* no = dialog.GetNoLine();

  PointAt(250, 260);  // over yes
  ASSERT_TRUE(dialog.IsPointerOverYes());
  ASSERT_FALSE(dialog.IsPointerOverNo());
  dialog.Update();
  EXPECT_TRUE(Sounding(yes));
  EXPECT_EQ(dialog.GetHoverCooldown(), 1);
  // While the line plays the count stands, and moving to no speaks nothing.
  PointAt(420, 260);
  for (int i = 0; i < 5; ++i) dialog.Update();
  EXPECT_EQ(dialog.GetHoverCooldown(), 1);
  EXPECT_FALSE(Sounding(no));
  PointAt(250, 260);
  sounds.Run(200);
  ASSERT_FALSE(Sounding(yes));
  for (int i = 1; i <= 49; ++i) {
    dialog.Update();
    EXPECT_FALSE(Sounding(yes)) << "silent update " << i;
  }
  EXPECT_EQ(dialog.GetHoverCooldown(), 0);
  dialog.Update();
  EXPECT_TRUE(Sounding(yes));

  // Hiding stops the prompt but not a hover line.
  dialog.SetPrompt("0121", "5083", 121);
  dialog.Show();
  EXPECT_TRUE(Sounding(dialog.GetPrompt()));
  node.HideOverlay(&dialog);
  EXPECT_FALSE(Sounding(dialog.GetPrompt()));
  EXPECT_TRUE(Sounding(yes));
}
