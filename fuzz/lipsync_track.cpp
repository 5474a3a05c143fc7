// Fuzz target: the lip-sync track reader on arbitrary bytes, and the shapes it then gives.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/LipSyncTrack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (size > 0) {
    if (!block->Allocate(static_cast<uint32_t>(size))) return 0;
    std::memcpy(block->GetData(), data, size);
  }
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  LipSyncTrack track;
  const bool read = track.Read(stream);
  if (read == track.IsEmpty()) __builtin_trap();
  if (read && track.GetShapeCount() > size) __builtin_trap();
  for (const uint32_t position : {0u, 1u, 24u, 25u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    const int shape = track.ShapeAt(position);
    if (shape < 0 || shape >= LipSyncTrack::kShapeLimit) __builtin_trap();
  }
  return 0;
}
