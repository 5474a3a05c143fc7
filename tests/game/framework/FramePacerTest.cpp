// The frame pacer on a clock the test moves: when each frame is due, the shortest step between two
// frames, the rate kept through late frames, the fresh start after a long one, and wrapping times.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/FramePacer.h"

namespace {

uint32_t gNow = 0;
uint32_t FakeClock() {
  return gNow;
}

struct PacingCase {
  const char* name;
  uint32_t interval;
  uint32_t start;                // the clock at the first frame
  std::vector<uint32_t> frames;  // how long after the first frame each later frame starts
  std::vector<uint32_t> waits;   // the wait right after each frame, the first included
};

const PacingCase kCases[] = {
    // On time every time: one frame each interval.
    {"on time", 8, 1000, {8, 16, 24}, {8, 8, 8, 8}},
    // Below the shortest step, time standing still included, the frames come every 8 ms.
    {"a step of 0", 0, 1000, {8, 16}, {8, 8, 8}},
    {"a step of 5", 5, 1000, {8}, {8, 8}},
    // A frame that comes late leaves the next due where it was, so the rate holds on average...
    {"late by 3 of 20", 20, 1000, {23, 40}, {20, 17, 20}},
    // ...but never closer than the shortest step to the late one.
    {"late by 15 of 20", 20, 1000, {35, 43}, {20, 8, 20}},
    // A whole interval late or more: the count starts afresh from the late frame, with no burst.
    {"late by an interval", 20, 1000, {40, 60}, {20, 20, 20}},
    {"long stall", 8, 1000, {500, 508}, {8, 8, 8}},
    // On the system clock the step is 8 and any lateness only moves the next frame on.
    {"late by 3 of 8", 8, 1000, {11, 19}, {8, 8, 8}},
    // A frame run before it was due is followed by one a whole interval later, not more.
    {"early", 8, 1000, {2, 10}, {8, 8, 8}},
    // Across the clock's wrap.
    {"wrapping", 20, 0xFFFFFFF0u, {20, 43, 60}, {20, 20, 17, 20}},
};

}  // namespace

TEST(FramePacer, EachFrameIsDueAnIntervalAfterTheLastNeverCloserThanTheShortestStep) {
  for (const PacingCase& c : kCases) {
    SCOPED_TRACE(c.name);
    FramePacer pacer;
    pacer.Pace(&FakeClock, c.interval);
    EXPECT_EQ(pacer.GetInterval(), std::max<uint32_t>(c.interval, FramePacer::kShortestStepMs));
    gNow = c.start - 1000;
    EXPECT_EQ(pacer.TimeToNextFrame(), 0u);  // the first frame is due at once
    gNow = c.start;
    std::vector<uint32_t> waits;
    pacer.FrameStarts();
    waits.push_back(pacer.TimeToNextFrame());
    for (const uint32_t after : c.frames) {
      gNow = c.start + after;
      pacer.FrameStarts();
      waits.push_back(pacer.TimeToNextFrame());
    }
    EXPECT_EQ(waits, c.waits);
  }
}

TEST(FramePacer, TheWaitShrinksWithTheClockAndEndsAtZero) {
  FramePacer pacer;
  pacer.Pace(&FakeClock, 20);
  gNow = 5000;
  pacer.FrameStarts();
  std::vector<uint32_t> waits;
  for (const uint32_t at : {5000u, 5001u, 5019u, 5020u, 5021u, 6000u}) {
    gNow = at;
    waits.push_back(pacer.TimeToNextFrame());
  }
  EXPECT_EQ(waits, (std::vector<uint32_t>{20, 19, 1, 0, 0, 0}));
}

TEST(FramePacer, WithoutPacingEveryFrameIsDue) {
  FramePacer pacer;
  EXPECT_FALSE(pacer.IsPacing());
  gNow = 100;
  pacer.FrameStarts();
  EXPECT_EQ(pacer.TimeToNextFrame(), 0u);
  // Stopped after pacing, and paced again: the first frame after is due at once.
  pacer.Pace(&FakeClock, 8);
  EXPECT_TRUE(pacer.IsPacing());
  pacer.FrameStarts();
  EXPECT_EQ(pacer.TimeToNextFrame(), 8u);
  pacer.Stop();
  EXPECT_FALSE(pacer.IsPacing());
  EXPECT_EQ(pacer.TimeToNextFrame(), 0u);
  pacer.FrameStarts();
  EXPECT_EQ(pacer.TimeToNextFrame(), 0u);
  pacer.Pace(&FakeClock, 8);
  EXPECT_EQ(pacer.TimeToNextFrame(), 0u);
}
