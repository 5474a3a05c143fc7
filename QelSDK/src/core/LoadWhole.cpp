// Reading a whole stream into a new memory block, as databases load their resources.
#include "core/LoadWhole.h"

#include <new>

#include "core/MemoryBlock.h"
#include "core/Trace.h"

namespace Qel {

void LoadWhole(Stream& stream, std::shared_ptr<IMemoryBlock>& out) {
  out.reset();
  // Memory that runs out anywhere in the load, in the stream's own buffers too, is a failed load
  // like any other: a huge member must not end the program.
  try {
    const uint32_t size = stream.GetSize();
    auto block = std::make_shared<MemoryBlock>();
    if (size == kInvalidStreamValue || !block->Allocate(size)) {
      Trace("ERROR: alloc failure in %s, line %d.\n", __FILE__, __LINE__);
      return;
    }
    uint32_t got = size;
    // An empty resource needs no read: a zero-byte request is answered as end of data.
    if (size > 0 && (!stream.Read(block->GetData(), got) || got != size)) {
      Trace("ERROR: read failure in %s, line %d.\n", __FILE__, __LINE__);
      return;
    }
    out = block;
  } catch (const std::bad_alloc&) {
    Trace("ERROR: alloc failure in %s, line %d.\n", __FILE__, __LINE__);
  }
}

}  // namespace Qel
