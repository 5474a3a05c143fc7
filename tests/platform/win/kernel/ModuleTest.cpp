// The program's module: its file named in the Windows view, whole or cut to the buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Path.h"

using namespace plat::win;

TEST(Module, TheFileNamesTheRunningProgramInTheWindowsView) {
  char buffer[4096];
  for (HINSTANCE module : {static_cast<HINSTANCE>(nullptr), GetModuleHandleA(nullptr)}) {
    const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    ASSERT_EQ(std::strlen(buffer), length);
    const std::string name(buffer, length);
    EXPECT_EQ(name.rfind("Z:\\", 0), 0u) << name;
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    std::string linuxPath;
    ASSERT_TRUE(ToLinuxPath(buffer, linuxPath));
    EXPECT_TRUE(std::filesystem::equivalent(linuxPath, "/proc/self/exe")) << linuxPath;
  }
}

TEST(Module, ABufferTooSmallGetsWhatFitsTerminated) {
  char whole[4096];
  const DWORD length = GetModuleFileNameA(nullptr, whole, sizeof whole);
  ASSERT_GT(length, 4u);
  struct Case {
    DWORD size;
    DWORD answer;
    DWORD error;
  };
  for (const Case& c :
       {Case{5, 5, ERROR_INSUFFICIENT_BUFFER}, Case{length, length, ERROR_INSUFFICIENT_BUFFER},
        Case{length + 1, length, ERROR_SUCCESS}}) {
    SCOPED_TRACE(c.size);
    std::string buffer(c.size + 8, 'x');
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), c.size), c.answer);
    EXPECT_EQ(GetLastError(), c.error);
    const size_t kept = std::min<size_t>(length, c.size - 1);
    EXPECT_EQ(buffer.substr(0, kept), std::string(whole, kept));
    EXPECT_EQ(buffer[kept], '\0');
    EXPECT_EQ(buffer[c.size], 'x') << "written past the buffer";
  }
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetModuleFileNameA(nullptr, nullptr, 10), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetModuleFileNameA(nullptr, whole, 0), 0u);
}
