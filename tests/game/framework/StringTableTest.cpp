// The string table reader: byte-order mark, comments, line ends, conversion and cutting.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/StringTableReader.h"

namespace {

std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::vector<std::string> ReadLines(const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!bytes.empty()) {
    EXPECT_TRUE(block->Allocate(static_cast<uint32_t>(bytes.size())));
    std::memcpy(block->GetData(), bytes.data(), bytes.size());
  }
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  std::vector<std::string> lines;
  StringTableReader::Read(stream, 1252, [&](const char* text) { lines.emplace_back(text); });
  return lines;
}

}  // namespace

TEST(StringTable, SkipsTheMarkCommentsAndEmptyLinesAndConvertsTheRest) {
  const std::string bytes =
      Utf16(u"\uFEFF; comment\r\n[section]\r\nPilo \u00E9t\u00E9\r\n\r\nsecond\r\n; x\r\nthird\r\nlast");
  const std::vector<std::string> expected = {"Pilo \xE9t\xE9", "second", "third", "last"};
  EXPECT_EQ(ReadLines(bytes), expected);
}

TEST(StringTable, OddInputEndsCleanly) {
  struct Case {
    std::string bytes;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"", {}},
      {"\xFF", {}},                                        // half a mark
      {"\xFF\xFE", {}},                                    // only the mark
      {Utf16(u"\uFEFFab") + "c", {"ab"}},                  // an odd trailing byte
      {Utf16(u"\uFEFFa\rb\nc\r\n\r\n"), {"a", "b", "c"}},  // lone CR and LF end lines too
      {Utf16(u"\uFEFFx") + std::string("\0\0y\0", 4),
       {std::string("x\0y", 3).c_str()}},  // a NUL ends the text
      {Utf16(u"\uFEFF\u4E2D") + std::string("\x00\xD8", 2),
       {"??"}},  // what the code page lacks, a lone surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(ReadLines(c.bytes), c.expected);
}

TEST(StringTable, ALineLongerThanTheBufferIsCutAndTerminated) {
  const std::u16string longLine(1000, u'x');
  const std::vector<std::string> lines = ReadLines(Utf16(u"\uFEFF" + longLine + u"\r\nnext"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(StringTableReader::kTextCapacity - 1, 'x'));
  EXPECT_EQ(lines[1], "next");
}
