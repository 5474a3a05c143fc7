// How a game node routes events: input through the modal overlay, the HUD and the objects to the node,
// Escape and the quit dialog, sound events by name, pauses and resumes, overlays and the HUD.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/GenericObject.h"
#include "framework/Hud.h"
#include "framework/LipSyncSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MusicManager.h"
#include "framework/Overlay.h"
#include "framework/SpriteObject.h"
#include "framework/TextObject.h"
#include "framework/YesNoDialog.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/SceneWorld.h"
#include "sound/Sound.h"
#include "support/NodeContent.h"
#include "support/ObjectStage.h"
#include "support/SoundStage.h"

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

std::string Describe(const char* who, int id, const InputEventInfo& input) {
  const char* what = "?";
  switch (id) {
    case EventId::KeyDown:
      what = "down";
      break;
    case EventId::KeyUp:
      what = "up";
      break;
    case EventId::Char:
      what = "char";
      break;
    case EventId::MouseDown:
      what = input.button == 1 ? "ldown" : "rdown";
      break;
    case EventId::MouseUp:
      what = input.button == 1 ? "lup" : "rup";
      break;
    default:
      break;
  }
  return std::string(who) + " " + what;
}

// Takes the input of the kinds it is told to, and logs every input it is offered.
struct Taking {
  explicit Taking(const char* who) : who(who) {}
  bool Offer(int id, const InputEventInfo& input) {
    Log().push_back(Describe(who, id, input));
    return takes;
  }
  bool OfferCode(int id, uint16_t code) {
    InputEventInfo input;
    input.code = code;
    return Offer(id, input);
  }
  const char* who;
  bool takes = false;
};

class TestObject : public GenericObject {
public:
  bool IsActive() override { return active; }
  bool HitTest(int32_t, int32_t) override { return hit; }
  bool OnLeftButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnLeftButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnRightButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnRightButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnChar(uint16_t c) override { return taking.OfferCode(EventId::Char, c); }
  bool OnKeyUp(uint16_t c) override { return taking.OfferCode(EventId::KeyUp, c); }
  bool OnKeyDown(uint16_t c) override { return taking.OfferCode(EventId::KeyDown, c); }
  void Update() override { ++updates; }
  Taking taking{"object"};
  bool active = false;
  bool hit = false;
  int updates = 0;
};

class TestHud : public Hud {
public:
  TestHud() : Hud("test") {}
  bool OnLeftButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnLeftButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnRightButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnRightButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnChar(uint16_t c) override { return taking.OfferCode(EventId::Char, c); }
  bool OnKeyUp(uint16_t c) override { return taking.OfferCode(EventId::KeyUp, c); }
  bool OnKeyDown(uint16_t c) override { return taking.OfferCode(EventId::KeyDown, c); }
  bool OnObjectClicked(GenericObject*) override {
    Log().push_back("hud click");
    return takesClicks;
  }
  void UpdateObjects() override {
    ++updates;
    Hud::UpdateObjects();
  }
  Taking taking{"hud"};
  bool takesClicks = false;
  int updates = 0;
};

class TestOverlay : public Overlay {
public:
  TestOverlay() : Overlay("test") {}
  void Show() override { Log().push_back("overlay show"); }
  void Hide() override { Log().push_back("overlay hide"); }
  void Update() override {
    Log().push_back("overlay update");
    Overlay::Update();
  }
  bool OnLeftButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnLeftButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnRightButtonDown(const InputEventInfo& i) override { return taking.Offer(EventId::MouseDown, i); }
  bool OnRightButtonUp(const InputEventInfo& i) override { return taking.Offer(EventId::MouseUp, i); }
  bool OnChar(uint16_t c) override { return taking.OfferCode(EventId::Char, c); }
  bool OnKeyUp(uint16_t c) override { return taking.OfferCode(EventId::KeyUp, c); }
  bool OnKeyDown(uint16_t c) override { return taking.OfferCode(EventId::KeyDown, c); }
  Taking taking{"overlay"};
};

class TestNode : private test::NodeSprites, public GameNode {
public:
  using GameNode::SetNodeCursorKind;
  using GameNode::SetQuitAllowed;
  using GameNode::SetQuitPrompt;
  void OnLeftButtonDown(const InputEventInfo& i) override { Log().push_back(Describe("node", 6, i)); }
  void OnLeftButtonUp(const InputEventInfo& i) override { Log().push_back(Describe("node", 7, i)); }
  void OnRightButtonDown(const InputEventInfo& i) override { Log().push_back(Describe("node", 6, i)); }
  void OnRightButtonUp(const InputEventInfo& i) override { Log().push_back(Describe("node", 7, i)); }
  void OnChar(uint16_t) override { Log().push_back("node char"); }
  void OnKeyUp(uint16_t) override { Log().push_back("node up"); }
  void OnKeyDown(uint16_t) override { Log().push_back("node down"); }
  void OnSoundFinished(GameSound* s) override { Log().push_back("finished " + Id(s)); }
  void OnSoundLooped(GameSound* s) override { Log().push_back("looped " + Id(s)); }
  void OnTimer(GameTimer* t) override { Log().push_back(std::string("timer ") + t->GetName()); }
  void OnObjectClicked(GenericObject*) override { Log().push_back("node click"); }
  void OnAnimationLooped(GenericObject*) override { Log().push_back("looped"); }
  void OnAnimationEnded(GenericObject*) override { Log().push_back("ended"); }
  void OnObjectArrived(GenericObject*) override { Log().push_back("arrived"); }
  void OnSpeechEvent(int id, void*) override { Log().push_back("speech " + std::to_string(id)); }
  void OnQuitConfirmed() override { Log().push_back("quit confirmed"); }

private:
  static std::string Id(GameSound* s) { return s->GetEngineSound()->GetId(); }
};

class Node : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    test::ProvideNodeSprites();
    sounds.AddWave("tone", test::Tone(2000));
    sounds.AddWave("placeholder", test::Tone(300));
    Log().clear();
    node = std::make_unique<TestNode>();
    node->Activate();
  }
  void TearDown() override {
    if (node) node->Deactivate();
    node.reset();
    if (GetApp().IsPaused()) GetApp().ResumeGame();
  }

  void Input(int id, uint16_t buttonOrCode) {
    InputEventInfo input;
    if (id == EventId::MouseDown || id == EventId::MouseUp || id == EventId::MouseDoubleClick)
      input.button = buttonOrCode;
    else
      input.code = buttonOrCode;
    Qel::EventManager::GetInstance()->PostEvent(kEventInput, id, &input);
  }

  static bool IsPlaying(GameSound* sound) { return sound->GetEngineSound()->IsPlaying(); }
  static bool IsPaused(GameSound* sound) { return sound->GetEngineSound()->IsPaused(); }

  test::ObjectStage stage;
  test::SoundStage sounds;
  // Outlives the node, which does not own it.
  TestHud hud;
  std::unique_ptr<TestNode> node;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(Node, BuildsItsWorldsAndAHiddenCaptionPanel) {
  Qel::SceneWorld& root = node->GetScene()->GetWorld();
  EXPECT_EQ(root.GetName(), "Node scene");
  ASSERT_EQ(root.FindChild("Node world"), node->GetNodeWorld());
  ASSERT_EQ(root.FindChild("CC world"), node->GetCaptionWorld());
  EXPECT_EQ(node->GetNodeWorld()->GetLayer(), 3);
  EXPECT_EQ(node->GetCaptionWorld()->GetLayer(), 3);
  EXPECT_NE(root.FindChild("CursorGroup"), nullptr);
  EXPECT_STREQ(node->GetName(), "Unnamed Node");
  EXPECT_TRUE(node->IsQuitAllowed());

  struct Panel {
    GenericObject* object;
    const char* name;
    float x;
    int32_t z;
  };
  const Panel panel[] = {{node->GetCaptionText(), "nodeCCtext", 120, 9996},
                         {node->GetCaptionName(), "nodeCCname", 0, 9996},
                         {node->GetCaptionBar(), "nodeCCbar", 0, 9995}};
  for (const Panel& p : panel) {
    ASSERT_NE(p.object, nullptr) << p.name;
    EXPECT_EQ(node->GetCaptionWorld()->FindChild(p.name), p.object->GetSceneObject()) << p.name;
    EXPECT_FALSE(p.object->GetSceneObject()->IsShown()) << p.name;
    EXPECT_EQ(p.object->GetX(), p.x) << p.name;
    EXPECT_EQ(p.object->GetZ(), p.z) << p.name;
    // The panel is not an object of the node: it takes no input.
    EXPECT_EQ(node->FindObject(p.name), nullptr) << p.name;
  }
  EXPECT_EQ(node->GetCaption(), nullptr);

  // Scrolling moves the node world only.
  node->SetScroll(30, -7);
  EXPECT_EQ(node->GetScroll(), Qel::Point2(30, -7));
  EXPECT_EQ(node->GetNodeWorld()->GetLocalPosition(), Qel::Point3(-30, 7, 0));
  EXPECT_EQ(node->GetCaptionWorld()->GetLocalPosition(), Qel::Point3(0, 0, 0));
}

TEST_F(Node, InputGoesThroughOverlayHudAndObjectsToTheNode) {
  TestOverlay overlay;
  TestObject object;
  node->AddObject(&object);
  node->ShowHud(&hud);
  struct Case {
    const char* what;
    int id;
    uint16_t value;
    bool withOverlay, overlayTakes, paused, hudTakes, objectTakes, cursorHidden, cursorDisabled;
    Lines expected;
  };
  const Case cases[] = {
      {"left down, nobody takes", 6, 1, 0, 0, 0, 0, 0, 0, 0, {"hud ldown", "object ldown", "node ldown"}},
      {"left down, HUD takes", 6, 1, 0, 0, 0, 1, 0, 0, 0, {"hud ldown", "node ldown"}},
      {"left down, object takes: node still",
       6,
       1,
       0,
       0,
       0,
       0,
       1,
       0,
       0,
       {"hud ldown", "object ldown", "node ldown"}},
      {"left down, overlay takes", 6, 1, 1, 1, 0, 0, 0, 0, 0, {"overlay ldown", "node ldown"}},
      {"left down, overlay does not take",
       6,
       1,
       1,
       0,
       0,
       0,
       0,
       0,
       0,
       {"overlay ldown", "hud ldown", "object ldown", "node ldown"}},
      {"left down, paused: overlay only", 6, 1, 1, 0, 1, 0, 0, 0, 0, {"overlay ldown"}},
      {"left down, paused without overlay", 6, 1, 0, 0, 1, 0, 0, 0, 0, {}},
      {"left down, cursor hidden", 6, 1, 1, 0, 0, 0, 0, 1, 0, {}},
      {"left down, cursor disabled", 6, 1, 1, 0, 0, 0, 0, 0, 1, {}},
      {"left up", 7, 1, 0, 0, 0, 0, 1, 0, 0, {"hud lup", "object lup", "node lup"}},
      {"left up, cursor hidden", 7, 1, 0, 0, 0, 0, 0, 1, 0, {}},
      {"right down", 6, 2, 0, 0, 0, 1, 0, 0, 0, {"hud rdown", "node rdown"}},
      {"right down, cursor disabled", 6, 2, 0, 0, 0, 0, 0, 0, 1, {}},
      {"right up", 7, 2, 1, 0, 0, 0, 0, 0, 0, {"overlay rup", "hud rup", "object rup", "node rup"}},
      {"right up, paused", 7, 2, 1, 0, 1, 0, 0, 0, 0, {"overlay rup"}},
      {"right up, cursor hidden", 7, 2, 0, 0, 0, 0, 0, 1, 0, {}},
      {"middle button", 6, 3, 1, 0, 0, 0, 0, 0, 0, {}},
      {"double click", 8, 1, 1, 0, 0, 0, 0, 0, 0, {}},
      {"char, nobody takes",
       4,
       'a',
       1,
       0,
       0,
       0,
       0,
       0,
       0,
       {"overlay char", "hud char", "object char", "node char"}},
      {"char, object takes", 4, 'a', 0, 0, 0, 0, 1, 0, 0, {"hud char", "object char"}},
      {"char, HUD takes", 4, 'a', 0, 0, 0, 1, 0, 0, 0, {"hud char"}},
      {"char, overlay takes", 4, 'a', 1, 1, 0, 0, 0, 0, 0, {"overlay char"}},
      {"char, paused", 4, 'a', 1, 0, 1, 0, 0, 0, 0, {"overlay char"}},
      {"char, cursor hidden: keys go on",
       4,
       'a',
       0,
       0,
       0,
       0,
       0,
       1,
       0,
       {"hud char", "object char", "node char"}},
      {"key down, nobody takes", 2, 65, 0, 0, 0, 0, 0, 0, 0, {"hud down", "object down", "node down"}},
      {"key down, object takes", 2, 65, 0, 0, 0, 0, 1, 0, 0, {"hud down", "object down"}},
      {"key down, paused", 2, 65, 1, 0, 1, 0, 0, 0, 0, {"overlay down"}},
      {"key up, HUD takes", 3, 65, 0, 0, 0, 1, 0, 0, 0, {"hud up"}},
      {"key up, overlay takes", 3, 65, 1, 1, 0, 0, 0, 0, 0, {"overlay up"}},
      {"key up, paused without overlay", 3, 65, 0, 0, 1, 0, 0, 0, 0, {}},
  };
  MouseCursor& cursor = MouseCursor::Instance();
  for (const Case& c : cases) {
    if (c.withOverlay) node->AttachOverlay(&overlay);
    overlay.taking.takes = c.overlayTakes;
    hud.taking.takes = c.hudTakes;
    object.taking.takes = c.objectTakes;
    if (c.paused) GetApp().PauseGame();
    if (c.cursorHidden) cursor.Hide();
    cursor.SetEnabled(!c.cursorDisabled);
    Log().clear();
    Input(c.id, c.value);
    EXPECT_EQ(Log(), c.expected) << c.what;
    GetApp().ResumeGame();
    cursor.Show();
    cursor.SetEnabled(true);
    if (c.withOverlay) node->DetachOverlay(&overlay);
  }
  EXPECT_EQ(node->GetOverlay(), nullptr);
  node->RemoveObject(&object);
}

TEST_F(Node, EscapeOpensAndClosesTheQuitDialogOnlyWhereQuitIsAllowed) {
  node->ShowHud(&hud);
  GameSound* music = node->GetSound("tone", "tone", false);
  music->Play(true, true);

  Input(EventId::Char, 27);
  EXPECT_TRUE(Log().empty());  // taken by the dialog's opening
  ASSERT_TRUE(node->IsQuitDialogOpen());
  YesNoDialog* dialog = node->GetQuitDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(node->GetOverlay(), dialog);
  EXPECT_STREQ(dialog->GetName(), "quitOverlay");
  EXPECT_NE(node->GetScene()->GetWorld().FindChild("quitOverlayOverlayGroup"), nullptr);
  EXPECT_EQ(dialog->GetPrompt(), nullptr);  // the node's empty prompt is not handed on
  EXPECT_TRUE(GetApp().IsPaused());
  EXPECT_TRUE(IsPaused(music));

  Input(EventId::Char, 27);  // paused: closes it
  EXPECT_FALSE(node->IsQuitDialogOpen());
  EXPECT_EQ(node->GetOverlay(), nullptr);
  EXPECT_EQ(node->GetScene()->GetWorld().FindChild("quitOverlayOverlayGroup"), nullptr);
  EXPECT_FALSE(GetApp().IsPaused());
  EXPECT_TRUE(IsPlaying(music));
  EXPECT_TRUE(Log().empty());

  // Paused by another overlay, Escape opens nothing.
  TestOverlay overlay;
  node->ShowOverlay(&overlay);
  Log().clear();
  Input(EventId::Char, 27);
  EXPECT_EQ(Log(), Lines({"overlay char"}));
  EXPECT_FALSE(node->IsQuitDialogOpen());
  node->HideOverlay(&overlay);

  node->SetQuitAllowed(false);
  Log().clear();
  Input(EventId::Char, 27);
  EXPECT_EQ(Log(), Lines({"hud char", "node char"}));
  EXPECT_FALSE(node->IsQuitDialogOpen());
}

TEST_F(Node, AClickInTheQuitDialogEndsOrClosesIt) {
  node->ShowHud(&hud);
  GameSound* tone = node->GetSound("tone", "tone", false);
  node->SetQuitPrompt("tone", "tone", 7);

  // No: closed, game and sounds go on; nothing else sees the click.
  tone->Play(true, true);
  node->OpenQuitDialog(node->GetQuitPromptSound(), node->GetQuitPromptCaption(), node->GetQuitPromptLine());
  YesNoDialog* dialog = node->GetQuitDialog();
  ASSERT_NE(dialog->GetPrompt(), nullptr);
  EXPECT_TRUE(IsPlaying(dialog->GetPrompt()));
  Log().clear();
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectClicked, dialog->GetNoButton());
  EXPECT_TRUE(Log().empty());
  EXPECT_FALSE(node->IsQuitDialogOpen());
  EXPECT_FALSE(GetApp().IsPaused());
  EXPECT_FALSE(GetApp().IsQuitRequested());
  EXPECT_TRUE(IsPlaying(tone));
  EXPECT_FALSE(IsPlaying(dialog->GetPrompt()));  // hiding stops the prompt

  // Yes: confirmed once, the quit flag set, the node's sounds stay paused.
  node->OpenQuitDialog("", "", 0);
  EXPECT_EQ(node->GetQuitDialog(), dialog);  // made once
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectClicked, dialog->GetYesButton());
  EXPECT_EQ(Log(), Lines({"quit confirmed"}));
  EXPECT_TRUE(GetApp().IsQuitRequested());
  EXPECT_FALSE(node->IsQuitDialogOpen());
  EXPECT_TRUE(IsPaused(tone));

  // Without the dialog, a click goes to the HUD and then the node, unless the HUD takes it.
  Log().clear();
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectClicked, nullptr);
  hud.takesClicks = true;
  Qel::EventManager::GetInstance()->PostEvent(kEventGameObject, kEventObjectClicked, nullptr);
  EXPECT_EQ(Log(), Lines({"hud click", "node click", "hud click"}));
}

TEST_F(Node, GameSoundAndSpeechEventsReachTheirHandlers) {
  GameSound* tone = node->GetSound("Tone", "tone", false);
  EXPECT_EQ(node->GetSound("TONE", "other", true), tone);  // by name, without regard to case
  GameTimer* timer = node->AddTimer("t1", 100);
  int object = 0;
  char soundName[] = "tONe";
  char otherName[] = "nobody";
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  events->PostEvent(kEventSound, 3, soundName);
  events->PostEvent(kEventSound, 2, soundName);
  events->PostEvent(kEventSound, 1, soundName);  // other ids: nothing
  events->PostEvent(kEventSound, 3, otherName);  // not the node's: nothing
  events->PostEvent(kEventGameObject, kEventObjectArrived, &object);
  events->PostEvent(kEventGameObject, kEventAnimationEnded, &object);
  events->PostEvent(kEventGameObject, kEventAnimationLooped, &object);
  events->PostEvent(kEventGameObject, kEventTimerExpired, timer);
  events->PostEvent(kEventCharacter, 1003, nullptr);
  EXPECT_EQ(Log(),
            Lines({"finished Tone", "looped Tone", "arrived", "ended", "looped", "timer t1", "speech 1003"}));

  node->Deactivate();
  Log().clear();
  events->PostEvent(kEventCharacter, 1003, nullptr);
  EXPECT_TRUE(Log().empty());
  node->Activate();
}

TEST_F(Node, CaptionedSoundsFallBackToThePlaceholderAndReleaseKeepsWhatPlays) {
  gCaptionsOn = 1;
  // Before LoadCaptions a captioned sound only plays.
  CCSound* early = node->GetCCSound("early", "tone", 5, false);
  early->Play(false, true);
  EXPECT_TRUE(IsPlaying(early));
  EXPECT_FALSE(node->GetCaptionText()->GetSceneObject()->IsShown());

  stage.AddText("room", "5 Pilo Hello\n");
  EXPECT_TRUE(node->LoadCaptions("room"));
  ASSERT_NE(node->GetCaption(), nullptr);
  EXPECT_TRUE(node->GetCaption()->UsesGameClock());
  CCSound* line = node->GetCCSound("line", "missing", 5, false);
  ASSERT_NE(line->GetEngineSound(), nullptr);
  EXPECT_EQ(line->GetEngineSound()->GetId(), "line");
  EXPECT_TRUE(line->GetEngineSound()->IsLoaded());
  EXPECT_EQ(line->GetEngineSound()->GetLengthMs(), 300u);  // the placeholder's
  EXPECT_EQ(line->GetCaption(), node->GetCaption());
  line->Play(false, true);
  EXPECT_TRUE(node->GetCaptionText()->GetSceneObject()->IsShown());
  EXPECT_EQ(node->GetCaptionText()->GetText(), "Hello");
  node->HideCaption();
  EXPECT_FALSE(node->GetCaptionText()->GetSceneObject()->IsShown());

  LipSyncSound* lips = node->GetLipSyncSound("lips", "missing", 5, false);
  EXPECT_TRUE(lips->GetEngineSound()->IsLoaded());
  EXPECT_EQ(node->GetLipSyncSound("LIPS", "x", 1, false), lips);
  // A plain sound is not taken for a captioned one.
  node->GetSound("plain", "tone", false);
  try {
    node->GetCCSound("plain", "tone", 5, false);
    ADD_FAILURE() << "no error";
  } catch (const char* text) {
    EXPECT_STREQ(text, "Error: Sound 'plain' is of another kind\n");
  }

  const size_t count = node->GetSounds().GetCount();
  EXPECT_TRUE(node->ReleaseSound(line));  // still plays: kept
  EXPECT_EQ(node->GetSounds().GetCount(), count);
  line->Stop();
  EXPECT_FALSE(node->ReleaseSound(line));
  EXPECT_EQ(node->GetSounds().GetCount(), count - 1);
  EXPECT_EQ(node->GetSounds().Find("line"), nullptr);
  GameSound stranger("stranger", "tone", true, false);
  EXPECT_FALSE(node->ReleaseSound(&stranger));  // not the node's: left alone
  EXPECT_EQ(node->GetSounds().GetCount(), count - 1);
}

TEST_F(Node, PauseAndResumeHideTheWorldAndTheHudAndHoldTheSounds) {
  node->ShowHud(&hud);
  EXPECT_NE(node->GetScene()->GetWorld().FindChild("testHudGroup"), nullptr);
  GameSound* tone = node->GetSound("tone", "tone", false);
  tone->Play(true, true);
  MusicManager::Instance().QueueMusic("tone", true);
  MusicManager::Instance().PlayNext(true);
  ASSERT_NE(MusicManager::Instance().GetCurrentMusic(), nullptr);

  char name[] = "movie";
  Qel::EventManager::GetInstance()->PostEvent(kEventAppState, EventId::Pause, name);
  EXPECT_FALSE(hud.IsVisible());
  EXPECT_FALSE(hud.GetGroup()->IsShown());
  EXPECT_FALSE(node->GetNodeWorld()->IsShown());
  EXPECT_TRUE(IsPaused(tone));
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);
  EXPECT_EQ(MusicManager::Instance().GetQueueLength(), 0u);

  // Under a modal overlay the sounds wait for the overlay to go.
  TestOverlay overlay;
  node->AttachOverlay(&overlay);
  Qel::EventManager::GetInstance()->PostEvent(kEventAppState, EventId::Resume, name);
  EXPECT_TRUE(hud.IsVisible());
  EXPECT_TRUE(node->GetNodeWorld()->IsShown());
  EXPECT_TRUE(IsPaused(tone));
  node->DetachOverlay(&overlay);
  Qel::EventManager::GetInstance()->PostEvent(kEventAppState, EventId::Resume, name);
  EXPECT_TRUE(IsPlaying(tone));
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);  // the music is the node's to restart

  node->HideHud(&hud);
  EXPECT_EQ(node->GetHud(), nullptr);
  EXPECT_EQ(node->GetScene()->GetWorld().FindChild("testHudGroup"), nullptr);
}

TEST_F(Node, ShowAndHideOverlaySaveAndRestoreTheCursorAndPauseTheGame) {
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.SetCursor(5);
  cursor.Hide();
  cursor.SetEnabled(false);
  TestOverlay overlay;
  node->ShowOverlay(&overlay);
  EXPECT_EQ(Log(), Lines({"overlay show"}));
  EXPECT_EQ(cursor.GetCursor(), 0);
  EXPECT_TRUE(cursor.IsShown());
  EXPECT_TRUE(cursor.IsEnabled());
  EXPECT_TRUE(GetApp().IsPaused());
  EXPECT_EQ(node->GetOverlay(), &overlay);
  EXPECT_NE(node->GetScene()->GetWorld().FindChild("testOverlayGroup"), nullptr);

  // Paused: the overlay's update runs from UpdateAlways.
  node->UpdateAlways();
  EXPECT_EQ(Log().back(), "overlay update");

  node->HideOverlay(&overlay);
  EXPECT_EQ(Log().back(), "overlay hide");
  EXPECT_EQ(cursor.GetCursor(), 5);
  EXPECT_FALSE(cursor.IsShown());
  EXPECT_FALSE(cursor.IsEnabled());
  EXPECT_FALSE(GetApp().IsPaused());
  EXPECT_EQ(node->GetOverlay(), nullptr);
  EXPECT_EQ(node->GetScene()->GetWorld().FindChild("testOverlayGroup"), nullptr);
  cursor.Show();
  cursor.SetEnabled(true);
}

TEST_F(Node, UpdateRunsObjectsTimersAndHudAndChoosesTheCursor) {
  node->ShowHud(&hud);
  TestObject object;
  node->AddObject(&object);
  GameTimer* timer = node->AddTimer("soon", 50);
  EXPECT_FALSE(timer->IsActive());
  timer->Start(0);
  node->SetNodeCursorKind(4);
  MouseCursor& cursor = MouseCursor::Instance();

  test::ObjectStage::Tick(60);
  node->Update();
  EXPECT_EQ(object.updates, 1);
  EXPECT_EQ(hud.updates, 1);
  EXPECT_EQ(Log(), Lines({"timer soon"}));
  EXPECT_EQ(cursor.GetCursor(), 4);  // over nothing active
  EXPECT_EQ(node->GetLastUpdateTime(), GameClock::Instance().GetTime());

  // Over an active object the object's own cursor stays.
  object.active = object.hit = true;
  cursor.SetCursor(9);
  EXPECT_TRUE(node->IsPointerOverActive());
  node->Update();
  EXPECT_EQ(cursor.GetCursor(), 9);
  // A modal overlay alone decides.
  TestOverlay overlay;
  node->AttachOverlay(&overlay);
  EXPECT_FALSE(node->IsPointerOverActive());
  node->DetachOverlay(&overlay);
  // Paused and over nothing active: the arrow.
  object.active = false;
  GetApp().PauseGame();
  node->UpdateAlways();
  EXPECT_EQ(cursor.GetCursor(), 0);
  GetApp().ResumeGame();
  node->RemoveObject(&object);
}

TEST_F(Node, ObjectsJoinInDepthOrderUnderUniqueNamesAndLeaveHarmlessly) {
  Ambient back("back", "ccBar", 0);
  back.SetZ(10);
  Ambient front("front", "ccBar", 0);
  front.SetZ(20);
  node->AddObject(&back);
  node->AddObject(&front);
  EXPECT_EQ(node->GetObjects().At(0), &front);
  EXPECT_EQ(node->GetObjects().At(1), &back);
  EXPECT_EQ(node->FindObject("BACK"), &back);
  EXPECT_EQ(node->GetNodeWorld()->FindChild("back"), back.GetSceneObject());

  Ambient twin("Back", "ccBar", 0);
  try {
    node->AddObject(&twin);
    ADD_FAILURE() << "no error";
  } catch (const char* text) {
    EXPECT_STREQ(text, "Error: Object with duplicate name 'Back'\n");
  }
  EXPECT_EQ(node->GetObjects().GetCount(), 2);

  // An object that is not in the node changes nothing, not even a namesake's scene object.
  node->RemoveObject(&twin);
  EXPECT_EQ(node->GetNodeWorld()->FindChild("back"), back.GetSceneObject());
  node->RemoveObject(&back);
  EXPECT_EQ(node->FindObject("back"), nullptr);
  EXPECT_EQ(node->GetNodeWorld()->FindChild("back"), nullptr);
  node->RemoveObject(&back);
  node->RemoveObject(&front);
  EXPECT_EQ(node->GetObjects().GetCount(), 0);
}

TEST_F(Node, DeletingANodeDetachesAShownOverlayAndDeletesAnOpenQuitDialog) {
  TestOverlay overlay;
  node->ShowOverlay(&overlay);
  std::shared_ptr<Qel::Scene> scene = node->GetScene();
  node->Deactivate();
  node.reset();
  EXPECT_EQ(scene->GetWorld().FindChild("testOverlayGroup"), nullptr);
  EXPECT_EQ(overlay.GetGroup()->GetParent(), nullptr);
  GetApp().ResumeGame();

  node = std::make_unique<TestNode>();
  node->OpenQuitDialog("", "", 0);
  scene = node->GetScene();
  node.reset();  // under the sanitizer: nothing of the dialog is left behind
  EXPECT_EQ(scene->GetWorld().FindChild("quitOverlayOverlayGroup"), nullptr);
}

TEST_F(Node, LoadedObjectsOfTwoFilesJoinTheNodeAndDeactivationDeletesThem) {
  stage.AddText("first", "[ambient door ccBar]\nz = 5\n");
  stage.AddText("second", "[ambient window ccBar]\nz = 7\n");
  EXPECT_FALSE(node->LoadObjects("missing"));
  EXPECT_EQ(node->GetObjects().GetCount(), 0);
  ASSERT_TRUE(node->LoadObjects("first"));
  // The second file's objects join those of the first, which are in the node already.
  ASSERT_TRUE(node->LoadObjects("second"));
  EXPECT_EQ(node->GetObjects().GetCount(), 2);
  EXPECT_EQ(node->GetLoadedObjects().GetCount(), 2);
  EXPECT_EQ(node->GetObjects().At(0), node->FindObject("WINDOW"));
  EXPECT_NE(node->GetNodeWorld()->FindChild("door"), nullptr);

  node->Deactivate();  // under the sanitizer: the loaded objects are deleted
  EXPECT_EQ(node->GetObjects().GetCount(), 0);
  EXPECT_EQ(node->GetLoadedObjects().GetCount(), 0);
  EXPECT_EQ(node->GetNodeWorld()->FindChild("door"), nullptr);
  node->Activate();
}

TEST_F(Node, ARequiredObjectIsFoundInItsClassOrEndsTheProgramNamingItAndItsFile) {
  stage.AddText("room", "[ambient door ccBar]\n[gamebutton knob ccBar]\n");
  ASSERT_TRUE(node->LoadObjects("room"));
  EXPECT_EQ(node->RequireObject<GameButton>("KNOB", "room"), node->FindObject("knob"));
  EXPECT_EQ(node->RequireObject<SpriteObject>("door", "room"), node->FindObject("door"));
  const auto thrown = [&](auto require) -> std::string {
    try {
      require();
    } catch (const char* text) {
      return text;
    }
    return "nothing thrown";
  };
  EXPECT_EQ(thrown([&] { node->RequireObject<Ambient>("window", "room"); }),
            "Object 'window' missing from 'room'\n");
  EXPECT_EQ(thrown([&] { node->RequireObject<GameButton>("door", "room"); }),
            "Object 'door' of 'room' is of another class\n");
  node->Deactivate();
  node->Activate();
}

TEST_F(Node, TextDataReachesTheNodesSetTxtValue) {
  class Settings : public TestNode {
  public:
    void SetTxtValue(const char* key, const char* value) override {
      Log().push_back(std::string(key) + "=" + value);
    }
  };
  Settings settings;
  stage.AddText("settings", "Speed = 3\nname = pilo\n");
  EXPECT_TRUE(settings.LoadTxtData("settings"));
  EXPECT_EQ(Log(), Lines({"speed=3", "name=pilo"}));
  EXPECT_FALSE(settings.LoadTxtData("missing"));
  // The base ignores every pair.
  EXPECT_TRUE(node->LoadTxtData("settings"));
}
