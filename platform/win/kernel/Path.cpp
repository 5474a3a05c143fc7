// Windows path texts on Linux: drive Z: is the root, CD drives are their mount points.
#include "platform/win/kernel/Path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Drives.h"
#include "platform/win/kernel/FolderNames.h"

namespace plat::win {
namespace detail {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Hands each part between separators to take, empty ones left out, as a view into text.
template <typename Take>
void ForEachPart(std::string_view text, Take&& take) {
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsSeparator(text[i])) continue;
    if (i > start) take(text.substr(start, i - start));
    start = i + 1;
  }
}

// At most this many parts: one more than there are separators.
size_t MostParts(std::string_view text) {
  return 1 + static_cast<size_t>(std::count_if(text.begin(), text.end(), IsSeparator));
}

bool CurrentFolderParts(std::vector<std::string>& parts) {
  // Asked at every relative path: a buffer on the stack serves all but a folder deeper than it holds,
  // whose path the C library then builds in memory of its own.
  char buffer[PATH_MAX];
  std::unique_ptr<char, decltype(&free)> longer(nullptr, &free);
  const char* cwd = getcwd(buffer, sizeof buffer);
  if (!cwd && errno == ERANGE) {
    longer.reset(getcwd(nullptr, 0));
    cwd = longer.get();
  }
  if (!cwd) return false;
  parts.clear();
  parts.reserve(MostParts(cwd));
  ForEachPart(cwd, [&parts](std::string_view part) { parts.emplace_back(part); });
  return true;
}

// Windows ignores trailing blanks and dots of the last part ("sound.wav " opens "sound.wav"); a
// last part of nothing else is dropped, and "." and ".." stay what they are.
std::string_view TrimLastPart(std::string_view text) {
  size_t lastStart = text.size();
  while (lastStart > 0 && !IsSeparator(text[lastStart - 1])) --lastStart;
  const std::string_view last = text.substr(lastStart);
  if (last == "." || last == "..") return text;
  while (text.size() > lastStart && (text.back() == ' ' || text.back() == '.')) text.remove_suffix(1);
  return text;
}

bool Exists(const std::string& linuxPath) {
  struct stat info {};
  return lstat(linuxPath.c_str(), &info) == 0;
}

void AppendLinux(std::string& folder, const std::string& name) {
  if (folder.back() != '/') folder += '/';
  folder += name;
}

}  // namespace

bool ReadFolder(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return true;
}

bool ParseWindowsPath(const char* text, WindowsPath& out) {
  if (!text || !*text) return false;
  WindowsPath path;
  std::vector<std::string> base;
  const char* rest = text;
  if (IsAsciiLetter(text[0]) && text[1] == ':') {
    path.drive = AsciiToUpper(text[0]);
    rest = text + 2;
    // "Z:name" is relative to the current folder, which is always on Z:; other drives start at
    // their root.
    if (!IsSeparator(*rest) && path.drive == 'Z' && !CurrentFolderParts(base)) return false;
  } else if (IsSeparator(text[0]) && IsSeparator(text[1])) {
    return false;  // no network in this view
  } else if (!IsSeparator(text[0]) && !CurrentFolderParts(base)) {
    return false;
  }

  std::string_view written = rest;
  const size_t length = std::strlen(text);
  path.trailingSeparator = IsSeparator(text[length - 1]);
  if (!path.trailingSeparator) written = TrimLastPart(written);

  path.parts = std::move(base);
  path.parts.reserve(path.parts.size() + MostParts(written));
  ForEachPart(written, [&path](std::string_view part) {
    if (part == ".") return;
    if (part == "..") {
      if (!path.parts.empty()) path.parts.pop_back();  // never above the root
      return;
    }
    path.parts.emplace_back(part);
  });
  out = std::move(path);
  return true;
}

std::string FormatWindowsPath(const WindowsPath& path) {
  std::string text{path.drive, ':', '\\'};
  for (size_t i = 0; i < path.parts.size(); ++i) {
    if (i) text += '\\';
    text += path.parts[i];
  }
  if (path.trailingSeparator && !path.parts.empty()) text += '\\';
  return text;
}

bool WrittenLinuxPath(const WindowsPath& path, std::string& linuxPath) {
  std::string written;
  if (!GetDriveRoot(path.drive, written)) return false;
  size_t length = written.size() + 1;
  for (const std::string& part : path.parts) length += part.size() + 1;
  written.reserve(length);
  for (const std::string& part : path.parts) AppendLinux(written, part);
  if (path.trailingSeparator && written.back() != '/') written += '/';
  linuxPath = std::move(written);
  return true;
}

namespace {

// missingAsWritten: the caller has just failed to reach the whole path as written, or expects it to be
// missing, so it is not asked for as written and the walk starts at once.
bool Map(const WindowsPath& path, size_t partCount, bool missingAsWritten, std::string& linuxPath) {
  std::string root;
  if (!GetDriveRoot(path.drive, root)) return false;
  partCount = std::min(partCount, path.parts.size());
  const bool whole = partCount == path.parts.size();
  const auto finish = [&](std::string mapped) {
    if (whole && path.trailingSeparator && mapped.back() != '/') mapped += '/';
    linuxPath = std::move(mapped);
    return true;
  };

  // Most paths exist as written; only a miss pays for the walk.
  size_t length = root.size() + 1;
  for (size_t i = 0; i < partCount; ++i) length += path.parts[i].size() + 1;
  std::string written = root;
  written.reserve(length);
  for (size_t i = 0; i < partCount; ++i) AppendLinux(written, path.parts[i]);
  if (partCount == 0 || (!missingAsWritten && Exists(written))) return finish(std::move(written));

  // The walk starts in the deepest folder that exists as written: mostly the last part alone is
  // missing (a file about to be created) and only its own folder is looked at.
  std::vector<size_t> ends;  // where each prefix of the written path ends
  ends.reserve(partCount);
  for (size_t i = 0, at = root.size(); i < partCount; ++i) {
    ends.push_back(at);
    at += (written[at - 1] == '/' ? 0 : 1) + path.parts[i].size();
  }
  size_t i = partCount - 1;
  std::string match;
  FolderMatch found = MatchInFolder(written.substr(0, ends[i]), path.parts[i], match);
  while (found == FolderMatch::kMissing && i > 0) {
    --i;
    found = MatchInFolder(written.substr(0, ends[i]), path.parts[i], match);
  }
  // A match differs in letter case only, so the path keeps the written one's length.
  std::string current;
  current.reserve(length);
  current.assign(written, 0, ends[i]);
  for (;;) {
    if (found == FolderMatch::kExact) {
      AppendLinux(current, path.parts[i]);
    } else if (found == FolderMatch::kIgnoringCase) {
      AppendLinux(current, match);
    } else {
      // Nothing further down can exist; the rest stays as written (a file about to be created).
      for (size_t j = i; j < partCount; ++j) AppendLinux(current, path.parts[j]);
      return finish(std::move(current));
    }
    if (++i == partCount) return finish(std::move(current));
    found = MatchInFolder(current, path.parts[i], match);
  }
}

}  // namespace

bool MapToLinux(const WindowsPath& path, size_t partCount, std::string& linuxPath) {
  return Map(path, partCount, false, linuxPath);
}

bool MapMissingToLinux(const WindowsPath& path, std::string& linuxPath) {
  return Map(path, path.parts.size(), true, linuxPath);
}

}  // namespace detail

DWORD GetFullPathNameA(const char* fileName, DWORD bufferLength, char* buffer, char** filePart) {
  detail::WindowsPath path;
  if (!detail::ParseWindowsPath(fileName, path)) return 0;
  const std::string full = detail::FormatWindowsPath(path);
  if (!buffer || full.size() >= bufferLength) return static_cast<DWORD>(full.size() + 1);
  std::memcpy(buffer, full.c_str(), full.size() + 1);
  if (filePart) {
    const bool endsInName = !path.parts.empty() && !path.trailingSeparator;
    *filePart = endsInName ? buffer + full.size() - path.parts.back().size() : nullptr;
  }
  return static_cast<DWORD>(full.size());
}

bool ToLinuxPath(const char* windowsPath, std::string& linuxPath) {
  detail::WindowsPath path;
  return detail::ParseWindowsPath(windowsPath, path) &&
         detail::MapToLinux(path, path.parts.size(), linuxPath);
}

std::string LinuxPathAsWritten(const char* enginePath) {
  if (!enginePath) return {};
  std::string out;
  const char* rest = enginePath;
  std::string root;
  if (detail::IsAsciiLetter(rest[0]) && rest[1] == ':' && GetDriveRoot(rest[0], root)) {
    rest += 2;
    // "Z:name" is relative to the current folder: it stays relative.
    if (detail::IsSeparator(*rest)) out = std::move(root);
  }
  for (; *rest; ++rest) {
    if (!detail::IsSeparator(*rest)) {
      out += *rest;
    } else if (out.empty() || out.back() != '/') {
      out += '/';
    }
  }
  const size_t lastStart = out.rfind('/') == std::string::npos ? 0 : out.rfind('/') + 1;
  const std::string_view last = std::string_view(out).substr(lastStart);
  if (last != "." && last != "..") {
    while (out.size() > lastStart && (out.back() == ' ' || out.back() == '.')) out.pop_back();
  }
  return out;
}

}  // namespace plat::win
