// A file that can be opened on a specification, closed and cut to size.
#pragma once

#include <cstdint>
#include <memory>

#include "core/IFileSpec.h"

namespace Qel {

// Open mode bits. With neither kFileExisting nor kFileCreate a file is opened or created;
// kFileExisting wins over kFileCreate.
inline constexpr uint32_t kFileRead = 1;
inline constexpr uint32_t kFileWrite = 2;
inline constexpr uint32_t kFileExisting = 4;
inline constexpr uint32_t kFileCreate = 8;  // create, or truncate an existing file

class IFile {
public:
  virtual ~IFile() = default;

  virtual bool Open(const std::shared_ptr<IFileSpec>& spec, uint32_t mode) = 0;
  virtual void GetFileSpec(std::shared_ptr<IFileSpec>& out) = 0;
  virtual bool Close() = 0;
  virtual bool SetSize(uint32_t size) = 0;
};

}  // namespace Qel
