// The zip database over archives from independent writers: lookups by base name and type, stored
// and deflated reads, member streams read in turn, seeks and clones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "ArchiveFixtures.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/ResourceZipfile.h"
#include "core/ZipEntry.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A tree of typical resources: nested folders, a name without extension, an empty file, and
// contents on both sides of the 10 KB buffers.
std::map<std::string, std::string> SampleTree() {
  return {
      {"Title.txt", test::Compressible(50000, 1)},
      {"sounds/noise.wav", test::Incompressible(30000, 2)},
      {"sprites/deep/Cursor.qela", test::Compressible(200000, 3)},
      {"readme", "no extension\n"},
      {"empty.snc", ""},
      {"tiny.txt", "x"},
  };
}

std::string BaseFileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

}  // namespace

TEST(ResourceZipfile, LoadsAndStreamsEveryMemberOfInfoZipArchives) {
  for (const int level : {0, 9}) {
    SCOPED_TRACE(level);
    test::TempDir dir;
    for (const auto& [path, data] : SampleTree()) test::WriteFile(dir.Path() / "tree" / path, data);
    test::ZipFolder(dir.Path() / "tree", dir.Path() / "data.qel", level);

    auto zip = test::OpenZipFile(dir.Path() / "data.qel");
    ASSERT_NE(zip, nullptr);
    for (const auto& [path, data] : SampleTree()) {
      SCOPED_TRACE(path);
      EXPECT_EQ(test::LoadResource(*zip, BaseFileName(path)), data);
      auto stream = test::OpenResource(*zip, BaseFileName(path));
      ASSERT_NE(stream, nullptr);
      EXPECT_EQ(stream->GetSize(), data.size());
      EXPECT_EQ(test::ReadToEnd(*stream, 777), data);
    }
    std::shared_ptr<Qel::IFileSpec> spec;
    zip->GetFileSpec(spec);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->GetFileName(), "data.qel");
  }
}

TEST(ResourceZipfile, IndexesBaseNamesAndKeepsTheFirstOfACollision) {
  setenv("PILO_TRACE", "1", 1);
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {
                                           {"sounds/a.wav", "first", 8},
                                           {"music/a.wav", "second", 0},
                                           {"sounds/", "", 0},
                                           {"readme", "plain", 8},
                                           {".cfg", "hidden", 0},
                                           {"Mixed.TXT", "case", 8},
                                           {"pic.jpeg2", "long extension", 0},
                                           {"stored.txt", "", 0},
                                           {"deflated.txt", "", 8},
                                           {"packed.bz", "bzip2 member", 12},
                                       });
  testing::internal::CaptureStderr();
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_NE(zip, nullptr);
  EXPECT_NE(trace.find("WARN: Hash collision in ResourceZipfile.\n      File a collides.\n"),
            std::string::npos);

  EXPECT_EQ(test::LoadResource(*zip, "a.wav"), "first");
  EXPECT_EQ(test::LoadResource(*zip, "readme"), "plain");
  EXPECT_EQ(test::LoadResource(*zip, "mixed.txt"), "case");
  EXPECT_EQ(test::LoadResource(*zip, "PIC.jpeg"), "long extension");
  EXPECT_EQ(test::LoadResource(*zip, "stored.txt"), "");
  EXPECT_EQ(test::LoadResource(*zip, "deflated.txt"), "");

  // The directory entry and the name that is all extension are not indexed; the bzip2 member is
  // indexed but cannot be opened.
  std::shared_ptr<Qel::Stream> stream;
  zip->OpenStream(Qel::NameHash("sounds"), Qel::kTypeNone, stream);
  EXPECT_EQ(stream, nullptr);
  zip->OpenStream(Qel::NameHash(""), Qel::TypeCodeFromExtension("cfg"), stream);
  EXPECT_EQ(stream, nullptr);
  EXPECT_EQ(test::OpenResource(*zip, "packed.bz"), nullptr);
  EXPECT_EQ(test::LoadResource(*zip, "packed.bz"), std::nullopt);
  EXPECT_EQ(test::LoadResource(*zip, "missing.txt"), std::nullopt);
}

TEST(ResourceZipfile, MissingOrClosedArchiveHasNothing) {
  EXPECT_EQ(test::OpenZipFile("nowhere.qel"), nullptr);

  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {{"a.txt", "text", 8}});
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  ASSERT_NE(zip, nullptr);
  EXPECT_TRUE(zip->Close());
  EXPECT_EQ(test::LoadResource(*zip, "a.txt"), std::nullopt);
  EXPECT_FALSE(zip->SetSize(0));
}

// Every member stream has its own place in the archive: streams read in turn must not disturb
// one another, whether they are stored or deflated and however the refills interleave.
TEST(ZipEntry, MembersReadInTurnKeepTheirOwnPositions) {
  const std::vector<test::ZipMember> members = {
      {"one.txt", test::Compressible(300000, 11), 8},
      {"two.txt", test::Incompressible(60000, 12), 8},
      {"three.txt", test::Incompressible(40000, 13), 0},
      {"four.txt", test::Compressible(25000, 14), 0},
  };
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", members);
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  ASSERT_NE(zip, nullptr);

  std::vector<std::shared_ptr<Qel::Stream>> streams;
  std::vector<std::string> read(members.size());
  for (const auto& member : members) {
    streams.push_back(test::OpenResource(*zip, member.name));
    ASSERT_NE(streams.back(), nullptr);
  }
  bool any = true;
  for (uint32_t round = 0; any; ++round) {
    any = false;
    for (size_t i = 0; i < streams.size(); ++i) {
      std::string buffer(1000 + 333 * i + round % 7, '\0');
      uint32_t size = static_cast<uint32_t>(buffer.size());
      if (streams[i]->Read(buffer.data(), size)) any = true;
      read[i].append(buffer, 0, size);
    }
  }
  for (size_t i = 0; i < members.size(); ++i) EXPECT_EQ(read[i], members[i].data) << members[i].name;
}

TEST(ZipEntry, SeeksMoveToTheTargetInStoredAndDeflatedMembers) {
  const std::string data = test::Compressible(40000, 21) + test::Incompressible(20000, 22);
  const int32_t size = static_cast<int32_t>(data.size());
  struct Step {
    uint32_t readFirst;  // bytes read before the seek
    int32_t offset;
    int origin;
    bool ok;
    int32_t position;  // where the stream is afterwards
  };
  const Step steps[] = {
      {0, 0, Qel::kSeekEnd, true, size},  // origin end counts back from the end
      {0, 10, Qel::kSeekEnd, true, size - 10},
      {100, -10, Qel::kSeekCurrent, true, 90},  // back: rewind and skip
      {100, 0, Qel::kSeekCurrent, true, 100},
      {0, 30000, Qel::kSeekStart, true, 30000},  // forward across several buffers
      {50000, 12345, Qel::kSeekStart, true, 12345},
      {0, size, Qel::kSeekStart, true, size},
      {10, size + 1, Qel::kSeekStart, false, 10},  // past the end: refused, position kept
      {10, -11, Qel::kSeekCurrent, false, 10},     // before the start
      {10, -5, Qel::kSeekEnd, false, 10},
      {500, 77, 7, true, 0},  // an unknown origin goes to the start
  };
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {{"stored.txt", data, 0}, {"deflated.txt", data, 8}});
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  ASSERT_NE(zip, nullptr);
  for (const char* name : {"stored.txt", "deflated.txt"}) {
    for (const Step& step : steps) {
      SCOPED_TRACE(testing::Message()
                   << name << " read " << step.readFirst << " seek " << step.offset << "," << step.origin);
      auto stream = test::OpenResource(*zip, name);
      ASSERT_NE(stream, nullptr);
      std::string skipped(step.readFirst, '\0');
      uint32_t got = step.readFirst;
      ASSERT_TRUE(stream->Read(skipped.data(), got));
      EXPECT_EQ(stream->Seek(step.offset, step.origin), step.ok);
      EXPECT_EQ(stream->TakeError(), step.ok ? Qel::kStreamErrorNone : Qel::kStreamErrorSeek);
      EXPECT_EQ(stream->Tell(), static_cast<uint32_t>(step.position));
      EXPECT_EQ(test::ReadToEnd(*stream, 4096), data.substr(step.position));
    }
  }
}

TEST(ZipEntry, ReadingPastTheEndDeliversTheRestAndSetsEndOfData) {
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {{"s.txt", "0123456789", 0}, {"d.txt", "0123456789", 8}});
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  ASSERT_NE(zip, nullptr);
  for (const char* name : {"s.txt", "d.txt"}) {
    SCOPED_TRACE(name);
    auto stream = test::OpenResource(*zip, name);
    ASSERT_NE(stream, nullptr);
    char buffer[32] = {};
    uint32_t size = sizeof buffer;
    EXPECT_FALSE(stream->Read(buffer, size));
    EXPECT_EQ(std::string(buffer, size), "0123456789");
    EXPECT_EQ(stream->TakeError(), Qel::kStreamErrorEnd);
    size = 1;
    EXPECT_FALSE(stream->Read(buffer, size));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(stream->TakeError(), Qel::kStreamErrorEnd);
    EXPECT_FALSE(stream->Write("x", 1));
    EXPECT_EQ(stream->TakeError(), Qel::kStreamErrorWrite);
  }
}

// Only the last read of each case is judged. A deflated read that reaches the member's end marks
// the end even when it delivered all it was asked for; a stored one marks it only when the end cut
// the request short.
TEST(ZipEntry, EndOfDataIsMarkedByEachKindOfMemberAsItsReadsReachTheEnd) {
  struct Case {
    const char* reads;
    uint32_t first;  // bytes read before the judged read
    uint32_t last;   // bytes the judged read asks for
    bool ok;
    uint32_t delivered;
    int storedError;
    int deflatedError;
  };
  const auto casesFor = [](uint32_t n) {
    constexpr int kNone = Qel::kStreamErrorNone;
    constexpr int kEnd = Qel::kStreamErrorEnd;
    return std::vector<Case>{
        {"short of the end", 0, 4, true, 4, kNone, kNone},
        {"up to the end at once", 0, n, true, n, kNone, kEnd},
        {"up to the end in a second read", n - 3, 3, true, 3, kNone, kEnd},
        {"past the end", n - 3, 10, false, 3, kEnd, kEnd},
        {"at the end", n, 1, false, 0, kEnd, kEnd},
    };
  };
  // A small member goes through the output buffer; a large one is inflated into the caller's buffer.
  const std::string small = "0123456789";
  const std::string large = test::Compressible(30000, 41);
  const struct {
    const char* name;
    const std::string& data;
    int method;
  } members[] = {{"s.txt", small, 0}, {"d.txt", small, 8}, {"bigs.txt", large, 0}, {"bigd.txt", large, 8}};
  std::vector<test::ZipMember> zipped;
  for (const auto& member : members) zipped.push_back({member.name, member.data, member.method});
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", zipped);
  auto zip = test::OpenZipFile(dir.Path() / "a.qel");
  ASSERT_NE(zip, nullptr);
  for (const auto& member : members) {
    for (const Case& c : casesFor(static_cast<uint32_t>(member.data.size()))) {
      SCOPED_TRACE(testing::Message() << member.name << ", " << c.reads);
      auto stream = test::OpenResource(*zip, member.name);
      ASSERT_NE(stream, nullptr);
      std::string buffer(member.data.size() + 10, '\0');
      uint32_t got = c.first;
      if (c.first > 0) {
        ASSERT_TRUE(stream->Read(buffer.data(), got));
      }
      stream->TakeError();
      got = c.last;
      EXPECT_EQ(stream->Read(buffer.data(), got), c.ok);
      EXPECT_EQ(got, c.delivered);
      EXPECT_EQ(buffer.substr(0, got), member.data.substr(c.first, got));
      EXPECT_EQ(stream->TakeError(), member.method == 8 ? c.deflatedError : c.storedError);
    }
  }
}

TEST(ZipEntry, LaterOpensReuseTheDataOffsetFoundInTheLocalHeader) {
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {{"a.txt", "alpha", 8}, {"b.txt", "beta", 0}});
  std::string bytes = test::ReadFile(dir.Path() / "a.qel");
  auto block = std::make_shared<Qel::MemoryBlock>();
  ASSERT_TRUE(block->Allocate(static_cast<uint32_t>(bytes.size())));
  std::copy(bytes.begin(), bytes.end(), block->GetData());
  auto archive = std::make_shared<Qel::MemStream>();
  archive->SetMemoryBlock(block);
  Qel::ResourceZipfile zip;
  ASSERT_TRUE(zip.OpenArchive(archive));
  EXPECT_EQ(test::LoadResource(zip, "a.txt"), "alpha");

  // Spoil both local headers: only the member never opened before notices.
  for (int i = 0; i < 2; ++i) {
    const uint32_t local =
        test::GetU32(bytes, test::CentralRecordOffset(bytes, i) + test::kCentralLocalOffset);
    block->GetData()[local] = 'X';
  }
  EXPECT_EQ(test::LoadResource(zip, "a.txt"), "alpha");
  EXPECT_EQ(test::OpenResource(zip, "b.txt"), nullptr);
}

TEST(ZipEntry, CloneReadsOnIndependentlyFromTheSamePlace) {
  const std::string data = test::Compressible(70000, 31);
  test::TempDir dir;
  test::WriteZip(dir.Path() / "a.qel", {{"d.txt", data, 8}, {"s.txt", data, 0}});
  auto onFile = test::OpenZipFile(dir.Path() / "a.qel");
  auto inMemory = test::OpenZipInMemory(test::ReadFile(dir.Path() / "a.qel"));
  for (auto* zip : {onFile.get(), inMemory.get()}) {
    ASSERT_NE(zip, nullptr);
    for (const char* name : {"d.txt", "s.txt"}) {
      SCOPED_TRACE(name);
      auto stream = test::OpenResource(*zip, name);
      ASSERT_NE(stream, nullptr);
      ASSERT_TRUE(stream->Seek(23456, Qel::kSeekStart));
      std::shared_ptr<Qel::Stream> clone;
      stream->Clone(clone);
      ASSERT_NE(clone, nullptr);
      EXPECT_EQ(clone->Tell(), 23456u);
      EXPECT_EQ(test::ReadToEnd(*clone, 5000), data.substr(23456));
      EXPECT_EQ(test::ReadToEnd(*stream, 3000), data.substr(23456));
    }
  }
}
