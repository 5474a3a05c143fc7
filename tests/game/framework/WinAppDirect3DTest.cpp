// The shell's Direct3D path: the start-up on the software adapter, each of its checks failed with the
// fall-back to SDL, frames through a lost and reset device, and the loop on the game window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <typeinfo>

#include "framework/NodeManager.h"
#include "framework/WinApp.h"
#include "graphics/D3DBackBuffer.h"
#include "graphics/D3DSurface.h"
#include "graphics/D3DTexture.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/SurfaceOps.h"
#include "platform/d3d8/AdapterProfile.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/MessageQueue.h"
#include "support/LoggingNode.h"
#include "support/SdlEvents.h"
#include "support/TempDir.h"

namespace {

namespace d3d = plat::d3d8;

uint32_t gNow = 5000;
uint32_t FakeTime() {
  return gNow;
}

class Direct3DApp : public testing::Test {
protected:
  void SetUp() override {
    d3d::ResetAdapterProfile();
    plat::win::SetTimeSourceForTesting(FakeTime);
    NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
    Settings("windowed = 1\n");
  }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  static void Settings(const std::string& extra) {
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 3\ncpu = 0\nmem = 0\n" + extra);
  }
  bool Start() { return m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10); }
  std::string Renderer() const {
    std::string text;
    m_app.GetRendererText(text);
    return text;
  }
  // A quit posted to the queue would end the game at the loop's next pass.
  static bool QuitPending() {
    plat::win::MSG msg;
    return plat::win::PeekMessageA(&msg, nullptr, 0, 0, plat::win::PM_NOREMOVE) &&
           msg.message == plat::win::WM_QUIT;
  }

  WinApp& m_app = GetWinApp();
};

TEST_F(Direct3DApp, AWindowedStartUpOpensTheDesktopsFormatOnTheSoftwareDevice) {
  ASSERT_TRUE(Start());
  ASSERT_NE(m_app.GetDirect3D(), nullptr);
  EXPECT_NE(m_app.GetWindow(), nullptr);
  EXPECT_EQ(Renderer(), "Renderer: DirectX 8 - X8R8G8B8\n");
  EXPECT_EQ(m_app.GetDisplayPixelFormat(), Qel::kPixelFormatX8R8G8B8);
  EXPECT_EQ(m_app.GetDisplay()->GetPixelFormat(), Qel::kPixelFormatX8R8G8B8);
  EXPECT_TRUE(m_app.IsAlphaCapable());
  EXPECT_FALSE(m_app.IsLowSpec());
  int32_t width = 0;
  int32_t height = 0;
  Qel::GetMaxSurfaceSize(width, height);
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 128);
  const char* texture = typeid(Qel::D3DTexture).name();
  EXPECT_NE(Qel::FindBlitOp(texture, typeid(Qel::D3DBackBuffer).name()), nullptr);
  EXPECT_NE(Qel::FindCopyOp(typeid(Qel::D3DSurface).name(), texture), nullptr);
  m_app.Frame();
  EXPECT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
  m_app.Shutdown();
  EXPECT_EQ(m_app.GetDirect3D(), nullptr);
  EXPECT_EQ(Qel::FindBlitOp(texture, typeid(Qel::D3DBackBuffer).name()), nullptr);
}

class GraphicsLevel : public Direct3DApp, public testing::WithParamInterface<const char*> {};

// Both levels that try Direct3D take it, since the software device passes every check; the speed
// settings still make it low-spec.
TEST_P(GraphicsLevel, TakesDirect3DFirst) {
  test::WriteFile("Pilo.ini", std::string("[settings]\nwindowed = 1\n") + GetParam());
  ASSERT_TRUE(Start());
  EXPECT_EQ(Renderer(), "Renderer: DirectX 8 - X8R8G8B8\n");
  EXPECT_TRUE(m_app.IsAlphaCapable());
  EXPECT_EQ(m_app.IsLowSpec(), std::string(GetParam()).find("cpu = 500") != std::string::npos);
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(Settings, GraphicsLevel,
                         testing::Values("graphics = 2\ncpu = 0\nmem = 0\n",
                                         "graphics = 3\ncpu = 0\nmem = 0\n",
                                         "graphics = 3\ncpu = 500\nmem = 0\n"));

TEST_F(Direct3DApp, AFullScreenStartUpOpensTheSixteenBitBackBuffer) {
  Settings("windowed = 0\n");
  ASSERT_TRUE(Start());
  ASSERT_NE(m_app.GetDirect3D(), nullptr);
  EXPECT_EQ(m_app.GetDisplay()->GetPixelFormat(), Qel::kPixelFormatR5G6B5);
  m_app.Shutdown();
}

TEST_F(Direct3DApp, ALostDeviceSkipsFramesAndAResetDrawsAgain) {
  ASSERT_TRUE(Start());
  m_app.Frame();
  const unsigned presents = d3d::GetAdapterCounters().presents;
  d3d::MakeDeviceLost();
  m_app.Frame();
  m_app.Frame();
  EXPECT_EQ(d3d::GetAdapterCounters().presents, presents);
  d3d::MakeDeviceReadyForReset();
  const unsigned resets = d3d::GetAdapterCounters().resets;
  m_app.Frame();
  EXPECT_EQ(d3d::GetAdapterCounters().resets, resets + 1);
  EXPECT_EQ(d3d::GetAdapterCounters().presents, presents + 1);
  m_app.Shutdown();
}

TEST_F(Direct3DApp, TheLoopTakesSDLsInputThroughTheWindowAndItsCloseBoxEndsTheGame) {
  ASSERT_TRUE(Start());
  test::PushEvent(test::QuitEvent());
  m_app.Run();  // returns: the close box destroyed the window, which posts the quit
  EXPECT_FALSE(plat::win::IsWindow(m_app.GetWindow()));
  m_app.Shutdown();
}

struct CheckCase {
  const char* name;
  std::function<void(d3d::AdapterProfile&)> fail;
  const char* trace;
};

class FailedCheck : public Direct3DApp, public testing::WithParamInterface<CheckCase> {};

TEST_P(FailedCheck, IsTracedAndTheGameRunsOnSDL) {
  setenv("PILO_TRACE", "1", 1);
  GetParam().fail(d3d::GetAdapterProfile());
  testing::internal::CaptureStderr();
  const bool started = Start();
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(started);
  EXPECT_NE(trace.find(std::string("\t") + GetParam().trace + "\n"), std::string::npos) << trace;
  EXPECT_EQ(m_app.GetDirect3D(), nullptr);
  EXPECT_EQ(Renderer().rfind("Renderer: SDL 1.2.4 [no alpha] - ", 0), 0u) << Renderer();
  EXPECT_TRUE(m_app.IsLowSpec());
  m_app.Frame();
  EXPECT_NE(NodeManager::Instance().GetCurrentNode(), nullptr);
  EXPECT_FALSE(QuitPending()) << "the failed attempt's window must not end the game";
  EXPECT_FALSE(m_app.IsQuitRequested());
  m_app.Shutdown();
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, FailedCheck,
    testing::Values(
        CheckCase{"Unavailable", [](d3d::AdapterProfile& p) { p.unavailable = true; }, "D3D8 unavailable."},
        CheckCase{"TextureFormat",
                  [](d3d::AdapterProfile& p) { p.unsupportedFormats = {d3d::D3DFMT_A4R4G4B4}; },
                  "Device does not support texture format."},
        CheckCase{"NotHardware", [](d3d::AdapterProfile& p) { p.caps.DeviceType = d3d::D3DDEVTYPE_REF; },
                  "DX Error: Not a hardware device"},
        CheckCase{"NoGamma", [](d3d::AdapterProfile& p) { p.caps.Caps2 = 0; },
                  "DX Error: Full screen gamma not supported"},
        CheckCase{"No2D", [](d3d::AdapterProfile& p) { p.caps.Caps2 |= d3d::D3DCAPS2_NO2DDURING3DSCENE; },
                  "DX Error: No 2D during 3D scene"},
        CheckCase{"NoAlpha", [](d3d::AdapterProfile& p) { p.caps.TextureCaps = 0; },
                  "DX Error: Textures don't support alpha"},
        CheckCase{"SquareOnly",
                  [](d3d::AdapterProfile& p) { p.caps.TextureCaps |= d3d::D3DPTEXTURECAPS_SQUAREONLY; },
                  "DX Error: Textures must be square"},
        CheckCase{"NarrowTextures", [](d3d::AdapterProfile& p) { p.caps.MaxTextureWidth = 512; },
                  "DX Error: Textures have maximum width"},
        CheckCase{"ShortTextures", [](d3d::AdapterProfile& p) { p.caps.MaxTextureHeight = 512; },
                  "DX Error: Textures have maximum height"},
        // These fail after the window exists: it goes, and the game goes on without it.
        CheckCase{"NoDevice", [](d3d::AdapterProfile& p) { p.createDeviceResult = d3d::D3DERR_NOTAVAILABLE; },
                  "DX Error: Could not create device."},
        CheckCase{"NoBackBuffer", [](d3d::AdapterProfile& p) { p.createSpriteResult = d3d::E_OUTOFMEMORY; },
                  "DX Error: Could not create device."}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

}  // namespace
