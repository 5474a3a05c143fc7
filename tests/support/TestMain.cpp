// Test entry: each test process works in a fresh temporary folder of its own, because the game's
// settings, string table and saves live in the working folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/TempDir.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  test::TempDir workDir;
  if (chdir(workDir.Path().c_str()) != 0) return 2;
  const int result = RUN_ALL_TESTS();
  // Leave the folder before it is removed.
  if (chdir("/") != 0) return 2;
  return result;
}
