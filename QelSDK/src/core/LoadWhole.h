// Reading a whole stream into a new memory block, as databases load their resources.
#pragma once

#include <memory>

#include "core/IMemoryBlock.h"
#include "core/Stream.h"

namespace Qel {

// Reads a freshly opened stream, all of its bytes; out stays null when the size is unknown, memory
// runs out (no exception leaves) or the read falls short.
void LoadWhole(Stream& stream, std::shared_ptr<IMemoryBlock>& out);

}  // namespace Qel
