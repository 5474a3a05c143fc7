// An ordered list of resource databases that answers as one.
#pragma once

#include <memory>

#include "core/IResourceFile.h"

namespace Qel {

class IResourceFileList : public IResourceFile {
public:
  // Position 1 puts the database at the front, searched first; any other value at the back.
  virtual void AddResourceFile(const std::shared_ptr<IResourceFile>& file, int position) = 0;
  virtual void RemoveResourceFile(const std::shared_ptr<IResourceFile>& file) = 0;
};

}  // namespace Qel
