// Rooms in the game's frames: the change of node behind its loading picture, the pause that holds it,
// the exit dialog's two answers with the save and the closing line, space over the speech queue, the
// caption switch of room data and the cursor state that overlays keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RoomStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/CurrentPlayer.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/GameSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/SaveGameManager.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"
#include "sound/Sound.h"

namespace {

using Names = std::vector<std::string>;

bool Sounding(const GameSound* sound) {
  return sound && sound->GetEngineSound() && sound->GetEngineSound()->IsPlaying();
}

class RoomTest : public test::RoomStage {
protected:
  void TearDown() override {
    m_room = nullptr;
    RoomStage::TearDown();
  }

  int32_t CurrentId() const { return NodeManager::Instance().GetCurrentId(); }

  size_t LoadingScreens() const {
    size_t count = 0;
    for (int32_t i = 0; i < m_room->GetObjects().GetCount(); ++i) {
      if (std::string(m_room->GetObjects().At(i)->GetName()) == "KxLoadScreenxlm1") ++count;
    }
    return count;
  }

  // A sound of the room that plays on its own, looping, so that its pause and resume show.
  GameSound* Hum() {
    GameSound* hum = m_room->GetSound("hum", "hum", false);
    hum->Play(true, true);
    return hum;
  }

  // Clicks on the dialog's buttons as the player makes them, the pointer moved there first.
  void ClickYes() { ClickAt(kOverYesX); }
  void ClickNo() { ClickAt(kOverNoX); }
  void ClickAt(int x) {
    MoveTo(x, kOverButtonY);
    Click(x, kOverButtonY);
  }
};

TEST_F(RoomTest, ChangeOfNodeDrawsThePictureBeforeTheSwitchTwoUpdatesLater) {
  StartRoom();
  const int32_t start = CurrentId();
  ASSERT_NE(start, kNodeCreditScreen);
  m_room->ChangeNodeWithLoadingScreen(kNodeCreditScreen, "LoadRed");
  EXPECT_TRUE(m_room->IsChangePending());
  ASSERT_NE(m_room->GetLoadingScreen(), nullptr);
  EXPECT_EQ(m_room->GetLoadingScreen()->GetZ(), RoomNode::kLoadingScreenDepth);

  // First update: the delay passes, and the frame shows the picture.
  Frame();
  EXPECT_TRUE(m_room->IsChangeDelayPassed());
  EXPECT_FALSE(NodeManager::Instance().IsChangePending());
  EXPECT_TRUE(ScreenHas(400, 300, kRed));
  // Second update: the request, with the picture still drawn.
  Frame();
  EXPECT_FALSE(m_room->IsChangePending());
  EXPECT_TRUE(NodeManager::Instance().IsChangePending());
  EXPECT_EQ(NodeManager::Instance().GetRequestedId(), kNodeCreditScreen);
  EXPECT_EQ(CurrentId(), start);
  EXPECT_FALSE(MouseCursor::Instance().IsShown());
  // The following frame switches.
  Frame();
  EXPECT_EQ(CurrentId(), kNodeCreditScreen);
}

TEST_F(RoomTest, SecondChangeReplacesPictureAndTarget) {
  StartRoom();
  m_room->ChangeNodeWithLoadingScreen(kNodeCreditScreen, "LoadRed");
  Frame();
  // The delay passed once; the second call starts it again.
  m_room->ChangeNodeWithLoadingScreen(kNodeGame3, "LoadBlue");
  EXPECT_FALSE(m_room->IsChangeDelayPassed());
  EXPECT_EQ(m_room->GetPendingNodeId(), kNodeGame3);
  EXPECT_EQ(LoadingScreens(), 1u);
  Frame();
  EXPECT_TRUE(ScreenHas(400, 300, kBlue));
  EXPECT_FALSE(NodeManager::Instance().IsChangePending());
  Frame();
  Frame();
  EXPECT_EQ(CurrentId(), kNodeGame3);
  EXPECT_EQ(NodeManager::Instance().GetPreviousId() != kNodeCreditScreen, true);
}

TEST_F(RoomTest, NothingAdvancesWhilePaused) {
  StartRoom();
  // A room fresh from its factory, not yet updated.
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  m_room = dynamic_cast<test::StageRoom*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_room, nullptr);
  m_app.PauseGame();
  m_room->ChangeNodeWithLoadingScreen(kNodeCreditScreen, "LoadRed");
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_TRUE(m_room->IsChangePending());
  EXPECT_FALSE(m_room->IsChangeDelayPassed());
  EXPECT_FALSE(NodeManager::Instance().IsChangePending());
  EXPECT_EQ(CurrentId(), kNodeHub);

  m_app.ResumeGame();
  Frame();
  EXPECT_TRUE(m_room->IsChangeDelayPassed());
  Frame();
  EXPECT_EQ(NodeManager::Instance().GetRequestedId(), kNodeCreditScreen);
}

TEST_F(RoomTest, FirstFramesLastTwoUpdatesAndStandWhilePaused) {
  StartRoom();
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  m_room = dynamic_cast<test::StageRoom*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_room, nullptr);
  // The switching frame updated the room once.
  EXPECT_TRUE(m_room->IsFirstFrames());
  m_app.PauseGame();
  Frames(3);
  EXPECT_TRUE(m_room->IsFirstFrames());
  m_app.ResumeGame();
  Frame();
  EXPECT_FALSE(m_room->IsFirstFrames());
}

TEST_F(RoomTest, ExitDialogYesSavesPlaysTheClosingLineAndQuitsWhenItEnds) {
  StartRoom();
  ActivePlayerData.hubCounter = 0x01020304;
  ActivePlayerData.newResult = 1;
  SaveGameManager::Instance().SetCurrentSlot(3);
  GameSound* hum = Hum();
  Frame();

  m_room->OpenExitDialog();
  ASSERT_TRUE(m_room->IsExitDialogOpen());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_FALSE(Sounding(hum));
  EXPECT_EQ(m_room->GetOverlay(), m_room->GetExitDialog());
  EXPECT_STREQ(m_room->GetExitDialog()->GetName(), "SIExitDlg");
  Frame();
  m_sounds.entries.clear();

  ClickYes();
  EXPECT_FALSE(m_room->IsExitDialogOpen());
  EXPECT_TRUE(m_room->IsQuitting());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_FALSE(MouseCursor::Instance().IsEnabled());
  // The hover hint and the button's click come first, then the closing line.
  const Names started = m_sounds.Of(Qel::EventId::SoundStarted);
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.back(), "5089");
  EXPECT_EQ(std::count(started.begin(), started.end(), "5089"), 1);
  // The node's other sounds stay paused.
  EXPECT_FALSE(Sounding(hum));

  // Saved at once, the new-result byte kept.
  const std::string bytes = test::ReadFile("SaveGame3.sav");
  ASSERT_EQ(bytes.size(), CurrentPlayer::kFileSize);
  EXPECT_EQ(bytes.substr(1, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes[5], '\x01');

  // Escape's way in is closed while the line plays.
  m_room->OpenExitDialog();
  EXPECT_FALSE(m_room->IsExitDialogOpen());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_FALSE(m_app.IsQuitRequested());

  ASSERT_TRUE(RunUntilFinished("5089"));
  EXPECT_TRUE(m_app.IsQuitRequested());
}

TEST_F(RoomTest, ClosingLineThatCannotStartQuitsAtOnce) {
  StartRoom();
  SaveGameManager::Instance().SetCurrentSlot(0);
  // Neither the line's file nor the stand-in is there any more.
  for (const char* name : {"5089.wav", "placeholder.wav"}) m_stage.AddFile(name, "");
  m_room->OpenExitDialog();
  ClickYes();
  EXPECT_FALSE(Sounding(m_room->GetVoiceLine()));
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_EQ(test::ReadFile("SaveGame0.sav").size(), CurrentPlayer::kFileSize);
}

TEST_F(RoomTest, ExitDialogNoPlaysItsLineAndResumesGameAndSounds) {
  StartRoom();
  GameSound* hum = Hum();
  Frame();
  m_room->OpenExitDialog();
  Frame();
  m_sounds.entries.clear();
  ClickNo();
  EXPECT_FALSE(m_room->IsExitDialogOpen());
  EXPECT_FALSE(m_room->IsQuitting());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_EQ(m_room->GetOverlay(), nullptr);
  EXPECT_TRUE(Sounding(hum));
  EXPECT_TRUE(Sounding(m_room->GetVoiceLine()));
  const Names started = m_sounds.Of(Qel::EventId::SoundStarted);
  EXPECT_NE(std::find(started.begin(), started.end(), "5084"), started.end());
  ASSERT_TRUE(RunUntilFinished("5084"));
  EXPECT_FALSE(m_app.IsQuitRequested());

  // The dialog opens again, made afresh.
  m_room->OpenExitDialog();
  EXPECT_TRUE(m_room->IsExitDialogOpen());
  ClickNo();
}

TEST_F(RoomTest, AnyOtherFinishedClosingLineQuits) {
  StartRoom();
  m_room->PlayVoiceLine("5089", 5089);
  ASSERT_TRUE(Sounding(m_room->GetVoiceLine()));
  EXPECT_FALSE(m_app.IsQuitRequested());
  ASSERT_TRUE(RunUntilFinished("5089"));
  EXPECT_TRUE(m_app.IsQuitRequested());
}

TEST_F(RoomTest, VoiceLineReplacesThePreviousOne) {
  StartRoom();
  m_room->PlayVoiceLine("5084", 5084);
  const GameSound* first = m_room->GetVoiceLine();
  ASSERT_TRUE(Sounding(first));
  m_room->PlayVoiceLine("0100", 100);
  EXPECT_TRUE(Sounding(m_room->GetVoiceLine()));
  // The first one stopped and went from the node's list.
  EXPECT_EQ(m_room->GetSounds().Find("5084"), nullptr);
}

TEST_F(RoomTest, SpaceStopsTheQueueOnlyWhenSkippable) {
  struct Case {
    bool skippable;
    bool playingAfterSpace;
  };
  for (const Case c : {Case{false, true}, Case{true, false}}) {
    SCOPED_TRACE(c.skippable);
    if (!m_room) StartRoom();
    m_room->QueueLine(0, "5084", 5084);
    m_room->StartSpeech(0, false, c.skippable);
    // No speaker in slot 0: the queue waits for the room to stop it.
    ASSERT_TRUE(m_room->GetSpeechQueue()->IsPlaying());
    m_app.PostCharEvent(' ');
    Frame();
    EXPECT_EQ(m_room->GetSpeechQueue()->IsPlaying(), c.playingAfterSpace);
    m_room->StopSpeech();
  }
}

TEST_F(RoomTest, RoomDataWithoutCaptionsTurnsCaptionsOff) {
  m_stage.AddFile("roomData.txt", "Key = Value\n");
  StartRoom();
  gCaptionsOn = 7;
  EXPECT_TRUE(m_room->LoadRoomData("roomData", "SignIn"));
  EXPECT_EQ(gCaptionsOn, 1);
  EXPECT_NE(m_room->GetCaption(), nullptr);
  EXPECT_EQ(m_room->txtData, Names{"key=value"});
  m_room->LoadRoomData("roomData", nullptr);
  EXPECT_EQ(gCaptionsOn, 0);
  // Once off, a room with captions keeps them off.
  m_room->LoadRoomData("roomData", "SignIn");
  EXPECT_EQ(gCaptionsOn, 0);
  gCaptionsOn = 1;
}

TEST_F(RoomTest, OverlaysSaveAndRestoreTheCursorAndLeaveSoundsAlone) {
  struct Case {
    int32_t kind;
    bool shown;
    bool enabled;
  };
  StartRoom();
  GameSound* hum = Hum();
  FEOverlayDialog overlay("TestDlg", "DialogBox", "Pilo_Yes", "Pilo_No", -1);
  MouseCursor& cursor = MouseCursor::Instance();
  for (const Case c :
       {Case{5, false, false}, Case{12, true, false}, Case{1, false, true}, Case{0, true, true}}) {
    SCOPED_TRACE(c.kind);
    cursor.SetCursor(c.kind);
    c.shown ? cursor.Show() : cursor.Hide();
    cursor.SetEnabled(c.enabled);
    m_room->ShowOverlay(&overlay);
    EXPECT_EQ(cursor.GetCursor(), 0);
    EXPECT_TRUE(cursor.IsShown());
    EXPECT_TRUE(cursor.IsEnabled());
    EXPECT_TRUE(m_app.IsPaused());
    EXPECT_EQ(m_room->GetOverlay(), &overlay);
    EXPECT_TRUE(Sounding(hum));
    m_room->HideOverlay(&overlay);
    EXPECT_EQ(cursor.GetCursor(), c.kind);
    EXPECT_EQ(cursor.IsShown(), c.shown);
    EXPECT_EQ(cursor.IsEnabled(), c.enabled);
    EXPECT_FALSE(m_app.IsPaused());
    EXPECT_EQ(m_room->GetOverlay(), nullptr);
  }
}

TEST_F(RoomTest, QuitDialogYesClearsTheNewResultAndSaves) {
  StartRoom();
  ActivePlayerData.newResult = 1;
  SaveGameManager::Instance().SetCurrentSlot(2);
  m_room->OnQuitConfirmed();
  const std::string bytes = test::ReadFile("SaveGame2.sav");
  ASSERT_EQ(bytes.size(), CurrentPlayer::kFileSize);
  EXPECT_EQ(bytes[5], '\0');
}

TEST_F(RoomTest, ActivationSetsTheArrowsHotspots) {
  StartRoom();
  for (const int32_t kind : {0, 1, 15})
    EXPECT_EQ(MouseCursor::Instance().GetHotspot(kind), Qel::Point2(22, 21));
  EXPECT_EQ(MouseCursor::Instance().GetHotspot(2), Qel::Point2());
}

}  // namespace

namespace {

TEST_F(RoomTest, ARoomGoesWithItsExitDialogShownOrClosed) {
  StartRoom();
  m_room->OpenExitDialog();
  // A second opening replaces the dialog that is shown.
  m_room->OpenExitDialog();
  EXPECT_EQ(m_room->GetOverlay(), m_room->GetExitDialog());
  NodeManager::Instance().RequestNode(kNodeHub);
  Frame();
  m_room = dynamic_cast<test::StageRoom*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_room, nullptr);
  m_room->OpenExitDialog();
  ClickNo();
  // The shut-down deletes the room with its closed dialog.
}

}  // namespace
