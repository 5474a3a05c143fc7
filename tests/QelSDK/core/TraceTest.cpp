// The debug trace follows PILO_TRACE as it changes within one process.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "core/Trace.h"

namespace {

TEST(Trace, FollowsTheSettingEachTimeItChanges) {
  // In this order, in one process: a switch read once would keep the first answer.
  const struct {
    const char* value;  // null: unset
    bool on;
  } steps[] = {
      {nullptr, false}, {"1", true}, {"0", false},  {"1", true},
      {nullptr, false}, {"", false}, {"10", false}, {"1", true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.value ? std::string("PILO_TRACE=") + step.value : "PILO_TRACE unset");
    if (step.value) {
      setenv("PILO_TRACE", step.value, 1);
    } else {
      unsetenv("PILO_TRACE");
    }
    EXPECT_EQ(Qel::IsTraceOn(), step.on);
    testing::internal::CaptureStderr();
    Qel::Trace("INFO: line %d\n", 7);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), step.on ? "INFO: line 7\n" : "");
  }
}

}  // namespace
