// Fuzz target: the string-table reader on arbitrary bytes, in the code page of the US layout.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/StringTableReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (size > 0) {
    if (!block->Allocate(static_cast<uint32_t>(size))) return 0;
    std::memcpy(block->GetData(), data, size);
  }
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  size_t total = 0;
  StringTableReader::Read(stream, 1252, [&total](const char* text) {
    const size_t length = std::strlen(text);
    if (length >= StringTableReader::kTextCapacity) __builtin_trap();
    total += length;
  });
  return 0;
}
