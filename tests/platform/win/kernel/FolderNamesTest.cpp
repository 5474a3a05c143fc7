// The case-blind lookup keeps the names of the folders it has listed: whatever changes in a folder,
// by this process or behind its back, the next lookup sees it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Path.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace plat::win;

namespace {

// The mapped path relative to the working folder, "<none>" when there is none.
std::string Mapped(const std::string& windowsPath) {
  std::string linuxPath;
  if (!ToLinuxPath(windowsPath.c_str(), linuxPath)) return "<none>";
  const std::string here = fs::current_path().string() + "/";
  return linuxPath.compare(0, here.size(), here) == 0 ? linuxPath.substr(here.size()) : linuxPath;
}

void Touch(const fs::path& path) {
  test::WriteFile(path, "x");
}

}  // namespace

TEST(FolderNames, ChangesBehindTheLookupsBackAreSeenAtTheNextLookup) {
  struct Case {
    const char* what;
    std::vector<const char*> files;  // laid out first, folders made as needed
    const char* asked;               // looked up before and after the change
    const char* before;
    std::function<void()> change;  // made with plain system calls
    const char* after;
  };
  const Case cases[] = {
      {"a file created",
       {"keep.txt"},
       "new\\SAVE.dat",
       "new/SAVE.dat",
       [] { Touch("save.DAT"); },
       "new/SAVE.dat"},
      {"a file created in a folder listed",
       {"k/keep.txt"},
       "K\\SAVE.dat",
       "k/SAVE.dat",
       [] { Touch("k/save.DAT"); },
       "k/save.DAT"},
      {"a file renamed",
       {"k/Old.txt"},
       "k\\OLD.TXT",
       "k/Old.txt",
       [] { fs::rename("k/Old.txt", "k/New.txt"); },
       "k/OLD.TXT"},
      {"a file renamed to the name asked",
       {"k/Old.txt"},
       "k\\NEW.txt",
       "k/NEW.txt",
       [] { fs::rename("k/Old.txt", "k/New.TXT"); },
       "k/New.TXT"},
      {"a file deleted",
       {"k/Gone.txt"},
       "k\\gone.TXT",
       "k/Gone.txt",
       [] { fs::remove("k/Gone.txt"); },
       "k/gone.TXT"},
      {"a file's letter case changed",
       {"k/Name.txt"},
       "k\\name.txt",
       "k/Name.txt",
       [] { fs::rename("k/Name.txt", "k/NAME.TXT"); },
       "k/NAME.TXT"},
      {"a match created that comes first in byte order",
       {"k/Readme"},
       "k\\readmE",
       "k/Readme",
       [] { Touch("k/README"); },
       "k/README"},
      {"the name asked created as written",
       {"k/README"},
       "k\\ReadMe",
       "k/README",
       [] { Touch("k/ReadMe"); },
       "k/ReadMe"},
      {"a folder replaced at its path",
       {"Sub/File.txt"},
       "sub\\file.txt",
       "Sub/File.txt",
       [] {
         fs::rename("Sub", "Old");
         Touch("Sub/FILE.TXT");
       },
       "Sub/FILE.TXT"},
      {"a folder above it replaced",
       {"A/B/File.txt"},
       "a\\b\\file.txt",
       "A/B/File.txt",
       [] {
         fs::rename("A", "A2");
         Touch("A/B/file.TXT");
       },
       "A/B/file.TXT"},
      {"a folder removed",
       {"A/B/File.txt"},
       "a\\b\\file.txt",
       "A/B/File.txt",
       [] { fs::remove_all("A"); },
       "a/b/file.txt"},
      {"a folder renamed to another letter case",
       {"Sub/File.txt"},
       "sub\\file.txt",
       "Sub/File.txt",
       [] { fs::rename("Sub", "SUB"); },
       "SUB/File.txt"},
      {"a folder swapped for a file",
       {"Sub/File.txt", "k/x"},
       "sub\\file.txt",
       "Sub/File.txt",
       [] {
         fs::remove_all("Sub");
         Touch("Sub");
       },
       "Sub/file.txt"},
      {"a link to another folder put in its place",
       {"Sub/File.txt", "Other/FILE.txt"},
       "sub\\file.txt",
       "Sub/File.txt",
       [] {
         fs::rename("Sub", "Old");
         fs::create_directory_symlink("Other", "Sub");
       },
       "Sub/FILE.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const test::TempDir folder;
    fs::current_path(folder.Path());
    for (const char* file : c.files) Touch(file);
    EXPECT_EQ(Mapped(c.asked), c.before);
    EXPECT_EQ(Mapped(c.asked), c.before);  // the second time from what was kept
    c.change();
    EXPECT_EQ(Mapped(c.asked), c.after);
    fs::current_path(fs::temp_directory_path());
  }
}

TEST(FolderNames, ChangesInQuickSuccessionAreEachSeen) {
  // Far quicker than the file system's clock ticks: each must still be seen.
  Touch("k/keep");
  for (int i = 0; i < 200; ++i) {
    SCOPED_TRACE(i);
    const std::string name = i % 2 ? "k/FILE" : "k/file";
    ASSERT_EQ(Mapped("k\\File"), "k/File");
    Touch(name);
    ASSERT_EQ(Mapped("k\\File"), name);
    fs::remove(name);
  }
}

// More changes than one read of the kernel's reports takes: the last of them, a match for the name
// asked, must still be seen, and so must their undoing.
TEST(FolderNames, ChangesPiledUpBetweenTwoLookupsAreAllSeen) {
  Touch("k/keep");
  ASSERT_EQ(Mapped("k\\Name"), "k/Name");
  constexpr int kFiles = 200;  // each report with its long name takes over 200 bytes
  const auto longName = [](int i) { return "k/" + std::string(200, 'x') + std::to_string(i); };
  for (int i = 0; i < kFiles; ++i) Touch(longName(i));
  Touch("k/NAME");
  EXPECT_EQ(Mapped("k\\Name"), "k/NAME");
  for (int i = 0; i < kFiles; ++i) fs::remove(longName(i));
  fs::remove("k/NAME");
  EXPECT_EQ(Mapped("k\\Name"), "k/Name");
}

TEST(FolderNames, WhatTheFileLayerItselfWritesIsSeenAtOnce) {
  Touch("k/keep");
  ASSERT_EQ(Mapped("k\\SAVE.sav"), "k/SAVE.sav");
  const HANDLE file = CreateFileA("K\\save.SAV.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(CloseHandle(file));
  EXPECT_EQ(Mapped("k\\SAVE.SAV.TMP"), "k/save.SAV.tmp");
  ASSERT_TRUE(MoveFileExA("k\\SAVE.SAV.TMP", "k\\Save.sav", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(Mapped("k\\SAVE.SAV.TMP"), "k/SAVE.SAV.TMP");
  EXPECT_EQ(Mapped("k\\SAVE.sav"), "k/Save.sav");
  ASSERT_TRUE(DeleteFileA("k\\save.SAV"));
  EXPECT_EQ(Mapped("k\\SAVE.sav"), "k/SAVE.sav");
}

TEST(FolderNames, AChildProcessLeavesTheParentsKnowledgeIntact) {
  Touch("k/keep");
  ASSERT_EQ(Mapped("k\\Name"), "k/Name");
  // The change is pending for the parent when the child looks: the child must not take it away.
  Touch("k/NAME");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(Mapped("k\\Name") == "k/NAME" ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Mapped("k\\Name"), "k/NAME");
}

TEST(FolderNames, BeyondTheFoldersKeptLookupsStayRight) {
  constexpr int kFolders = 300;
  for (int i = 0; i < kFolders; ++i) Touch("f" + std::to_string(i) + "/Name");
  for (int i = 0; i < kFolders; ++i)
    ASSERT_EQ(Mapped("F" + std::to_string(i) + "\\NAME"), "f" + std::to_string(i) + "/Name");
  for (int i = 0; i < kFolders; i += 7)
    fs::rename("f" + std::to_string(i) + "/Name", "f" + std::to_string(i) + "/NAme");
  for (int i = 0; i < kFolders; ++i) {
    SCOPED_TRACE(i);
    const std::string folder = "f" + std::to_string(i);
    EXPECT_EQ(Mapped(folder + "\\name"), folder + (i % 7 ? "/Name" : "/NAme"));
  }
}
