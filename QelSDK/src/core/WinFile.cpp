// The stream over an open Windows file.
#include "core/WinFile.h"

#include <new>
#include <utility>

#include "core/WinFileSpec.h"
#include "platform/win/kernel/Files.h"

namespace Qel {

namespace win = ::plat::win;

WinFile::~WinFile() {
  Close();
}

bool WinFile::SetError(int code) {
  m_error = code;
  return true;
}

int WinFile::TakeError() {
  const int code = m_error;
  m_error = kStreamErrorNone;
  return code;
}

bool WinFile::Open(const std::shared_ptr<IFileSpec>& spec, uint32_t mode) {
  Close();
  m_spec.reset();
  if (!spec) {
    SetError(kStreamErrorOpen);
    return false;
  }
  std::string path = spec->GetPath();
  const win::DWORD access =
      ((mode & kFileRead) ? win::GENERIC_READ : 0) | ((mode & kFileWrite) ? win::GENERIC_WRITE : 0);
  const win::DWORD disposition = (mode & kFileExisting) ? win::OPEN_EXISTING
                                 : (mode & kFileCreate) ? win::CREATE_ALWAYS
                                                        : win::OPEN_ALWAYS;
  const win::HANDLE handle = win::CreateFileA(path.c_str(), access, win::FILE_SHARE_READ, nullptr,
                                              disposition, win::FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == win::INVALID_HANDLE_VALUE) {
    SetError(kStreamErrorOpen);
  } else {
    m_handle = handle;
  }
  // Looked up after the open, so that a file just created under a bare name keeps its full path. A
  // file that did open is known to exist and is not looked up again where that could not change it.
  if (m_handle) {
    m_spec = WinFileSpec::CreateExisting(std::move(path));
  } else {
    m_spec = WinFileSpec::Create();
    if (m_spec) m_spec->SetPath(path);
  }
  return m_handle != nullptr;
}

bool WinFile::Close() {
  if (m_handle) win::CloseHandle(m_handle);
  m_handle = nullptr;
  return true;
}

bool WinFile::SetSize(uint32_t size) {
  if (!m_handle) return false;
  const uint32_t position = Tell();
  if (!MoveTo(size)) return false;
  const bool cut = win::SetEndOfFile(m_handle) != win::FALSE;
  MoveTo(position);
  return cut;
}

bool WinFile::Read(void* buffer, uint32_t& size) {
  if (!m_handle || !buffer) {
    size = 0;
    SetError(kStreamErrorRead);
    return false;
  }
  win::DWORD got = 0;
  const bool read = win::ReadFile(m_handle, buffer, size, &got, nullptr) != win::FALSE;
  size = got;
  if (!read) {
    SetError(kStreamErrorRead);
    return false;
  }
  if (got == 0) {
    SetError(kStreamErrorEnd);
    return false;
  }
  return true;
}

bool WinFile::Write(const void* buffer, uint32_t size) {
  win::DWORD put = 0;
  if (m_handle && buffer && win::WriteFile(m_handle, buffer, size, &put, nullptr) && put == size) return true;
  SetError(kStreamErrorWrite);
  return false;
}

bool WinFile::Flush() {
  if (m_handle && win::FlushFileBuffers(m_handle)) return true;
  SetError(kStreamErrorWrite);
  return false;
}

bool WinFile::Seek(int32_t offset, int origin) {
  win::DWORD method = static_cast<win::DWORD>(origin);
  if (origin == kSeekStart) method = win::FILE_BEGIN;
  if (origin == kSeekEnd) method = win::FILE_END;
  if (origin == kSeekCurrent) method = win::FILE_CURRENT;
  if (!m_handle || win::SetFilePointer(m_handle, offset, nullptr, method) == win::INVALID_SET_FILE_POINTER) {
    SetError(kStreamErrorSeek);
    return false;
  }
  return true;
}

uint32_t WinFile::Tell() {
  if (!m_handle) return kInvalidStreamValue;
  return win::SetFilePointer(m_handle, 0, nullptr, win::FILE_CURRENT);
}

bool WinFile::MoveTo(uint32_t position) {
  if (!m_handle || position == kInvalidStreamValue) return false;
  // The high part lets positions from 2 GiB up be given without passing a negative distance.
  win::LONG high = 0;
  return win::SetFilePointer(m_handle, static_cast<win::LONG>(position), &high, win::FILE_BEGIN) == position;
}

uint32_t WinFile::GetSize() {
  // The size is asked of the file rather than found by seeking to its end and back.
  if (!m_handle) return kInvalidStreamValue;
  win::DWORD high = 0;
  const win::DWORD low = win::GetFileSize(m_handle, &high);
  return high == 0 ? low : kInvalidStreamValue;
}

void WinFile::Clone(std::shared_ptr<Stream>& out) {
  const uint32_t position = Tell();
  auto clone = std::shared_ptr<WinFile>(new (std::nothrow) WinFile());
  if (!clone || !clone->Open(m_spec, kFileRead | kFileExisting) || !clone->MoveTo(position)) {
    out.reset();
    return;
  }
  out = std::move(clone);
}

}  // namespace Qel
