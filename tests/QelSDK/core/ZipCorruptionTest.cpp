// Archives that lie: every size, offset and length of the directory is checked against the
// archive, a broken member fails its read with an error, and nothing hangs or reads out of bounds.
#include <gtest/gtest.h>

#include <functional>

#include "ArchiveFixtures.h"
#include "core/ResourceZipfile.h"
#include "support/TempDir.h"

namespace {

// Three members: stored, deflated text, and deflated noise larger than one input buffer.
const std::vector<test::ZipMember>& Members() {
  static const std::vector<test::ZipMember> members = {
      {"a.txt", test::Compressible(3000, 41), 0},
      {"b.txt", test::Compressible(50000, 42), 8},
      {"c.bin", test::Incompressible(20000, 43), 8},
  };
  return members;
}

const std::string& GoodArchive() {
  static const std::string bytes = [] {
    test::TempDir dir;
    test::WriteZip(dir.Path() / "good.qel", Members());
    return test::ReadFile(dir.Path() / "good.qel");
  }();
  return bytes;
}

size_t Central(const std::string& bytes, int index) {
  return test::CentralRecordOffset(bytes, index);
}
size_t End(const std::string& bytes) {
  return test::EndRecordOffset(bytes);
}

// Opens the archive and reads every member both ways; whatever the bytes, this must end.
void ReadEverything(const std::string& bytes) {
  auto zip = test::OpenZipInMemory(bytes);
  if (!zip) return;
  std::vector<std::pair<uint32_t, uint32_t>> addresses;
  zip->GetAddresses(addresses);
  for (const auto& [type, hash] : addresses) {
    std::shared_ptr<Qel::IMemoryBlock> block;
    zip->Load(hash, type, block);
    std::shared_ptr<Qel::Stream> stream;
    zip->OpenStream(hash, type, stream);
    if (stream) {
      test::ReadToEnd(*stream, 4000);
      stream->Seek(5, Qel::kSeekStart);
    }
  }
}

}  // namespace

TEST(ZipCorruption, ArchivesWhoseDirectoryLiesAreRefused) {
  using Patch = std::function<void(std::string&)>;
  const struct {
    const char* what;
    Patch patch;
  } cases[] = {
      {"empty file", [](std::string& b) { b.clear(); }},
      {"shorter than an end record", [](std::string& b) { b = b.substr(b.size() - 21); }},
      {"truncated end record", [](std::string& b) { b.pop_back(); }},
      {"wrong end signature", [](std::string& b) { b[End(b)] = 'X'; }},
      {"archive comment", [](std::string& b) { b += "a comment"; }},
      {"comment length without a comment",
       [](std::string& b) { test::PutU16(b, End(b) + test::kEndCommentLength, 9); }},
      {"directory offset past the end",
       [](std::string& b) { test::PutU32(b, End(b) + test::kEndDirectoryOffset, 0x7FFFFFF0u); }},
      {"directory size past the end",
       [](std::string& b) { test::PutU32(b, End(b) + test::kEndDirectorySize, 0xFFFFFFF0u); }},
      {"directory overlapping the end record",
       [](std::string& b) {
         test::PutU32(b, End(b) + test::kEndDirectorySize,
                      test::GetU32(b, End(b) + test::kEndDirectorySize) + 1);
       }},
      {"more entries than the directory holds",
       [](std::string& b) { test::PutU16(b, End(b) + test::kEndEntries, 0xFFFF); }},
      {"one entry too many", [](std::string& b) { test::PutU16(b, End(b) + test::kEndEntries, 4); }},
      {"wrong central signature", [](std::string& b) { b[Central(b, 1)] = 'X'; }},
      {"name longer than 1023 bytes",
       [](std::string& b) { test::PutU16(b, Central(b, 2) + test::kCentralNameLength, 1024); }},
      {"name running past the directory",
       [](std::string& b) { test::PutU16(b, Central(b, 2) + test::kCentralNameLength, 1000); }},
      {"extra field running past the directory",
       [](std::string& b) { test::PutU16(b, Central(b, 2) + 30, 0xFFFF); }},
      {"local header inside the directory",
       [](std::string& b) {
         test::PutU32(b, Central(b, 1) + test::kCentralLocalOffset,
                      test::GetU32(b, End(b) + test::kEndDirectoryOffset));
       }},
      {"local header past the end",
       [](std::string& b) { test::PutU32(b, Central(b, 1) + test::kCentralLocalOffset, 0xFFFFFF00u); }},
      {"compressed size past the directory",
       [](std::string& b) { test::PutU32(b, Central(b, 2) + test::kCentralCompressedSize, 30000); }},
      {"stored member with two sizes",
       [](std::string& b) { test::PutU32(b, Central(b, 0) + test::kCentralUncompressedSize, 3001); }},
      {"deflated member no deflate stream could fill",
       [](std::string& b) { test::PutU32(b, Central(b, 1) + test::kCentralUncompressedSize, 0xFFFFFFFFu); }},
  };
  ASSERT_NE(test::OpenZipInMemory(GoodArchive()), nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = GoodArchive();
    c.patch(bytes);
    EXPECT_EQ(test::OpenZipInMemory(bytes), nullptr);
  }
}

TEST(ZipCorruption, TruncatedArchiveFileIsRefused) {
  test::TempDir dir;
  const std::string& good = GoodArchive();
  test::WriteFile(dir.Path() / "cut.qel", good.substr(0, good.size() / 2));
  EXPECT_EQ(test::OpenZipFile(dir.Path() / "cut.qel"), nullptr);
}

TEST(ZipCorruption, MemberWithABadLocalHeaderCannotBeOpened) {
  const std::string& good = GoodArchive();
  const uint32_t local = test::GetU32(good, Central(good, 1) + test::kCentralLocalOffset);
  std::string wrongSignature = good;
  wrongSignature[local] = 'X';
  std::string extraPastTheEnd = good;
  test::PutU16(extraPastTheEnd, local + 28, 0xFFFF);
  for (const std::string* bytes : {&wrongSignature, &extraPastTheEnd}) {
    auto zip = test::OpenZipInMemory(*bytes);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(test::OpenResource(*zip, "b.txt"), nullptr);
    EXPECT_EQ(test::LoadResource(*zip, "b.txt"), std::nullopt);
    EXPECT_EQ(test::LoadResource(*zip, "a.txt"), Members()[0].data);
    EXPECT_EQ(test::LoadResource(*zip, "c.bin"), Members()[2].data);
  }
}

// A deflate stream that ends early, runs out of input or holds garbage delivers what it could,
// then fails with the read error; it never spins.
TEST(ZipCorruption, BrokenDeflateStreamsFailTheReadWithError1) {
  const std::string& good = GoodArchive();
  const std::string& text = Members()[1].data;
  const uint32_t compressed = test::GetU32(good, Central(good, 1) + test::kCentralCompressedSize);
  const uint32_t local = test::GetU32(good, Central(good, 1) + test::kCentralLocalOffset);
  const size_t data = local + 30 + Members()[1].name.size();
  const struct {
    const char* what;
    std::function<void(std::string&)> patch;
    size_t validPrefix;  // bytes that must still arrive intact
  } cases[] = {
      {"stream ends before the recorded size",
       [](std::string& b) { test::PutU32(b, Central(b, 1) + test::kCentralUncompressedSize, 50000 + 1000); },
       50000},
      {"compressed data cut short",
       [&](std::string& b) { test::PutU32(b, Central(b, 1) + test::kCentralCompressedSize, compressed / 2); },
       0},
      {"invalid block type", [&](std::string& b) { b[data] = static_cast<char>(0xFF); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = good;
    c.patch(bytes);
    auto zip = test::OpenZipInMemory(bytes);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(test::LoadResource(*zip, "b.txt"), std::nullopt);
    for (const uint32_t chunk : {100u, 70000u}) {
      auto stream = test::OpenResource(*zip, "b.txt");
      ASSERT_NE(stream, nullptr);
      std::string got;
      std::string buffer(chunk, '\0');
      int error = Qel::kStreamErrorNone;
      for (int reads = 0; reads < 10000 && error == Qel::kStreamErrorNone; ++reads) {
        uint32_t size = chunk;
        const bool full = stream->Read(buffer.data(), size);
        got.append(buffer, 0, size);
        error = stream->TakeError();
        if (!full) break;
      }
      EXPECT_EQ(error, Qel::kStreamErrorRead);
      EXPECT_LT(got.size(), text.size() + 1000);
      EXPECT_EQ(got.substr(0, c.validPrefix), text.substr(0, c.validPrefix));
      // Once broken, the stream stays broken until it is rewound.
      uint32_t size = 1;
      EXPECT_FALSE(stream->Read(buffer.data(), size));
      EXPECT_EQ(size, 0u);
    }
  }
}

TEST(ZipCorruption, RecordedSizeBelowTheStreamDeliversTheRecordedBytes) {
  std::string bytes = GoodArchive();
  test::PutU32(bytes, Central(bytes, 1) + test::kCentralUncompressedSize, 1234);
  auto zip = test::OpenZipInMemory(bytes);
  ASSERT_NE(zip, nullptr);
  EXPECT_EQ(test::LoadResource(*zip, "b.txt"), Members()[1].data.substr(0, 1234));
}

// Every prefix and every single flipped byte of a small archive: refused or read, never a crash.
TEST(ZipCorruption, EveryTruncationAndByteFlipEndsCleanly) {
  test::TempDir dir;
  test::WriteZip(dir.Path() / "small.qel",
                 {{"x.txt", test::Compressible(600, 51), 8}, {"y.txt", "stored", 0}, {"d/", "", 0}});
  const std::string small = test::ReadFile(dir.Path() / "small.qel");
  for (size_t length = 0; length < small.size(); ++length) ReadEverything(small.substr(0, length));
  for (size_t at = 0; at < small.size(); ++at) {
    for (const uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::string bytes = small;
      bytes[at] = static_cast<char>(bytes[at] ^ mask);
      ReadEverything(bytes);
    }
  }
  auto zip = test::OpenZipInMemory(small);
  ASSERT_NE(zip, nullptr);
  EXPECT_EQ(test::LoadResource(*zip, "x.txt"), test::Compressible(600, 51));
}
