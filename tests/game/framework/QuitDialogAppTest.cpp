// The quit dialog in the running program: frames of the application with a node of the base's own
// routing, Escape showing the dialog over the scene, and a click on yes ending the message loop.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/Color.h"
#include "framework/GameNode.h"
#include "framework/MainApp.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "framework/YesNoDialog.h"
#include "graphics/DrawingSurface.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "support/BackBufferColour.h"
#include "support/NodeContent.h"
#include "support/SdlEvents.h"
#include "support/SdlMouse.h"
#include "support/TempDir.h"

namespace {

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class QuitNode : private test::NodeSprites, public GameNode {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new QuitNode; }
  void OnQuitConfirmed() override { Log().push_back("quit confirmed"); }
  void OnChar(uint16_t code) override { Log().push_back("char " + std::to_string(code)); }
};

class QuitApp : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    NodeManager::Instance().SetNodeFactoryForTesting(QuitNode::Create);
    Log().clear();
  }
  void TearDown() override {
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  void Frame() {
    gNow += 20;
    m_app.Frame();
  }

  // A pixel of the frame last drawn, as 0xRRGGBB.
  uint32_t ColourAt(int x, int y) { return test::ColourAt(*m_app.GetDisplay()->GetBackBuffer(), x, y); }

  WinApp& m_app = GetWinApp();
};

}  // namespace

TEST_F(QuitApp, EscapeShowsTheDialogOverTheSceneAndYesEndsTheLoop) {
  ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
  Frame();
  auto* node = static_cast<QuitNode*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(node, nullptr);
  test::MoveMouse(250, 260);  // over the yes button, once it is there
  Frame();
  EXPECT_EQ(ColourAt(150, 100), 0x000000u);

  m_app.PostCharEvent(27);
  Frame();
  ASSERT_TRUE(node->IsQuitDialogOpen());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_EQ(ColourAt(150, 100), 0xFF0000u);  // the dialog's box
  EXPECT_EQ(ColourAt(250, 260), 0xFF0000u);  // its yes button
  EXPECT_TRUE(Log().empty());                // Escape went no further
  Frame();
  ASSERT_TRUE(node->GetQuitDialog()->IsPointerOverYes());

  // The click arrives through SDL's queue, as the window system gives it, inside the message loop.
  // The close box after it only guards the loop: the confirmation shows that the click ended it.
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 250, 260));
  test::PushEvent(test::ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 250, 260));
  test::PushEvent(test::QuitEvent());
  m_app.Run();
  EXPECT_EQ(Log(), std::vector<std::string>({"quit confirmed"}));
  EXPECT_TRUE(m_app.IsQuitRequested());
  EXPECT_FALSE(node->IsQuitDialogOpen());
  m_app.Shutdown();
}
