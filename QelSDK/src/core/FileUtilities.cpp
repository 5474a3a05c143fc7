// File-system helpers over file specifications: existence, deletion, streams, listings, CD search.
#include "core/FileUtilities.h"

#include <algorithm>
#include <climits>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "core/IFile.h"
#include "core/Trace.h"
#include "core/WinFile.h"
#include "core/WinFileSpec.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Drives.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Find.h"
#include "platform/win/kernel/Path.h"

namespace Qel {

namespace win = ::plat::win;

namespace {

win::DWORD AttributesOf(const std::shared_ptr<IFileSpec>& spec) {
  return spec ? win::GetFileAttributesA(spec->GetPath().c_str()) : win::INVALID_FILE_ATTRIBUTES;
}

// Folders a listing leaves out with all they hold: "." and "..", names beginning with "." and
// "_hide" in any letter case.
bool IsSkippedFolder(const std::string& name) {
  static constexpr std::string_view kHide = "_HIDE";
  return name.empty() || name[0] == '.' || plat::EqualsIgnoringCase(name, kHide);
}

// One folder of a listing in progress. Subfolders are entered through a stack of these rather than
// by recursion, so that a deep tree cannot exhaust the call stack.
struct FolderListing {
  std::string folder;
  int depth;  // levels that may still be entered below this folder; negative: no limit
  std::vector<win::WIN32_FIND_DATAA> entries;
  size_t next = 0;
};

// A drive's root is the one folder without "." and "..", so the one that may list nothing.
bool IsDriveRoot(const std::string& folder) {
  char full[4] = {};
  char* lastPart = nullptr;
  return win::GetFullPathNameA(folder.c_str(), sizeof full, full, &lastPart) == 3 && !lastPart;
}

// A folder's entries in the order the file system gives them. The search is closed before the
// entries are used, so no search stays open however deep the listing goes. Every other folder
// has "." and ".." at least, so a search that finds nothing failed: the folder is named on the
// trace rather than silently taken for empty.
std::vector<win::WIN32_FIND_DATAA> ReadEntries(const std::string& folder) {
  std::vector<win::WIN32_FIND_DATAA> entries;
  win::WIN32_FIND_DATAA entry{};
  const win::HANDLE find = win::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == win::INVALID_HANDLE_VALUE) {
    if (IsDriveRoot(folder)) return entries;
    std::string linuxPath;
    const bool tooDeep = win::ToLinuxPath(folder.c_str(), linuxPath) && linuxPath.size() >= PATH_MAX;
    Trace("WARN: Folder %s cannot be listed: %s; its files are left out.\n",
          win::LinuxPathAsWritten(folder.c_str()).c_str(),
          tooDeep ? "its path is too long (the tree is too deep)" : "it cannot be read");
    return entries;
  }
  do {
    entries.push_back(entry);
  } while (win::FindNextFileA(find, &entry));
  win::FindClose(find);
  return entries;
}

// A listed entry was just found under its folder, so it is never looked up again: its name is a
// plain name even when it holds "*" or "?" (legal on Linux), and a lookup would take it for a
// pattern and read the whole folder once per entry.
void AppendSpec(const std::string& path, std::vector<std::shared_ptr<IFileSpec>>& out) {
  std::shared_ptr<IFileSpec> spec = WinFileSpec::CreateExisting(path);
  if (spec) out.push_back(std::move(spec));
}

}  // namespace

bool FileExists(const std::shared_ptr<IFileSpec>& spec) {
  return AttributesOf(spec) != win::INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::shared_ptr<IFileSpec>& spec) {
  const win::DWORD attributes = AttributesOf(spec);
  return attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileSpec(const std::shared_ptr<IFileSpec>& spec) {
  return FileExists(spec) && win::DeleteFileA(spec->GetPath().c_str());
}

bool MoveFileSpec(const std::shared_ptr<IFileSpec>& from, const std::shared_ptr<IFileSpec>& to) {
  return from && to &&
         win::MoveFileExA(from->GetPath().c_str(), to->GetPath().c_str(), win::MOVEFILE_REPLACE_EXISTING);
}

void OpenFileStream(const std::shared_ptr<IFileSpec>& spec, uint32_t mode, std::shared_ptr<Stream>& out) {
  auto file = std::shared_ptr<WinFile>(new (std::nothrow) WinFile());
  if (file && file->Open(spec, mode)) {
    out = std::move(file);
  } else {
    out.reset();
  }
}

const char* WhyNotOpened(const std::shared_ptr<IFileSpec>& spec) {
  const win::DWORD attributes = AttributesOf(spec);
  if (attributes == win::INVALID_FILE_ATTRIBUTES) return "no regular file is there";
  return (attributes & win::FILE_ATTRIBUTE_DIRECTORY) ? "it is a folder" : "it cannot be read";
}

void EnumerateFiles(const std::shared_ptr<IFileSpec>& spec, std::vector<std::shared_ptr<IFileSpec>>& out,
                    uint32_t flags, int depth) {
  if (!IsDirectory(spec) || !(flags & kListEnabled)) return;

  std::vector<FolderListing> stack;
  stack.push_back({spec->GetPath(), depth, ReadEntries(spec->GetPath())});
  while (!stack.empty()) {
    FolderListing& current = stack.back();
    if (current.next == current.entries.size()) {
      stack.pop_back();
      continue;
    }
    const win::WIN32_FIND_DATAA& entry = current.entries[current.next++];
    if (entry.dwFileAttributes & win::FILE_ATTRIBUTE_HIDDEN) continue;
    const std::string path = current.folder + "\\" + entry.cFileName;
    if (!(entry.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY)) {
      if (flags & kListFiles) AppendSpec(path, out);
      continue;
    }
    if (IsSkippedFolder(entry.cFileName)) continue;
    if (flags & kListDirectories) AppendSpec(path, out);
    // The subfolder's contents follow it, before the rest of this folder.
    if ((flags & kListRecurse) && current.depth != 0) {
      const int levels = current.depth - 1;
      stack.push_back({path, levels, ReadEntries(path)});
    }
  }
}

bool FindFileOnCdDrive(const char* path, std::shared_ptr<IFileSpec>& out) {
  out.reset();
  if (!path) return false;
  std::string text = "a:";
  if (path[0] != '\\' && path[0] != '/') text += '\\';
  text += path;

  std::shared_ptr<IFileSpec> found = WinFileSpec::Create();
  if (!found) return false;
  found->SetPath(text);
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    if (win::GetDriveTypeA(root) != win::DRIVE_CDROM) continue;
    text[0] = letter;
    if (win::GetFileAttributesA(text.c_str()) != win::INVALID_FILE_ATTRIBUTES) {
      found->SetPath(text);
      out = std::move(found);
      return true;
    }
  }
  return false;
}

}  // namespace Qel
