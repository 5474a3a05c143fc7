// The profile-string calls through which the settings tool reads and writes "Pilo.ini".
#include "platform/profile/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/profile/ProfileText.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Path.h"

namespace plat::profile {
namespace {

// A descriptor that closes itself on every path out.
class Descriptor {
public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return close(fd) == 0;
  }

private:
  int m_fd;
};

bool ReadAll(int fd, std::string& bytes) {
  char buffer[16 * 1024];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof(buffer));
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(put);
  }
  return true;
}

// The file's bytes; nothing when it exists but cannot be read as a regular file. A missing file
// reads as empty.
std::optional<std::string> ReadProfile(const std::string& path) {
  const Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    if (errno == ENOENT) return std::string();
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string bytes;
  if (!ReadAll(file.Get(), bytes)) return std::nullopt;
  return bytes;
}

std::optional<std::string> LinuxPathOf(const char* fileName) {
  std::string path;
  if (!fileName || !plat::win::ToLinuxPath(fileName, path)) return std::nullopt;
  return path;
}

// The file a write replaces: the target of a symbolic link rather than the link.
std::string ReplacedPath(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* target = realpath(path.c_str(), nullptr);
  if (!target) return path;
  std::string resolved(target);
  std::free(target);
  return resolved;
}

bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const auto slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : path.substr(0, std::max<size_t>(slash, 1));
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temporary = folder + "/." + base + ".XXXXXX";
  Descriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (file.Get() < 0) return false;
  // The new file keeps the old one's permissions; a first file gets what the umask leaves of rw-rw-rw-.
  struct stat info {};
  mode_t mode = 0;
  if (stat(path.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  const bool written = WriteAll(file.Get(), bytes) && fchmod(file.Get(), mode) == 0 && fsync(file.Get()) == 0;
  if (!file.Close() || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::optional<std::string> ReadValue(const char* section, const char* key, const char* fileName) {
  const auto path = LinuxPathOf(fileName);
  if (!path) return std::nullopt;
  const auto bytes = ReadProfile(*path);
  if (!bytes) return std::nullopt;
  return ProfileText(*bytes).Find(section, key);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits beyond the 32-bit range saturate rather than wrap into some unrelated number.
int ParseInt(const std::string& text) {
  const char* p = text.c_str();
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0) {
    base = 16;
    p += 2;
  }
  const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
  int64_t magnitude = 0;
  for (int digit = HexDigit(*p); digit >= 0 && digit < base; digit = HexDigit(*++p)) {
    magnitude = std::min(magnitude * base + digit, limit);
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* fileName) {
  if (!section || !key) {
    plat::win::SetLastError(plat::win::ERROR_INVALID_PARAMETER);
    return static_cast<UINT>(defaultValue);
  }
  const auto value = ReadValue(section, key, fileName);
  if (!value || value->empty()) return static_cast<UINT>(defaultValue);
  return static_cast<UINT>(ParseInt(*value));
}

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* out,
                               DWORD size, const char* fileName) {
  if (!out || size == 0) return 0;
  out[0] = '\0';
  if (!section || !key) {
    plat::win::SetLastError(plat::win::ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto value = ReadValue(section, key, fileName);
  const std::string text = value ? *value : std::string(defaultValue ? defaultValue : "");
  const size_t copied = std::min<size_t>(text.size(), size - 1);
  std::memcpy(out, text.data(), copied);
  out[copied] = '\0';
  return static_cast<DWORD>(copied);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
  const auto path = LinuxPathOf(fileName);
  if (!section || !key || !value || !path) {
    plat::win::SetLastError(plat::win::ERROR_INVALID_PARAMETER);
    return plat::win::FALSE;
  }
  const std::string replaced = ReplacedPath(*path);
  const auto bytes = ReadProfile(replaced);
  if (!bytes) {
    plat::win::SetLastError(plat::win::ERROR_ACCESS_DENIED);
    return plat::win::FALSE;
  }
  ProfileText text(*bytes);
  text.Set(section, key, value);
  if (!ReplaceFile(replaced, text.Bytes())) {
    plat::win::SetLastError(plat::win::ERROR_ACCESS_DENIED);
    return plat::win::FALSE;
  }
  return plat::win::TRUE;
}

}  // namespace plat::profile
