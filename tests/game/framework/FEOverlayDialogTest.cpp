// The front end's yes/no dialog as a node's overlay in the game's frames: its spoken hints are the only
// hover speech (one line at a time, never the base's second copy), the silent updates after a hint and
// after the hints are turned off, the object updates that still run, and the portrait.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogStage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "graphics/SceneObjectGroup.h"
#include "sound/Sound.h"

namespace {

using Names = std::vector<std::string>;

bool Sounding(const CCSound* sound) {
  return sound && sound->GetEngineSound() && sound->GetEngineSound()->IsPlaying();
}

class FEDialog : public test::DialogStage {
protected:
  void SetUp() override {
    DialogStage::SetUp();
    AddSprite("ProgIcon3", 64, 64);
  }
  void TearDown() override {
    if (m_dialog && m_node) m_node->HideOverlay(m_dialog.get());
    m_dialog.reset();
    DialogStage::TearDown();
  }

  // The dialog shown as the node's overlay, the pointer resting away from its buttons.
  void Open(int32_t portrait = -1) {
    Start();
    m_dialog = std::make_unique<FEOverlayDialog>("SIExitDlg", "DialogBox", "Pilo_yes", "Pilo_no", portrait);
    m_node->ShowOverlay(m_dialog.get());
    MoveTo(700, 50);
    m_sounds.entries.clear();
  }

  // Frames until the hints are silent; the updates of the last one counted the first silent one.
  int FramesTillSilent() {
    int frames = 0;
    do {
      Frame();
      ++frames;
    } while ((Sounding(m_dialog->GetYesHint()) || Sounding(m_dialog->GetNoHint())) && frames < 100);
    return frames;
  }

  std::unique_ptr<FEOverlayDialog> m_dialog;
};

}  // namespace

TEST_F(FEDialog, AHintIsSpokenOnceAloneAndTheNextWaitsForSeventySilentUpdates) {
  Open();
  MoveTo(kOverYesX, kOverButtonY);
  // Only the hint speaks: the base's own line of the same file stays silent.
  EXPECT_EQ(Started(), Names({"0121"}));
  EXPECT_TRUE(Sounding(m_dialog->GetYesHint()));
  EXPECT_FALSE(Sounding(m_dialog->GetYesLine()));
  EXPECT_EQ(m_dialog->GetHintGap(), 1u);
  // The objects are still updated: the button under the pointer shows its pointer-over look.
  EXPECT_EQ(m_dialog->GetYesButton()->GetLookState(), GameButton::kLookOver);

  // Resting there: nothing more while the hint plays, nor for 69 silent updates after it.
  ASSERT_LT(FramesTillSilent(), 100);
  EXPECT_EQ(m_dialog->GetHintGap(), 2u);
  Frames(68);
  EXPECT_EQ(Started(), Names({"0121"}));
  EXPECT_EQ(m_dialog->GetHintGap(), 0u);
  Frame();
  EXPECT_EQ(Started(), Names({"0121", "0121"}));
  EXPECT_FALSE(Sounding(m_dialog->GetYesLine()));
}

TEST_F(FEDialog, MovingToNoWhileTheYesHintPlaysSpeaksOnlyAfterTheGap) {
  Open();
  MoveTo(kOverYesX, kOverButtonY);
  MoveTo(kOverNoX, kOverButtonY);
  EXPECT_EQ(Started(), Names({"0121"}));
  ASSERT_LT(FramesTillSilent(), 100);
  Frames(68);
  EXPECT_EQ(Started(), Names({"0121"}));
  Frame();
  EXPECT_EQ(Started(), Names({"0121", "5083"}));
  EXPECT_TRUE(Sounding(m_dialog->GetNoHint()));
  EXPECT_FALSE(Sounding(m_dialog->GetNoLine()));
  EXPECT_EQ(m_dialog->GetNoButton()->GetLookState(), GameButton::kLookOver);
  // Off the buttons: the gap runs out and nothing is spoken.
  MoveTo(700, 50);
  FramesTillSilent();
  Frames(200);
  EXPECT_EQ(Started(), Names({"0121", "5083"}));
  EXPECT_EQ(m_dialog->GetHintGap(), 0u);
}

TEST_F(FEDialog, HintsTurnedOffComeBackOnByThemselvesAfterThreeHundredUpdates) {
  Open();
  m_dialog->SetSpeechHints(false);
  EXPECT_FALSE(m_dialog->AreHintsOn());
  EXPECT_EQ(m_dialog->GetHintsOffCount(), 1u);
  MoveTo(kOverYesX, kOverButtonY);  // update 1
  Frames(297);
  EXPECT_TRUE(Started().empty());
  EXPECT_FALSE(m_dialog->AreHintsOn());
  // The 299th update turns them on, the 300th speaks.
  Frame();
  EXPECT_TRUE(m_dialog->AreHintsOn());
  EXPECT_EQ(m_dialog->GetHintsOffCount(), 0u);
  EXPECT_TRUE(Started().empty());
  Frame();
  EXPECT_EQ(Started(), Names({"0121"}));

  // Turned off again, the count starts afresh; turning them on at once speaks at the next chance.
  m_dialog->SetSpeechHints(false);
  Frames(10);
  EXPECT_EQ(m_dialog->GetHintsOffCount(), 11u);
  m_dialog->SetSpeechHints(true);
  EXPECT_EQ(m_dialog->GetHintsOffCount(), 11u);
  FramesTillSilent();
  Frames(69);
  EXPECT_EQ(Started(), Names({"0121", "0121"}));
}

TEST_F(FEDialog, ThePortraitIsShownOverTheBoxAndTheYesTestIsTheBases) {
  Open(3);
  Ambient* portrait = m_dialog->GetPortrait();
  ASSERT_NE(portrait, nullptr);
  EXPECT_STREQ(portrait->GetName(), "SIportrait");
  EXPECT_EQ(portrait->GetX(), 268.0f);
  EXPECT_EQ(portrait->GetY(), 177.0f);
  EXPECT_EQ(portrait->GetZ(), 9949);
  EXPECT_EQ(portrait->GetSize().X(), 64);
  EXPECT_EQ(m_dialog->GetObjects().Find("SIportrait"), portrait);
  EXPECT_TRUE(m_dialog->GetGroup()->FindChild("SIportrait"));
  EXPECT_TRUE(m_dialog->IsYesButton(m_dialog->GetYesButton()));
  EXPECT_FALSE(m_dialog->IsYesButton(m_dialog->GetNoButton()));
  EXPECT_FALSE(m_dialog->IsYesButton(portrait));
  EXPECT_FALSE(m_dialog->IsYesButton(nullptr));

  m_node->HideOverlay(m_dialog.get());
  m_dialog.reset();
  // Without a portrait index there is none; a missing portrait sprite is the sprite objects' error.
  FEOverlayDialog plain("plain", "DialogBox", "Pilo_yes", "Pilo_no", -1);
  EXPECT_EQ(plain.GetPortrait(), nullptr);
  EXPECT_EQ(plain.GetObjects().Find("SIportrait"), nullptr);
  try {
    FEOverlayDialog broken("broken", "DialogBox", "Pilo_yes", "Pilo_no", 4);
    ADD_FAILURE() << "a missing portrait sprite was taken";
  } catch (const char* error) {
    EXPECT_STREQ(error, "Failed to load sprite 'ProgIcon4'\n");
  }
}
