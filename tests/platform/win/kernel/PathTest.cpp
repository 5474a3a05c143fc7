// Windows paths on Linux: the Z: root, CD drive letters, separators, trimming and letter case.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win/kernel/Drives.h"
#include "platform/win/kernel/Path.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;
using namespace plat::win;

namespace {

std::string Mapped(const std::string& windowsPath) {
  std::string linuxPath;
  return ToLinuxPath(windowsPath.c_str(), linuxPath) ? linuxPath : "<none>";
}

std::string FullPath(const std::string& name) {
  char buffer[1024];
  const DWORD length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
  return length == 0 || length >= sizeof buffer ? "<none>" : std::string(buffer, length);
}

class MountsFixture : public testing::Test {
protected:
  void SetUp() override {
    cwd = fs::current_path();
    test::WriteFile(cwd / "Data" / "Sub" / "File.TXT", "x");
    fs::create_directories(cwd / "cd one" / "Pilo");
    test::WriteFile(cwd / "cd2" / "readme.txt", "y");
    // Mount points are written with octal escapes; only iso9660 and udf are CD drives.
    test::WriteFile(cwd / "mounts",
                    "proc /proc proc rw 0 0\n"
                    "/dev/sr0 " +
                        (cwd / "cd\\040one").string() +
                        " iso9660 ro 0 0\n"
                        "/dev/sda1 / ext4 rw 0 0\n"
                        "/dev/sr1 " +
                        (cwd / "cd2").string() +
                        " udf ro 0 0\n"
                        "broken line\n");
    SetMountsFileForTesting((cwd / "mounts").c_str());
  }
  void TearDown() override { SetMountsFileForTesting(nullptr); }

  fs::path cwd;
};

}  // namespace

TEST_F(MountsFixture, MapsWindowsPathsToLinuxPaths) {
  const std::string file = (cwd / "Data" / "Sub" / "File.TXT").string();
  const std::string here = test::WindowsPathOf(cwd);
  const struct {
    std::string windows;
    std::string linux;
  } cases[] = {
      {"Data\\Sub\\File.TXT", file},                                // relative, as written
      {"data\\SUB\\file.txt", file},                                // letter case of every part
      {"DATA/sub\\FILE.txt", file},                                 // a slash the user wrote
      {"data\\sub\\file.txt  . .", file},                           // trailing blanks and dots
      {".\\data\\..\\Data\\.\\sub\\\\File.txt", file},              // "." and ".." and doubled separators
      {here + "\\data\\sub\\file.txt", file},                       // absolute on Z:
      {"z:" + here.substr(2) + "\\DATA", (cwd / "Data").string()},  // drive letter in either case
      {"Z:data", (cwd / "Data").string()},                   // Z: without a separator: the current folder
      {here.substr(2) + "\\Data", (cwd / "Data").string()},  // the current drive's root
      {"data\\", (cwd / "Data").string() + "/"},             // a trailing separator stays
      {"data\\Missing\\New.txt", (cwd / "Data" / "Missing" / "New.txt").string()},  // the rest as written
      {"Z:\\", "/"},
      {"Z:\\..\\..", "/"},  // never above the root
      {"..\\" + cwd.filename().string() + "\\data", (cwd / "Data").string()},
      {"d:\\PILO", (cwd / "cd one" / "Pilo").string()},           // first CD mount, unescaped
      {"E:\\README.TXT", (cwd / "cd2" / "readme.txt").string()},  // second CD mount
      {"D:pilo", (cwd / "cd one" / "Pilo").string()},             // other drives start at their root
      {"F:\\x", "<none>"},                                        // no third CD
      {"C:\\Windows", "<none>"},                                  // no other letter
      {"\\\\server\\share\\x", "<none>"},                         // no network
      {"", "<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Mapped(c.windows), c.linux) << c.windows;
}

// Messages name files as the user wrote them: nothing is looked up, so a missing file and a
// relative path read the same as in the settings file.
TEST_F(MountsFixture, EnginePathTextsReadAsTheLinuxPathsTheUserWrote) {
  const struct {
    const char* engine;
    std::string linux;
  } cases[] = {
      {"Z:\\tmp\\work\\SaveGame0.sav.tmp", "/tmp/work/SaveGame0.sav.tmp"},  // the root drive
      {"z:\\Tmp\\Missing\\x.txt", "/Tmp/Missing/x.txt"},                    // no lookup, case as written
      {"/home/me/pilo\\universal\\Movies\\intro.bik ", "/home/me/pilo/universal/Movies/intro.bik"},
      {"../disc\\universal\\Global", "../disc/universal/Global"},             // relative stays relative
      {"resources\\universal\\..\\Global", "resources/universal/../Global"},  // nothing resolved
      {"/home/me/pilo/\\universal", "/home/me/pilo/universal"},               // a separator the user added
      {"Z:\\a\\b. . ", "/a/b"},  // trimmed as the file layer opens it
      {"Z:\\a\\..", "/a/.."},
      {"Z:\\a\\", "/a/"},
      {"D:\\Pilo\\intro.bik", (cwd / "cd one" / "Pilo" / "intro.bik").string()},  // a CD drive's mount point
      {"Z:name", "name"},             // relative to the current folder
      {"C:\\Windows", "C:/Windows"},  // no such drive: kept as text
      {"Z:\\", "/"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(LinuxPathAsWritten(c.engine), c.linux) << c.engine;
  EXPECT_EQ(LinuxPathAsWritten(nullptr), "");
}

TEST_F(MountsFixture, DriveTypesFollowTheMountsTable) {
  EXPECT_EQ(GetDriveTypeA("Z:\\"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA(nullptr), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("d:\\"), DRIVE_CDROM);
  EXPECT_EQ(GetDriveTypeA("E:"), DRIVE_CDROM);
  for (const char* root : {"F:\\", "C:\\", "A:\\", "D:\\x", "", "1:\\"}) {
    EXPECT_EQ(GetDriveTypeA(root), DRIVE_NO_ROOT_DIR) << root;
  }

  // Without a readable table there are no CD drives, and Z: stays.
  SetMountsFileForTesting((cwd / "no-such-file").c_str());
  EXPECT_EQ(GetDriveTypeA("D:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(Mapped("D:\\Pilo"), "<none>");
  EXPECT_EQ(GetDriveTypeA("Z:\\"), DRIVE_FIXED);
}

TEST_F(MountsFixture, FullPathNamesAreWorkedOutFromTheTextAlone) {
  const std::string here = test::WindowsPathOf(cwd);
  EXPECT_EQ(FullPath("name.txt"), here + "\\name.txt");
  EXPECT_EQ(FullPath("a/b\\..\\c. "), here + "\\a\\c");
  EXPECT_EQ(FullPath("sub\\"), here + "\\sub\\");
  EXPECT_EQ(FullPath("\\x"), "Z:\\x");
  EXPECT_EQ(FullPath("C:\\x\\..\\..\\y"), "C:\\y");  // lexical: any letter
  EXPECT_EQ(FullPath("d:"), "D:\\");
  EXPECT_EQ(FullPath(""), "<none>");
}

TEST(FullPathName, AnswersTheSizeNeededWhenTheBufferIsShortAndPointsAtTheLastPart) {
  const std::string expected = "Z:\\dir\\file.txt";
  char small[4] = {'?', '?', '?', '?'};
  EXPECT_EQ(GetFullPathNameA("Z:\\dir\\file.txt", sizeof small, small, nullptr), expected.size() + 1);
  EXPECT_EQ(small[0], '?');
  EXPECT_EQ(GetFullPathNameA("Z:\\dir\\file.txt", 0, nullptr, nullptr), expected.size() + 1);

  char buffer[64];
  char* filePart = nullptr;
  EXPECT_EQ(GetFullPathNameA("Z:/dir/file.txt", sizeof buffer, buffer, &filePart), expected.size());
  EXPECT_EQ(std::string(buffer), expected);
  EXPECT_STREQ(filePart, "file.txt");
  GetFullPathNameA("Z:\\dir\\", sizeof buffer, buffer, &filePart);
  EXPECT_EQ(filePart, nullptr);
}

TEST(PathMapping, PrefersTheWrittenNameAndPicksAMatchInByteOrder) {
  const fs::path cwd = fs::current_path();
  test::WriteFile(cwd / "readme", "lower");
  test::WriteFile(cwd / "README", "upper");
  test::WriteFile(cwd / "ReadMe", "mixed");
  std::string linuxPath;
  ASSERT_TRUE(ToLinuxPath("ReadMe", linuxPath));
  EXPECT_EQ(linuxPath, (cwd / "ReadMe").string());
  ASSERT_TRUE(ToLinuxPath("rEADME", linuxPath));
  EXPECT_EQ(linuxPath, (cwd / "README").string());
}
