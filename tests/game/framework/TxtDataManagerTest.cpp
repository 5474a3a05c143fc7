// Reading key = value text data: line ends, comments, blanks, keys, values, long lines, bad streams,
// and text resources found through the resource manager.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/IFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "framework/TxtDataManager.h"
#include "support/OutOfMemoryStream.h"
#include "support/TempDir.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

class RecordingTarget : public IHasLoadableTxtData {
public:
  void SetTxtValue(const char* key, const char* value) override { m_pairs.emplace_back(key, value); }
  Pairs m_pairs;
};

std::shared_ptr<Qel::Stream> StreamOver(const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  EXPECT_TRUE(block->Allocate(static_cast<uint32_t>(bytes.size())));
  if (!bytes.empty()) std::memcpy(block->GetData(), bytes.data(), bytes.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

Pairs Parse(const std::string& bytes) {
  RecordingTarget target;
  EXPECT_TRUE(TxtDataManager::Instance().ParseStream(StreamOver(bytes), target));
  return target.m_pairs;
}

// Hands out its bytes a few at a time, claims no size, and can fail with a read error at the end.
class TrickleStream : public Qel::Stream {
public:
  TrickleStream(std::string bytes, bool failAtEnd) : m_bytes(std::move(bytes)), m_failAtEnd(failAtEnd) {}

  bool Read(void* buffer, uint32_t& size) override {
    const uint32_t left = static_cast<uint32_t>(m_bytes.size() - m_position);
    if (left == 0) {
      size = 0;
      if (m_failAtEnd) m_error = Qel::kStreamErrorRead;
      return false;
    }
    size = std::min({size, left, 3u});
    std::memcpy(buffer, m_bytes.data() + m_position, size);
    m_position += size;
    return true;
  }
  bool Write(const void*, uint32_t) override { return false; }
  bool Seek(int32_t, int) override { return false; }
  uint32_t Tell() override { return static_cast<uint32_t>(m_position); }
  bool Flush() override { return true; }
  bool SetError(int code) override {
    m_error = code;
    return true;
  }
  int TakeError() override { return std::exchange(m_error, Qel::kStreamErrorNone); }
  uint32_t GetSize() override { return Qel::kInvalidStreamValue; }
  void Clone(std::shared_ptr<Qel::Stream>& out) override { out.reset(); }

private:
  std::string m_bytes;
  size_t m_position = 0;
  bool m_failAtEnd;
  int m_error = Qel::kStreamErrorNone;
};

}  // namespace

TEST(TxtDataManager, SplitsLinesIntoKeysAndValues) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    Pairs pairs;
  } cases[] = {
      {"graphics = 2 ; low end\n", {{"graphics", "2"}}},
      {"[Config]\ngraphics=0\n", {{"graphics", "0"}}},
      {"Windowed = TRUE", {{"windowed", "true"}}},  // lowered, and no final line end
      {"HdPath = C:\\Games\\PILO\n", {{"hdpath", "c:\\games\\pilo"}}},
      {"a=1\r\nb=2\r\n", {{"a", "1"}, {"b", "2"}}},
      {"a=1\rb=2", {{"a", "1"}, {"b", "2"}}},
      {"a=1\0b=2"s, {{"a", "1"}, {"b", "2"}}},  // a zero byte ends a line, not the data
      {"\0\0\0x=y\0"s, {{"x", "y"}}},
      {"a=1\na=2\n", {{"a", "1"}, {"a", "2"}}},  // duplicates all arrive, in order
      {"\tkey \t=\t value with  inner  blanks \t \n", {{"key", "value with  inner  blanks"}}},
      {"show frame = 1", {{"show", "1"}}},
      {"expr = a=b=c", {{"expr", "a=b=c"}}},
      {"name = \xC4PFEL\n", {{"name", "\xC4pfel"}}},  // only ASCII letters fold
      {"", {}},
      {"\n\n  \t \r\n", {}},
      {"; comment = ignored\n", {}},
      {"no equals sign here\n", {}},
      {"url ; = after the comment\n", {}},
      {"= 5\n", {}},
      {"   =5\n", {}},
      {"key =   \n", {}},
      {"key = ; nothing left\n", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.text), c.pairs) << c.text;
  }
}

TEST(TxtDataManager, CutsOverlongLinesAndDropsTheirRest) {
  const size_t max = TxtDataManager::kMaxLineLength;
  const std::string fits = "k=" + std::string(max - 2, 'v');
  const std::string longValue = "k=" + std::string(5000, 'v');
  // The dropped rest of a long line must not come back as a line of its own.
  const std::string hiddenPair = "c=1" + std::string(max - 3, ' ') + "b=2";
  const std::string longComment = "graphics = 2 ;" + std::string(3000, '#');

  const struct {
    std::string text;
    Pairs pairs;
  } cases[] = {
      {fits + "\nnext=1", {{"k", std::string(max - 2, 'v')}, {"next", "1"}}},
      {longValue + "\nnext=1", {{"k", std::string(max - 2, 'v')}, {"next", "1"}}},
      {longValue, {{"k", std::string(max - 2, 'v')}}},
      {hiddenPair + "\n", {{"c", "1"}}},
      {longComment + "\r\nmem=64\r\n", {{"graphics", "2"}, {"mem", "64"}}},
      {std::string(100000, 'x') + "=1\nok=1", {{"ok", "1"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.text), c.pairs) << c.text.substr(0, 40);
  }
}

TEST(TxtDataManager, ReadsStreamsThatDeliverLittleAtATimeWithoutASize) {
  RecordingTarget target;
  const auto stream = std::make_shared<TrickleStream>("alpha = 1\nbeta = two words\ngamma=3", false);
  EXPECT_TRUE(TxtDataManager::Instance().ParseStream(stream, target));
  EXPECT_EQ(target.m_pairs, (Pairs{{"alpha", "1"}, {"beta", "two words"}, {"gamma", "3"}}));
}

TEST(TxtDataManager, FailsWithoutAStreamOrOnAReadErrorAndAppliesNothing) {
  RecordingTarget target;
  EXPECT_FALSE(TxtDataManager::Instance().ParseStream(nullptr, target));
  const auto failing = std::make_shared<TrickleStream>("alpha = 1\nbeta = 2\n", true);
  EXPECT_FALSE(TxtDataManager::Instance().ParseStream(failing, target));
  EXPECT_TRUE(target.m_pairs.empty());

  // A stream without data is read completely: there is simply nothing in it.
  EXPECT_TRUE(TxtDataManager::Instance().ParseStream(std::make_shared<Qel::MemStream>(), target));
  EXPECT_TRUE(target.m_pairs.empty());
}

TEST(TxtDataManager, MemoryThatRunsOutWhileReadingIsAFailedRead) {
  RecordingTarget target;
  bool parsed = true;
  EXPECT_NO_THROW(parsed = TxtDataManager::Instance().ParseStream(
                      std::make_shared<test::OutOfMemoryStream>(0xFFFFFFF0u), target));
  EXPECT_FALSE(parsed);
  EXPECT_TRUE(target.m_pairs.empty());
}

namespace {

class TxtDataResourceTest : public testing::Test {
protected:
  ~TxtDataResourceTest() override { Qel::ResourceManager::DestroyInstance(); }

  // A directory database over the folder "data" in the test's working folder.
  void AddDataFolder() {
    std::shared_ptr<Qel::IFileSpec> root = Qel::WinFileSpec::Create();
    root->SetPath("data");
    auto tree = std::make_shared<Qel::ResourceTree>();
    ASSERT_TRUE(tree->Open(root, Qel::kFileRead));
    Qel::ResourceManager::GetInstance()->AddResourceFile(tree, 0);
  }
};

}  // namespace

TEST_F(TxtDataResourceTest, LoadsTextResourcesByNameWithoutRegardToCase) {
  test::WriteFile("data/rooms/Kitchen.txt", "Speed = 3\r\nExits = (1, 2)");
  test::WriteFile("data/rooms/Kitchen.wav", "not text = 1\n");
  AddDataFolder();

  for (const char* name : {"kitchen", "KITCHEN"}) {
    RecordingTarget target;
    EXPECT_TRUE(TxtDataManager::Instance().LoadTxtData(name, target)) << name;
    EXPECT_EQ(target.m_pairs, (Pairs{{"speed", "3"}, {"exits", "(1, 2)"}})) << name;
  }
}

TEST_F(TxtDataResourceTest, FailsForANullNameOrAMissingResource) {
  test::WriteFile("data/other.txt", "a = 1\n");
  AddDataFolder();
  RecordingTarget target;
  EXPECT_FALSE(TxtDataManager::Instance().LoadTxtData(nullptr, target));
  EXPECT_FALSE(TxtDataManager::Instance().LoadTxtData("kitchen", target));
  EXPECT_FALSE(TxtDataManager::Instance().LoadTxtData("", target));
  EXPECT_TRUE(target.m_pairs.empty());
}
