// The display device's public operations: gamma holding, capability masks, frame events, surface creation.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "graphics/DisplayDevice.h"

namespace {

// Records what reaches the protected operations; frame results are set by the test.
class FakeDevice : public Qel::DisplayDevice {
public:
  int GetWidth() const override { return 0; }
  int GetHeight() const override { return 0; }
  uint32_t GetCapabilities() const override { return capabilities; }
  Qel::DrawingSurface* CreateSurfaceFromImageFile(const char*, int, const Qel::Color*) override {
    return nullptr;
  }
  Qel::DrawingSurface* CreateSurfaceFromImageData(const void*, uint32_t, int, const Qel::Color*) override {
    return nullptr;
  }
  int SetCursorImage(Qel::DrawingSurface*, const Qel::Point2&) override { return 0; }
  int ShowCursor() override { return 0; }
  int HideCursor() override { return 0; }

  uint32_t capabilities = 0;
  int beginResult = 0;
  int endResult = 0;
  std::vector<float> gammaCalls;  // red gain of each call that reached the device
  Qel::PixelFormat createdWith;

protected:
  int DoOpen(int, int, const Qel::PixelFormat&, bool, const void*) override { return 0; }
  Qel::PixelFormat DoGetPixelFormat() const override { return Qel::kPixelFormatR5G6B5; }
  int DoFillRect(const Qel::Rect*, const Qel::Color&) override { return 0; }
  int DoBeginFrame() override { return beginResult; }
  int DoEndFrame() override { return endResult; }
  Qel::DrawingSurface* DoGetBackBuffer() override { return nullptr; }
  int DoPresent() override { return 0; }
  int DoSetGamma(float red, float, float) override {
    gammaCalls.push_back(red);
    return 0;
  }
  Qel::DrawingSurface* DoCreateSurface(int, int, const Qel::PixelFormat& format, int) override {
    createdWith = format;
    return nullptr;
  }
  Qel::DrawingSurface* DoCreateSurfaceFromPixels(const void*, int, int, int, const Qel::PixelFormat&, int,
                                                 const Qel::Color*) override {
    return nullptr;
  }
  Qel::Point2 DoGetMousePosition() const override { return Qel::Point2(3, 4); }
};

class DisplayEventLog : public Qel::IEventListener {
public:
  void HandleEvent(int kind, int id, void*) override { events.emplace_back(kind, id); }
  std::vector<std::pair<int, int>> events;
};

TEST(DisplayDevice, GammaHoldKeepsTheHeldRampUntilReleased) {
  FakeDevice device;
  EXPECT_EQ(device.SetGamma(0.9f, 1, 1), 0);
  EXPECT_EQ(device.SetGammaAndHold(0.5f, 1, 1), 0);
  EXPECT_EQ(device.SetGamma(0.7f, 1, 1), 1) << "ignored while held";
  EXPECT_EQ(device.SetGammaAndHold(0.6f, 1, 1), 0) << "a new hold replaces the old one";
  EXPECT_EQ(device.ReleaseGamma(1.0f, 1, 1), 0);
  EXPECT_EQ(device.SetGamma(0.8f, 1, 1), 0);
  EXPECT_EQ(device.gammaCalls, (std::vector<float>{0.9f, 0.5f, 0.6f, 1.0f, 0.8f}));
}

TEST(DisplayDevice, CapabilityMaskNeedsEveryBit) {
  FakeDevice device;
  struct Case {
    uint32_t capabilities;
    uint32_t mask;
    bool expected;
  };
  for (const Case& c : {Case{0, 0, true}, Case{0, 1, false}, Case{1, 1, true}, Case{1, 3, false},
                        Case{2, 3, false}, Case{3, 3, true}, Case{3, 2, true}}) {
    device.capabilities = c.capabilities;
    EXPECT_EQ(device.HasCapabilities(c.mask), c.expected) << c.capabilities << " & " << c.mask;
  }
}

TEST(DisplayDevice, FrameEventsBracketTheFrameEvenWhenItFails) {
  DisplayEventLog log;
  Qel::EventManager::GetInstance()->AddListener(Qel::DisplayDevice::kDisplayEvent, &log);
  FakeDevice device;

  device.beginResult = 102;
  EXPECT_EQ(device.BeginFrame(), 102);
  EXPECT_EQ(log.events, (std::vector<std::pair<int, int>>{{-3, 0}}))
      << "frame-begun is posted before failing";

  device.beginResult = 0;
  device.endResult = 5;
  EXPECT_EQ(device.BeginFrame(), 0);
  EXPECT_EQ(device.EndFrame(), 5);
  EXPECT_EQ(log.events, (std::vector<std::pair<int, int>>{{-3, 0}, {-3, 0}, {-3, 1}}));
  Qel::EventManager::DestroyInstance();
}

TEST(DisplayDevice, SurfaceWithoutFormatTakesTheDevicesOwn) {
  FakeDevice device;
  EXPECT_EQ(device.CreateSurface(4, 4, Qel::DisplayDevice::kSurfaceDefault), nullptr);
  EXPECT_EQ(device.createdWith, Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(device.GetMousePosition(), Qel::Point2(3, 4));
}

}  // namespace
