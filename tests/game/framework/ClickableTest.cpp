// Clickables and buttons in the application's frames, with mouse input reaching them through the
// object list's broadcasts as a node routes it: rollover cursors, click sounds, clicks, the looks of
// the buttons, node changes, quitting, and objects that are hidden or under a disabled cursor.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/ActiveGameButton.h"
#include "framework/ChangeNodeButton.h"
#include "framework/Clickable.h"
#include "framework/ExitButton.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/InputEventInfo.h"
#include "framework/MouseCursor.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "framework/UnClickableGameButton.h"
#include "framework/WinApp.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Messages.h"
#include "sound/SoundEvents.h"
#include "support/LoggingNode.h"
#include "support/SdlMouse.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace {

using Log = std::vector<std::string>;
using Qel::EventId::SoundFinished;
using Qel::EventId::SoundStarted;

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

// A button of 100 x 40 pixels whose looks 0 to 4 are animations of 100 ms frames that loop: two
// frames each, but one for the disabled look 3.
std::string ButtonSprite() {
  fixture::SpriteFile file;
  for (int image = 0; image < 9; ++image) {
    file.m_images.push_back(fixture::SpriteFileImage::Solid(100, 40, 0xFF000000u | (0x1F0000u * image)));
  }
  const auto looping = [](std::initializer_list<int16_t> images) {
    fixture::SpriteFileAnimation animation;
    animation.m_playMode = 2;
    for (const int16_t image : images) {
      fixture::SpriteFileFrame frame;
      frame.m_image = image;
      animation.m_frames.push_back(frame);
    }
    return animation;
  };
  file.m_animations = {looping({1, 2}), looping({3, 4}), looping({5, 6}), looping({7}), looping({8, 9})};
  return fixture::WriteSpriteFile(file);
}

// A node that holds game objects in a world of its scene, updates them each frame and hands them the
// left mouse button through the list's broadcasts, as the game's nodes do. Its log has the input, what
// the broadcast answered, and the clicks that reach it.
class ButtonNode : public test::LoggingNode {
public:
  explicit ButtonNode(int32_t id) : LoggingNode(id), m_world(std::make_shared<Qel::SceneObjectGroup>()) {
    m_world->SetName("Node world");
    GetScene()->GetWorld().AddChild(m_world);
  }
  ~ButtonNode() override {
    m_list.Clear();
    m_objects.clear();
  }

  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new ButtonNode(id); }

  template <typename T>
  T& Add(std::unique_ptr<T> object, float x, float y, int32_t z) {
    T& added = *object;
    Take(std::move(object));
    added.SetPositionAndZ(x, y, z);
    m_list.Remove(&added);  // listed again at its depth
    m_list.Insert(&added);
    return added;
  }

  // Objects of an object-definition file, owned and placed like the others.
  bool Load(const char* name) {
    ObjectList loaded;
    if (!ObjectDefinitionLoader::Instance().Load(name, loaded)) return false;
    while (GenericObject* object = loaded.At(0)) {
      loaded.Remove(object);
      Take(std::unique_ptr<GenericObject>(object));
    }
    return true;
  }

  GenericObject* Find(const char* name) const { return m_list.Find(name); }
  const std::shared_ptr<Qel::SceneObjectGroup>& GetWorld() const { return m_world; }

  void Update() override {
    LoggingNode::Update();
    m_list.UpdateAll();
  }

  void HandleEvent(int kind, int id, void* data) override {
    LoggingNode::HandleEvent(kind, id, data);
    if (kind == kEventInput && (id == EventId::MouseDown || id == EventId::MouseUp)) {
      const auto& input = *static_cast<InputEventInfo*>(data);
      const bool taken = id == EventId::MouseDown ? m_list.BroadcastLeftButtonDown(input)
                                                  : m_list.BroadcastLeftButtonUp(input);
      test::NodeLog().push_back(taken ? "taken" : "passed on");
    } else if (kind == kEventGameObject && id == kEventObjectClicked) {
      test::NodeLog().push_back(std::string("clicked ") + static_cast<GenericObject*>(data)->GetName());
    }
  }

private:
  void Take(std::unique_ptr<GenericObject> object) {
    object->AttachToGroup(m_world);
    m_list.Insert(object.get());
    m_objects.push_back(std::move(object));
  }

  std::shared_ptr<Qel::SceneObjectGroup> m_world;
  ObjectList m_list;
  std::vector<std::unique_ptr<GenericObject>> m_objects;
};

class Buttons : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(ButtonNode::Create);
    m_stage.AddFile("button.qela", ButtonSprite());
    m_stage.AddWave("click", test::Tone(300));
    m_stage.AddWave("knock", test::Tone(300));
    m_stage.AddWave("ButtonDown", test::Tone(300));
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_node = dynamic_cast<ButtonNode*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_node, nullptr);
    test::NodeLog().clear();
  }

  void TearDown() override {
    m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  void Frame(uint32_t ms = 10) {
    gNow += ms;
    m_app.Frame();
  }

  // The mouse moves there; the next frame's update sees it.
  void MoveTo(int x, int y) {
    test::MoveMouse(x, y);
    Frame();
  }

  // The log of one press or release at the point.
  Log Press(int x, int y) {
    return Logged([&] { m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y); });
  }
  Log Release(int x, int y) {
    return Logged([&] { m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y); });
  }

  template <typename F>
  static Log Logged(F&& f) {
    test::NodeLog().clear();
    f();
    Log log = test::NodeLog();
    // The input itself is the node's own line; what matters here is what came of it.
    if (!log.empty() && log.front().rfind("mouse ", 0) == 0) log.erase(log.begin());
    return log;
  }

  std::vector<std::string> Started() const { return m_sounds.Of(SoundStarted); }

  template <typename T, typename... Args>
  T& Make(float x, float y, int32_t z, Args&&... args) {
    return m_node->Add(std::make_unique<T>(std::forward<Args>(args)...), x, y, z);
  }

  test::SoundStage m_stage{false};
  test::SoundEventLog m_sounds;
  WinApp& m_app = GetWinApp();
  ButtonNode* m_node = nullptr;
};

}  // namespace

TEST_F(Buttons, AClickableShowsItsCursorSoundsOnThePressAndIsClickedByTheReleaseOverIt) {
  Clickable& door = Make<Clickable>(100, 100, 5, "door", "button", 0);
  door.SetRolloverCursor(1);
  door.SetClickSound("click");
  EXPECT_TRUE(door.IsActive());
  // A second clickable under it, with a sound of its own.
  Clickable& wall = Make<Clickable>(50, 80, 4, "wall", "button", 0);
  wall.SetClickSound("knock");
  EXPECT_FALSE(wall.IsActive());

  MoveTo(150, 120);
  EXPECT_TRUE(door.IsHovered());
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 1);

  // The press sounds both and is taken by neither.
  EXPECT_EQ(Press(150, 120), Log({"passed on"}));
  EXPECT_EQ(Started(), std::vector<std::string>({"clickSound0", "clickSound1"}));
  EXPECT_EQ(Release(150, 120), Log({"clicked door", "taken"}));
  // Off the door, over the wall: the wall's click.
  EXPECT_EQ(Release(60, 85), Log({"clicked wall", "taken"}));
  EXPECT_EQ(Release(400, 400), Log({"passed on"}));

  // The door leaves the cursor alone once the pointer is off it; the node shows its own kind then.
  MoveTo(400, 400);
  EXPECT_FALSE(door.IsHovered());
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), m_node->GetNodeCursorKind());
}

TEST_F(Buttons, ADisabledClickableIsSilentUnclickedAndShowsNoCursorTillItIsEnabled) {
  Clickable& door = Make<Clickable>(100, 100, 5, "door", "button", 0);
  door.SetClickSound("click");
  door.SetRolloverCursor(3);
  door.ClearEnabled();
  EXPECT_FALSE(door.IsActive());
  MoveTo(150, 120);
  EXPECT_TRUE(door.IsHovered());
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 0);
  EXPECT_EQ(Press(150, 120), Log({"passed on"}));
  EXPECT_EQ(Release(150, 120), Log({"passed on"}));
  EXPECT_TRUE(Started().empty());

  // Enabling it under the pointer shows its cursor at once, and so does a new rollover cursor.
  door.Enable();
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 3);
  door.SetRolloverCursor(4);
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 4);
  // Not while the cursor is disabled, nor when the rollover cursor is none.
  MouseCursor::Instance().SetEnabled(false);
  door.SetRolloverCursor(5);
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 4);
  MouseCursor::Instance().SetEnabled(true);
  door.SetRolloverCursor(Clickable::kNoRolloverCursor);
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 4);
  EXPECT_FALSE(door.IsActive());
}

TEST_F(Buttons, HiddenObjectsAndObjectsUnderADisabledOrHiddenCursorAreNeverHit) {
  Clickable& door = Make<Clickable>(100, 100, 5, "door", "button", 0);
  door.SetClickSound("click");
  door.SetRolloverCursor(1);
  GameButton& button = Make<GameButton>(300, 100, 5, "button", "button", 0);

  struct Case {
    const char* what;
    void (*hide)(Clickable& door, GameButton& button, ButtonNode& node);
    void (*show)(Clickable& door, GameButton& button, ButtonNode& node);
  };
  const Case cases[] = {
      {"the objects hidden",
       [](Clickable& d, GameButton& b, ButtonNode&) {
         d.GetSceneObject()->Hide();
         b.GetSceneObject()->Hide();
       },
       [](Clickable& d, GameButton& b, ButtonNode&) {
         d.GetSceneObject()->Show();
         b.GetSceneObject()->Show();
       }},
      {"their group hidden", [](Clickable&, GameButton&, ButtonNode& n) { n.GetWorld()->Hide(); },
       [](Clickable&, GameButton&, ButtonNode& n) { n.GetWorld()->Show(); }},
      {"the cursor disabled",
       [](Clickable&, GameButton&, ButtonNode&) { MouseCursor::Instance().SetEnabled(false); },
       [](Clickable&, GameButton&, ButtonNode&) { MouseCursor::Instance().SetEnabled(true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MoveTo(0, 0);
    c.hide(door, button, *m_node);
    for (const auto& at : {std::pair{150, 120}, std::pair{100, 100}, std::pair{350, 139}}) {
      EXPECT_FALSE(door.HitTest(at.first, at.second));
      EXPECT_FALSE(button.HitTest(at.first, at.second));
    }
    MoveTo(150, 120);
    EXPECT_FALSE(door.IsHovered());
    EXPECT_EQ(MouseCursor::Instance().GetCursor(), 0);
    EXPECT_EQ(Press(150, 120), Log({"passed on"}));
    EXPECT_EQ(Release(150, 120), Log({"passed on"}));
    MoveTo(350, 120);
    EXPECT_EQ(button.GetLookState(), GameButton::kLookNormal);
    EXPECT_EQ(Press(350, 120), Log({"passed on"}));
    EXPECT_TRUE(Started().empty());
    c.show(door, button, *m_node);
    EXPECT_TRUE(door.HitTest(150, 120));
  }

  // A hidden cursor stands far off: nothing is under it, though the mouse is over the door.
  MoveTo(150, 120);
  ASSERT_TRUE(door.IsHovered());
  MouseCursor::Instance().SetCursor(0);
  MouseCursor::Instance().Hide();
  Frame();
  EXPECT_FALSE(door.IsHovered());
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 0);
}

TEST_F(Buttons, AGameButtonGoesThroughItsLooksKeepingTheFrame) {
  GameButton& button = Make<GameButton>(100, 100, 5, "play", "button", 0);
  button.SetClickSound("click");
  const auto look = [&] { return std::pair{button.GetLookState(), button.GetAnimationId()}; };
  using Look = std::pair<uint32_t, uint32_t>;

  MoveTo(400, 400);
  Frame(100);  // the normal look's second frame
  ASSERT_EQ(button.GetCurrentFrame(), 1);
  MoveTo(150, 120);
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));
  EXPECT_EQ(button.GetCurrentFrame(), 1);

  EXPECT_EQ(Press(150, 120), Log({"taken"}));
  EXPECT_EQ(look(), Look(GameButton::kLookPressed, 1));
  EXPECT_EQ(button.GetCurrentFrame(), 1);
  EXPECT_EQ(Started(), std::vector<std::string>({"clickSound0"}));
  // A second press while pressed sounds again and keeps the look.
  EXPECT_EQ(Press(150, 120), Log({"taken"}));
  EXPECT_EQ(look(), Look(GameButton::kLookPressed, 1));
  Frame();
  EXPECT_EQ(look(), Look(GameButton::kLookPressed, 1));  // still under the pointer

  EXPECT_EQ(Release(150, 120), Log({"clicked play", "taken"}));
  EXPECT_EQ(look(), Look(GameButton::kLookNormal, 0));
  Frame();
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));

  // Pressed, then the pointer leaves: normal at the next update, and a release off it is no click.
  EXPECT_EQ(Press(150, 120), Log({"taken"}));
  MoveTo(400, 400);
  EXPECT_EQ(look(), Look(GameButton::kLookNormal, 0));
  EXPECT_EQ(Release(400, 400), Log({"passed on"}));

  // A disabled button keeps the look it had.
  MoveTo(150, 120);
  ASSERT_EQ(look(), Look(GameButton::kLookOver, 2));
  button.Disable();
  EXPECT_FALSE(button.IsEnabled());
  MoveTo(400, 400);
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));
  EXPECT_EQ(Press(150, 120), Log({"passed on"}));
  EXPECT_EQ(Started().size(), 3u);
}

TEST_F(Buttons, AnActiveGameButtonShowsItselfActiveOrInactiveWhileDisabled) {
  ActiveGameButton& button = Make<ActiveGameButton>(100, 100, 5, "level", "button", 0);
  const auto look = [&] { return std::pair{button.GetActiveLookState(), button.GetAnimationId()}; };
  using Look = std::pair<uint32_t, uint32_t>;

  MoveTo(150, 120);
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));
  button.ShowActive();
  EXPECT_FALSE(button.IsEnabled());
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));  // from the next update on
  Frame();
  EXPECT_EQ(look(), Look(ActiveGameButton::kLookActive, 4));
  Frame(100);
  EXPECT_EQ(look(), Look(ActiveGameButton::kLookActive, 4));

  // Back to the state from before, in the disabled look; the next update settles on disabled.
  button.ShowInactive();
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 3));
  Frame();
  EXPECT_EQ(look(), Look(ActiveGameButton::kLookDisabled, 3));

  // Shown active twice: the active state is saved as normal.
  button.ShowActive();
  Frame();
  button.ShowActive();
  Frame();
  button.ShowInactive();
  EXPECT_EQ(look(), Look(GameButton::kLookNormal, 3));

  // Enabled again, it keeps its look until the pointer comes over it; callers that want the normal
  // look at once show it themselves.
  button.Enable();
  MoveTo(400, 400);
  EXPECT_EQ(look(), Look(GameButton::kLookNormal, 3));
  MoveTo(150, 120);
  EXPECT_EQ(look(), Look(GameButton::kLookOver, 2));
  MoveTo(400, 400);
  EXPECT_EQ(look(), Look(GameButton::kLookNormal, 0));

  // Asked to show active, enabled again before an update, then shown inactive: a later disabling
  // shows the disabled look, not the active look that was called off.
  button.ShowActive();
  button.Enable();
  button.ShowInactive();
  Frame();
  button.Disable();
  Frame();
  EXPECT_EQ(look(), Look(ActiveGameButton::kLookDisabled, 3));
}

TEST_F(Buttons, AnUnclickableButtonLooksAndSoundsLikeAButtonButNothingIsClicked) {
  auto& fake = Make<UnClickableGameButton>(100, 100, 6, "fake", "button", 0);
  fake.SetClickSound("click");
  Clickable& below = Make<Clickable>(100, 100, 5, "below", "button", 0);

  MoveTo(150, 120);
  EXPECT_EQ(fake.GetOwnLookState(), GameButton::kLookOver);
  EXPECT_EQ(fake.GetAnimationId(), 2u);
  // Every press and release goes on, to the clickable below it.
  EXPECT_EQ(Press(150, 120), Log({"passed on"}));
  EXPECT_EQ(fake.GetOwnLookState(), GameButton::kLookPressed);
  EXPECT_EQ(fake.GetAnimationId(), 1u);
  EXPECT_EQ(Started(), std::vector<std::string>({"clickSound0"}));
  EXPECT_EQ(Release(150, 120), Log({"clicked below", "taken"}));
  EXPECT_EQ(fake.GetOwnLookState(), GameButton::kLookNormal);
  EXPECT_EQ(fake.GetAnimationId(), 0u);

  // Released anywhere, a pressed one comes back up; with nothing below, nothing is clicked.
  below.ClearEnabled();
  EXPECT_EQ(Press(150, 120), Log({"passed on"}));
  EXPECT_EQ(Release(500, 500), Log({"passed on"}));
  EXPECT_EQ(fake.GetOwnLookState(), GameButton::kLookNormal);
}

TEST_F(Buttons, AChangeNodeButtonFromADefinitionFileSwitchesNodesAtTheNextFrame) {
  m_stage.AddFile("menu.txt",
                  "[changenodebutton forward button]\nx = 100\ny = 100\nz = 20\ntargetnode = HUB\n"
                  "rollovercursor = 1\n");
  ASSERT_TRUE(m_node->Load("menu"));
  auto* forward = dynamic_cast<ChangeNodeButton*>(m_node->Find("forward"));
  ASSERT_NE(forward, nullptr);
  EXPECT_EQ(forward->GetTargetNode(), kNodeHub);
  EXPECT_EQ(forward->GetZ(), 20);

  MoveTo(150, 120);
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), 1);
  EXPECT_EQ(Press(150, 120), Log({"taken"}));
  EXPECT_EQ(Started(), std::vector<std::string>({"butdown"}));
  EXPECT_EQ(Release(150, 120), Log({"clicked forward", "taken"}));
  EXPECT_TRUE(NodeManager::Instance().IsChangePending());
  EXPECT_EQ(NodeManager::Instance().GetRequestedId(), kNodeHub);
  EXPECT_FALSE(MouseCursor::Instance().IsShown());
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeTitleScreen);

  test::NodeLog().clear();
  Frame();
  EXPECT_EQ(test::NodeLog(),
            Log({"deactivate 3", "delete 3", "build 6", "activate 6", "update 6", "always 6"}));
  EXPECT_TRUE(MouseCursor::Instance().IsShown());
}

TEST_F(Buttons, AnExitButtonAboveAnotherButtonQuitsOnlyOnItsOwnClick) {
  // As on a demo page: the exit button lies at depth 21 above the forward button at depth 20.
  Make<ExitButton>(500, 500, 21, "exit", "button");
  Make<ChangeNodeButton>(100, 100, 20, "forward", "button", kNodeHub);

  EXPECT_EQ(Press(150, 120), Log({"taken"}));
  EXPECT_EQ(Started(), std::vector<std::string>());  // the forward button made here has no sound
  EXPECT_EQ(Release(150, 120), Log({"clicked forward", "taken"}));
  EXPECT_FALSE(m_app.IsQuitRequested());
  EXPECT_TRUE(NodeManager::Instance().IsChangePending());
  EXPECT_EQ(Release(400, 400), Log({"passed on"}));
  EXPECT_FALSE(m_app.IsQuitRequested());

  EXPECT_EQ(Press(550, 520), Log({"taken"}));
  EXPECT_EQ(Started(), std::vector<std::string>({"butdown"}));
  EXPECT_EQ(Release(550, 520), Log({"clicked exit", "taken"}));
  EXPECT_TRUE(m_app.IsQuitRequested());
}

TEST_F(Buttons, ClickSoundsAreNumberedReplacedAndStoppedWithTheirObject) {
  auto door = std::make_unique<Clickable>("door", "button", 0);
  door->SetClickSound("click");
  ASSERT_NE(door->GetClickSound(), nullptr);
  EXPECT_EQ(door->GetClickSound()->GetEngineSound()->GetId(), "clickSound0");
  EXPECT_EQ(door->GetClickSound()->GetEngineSound()->GetName(), "click");
  EXPECT_TRUE(door->GetClickSound()->IsPausable());
  door->GetClickSound()->Play(false, true);

  // The counter runs over every clickable of the process.
  Clickable other("other", "button", 0);
  other.SetClickSound("knock");
  EXPECT_EQ(other.GetClickSound()->GetEngineSound()->GetId(), "clickSound1");

  // A sound replaced while it plays is stopped; its finish is told at the next frame.
  door->SetClickSound("knock");
  EXPECT_EQ(door->GetClickSound()->GetEngineSound()->GetId(), "clickSound2");
  Frame();
  EXPECT_EQ(m_sounds.Of(SoundFinished), std::vector<std::string>({"clickSound0"}));
  door->SetClickSound(nullptr);
  EXPECT_EQ(door->GetClickSound(), nullptr);
  door->SetClickSound("");
  EXPECT_EQ(door->GetClickSound(), nullptr);

  // The key takes the first word of its value.
  door->SetProperty("clicksound", "click, loud");
  ASSERT_NE(door->GetClickSound(), nullptr);
  EXPECT_EQ(door->GetClickSound()->GetEngineSound()->GetName(), "click");
  door->GetClickSound()->Play(false, true);
  door.reset();
  Frame();
  EXPECT_EQ(m_sounds.Of(SoundFinished), std::vector<std::string>({"clickSound0", "clickSound3"}));
}

TEST_F(Buttons, DefinitionFilesMakeEveryButtonClassWithTheKeysOfEveryLevel) {
  m_stage.AddFile("all.txt",
                  "[clickable c button]\n[GameButton g button]\n[EXITBUTTON e button]\n"
                  "[changenodebutton n button]\n[activegamebutton a button]\n");
  ASSERT_TRUE(m_node->Load("all"));
  struct Case {
    const char* name;
    bool (*isClass)(GenericObject*);
    const char* sound;  // of the click, none when null
  };
  const Case cases[] = {
      {"c", [](GenericObject* o) { return dynamic_cast<Clickable*>(o) && !dynamic_cast<GameButton*>(o); },
       nullptr},
      {"g", [](GenericObject* o) { return typeid(*o) == typeid(GameButton); }, nullptr},
      {"e", [](GenericObject* o) { return dynamic_cast<ExitButton*>(o) != nullptr; }, "butdown"},
      {"n", [](GenericObject* o) { return dynamic_cast<ChangeNodeButton*>(o) != nullptr; }, "butdown"},
      {"a", [](GenericObject* o) { return dynamic_cast<ActiveGameButton*>(o) != nullptr; }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* object = dynamic_cast<Clickable*>(m_node->Find(c.name));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(c.isClass(object));
    if (c.sound) {
      ASSERT_NE(object->GetClickSound(), nullptr);
      EXPECT_EQ(object->GetClickSound()->GetEngineSound()->GetId(), c.sound);
      EXPECT_EQ(object->GetClickSound()->GetEngineSound()->GetName(), "ButtonDown");
    } else {
      EXPECT_EQ(object->GetClickSound(), nullptr);
    }

    // Every level sees the pair: the generic and sprite keys, then the clickable's, then the
    // button's own.
    object->SetProperty("x", "7");
    object->SetProperty("seq", "2");
    object->SetProperty("HotSpotWidth", "150");
    object->SetProperty("RolloverCursor", "0x0C");
    object->SetProperty("clicksound", "knock");
    object->SetProperty("targetnode", "game5");
    EXPECT_EQ(object->GetX(), 7.0f);
    EXPECT_EQ(object->GetAnimationId(), 2u);
    EXPECT_EQ(object->GetHotspotSize().X(), 150);
    EXPECT_EQ(object->GetRolloverCursor(), 12);
    ASSERT_NE(object->GetClickSound(), nullptr);
    EXPECT_EQ(object->GetClickSound()->GetEngineSound()->GetName(), "knock");
    if (auto* change = dynamic_cast<ChangeNodeButton*>(object)) {
      EXPECT_EQ(change->GetTargetNode(), kNodeGame5);
      change->SetProperty("targetnode", "nowhere");
      EXPECT_EQ(change->GetTargetNode(), kNodeNone);
    }
  }
}
