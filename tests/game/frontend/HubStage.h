// A stage for the hub: the game started on the generated content set, a prepared save signed in as
// the sign-in screen leaves it, the hub entered from a node of the test's choice, a clock and the
// mixer moved on by hand with each frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/ActivePlayerData.h"
#include "framework/CurrentPlayer.h"
#include "framework/GameButton.h"
#include "framework/GenericObject.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SaveGameManager.h"
#include "framework/WinApp.h"
#include "frontend/HubNode.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Messages.h"
#include "sound/SoundEvents.h"
#include "support/LoggingNode.h"
#include "support/SdlMouse.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace test {

inline uint32_t& HubNow() {
  static uint32_t now = 5000;
  return now;
}

// The hub for its id; a logging node for every other id but that of no node.
inline GameNode* CreateHubStageNode(int32_t id) {
  if (id == kNodeHub) return new HubNode;
  return LoggingNode::Create(id);
}

class HubStage : public testing::Test {
protected:
  static inline const std::filesystem::path kContent = QEL_CONTENT_DIR;
  // Graphics levels of the settings: the SDL display without and with its software alpha blending.
  static constexpr int kNoAlpha = 0;
  static constexpr int kAlpha = 1;

  void SetUp() override {
    plat::win::SetTimeSourceForTesting([] { return HubNow(); });
    NodeManager::Instance().SetNodeFactoryForTesting(CreateHubStageNode);
    ActivePlayerData = PlayerData();
  }

  void TearDown() override {
    m_hub = nullptr;
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // The settings file on the content folder given (the generated set unless named), with the
  // settings' own lines after it.
  void WriteSettings(int graphics, const std::string& extra = "",
                     const std::filesystem::path& content = kContent) {
    WriteFile("Pilo.ini", "[Config]\nhdpath = " + content.string() +
                              "\ngraphics = " + std::to_string(graphics) + "\nwindowed = 1\n" + extra);
  }

  // The prepared save as the file of the slot, loaded and made the active player's as the sign-in
  // screen does when the player presses play.
  void SignIn(const std::string& save, uint32_t slot = 0) {
    const std::string file = "SaveGame" + std::to_string(slot) + ".sav";
    std::filesystem::copy_file(kContent / "saves" / save, file,
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(SaveGameManager::Instance().LoadSlot(slot));
    SaveGameManager::Instance().SetCurrentSlot(slot);
    ActivePlayerData.AssignByValue(CurrentPlayer::Instance());
    ActivePlayerData.saveSlot = slot;
    ActivePlayerData.signedIn = 1;
  }

  // Starts the game: its first frame makes the title screen's stand-in.
  void StartGame(int graphics = kAlpha, const std::string& extra = "") {
    WriteSettings(graphics, extra);
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
  }

  // The node from, then the hub; the hub's first frame has run.
  void EnterHub(int32_t from = kNodeSignIn) {
    if (from != NodeManager::Instance().GetCurrentId()) {
      NodeManager::Instance().RequestNode(from);
      Frame();
    }
    NodeManager::Instance().RequestNode(kNodeHub);
    Frame();
    m_hub = dynamic_cast<HubNode*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_hub, nullptr);
  }

  // The whole way in: the game, the save signed in, the hub.
  void StartHub(const std::string& save = "fresh.sav", int graphics = kAlpha, const std::string& extra = "") {
    StartGame(graphics, extra);
    SignIn(save);
    EnterHub();
  }

  // One frame of ms milliseconds: the mixer plays that long, then the game's frame runs.
  void Frame(uint32_t ms = 10) {
    HubNow() += ms;
    if (Qel::WinSoundManager::Exists() && Qel::WinSoundManager::Instance()->GetDirectSound())
      m_sound.Render(SoundStage::FramesOf(ms));
    m_app.Frame();
  }
  void Frames(int count, uint32_t ms = 10) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }
  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 300, uint32_t ms = 10) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }

  void MoveTo(int x, int y) {
    MoveMouse(x, y);
    Frame();
  }
  void Click(int x, int y) {
    m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y);
    m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y);
  }

  static std::string FileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static bool Shown(const GenericObject* object) {
    return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
  }

  std::vector<std::string> Started() const { return m_sounds.Of(Qel::EventId::SoundStarted); }
  size_t StartsOf(const std::string& name) const {
    size_t count = 0;
    for (const std::string& started : Started()) count += started == name;
    return count;
  }

  // Pull mode for the mixer; the device itself is opened by the game's start-up.
  SoundStage m_sound{false};
  SoundEventLog m_sounds;
  WinApp& m_app = GetWinApp();
  HubNode* m_hub = nullptr;
};

}  // namespace test
