// The handle table the file and find calls share: handles are checked tokens, never raw pointers.
#include "platform/win/kernel/Handles.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace plat::win::detail {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t last = 0;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

HANDLE AddObject(std::shared_ptr<KernelObject> object) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  // Multiples of 4 like the real ones; a stale handle can never name a newer object.
  table.last += 4;
  table.objects.emplace(table.last, std::move(object));
  return reinterpret_cast<HANDLE>(table.last);
}

std::shared_ptr<KernelObject> FindObject(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
  return found == table.objects.end() ? nullptr : found->second;
}

bool RemoveObject(HANDLE handle) {
  std::shared_ptr<KernelObject> removed;  // released outside the lock
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (found == table.objects.end()) return false;
  removed = std::move(found->second);
  table.objects.erase(found);
  return true;
}

}  // namespace plat::win::detail
