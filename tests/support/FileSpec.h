// A file specification set to a path, made the way the engine's own users make them.
#pragma once

#include <memory>
#include <string>

#include "core/WinFileSpec.h"

namespace test {

inline std::shared_ptr<Qel::IFileSpec> Spec(const std::string& path) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(path);
  return spec;
}

}  // namespace test
