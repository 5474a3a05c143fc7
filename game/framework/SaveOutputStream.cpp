// The writer of a save file.
#include "framework/SaveOutputStream.h"

#include <cstddef>
#include <string>
#include <utility>

#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/Trace.h"
#include "core/WinFileSpec.h"
#include "platform/win/kernel/Path.h"

namespace {

SaveOutputStream::StreamHook& Hook() {
  static SaveOutputStream::StreamHook hook;
  return hook;
}

constexpr const char* kTemporarySuffix = ".tmp";
// Room for a player's record (542 bytes) from the start, so that collecting it takes one allocation
// rather than one per doubling.
constexpr size_t kUsualSize = 1024;

// The full Windows path of a path relative to the working folder; the path itself when it has none.
std::string FullPath(const std::string& path) {
  char full[4096];
  const plat::win::DWORD length = plat::win::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// The file as the player finds it: a Linux path, whole, in the letter case it has on disk where it
// exists.
std::string Shown(const std::shared_ptr<Qel::IFileSpec>& spec) {
  const std::string full = FullPath(spec->GetPath());
  std::string linuxPath;
  return plat::win::ToLinuxPath(full.c_str(), linuxPath) ? linuxPath
                                                         : plat::win::LinuxPathAsWritten(full.c_str());
}

}  // namespace

void SaveOutputStream::SetStreamHookForTesting(StreamHook hook) {
  Hook() = std::move(hook);
}

SaveOutputStream::~SaveOutputStream() {
  Abandon();
}

bool SaveOutputStream::Open(const char* name) {
  Abandon();
  m_bytes.clear();
  m_bytes.reserve(kUsualSize);
  if (!name || !*name) return false;
  // Neither the save nor its temporary file is looked up here: where a name is missing as written,
  // the file layer matches it without regard to case, the temporary file's when it is created and
  // the save's when the temporary file replaces it, so an existing save is replaced in whatever
  // letter case it has on disk. Both are named by their full path, so that the file layer does not
  // ask for the working folder at every call.
  const std::string full = FullPath(name);
  m_target = Qel::WinFileSpec::CreateAsWritten(full);
  m_temporary = Qel::WinFileSpec::CreateAsWritten(full + kTemporarySuffix);
  if (!m_target || !m_temporary) return false;
  Qel::OpenFileStream(m_temporary, Qel::kFileWrite | Qel::kFileCreate, m_stream);
  if (m_stream && Hook()) m_stream = Hook()(std::move(m_stream));
  if (!m_stream) {
    Qel::Trace("ERROR: SaveOutputStream: %s cannot be created\n", Shown(m_temporary).c_str());
    Abandon();
    return false;
  }
  return true;
}

bool SaveOutputStream::Close() {
  if (!m_stream) return false;
  const uint32_t size = static_cast<uint32_t>(m_bytes.size());
  const bool written = size == 0 || m_stream->Write(m_bytes.data(), size);
  const bool flushed = written && m_stream->Flush();
  // The file is closed before it is renamed.
  m_stream.reset();
  if (!written || !flushed) {
    Qel::Trace("ERROR: SaveOutputStream: %s could not be %s; the previous save is kept\n",
               Shown(m_temporary).c_str(), written ? "flushed to the disk" : "written");
    Abandon();
    return false;
  }
  if (!Qel::MoveFileSpec(m_temporary, m_target)) {
    Qel::Trace("ERROR: SaveOutputStream: %s could not replace %s; the previous save is kept\n",
               Shown(m_temporary).c_str(), Shown(m_target).c_str());
    Abandon();
    return false;
  }
  m_target.reset();
  m_temporary.reset();
  return true;
}

void SaveOutputStream::Abandon() noexcept {
  m_stream.reset();
  if (m_temporary) {
    try {
      Qel::DeleteFileSpec(m_temporary);
    } catch (...) {
      // Only a temporary file is left behind; the next save of the slot empties it again.
    }
  }
  m_temporary.reset();
  m_target.reset();
}
