// The directory database: every file of the tree indexed by base name and type, first found wins.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ArchiveFixtures.h"
#include "core/ResourceAddress.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace {

std::shared_ptr<Qel::ResourceTree> OpenTree(const std::filesystem::path& root) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(test::WindowsPathOf(root));
  auto tree = std::make_shared<Qel::ResourceTree>();
  EXPECT_TRUE(tree->Open(spec, 0));
  return tree;
}

// A chain of folders of one long name under base, deeper than a Linux path can name: made and
// removed one level at a time from inside, since no path reaches its bottom.
class DeepChain {
public:
  DeepChain(const std::filesystem::path& base, int levels, const std::string& name)
      : m_levels(levels), m_name(name) {
    const int back = open(".", O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(chdir(base.c_str()), 0);
    for (int i = 0; i < levels; ++i) {
      EXPECT_EQ(mkdir(name.c_str(), 0755), 0);
      EXPECT_EQ(chdir(name.c_str()), 0);
    }
    test::WriteFile("bottom.txt", "unreachable");
    EXPECT_EQ(fchdir(back), 0);
    close(back);
    m_base = base;
  }
  ~DeepChain() {
    const int back = open(".", O_RDONLY | O_DIRECTORY);
    if (chdir(m_base.c_str()) != 0) return;
    for (int i = 0; i < m_levels; ++i) {
      if (chdir(m_name.c_str()) != 0) break;
    }
    unlink("bottom.txt");
    for (int i = 0; i < m_levels; ++i) {
      if (chdir("..") != 0) break;
      rmdir(m_name.c_str());
    }
    if (fchdir(back) != 0) std::abort();
    close(back);
  }
  DeepChain(const DeepChain&) = delete;
  DeepChain& operator=(const DeepChain&) = delete;

private:
  std::filesystem::path m_base;
  int m_levels;
  std::string m_name;
};

}  // namespace

TEST(ResourceTreeDatabase, ATreeTooDeepToIndexIsNamedOnTheTraceWhereItStops) {
  setenv("PILO_TRACE", "1", 1);
  test::TempDir dir;
  const auto root = dir.Path() / "Global";
  test::WriteFile(root / "top.txt", "reachable");
  const std::string name(200, 'd');
  const DeepChain chain(root, 25, name);  // 25 levels of 201 characters: far beyond the limit

  testing::internal::CaptureStderr();
  auto tree = OpenTree(root);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_EQ(test::LoadResource(*tree, "top.txt"), "reachable");
  EXPECT_EQ(test::LoadResource(*tree, "bottom.txt"), std::nullopt);

  // The first folder whose path is too long for the system is the one named, once.
  std::string folder = root.string();
  while (folder.size() < PATH_MAX) folder += "/" + name;
  EXPECT_NE(
      trace.find("WARN: Folder " + folder +
                 " cannot be listed: its path is too long (the tree is too deep); its files are left out.\n"),
      std::string::npos)
      << trace.substr(0, 300);
  EXPECT_EQ(trace.find("WARN:"), trace.rfind("WARN:"));
}

TEST(ResourceTreeDatabase, IndexesTheWholeTreeAndSkipsHiddenFolders) {
  setenv("PILO_TRACE", "1", 1);
  test::TempDir dir;
  const auto root = dir.Path() / "Global";
  test::WriteFile(root / "a" / "intro.bik", "from a");
  test::WriteFile(root / "b" / "Intro.BIK", "from b");
  test::WriteFile(root / "_Hide" / "secret.txt", "hidden");
  test::WriteFile(root / ".svn" / "entries.txt", "hidden");
  test::WriteFile(root / "deep" / "er" / "_hide" / "also.txt", "hidden");
  test::WriteFile(root / "deep" / "er" / "est" / "talk.snc", "lips");
  test::WriteFile(root / ".cfg", "dot file");
  test::WriteFile(root / "readme", "no extension");
  test::WriteFile(root / "Title.TXT", "title");
  test::WriteFile(root / "empty.txt", "");
  const std::string big = test::Incompressible(100000, 61);
  test::WriteFile(root / "big.wav", big);

  testing::internal::CaptureStderr();
  auto tree = OpenTree(root);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("WARN: Hash collision in ResourceTree.\n      File "), std::string::npos);
  EXPECT_NE(trace.find("/b/Intro.BIK collides.\n"), std::string::npos);

  EXPECT_EQ(test::LoadResource(*tree, "intro.bik"), "from a");
  EXPECT_EQ(test::LoadResource(*tree, "talk.snc"), "lips");
  EXPECT_EQ(test::LoadResource(*tree, "readme"), "no extension");
  EXPECT_EQ(test::LoadResource(*tree, "title.txt"), "title");
  EXPECT_EQ(test::LoadResource(*tree, "empty.txt"), "");
  EXPECT_EQ(test::LoadResource(*tree, "big.wav"), big);
  // A name that is all extension hashes to 0.
  std::shared_ptr<Qel::IMemoryBlock> block;
  tree->Load(0, Qel::TypeCodeFromExtension("cfg"), block);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block->GetData()), block->GetSize()), "dot file");
  for (const char* hidden : {"secret.txt", "entries.txt", "also.txt"}) {
    EXPECT_EQ(test::LoadResource(*tree, hidden), std::nullopt) << hidden;
  }

  auto stream = test::OpenResource(*tree, "big.wav");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(test::ReadToEnd(*stream, 4096), big);
  std::shared_ptr<Qel::IFileSpec> spec;
  tree->GetFileSpec(spec);
  ASSERT_NE(spec, nullptr);
  EXPECT_EQ(spec->GetPath(), test::WindowsPathOf(root));
}

TEST(ResourceTreeDatabase, MissingDirectoryAndVanishedFilesAnswerNothing) {
  test::TempDir dir;
  auto missing = OpenTree(dir.Path() / "nothing");
  EXPECT_EQ(test::LoadResource(*missing, "a.txt"), std::nullopt);

  test::WriteFile(dir.Path() / "db" / "gone.txt", "soon gone");
  test::WriteFile(dir.Path() / "db" / "kept.txt", "kept");
  auto tree = OpenTree(dir.Path() / "db");
  std::filesystem::remove(dir.Path() / "db" / "gone.txt");
  EXPECT_EQ(test::OpenResource(*tree, "gone.txt"), nullptr);
  EXPECT_EQ(test::LoadResource(*tree, "gone.txt"), std::nullopt);
  EXPECT_EQ(test::LoadResource(*tree, "kept.txt"), "kept");
  EXPECT_TRUE(tree->Close());
  EXPECT_EQ(test::LoadResource(*tree, "kept.txt"), std::nullopt);
}
