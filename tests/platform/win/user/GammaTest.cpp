// Device contexts and the device gamma ramp over SDL: refused without a video mode, taken by a real X server.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/win/user/Gamma.h"

namespace {

bool UnderX11() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return driver && std::strcmp(driver, "x11") == 0;
}

class DeviceGammaRamp : public testing::Test {
protected:
  void TearDown() override { SDL_Quit(); }
};

TEST_F(DeviceGammaRamp, NeedsAVideoModeAndAContext) {
  plat::win::WORD ramp[3][256] = {};
  EXPECT_EQ(plat::win::GetDC(nullptr), nullptr);
  EXPECT_EQ(plat::win::SetDeviceGammaRamp(nullptr, ramp), 0);

  ASSERT_NE(SDL_SetVideoMode(64, 48, 16, 0), nullptr);
  plat::win::HDC dc = plat::win::GetDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(plat::win::SetDeviceGammaRamp(dc, nullptr), 0);
  EXPECT_EQ(plat::win::SetDeviceGammaRamp(nullptr, ramp), 0);
  EXPECT_EQ(plat::win::ReleaseDC(nullptr, dc), 1);
  EXPECT_EQ(plat::win::ReleaseDC(nullptr, nullptr), 0);
}

// The headless driver has no gamma, and the failure is reported; an X server takes the ramp as given.
TEST_F(DeviceGammaRamp, SetsTheRampThroughSDL) {
  ASSERT_NE(SDL_SetVideoMode(64, 48, 16, 0), nullptr);
  plat::win::WORD ramp[3][256];
  for (int i = 0; i < 256; ++i) {
    ramp[0][i] = static_cast<plat::win::WORD>(i * 257);
    ramp[1][i] = static_cast<plat::win::WORD>(i * 128);
    ramp[2][i] = static_cast<plat::win::WORD>(i * 64);
  }
  plat::win::HDC dc = plat::win::GetDC(nullptr);
  const plat::win::BOOL applied = plat::win::SetDeviceGammaRamp(dc, ramp);
  plat::win::ReleaseDC(nullptr, dc);
  if (!UnderX11()) {
    EXPECT_EQ(applied, 0);
    return;
  }
  ASSERT_NE(applied, 0);
  Uint16 red[256], green[256], blue[256];
  ASSERT_EQ(SDL_GetGammaRamp(red, green, blue), 0);
  EXPECT_EQ(red[255], 65535);
  EXPECT_EQ(green[100], 12800);
  EXPECT_EQ(blue[100], 6400);
}

}  // namespace
