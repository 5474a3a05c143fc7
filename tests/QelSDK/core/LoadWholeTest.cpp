// Loading a whole stream into a memory block: the bytes, and failures that leave no block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/LoadWhole.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"

namespace {

// A stream whose reads need memory that cannot be had, as the buffers behind a huge member would.
class OutOfMemoryStream : public Qel::Stream {
public:
  bool Read(void*, uint32_t&) override { throw std::bad_alloc(); }
  bool Write(const void*, uint32_t) override { return false; }
  bool Seek(int32_t, int) override { return false; }
  uint32_t Tell() override { return 0; }
  bool Flush() override { return true; }
  bool SetError(int) override { return true; }
  int TakeError() override { return Qel::kStreamErrorNone; }
  uint32_t GetSize() override { return 65536; }
  void Clone(std::shared_ptr<Qel::Stream>& out) override { out.reset(); }
};

}  // namespace

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
  OutOfMemoryStream stream;
  std::shared_ptr<Qel::IMemoryBlock> out = std::make_shared<Qel::MemoryBlock>();
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(Qel::LoadWhole(stream, out));
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, nullptr);
  EXPECT_NE(trace.find("ERROR: alloc failure in "), std::string::npos) << trace;
}
