// The help page over a node of the running game: the captions of each node's help, its pictures and
// exit art, pages 0 to 40 shown from their first frame and others ignored, and a click anywhere that
// reaches the node as a click on the background.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogStage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/ClosedCaption.h"
#include "framework/HelpDialog.h"
#include "framework/UnClickableGameButton.h"
#include "graphics/SceneObject.h"
#include "sound/Sound.h"

namespace {

class Help : public test::DialogStage {
protected:
  void SetUp() override {
    DialogStage::SetUp();
    AddSprite("blank", 1, 1);
    AddSprite("help_bkg", 800, 600, 3, 1, test::kDialogRed);
    AddSprite("help_overlay", 600, 400, HelpDialog::kLastPage + 2, 2, test::kDialogGreen);
    AddSprite("ActBackArrow", 86, 63, 3, 1, test::kDialogBlue);
    // Each caption file names itself in its one line.
    for (const char* name :
         {"Hub", "Tribal", "MoonFish", "GarmoSub", "DazodOrer", "Turtles", "Shell", "Concentration"})
      m_stage.AddFile(std::string(name) + ".txt", std::string("1 Pilo ") + name + "\n");
  }
  void TearDown() override {
    if (m_help && m_node) m_node->DetachOverlay(m_help.get());
    m_help.reset();
    DialogStage::TearDown();
  }

  std::unique_ptr<HelpDialog> m_help;
};

}  // namespace

TEST_F(Help, EachNodeGetsTheCaptionsOfItsOwnHelpAndAnyOtherTheSignInScreens) {
  Start();
  const std::pair<uint32_t, const char*> cases[] = {
      {6, "Hub"},      {9, "Tribal"},  {10, "MoonFish"},       {11, "GarmoSub"}, {12, "DazodOrer"},
      {13, "Turtles"}, {14, "Shell"},  {15, "Concentration"},  {0, "SignIn"},    {5, "SignIn"},
      {7, "SignIn"},   {16, "SignIn"}, {0xFFFFFFFFu, "SignIn"}};
  for (const auto& [node, captions] : cases) {
    SCOPED_TRACE(node);
    HelpDialog help("HelpScreen", node);
    ASSERT_NE(help.GetCaption(), nullptr);
    const ClosedCaption& caption = *help.GetCaption();
    ASSERT_GE(caption.GetEntryCount(), 1u);
    if (std::string(captions) == "SignIn") {
      EXPECT_NE(caption.Find(121), nullptr);
    } else {
      EXPECT_STREQ(caption.GetEntry(0).text, captions);
    }
  }
}

TEST_F(Help, PagesZeroToFortyShowFromTheirFirstFrameAndOtherValuesChangeNothing) {
  Start();
  m_help = std::make_unique<HelpDialog>("HelpScreen", 6);
  m_node->AttachOverlay(m_help.get());
  Ambient* page = m_help->GetPageObject();
  EXPECT_STREQ(page->GetName(), "HelpObjectsLt4d");
  EXPECT_EQ(page->GetAnimationId(), 0u);
  for (int32_t n = 0; n <= HelpDialog::kLastPage; ++n) {
    SCOPED_TRACE(n);
    m_help->SetPageSequence(n);
    EXPECT_EQ(page->GetAnimationId(), static_cast<uint32_t>(n));
    EXPECT_EQ(page->GetCurrentFrame(), 0);
  }
  // The page turns on the application clock while the game is paused; the same page starts again.
  m_help->SetPageSequence(12);
  Frames(15);
  EXPECT_EQ(page->GetCurrentFrame(), 1);
  m_help->SetPageSequence(12);
  EXPECT_EQ(page->GetCurrentFrame(), 0);
  Frames(15);
  for (const int32_t n : {-1, 41, 1000, -2147483647 - 1}) {
    SCOPED_TRACE(n);
    m_help->SetPageSequence(n);
    EXPECT_EQ(page->GetAnimationId(), 12u);
    EXPECT_EQ(page->GetCurrentFrame(), 1);
  }
}

TEST_F(Help, TheBackgroundTakesAClickAnywhereAndTheExitArtOnlySounds) {
  Start();
  m_help = std::make_unique<HelpDialog>("HelpScreen", 9);
  m_node->AttachOverlay(m_help.get());
  Clickable* background = m_help->GetBackground();
  EXPECT_STREQ(background->GetName(), "HelpScreenHelpDismisstY42l");
  EXPECT_TRUE(background->GetSceneObject()->IsVisible());
  EXPECT_STREQ(m_help->GetPicture()->GetName(), "HelpPausegrxL7m");
  EXPECT_EQ(m_help->GetPicture()->GetSize().X(), 800);
  UnClickableGameButton* exit = m_help->GetExitArt();
  EXPECT_STREQ(exit->GetName(), "HelpExit");
  EXPECT_EQ(exit->GetX(), 27.0f);
  EXPECT_EQ(exit->GetY(), 511.0f);
  EXPECT_TRUE(exit->IsEnabled());
  ASSERT_NE(exit->GetClickSound(), nullptr);
  EXPECT_EQ(exit->GetClickSound()->GetEngineSound()->GetName(), "ButtonDown");
  const std::vector<const GenericObject*> objects = {background, m_help->GetPicture(),
                                                     m_help->GetPageObject(), exit};
  for (const GenericObject* object : objects) EXPECT_EQ(m_help->GetObjects().Find(object->GetName()), object);

  Frame();
  m_sounds.entries.clear();
  Click(799, 599);
  Click(50, 530);  // over the exit art, which sounds and passes the click on
  Click(0, 0);
  EXPECT_EQ(m_node->clicks, std::vector<std::string>(3, "HelpScreenHelpDismisstY42l"));
  EXPECT_EQ(Started().size(), 1u);
  EXPECT_TRUE(m_help->IsBackground(background));
  EXPECT_FALSE(m_help->IsBackground(exit));
  EXPECT_FALSE(m_help->IsBackground(m_help->GetPageObject()));
  EXPECT_FALSE(m_help->IsBackground(nullptr));
}

TEST_F(Help, ThePageIsDrawnOverItsPictureAndTheExitArtOverBoth) {
  Start();
  m_help = std::make_unique<HelpDialog>("HelpScreen", 6);
  m_node->AttachOverlay(m_help.get());
  Frame();
  EXPECT_TRUE(ScreenHas(700, 500, test::kDialogRed));
  EXPECT_TRUE(ScreenHas(300, 200, test::kDialogGreen));
  EXPECT_TRUE(ScreenHas(50, 530, test::kDialogBlue));
}
