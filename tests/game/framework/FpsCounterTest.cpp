// The frame-rate counter over groups of 10 frames.
#include <gtest/gtest.h>

#include "framework/FpsCounter.h"

namespace {
class FakeClock : public Qel::TimeSource {
public:
  uint32_t GetTime() override {
    ++m_reads;
    return m_now;
  }
  uint32_t m_now = 0;
  int m_reads = 0;
};
}  // namespace

TEST(FpsCounter, TenFramesIn400MsAre25PerSecondAndTheClockIsReadOncePerGroup) {
  FakeClock clock;
  FpsCounter counter;
  clock.m_now = 1000;
  for (int i = 0; i < 10; ++i) counter.CountFrame(clock);
  EXPECT_EQ(clock.m_reads, 1);
  EXPECT_EQ(counter.GetFramesPerSecond(), 0.0f);  // the first group end has nothing to compare with
  clock.m_now = 1400;
  for (int i = 0; i < 10; ++i) counter.CountFrame(clock);
  EXPECT_EQ(clock.m_reads, 2);
  EXPECT_EQ(counter.GetTotalFrames(), 20u);
  EXPECT_FLOAT_EQ(counter.GetFramesPerSecond(), 25.0f);

  // No time passing keeps the last rate; a wrapping clock still measures forwards.
  for (int i = 0; i < 10; ++i) counter.CountFrame(clock);
  EXPECT_FLOAT_EQ(counter.GetFramesPerSecond(), 25.0f);
  clock.m_now = 0xFFFFFF00u;
  for (int i = 0; i < 10; ++i) counter.CountFrame(clock);
  clock.m_now = 0x00000064u;  // 356 ms later, across the wrap
  for (int i = 0; i < 10; ++i) counter.CountFrame(clock);
  EXPECT_NEAR(counter.GetFramesPerSecond(), 10000.0f / 356.0f, 0.01f);
}
