// The base of every object a kernel HANDLE designates, so that one CloseHandle frees any of them.
#pragma once

namespace plat::win {

class KernelObject {
public:
  virtual ~KernelObject() = default;
};

}  // namespace plat::win
