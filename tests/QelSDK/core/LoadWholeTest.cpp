// Loading a whole stream into a memory block: the bytes, and failures that leave no block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/LoadWhole.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "support/OutOfMemoryStream.h"

TEST(LoadWhole, ReadsEveryByteOrLeavesNoBlock) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  ASSERT_TRUE(block->Allocate(5));
  std::memcpy(block->GetData(), "bytes", 5);
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  std::shared_ptr<Qel::IMemoryBlock> out;
  Qel::LoadWhole(stream, out);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out->GetData()), out->GetSize()), "bytes");

  Qel::MemStream empty;  // no data: its size is unknown
  Qel::LoadWhole(empty, out);
  EXPECT_EQ(out, nullptr);
}

TEST(LoadWhole, AnAllocationThatFailsDuringTheLoadIsAFailedLoad) {
  setenv("PILO_TRACE", "1", 1);
  test::OutOfMemoryStream stream(65536);
  std::shared_ptr<Qel::IMemoryBlock> out = std::make_shared<Qel::MemoryBlock>();
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(Qel::LoadWhole(stream, out));
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, nullptr);
  EXPECT_NE(trace.find("ERROR: alloc failure in "), std::string::npos) << trace;
}
