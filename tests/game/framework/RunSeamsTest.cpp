// The seams for repeatable runs: the values of PILO_SEED and PILO_FRAME_MS that are taken, those that
// are refused (and leave the time seed and the clock), and what the trace says of each.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <string>

#include "framework/RunSeams.h"
#include "platform/win/kernel/Timer.h"

namespace {

struct SeamCase {
  const char* value;
  bool taken;
  unsigned long number;
};

void PrintTo(const SeamCase& c, std::ostream* out) {
  *out << "'" << c.value << "'";
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class RunSeams : public testing::Test {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
  void TearDown() override {
    unsetenv("PILO_SEED");
    unsetenv("PILO_FRAME_MS");
    ResetFrameTimeForTesting();
    plat::win::SetTimeSourceForTesting(nullptr);
  }
};

const SeamCase kSeeds[] = {
    {"20", true, 20},
    {"0", true, 0},
    {"0x1F", true, 31},
    {"010", true, 10},
    {"4294967295", true, 4294967295ul},
    {"4294967296", false, 0},
    {"-1", false, 0},
    {"+5", false, 0},
    {" 5", false, 0},
    {"5 ", false, 0},
    {"0x", false, 0},
    {"seed", false, 0},
    {"", false, 0},
};

const SeamCase kFrameSteps[] = {
    {"40", true, 40},  {"0", true, 0},   {"1000", true, 1000}, {"1001", false, 0},
    {"-40", false, 0}, {"4O", false, 0}, {"", false, 0},
};

}  // namespace

TEST_F(RunSeams, TheSeedIsTakenOnlyAsAWholeNumberAndTracedEitherWay) {
  for (const SeamCase& c : kSeeds) {
    SCOPED_TRACE(std::string("'") + c.value + "'");
    setenv("PILO_SEED", c.value, 1);
    testing::internal::CaptureStderr();
    const auto before = static_cast<unsigned int>(std::time(nullptr));
    const unsigned int seed = StartSeed();
    const auto after = static_cast<unsigned int>(std::time(nullptr));
    const std::string trace = testing::internal::GetCapturedStderr();
    if (c.taken) {
      EXPECT_EQ(seed, static_cast<unsigned int>(c.number));
      EXPECT_EQ(trace, "INFO: PILO_SEED: the random generator is seeded with " + std::to_string(c.number) +
                           " instead of the time.\n");
    } else {
      EXPECT_TRUE(seed >= before && seed <= after) << seed;
      EXPECT_EQ(trace, std::string("WARN: PILO_SEED '") + c.value +
                           "' is not a number from 0 to 4294967295; the time seeds the random generator.\n");
    }
  }
  // Without the variable the time seeds it, silently.
  unsetenv("PILO_SEED");
  testing::internal::CaptureStderr();
  const auto before = static_cast<unsigned int>(std::time(nullptr));
  const unsigned int seed = StartSeed();
  EXPECT_TRUE(seed >= before && seed <= static_cast<unsigned int>(std::time(nullptr)));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(RunSeams, AFrameStepThatIsRefusedLeavesTheClock) {
  for (const SeamCase& c : kFrameSteps) {
    if (c.taken) continue;
    SCOPED_TRACE(std::string("'") + c.value + "'");
    setenv("PILO_FRAME_MS", c.value, 1);
    testing::internal::CaptureStderr();
    InstallFrameTime();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("WARN: PILO_FRAME_MS '") + c.value +
                  "' is not a number from 0 to 1000; the clock is read.\n");
    EXPECT_EQ(GetFrameTimeStep(), -1);
    // The clock runs on by itself.
    const uint32_t start = plat::win::timeGetTime();
    while (plat::win::timeGetTime() == start) {
    }
  }
  unsetenv("PILO_FRAME_MS");
  testing::internal::CaptureStderr();
  InstallFrameTime();
  AdvanceFrameTime();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(GetFrameTimeStep(), -1);
}

// Each taken step in a case of its own: the seam stays for the run once taken (and goes with the
// case, by the test main's reset).
class RunSeamsFrameStep : public RunSeams, public testing::WithParamInterface<SeamCase> {};

TEST_P(RunSeamsFrameStep, TheSystemTimeStartsAtZeroAndMovesByTheStepEachFrame) {
  const SeamCase& c = GetParam();
  setenv("PILO_FRAME_MS", c.value, 1);
  testing::internal::CaptureStderr();
  InstallFrameTime();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "INFO: PILO_FRAME_MS: the system time moves by " +
                                                        std::to_string(c.number) +
                                                        " ms a frame instead of reading the clock.\n");
  EXPECT_EQ(GetFrameTimeStep(), static_cast<int32_t>(c.number));
  EXPECT_EQ(plat::win::timeGetTime(), 0u);
  EXPECT_EQ(plat::win::timeGetTime(), 0u);
  for (uint32_t frame = 1; frame <= 3; ++frame) {
    AdvanceFrameTime();
    EXPECT_EQ(plat::win::timeGetTime(), frame * c.number);
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, RunSeamsFrameStep,
                         testing::Values(kFrameSteps[0], kFrameSteps[1], kFrameSteps[2]),
                         [](const testing::TestParamInfo<SeamCase>& info) {
                           return std::string("Ms") + info.param.value;
                         });

TEST_F(RunSeams, OnlyPacingOffAsOneRunsFramesUnpacedAndTheTraceSaysWhich) {
  struct Case {
    const char* value;  // null: unset
    bool off;
    const char* trace;
  };
  const Case cases[] = {
      {nullptr, false, ""},
      {"1", true, "INFO: PILO_NO_PACING: frames run as fast as they come.\n"},
      {"0", false, "WARN: PILO_NO_PACING '0' is not 1; frames are paced.\n"},
      {"yes", false, "WARN: PILO_NO_PACING 'yes' is not 1; frames are paced.\n"},
      {"", false, "WARN: PILO_NO_PACING '' is not 1; frames are paced.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    if (c.value) {
      setenv("PILO_NO_PACING", c.value, 1);
    } else {
      unsetenv("PILO_NO_PACING");
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(FramePacingOff(), c.off);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.trace);
  }
  unsetenv("PILO_NO_PACING");
}
