// The message box, cursor count, screen-saver switch and display-mode restore.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win/user/Cursor.h"
#include "platform/win/user/DisplaySettings.h"
#include "platform/win/user/MessageBox.h"
#include "platform/win/user/SystemParameters.h"

using namespace plat::win;

TEST(MessageBox, HeadlessItPrintsTheCaptionAndTextToStderr) {
  // The dummy driver alone is enough to keep the dialog away, even with a display around.
  setenv("DISPLAY", ":99", 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Invalid node ID in NodeFactory::CreateNode()", "Error", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error: Invalid node ID in NodeFactory::CreateNode()\nError: \n");
}

TEST(Cursor, CountsShowsAndHides) {
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
}

TEST(SystemParameters, TheScreenSaverSwitchIsKeptUntilChanged) {
  BOOL active = FALSE;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0));
  EXPECT_TRUE(active);
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_SENDCHANGE));
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  EXPECT_FALSE(active);
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoA(0x1234, 0, &active, 0));
}

TEST(DisplaySettings, RestoringLeavesFullScreen) {
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);  // no video at all
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  ASSERT_NE(SDL_SetVideoMode(640, 480, 0, SDL_SWSURFACE | SDL_FULLSCREEN), nullptr);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  SDL_Surface* screen = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetVideoSurface() : nullptr;
  EXPECT_TRUE(!screen || !(screen->flags & SDL_FULLSCREEN));
  SDL_Quit();
}
