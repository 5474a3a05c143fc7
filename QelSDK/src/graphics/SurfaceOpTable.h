// An ordered table from a "source|destination" class-name key to the operation for that pair of surfaces.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "graphics/SurfaceOpFn.h"

namespace Qel {

class SurfaceOpTable {
public:
  // A null operation removes the key; otherwise the key gets this operation, replacing an older one.
  void Register(std::string_view key, SurfaceOpFn op);
  void Unregister(std::string_view key);
  // Null when the key is absent.
  SurfaceOpFn Find(std::string_view key) const;
  // Changes whenever an entry is added, replaced or removed, so that cached look-ups can tell they are stale.
  uint64_t GetGeneration() const { return m_generation; }

private:
  std::map<std::string, SurfaceOpFn, std::less<>> m_ops;
  uint64_t m_generation = 0;
};

}  // namespace Qel
