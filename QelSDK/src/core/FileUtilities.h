// File-system helpers over file specifications: existence, deletion, streams, listings, CD search.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/IFileSpec.h"
#include "core/Stream.h"

namespace Qel {

// EnumerateFiles flags. Without kListEnabled nothing is listed.
inline constexpr uint32_t kListRecurse = 1;
inline constexpr uint32_t kListDirectories = 2;
inline constexpr uint32_t kListFiles = 4;
inline constexpr uint32_t kListEnabled = 8;

// A null specification is treated as a missing path throughout.
bool FileExists(const std::shared_ptr<IFileSpec>& spec);
bool IsDirectory(const std::shared_ptr<IFileSpec>& spec);
// True when an existing file was deleted.
bool DeleteFileSpec(const std::shared_ptr<IFileSpec>& spec);
// Renames the file `from` to the path of `to` in one step, replacing a file there, so that a reader
// of `to` finds the old file or the new one, never neither. Both must lie on one file system; a
// folder is neither moved nor replaced.
bool MoveFileSpec(const std::shared_ptr<IFileSpec>& from, const std::shared_ptr<IFileSpec>& to);
// out = a WinFile opened with the open mode bits of IFile.h; null when it cannot be opened.
void OpenFileStream(const std::shared_ptr<IFileSpec>& spec, uint32_t mode, std::shared_ptr<Stream>& out);
// Why a file that was to be read could not be opened, for a warning: "it is a folder", "it cannot
// be read" or "no regular file is there" (missing, or a pipe or device, which are never opened).
const char* WhyNotOpened(const std::shared_ptr<IFileSpec>& spec);
// Appends the folder's entries to out, each subfolder's entries right after it. Hidden entries,
// folders named "_hide" and folders whose names begin with "." are skipped with all they hold.
// depth limits the levels below spec that are entered; -1 means no limit. out is untouched unless
// spec is an existing folder. A folder that cannot be listed is left out with a warning on the trace.
void EnumerateFiles(const std::shared_ptr<IFileSpec>& spec, std::vector<std::shared_ptr<IFileSpec>>& out,
                    uint32_t flags, int depth);
// Looks for path (with or without a leading backslash or slash) on each CD drive in letter order; out is the
// first hit, or null.
bool FindFileOnCdDrive(const char* path, std::shared_ptr<IFileSpec>& out);

}  // namespace Qel
