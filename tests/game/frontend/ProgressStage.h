// A stage for the progress node and its screens: the dialogs' stage with a progress room as the
// running node, and the art, sounds and captions of the progress, movie and help screens.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "../framework/DialogStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/GenericObject.h"
#include "framework/HelpDialog.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "frontend/ProgressNode.h"
#include "graphics/SceneObject.h"

namespace test {

// A room that notes the speech events it gets.
class ProgressRoom : public ProgressNode {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new ProgressRoom; }

  void OnSpeechEvent(int id, void* data) override { speechEvents.emplace_back(id, data); }

  std::vector<std::pair<int, void*>> speechEvents;
};

inline bool Shown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

class ProgressStage : public DialogStage {
protected:
  // The sequences of the progress screen's sprites: one per row, per success picture, per digit,
  // per trophy and per overall level.
  static constexpr int kTitleSequences = 5;
  static constexpr int kSuccessSequences = 6;
  static constexpr int kDigitSequences = 10;
  static constexpr int kTrophySequences = 6;
  static constexpr int kLevelSequences = 5;

  void SetUp() override {
    DialogStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(ProgressRoom::Create);
    ActivePlayerData = PlayerData();

    AddSprite("prog_main", 800, 600, 3, 1, kDialogRed);
    AddSprite("prog_gametitle", 120, 30, kTitleSequences);
    for (const char* name : {"prog_turtle", "prog_moon", "prog_shark", "prog_monty", "prog_conc"})
      AddSprite(name, 100, 100, kSuccessSequences);
    AddSprite("prog_numbers", 16, 20, kDigitSequences);
    AddSprite("prog_supertitle", 200, 30);
    AddSprite("prog_trophys", 60, 80, kTrophySequences);
    AddSprite("prog_superopen", 60, 60, kLevelSequences);
    AddSprite("ActBackArrow", 86, 63, 3, 1, kDialogBlue);
    m_stage.AddFile("Hub.txt", "1430 Pilo New\n1930 Pilo Won\n");

    AddSprite("blank", 1, 1);
    AddSprite("help_bkg", 800, 600, 3, 1, kDialogGreen);
    AddSprite("help_overlay", 600, 400, HelpDialog::kLastPage + 1);
    m_stage.AddFile("Concentration.txt", "4503 Pilo Turn\n4504 Pilo Match\n4505 Pilo Again\n");

    AddSprite("replayMovieBK", 800, 600, 3, 1, kDialogRed);
    AddSprite("actback_blank", 10, 10);
    AddSprite("replayUpArrow", 50, 40);
    AddSprite("replayDownArrow", 50, 40);
    AddSprite("replayUpArrow_sdl", 50, 40);
    AddSprite("replayDownArrow_sdl", 50, 40);
    AddSprite("replay_mov_but", 200, 150, 8);
    m_stage.AddFile("FMVScreen.txt", "4450 Pilo Again\n");

    m_stage.AddWave("ButtonDown4", Tone(50));
    m_stage.AddWave("4503", Tone(100));
    m_stage.AddWave("4504", Tone(200));
    m_stage.AddWave("4505", Tone(100));
  }

  void TearDown() override {
    m_room = nullptr;
    DialogStage::TearDown();
  }

  // Starts the game with a progress room as its node.
  void StartRoom() {
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_room = dynamic_cast<ProgressRoom*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_room, nullptr);
  }

  // Frames until the condition holds; false when it did not within the frames given.
  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 200) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame();
    }
    return condition();
  }

  // The sounds that started, of that name.
  size_t StartsOf(const std::string& name) const {
    size_t count = 0;
    for (const std::string& started : Started()) count += started == name;
    return count;
  }

  ProgressRoom* m_room = nullptr;
};

}  // namespace test
