// A resource database: answers requests for a resource by name hash and type code.
#pragma once

#include <cstdint>
#include <memory>

#include "core/IMemoryBlock.h"
#include "core/Stream.h"

namespace Qel {

class IResourceFile {
public:
  virtual ~IResourceFile() = default;
  // The whole resource in memory; out stays null when the database does not have it.
  virtual void Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) = 0;
  // A stream over the resource; out stays null when the database does not have it.
  virtual void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) = 0;
};

}  // namespace Qel
