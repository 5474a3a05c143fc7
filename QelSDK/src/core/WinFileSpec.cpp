// The file specification over the Windows file system.
#include "core/WinFileSpec.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "core/ResourceAddress.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Path.h"

namespace Qel {

namespace {

// Windows' classic path limit; longer Linux paths are asked for again with the size they need.
constexpr plat::win::DWORD kFullPathBuffer = 260;

// A "/" the user wrote (a Linux data path in the settings) parts folders just as a backslash does.
constexpr const char* kSeparators = "\\/";

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool HasFolderPart(const std::string& path) {
  return path.find_first_of(kSeparators) != std::string::npos;
}

bool FullPathOf(const char* name, std::string& fullPath) {
  std::vector<char> buffer(kFullPathBuffer);
  plat::win::DWORD length = plat::win::GetFullPathNameA(name, kFullPathBuffer, buffer.data(), nullptr);
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = plat::win::GetFullPathNameA(name, length, buffer.data(), nullptr);
  }
  if (length == 0 || length >= buffer.size()) return false;
  fullPath.assign(buffer.data(), length);
  return true;
}

}  // namespace

std::shared_ptr<IFileSpec> WinFileSpec::Create() {
  return std::shared_ptr<IFileSpec>(new (std::nothrow) WinFileSpec());
}

void WinFileSpec::Join(const std::shared_ptr<IFileSpec>& dir, const char* name) {
  // Joining onto no folder, or an empty one, leaves the name alone rather than putting it at the root.
  std::string path = dir ? dir->GetPath() : std::string();
  if (!path.empty() && !IsSeparator(path.back())) path += '\\';
  path += name ? name : "";
  SetPath(path);
}

std::shared_ptr<IFileSpec> WinFileSpec::CreateExisting(std::string path) {
  auto spec = std::shared_ptr<WinFileSpec>(new (std::nothrow) WinFileSpec());
  if (!spec) return nullptr;
  spec->StorePath(std::move(path));
  if (!HasFolderPart(spec->m_path)) {
    spec->LookUp();
  } else {
    spec->m_exists = true;
  }
  return spec;
}

std::shared_ptr<IFileSpec> WinFileSpec::CreateAsWritten(std::string path) {
  auto spec = std::shared_ptr<WinFileSpec>(new (std::nothrow) WinFileSpec());
  if (spec) spec->StorePath(std::move(path));
  return spec;
}

void WinFileSpec::SetPath(const std::string& path) {
  StorePath(path);
  LookUp();
}

void WinFileSpec::StorePath(std::string path) {
  m_exists = false;
  m_path = std::move(path);
  // The Linux root "/" stays whole: without its slash it would be no path at all.
  if (!m_path.empty() && IsSeparator(m_path.back()) && m_path != "/") m_path.pop_back();
}

void WinFileSpec::LookUp() {
  const plat::win::HANDLE find = plat::win::FindFirstFileA(m_path.c_str(), &m_findData);
  if (find == plat::win::INVALID_HANDLE_VALUE) return;
  plat::win::FindClose(find);
  m_exists = true;
  std::string fullPath;
  if (!HasFolderPart(m_path) && FullPathOf(m_findData.cFileName, fullPath)) m_path = fullPath;
}

std::string WinFileSpec::GetFileName() const {
  const size_t slash = m_path.find_last_of(kSeparators);
  return slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

std::string WinFileSpec::GetExtension() const {
  const size_t dot = m_path.rfind('.');
  return dot == std::string::npos ? std::string() : m_path.substr(dot + 1);
}

std::string WinFileSpec::GetName() const {
  const std::string fileName = GetFileName();
  return fileName.substr(0, fileName.rfind('.'));
}

uint32_t WinFileSpec::GetTypeCode() const {
  return TypeCodeFromExtension(GetExtension().c_str());
}

uint32_t WinFileSpec::GetNameHash() const {
  return NameHash(GetName().c_str());
}

std::string WinFileSpec::GetDirectory() const {
  const size_t slash = m_path.find_last_of(kSeparators);
  return slash == std::string::npos ? std::string() : m_path.substr(0, slash + 1);
}

void WinFileSpec::GetParent(std::shared_ptr<IFileSpec>& out) const {
  // out may be the very pointer that holds this specification (a walk up the tree), so it is only
  // assigned once nothing of this object is needed any more.
  std::shared_ptr<IFileSpec> parent;
  const std::string directory = GetDirectory();
  if (m_exists && !plat::EqualsIgnoringCase(directory, m_path)) {
    parent = Create();
    if (parent) parent->SetPath(directory);
  }
  out = std::move(parent);
}

}  // namespace Qel
