// Test entry: each test case works in a fresh temporary folder of its own and finds the environment as
// the process had it, because the game's settings, string table and saves live in the working folder
// and its switches in the environment; a suite binary run directly then passes in any order.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>

#include "support/CaseState.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

using Environment = std::map<std::string, std::string>;

Environment ReadEnvironment() {
  Environment values;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const size_t equals = text.find('=');
    if (equals == std::string::npos) continue;
    values[text.substr(0, equals)] = text.substr(equals + 1);
  }
  return values;
}

// Puts the environment back as it was: what was added goes, what was changed or removed returns.
void RestoreEnvironment(const Environment& saved) {
  const Environment now = ReadEnvironment();
  for (const auto& [name, value] : now) {
    if (!saved.count(name)) unsetenv(name.c_str());
  }
  for (const auto& [name, value] : saved) {
    const auto found = now.find(name);
    if (found == now.end() || found->second != value) setenv(name.c_str(), value.c_str(), 1);
  }
}

// A suite's set-up (SetUpTestSuite) may change the environment for all its cases; what it changed goes
// with the suite's end. Each case starts from what the suite left and its changes go with its end,
// as do its folder and whatever the engine and game keep for the process.
class CaseIsolation : public testing::EmptyTestEventListener {
public:
  explicit CaseIsolation(std::filesystem::path home) : m_home(std::move(home)) {}

  void OnTestSuiteStart(const testing::TestSuite&) override { m_suiteEnvironment = ReadEnvironment(); }
  void OnTestSuiteEnd(const testing::TestSuite&) override { RestoreEnvironment(m_suiteEnvironment); }

  void OnTestStart(const testing::TestInfo&) override {
    m_caseEnvironment = ReadEnvironment();
    m_caseDir = std::make_unique<test::TempDir>();
    if (chdir(m_caseDir->Path().c_str()) != 0) Abandon("cannot enter the case's folder");
  }

  void OnTestEnd(const testing::TestInfo&) override {
    // Whatever folder the case went into, it leaves for the process's own before its folder goes.
    if (chdir(m_home.c_str()) != 0) Abandon("cannot return to the process's folder");
    test::ResetCaseState();
    m_caseDir.reset();
    RestoreEnvironment(m_caseEnvironment);
  }

private:
  [[noreturn]] static void Abandon(const char* why) {
    std::fprintf(stderr, "test main: %s\n", why);
    std::_Exit(2);
  }

  std::filesystem::path m_home;
  Environment m_suiteEnvironment;
  Environment m_caseEnvironment;
  std::unique_ptr<test::TempDir> m_caseDir;
};

// A fatal failure ends the case even inside a helper that returns nothing: ASSERT there leaves only
// the helper, and the case would run on with what the helper failed to make (a null node, say).
// Appended last, so that the other listeners see the failure first.
class FatalFailureEndsTheCase : public testing::EmptyTestEventListener {
public:
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (result.type() == testing::TestPartResult::kFatalFailure) throw testing::AssertionException(result);
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Headless unless the test's environment names other drivers. Set here rather than as a test
  // property: gtest_discover_tests (CMake 3.25) splits a list-valued ENVIRONMENT, so only the first
  // variable reached the tests (and the TIMEOUT after it was lost).
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // The process's own folder, for what a suite's set-up writes; the folder it was started in is
  // never written.
  test::TempDir workDir;
  if (chdir(workDir.Path().c_str()) != 0) return 2;
  testing::UnitTest::GetInstance()->listeners().Append(new CaseIsolation(workDir.Path()));
  testing::UnitTest::GetInstance()->listeners().Append(new FatalFailureEndsTheCase);
  const int result = RUN_ALL_TESTS();
  // Leave the folder before it is removed.
  if (chdir("/") != 0) return 2;
  return result;
}
