// The names of the folders the case-blind lookup has listed, kept for as long as nothing in them changes.
#pragma once

#include <string>

namespace plat::win::detail {

// What a folder holds under a name, as far as the case-blind lookup needs to know.
enum class FolderMatch {
  kMissing,      // no folder at that path (nothing there, or it cannot be reached)
  kUnlistable,   // something that cannot be listed: a file, or a folder without read permission
  kNone,         // a folder without that name in any letter case
  kExact,        // a folder holding the name as written
  kIgnoringCase  // a folder holding the name in another letter case only
};

// Listing a folder at every lookup of a name that does not exist as written (each file about to be
// created) costs a scan; the names are kept instead, per folder path, and each change to the folder
// is applied to them as the kernel reports it (inotify), whoever makes it. A folder replaced at its
// path (another device or inode) is listed afresh. Without inotify every lookup lists the folder.
// Safe to call from any thread.
// Of several names that differ only in letter case the first in byte order is chosen, so that the
// choice does not depend on the order the folder happens to be read in.
FolderMatch MatchInFolder(const std::string& folder, const std::string& name, std::string& match);

}  // namespace plat::win::detail
