// The database manager: names become up to eight databases in a fixed search order, counted
// adds and removes, and the roots found at start-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ArchiveFixtures.h"
#include "core/DatabaseManager.h"
#include "core/ResourceManager.h"
#include "platform/win/kernel/Drives.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;

namespace {

class DatabaseManagerTest : public testing::Test {
protected:
  ~DatabaseManagerTest() override {
    Qel::DatabaseManager::DestroyInstance();
    Qel::ResourceManager::DestroyInstance();
    plat::win::SetMountsFileForTesting(nullptr);
  }
  Qel::DatabaseManager& Databases() { return *Qel::DatabaseManager::GetInstance(); }
  std::optional<std::string> Load(const std::string& fileName) {
    return test::LoadResource(*Qel::ResourceManager::GetInstance(), fileName);
  }

  // A directory database, or an archive database when the path ends in ".qel".
  static void MakeDatabase(const fs::path& path,
                           const std::vector<std::pair<std::string, std::string>>& files) {
    if (path.extension() == ".qel") {
      std::vector<test::ZipMember> members;
      for (const auto& [name, data] : files) members.push_back({name, data, 8});
      fs::create_directories(path.parent_path());
      test::WriteZip(path, members);
    } else {
      fs::create_directories(path);
      for (const auto& [name, data] : files) test::WriteFile(path / name, data);
    }
  }

  test::TempDir m_dir;
  const fs::path m_cd = m_dir.Path() / "cd";
  const fs::path m_hd = m_dir.Path() / "hd";
};

}  // namespace

// Rank r is the r-th database searched; it holds f0 to fr, so each fj must come from rank j.
TEST_F(DatabaseManagerTest, EightDatabasesOfANameAreSearchedInTheirOrder) {
  const fs::path ranked[] = {
      m_hd / "universal" / "Area",     m_hd / "universal" / "Area.qel", m_cd / "universal" / "Area",
      m_cd / "universal" / "Area.qel", m_hd / "eng_usa" / "Area",       m_hd / "eng_usa" / "Area.qel",
      m_cd / "eng_usa" / "Area",       m_cd / "eng_usa" / "Area.qel",
  };
  for (int rank = 0; rank < 8; ++rank) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int j = 0; j <= rank; ++j)
      files.emplace_back("f" + std::to_string(j) + ".txt", std::to_string(rank));
    MakeDatabase(ranked[rank], files);
  }
  ASSERT_TRUE(Databases().Init(test::WindowsPathOf(m_cd), test::WindowsPathOf(m_hd), "eng_usa"));
  EXPECT_TRUE(Databases().AddDatabase("Area"));
  for (int j = 0; j < 8; ++j) EXPECT_EQ(Load("f" + std::to_string(j) + ".txt"), std::to_string(j)) << j;

  EXPECT_TRUE(Databases().RemoveDatabase("Area"));
  for (int j = 0; j < 8; ++j) EXPECT_EQ(Load("f" + std::to_string(j) + ".txt"), std::nullopt) << j;
}

TEST_F(DatabaseManagerTest, LaterNamesComeFirstAndUsesAreCounted) {
  setenv("PILO_TRACE", "1", 1);  // read at the first trace line
  MakeDatabase(m_hd / "universal" / "Global", {{"same.txt", "global"}, {"global.txt", "g"}});
  MakeDatabase(m_hd / "eng_usa" / "Hub.qel", {{"same.txt", "hub"}});
  ASSERT_TRUE(Databases().Init(test::WindowsPathOf(m_cd), test::WindowsPathOf(m_hd), "eng_usa"));
  Databases().AddDatabase("Global");
  Databases().AddDatabase("Hub");
  EXPECT_EQ(Load("same.txt"), "hub");

  Databases().AddDatabase("Hub");
  EXPECT_TRUE(Databases().RemoveDatabase("Hub"));
  EXPECT_EQ(Load("same.txt"), "hub");
  EXPECT_TRUE(Databases().RemoveDatabase("Hub"));
  EXPECT_EQ(Load("same.txt"), "global");

  testing::internal::CaptureStderr();
  EXPECT_FALSE(Databases().RemoveDatabase("Hub"));
  EXPECT_FALSE(Databases().RemoveDatabase("Never"));
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("INFO: Database eng_usa\\Never not found.\n"), std::string::npos);
  EXPECT_NE(trace.find("INFO: Database universal\\Never not found.\n"), std::string::npos);
  EXPECT_EQ(Load("global.txt"), "g");
}

// A name whose databases were missing at its first add is looked for again at the next one, and
// an archive that fails to open is skipped while the directory of the same name is still used.
TEST_F(DatabaseManagerTest, MissingAndBrokenDatabasesAreSkipped) {
  fs::create_directories(m_hd);
  ASSERT_TRUE(Databases().Init(test::WindowsPathOf(m_cd), test::WindowsPathOf(m_hd), "eng_usa"));
  EXPECT_TRUE(Databases().AddDatabase("Late"));
  EXPECT_FALSE(Databases().RemoveDatabase("Late"));
  EXPECT_TRUE(Databases().AddDatabase("Late"));
  MakeDatabase(m_hd / "universal" / "Late", {{"late.txt", "here now"}});
  test::WriteFile(m_hd / "universal" / "Late.qel", "not an archive");
  Databases().AddDatabase("Late");
  EXPECT_EQ(Load("late.txt"), "here now");
}

TEST_F(DatabaseManagerTest, InitNeedsOneRootAndFindsTheDiscInAnyCdDrive) {
  fs::create_directories(m_hd);
  EXPECT_FALSE(
      Databases().Init(test::WindowsPathOf(m_cd), test::WindowsPathOf(m_dir.Path() / "nohd"), "eng_usa"));
  EXPECT_TRUE(Databases().Init(test::WindowsPathOf(m_cd), test::WindowsPathOf(m_hd), "eng_usa"));

  // Two discs mounted; the game's folder is only on the second, reached as E:.
  const fs::path first = m_dir.Path() / "disc1";
  const fs::path second = m_dir.Path() / "disc 2";
  fs::create_directories(first);
  MakeDatabase(second / "Pilo" / "universal" / "Music", {{"song.txt", "from the disc"}});
  test::WriteFile(m_dir.Path() / "mounts", "/dev/sr0 " + first.string() +
                                               " iso9660 ro 0 0\n/dev/sda1 / ext4 rw 0 0\n" + "/dev/sr1 " +
                                               m_dir.Path().string() + "/disc\\0402 udf ro 0 0\n");
  plat::win::SetMountsFileForTesting((m_dir.Path() / "mounts").c_str());
  EXPECT_TRUE(Databases().Init("\\pilo", test::WindowsPathOf(m_dir.Path() / "nohd"), "eng_usa"));
  Databases().AddDatabase("Music");
  EXPECT_EQ(Load("song.txt"), "from the disc");
}
