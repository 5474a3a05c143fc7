// The three demo title pages in the game's frames: each draws its picture and its two buttons where
// they belong; the sub-game and hub pages start the sign-in music with captions off, answer Escape
// (after the first two updates) and their exit button with the sign-in screen's exit dialog, whose
// yes ends the program once "0120" has been spoken and whose no plays "0110" and resumes; the music
// game's page quits at once on its exit button and leaves Escape to the node's quit dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "RoomStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SaveGameManager.h"
#include "frontend/SharkTitleScreen.h"
#include "frontend/TribalTitleScreen.h"
#include "frontend/UpsellTitleScreen.h"
#include "sound/Sound.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kPictureColour = test::kDialogRed;
constexpr uint32_t kForwardColour = test::kDialogGreen;
constexpr uint32_t kExitColour = test::kDialogBlue;
constexpr uint16_t kEscape = 27;

GameNode* CreateNode(int32_t id) {
  switch (id) {
    case kNodeSharkTitleScreen:
      return new SharkTitleScreen;
    case kNodeUpsellTitleScreen:
      return new UpsellTitleScreen;
    case kNodeTribalTitleScreen:
      return new TribalTitleScreen;
    default:
      return test::StageRoom::Create(id);
  }
}

struct Page {
  int32_t id;
  int32_t target;
  int32_t exitX;
};
// The sub game's and the hub's pages.
constexpr Page kAskingPages[] = {{kNodeSharkTitleScreen, kNodeGame5, 594}, {kNodeUpsellTitleScreen, kNodeHub, 5}};

class DemoPagesTest : public test::RoomStage {
protected:
  void SetUp() override {
    RoomStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateNode);
    AddSprite("Main_title", 800, 600, 1, 1, kPictureColour);
    AddSprite("loading_tribal", 800, 600, 1, 1, kPictureColour);
    AddSprite("ForwardArrow", 90, 60, 3, 1, kForwardColour);
    AddSprite("SignInPlayBut", 90, 60, 3, 1, kForwardColour);
    AddSprite("ActBackArrow", 86, 63, 3, 1, kExitColour);
    m_stage.AddWave("Signin_music", test::Tone(2000));
    m_stage.AddWave("0110", test::Tone(100));
    m_stage.AddWave("0120", test::Tone(100));
  }

  void TearDown() override {
    m_page = nullptr;
    m_room = nullptr;
    SaveGameManager::Instance().SetCurrentSlot(SaveGameManager::kNoSlot);
    RoomStage::TearDown();
  }

  // The game starts in a room, then the page is asked for and shown once.
  void StartPage(int32_t id) {
    StartRoom();
    m_room = nullptr;
    NodeManager::Instance().RequestNode(id);
    Frame();
    m_page = NodeManager::Instance().GetCurrentNode();
    ASSERT_EQ(NodeManager::Instance().GetCurrentId(), id);
  }

  SharkTitleScreen* Asking() const { return dynamic_cast<SharkTitleScreen*>(m_page); }

  void ClickOn(int x, int y) {
    MoveTo(x, y);
    Click(x, y);
    Frame();
  }
  void Type(uint16_t code) {
    m_app.PostCharEvent(code);
    Frame();
  }

  bool Requested(int32_t id) const {
    return NodeManager::Instance().IsChangePending() && NodeManager::Instance().GetRequestedId() == id;
  }

  GameNode* m_page = nullptr;
};

// One game per process: each page of a table is a case of its own.
class EveryPage : public DemoPagesTest, public testing::WithParamInterface<Page> {};
class AskingPage : public DemoPagesTest, public testing::WithParamInterface<Page> {};

TEST_P(EveryPage, DrawsItsPictureAndButtonsWhereTheyBelong) {
  const Page& page = GetParam();
  StartPage(page.id);
  Frame();
  EXPECT_TRUE(ScreenHas(300, 200, kPictureColour));
  EXPECT_TRUE(ScreenHas(703 + 45, 530 + 30, kForwardColour));
  EXPECT_TRUE(ScreenHas(page.exitX + 40, 531 + 30, kExitColour));
  const GenericObject* next = m_page->FindObject("Demonext1");
  const GenericObject* exit = m_page->FindObject("DemoExit1");
  const GenericObject* picture =
      m_page->FindObject(page.id == kNodeTribalTitleScreen ? "Tribaltitle1" : "Demotitle1");
  ASSERT_NE(next, nullptr);
  ASSERT_NE(exit, nullptr);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->GetZ(), 0);
  EXPECT_EQ(next->GetZ(), 20);
  EXPECT_EQ(exit->GetZ(), 21);
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryPage,
                         testing::Values(kAskingPages[0], kAskingPages[1], Page{kNodeTribalTitleScreen, kNodeGame3, 5}));

TEST_F(DemoPagesTest, AskingPagesPlayTheSignInMusicWithCaptionsOff) {
  gCaptionsOn = 1;
  StartPage(kNodeSharkTitleScreen);
  EXPECT_EQ(MusicManager::Instance().GetCurrentName(), "Signin_music");
  EXPECT_EQ(gCaptionsOn, 0);
  EXPECT_FALSE(m_page->IsQuitAllowed());
}

TEST_P(AskingPage, EscapeOpensTheExitDialogOnlyAfterTheFirstUpdates) {
  const Page& page = GetParam();
  StartPage(page.id);
  // The activation's frame was the first update.
  Type(kEscape);
  EXPECT_FALSE(Asking()->IsExitDialogShown());
  Frame();
  Type(kEscape);
  ASSERT_TRUE(Asking()->IsExitDialogShown());
  EXPECT_EQ(std::string(Asking()->GetDialog()->GetName()), "SIExitDlg");
  EXPECT_TRUE(m_app.IsPaused());
}

TEST_P(AskingPage, YesEndsTheProgramOnceTheClosingLineHasBeenSpokenWithoutSaving) {
  const Page& page = GetParam();
  StartPage(page.id);
  SaveGameManager::Instance().SetCurrentSlot(1);
  Frames(3);
  ClickOn(page.exitX + 40, 560);
  ASSERT_TRUE(Asking()->IsExitDialogShown());
  ClickOn(kOverYesX, kOverButtonY);
  EXPECT_FALSE(Asking()->IsExitDialogShown());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_FALSE(m_app.IsQuitRequested());
  // The pointer stays usable while the line plays.
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  ASSERT_TRUE(RunUntilFinished("0120"));
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_FALSE(fs::exists("SaveGame1.sav"));
}

TEST_F(DemoPagesTest, NoPlaysTheStayLineAndResumes) {
  StartPage(kNodeUpsellTitleScreen);
  GameSound* hum = m_page->GetSound("hum", "hum", false);
  hum->Play(true, true);
  Frames(3);
  Type(kEscape);
  ASSERT_TRUE(Asking()->IsExitDialogShown());
  EXPECT_FALSE(hum->GetEngineSound()->IsPlaying());
  ClickOn(kOverNoX, kOverButtonY);
  EXPECT_FALSE(Asking()->IsExitDialogShown());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_TRUE(hum->GetEngineSound()->IsPlaying());
  ASSERT_NE(Asking()->GetDemoVoice(), nullptr);
  EXPECT_EQ(Asking()->GetDemoVoice()->GetEngineSound()->GetId(), "0110");
  ASSERT_TRUE(RunUntilFinished("0110"));
  EXPECT_FALSE(m_app.IsQuitRequested());
}

TEST_P(EveryPage, ForwardAsksForItsTarget) {
  const Page& page = GetParam();
  StartPage(page.id);
  Frames(3);
  MoveTo(740, 560);
  Click(740, 560);
  Frame();
  // The frame that takes the click may already switch.
  EXPECT_TRUE(Requested(page.target) || NodeManager::Instance().GetCurrentId() == page.target);
}

INSTANTIATE_TEST_SUITE_P(Pages, AskingPage, testing::ValuesIn(kAskingPages));

TEST_F(DemoPagesTest, TheMusicGamesPageQuitsAtOnceOnItsExitButton) {
  StartPage(kNodeTribalTitleScreen);
  Frames(3);
  ClickOn(45, 560);
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_EQ(m_page->GetOverlay(), nullptr);
}

TEST_F(DemoPagesTest, EscapeOnTheMusicGamesPageAsksTheNodesQuitQuestionWhoseYesSaves) {
  StartPage(kNodeTribalTitleScreen);
  SaveGameManager::Instance().SetCurrentSlot(4);
  ActivePlayerData.hubCounter = 321;
  Frames(3);
  Type(kEscape);
  ASSERT_TRUE(m_page->IsQuitDialogOpen());
  ClickOn(kOverYesX, kOverButtonY);
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_TRUE(fs::exists("SaveGame4.sav"));
}

TEST_F(DemoPagesTest, TheMusicGamesQuitQuestionWritesNothingWithoutASignedInPlayer) {
  StartPage(kNodeTribalTitleScreen);
  Frames(3);
  Type(kEscape);
  ASSERT_TRUE(m_page->IsQuitDialogOpen());
  ClickOn(kOverYesX, kOverButtonY);
  EXPECT_TRUE(m_app.IsQuitRequested());
  for (const auto& entry : fs::directory_iterator("."))
    EXPECT_NE(entry.path().extension(), ".sav") << entry.path();
}

}  // namespace
