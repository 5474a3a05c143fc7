// The handle table the file and find calls share: handles are checked tokens, never raw pointers.
#pragma once

#include <memory>

#include "platform/win/kernel/Types.h"

namespace plat::win::detail {

// What a handle stands for; each kind derives from this.
class KernelObject {
public:
  virtual ~KernelObject() = default;
};

// A fresh handle value (never reused, never null or INVALID_HANDLE_VALUE).
HANDLE AddObject(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null for an unknown or closed handle.
std::shared_ptr<KernelObject> FindObject(HANDLE handle);
// Removes a handle; false for an unknown or closed one. The object goes away with its last user.
bool RemoveObject(HANDLE handle);

// The object behind a handle when it is of kind T, else null: a find handle is no file handle.
template <class T>
std::shared_ptr<T> FindObjectOf(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(FindObject(handle));
}

}  // namespace plat::win::detail
