// File specifications: storing, splitting, joining, full paths of bare names and parents.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/ResourceAddress.h"
#include "core/WinFileSpec.h"
#include "support/FileSpec.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;

namespace {

using test::Spec;

}  // namespace

TEST(WinFileSpec, SplitsPathsOnBackslashesAndSlashes) {
  const struct {
    const char* path;
    const char* stored;
    const char* fileName;
    const char* extension;
    const char* name;
    const char* directory;
  } cases[] = {
      {"C:\\data\\", "C:\\data", "data", "", "data", "C:\\"},    // one trailing backslash dropped
      {"C:\\data\\\\", "C:\\data\\", "", "", "", "C:\\data\\"},  // only one
      {"C:\\a.b\\file", "C:\\a.b\\file", "file", "b\\file", "file", "C:\\a.b\\"},  // the last "." anywhere
      {"Z:\\snd\\Voice.Take2.WAV ", "Z:\\snd\\Voice.Take2.WAV ", "Voice.Take2.WAV ", "WAV ", "Voice.Take2",
       "Z:\\snd\\"},
      {"dir/name.txt", "dir/name.txt", "name.txt", "txt", "name",
       "dir/"},  // a slash the user wrote parts too
      {"/home/me/pilo/", "/home/me/pilo", "pilo", "", "pilo", "/home/me/"},
      {"../disc\\Global", "../disc\\Global", "Global", "/disc\\Global", "Global", "../disc\\"},
      {"/", "/", "", "", "", "/"},  // the Linux root keeps its slash
      {"plain", "plain", "plain", "", "plain", ""},
      {".profile", ".profile", ".profile", "profile", "", ""},
      {"", "", "", "", "", ""},
  };
  for (const auto& c : cases) {
    const auto spec = std::static_pointer_cast<Qel::WinFileSpec>(Spec(c.path));
    EXPECT_EQ(spec->GetPath(), c.stored) << c.path;
    EXPECT_EQ(spec->GetFileName(), c.fileName) << c.path;
    EXPECT_EQ(spec->GetExtension(), c.extension) << c.path;
    EXPECT_EQ(spec->GetName(), c.name) << c.path;
    EXPECT_EQ(spec->GetDirectory(), c.directory) << c.path;
    EXPECT_EQ(spec->GetNameHash(), Qel::NameHash(c.name)) << c.path;
  }
}

TEST(WinFileSpec, TypeCodeComesFromTheFirstFourCharactersOfTheExtension) {
  EXPECT_EQ(Spec("C:\\a.b\\file")->GetTypeCode(), Qel::MakeTypeCode('b', '\\', 'f', 'i'));
  EXPECT_EQ(Spec("Z:\\x\\Intro.BIK")->GetTypeCode(), Qel::kTypeMovie);
  EXPECT_EQ(Spec("Z:\\x\\hero.qela")->GetTypeCode(), Qel::kTypeSprite);
  EXPECT_EQ(Spec("Z:\\x\\noext")->GetTypeCode(), Qel::kTypeNone);
}

TEST(WinFileSpec, ABareNameThatExistsBecomesItsFullPathInItsRealCase) {
  test::WriteFile("Pilo.ini", "x");
  test::WriteFile("Saves/Slot1.sav", "x");
  const std::string here = test::WindowsPathOf(fs::current_path());
  const std::string parent = test::WindowsPathOf(fs::current_path().parent_path());
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"pilo.INI", here + "\\Pilo.ini"},
      {"Pilo.ini", here + "\\Pilo.ini"},
      {"saves\\", here + "\\Saves"},
      {"missing.ini", "missing.ini"},            // stays as written
      {"saves\\slot1.SAV", "saves\\slot1.SAV"},  // a folder part is kept
      // Names whose full path is not the working folder's followed by the name itself.
      {"pilo.ini. ", here + "\\Pilo.ini"},  // trailing dots and blanks are dropped
      {"P*.INI", here + "\\Pilo.ini"},      // a pattern takes the first name it matches
      {"*", here},                          // ... which here is "."
      {".", here},
      {"..", parent},
      {"Z:PILO.ini", here + "\\Pilo.ini"},  // relative to the working folder on its drive
      {"Z:", "Z:"},                         // a drive alone names no entry
  };
  for (const auto& c : cases) EXPECT_EQ(Spec(c.name)->GetPath(), c.path) << c.name;
}

TEST(WinFileSpec, ASpecificationAsWrittenIsNotLookedUp) {
  test::WriteFile("Pilo.ini", "x");
  test::WriteFile("a/b.txt", "x");
  EXPECT_EQ(Qel::WinFileSpec::CreateAsWritten("pilo.INI")->GetPath(), "pilo.INI");
  EXPECT_EQ(Qel::WinFileSpec::CreateAsWritten("a\\new.tmp\\")->GetPath(), "a\\new.tmp");
  // Taken for missing, so it has no parent until a lookup finds it.
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::CreateAsWritten("a\\b.txt");
  std::shared_ptr<Qel::IFileSpec> parent;
  spec->GetParent(parent);
  EXPECT_FALSE(parent);
  spec->SetPath(spec->GetPath());
  spec->GetParent(parent);
  EXPECT_TRUE(parent);
}

// A Linux path names its own folder even when a folder of its last name lies in the working folder.
TEST(WinFileSpec, LinuxPathsAreNeverTakenForBareNames) {
  fs::create_directories("game/pilo");
  fs::create_directories("pilo");
  const std::string base = fs::current_path().string();
  ASSERT_EQ(chdir("game"), 0);
  for (const std::string& path :
       {base + "/pilo", base + "/pilo/", std::string("../pilo"), std::string("../pilo/")}) {
    SCOPED_TRACE(path);
    const auto spec = Spec(path);
    EXPECT_EQ(spec->GetPath(), path.back() == '/' ? path.substr(0, path.size() - 1) : path);
    std::shared_ptr<Qel::IFileSpec> parent;
    spec->GetParent(parent);  // only an existing path has a parent
    ASSERT_TRUE(parent);
    // ".." alone is a bare name, and so becomes the full path of the folder it names.
    EXPECT_EQ(parent->GetPath(), path[0] == '/' ? base : test::WindowsPathOf(base));
  }
}

TEST(WinFileSpec, FullPathsLongerThanTheClassicLimitAreKept) {
  fs::path deep = fs::current_path();
  for (int i = 0; i < 12; ++i) deep /= std::string(30, static_cast<char>('a' + i));
  test::WriteFile(deep / "Deep.txt", "x");
  ASSERT_EQ(chdir(deep.c_str()), 0);
  const std::string expected = test::WindowsPathOf(deep) + "\\Deep.txt";
  ASSERT_GT(expected.size(), 260u);
  EXPECT_EQ(Spec("deep.txt")->GetPath(), expected);
}

TEST(WinFileSpec, JoinAddsOneBackslash) {
  std::shared_ptr<Qel::IFileSpec> joined = Qel::WinFileSpec::Create();
  joined->Join(Spec("Z:\\root"), "universal\\game1.qel");
  EXPECT_EQ(joined->GetPath(), "Z:\\root\\universal\\game1.qel");
  joined->Join(Spec("C:\\data\\\\"), "x");  // the directory already ends in a backslash
  EXPECT_EQ(joined->GetPath(), "C:\\data\\x");
  joined->Join(nullptr, "alone");
  EXPECT_EQ(joined->GetPath(), "alone");
  joined->Join(Spec(""), "alone");
  EXPECT_EQ(joined->GetPath(), "alone");
  joined->Join(Spec("/"), "tmp");  // nor one after a slash
  EXPECT_EQ(joined->GetPath(), "/tmp");
  joined->Join(Spec("Z:\\root"), nullptr);
  EXPECT_EQ(joined->GetPath(), "Z:\\root");  // the single trailing backslash is dropped again
}

TEST(WinFileSpec, ParentsLeadUpToTheDriveAndStop) {
  test::WriteFile("a/b/c.txt", "x");
  const std::string here = test::WindowsPathOf(fs::current_path());
  std::shared_ptr<Qel::IFileSpec> parent;
  Spec(here + "\\a\\b\\c.txt")->GetParent(parent);
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->GetPath(), here + "\\a\\b");

  int steps = 0;
  std::string last;
  for (auto spec = parent; spec && steps < 100; ++steps) {
    last = spec->GetPath();
    spec->GetParent(spec);
  }
  EXPECT_LT(steps, 100);
  EXPECT_EQ(last, "Z:");  // the root, which no lookup finds, has no parent

  Spec(here + "\\a\\missing.txt")->GetParent(parent);
  EXPECT_FALSE(parent);
  Spec("a\\b\\")->GetParent(parent);  // "a" alone is a bare name: it becomes its full path
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->GetPath(), here + "\\a");
}
