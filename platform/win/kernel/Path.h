// Windows path texts on Linux: drive Z: is the root, CD drives are their mount points.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace plat::win {

// The absolute form of a path in the Windows view ("Z:\home\..."), computed from the text alone as
// Windows does: "." and ".." are resolved, separators become backslashes, trailing blanks and dots
// of the last part are dropped. Answers the length written (without the terminator), the size
// needed (with it) when the buffer is too small, or 0 for a path that has no Windows form.
// filePart, when given, receives the start of the last part in buffer (null when it ends in "\").
DWORD GetFullPathNameA(const char* fileName, DWORD bufferLength, char* buffer, char** filePart);

// The Linux path a Windows path names: the drive's root plus the parts, each part that does not
// exist as written matched without regard to ASCII case. Parts after the first missing one stay as
// written, so the result also names files about to be created. False for a path on a drive that
// does not exist, an empty path and a network (UNC) path.
bool ToLinuxPath(const char* windowsPath, std::string& linuxPath);

// A path text of the engine as a Linux user reads it in a message: a drive letter becomes its
// root ("Z:\tmp\a" is "/tmp/a"), backslashes become slashes, runs of separators one, and trailing
// blanks and dots of the last part go as they do when the file is opened. Nothing is looked up
// and nothing is resolved, so a relative path stays relative and the letter case stays as written.
// A letter that is no drive is kept as text.
std::string LinuxPathAsWritten(const char* enginePath);

namespace detail {

// An absolute path in the Windows view, already resolved from the text.
struct WindowsPath {
  char drive = 'Z';                // upper case
  std::vector<std::string> parts;  // no empty, "." or ".." parts
  bool trailingSeparator = false;  // the text ended in "\" or "/"
};

// False for an empty text and a network (UNC) path.
bool ParseWindowsPath(const char* text, WindowsPath& out);
// "Z:\a\b", with a trailing backslash when the text had one.
std::string FormatWindowsPath(const WindowsPath& path);
// The Linux path of all the parts exactly as written, without looking anything up; false when the
// drive does not exist.
bool WrittenLinuxPath(const WindowsPath& path, std::string& linuxPath);
// The Linux path of the first partCount parts (see ToLinuxPath); false when the drive does not exist.
bool MapToLinux(const WindowsPath& path, size_t partCount, std::string& linuxPath);
// What MapToLinux gives for the whole path, through the case-blind walk alone, without first asking
// for the path as written: for a caller that has just failed to reach it so (an open or a stat said
// so), or that expects it to be missing (a file about to be created).
bool MapMissingToLinux(const WindowsPath& path, std::string& linuxPath);
// The names in a Linux folder, "." and ".." left out; false when it cannot be read.
bool ReadFolder(const std::string& folder, std::vector<std::string>& names);

}  // namespace detail

}  // namespace plat::win
