// The profile-string calls on real files: defaults, numbers, cut values and whole-file replacement.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/profile/Profile.h"
#include "platform/win/kernel/LastError.h"
#include "support/TempDir.h"

using namespace plat::profile;
namespace fs = std::filesystem;

namespace {
constexpr const char* kFile = ".\\Pilo.ini";

std::string ReadString(const char* key, const char* defaultValue, DWORD size = 32) {
  char out[64];
  const DWORD copied = GetPrivateProfileStringA("Config", key, defaultValue, out, size, kFile);
  EXPECT_EQ(copied, std::string(out).size());
  return out;
}
}  // namespace

TEST(Profile, AMissingFileGivesTheDefaultsAndIsCreatedByTheFirstWrite) {
  EXPECT_EQ(GetPrivateProfileIntA("Config", "graphics", 2, kFile), 2u);
  EXPECT_EQ(ReadString("streammusic", "true"), "true");
  EXPECT_EQ(ReadString("streammusic", nullptr), "");
  const mode_t mask = umask(022);
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "graphics", " 0", kFile));
  umask(mask);
  // CR LF, as in a file the tool edits after the game's first run seeded it.
  EXPECT_EQ(test::ReadFile("Pilo.ini"), "[Config]\r\ngraphics= 0\r\n");
  EXPECT_EQ(fs::status("Pilo.ini").permissions(), fs::perms(0644));
  EXPECT_EQ(GetPrivateProfileIntA("Config", "graphics", 2, kFile), 0u);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(Profile, ReadsNumbersAsWindowsDoes) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {
      {"1", 1},
      {" 2 ", 2},
      {"-3", -3},
      {"+4x", 4},
      {"0x1F", 31},
      {"abc", 0},
      {"", 7},
      {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    test::WriteFile("Pilo.ini", std::string("[config]\nGraphics=") + c.value + "\n");
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Config", "graphics", 7, kFile)), c.expected);
  }
  EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Config", "other", -5, kFile)), -5);
}

TEST(Profile, CutsValuesToTheBufferAndTrimsThem) {
  test::WriteFile("Pilo.ini", "[Config]\r\nstreammusic =  False \t\r\n");
  EXPECT_EQ(ReadString("streammusic", "true"), "False");
  EXPECT_EQ(ReadString("streammusic", "true", 4), "Fal");
  EXPECT_EQ(ReadString("streammusic", "true", 1), "");
  char untouched = 'x';
  EXPECT_EQ(GetPrivateProfileStringA("Config", "streammusic", "", &untouched, 0, kFile), 0u);
  EXPECT_EQ(untouched, 'x');
}

TEST(Profile, KeepsEveryOtherByteAndTheFilesPermissions) {
  const std::string before =
      "; my settings\r\nhdpath = /home/me/pilo\r\n\r\n[Config]\r\ngraphics = "
      "1\r\n\r\n[Other]\r\ngraphics=5\r\n";
  test::WriteFile("Pilo.ini", before);
  fs::permissions("Pilo.ini", fs::perms(0600));
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "graphics", " 2", kFile));
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "cpu", " 1000", kFile));
  EXPECT_EQ(
      test::ReadFile("Pilo.ini"),
      "; my settings\r\nhdpath = /home/me/pilo\r\n\r\n[Config]\r\ngraphics= 2\r\ncpu= 1000\r\n\r\n[Other]\r\n"
      "graphics=5\r\n");
  EXPECT_EQ(fs::status("Pilo.ini").permissions(), fs::perms(0600));
}

TEST(Profile, ReplacesTheTargetOfALinkAndKeepsTheLink) {
  test::WriteFile("real/Pilo.ini", "[Config]\ngraphics=1\n");
  fs::create_symlink("real/Pilo.ini", "Pilo.ini");
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "graphics", " 0", kFile));
  EXPECT_TRUE(fs::is_symlink("Pilo.ini"));
  EXPECT_EQ(test::ReadFile("real/Pilo.ini"), "[Config]\ngraphics= 0\n");
}

TEST(Profile, AFileThatCannotBeReplacedIsReportedAndLeftAsItWas) {
  fs::create_directory("Pilo.ini");
  test::WriteFile("Pilo.ini/inside", "kept");
  EXPECT_EQ(GetPrivateProfileIntA("Config", "graphics", 2, kFile), 2u);
  EXPECT_FALSE(WritePrivateProfileStringA("Config", "graphics", " 2", kFile));
  EXPECT_EQ(plat::win::GetLastError(), plat::win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(test::ReadFile("Pilo.ini/inside"), "kept");
  // A folder that does not exist holds no file to write either; no temporary file stays behind.
  EXPECT_FALSE(WritePrivateProfileStringA("Config", "graphics", " 2", ".\\missing\\Pilo.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  EXPECT_FALSE(WritePrivateProfileStringA("Config", "graphics", nullptr, kFile));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "graphics", " 2", kFile));
}
