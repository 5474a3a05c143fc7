// The names of the folders the case-blind lookup has listed, kept for as long as nothing in them changes.
#include "platform/win/kernel/FolderNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <unordered_map>

#include "platform/win/kernel/AsciiCase.h"

namespace plat::win::detail {
namespace {

// Enough for the folders a game touches; beyond it everything kept is dropped and listed again.
constexpr size_t kMostFolders = 256;
constexpr uint32_t kWatched = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                              IN_MOVE_SELF | IN_UNMOUNT | IN_ONLYDIR;

using Names = std::set<std::string>;

bool ListFolder(int fd, Names& names) {
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }
  errno = 0;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.emplace(entry->d_name);
  }
  const bool complete = errno == 0;
  closedir(dir);
  return complete;
}

FolderMatch Match(const Names& names, const std::string& name, std::string& match) {
  if (names.count(name) != 0) return FolderMatch::kExact;
  // In byte order, so the first that matches is the one to take.
  for (const std::string& entry : names) {
    if (EqualsIgnoringCase(entry, name)) {
      match = entry;
      return FolderMatch::kIgnoringCase;
    }
  }
  return FolderMatch::kNone;
}

class FolderNames {
public:
  static FolderNames& Instance() {
    // Never destroyed: lookups may still run from other static objects at exit.
    static auto* instance = new FolderNames;
    return *instance;
  }

  FolderMatch Find(const std::string& folder, const std::string& name, std::string& match) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return FolderMatch::kMissing;
    if (!S_ISDIR(info.st_mode)) return FolderMatch::kUnlistable;

    const std::lock_guard<std::mutex> lock(m_mutex);
    Catch();
    const auto kept = m_folders.find(folder);
    if (kept != m_folders.end()) {
      if (kept->second.device == info.st_dev && kept->second.inode == info.st_ino)
        return Match(kept->second.names, name, match);
      Forget(kept);
    }
    return ListAndKeep(folder, name, match);
  }

private:
  // In a child just forked, where the lock may have been held by a thread that does not exist there:
  // start over with a fresh lock and without the parent's reports, which the parent goes on reading.
  void ForgetAllInChild() {
    new (&m_mutex) std::mutex;
    if (m_inotify >= 0) close(m_inotify);
    m_inotify = kNotOpened;
    m_folders.clear();
    m_byWatch.clear();
  }

  struct Folder {
    dev_t device;
    ino_t inode;
    int watch;
    Names names;
  };
  // A map, whose iterators stay valid while others are added.
  using Folders = std::map<std::string, Folder>;

  static constexpr int kNotOpened = -1;
  static constexpr int kUnavailable = -2;

  FolderNames() {
    pthread_atfork(nullptr, nullptr, [] { Instance().ForgetAllInChild(); });
  }

  // The folder's names from a fresh listing, kept when the kernel can report its changes.
  FolderMatch ListAndKeep(const std::string& folder, const std::string& name, std::string& match) {
    if (m_folders.size() >= kMostFolders) DropAll();
    // The watch comes first, so that a change made while the folder is read is reported and applied.
    const int watch = Inotify() >= 0 ? inotify_add_watch(m_inotify, folder.c_str(), kWatched) : -1;
    // Another path to a folder already kept (a link) shares its watch: that folder is not kept twice.
    const bool keep = watch >= 0 && m_byWatch.count(watch) == 0;
    Names names;
    struct stat info {};
    const FolderMatch read = ReadNames(folder, names, info);
    if (!keep || read != FolderMatch::kNone) {
      if (keep) inotify_rm_watch(m_inotify, watch);
      return read == FolderMatch::kNone ? Match(names, name, match) : read;
    }
    const auto kept =
        m_folders.insert_or_assign(folder, Folder{info.st_dev, info.st_ino, watch, std::move(names)});
    m_byWatch[watch] = kept.first;
    // What changed while the folder was read.
    Catch();
    const auto now = m_folders.find(folder);
    if (now != m_folders.end()) return Match(now->second.names, name, match);
    // Gone or replaced meanwhile: a listing of what is there now serves this lookup alone.
    names.clear();
    const FolderMatch again = ReadNames(folder, names, info);
    return again == FolderMatch::kNone ? Match(names, name, match) : again;
  }

  // kNone once the names are read; the kind of failure otherwise.
  static FolderMatch ReadNames(const std::string& folder, Names& names, struct stat& info) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FolderMatch::kMissing : FolderMatch::kUnlistable;
    if (fstat(fd, &info) != 0) {
      close(fd);
      return FolderMatch::kUnlistable;
    }
    return ListFolder(fd, names) ? FolderMatch::kNone : FolderMatch::kUnlistable;
  }

  int Inotify() {
    if (m_inotify == kNotOpened) {
      m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
      if (m_inotify < 0) m_inotify = kUnavailable;
    }
    return m_inotify;
  }

  // Applies every change reported so far to the names kept.
  void Catch() {
    if (m_inotify < 0) return;
    alignas(inotify_event) char buffer[16 * 1024];
    // A read hands over as many whole reports as fit. One that left room for the longest report
    // therefore took the last one queued, and asking again would only hear that nothing is left.
    constexpr ssize_t kRoomForAnyReport = sizeof buffer - (sizeof(inotify_event) + NAME_MAX + 1);
    for (;;) {
      const ssize_t length = read(m_inotify, buffer, sizeof buffer);
      if (length < 0 && errno == EINTR) continue;
      if (length <= 0) return;
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        Apply(*event);
      }
      if (length <= kRoomForAnyReport) return;
    }
  }

  void Apply(const inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
      // Changes were lost: nothing kept can be trusted.
      DropAll();
      return;
    }
    const auto watched = m_byWatch.find(event.wd);
    if (watched == m_byWatch.end()) return;
    const Folders::iterator folder = watched->second;
    if (event.mask & IN_IGNORED) {
      // The kernel ended the watch itself (the folder is gone); nothing to remove.
      m_byWatch.erase(watched);
      m_folders.erase(folder);
      return;
    }
    if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
      Forget(folder);
      return;
    }
    if (event.len == 0) return;
    const std::string name(event.name);
    if (event.mask & (IN_CREATE | IN_MOVED_TO)) folder->second.names.insert(name);
    if (event.mask & (IN_DELETE | IN_MOVED_FROM)) folder->second.names.erase(name);
  }

  void Forget(Folders::iterator folder) {
    inotify_rm_watch(m_inotify, folder->second.watch);
    m_byWatch.erase(folder->second.watch);
    m_folders.erase(folder);
  }

  void DropAll() {
    for (const auto& [path, folder] : m_folders) inotify_rm_watch(m_inotify, folder.watch);
    m_folders.clear();
    m_byWatch.clear();
  }

  std::mutex m_mutex;
  int m_inotify = kNotOpened;
  Folders m_folders;
  std::unordered_map<int, Folders::iterator> m_byWatch;
};

}  // namespace

FolderMatch MatchInFolder(const std::string& folder, const std::string& name, std::string& match) {
  return FolderNames::Instance().Find(folder, name, match);
}

}  // namespace plat::win::detail
