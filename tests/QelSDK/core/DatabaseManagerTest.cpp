// The database manager: names become up to eight databases in a fixed search order, counted
// adds and removes, and the roots found at start-up.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

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

  // The trace of adding "Global" once from a hard disk laid out by make, which gets the database's
  // own path in the language folder.
  std::string TraceOfAdding(const fs::path& hd, const std::function<void(const fs::path&)>& make) {
    fs::create_directories(hd / "eng_usa");
    make(hd / "eng_usa" / "Global");
    EXPECT_TRUE(Databases().Init("", test::WindowsPathOf(hd), "eng_usa"));
    testing::internal::CaptureStderr();
    Databases().AddDatabase("Global");
    return testing::internal::GetCapturedStderr();
  }

  static size_t WarningCount(const std::string& trace) {
    size_t count = 0;
    for (size_t at = trace.find("WARN:"); at != std::string::npos; at = trace.find("WARN:", at + 1)) ++count;
    return count;
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
  setenv("PILO_TRACE", "1", 1);  // for this case only
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

// A database that is there but cannot be used is still skipped, but never without a word: one
// warning names it and says why.
TEST_F(DatabaseManagerTest, DatabasesThatCannotBeUsedAreNamedOnTheTrace) {
  setenv("PILO_TRACE", "1", 1);
  const struct {
    const char* what;
    std::function<void(const fs::path&)> make;  // given the database's path without extension
    const char* file;                           // the name the warning gives, after the language folder
    const char* warning;                        // the line, with %s for the file's path
    const char* loads;                          // a resource that is still found, or null
  } cases[] = {
      {"an archive that is a folder",
       [](const fs::path& db) { fs::create_directories(db.string() + ".qel"); }, "Global.qel",
       "WARN: Zip archive %s cannot be opened: it is a folder.\n", nullptr},
      {"an archive that is no archive",
       [](const fs::path& db) { test::WriteFile(db.string() + ".qel", "junk"); }, "Global.qel",
       "WARN: Zip archive %s refused: too short.\n", nullptr},
      {"an archive with more members than its directory counts",
       [](const fs::path& db) {
         const fs::path archive = db.string() + ".qel";
         test::WriteZip(archive, {{"a.txt", "first", 8}, {"b.txt", "second", 0}, {"c.txt", "third", 8}});
         std::string bytes = test::ReadFile(archive);
         test::PutU16(bytes, test::EndRecordOffset(bytes) + test::kEndEntries, 2);
         test::WriteFile(archive, bytes);
       },
       "Global.qel",
       "WARN: Zip archive %s holds more members than the 2 its directory counts; the rest are left out.\n",
       "b.txt"},
      {"a database folder that is a file", [](const fs::path& db) { test::WriteFile(db, "not a folder"); },
       "Global", "WARN: Database folder %s is not a folder; skipped.\n", nullptr},
  };
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path hd = m_dir.Path() / ("hd" + std::to_string(run++));
    const std::string trace = TraceOfAdding(hd, c.make);
    // Named as the Linux path the user finds the file under.
    const std::string path = (hd / "eng_usa" / c.file).string();
    std::string line(c.warning);
    line.replace(line.find("%s"), 2, path);
    EXPECT_NE(trace.find(line), std::string::npos) << trace;
    EXPECT_EQ(WarningCount(trace), 1u) << trace;
    if (c.loads) {
      EXPECT_TRUE(Load(c.loads));
    }
    Qel::DatabaseManager::DestroyInstance();
    Qel::ResourceManager::DestroyInstance();
  }
}

// Permissions bind everyone but root, so these cases only mean something for other users.
TEST_F(DatabaseManagerTest, DatabasesWithoutReadPermissionAreNamedOnTheTrace) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  setenv("PILO_TRACE", "1", 1);
  const std::string archiveTrace = TraceOfAdding(m_dir.Path() / "hd1", [](const fs::path& db) {
    test::WriteZip(db.string() + ".qel", {{"a.txt", "first", 8}});
    chmod((db.string() + ".qel").c_str(), 0);
  });
  EXPECT_NE(archiveTrace.find("WARN: Zip archive " + (m_dir.Path() / "hd1" / "eng_usa").string() +
                              "/Global.qel cannot be opened: it cannot be read.\n"),
            std::string::npos)
      << archiveTrace;
  Qel::DatabaseManager::DestroyInstance();
  Qel::ResourceManager::DestroyInstance();

  const fs::path folder = m_dir.Path() / "hd2" / "eng_usa" / "Global";
  const std::string folderTrace = TraceOfAdding(m_dir.Path() / "hd2", [](const fs::path& db) {
    test::WriteFile(db / "a.txt", "first");
    chmod(db.c_str(), 0);
  });
  chmod(folder.c_str(), 0755);  // so that the folder can be removed
  EXPECT_NE(folderTrace.find("WARN: Folder " + folder.string() +
                             " cannot be listed: it cannot be read; its files are left out.\n"),
            std::string::npos)
      << folderTrace;
}
