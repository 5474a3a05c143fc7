// The file stream: open modes, reads, writes, seeks, sizes and clones.
#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <string>

#include "core/WinFile.h"
#include "core/WinFileSpec.h"
#include "support/FileSpec.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;

namespace {

using test::Spec;

std::string ReadString(Qel::Stream& stream, uint32_t size) {
  std::string bytes(size, '\0');
  stream.Read(bytes.data(), size);
  bytes.resize(size);
  return bytes;
}

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

constexpr uint32_t kReadExisting = Qel::kFileRead | Qel::kFileExisting;  // 5
constexpr uint32_t kWriteNew = Qel::kFileWrite | Qel::kFileCreate;       // 10

}  // namespace

TEST(WinFile, OpenModesDecideWhetherFilesAreCreatedOrTruncated) {
  Qel::WinFile file;
  EXPECT_FALSE(file.Open(Spec("save.dat"), kReadExisting));
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorOpen);
  EXPECT_FALSE(fs::exists("save.dat"));
  std::shared_ptr<Qel::IFileSpec> kept;
  file.GetFileSpec(kept);
  ASSERT_TRUE(kept);  // kept even when the open fails
  EXPECT_EQ(kept->GetPath(), "save.dat");

  // Mode 1 creates a missing file empty; it reads nothing.
  ASSERT_TRUE(file.Open(Spec("Pilo.ini"), Qel::kFileRead));
  EXPECT_TRUE(fs::exists("Pilo.ini"));
  char byte;
  uint32_t size = 1;
  EXPECT_FALSE(file.Read(&byte, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorEnd);
  file.GetFileSpec(kept);
  EXPECT_EQ(kept->GetPath(), test::WindowsPathOf("Pilo.ini"));  // looked up after the open

  // Mode 10 truncates; 4 wins over 8, so 14 keeps what is there.
  test::WriteFile("save.dat", "old contents");
  ASSERT_TRUE(
      file.Open(Spec("save.dat"), Qel::kFileRead | Qel::kFileWrite | Qel::kFileExisting | Qel::kFileCreate));
  EXPECT_EQ(file.GetSize(), 12u);
  ASSERT_TRUE(file.Open(Spec("save.dat"), kWriteNew));
  EXPECT_EQ(file.GetSize(), 0u);
  EXPECT_TRUE(file.Write("new", 3));
  EXPECT_FALSE(file.Read(&byte, size = 1));  // written, not readable
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorRead);
  file.Close();
  EXPECT_EQ(test::ReadFile("save.dat"), "new");

  EXPECT_FALSE(file.Open(nullptr, kReadExisting));
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorOpen);
  file.GetFileSpec(kept);
  EXPECT_FALSE(kept);
}

TEST(WinFile, TheKeptSpecificationKnowsWhetherTheFileExists) {
  fs::create_directory("data");
  test::WriteFile("data/file.bin", "x");
  struct {
    std::string path;
    bool opens;
  } cases[] = {
      {"data\\file.bin", true},
      {"DATA\\FILE.BIN", true},  // kept as written
      {test::WindowsPathOf("data/file.bin"), true},
      {"data\\missing.bin", false},
  };
  for (const auto& c : cases) {
    Qel::WinFile file;
    EXPECT_EQ(file.Open(Spec(c.path), kReadExisting), c.opens) << c.path;
    std::shared_ptr<Qel::IFileSpec> kept;
    file.GetFileSpec(kept);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetPath(), c.path);
    // Only a path that exists has a parent.
    std::shared_ptr<Qel::IFileSpec> parent;
    kept->GetParent(parent);
    EXPECT_EQ(parent != nullptr, c.opens) << c.path;
  }
}

TEST(WinFile, ShortReadsSucceedUntilNothingIsLeft) {
  test::WriteFile("data.bin", "abcd");
  Qel::WinFile file;
  ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
  char buffer[10];
  uint32_t size = 10;
  EXPECT_TRUE(file.Read(buffer, size));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorNone);
  size = 10;
  EXPECT_FALSE(file.Read(buffer, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorEnd);

  size = 10;
  EXPECT_FALSE(file.Read(nullptr, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorRead);
  EXPECT_FALSE(file.Write("x", 1));  // opened for reading only
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorWrite);
}

TEST(WinFile, SeeksByOriginAndRefusesOthers) {
  test::WriteFile("data.bin", "0123456789");
  Qel::WinFile file;
  ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
  EXPECT_TRUE(file.Seek(3, Qel::kSeekStart));
  EXPECT_EQ(file.Tell(), 3u);
  EXPECT_TRUE(file.Seek(2, Qel::kSeekCurrent));
  EXPECT_EQ(file.Tell(), 5u);
  EXPECT_TRUE(file.Seek(-1, Qel::kSeekEnd));
  EXPECT_EQ(ReadString(file, 5), "9");

  for (const auto& [offset, origin] : {std::pair{0, 7}, {-1, Qel::kSeekStart}, {-11, Qel::kSeekEnd}}) {
    ASSERT_TRUE(file.Seek(4, Qel::kSeekStart));
    EXPECT_FALSE(file.Seek(offset, origin)) << origin;
    EXPECT_EQ(file.TakeError(), Qel::kStreamErrorSeek);
    EXPECT_EQ(file.Tell(), 4u);
  }
  EXPECT_EQ(file.GetSize(), 10u);
  EXPECT_EQ(file.Tell(), 4u);  // GetSize puts the position back
}

TEST(WinFile, AClosedFileAnswersWithErrors) {
  Qel::WinFile file;
  char byte;
  uint32_t size = 1;
  EXPECT_FALSE(file.Read(&byte, size));
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorRead);
  EXPECT_FALSE(file.Write("x", 1));
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorWrite);
  EXPECT_FALSE(file.Seek(0, Qel::kSeekStart));
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorSeek);
  EXPECT_EQ(file.Tell(), Qel::kInvalidStreamValue);
  EXPECT_EQ(file.GetSize(), Qel::kInvalidStreamValue);
  EXPECT_FALSE(file.SetSize(0));
  EXPECT_FALSE(file.Flush());
  EXPECT_EQ(file.TakeError(), Qel::kStreamErrorWrite);
  EXPECT_TRUE(file.Close());
  std::shared_ptr<Qel::Stream> clone;
  file.Clone(clone);
  EXPECT_FALSE(clone);
}

TEST(WinFile, FlushSucceedsOnlyOnAFileOpenForWriting) {
  Qel::WinFile writer;
  ASSERT_TRUE(writer.Open(Spec("flushed.bin"), kWriteNew));
  ASSERT_TRUE(writer.Write("data", 4));
  EXPECT_TRUE(writer.Flush());
  EXPECT_EQ(writer.TakeError(), Qel::kStreamErrorNone);
  Qel::WinFile reader;
  ASSERT_TRUE(reader.Open(Spec("flushed.bin"), kReadExisting));
  EXPECT_FALSE(reader.Flush());
  EXPECT_EQ(reader.TakeError(), Qel::kStreamErrorWrite);
}

TEST(WinFile, ACloneHasItsOwnHandleAndPosition) {
  test::WriteFile("data.bin", "0123456789");
  Qel::WinFile file;
  ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
  ASSERT_TRUE(file.Seek(6, Qel::kSeekStart));
  std::shared_ptr<Qel::Stream> clone;
  file.Clone(clone);
  ASSERT_TRUE(clone);
  EXPECT_EQ(ReadString(*clone, 2), "67");
  EXPECT_EQ(file.Tell(), 6u);
  EXPECT_EQ(ReadString(file, 4), "6789");
  EXPECT_EQ(clone->Tell(), 8u);

  // The clone reopens the path: when the file is gone, there is no clone.
  fs::remove("data.bin");
  file.Clone(clone);
  EXPECT_FALSE(clone);
}

TEST(WinFile, SetSizeCutsOrExtendsAndKeepsThePosition) {
  test::WriteFile("data.bin", "0123456789");
  Qel::WinFile file;
  ASSERT_TRUE(file.Open(Spec("data.bin"), Qel::kFileRead | Qel::kFileWrite));
  ASSERT_TRUE(file.Seek(8, Qel::kSeekStart));
  EXPECT_TRUE(file.SetSize(4));
  EXPECT_EQ(file.Tell(), 8u);
  EXPECT_EQ(file.GetSize(), 4u);
  EXPECT_TRUE(file.SetSize(6));
  file.Close();
  EXPECT_EQ(test::ReadFile("data.bin"), std::string("0123\0\0", 6));

  ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
  EXPECT_FALSE(file.SetSize(2));  // not opened for writing
  EXPECT_EQ(file.GetSize(), 6u);
}

// A save written through one stream while another is open on it reads back whole through the other.
TEST(WinFile, AStreamOpenOnAFileSeesItGrowThroughAnotherStream) {
  test::WriteFile("slot.sav", "first");
  Qel::WinFile reader;
  ASSERT_TRUE(reader.Open(Spec("slot.sav"), kReadExisting));
  EXPECT_EQ(reader.GetSize(), 5u);
  {
    Qel::WinFile writer;
    ASSERT_TRUE(writer.Open(Spec("slot.sav"), kWriteNew));
    ASSERT_TRUE(writer.Write("the whole second save", 21));
  }
  ASSERT_EQ(reader.GetSize(), 21u);
  EXPECT_EQ(ReadString(reader, reader.GetSize()), "the whole second save");
}

TEST(WinFile, SizesBeyondTheThirtyTwoBitRangeAreReportedAsUnknown) {
  Qel::WinFile file;
  ASSERT_TRUE(file.Open(Spec("big.bin"), Qel::kFileRead | Qel::kFileWrite | Qel::kFileCreate));
  // 3 GiB (sparse): positions past 2 GiB still work, including a clone's.
  ASSERT_TRUE(file.SetSize(0xC0000000u));
  EXPECT_EQ(file.GetSize(), 0xC0000000u);
  ASSERT_TRUE(file.Seek(-4, Qel::kSeekEnd));
  ASSERT_TRUE(file.Write("tail", 4));
  ASSERT_TRUE(file.Seek(-4, Qel::kSeekEnd));
  std::shared_ptr<Qel::Stream> clone;
  file.Clone(clone);
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->Tell(), 0xBFFFFFFCu);
  EXPECT_EQ(ReadString(*clone, 4), "tail");

  // 5 GiB: no 32-bit size is true, so none is given.
  fs::resize_file("big.bin", 5ull << 30);
  EXPECT_EQ(file.GetSize(), Qel::kInvalidStreamValue);
  EXPECT_EQ(file.Tell(), 0xBFFFFFFCu);
  EXPECT_EQ(ReadString(file, 4), "tail");
}

TEST(WinFile, ReopeningClosingAndCloningLeaveNoHandlesBehind) {
  test::WriteFile("data.bin", "0123456789");
  const auto rounds = [](int count) {
    Qel::WinFile file;
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
      std::shared_ptr<Qel::Stream> clone;
      file.Clone(clone);
      ASSERT_TRUE(clone);
      EXPECT_FALSE(file.Open(Spec("missing.bin"), kReadExisting));
    }
    ASSERT_TRUE(file.Open(Spec("data.bin"), kReadExisting));
  };
  // The first round may open what the file layer keeps for the whole process (the case-blind
  // lookup's watch on the folders it lists); only what each round leaves behind counts.
  rounds(1);
  const int before = OpenDescriptors();
  rounds(50);
  EXPECT_EQ(OpenDescriptors(), before);
}
