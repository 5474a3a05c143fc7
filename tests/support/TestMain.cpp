// Test entry: each test process works in a fresh temporary folder of its own, because the game's
// settings, string table and saves live in the working folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "support/TempDir.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Headless unless the test's environment names other drivers. Set here rather than as a test
  // property: gtest_discover_tests (CMake 3.25) splits a list-valued ENVIRONMENT, so only the first
  // variable reached the tests (and the TIMEOUT after it was lost).
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  test::TempDir workDir;
  if (chdir(workDir.Path().c_str()) != 0) return 2;
  const int result = RUN_ALL_TESTS();
  // Leave the folder before it is removed.
  if (chdir("/") != 0) return 2;
  return result;
}
