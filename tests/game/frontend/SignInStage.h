// A stage for the sign-in screen: the game started on the generated content set (the CTest fixture
// "content"), with a logging node first and the sign-in screen asked for, the prepared saves copied
// into the test's folder, the mixer moved on with each frame and a log of the sounds that start.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/ActiveGameButton.h"
#include "framework/ActivePlayerData.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/CurrentPlayer.h"
#include "framework/GenericObject.h"
#include "framework/MainApp.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SaveGameManager.h"
#include "framework/WinApp.h"
#include "frontend/SignInScreen.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Messages.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"
#include "support/LoggingNode.h"
#include "support/SdlMouse.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace test {

inline uint32_t& SignInNow() {
  static uint32_t now = 5000;
  return now;
}

// The sign-in screen for its two ids, a logging node for every other (the first node and the hub).
inline GameNode* CreateSignInStageNode(int32_t id) {
  if (id == kNodeFrontEnd || id == kNodeSignIn) return new SignInScreen;
  return LoggingNode::Create(id);
}

inline bool Shown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

class SignInStage : public testing::Test {
protected:
  // The prepared saves and the content set the generator wrote.
  static std::filesystem::path Content() { return QEL_CONTENT_DIR; }
  static std::string SlotFile(int slot) { return "SaveGame" + std::to_string(slot) + ".sav"; }

  void SetUp() override {
    plat::win::SetTimeSourceForTesting([] { return SignInNow(); });
    NodeManager::Instance().SetNodeFactoryForTesting(CreateSignInStageNode);
    ActivePlayerData = PlayerData();
  }

  void TearDown() override {
    m_screen = nullptr;
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // A prepared save as the slot's file; the bytes written, for comparing later.
  std::string UseSave(const std::string& prepared, int slot) {
    const std::string bytes = ReadFile(Content() / "saves" / prepared);
    WriteFile(SlotFile(slot), bytes);
    return bytes;
  }

  // Starts the game on the content (graphics 1: SDL with its own alpha blending, 0: without), then
  // switches to the sign-in screen.
  void Start(int graphics = 1, const std::string& settings = "") {
    Launch(graphics, settings, Content());
    Frame();
    m_screen = dynamic_cast<SignInScreen*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_screen, nullptr);
  }

  // The game started on that content with its first node, and the sign-in screen asked for: the
  // next frame makes it.
  void Launch(int graphics, const std::string& settings, const std::filesystem::path& content) {
    WriteFile("Pilo.ini", "[Config]\nhdpath = " + content.string() +
                              "\nwindowed = true\ngraphics = " + std::to_string(graphics) + "\n" + settings);
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    NodeManager::Instance().RequestNode(kNodeSignIn);
  }

  // One frame of ms milliseconds: the mixer plays that long, then the game's frame runs.
  void Frame(uint32_t ms = 10) {
    SignInNow() += ms;
    if (Qel::WinSoundManager::Exists() && Qel::WinSoundManager::Instance()->GetDirectSound())
      m_stage.Render(SoundStage::FramesOf(ms));
    m_app.Frame();
  }
  void Frames(int count, uint32_t ms = 10) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }
  // Frames until the condition holds; false when it did not within the frames given.
  bool FramesUntil(const std::function<bool()>& condition, int limit = 400, uint32_t ms = 10) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }

  // The sounds that started, in order, and whether the last one is the one named.
  std::vector<std::string> Started() const { return m_sounds.Of(Qel::EventId::SoundStarted); }
  bool Finished(const std::string& name) const {
    for (const std::string& finished : m_sounds.Of(Qel::EventId::SoundFinished)) {
      if (finished == name) return true;
    }
    return false;
  }
  // The screen's own line that plays now, or "none".
  std::string Voice() const {
    const CCSound* voice = m_screen->GetVoice();
    const Qel::Sound* engine = voice ? voice->GetEngineSound() : nullptr;
    return engine && engine->IsPlaying() ? engine->GetId() : "none";
  }
  // Frames until the screen's line is the one named.
  bool UntilVoice(const std::string& name, int limit = 400) {
    return FramesUntil([&] { return Voice() == name; }, limit);
  }

  // A click of the left button there: the mouse moves there first, the way a player's would.
  void Click(int x, int y) {
    MoveMouse(x, y);
    Frame();
    m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y);
    m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y);
  }
  // A click on the middle of the object as it stands now.
  void ClickOn(const GenericObject* object) {
    ASSERT_NE(object, nullptr);
    Qel::Box3 bounds;
    object->GetWorldBounds(bounds);
    Click((bounds.Min().X() + bounds.Max().X()) / 2, (bounds.Min().Y() + bounds.Max().Y()) / 2);
  }
  void ClickSlot(int slot) { ClickOn(m_screen->GetSlotButton(slot)); }
  void TypeKey(uint16_t code) { m_app.PostCharEvent(code); }

  // The look of a button: its sprite's animation.
  static uint32_t Look(const SpriteObject* object) { return object->GetAnimationId(); }

  bool HubRequested() const {
    return NodeManager::Instance().IsChangePending() && NodeManager::Instance().GetRequestedId() == kNodeHub;
  }

  SoundStage m_stage{false};
  SoundEventLog m_sounds;
  WinApp& m_app = GetWinApp();
  SignInScreen* m_screen = nullptr;
};

}  // namespace test
