// File-system helpers over file specifications: existence, deletion, streams, listings, CD search.
#include "core/FileUtilities.h"

#include <new>
#include <string>

#include "core/IFile.h"
#include "core/WinFile.h"
#include "core/WinFileSpec.h"
#include "platform/win/kernel/Drives.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Find.h"

namespace Qel {

namespace win = ::plat::win;

namespace {

win::DWORD AttributesOf(const std::shared_ptr<IFileSpec>& spec) {
  return spec ? win::GetFileAttributesA(spec->GetPath().c_str()) : win::INVALID_FILE_ATTRIBUTES;
}

bool IsHiddenFolder(const char* name) {
  if (name[0] == '.') return true;
  const std::string text = name;
  if (text.size() != 5) return false;
  const char* hide = "_HIDE";
  for (size_t i = 0; i < 5; ++i) {
    const char c = (text[i] >= 'a' && text[i] <= 'z') ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != hide[i]) return false;
  }
  return true;
}

// One folder being listed; subfolders are listed through a stack of these rather than by
// recursion, so a deep tree cannot exhaust the call stack.
struct OpenListing {
  win::HANDLE find;
  std::string folder;
  int depth;
};

void AppendSpec(const std::string& path, std::vector<std::shared_ptr<IFileSpec>>& out) {
  std::shared_ptr<IFileSpec> spec = WinFileSpec::Create();
  if (!spec) return;
  spec->SetPath(path);
  out.push_back(std::move(spec));
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

void OpenFileStream(const std::shared_ptr<IFileSpec>& spec, uint32_t mode, std::shared_ptr<Stream>& out) {
  auto file = std::shared_ptr<WinFile>(new (std::nothrow) WinFile());
  if (file && file->Open(spec, mode)) {
    out = std::move(file);
  } else {
    out.reset();
  }
}

void EnumerateFiles(const std::shared_ptr<IFileSpec>& spec, std::vector<std::shared_ptr<IFileSpec>>& out,
                    uint32_t flags, int depth) {
  if (!IsDirectory(spec) || !(flags & kListEnabled)) return;

  std::vector<OpenListing> stack;
  const auto enter = [&stack](const std::string& folder, int levels) {
    win::WIN32_FIND_DATAA first{};
    const win::HANDLE find = win::FindFirstFileA((folder + "\\*.*").c_str(), &first);
    if (find == win::INVALID_HANDLE_VALUE) return std::make_pair(false, first);
    stack.push_back({find, folder, levels});
    return std::make_pair(true, first);
  };

  auto [entered, entry] = enter(spec->GetPath(), depth);
  bool haveEntry = entered;
  while (!stack.empty()) {
    if (!haveEntry) {
      win::FindClose(stack.back().find);
      stack.pop_back();
      if (stack.empty()) break;
      haveEntry = win::FindNextFileA(stack.back().find, &entry);
      continue;
    }
    const OpenListing& current = stack.back();
    const std::string path = current.folder + "\\" + entry.cFileName;
    const int levels = current.depth;
    bool enteredChild = false;
    win::WIN32_FIND_DATAA childEntry{};

    if (entry.dwFileAttributes & win::FILE_ATTRIBUTE_HIDDEN) {
      // skipped with everything under it
    } else if (entry.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) {
      if (!IsHiddenFolder(entry.cFileName)) {
        if (flags & kListDirectories) AppendSpec(path, out);
        // The subfolder's contents follow it, before the rest of this folder.
        if ((flags & kListRecurse) && levels != 0) {
          std::tie(enteredChild, childEntry) = enter(path, levels - 1);
        }
      }
    } else if (flags & kListFiles) {
      AppendSpec(path, out);
    }

    if (enteredChild) {
      entry = childEntry;
    } else {
      haveEntry = win::FindNextFileA(stack.back().find, &entry);
    }
  }
}

bool FindFileOnCdDrive(const char* path, std::shared_ptr<IFileSpec>& out) {
  out.reset();
  if (!path) return false;
  std::string text = "a:";
  if (path[0] != '\\') text += '\\';
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
