// File utilities: existence, deletion, opening streams, listing trees and finding paths on CDs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/WinFileSpec.h"
#include "platform/win/kernel/Drives.h"
#include "support/FileSpec.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;

namespace {

using test::Spec;

// The listed paths relative to the folder (a bare folder name stands for its full path).
std::vector<std::string> Listing(const std::string& folder, uint32_t flags, int depth) {
  const std::shared_ptr<Qel::IFileSpec> spec = Spec(folder);
  const std::string root = spec->GetPath();
  std::vector<std::shared_ptr<Qel::IFileSpec>> specs;
  Qel::EnumerateFiles(spec, specs, flags, depth);
  std::vector<std::string> paths;
  for (const auto& spec : specs) {
    const std::string path = spec->GetPath();
    EXPECT_EQ(path.rfind(root + "\\", 0), 0u) << path;
    paths.push_back(path.substr(root.size() + 1));
  }
  return paths;
}

class ListedTree : public testing::Test {
protected:
  void SetUp() override {
    for (const char* file :
         {"root/a.txt", "root/.dotfile", "root/B/b1.txt", "root/B/C/c1.txt", "root/sub2/z.txt",
          "root/_Hide/h.txt", "root/.git/g.txt", "root/sub2/_hide.txt"}) {
      test::WriteFile(file, "x");
    }
    fs::create_directory("root/B/_HIDE");
    test::WriteFile("root/B/_HIDE/deep/h.txt", "x");
    fs::create_directory_symlink("B", "root/linkdir");
  }
};

}  // namespace

TEST(FileUtilities, ExistenceAndDeletion) {
  test::WriteFile("dir/file.txt", "x");
  EXPECT_TRUE(Qel::FileExists(Spec("DIR\\File.txt")));
  EXPECT_FALSE(Qel::IsDirectory(Spec("dir\\file.txt")));
  EXPECT_TRUE(Qel::IsDirectory(Spec("dir")));
  EXPECT_FALSE(Qel::FileExists(Spec("dir\\nothing")));
  EXPECT_FALSE(Qel::IsDirectory(Spec("dir\\nothing")));
  EXPECT_FALSE(Qel::FileExists(nullptr));
  EXPECT_FALSE(Qel::IsDirectory(nullptr));

  EXPECT_FALSE(Qel::DeleteFileSpec(Spec("dir")));
  EXPECT_FALSE(Qel::DeleteFileSpec(Spec("dir\\nothing")));
  EXPECT_FALSE(Qel::DeleteFileSpec(nullptr));
  EXPECT_TRUE(Qel::DeleteFileSpec(Spec("dir\\FILE.TXT")));
  EXPECT_FALSE(fs::exists("dir/file.txt"));
}

TEST(FileUtilities, MoveReplacesTheTargetFileOrChangesNothing) {
  test::WriteFile("slot.tmp", "new");
  test::WriteFile("Slot.sav", "old");
  EXPECT_TRUE(Qel::MoveFileSpec(Spec("slot.tmp"), Spec("slot.sav")));
  EXPECT_EQ(test::ReadFile("Slot.sav"), "new");
  EXPECT_FALSE(fs::exists("slot.tmp"));

  test::WriteFile("other.tmp", "other");
  fs::create_directory("folder.sav");
  EXPECT_FALSE(Qel::MoveFileSpec(Spec("other.tmp"), Spec("folder.sav")));
  EXPECT_FALSE(Qel::MoveFileSpec(Spec("missing.tmp"), Spec("slot.sav")));
  EXPECT_FALSE(Qel::MoveFileSpec(nullptr, Spec("slot.sav")));
  EXPECT_FALSE(Qel::MoveFileSpec(Spec("other.tmp"), nullptr));
  EXPECT_EQ(test::ReadFile("other.tmp"), "other");
  EXPECT_EQ(test::ReadFile("Slot.sav"), "new");
}

TEST(FileUtilities, OpenFileStreamGivesAFileOrNothing) {
  std::shared_ptr<Qel::Stream> stream;
  Qel::OpenFileStream(Spec("save.dat"), Qel::kFileRead | Qel::kFileExisting, stream);
  EXPECT_FALSE(stream);
  Qel::OpenFileStream(Spec("save.dat"), Qel::kFileWrite | Qel::kFileCreate, stream);
  ASSERT_TRUE(stream);
  EXPECT_TRUE(stream->Write("abc", 3));
  stream.reset();
  Qel::OpenFileStream(Spec("save.dat"), Qel::kFileRead | Qel::kFileExisting, stream);
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->GetSize(), 3u);
  Qel::OpenFileStream(nullptr, Qel::kFileRead, stream);
  EXPECT_FALSE(stream);
}

TEST_F(ListedTree, ListsEveryFileInTreeOrderSkippingHiddenFolders) {
  // Sorted by upper-cased name; each folder's contents right where it is met.
  EXPECT_EQ(Listing("root", 13, -1),
            (std::vector<std::string>{".dotfile", "a.txt", "B\\b1.txt", "B\\C\\c1.txt", "sub2\\z.txt",
                                      "sub2\\_hide.txt"}));
  EXPECT_EQ(Listing("root", 15, -1),
            (std::vector<std::string>{".dotfile", "a.txt", "B", "B\\b1.txt", "B\\C", "B\\C\\c1.txt", "sub2",
                                      "sub2\\z.txt", "sub2\\_hide.txt"}));
  EXPECT_EQ(Listing("root", 13, 0), (std::vector<std::string>{".dotfile", "a.txt"}));
  EXPECT_EQ(Listing("root", 13, 1),
            (std::vector<std::string>{".dotfile", "a.txt", "B\\b1.txt", "sub2\\z.txt", "sub2\\_hide.txt"}));
  EXPECT_EQ(Listing("root", 2 | 8, -1), (std::vector<std::string>{"B", "sub2"}));
  EXPECT_TRUE(Listing("root", 7, -1).empty());  // without flag 8 nothing at all
}

TEST_F(ListedTree, ListsOnlyIntoAnExistingFolder) {
  std::vector<std::shared_ptr<Qel::IFileSpec>> out(1);
  Qel::EnumerateFiles(Spec("root\\a.txt"), out, 13, -1);
  Qel::EnumerateFiles(Spec("nothing"), out, 13, -1);
  Qel::EnumerateFiles(nullptr, out, 13, -1);
  EXPECT_EQ(out.size(), 1u);

  // Each listed entry is a specification of an existing file.
  const std::string root = test::WindowsPathOf("root");
  const std::vector<std::string> absolute = Listing(root, 13, -1);
  EXPECT_EQ(absolute.size(), 6u);
  out.clear();
  Qel::EnumerateFiles(Spec(root + "\\"), out, 13, -1);
  ASSERT_FALSE(out.empty());
  EXPECT_TRUE(Qel::FileExists(out.front()));
  EXPECT_EQ(out.back()->GetName(), "_hide");
  EXPECT_EQ(out.back()->GetExtension(), "txt");
}

// "*" and "?" are legal in Linux names. A listed entry is that one file, never a pattern to look up
// again, so a folder full of such names lists as quickly as one of plain names.
TEST(FileUtilities, ListedNamesWithWildcardCharactersAreJustNames) {
  for (const char* file : {"few/a*", "few/a?", "few/ab", "few/*.*", "few/sub?/in*side"})
    test::WriteFile(file, "x");
  EXPECT_EQ(Listing("few", 15, -1),
            (std::vector<std::string>{"*.*", "a*", "a?", "ab", "sub?", "sub?\\in*side"}));

  constexpr int kFiles = 3000;
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d", i);
    test::WriteFile(std::string("plain/f") + name + "x.txt", "x");
    test::WriteFile(std::string("wild/f*") + name + "?.txt", "x");
  }
  const auto timed = [](const char* folder, std::chrono::duration<double>& took) {
    const auto start = std::chrono::steady_clock::now();
    const size_t count = Listing(folder, 13, -1).size();
    took = std::chrono::steady_clock::now() - start;
    return count;
  };
  std::chrono::duration<double> plain{}, wild{};
  EXPECT_EQ(timed("plain", plain), size_t{kFiles});
  EXPECT_EQ(timed("wild", wild), size_t{kFiles});
  // Measured against the plain folder in the same run; a lookup per entry took far longer.
  EXPECT_LT(wild.count(), 4 * plain.count() + 0.5) << "plain " << plain.count() << " s";
}

TEST(FileUtilities, FindsAPathOnTheFirstCdDriveThatHasIt) {
  const fs::path cwd = fs::current_path();
  fs::create_directories("cd1/pilo");       // D: lacks the data folder
  fs::create_directories("cd2/PILO/Data");  // E: has it
  fs::create_directories("cd3/pilo/data");  // F: has it too, but comes later
  test::WriteFile("mounts", "/dev/sr0 " + (cwd / "cd1").string() + " iso9660 ro 0 0\n" +
                                "/dev/sda1 / ext4 rw 0 0\n" + "/dev/sr1 " + (cwd / "cd2").string() +
                                " udf ro 0 0\n" + "/dev/sr2 " + (cwd / "cd3").string() + " iso9660 ro 0 0\n");
  plat::win::SetMountsFileForTesting((cwd / "mounts").c_str());

  std::shared_ptr<Qel::IFileSpec> found;
  const std::pair<const char*, const char*> paths[] = {
      {"\\pilo\\data", "e:\\pilo\\data"}, {"pilo\\data", "e:\\pilo\\data"}, {"/pilo/data", "e:/pilo/data"}};
  for (const auto& [path, onDrive] : paths) {
    ASSERT_TRUE(Qel::FindFileOnCdDrive(path, found)) << path;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->GetPath(), onDrive);
    EXPECT_TRUE(Qel::IsDirectory(found));
  }
  EXPECT_FALSE(Qel::FindFileOnCdDrive("\\pilo\\missing", found));
  EXPECT_FALSE(found);
  EXPECT_FALSE(Qel::FindFileOnCdDrive(nullptr, found));

  plat::win::SetMountsFileForTesting((cwd / "none").c_str());
  EXPECT_FALSE(Qel::FindFileOnCdDrive("pilo", found));
  EXPECT_FALSE(found);
  plat::win::SetMountsFileForTesting(nullptr);
}
