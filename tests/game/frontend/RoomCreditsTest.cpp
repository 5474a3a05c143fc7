// The credits roll in the game's frames: sixteen pages stacked edge to edge below the screen rise at
// 40 pixels a second, stop and hide once past the top, and the last one's leaving (or a click
// anywhere) stops the music, saves what the active player holds, once, and asks for the hub; the
// roll's database goes with it, and a page missing from its file ends the program naming it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "RoomStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/CurrentPlayer.h"
#include "framework/MainApp.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SaveGameManager.h"
#include "framework/SpriteObject.h"
#include "frontend/RoomCredits.h"
#include "graphics/SceneObject.h"
#include "support/WindowsPath.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kSlot = 2;
constexpr const char* kSaveFile = "SaveGame2.sav";

GameNode* CreateNode(int32_t id) {
  if (id == kNodeCreditScreen) return new RoomCredits;
  return test::StageRoom::Create(id);
}

bool Visible(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

class CreditsTest : public test::RoomStage {
protected:
  // The trace is on for the suite's cases; the suite's end takes the setting away again.
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }

  void SetUp() override {
    RoomStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateNode);
    AddSprite("blank", 1, 1);
    m_stage.AddWave("Credits_music_loop", test::Tone(1000));
    m_stage.AddFile("creditsData.txt", "room = credits\n");
    m_stage.AddFile("credits_CC.txt", "1 no lines\n");
    // The roll's own database folder, so that its removal is seen.
    fs::create_directories("universal/credits");
  }

  void TearDown() override {
    m_credits = nullptr;
    m_room = nullptr;
    ActivePlayerData = PlayerData();
    SaveGameManager::Instance().SetCurrentSlot(SaveGameManager::kNoSlot);
    RoomStage::TearDown();
  }

  // Pages of the given heights in the file, each at a place of its own that the roll replaces.
  void AddPages(const std::vector<int32_t>& heights) {
    std::string objects;
    for (size_t i = 0; i < heights.size(); ++i) {
      const std::string name = "credits" + std::to_string(i + 1);
      AddSprite(name, 800, heights[i], 1);
      objects += "[ambient " + name + " " + name + "]\nx = 50\ny = 7\nz = " + std::to_string(101 + i) + "\n";
    }
    m_stage.AddFile("creditsobjs.txt", objects);
  }
  void AddEqualPages(int32_t height) { AddPages(std::vector<int32_t>(RoomCredits::kPageCount, height)); }

  // The game starts in a room with slot 2 current, then the credits are asked for.
  void StartCredits() {
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\nhdpath = " + test::WindowsPathOf(".") + "\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    SaveGameManager::Instance().SetCurrentSlot(kSlot);
    NodeManager::Instance().RequestNode(kNodeCreditScreen);
    Frame();
    m_credits = dynamic_cast<RoomCredits*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_credits, nullptr);
  }

  bool HubRequested() const {
    return NodeManager::Instance().IsChangePending() && NodeManager::Instance().GetRequestedId() == kNodeHub;
  }
  // The frame that takes a click also switches nodes.
  bool InHub() const { return NodeManager::Instance().GetCurrentId() == kNodeHub; }

  // The record the save file holds now.
  CurrentPlayer& Saved() {
    CurrentPlayer::Instance().Reset();
    EXPECT_TRUE(SaveGameManager::Instance().LoadSlot(kSlot));
    return CurrentPlayer::Instance();
  }

  RoomCredits* m_credits = nullptr;
};

TEST_F(CreditsTest, PagesStackEdgeToEdgeBelowTheScreenAndRiseTogether) {
  const std::vector<int32_t> heights = {80, 20, 130, 60, 90, 40, 200, 10, 70, 55, 65, 75, 85, 95, 105, 115};
  AddPages(heights);
  StartCredits();
  float expected = 600.0f;
  for (int32_t i = 0; i < RoomCredits::kPageCount; ++i) {
    const SpriteObject* page = m_credits->GetPage(i);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetX(), 0.0f) << "page " << i + 1;
    EXPECT_EQ(page->GetY(), expected) << "page " << i + 1;
    EXPECT_EQ(page->GetVelocityY(), -RoomCredits::kRollSpeed);
    expected += static_cast<float>(heights[static_cast<size_t>(i)]);
  }
  EXPECT_EQ(MusicManager::Instance().GetCurrentName(), "Credits_music_loop");

  // Two seconds later every page has risen by 80 pixels, edges still together.
  const float firstBefore = m_credits->GetPage(0)->GetY();
  const float lastBefore = m_credits->GetPage(15)->GetY();
  for (int i = 0; i < 20; ++i) Frame(100);
  const float risen = firstBefore - m_credits->GetPage(0)->GetY();
  EXPECT_NEAR(risen, 80.0f, 4.0f);
  EXPECT_FLOAT_EQ(lastBefore - m_credits->GetPage(15)->GetY(), risen);
}

// Sixty frames a second leave float positions far down the stack rounded differently from those near
// the top: on the screen, every rising page still starts on the row after the one above it ends.
TEST_F(CreditsTest, RisingPagesStayEdgeToEdgeOnTheScreenAtSixtyFramesASecond) {
  constexpr int32_t kHeight = 40;
  AddEqualPages(kHeight);
  StartCredits();
  for (int32_t step = 0; step < 2500 && !HubRequested(); ++step) {
    Frame(16);
    const SpriteObject* above = nullptr;
    for (int32_t i = 0; i < RoomCredits::kPageCount; ++i) {
      const SpriteObject* page = m_credits->GetPage(i);
      if (!Visible(page)) continue;
      if (above) {
        // Half-up rounding truncates toward zero, so above the top a page may stand a row low and
        // the page below cover its last row; on the screen, edge to edge.
        const int32_t gap = page->GetWorldPosition().Y() - above->GetWorldPosition().Y() - kHeight;
        if (above->GetY() >= 0.0f) ASSERT_EQ(gap, 0) << "page " << i + 1 << " after " << step + 1 << " frames";
        else ASSERT_TRUE(gap == 0 || gap == -1) << "page " << i + 1 << " after " << step + 1 << " frames";
      }
      above = page;
    }
  }
}

TEST_F(CreditsTest, TheRollEndsWhenTheLastPageHasLeftAndSavesWhatThePlayerHoldsOnce) {
  constexpr int32_t kHeight = 40;
  AddEqualPages(kHeight);
  StartCredits();
  // Progress made since the hub last saved must reach the file.
  ActivePlayerData.hubCounter = 1234;

  // (600 + 16 x 40) / 40 = 31 s of game time.
  constexpr uint32_t kRollMs = (600 + RoomCredits::kPageCount * kHeight) * 1000 / 40;
  uint32_t elapsed = 0;
  bool sawFirstGoneWhileLastMoves = false;
  while (!HubRequested() && elapsed < kRollMs + 2000) {
    Frame(100);
    elapsed += 100;
    const SpriteObject* first = m_credits->GetPage(0);
    const SpriteObject* last = m_credits->GetPage(15);
    if (!Visible(first) && first->GetVelocityY() == 0.0f && last->GetVelocityY() < 0.0f) {
      sawFirstGoneWhileLastMoves = true;
    }
  }
  ASSERT_TRUE(HubRequested());
  EXPECT_GE(elapsed, kRollMs);
  EXPECT_LE(elapsed, kRollMs + 300);
  EXPECT_TRUE(sawFirstGoneWhileLastMoves);
  EXPECT_FALSE(Visible(m_credits->GetPage(15)));
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);
  EXPECT_EQ(Saved().hubCounter, 1234u);

  // The last page stays past the top until the switch: the file is not written again.
  fs::remove(kSaveFile);
  m_credits->Update();
  EXPECT_FALSE(fs::exists(kSaveFile));

  testing::internal::CaptureStderr();
  Frame();
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeHub);
  EXPECT_NE(trace.find("INFO: Removed resource database universal\\credits"), std::string::npos) << trace;
}

TEST_F(CreditsTest, AClickAnywhereLeavesAtOnceWithTheSameSave) {
  AddEqualPages(40);
  StartCredits();
  Frame(100);
  ActivePlayerData.hubCounter = 77;
  MoveTo(400, 300);
  Click(400, 300);
  Frame();
  m_credits = nullptr;
  EXPECT_TRUE(InHub());
  EXPECT_EQ(MusicManager::Instance().GetCurrentMusic(), nullptr);
  EXPECT_EQ(Saved().hubCounter, 77u);
}

TEST_F(CreditsTest, NothingMovesWhileTheGameIsPaused) {
  AddEqualPages(40);
  StartCredits();
  Frame(100);
  const float y = m_credits->GetPage(0)->GetY();
  m_app.PauseGame();
  for (int i = 0; i < 30; ++i) Frame(100);
  EXPECT_EQ(m_credits->GetPage(0)->GetY(), y);
  EXPECT_FALSE(HubRequested());
  m_app.ResumeGame();
  Frame(100);
  EXPECT_LT(m_credits->GetPage(0)->GetY(), y);
}

TEST_F(CreditsTest, APageMissingFromTheFileEndsTheProgramNamingIt) {
  std::vector<int32_t> heights(RoomCredits::kPageCount, 40);
  heights.resize(6);
  AddPages(heights);
  test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
  ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
  Frame();
  NodeManager::Instance().RequestNode(kNodeCreditScreen);
  std::string thrown = "nothing thrown";
  try {
    Frame();
  } catch (const char* text) {
    thrown = text;
  }
  EXPECT_EQ(thrown, "Object 'credits7' missing from 'creditsobjs'\n");
}

}  // namespace
