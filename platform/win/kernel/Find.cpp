// Directory search: the first and next entries matching a path or a wildcard pattern.
#include "platform/win/kernel/Find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Path.h"

namespace plat::win {
namespace {

struct Entry {
  std::string name;
  DWORD attributes;
};

class FindSearch : public detail::KernelObject {
public:
  explicit FindSearch(std::vector<Entry> entries) : m_entries(std::move(entries)) {}

  bool Next(WIN32_FIND_DATAA& data) {
    if (m_next >= m_entries.size()) return false;
    const Entry& entry = m_entries[m_next++];
    data = WIN32_FIND_DATAA{};
    data.dwFileAttributes = entry.attributes;
    std::memcpy(data.cFileName, entry.name.c_str(), entry.name.size() + 1);
    return true;
  }

private:
  std::vector<Entry> m_entries;
  size_t m_next = 0;
};

bool HasWildcard(const std::string& text) {
  return text.find_first_of("*?") != std::string::npos;
}

// "*" any run of characters, "?" any one, letters without regard to case; "*.*" matches every name,
// with or without a dot, as it always has on Windows.
bool Matches(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '?' || (*pattern && *pattern != '*' && AsciiToUpper(*pattern) == AsciiToUpper(*name))) {
      ++pattern;
      ++name;
    } else if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// The attributes a listing shows for an entry of the open folder; false for one it leaves out: a
// symbolic link to a folder (never followed, so a listing cannot loop or list a tree twice), a
// broken link, anything that is neither a file nor a folder, and a name no Windows path can
// address. The entry is looked at from its folder, so an entry whose whole path is longer than
// Linux allows is still listed as what it is, and the caller finds out when it goes there.
bool ListedAttributes(int folder, const char* name, DWORD& attributes) {
  if (std::strlen(name) >= MAX_PATH || std::strchr(name, '\\')) return false;
  struct stat info {};
  if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISLNK(info.st_mode) && (fstatat(folder, name, &info, 0) != 0 || !S_ISREG(info.st_mode))) return false;
  if (S_ISDIR(info.st_mode)) {
    attributes = FILE_ATTRIBUTE_DIRECTORY;
    return true;
  }
  attributes = FILE_ATTRIBUTE_NORMAL;
  return S_ISREG(info.st_mode);
}

bool ListFolder(const detail::WindowsPath& path, std::vector<Entry>& entries) {
  const size_t folderParts = path.parts.size() - 1;
  std::string folder;
  if (!detail::MapToLinux(path, folderParts, folder)) return false;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;

  const char* pattern = path.parts.back().c_str();
  std::vector<Entry> found;
  while (const dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    DWORD attributes = 0;
    if (Matches(pattern, name) && ListedAttributes(dirfd(dir), name, attributes)) {
      found.push_back({name, attributes});
    }
  }
  closedir(dir);
  std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
    const std::string upperA = AsciiUpper(a.name), upperB = AsciiUpper(b.name);
    return upperA != upperB ? upperA < upperB : a.name < b.name;
  });

  // Windows lists "." and ".." first in every folder but a drive's root.
  if (folderParts > 0) {
    for (const char* dots : {".", ".."}) {
      if (Matches(pattern, dots)) entries.push_back({dots, FILE_ATTRIBUTE_DIRECTORY});
    }
  }
  entries.insert(entries.end(), found.begin(), found.end());
  return true;
}

// The last part of the text as written, before "." and ".." were resolved.
std::string WrittenLastPart(const char* text) {
  const char* start = text;
  for (const char* c = text; *c; ++c) {
    if (*c == '\\' || *c == '/' || (c == text + 1 && *c == ':')) start = c + 1;
  }
  return start;
}

bool LookUp(const std::string& written, const detail::WindowsPath& path, std::vector<Entry>& entries) {
  std::string linuxPath;
  const DWORD attributes = detail::FoundAttributes(path, linuxPath);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  // The name in its letter case on disk, which is why callers look a path up.
  std::string name =
      (written == "." || written == "..") ? written : linuxPath.substr(linuxPath.rfind('/') + 1);
  if (name.empty() || name.size() >= MAX_PATH) return false;
  entries.push_back({std::move(name), attributes});
  return true;
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* findData) {
  detail::WindowsPath path;
  if (!findData || !detail::ParseWindowsPath(pattern, path)) return INVALID_HANDLE_VALUE;
  // A drive (written alone or as its root) and a path ending in a separator name no entry.
  const std::string written = WrittenLastPart(pattern);
  if (path.parts.empty() || path.trailingSeparator || written.empty()) return INVALID_HANDLE_VALUE;

  std::vector<Entry> entries;
  const bool isListing = written != "." && written != ".." && HasWildcard(path.parts.back());
  const bool listed = isListing ? ListFolder(path, entries) : LookUp(written, path, entries);
  if (!listed || entries.empty()) return INVALID_HANDLE_VALUE;

  auto search = std::make_shared<FindSearch>(std::move(entries));
  search->Next(*findData);
  return detail::AddObject(std::move(search));
}

BOOL FindNextFileA(HANDLE findHandle, WIN32_FIND_DATAA* findData) {
  const auto search = detail::FindObjectOf<FindSearch>(findHandle);
  return search && findData && search->Next(*findData) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE findHandle) {
  if (!detail::FindObjectOf<FindSearch>(findHandle)) return FALSE;
  return detail::RemoveObject(findHandle) ? TRUE : FALSE;
}

}  // namespace plat::win
