// Files through handles, attributes, deletion and directory search.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/win/kernel/Events.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Find.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace plat::win;

namespace {

HANDLE Open(const char* name, DWORD access, DWORD disposition) {
  return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAll(HANDLE file) {
  char buffer[256];
  DWORD got = 0;
  std::string text;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

struct Listed {
  std::string name;
  DWORD attributes;
  bool operator==(const Listed&) const = default;
};

std::vector<Listed> List(const char* pattern) {
  std::vector<Listed> entries;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    entries.push_back({data.cFileName, data.dwFileAttributes});
  } while (FindNextFileA(find, &data));
  EXPECT_FALSE(FindNextFileA(find, &data));  // stays at the end
  EXPECT_TRUE(FindClose(find));
  return entries;
}

}  // namespace

TEST(Files, DispositionsOpenCreateAndTruncate) {
  const DWORD readWrite = GENERIC_READ | GENERIC_WRITE;
  EXPECT_EQ(Open("new.bin", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(fs::exists("new.bin"));

  HANDLE file = Open("NEW.bin", readWrite, OPEN_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  EXPECT_TRUE(WriteFile(file, "hello", 5, &put, nullptr));
  EXPECT_EQ(put, 5u);
  EXPECT_TRUE(CloseHandle(file));

  file = Open("new.bin", GENERIC_READ, OPEN_ALWAYS);  // existing: kept, found in any letter case
  EXPECT_EQ(ReadAll(file), "hello");
  CloseHandle(file);

  file = Open("new.bin", GENERIC_WRITE, CREATE_ALWAYS);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(fs::file_size("NEW.bin"), 0u);

  EXPECT_EQ(Open("x", GENERIC_READ, 1), INVALID_HANDLE_VALUE);  // a disposition our code never uses
  EXPECT_EQ(Open("missing\\x", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
}

TEST(Files, ExistingFilesOpenAsWrittenOrInAnyLetterCase) {
  fs::create_directories("Data/Sub");
  test::WriteFile("Data/Sub/File.txt", "mixed");
  test::WriteFile("Data/Sub/file.txt", "lower");
  struct {
    const char* name;
    const char* contents;  // null: refused
  } cases[] = {
      {"Data\\Sub\\File.txt", "mixed"},    // as written, though another name differs only in case
      {"Data\\Sub\\file.txt", "lower"},    // as written
      {"DATA\\sub\\FILE.TXT", "mixed"},    // matched part by part, the first of two in byte order
      {"data\\SUB\\file.txt. ", "lower"},  // trailing dots and blanks dropped
      {"Data\\Sub\\File.txt\\", nullptr},  // a file is no folder
      {"Data\\Sub", nullptr},              // a folder is no file
      {"Data\\Nowhere\\File.txt", nullptr},
  };
  for (const auto& c : cases) {
    const HANDLE file = Open(c.name, GENERIC_READ, OPEN_EXISTING);
    if (!c.contents) {
      EXPECT_EQ(file, INVALID_HANDLE_VALUE) << c.name;
      continue;
    }
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(ReadAll(file), c.contents) << c.name;
    CloseHandle(file);
  }
}

// Whatever the disposition, a name missing as written opens the file of another letter case, and
// only a name missing in every case is created, as written.
TEST(Files, EachDispositionFindsTheFileInAnyLetterCase) {
  using Contents = std::map<std::string, std::string>;
  const Contents before = {{"File.txt", "old contents"}};
  const struct {
    const char* name;
    DWORD disposition;
    bool opens;
    Contents after;  // the folder once "new" is written through the handle
  } cases[] = {
      {"Dir\\File.txt", OPEN_EXISTING, true, {{"File.txt", "new contents"}}},
      {"Dir\\FILE.TXT", OPEN_EXISTING, true, {{"File.txt", "new contents"}}},
      {"dir\\FILE.TXT", OPEN_EXISTING, true, {{"File.txt", "new contents"}}},
      {"Dir\\Other.txt", OPEN_EXISTING, false, before},
      {"Dir\\File.txt", OPEN_ALWAYS, true, {{"File.txt", "new contents"}}},
      {"Dir\\file.txt", OPEN_ALWAYS, true, {{"File.txt", "new contents"}}},
      {"DIR\\file.txt", OPEN_ALWAYS, true, {{"File.txt", "new contents"}}},
      {"dir\\Other.txt", OPEN_ALWAYS, true, {{"File.txt", "old contents"}, {"Other.txt", "new"}}},
      {"Dir\\File.txt", CREATE_ALWAYS, true, {{"File.txt", "new"}}},
      {"Dir\\file.TXT", CREATE_ALWAYS, true, {{"File.txt", "new"}}},
      {"dir\\file.TXT", CREATE_ALWAYS, true, {{"File.txt", "new"}}},
      {"DIR\\Other.txt", CREATE_ALWAYS, true, {{"File.txt", "old contents"}, {"Other.txt", "new"}}},
      {"Dir\\Other.txt", CREATE_ALWAYS, true, {{"File.txt", "old contents"}, {"Other.txt", "new"}}},
      {"Nowhere\\File.txt", CREATE_ALWAYS, false, before},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " disposition " + std::to_string(c.disposition));
    fs::remove_all("Dir");
    for (const auto& [name, bytes] : before) test::WriteFile(fs::path("Dir") / name, bytes);
    const HANDLE file = Open(c.name, GENERIC_WRITE, c.disposition);
    ASSERT_EQ(file != INVALID_HANDLE_VALUE, c.opens);
    if (c.opens) {
      DWORD put = 0;
      EXPECT_TRUE(WriteFile(file, "new", 3, &put, nullptr));
      EXPECT_TRUE(CloseHandle(file));
    }
    Contents after;
    for (const auto& entry : fs::directory_iterator("Dir"))
      after[entry.path().filename().string()] = test::ReadFile(entry.path());
    EXPECT_EQ(after, c.after);
  }
}

TEST(Files, RefusesFoldersAndPipesWithoutBlocking) {
  fs::create_directory("folder");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  for (const DWORD disposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS}) {
    EXPECT_EQ(Open("folder", GENERIC_READ, disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open("pipe", GENERIC_READ, disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open("pipe", GENERIC_WRITE, disposition), INVALID_HANDLE_VALUE);
  }
  EXPECT_EQ(GetFileAttributesA("pipe"), INVALID_FILE_ATTRIBUTES);
}

// Linux cuts only regular files, and only those are kept open: a pipe that has a reader is refused
// by every disposition, under its own name and in another letter case, and what waits in it stays.
TEST(Files, APipeWithAReaderIsRefusedAndKeepsWhatWaitsInIt) {
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  const int reader = open("pipe", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const int writer = open("pipe", O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(write(writer, "data", 4), 4);
  for (const char* name : {"pipe", "PIPE"}) {
    for (const DWORD disposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS}) {
      for (const DWORD access : {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE}) {
        EXPECT_EQ(Open(name, access, disposition), INVALID_HANDLE_VALUE)
            << name << " disposition " << disposition << " access " << access;
      }
    }
  }
  char buffer[8] = {};
  EXPECT_EQ(read(reader, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "data");
  close(writer);
  close(reader);
  // Nothing was made beside it under the other letter case.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(Files, ReadsAndWritesOnlyWhatTheHandleAllows) {
  test::WriteFile("data.bin", "abcd");
  const HANDLE reader = Open("data.bin", GENERIC_READ, OPEN_EXISTING);
  char buffer[16];
  DWORD count = 99;
  EXPECT_TRUE(ReadFile(reader, buffer, 10, &count, nullptr));  // short read at the end
  EXPECT_EQ(count, 4u);
  EXPECT_TRUE(ReadFile(reader, buffer, 10, &count, nullptr));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(ReadFile(reader, nullptr, 10, &count, nullptr));
  EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
  EXPECT_FALSE(SetEndOfFile(reader));
  CloseHandle(reader);

  const HANDLE writer = Open("data.bin", GENERIC_WRITE, OPEN_EXISTING);
  EXPECT_FALSE(ReadFile(writer, buffer, 1, &count, nullptr));
  EXPECT_FALSE(WriteFile(writer, nullptr, 1, &count, nullptr));
  CloseHandle(writer);
  EXPECT_EQ(test::ReadFile("data.bin"), "abcd");
}

TEST(Files, FilePointerMovesAndEndOfFileCutsOrExtends) {
  test::WriteFile("data.bin", "0123456789");
  const HANDLE file = Open("data.bin", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
  EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_CURRENT), 6u);
  EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), 7u);
  EXPECT_EQ(SetFilePointer(file, -8, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);  // before the start
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, 7), INVALID_SET_FILE_POINTER);              // no such method
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 7u);  // failures do not move
  EXPECT_EQ(SetFilePointer(file, 20, nullptr, FILE_BEGIN), 20u);  // past the end is fine

  EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_BEGIN), 3u);
  EXPECT_TRUE(SetEndOfFile(file));
  EXPECT_EQ(fs::file_size("data.bin"), 3u);
  EXPECT_EQ(SetFilePointer(file, 6, nullptr, FILE_BEGIN), 6u);
  EXPECT_TRUE(SetEndOfFile(file));
  EXPECT_EQ(test::ReadFile("data.bin"), std::string("012\0\0\0", 6));
  CloseHandle(file);
}

TEST(Files, PositionsBeyondFourGigabytesNeedTheHighPart) {
  const HANDLE file = Open("big.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(file, 16, &high, FILE_BEGIN), 16u);  // 4 GiB + 16
  EXPECT_EQ(high, 1);
  ASSERT_TRUE(SetEndOfFile(file));  // sparse

  // Without the high part the answer would wrap to 16: refused instead.
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  high = 0;
  EXPECT_EQ(SetFilePointer(file, 0, &high, FILE_END), 16u);
  EXPECT_EQ(high, 1);
  high = -1;  // a 64-bit distance of -1
  EXPECT_EQ(SetFilePointer(file, -1, &high, FILE_END), 15u);
  EXPECT_EQ(high, 1);
  high = static_cast<LONG>(0x80000000u);  // the most negative distance cannot overflow
  EXPECT_EQ(SetFilePointer(file, 0, &high, FILE_END), INVALID_SET_FILE_POINTER);
  CloseHandle(file);
}

TEST(Files, FileSizeLeavesThePointerAndNeedsTheHighPartPastFourGigabytes) {
  test::WriteFile("data.bin", "0123456789");
  HANDLE file = Open("data.bin", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(file, &high), 10u);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(GetFileSize(file, nullptr), 10u);
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 4u);

  DWORD put = 0;
  SetFilePointer(file, 0, nullptr, FILE_END);
  ASSERT_TRUE(WriteFile(file, "ab", 2, &put, nullptr));  // grown by this handle
  EXPECT_EQ(GetFileSize(file, nullptr), 12u);

  // A handle that lets others write asks the file every time.
  const HANDLE shared = CreateFileA("data.bin", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_TRUE(WriteFile(file, "cd", 2, &put, nullptr));
  EXPECT_EQ(GetFileSize(shared, nullptr), 14u);
  CloseHandle(shared);

  LONG position = 1;
  SetFilePointer(file, 2, &position, FILE_BEGIN);  // 4 GiB + 2
  ASSERT_TRUE(SetEndOfFile(file));                 // sparse
  EXPECT_EQ(GetFileSize(file, &high), 2u);
  EXPECT_EQ(high, 1u);
  EXPECT_EQ(GetFileSize(file, nullptr), INVALID_FILE_SIZE);  // refused rather than wrapped
  CloseHandle(file);
  EXPECT_EQ(GetFileSize(file, &high), INVALID_FILE_SIZE);
}

// A reader that lets no one else write keeps its size only while no handle of this process changes
// the file: each of these changes goes through another handle, under this name or a second one.
TEST(Files, AReaderSeesTheSizeAnotherHandleOfTheProcessLeavesTheFileAt) {
  const struct {
    const char* change;
    const char* name;  // the writer's name for the file
    DWORD disposition;
    DWORD size;       // the writer's SetEndOfFile position, or 0 to append 6 bytes
    bool closeFirst;  // the writer is closed before the reader asks
  } cases[] = {
      {"appended", "data.bin", OPEN_EXISTING, 0, false},
      {"appended and closed", "data.bin", OPEN_EXISTING, 0, true},
      {"appended under another letter case", "DATA.BIN", OPEN_EXISTING, 0, false},
      {"appended through a hard link", "link.bin", OPEN_EXISTING, 0, true},
      {"truncated at open", "data.bin", CREATE_ALWAYS, 0, false},
      {"cut", "data.bin", OPEN_EXISTING, 3, false},
      {"extended", "data.bin", OPEN_EXISTING, 100, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    std::error_code ignored;
    fs::remove("link.bin", ignored);
    test::WriteFile("data.bin", "0123456789");
    fs::create_hard_link("data.bin", "link.bin");
    const HANDLE reader = Open("data.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_EQ(GetFileSize(reader, nullptr), 10u);

    const HANDLE writer = Open(c.name, GENERIC_WRITE, c.disposition);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    if (c.size) {
      SetFilePointer(writer, static_cast<LONG>(c.size), nullptr, FILE_BEGIN);
      ASSERT_TRUE(SetEndOfFile(writer));
    } else if (c.disposition == OPEN_EXISTING) {
      DWORD put = 0;
      SetFilePointer(writer, 0, nullptr, FILE_END);
      ASSERT_TRUE(WriteFile(writer, "abcdef", 6, &put, nullptr));
    }
    if (c.closeFirst) CloseHandle(writer);
    const auto expected = static_cast<DWORD>(fs::file_size("data.bin"));
    EXPECT_EQ(GetFileSize(reader, nullptr), expected);
    EXPECT_EQ(ReadAll(reader).size(), expected);
    if (!c.closeFirst) CloseHandle(writer);
    CloseHandle(reader);
  }
}

TEST(Files, HandlesAreCheckedTokens) {
  test::WriteFile("a.txt", "a");
  const HANDLE file = Open("a.txt", GENERIC_READ, OPEN_EXISTING);
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA("a.txt", &data);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindClose(file));  // a file is no search, and a search no file
  EXPECT_FALSE(CloseHandle(find));
  char byte;
  DWORD count;
  EXPECT_FALSE(ReadFile(find, &byte, 1, &count, nullptr));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_TRUE(FindClose(find));
  EXPECT_FALSE(CloseHandle(file));  // closed twice
  EXPECT_FALSE(ReadFile(file, &byte, 1, &count, nullptr));
  EXPECT_FALSE(FindNextFileA(find, &data));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_EQ(SetFilePointer(INVALID_HANDLE_VALUE, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
}

TEST(Files, AttributesAndDeletion) {
  test::WriteFile("dir/File.txt", "x");
  EXPECT_EQ(GetFileAttributesA("DIR"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("dir\\"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("dir\\file.TXT"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesA("dir\\file.txt\\"), INVALID_FILE_ATTRIBUTES);  // a file is no folder
  EXPECT_EQ(GetFileAttributesA("dir\\nothing"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);

  // Links are followed; a name that exists as written comes first, even as a broken link, and only a
  // name missing as written is matched in another letter case.
  fs::create_symlink("File.txt", "dir/link");
  fs::create_symlink("gone", "dir/broken");
  test::WriteFile("dir/BROKEN", "x");
  EXPECT_EQ(GetFileAttributesA("DIR\\LINK"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesA("dir\\broken"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("dir\\Broken"), FILE_ATTRIBUTE_NORMAL);
  fs::remove("dir/link");
  fs::remove("dir/broken");
  fs::remove("dir/BROKEN");

  EXPECT_FALSE(DeleteFileA("dir"));
  EXPECT_TRUE(DeleteFileA("DIR\\FILE.TXT"));
  EXPECT_FALSE(fs::exists("dir/File.txt"));
  EXPECT_FALSE(DeleteFileA("dir\\file.txt"));
  EXPECT_TRUE(fs::is_directory("dir"));
}

TEST(Files, FlushWaitsOnlyOnHandlesOpenForWriting) {
  HANDLE writer = Open("flushed.bin", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(writer, "data", 4, &put, nullptr));
  EXPECT_TRUE(FlushFileBuffers(writer));
  HANDLE reader = Open("flushed.bin", GENERIC_READ, OPEN_EXISTING);
  EXPECT_FALSE(FlushFileBuffers(reader));
  EXPECT_TRUE(CloseHandle(reader));
  EXPECT_TRUE(CloseHandle(writer));
  EXPECT_FALSE(FlushFileBuffers(writer));  // closed
  EXPECT_FALSE(FlushFileBuffers(nullptr));
}

TEST(Files, MoveReplacesAFileInOneStepAndNothingElse) {
  test::WriteFile("Saves/New.tmp", "new");
  test::WriteFile("Saves/Slot.sav", "old");
  EXPECT_TRUE(MoveFileExA("saves\\new.tmp", "SAVES\\SLOT.SAV", MOVEFILE_REPLACE_EXISTING));
  // The file of the other letter case is the one replaced; no sibling appears beside it.
  EXPECT_EQ(test::ReadFile("Saves/Slot.sav"), "new");
  EXPECT_FALSE(fs::exists("Saves/New.tmp"));
  EXPECT_EQ(std::distance(fs::directory_iterator("Saves"), fs::directory_iterator()), 1);

  test::WriteFile("Saves/Other.tmp", "other");
  EXPECT_TRUE(MoveFileExA("Saves/Other.tmp", "Saves\\Fresh.sav", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(test::ReadFile("Saves/Fresh.sav"), "other");

  // Each failure leaves both names as they were.
  test::WriteFile("Saves/Left.tmp", "left");
  fs::create_directories("Saves/Folder.sav/inside");
  fs::create_symlink("Left.tmp", "Saves/Link.tmp");
  const struct {
    const char* from;
    const char* to;
    DWORD flags;
  } refused[] = {
      {"Saves\\Left.tmp", "Saves\\Slot.sav", 0},                            // only replacing moves are made
      {"Saves\\Left.tmp", "Saves\\Folder.sav", MOVEFILE_REPLACE_EXISTING},  // a folder is not replaced
      {"Saves\\Folder.sav", "Saves\\Moved", MOVEFILE_REPLACE_EXISTING},     // folders are not moved
      {"saves\\FOLDER.SAV", "Saves\\Moved", MOVEFILE_REPLACE_EXISTING},     // in any letter case
      {"Saves\\Link.tmp", "Saves\\Moved", MOVEFILE_REPLACE_EXISTING},       // nor links, even to a file
      {"Saves\\Missing.tmp", "Saves\\Slot.sav", MOVEFILE_REPLACE_EXISTING},
      {"Saves\\Left.tmp", "Nowhere\\Slot.sav", MOVEFILE_REPLACE_EXISTING},
      {nullptr, "Saves\\Slot.sav", MOVEFILE_REPLACE_EXISTING},
      {"Saves\\Left.tmp", nullptr, MOVEFILE_REPLACE_EXISTING},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(std::string(c.from ? c.from : "(null)") + " -> " + (c.to ? c.to : "(null)"));
    EXPECT_FALSE(MoveFileExA(c.from, c.to, c.flags));
    EXPECT_EQ(test::ReadFile("Saves/Left.tmp"), "left");
    EXPECT_EQ(test::ReadFile("Saves/Slot.sav"), "new");
    EXPECT_TRUE(fs::is_directory("Saves/Folder.sav/inside"));
    EXPECT_TRUE(fs::is_symlink("Saves/Link.tmp"));
    EXPECT_FALSE(fs::exists("Saves/Moved"));
  }
}

TEST(Find, ListsSortedByUpperCasedNameWithoutFollowingFolderLinks) {
  for (const char* name : {"b.txt", "A.txt", ".hidden", "Zeta", "alpha", "_hide/x"})
    test::WriteFile(name, "x");
  fs::create_directory("sub");
  fs::create_directory_symlink("sub", "linkdir");
  fs::create_symlink("A.txt", "flink");
  fs::create_symlink("gone", "broken");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);

  const DWORD dir = FILE_ATTRIBUTE_DIRECTORY, file = FILE_ATTRIBUTE_NORMAL;
  const std::vector<Listed> all = {{".", dir},      {"..", dir},     {".hidden", file}, {"A.txt", file},
                                   {"alpha", file}, {"b.txt", file}, {"flink", file},   {"sub", dir},
                                   {"Zeta", file},  {"_hide", dir}};
  EXPECT_EQ(List("*.*"), all);
  EXPECT_EQ(List("*"), all);
  EXPECT_EQ(List(".\\*.TXT"), (std::vector<Listed>{{"A.txt", file}, {"b.txt", file}}));
  EXPECT_EQ(List("?.txt"), (std::vector<Listed>{{"A.txt", file}, {"b.txt", file}}));
  EXPECT_EQ(List("*a*"), (std::vector<Listed>{{"A.txt", file}, {"alpha", file}, {"Zeta", file}}));
  EXPECT_EQ(List("SUB\\*.*"), (std::vector<Listed>{{".", dir}, {"..", dir}}));
  EXPECT_TRUE(List("*.none").empty());
  EXPECT_TRUE(List("missing\\*.*").empty());
}

TEST(Find, LooksUpOneNameInItsLetterCaseOnDisk) {
  test::WriteFile("Folder/Pilo.ini", "x");
  EXPECT_EQ(List("folder\\PILO.INI"), (std::vector<Listed>{{"Pilo.ini", FILE_ATTRIBUTE_NORMAL}}));
  EXPECT_EQ(List("FOLDER"), (std::vector<Listed>{{"Folder", FILE_ATTRIBUTE_DIRECTORY}}));
  EXPECT_EQ(List("folder\\pilo.ini. "), (std::vector<Listed>{{"Pilo.ini", FILE_ATTRIBUTE_NORMAL}}));
  EXPECT_EQ(List("."), (std::vector<Listed>{{".", FILE_ATTRIBUTE_DIRECTORY}}));
  EXPECT_TRUE(List("folder\\").empty());  // a trailing separator names no entry
  EXPECT_TRUE(List("Z:\\").empty());
  EXPECT_TRUE(List("Z:").empty());
  EXPECT_TRUE(List("folder\\nothing").empty());
  // As with attributes: links followed, the name as written first, even when its link is broken.
  fs::create_symlink("Pilo.ini", "Folder/link");
  fs::create_symlink("gone", "Folder/broken");
  test::WriteFile("Folder/BROKEN", "x");
  EXPECT_EQ(List("folder\\LINK"), (std::vector<Listed>{{"link", FILE_ATTRIBUTE_NORMAL}}));
  EXPECT_TRUE(List("folder\\broken").empty());
  EXPECT_EQ(List("folder\\Broken"), (std::vector<Listed>{{"BROKEN", FILE_ATTRIBUTE_NORMAL}}));

  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA("folder", nullptr), INVALID_HANDLE_VALUE);
}

TEST(Find, ADriveRootHasNoDotEntries) {
  const std::vector<Listed> root = List("Z:\\*.*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root.front().name, ".");
  EXPECT_NE(root.front().name, "..");
}

// A file still open at exit, in a process whose first kernel object was not a file (the game makes
// its single-instance mutex first): the program still exits cleanly.
TEST(FilesAtExit, AFileLeftOpenWhenTheProgramEnds) {
  EXPECT_EXIT(
      {
        if (!CreateEventA(nullptr, TRUE, FALSE, nullptr)) std::exit(3);
        if (Open("late.bin", GENERIC_WRITE, CREATE_ALWAYS) == INVALID_HANDLE_VALUE) std::exit(4);
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}
