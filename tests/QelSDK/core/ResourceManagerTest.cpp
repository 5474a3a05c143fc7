// The resource manager's search list: newest first, moves instead of duplicates, and the paths
// of resources that players open by file name.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>

#include "ArchiveFixtures.h"
#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace {

// A database in memory that answers every resource with its own tag.
class TaggedDatabase : public Qel::IResourceFile {
public:
  TaggedDatabase(std::string tag, std::initializer_list<const char*> names) : m_tag(std::move(tag)) {
    for (const char* name : names) m_names.emplace(Qel::NameHash(name));
  }
  void Load(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::IMemoryBlock>& out) override {
    out.reset();
    if (type != Qel::kTypeText || !m_names.count(nameHash)) return;
    auto block = std::make_shared<Qel::MemoryBlock>();
    block->Allocate(static_cast<uint32_t>(m_tag.size()));
    std::memcpy(block->GetData(), m_tag.data(), m_tag.size());
    out = block;
  }
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    out.reset();
    std::shared_ptr<Qel::IMemoryBlock> block;
    Load(nameHash, type, block);
    if (!block) return;
    auto stream = std::make_shared<Qel::MemStream>();
    stream->SetMemoryBlock(block);
    out = stream;
  }

private:
  std::string m_tag;
  std::multiset<uint32_t> m_names;
};

class ResourceManagerTest : public testing::Test {
protected:
  ~ResourceManagerTest() override { Qel::ResourceManager::DestroyInstance(); }
  Qel::ResourceManager& Manager() { return *Qel::ResourceManager::GetInstance(); }
  std::optional<std::string> Load(const char* name) {
    return test::LoadResource(Manager(), std::string(name) + ".txt");
  }
};

std::shared_ptr<Qel::ResourceTree> OpenTree(const std::filesystem::path& root) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(test::WindowsPathOf(root));
  auto tree = std::make_shared<Qel::ResourceTree>();
  tree->Open(spec, 0);
  return tree;
}

}  // namespace

TEST_F(ResourceManagerTest, NewestDatabaseAnswersAndRemovalUncoversTheOlder) {
  auto a = std::make_shared<TaggedDatabase>("A", std::initializer_list<const char*>{"shared", "onlyA"});
  auto b = std::make_shared<TaggedDatabase>("B", std::initializer_list<const char*>{"shared"});
  auto c = std::make_shared<TaggedDatabase>("C", std::initializer_list<const char*>{"shared"});
  Manager().AddResourceFile(a, 1);
  Manager().AddResourceFile(b, 1);
  EXPECT_EQ(Load("shared"), "B");
  EXPECT_EQ(Load("onlyA"), "A");
  EXPECT_EQ(Load("nowhere"), std::nullopt);
  auto stream = test::OpenResource(Manager(), "shared.txt");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(test::ReadToEnd(*stream, 16), "B");

  // Listing a database again moves it; it is not listed twice.
  Manager().AddResourceFile(a, 1);
  EXPECT_EQ(Load("shared"), "A");
  Manager().RemoveResourceFile(a);
  EXPECT_EQ(Load("shared"), "B");
  EXPECT_EQ(Load("onlyA"), std::nullopt);

  // Any position but 1 appends.
  Manager().AddResourceFile(c, 0);
  EXPECT_EQ(Load("shared"), "B");
  Manager().RemoveResourceFile(b);
  EXPECT_EQ(Load("shared"), "C");
  Manager().RemoveResourceFile(c);
  EXPECT_EQ(Load("shared"), std::nullopt);
}

// Sounds and movies are opened by path, so only a directory database can give one, and the path
// must reach the file in whatever subfolder it lies.
TEST_F(ResourceManagerTest, ResourcePathsLeadToTheFileInADirectoryDatabase) {
  test::TempDir dir;
  const auto root = dir.Path() / "Movies";
  test::WriteFile(root / "intro.wav", "wave");
  test::WriteFile(root / "sub" / "deep" / "Outro.bik", "movie");
  test::WriteZip(dir.Path() / "Movies.qel", {{"intro.wav", "zipped", 8}, {"zip_only.bik", "zipped", 8}});
  auto tree = OpenTree(root);
  auto zip = test::OpenZipFile(dir.Path() / "Movies.qel");
  ASSERT_NE(zip, nullptr);
  Manager().AddResourceFile(tree, 1);
  Manager().AddResourceFile(zip, 1);  // searched first, but has no paths of its own

  const std::string rootPath = test::WindowsPathOf(root);
  const struct {
    const char* name;
    uint32_t type;
    std::string path;
  } cases[] = {
      {"intro", Qel::kTypeWave, rootPath + "\\intro.wav "},
      {"outro", Qel::kTypeMovie, rootPath + "\\sub\\deep\\outro.bik "},
      {"zip_only", Qel::kTypeMovie, ""},
      {"missing", Qel::kTypeWave, ""},
      {"intro.wav", Qel::kTypeWave, ""},  // the name is hashed whole
      {"sub\\intro", Qel::kTypeWave, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = "stale";
    Manager().GetResourcePath(path, c.name, c.type);
    EXPECT_EQ(path, c.path);
  }
  // The path opens the file: the file layer drops the trailing blank.
  std::string path;
  Manager().GetResourcePath(path, "outro", Qel::kTypeMovie);
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(path);
  std::shared_ptr<Qel::Stream> file;
  Qel::OpenFileStream(spec, Qel::kFileRead | Qel::kFileExisting, file);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(test::ReadToEnd(*file, 64), "movie");

  // The file specification is still that of the first database that has the resource.
  std::shared_ptr<Qel::IFileSpec> found;
  Manager().GetResourceFileSpec(Qel::NameHash("intro"), Qel::kTypeWave, found);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetFileName(), "Movies.qel");
  Manager().GetResourceFileSpec(Qel::NameHash("missing"), Qel::kTypeWave, found);
  EXPECT_EQ(found, nullptr);
}

// What a message about a resource names: the file that answers, wherever it lies, or the folder
// that stands in a file's place when none does.
TEST_F(ResourceManagerTest, MessagesNameTheFileThatAnswersOrTheFolderInItsPlace) {
  test::TempDir dir;
  const auto root = dir.Path() / "Global";
  test::WriteFile(root / "sub" / "Caption.txt", "text");
  test::WriteFile(root / "Both.txt", "a file beside its folder");
  std::filesystem::create_directories(root / "Both.txt.d");
  std::filesystem::create_directories(root / "deep" / "Ghost.qela" / "inside");
  std::filesystem::create_directories(root / "Movie.bik");
  test::WriteZip(dir.Path() / "Zipped.qel", {{"zipped.txt", "zipped", 8}});
  Manager().AddResourceFile(OpenTree(root), 1);
  Manager().AddResourceFile(test::OpenZipFile(dir.Path() / "Zipped.qel"), 0);
  EXPECT_EQ(Manager().GetDatabaseCount(), 2u);

  const std::string rootPath = test::WindowsPathOf(root);
  const std::string zipPath = test::WindowsPathOf(dir.Path() / "Zipped.qel");
  const struct {
    const char* name;
    uint32_t type;
    std::string location;
    std::string folder;
  } cases[] = {
      {"caption", Qel::kTypeText, rootPath + "\\sub\\Caption.txt", ""},
      {"zipped", Qel::kTypeText, zipPath + "\\zipped.txt", ""},
      {"Ghost", Qel::kTypeSprite, "", rootPath + "\\deep\\Ghost.qela"},
      {"movie", Qel::kTypeMovie, "", rootPath + "\\Movie.bik"},
      {"movie", Qel::kTypeText, "", ""},  // a folder of another type
      {"nowhere", Qel::kTypeText, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const uint32_t hash = Qel::NameHash(c.name);
    EXPECT_EQ(Manager().GetResourceLocation(hash, c.type, c.name), c.location);
    EXPECT_EQ(Manager().FindFolderInPlace(hash, c.type), c.folder);
  }
}
