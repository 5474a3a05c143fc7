// Drive letters: Z: is the Linux root, D:, E:, ... are the mounted CD file systems.
#include "platform/win/kernel/Drives.h"

#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Path.h"

namespace plat::win {
namespace {

constexpr char kRootDrive = 'Z';
constexpr char kFirstCdDrive = 'D';
constexpr const char* kMountsFile = "/proc/self/mounts";

std::mutex gMountsMutex;
std::string gMountsFile = kMountsFile;

std::string MountsFile() {
  std::lock_guard lock(gMountsMutex);
  return gMountsFile;
}

// The mounts table writes blanks, tabs, newlines and backslashes in a mount point as \ooo.
std::string Unescape(const std::string& field) {
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    const auto digit = [&](size_t at, char highest) { return field[at] >= '0' && field[at] <= highest; };
    const bool octal = field[i] == '\\' && i + 3 < field.size() && digit(i + 1, '3') && digit(i + 2, '7') &&
                       digit(i + 3, '7');
    if (octal) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

// Read at every call: a disc can be mounted or taken out while the game runs.
std::vector<std::string> CdMountPoints() {
  std::vector<std::string> points;
  std::ifstream mounts(MountsFile());
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    if (type == "iso9660" || type == "udf") points.push_back(Unescape(mountPoint));
  }
  return points;
}

}  // namespace

bool GetDriveRoot(char letter, std::string& linuxRoot) {
  letter = AsciiToUpper(letter);
  if (letter == kRootDrive) {
    linuxRoot.assign(1, '/');  // not = "/": g++ 12 -O3 warns falsely on that (-Wrestrict)
    return true;
  }
  if (letter < kFirstCdDrive || letter >= kRootDrive) return false;
  const std::vector<std::string> points = CdMountPoints();
  const size_t index = static_cast<size_t>(letter - kFirstCdDrive);
  if (index >= points.size() || points[index].empty()) return false;
  linuxRoot = points[index];
  return true;
}

unsigned GetDriveTypeA(const char* rootPath) {
  if (!rootPath) return DRIVE_FIXED;
  const std::string root = rootPath;
  const bool wellFormed = root.size() >= 2 && root.size() <= 3 && root[1] == ':' &&
                          (root.size() == 2 || root[2] == '\\' || root[2] == '/');
  if (!wellFormed) return DRIVE_NO_ROOT_DIR;
  const char letter = AsciiToUpper(root[0]);
  if (letter == kRootDrive) return DRIVE_FIXED;
  std::string linuxRoot;
  return GetDriveRoot(letter, linuxRoot) ? DRIVE_CDROM : DRIVE_NO_ROOT_DIR;
}

void SetMountsFileForTesting(const char* path) {
  std::lock_guard lock(gMountsMutex);
  gMountsFile = (path && *path) ? path : kMountsFile;
}

}  // namespace plat::win
