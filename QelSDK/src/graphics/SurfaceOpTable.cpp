// An ordered table from a "source|destination" class-name key to the operation for that pair of surfaces.
#include "graphics/SurfaceOpTable.h"

namespace Qel {

void SurfaceOpTable::Register(std::string_view key, SurfaceOpFn op) {
  if (!op) {
    Unregister(key);
    return;
  }
  const auto found = m_ops.find(key);
  if (found != m_ops.end()) {
    found->second = op;
  } else {
    m_ops.emplace(std::string(key), op);
  }
  ++m_generation;
}

void SurfaceOpTable::Unregister(std::string_view key) {
  const auto found = m_ops.find(key);
  if (found == m_ops.end()) return;
  m_ops.erase(found);
  ++m_generation;
}

SurfaceOpFn SurfaceOpTable::Find(std::string_view key) const {
  const auto found = m_ops.find(key);
  return found != m_ops.end() ? found->second : nullptr;
}

}  // namespace Qel
