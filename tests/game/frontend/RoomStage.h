// A stage for rooms: the game started with a room of the test's own as every node, the exit dialog's
// sprites, sounds and captions in a content folder, and the mixer moved on with each frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../framework/DialogStage.h"
#include "core/EventManager.h"
#include "framework/GameEvents.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "frontend/RoomNode.h"

namespace test {

// Every node of the stage is one of these; it logs the text data and speech events it gets.
class StageRoom : public RoomNode {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new StageRoom; }

  void SetTxtValue(const char* key, const char* value) override {
    txtData.push_back(std::string(key) + "=" + value);
  }
  void OnSpeechEvent(int id, void* data) override {
    speechEvents.push_back(id);
    RoomNode::OnSpeechEvent(id, data);
  }

  std::vector<std::string> txtData;
  std::vector<int> speechEvents;
};

class RoomStage : public DialogStage {
protected:
  static constexpr uint32_t kRed = kDialogRed;
  static constexpr uint32_t kBlue = kDialogBlue;

  void SetUp() override {
    DialogStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(StageRoom::Create);
    // The exit dialog's art and lines.
    AddSprite("Pilo_Yes", 100, 40);
    AddSprite("Pilo_No", 100, 40);
    AddSprite("LoadRed", 800, 600, 1, 1, kRed);
    AddSprite("LoadBlue", 800, 600, 1, 1, kBlue);
    for (const char* name : {"0100", "5089", "5084"}) m_stage.AddWave(name, Tone(100));
    m_stage.AddFile("SignIn.txt",
                    "100 Save and quit?\n121 Pilo Yes\n5083 Pilo No\n5084 Stay\n5089 Goodbye\n");
  }

  // Starts the game and takes its first room.
  void StartRoom() {
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_room = dynamic_cast<StageRoom*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_room, nullptr);
  }

  // Frames until the sound has finished, at most limit of them; false when it never did.
  bool RunUntilFinished(const std::string& name, int limit = 100) {
    for (int i = 0; i < limit; ++i) {
      for (const std::string& finished : m_sounds.Of(Qel::EventId::SoundFinished)) {
        if (finished == name) return true;
      }
      Frame();
    }
    return false;
  }

  StageRoom* m_room = nullptr;
};

}  // namespace test
