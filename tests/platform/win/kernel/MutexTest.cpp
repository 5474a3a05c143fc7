// The named single-instance mutex as a file lock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Mutex.h"

using namespace plat::win;

namespace {
// Each test's working folder is fresh, so locks there never meet another test's.
void UseWorkingFolderForLocks() {
  setenv("PILO_LOCK_DIR", std::filesystem::current_path().c_str(), 1);
}
}  // namespace

TEST(Mutex, ASecondCreateWhileTheFirstIsOpenReportsAlreadyExists) {
  UseWorkingFolderForLocks();
  HANDLE first = CreateMutexA(nullptr, TRUE, "PiloKxMutex");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::exists("PiloKxMutex"));

  HANDLE second = CreateMutexA(nullptr, TRUE, "PiloKxMutex");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  // The copy that found it existing does not own it.
  EXPECT_FALSE(ReleaseMutex(second));
  EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
  EXPECT_TRUE(CloseHandle(second));

  // Releasing ownership does not end the mutex; closing its handle does.
  EXPECT_TRUE(ReleaseMutex(first));
  HANDLE whileOpen = CreateMutexA(nullptr, TRUE, "PiloKxMutex");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(whileOpen);
  EXPECT_TRUE(CloseHandle(first));

  HANDLE again = CreateMutexA(nullptr, TRUE, "PiloKxMutex");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(again);
}

TEST(Mutex, ALockFolderThatCannotHoldTheFileGivesNoHandle) {
  setenv("PILO_LOCK_DIR", "missing/folder", 1);
  EXPECT_EQ(CreateMutexA(nullptr, TRUE, "PiloKxMutex"), nullptr);
  EXPECT_NE(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(CreateMutexA(nullptr, TRUE, nullptr), nullptr);
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_FALSE(ReleaseMutex(nullptr));
}

TEST(Mutex, WithoutAnOverrideTheRuntimeFolderHoldsTheLock) {
  unsetenv("PILO_LOCK_DIR");
  setenv("XDG_RUNTIME_DIR", std::filesystem::current_path().c_str(), 1);
  HANDLE mutex = CreateMutexA(nullptr, TRUE, "a/b");
  ASSERT_NE(mutex, nullptr);
  EXPECT_TRUE(std::filesystem::exists("a_b"));
  CloseHandle(mutex);
}
