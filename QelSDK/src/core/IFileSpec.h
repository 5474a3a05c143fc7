// A file specification: a Windows path with the operations that split it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace Qel {

// The backslash separates the parts of a path, and so does a "/" written into one (a Linux path
// in the settings).
class IFileSpec {
public:
  virtual ~IFileSpec() = default;

  // path = dir's path, a backslash unless it already ends in a separator, then name.
  virtual void Join(const std::shared_ptr<IFileSpec>& dir, const char* name) = 0;
  virtual void SetPath(const std::string& path) = 0;
  // The part after the last separator; the whole path when there is none.
  virtual std::string GetFileName() const = 0;
  // The part after the last "." anywhere in the path; empty when there is none.
  virtual std::string GetExtension() const = 0;
  virtual std::string GetPath() const = 0;
  // The file name without the part from its last ".".
  virtual std::string GetName() const = 0;
  // The resource type code of GetExtension.
  virtual uint32_t GetTypeCode() const = 0;
  // The folder holding an existing path; null when the path is missing or is its own folder.
  virtual void GetParent(std::shared_ptr<IFileSpec>& out) const = 0;
  // The resource name hash of GetName.
  virtual uint32_t GetNameHash() const = 0;
};

}  // namespace Qel
