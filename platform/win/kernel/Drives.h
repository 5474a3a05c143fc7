// Drive letters: Z: is the Linux root, D:, E:, ... are the mounted CD file systems.
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace plat::win {

inline constexpr unsigned DRIVE_UNKNOWN = 0;
inline constexpr unsigned DRIVE_NO_ROOT_DIR = 1;
inline constexpr unsigned DRIVE_FIXED = 3;
inline constexpr unsigned DRIVE_CDROM = 5;

// rootPath: "X:\" (or "X:"), either case; null asks for the current drive, Z:.
unsigned GetDriveTypeA(const char* rootPath);

// The Linux folder a drive letter stands for; false when the letter is no drive.
bool GetDriveRoot(char letter, std::string& linuxRoot);

// Test seam: the mounts table is read from this file instead of /proc/self/mounts (null or empty
// restores it), so that tests can fake CD drives on temporary folders.
void SetMountsFileForTesting(const char* path);

}  // namespace plat::win
