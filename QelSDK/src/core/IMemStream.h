// A stream whose bytes live in a memory block.
#pragma once

#include <memory>

#include "core/IMemoryBlock.h"

namespace Qel {

class IMemStream {
public:
  virtual ~IMemStream() = default;
  virtual void GetMemoryBlock(std::shared_ptr<IMemoryBlock>& out) = 0;
  virtual void SetMemoryBlock(const std::shared_ptr<IMemoryBlock>& block) = 0;
};

}  // namespace Qel
