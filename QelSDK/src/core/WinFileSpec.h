// The file specification over the Windows file system.
#pragma once

#include <memory>
#include <string>

#include "core/IFileSpec.h"
#include "platform/win/kernel/Find.h"

namespace Qel {

class WinFileSpec : public IFileSpec {
public:
  // A new, empty specification; null when it cannot be allocated. Every engine user makes its
  // specifications here.
  static std::shared_ptr<IFileSpec> Create();
  // A specification set to a path known to exist, such as that of a file just opened: as SetPath
  // would leave it, without the lookup wherever the lookup could not change the path (a path with a
  // folder part). A bare name is still looked up for its full path.
  static std::shared_ptr<IFileSpec> CreateExisting(std::string path);
  // A specification of a file about to be created under a path already resolved (the temporary file
  // beside one just looked up): stored as written, without the lookup, and taken for missing.
  static std::shared_ptr<IFileSpec> CreateAsWritten(std::string path);

  void Join(const std::shared_ptr<IFileSpec>& dir, const char* name) override;
  // Drops one trailing separator (not the "/" of the Linux root), then looks the path up. A bare
  // name that exists becomes its full path, in the letter case found on disk; anything with a
  // folder part, a "/" one included, is kept as written.
  void SetPath(const std::string& path) override;
  std::string GetFileName() const override;
  std::string GetExtension() const override;
  std::string GetPath() const override { return m_path; }
  std::string GetName() const override;
  uint32_t GetTypeCode() const override;
  void GetParent(std::shared_ptr<IFileSpec>& out) const override;
  uint32_t GetNameHash() const override;

  // The path up to and including its last separator; empty when there is none.
  std::string GetDirectory() const;

private:
  // Stores the path without one trailing backslash; the lookup is left to the caller.
  void StorePath(std::string path);
  // Whether the stored path exists, giving a bare name its full path.
  void LookUp();

  std::string m_path;
  plat::win::WIN32_FIND_DATAA m_findData;
  bool m_exists = false;
};

}  // namespace Qel
