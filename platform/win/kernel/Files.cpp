// Files: attributes, deletion, and reading and writing through handles.
#include "platform/win/kernel/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/win/kernel/Events.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Mutex.h"
#include "platform/win/kernel/Path.h"

namespace plat::win {
namespace {

// How often handles of this process have opened one file (device and inode, whatever name they
// used) for writing, written it or cut it. Shared by every handle open on the file.
struct FileChanges {
  using Key = std::pair<dev_t, ino_t>;
  Key key;
  std::atomic<uint64_t> count{0};
};

struct FileChangesTable {
  std::mutex mutex;
  std::map<FileChanges::Key, std::weak_ptr<FileChanges>> files;
};

// Never destroyed: a handle kept by another static object (an open archive of the resource manager)
// may be closed after this table's destructor would have run.
FileChangesTable& ChangesTable() {
  static FileChangesTable* const table = new FileChangesTable;
  return *table;
}

// The record of a file, made when the first handle on it opens and dropped with the last.
std::shared_ptr<FileChanges> ChangesOf(const struct stat& info) {
  FileChangesTable& table = ChangesTable();
  const FileChanges::Key key{info.st_dev, info.st_ino};
  std::lock_guard lock(table.mutex);
  std::weak_ptr<FileChanges>& slot = table.files[key];
  if (std::shared_ptr<FileChanges> changes = slot.lock()) return changes;
  std::shared_ptr<FileChanges> changes(new FileChanges{key, {}}, [](FileChanges* gone) {
    FileChangesTable& owner = ChangesTable();
    {
      std::lock_guard remove(owner.mutex);
      // A handle opened meanwhile may have put a new record in this slot; that one stays.
      const auto found = owner.files.find(gone->key);
      if (found != owner.files.end() && found->second.expired()) owner.files.erase(found);
    }
    delete gone;
  });
  slot = changes;
  return changes;
}

class OpenFile : public detail::KernelObject {
public:
  // knownSize: the size at open when no other process may change it, else negative. It is only
  // answered while no handle of this process has changed the file since.
  OpenFile(int fd, bool canRead, bool canWrite, std::shared_ptr<FileChanges> changes, int64_t knownSize)
      : m_fd(fd),
        m_canRead(canRead),
        m_canWrite(canWrite),
        m_changes(std::move(changes)),
        m_changesAtOpen(m_changes->count.load(std::memory_order_acquire)),
        m_knownSize(knownSize) {}
  ~OpenFile() override { close(m_fd); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int Fd() const { return m_fd; }
  bool CanRead() const { return m_canRead; }
  bool CanWrite() const { return m_canWrite; }
  // Negative when the file has to be asked.
  int64_t KnownSize() const {
    return m_changes->count.load(std::memory_order_acquire) == m_changesAtOpen ? m_knownSize : -1;
  }
  // Called before a handle writes or cuts the file, so that no handle of this process answers the
  // size it saw at its open any more.
  void NoteChange() { m_changes->count.fetch_add(1, std::memory_order_acq_rel); }

private:
  int m_fd;
  bool m_canRead;
  bool m_canWrite;
  std::shared_ptr<FileChanges> m_changes;
  uint64_t m_changesAtOpen;
  int64_t m_knownSize;
};

int OpenRetrying(const char* path, int flags) {
  int fd;
  do {
    fd = open(path, flags, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Most names exist as written: reach (a look or an open that answers whether it got there) is tried
// on the path as written, and only a miss pays for the case-blind match, tried when it differs.
// linuxPath is the path last tried. False when neither reached it.
template <typename Reach>
bool ReachAsWrittenOrMatched(const detail::WindowsPath& path, std::string& linuxPath, Reach&& reach) {
  if (!detail::WrittenLinuxPath(path, linuxPath)) return false;
  if (reach(linuxPath)) return true;
  std::string matched;
  if (!detail::MapMissingToLinux(path, matched) || matched == linuxPath) return false;
  linuxPath = std::move(matched);
  return reach(linuxPath);
}

// The file a path names, as written or matched without regard to case, opened with flags.
// Truncation, when asked for, is left to the open: Linux cuts only regular files, and the caller
// checks the type on the descriptor.
int OpenMatching(const detail::WindowsPath& path, int flags) {
  std::string linuxPath;
  // A name that may be created is matched first, or it would be made beside one that differs only in
  // letter case. Such names are mostly missing (a save's temporary file), so trying them as written
  // first would mostly fail; the match decides what to open from the folder's names kept.
  if (flags & O_CREAT) {
    return detail::MapMissingToLinux(path, linuxPath) ? OpenRetrying(linuxPath.c_str(), flags) : -1;
  }
  // For a file that must exist the open itself is the lookup; only a missing name is matched.
  int fd = -1;
  ReachAsWrittenOrMatched(path, linuxPath, [&fd, flags](const std::string& tried) {
    fd = OpenRetrying(tried.c_str(), flags);
    return fd >= 0 || errno != ENOENT;
  });
  return fd;
}

void Report(DWORD* count, DWORD value) {
  if (count) *count = value;
}

}  // namespace

namespace detail {

DWORD LinuxFileAttributes(const std::string& linuxPath) {
  struct stat info {};
  if (stat(linuxPath.c_str(), &info) != 0) return INVALID_FILE_ATTRIBUTES;
  if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  // Pipes, sockets and devices have no place in a Windows file system.
  return S_ISREG(info.st_mode) ? FILE_ATTRIBUTE_NORMAL : INVALID_FILE_ATTRIBUTES;
}

DWORD FoundAttributes(const WindowsPath& path, std::string& linuxPath) {
  // One look tells both whether the name exists so and what the entry is.
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  ReachAsWrittenOrMatched(path, linuxPath, [&attributes](const std::string& tried) {
    attributes = LinuxFileAttributes(tried);
    return attributes != INVALID_FILE_ATTRIBUTES;
  });
  return attributes;
}

}  // namespace detail

DWORD GetFileAttributesA(const char* fileName) {
  detail::WindowsPath path;
  std::string linuxPath;
  if (!detail::ParseWindowsPath(fileName, path)) return INVALID_FILE_ATTRIBUTES;
  return detail::FoundAttributes(path, linuxPath);
}

BOOL DeleteFileA(const char* fileName) {
  std::string linuxPath;
  if (!ToLinuxPath(fileName, linuxPath)) return FALSE;
  struct stat info {};
  if (lstat(linuxPath.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return FALSE;
  return unlink(linuxPath.c_str()) == 0 ? TRUE : FALSE;
}

HANDLE CreateFileA(const char* fileName, DWORD desiredAccess, DWORD shareMode, void* /*securityAttributes*/,
                   DWORD creationDisposition, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
  detail::WindowsPath path;
  if (!detail::ParseWindowsPath(fileName, path)) return INVALID_HANDLE_VALUE;

  const bool canRead = (desiredAccess & GENERIC_READ) != 0;
  const bool canWrite = (desiredAccess & GENERIC_WRITE) != 0;
  // Non-blocking, so that a pipe met on the way is refused instead of waiting for a writer. Regular
  // files, the only kind kept open, ignore the flag, so it is never cleared.
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  flags |= canWrite ? (canRead ? O_RDWR : O_WRONLY) : O_RDONLY;
  switch (creationDisposition) {
    case OPEN_EXISTING:
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    default:
      return INVALID_HANDLE_VALUE;
  }

  const int fd = OpenMatching(path, flags);
  if (fd < 0) return INVALID_HANDLE_VALUE;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return INVALID_HANDLE_VALUE;
  }

  // Under a share mode without FILE_SHARE_WRITE Windows lets no other process write the file, so
  // the size is kept from here rather than asked for again, until a handle of this process (this
  // one or another) changes the file. Opening for writing counts as a change: it may have cut it.
  std::shared_ptr<FileChanges> changes = ChangesOf(info);
  if (canWrite) changes->count.fetch_add(1, std::memory_order_acq_rel);
  const int64_t knownSize = (shareMode & FILE_SHARE_WRITE) ? -1 : static_cast<int64_t>(info.st_size);
  auto file = std::make_shared<OpenFile>(fd, canRead, canWrite, std::move(changes), knownSize);
  return detail::AddObject(std::move(file));
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesRead, void* /*overlapped*/) {
  Report(bytesRead, 0);
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file || !file->CanRead() || (!buffer && bytesToRead)) return FALSE;
  DWORD total = 0;
  while (total < bytesToRead) {
    const ssize_t got = read(file->Fd(), static_cast<uint8_t*>(buffer) + total, bytesToRead - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      Report(bytesRead, total);
      return FALSE;
    }
    if (got == 0) break;  // the end of the file
    total += static_cast<DWORD>(got);
  }
  Report(bytesRead, total);
  return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten,
               void* /*overlapped*/) {
  Report(bytesWritten, 0);
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file || !file->CanWrite() || (!buffer && bytesToWrite)) return FALSE;
  file->NoteChange();
  DWORD total = 0;
  while (total < bytesToWrite) {
    const ssize_t put = write(file->Fd(), static_cast<const uint8_t*>(buffer) + total, bytesToWrite - total);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      Report(bytesWritten, total);
      return FALSE;
    }
    total += static_cast<DWORD>(put);
  }
  Report(bytesWritten, total);
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file) return INVALID_SET_FILE_POINTER;

  const int64_t move =
      distanceHigh
          ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                 static_cast<uint32_t>(distance))
          : static_cast<int64_t>(distance);
  int64_t base = 0;
  switch (moveMethod) {
    case FILE_BEGIN:
      break;
    case FILE_CURRENT:
      base = lseek(file->Fd(), 0, SEEK_CUR);
      break;
    case FILE_END: {
      struct stat info {};
      base = fstat(file->Fd(), &info) == 0 ? info.st_size : -1;
      break;
    }
    default:
      return INVALID_SET_FILE_POINTER;
  }
  if (base < 0) return INVALID_SET_FILE_POINTER;
  // base is never negative, so neither test can overflow.
  if (move < 0 ? move < -base : move > INT64_MAX - base) return INVALID_SET_FILE_POINTER;
  const int64_t target = base + move;
  // A caller that passes no high part only understands 32-bit positions: refuse rather than wrap.
  if (!distanceHigh && target > INT64_C(0xFFFFFFFF)) return INVALID_SET_FILE_POINTER;
  // Asking where the pointer is moves nothing.
  const bool stays = moveMethod == FILE_CURRENT && move == 0;
  if (!stays && lseek(file->Fd(), target, SEEK_SET) != target) return INVALID_SET_FILE_POINTER;
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
  return static_cast<DWORD>(target);
}

DWORD GetFileSize(HANDLE handle, DWORD* fileSizeHigh) {
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file) return INVALID_FILE_SIZE;
  int64_t known = file->KnownSize();
  if (known < 0) {
    struct stat info {};
    if (fstat(file->Fd(), &info) != 0) return INVALID_FILE_SIZE;
    known = info.st_size;
  }
  const auto size = static_cast<uint64_t>(known);
  // As with SetFilePointer, a caller without the high part is refused a size it cannot hold.
  if (!fileSizeHigh && size > 0xFFFFFFFFu) return INVALID_FILE_SIZE;
  if (fileSizeHigh) *fileSizeHigh = static_cast<DWORD>(size >> 32);
  return static_cast<DWORD>(size);
}

BOOL SetEndOfFile(HANDLE handle) {
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file || !file->CanWrite()) return FALSE;
  file->NoteChange();
  const off_t position = lseek(file->Fd(), 0, SEEK_CUR);
  return position >= 0 && ftruncate(file->Fd(), position) == 0 ? TRUE : FALSE;
}

BOOL FlushFileBuffers(HANDLE handle) {
  const auto file = detail::FindObjectOf<OpenFile>(handle);
  if (!file || !file->CanWrite()) return FALSE;
  int result;
  do {
    result = fsync(file->Fd());
  } while (result != 0 && errno == EINTR);
  return result == 0 ? TRUE : FALSE;
}

BOOL MoveFileExA(const char* existingFileName, const char* newFileName, DWORD flags) {
  if (flags != MOVEFILE_REPLACE_EXISTING) return FALSE;
  detail::WindowsPath fromPath;
  std::string from;
  std::string to;
  if (!detail::ParseWindowsPath(existingFileName, fromPath) || !ToLinuxPath(newFileName, to)) return FALSE;
  // Only files are moved; rename(2) would move a folder as well. The one look at the file also says
  // whether it exists as written.
  struct stat info {};
  const bool found = ReachAsWrittenOrMatched(
      fromPath, from, [&info](const std::string& tried) { return lstat(tried.c_str(), &info) == 0; });
  if (!found || !S_ISREG(info.st_mode)) return FALSE;
  return rename(from.c_str(), to.c_str()) == 0 ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE handle) {
  // Files, named mutexes and events close here; a find handle has FindClose.
  if (!detail::FindObjectOf<OpenFile>(handle) && !detail::IsMutexHandle(handle) &&
      !detail::IsEventHandle(handle)) {
    return FALSE;
  }
  return detail::RemoveObject(handle) ? TRUE : FALSE;
}

}  // namespace plat::win
