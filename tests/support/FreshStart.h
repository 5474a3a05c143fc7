// Gives each test of a suite the start it would have in a process of its own: an empty working
// folder and the DISPLAY the process was started with, so that the suite passes run as one process,
// in any order, as it does one test a process.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace test {

class FreshStart : public testing::EmptyTestEventListener {
public:
  void OnTestStart(const testing::TestInfo&) override {
    // The test main works in a temporary folder of its own: nothing else lives there.
    for (const auto& entry : std::filesystem::directory_iterator("."))
      std::filesystem::remove_all(entry.path());
    if (m_display) {
      setenv("DISPLAY", m_display->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
  }

  // For a suite's one registration: const bool registered = test::FreshStart::Register();
  static bool Register() {
    auto* listener = new FreshStart;
    if (const char* display = std::getenv("DISPLAY")) listener->m_display = display;
    testing::UnitTest::GetInstance()->listeners().Append(listener);
    return true;
  }

private:
  std::optional<std::string> m_display;
};

}  // namespace test
