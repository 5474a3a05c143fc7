// Directory search: the first and next entries matching a path or a wildcard pattern.
#pragma once

#include "platform/win/kernel/Types.h"

namespace plat::win {

// The part of the find record our code reads.
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes = 0;
  char cFileName[MAX_PATH] = {};
};

// pattern: a path, or a folder followed by a last part with "*" and "?" wildcards ("*.*" matches
// every name). Entries come sorted by upper-cased name after "." and ".." (which a drive's root
// does not have). Symbolic links to folders are left out of listings, so a listing never loops;
// only regular files and folders are listed. INVALID_HANDLE_VALUE when nothing matches.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* findData);
BOOL FindNextFileA(HANDLE findHandle, WIN32_FIND_DATAA* findData);
BOOL FindClose(HANDLE findHandle);

}  // namespace plat::win
