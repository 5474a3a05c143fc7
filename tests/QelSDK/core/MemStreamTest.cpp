// Memory blocks and the memory stream: reads, writes that grow, seeks, clones sharing a block.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/WindowsMemoryBlock.h"

namespace {

std::shared_ptr<Qel::MemoryBlock> BlockWith(const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  EXPECT_TRUE(block->Allocate(static_cast<uint32_t>(bytes.size())));
  std::memcpy(block->GetData(), bytes.data(), bytes.size());
  return block;
}

std::shared_ptr<Qel::MemStream> StreamOver(const std::string& bytes) {
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(BlockWith(bytes));
  return stream;
}

}  // namespace

TEST(MemoryBlock, AllocateOnlyOnceAndResizeKeepsPrefix) {
  Qel::MemoryBlock block;
  ASSERT_TRUE(block.Allocate(16));
  for (uint8_t i = 0; i < 16; ++i) block.GetData()[i] = i;
  uint8_t* held = block.GetData();
  EXPECT_FALSE(block.Allocate(32));
  EXPECT_EQ(block.GetData(), held);
  EXPECT_EQ(block.GetSize(), 16u);

  ASSERT_TRUE(block.Resize(8));
  EXPECT_EQ(block.GetSize(), 8u);
  for (uint8_t i = 0; i < 8; ++i) EXPECT_EQ(block.GetData()[i], i);

  Qel::MemoryBlock empty;
  ASSERT_TRUE(empty.Resize(4));  // an empty block's resize allocates
  EXPECT_EQ(empty.GetSize(), 4u);
}

TEST(MemStream, ShortReadDeliversWhatIsLeftAndKeepsEndErrorUntilTaken) {
  auto stream = StreamOver("0123456789");
  ASSERT_TRUE(stream->Seek(6, Qel::kSeekStart));
  char buffer[10] = {};
  uint32_t size = 10;
  EXPECT_FALSE(stream->Read(buffer, size));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::string(buffer, 4), "6789");

  size = 10;
  EXPECT_FALSE(stream->Read(buffer, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(stream->TakeError(), Qel::kStreamErrorEnd);
  EXPECT_EQ(stream->TakeError(), Qel::kStreamErrorNone);
}

TEST(MemStream, EmptyStreamHasNoDataAndRefusesNullBuffers) {
  Qel::MemStream stream;
  char byte = 0;
  uint32_t size = 1;
  EXPECT_FALSE(stream.Read(&byte, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(stream.TakeError(), Qel::kStreamErrorNone);
  EXPECT_EQ(stream.Tell(), Qel::kInvalidStreamValue);
  EXPECT_EQ(stream.GetSize(), Qel::kInvalidStreamValue);
  EXPECT_FALSE(stream.Seek(0, Qel::kSeekStart));
  EXPECT_EQ(stream.TakeError(), Qel::kStreamErrorSeek);
  EXPECT_FALSE(stream.Write(nullptr, 4));
  std::shared_ptr<Qel::Stream> clone;
  stream.Clone(clone);
  EXPECT_EQ(clone, nullptr);
}

TEST(MemStream, WritesGrowTheBlockByTheRule) {
  Qel::MemStream fresh;
  ASSERT_TRUE(fresh.Write("0123456789", 10));
  EXPECT_EQ(fresh.Tell(), 10u);
  EXPECT_EQ(fresh.GetSize(), 2048u);

  auto stream = StreamOver(std::string(100, 'x'));
  ASSERT_TRUE(stream->Seek(90, Qel::kSeekStart));
  const std::string payload(30, 'y');
  ASSERT_TRUE(stream->Write(payload.data(), 30));
  EXPECT_EQ(stream->GetSize(), 1124u);
  EXPECT_EQ(stream->Tell(), 120u);
  ASSERT_TRUE(stream->Seek(85, Qel::kSeekStart));
  char back[10];
  uint32_t size = 10;
  ASSERT_TRUE(stream->Read(back, size));
  EXPECT_EQ(std::string(back, 10), "xxxxxyyyyy");

  // A large write into a full block grows by twice the request.
  Qel::MemStream big;
  const std::string large(5000, 'z');
  ASSERT_TRUE(big.Write(large.data(), 5000));
  EXPECT_EQ(big.GetSize(), 10000u);
}

TEST(MemStream, SeeksWithinBothEndsOnly) {
  struct Case {
    uint32_t from;
    int32_t offset;
    int origin;
    bool ok;
    uint32_t to;
  };
  const Case cases[] = {
      {3, 0, Qel::kSeekEnd, true, 10},      {3, 1, Qel::kSeekEnd, false, 3},
      {3, -10, Qel::kSeekEnd, true, 0},     {3, -11, Qel::kSeekEnd, false, 3},
      {3, -5, Qel::kSeekCurrent, false, 3}, {5, -5, Qel::kSeekCurrent, true, 0},
      {5, 5, Qel::kSeekCurrent, true, 10},  {5, 6, Qel::kSeekCurrent, false, 5},
      {5, 10, Qel::kSeekStart, true, 10},   {5, 11, Qel::kSeekStart, false, 5},
      {5, -1, Qel::kSeekStart, false, 5},   {5, 99, 7, true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.from << " offset " << c.offset << " origin " << c.origin);
    auto stream = StreamOver("0123456789");
    ASSERT_TRUE(stream->Seek(static_cast<int32_t>(c.from), Qel::kSeekStart));
    EXPECT_EQ(stream->Seek(c.offset, c.origin), c.ok);
    EXPECT_EQ(stream->Tell(), c.to);
    EXPECT_EQ(stream->TakeError(), c.ok ? Qel::kStreamErrorNone : Qel::kStreamErrorSeek);
  }
}

TEST(MemStream, CloneReadsTheSameBytesWithItsOwnPosition) {
  auto stream = StreamOver("abcdefgh");
  ASSERT_TRUE(stream->Seek(2, Qel::kSeekStart));
  std::shared_ptr<Qel::Stream> clone;
  stream->Clone(clone);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->Tell(), 2u);

  char a[3], b[3];
  uint32_t size = 3;
  ASSERT_TRUE(clone->Read(a, size));
  EXPECT_EQ(stream->Tell(), 2u);
  size = 3;
  ASSERT_TRUE(stream->Read(b, size));
  EXPECT_EQ(std::string(a, 3), "cde");
  EXPECT_EQ(std::string(b, 3), "cde");
}

TEST(MemStream, GrowingASharedBlockLeavesOtherHoldersIntact) {
  auto block = BlockWith("shared-bytes");
  const uint8_t* heldData = block->GetData();
  auto writer = std::make_shared<Qel::MemStream>();
  writer->SetMemoryBlock(block);
  std::shared_ptr<Qel::Stream> reader;
  writer->Clone(reader);
  ASSERT_NE(reader, nullptr);

  ASSERT_TRUE(writer->Seek(0, Qel::kSeekEnd));
  const std::string more(4000, 'm');
  ASSERT_TRUE(writer->Write(more.data(), 4000));

  // The other holders' view of the block is untouched.
  EXPECT_EQ(block->GetData(), heldData);
  EXPECT_EQ(block->GetSize(), 12u);
  EXPECT_EQ(std::memcmp(heldData, "shared-bytes", 12), 0);
  char back[12];
  uint32_t size = 12;
  ASSERT_TRUE(reader->Read(back, size));
  EXPECT_EQ(std::string(back, 12), "shared-bytes");

  // The writer carries the old bytes into its own grown block.
  ASSERT_TRUE(writer->Seek(0, Qel::kSeekStart));
  char front[12];
  size = 12;
  ASSERT_TRUE(writer->Read(front, size));
  EXPECT_EQ(std::string(front, 12), "shared-bytes");
  EXPECT_EQ(writer->Tell(), 12u);
}

TEST(MemStream, ShrinkingTheBlockUnderAStreamNeverReadsPastIt) {
  auto block = BlockWith("0123456789");
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  ASSERT_TRUE(stream.Seek(8, Qel::kSeekStart));
  ASSERT_TRUE(block->Resize(4));
  char buffer[4];
  uint32_t size = 4;
  EXPECT_FALSE(stream.Read(buffer, size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(stream.Tell(), 4u);
}

TEST(WindowsMemoryBlock, ResizeKeepsContents) {
  WindowsMemoryBlock block(4);
  std::memcpy(block.Lock(), "abcd", 4);
  block.Unlock();
  uint8_t* grown = block.Resize(4096);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(grown, block.Lock());
  EXPECT_EQ(std::memcmp(grown, "abcd", 4), 0);
}
