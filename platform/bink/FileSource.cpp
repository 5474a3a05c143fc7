// Movie bytes from a file, opened and read through the file layer, which maps the Windows path.
#include "platform/bink/FileSource.h"

#include <algorithm>
#include <limits>

#include "platform/win/kernel/Files.h"

namespace plat::bink {

namespace win = plat::win;

FileSource::FileSource(const char* path, std::string& why) {
  if (!path || !*path) {
    why = "no file name";
    return;
  }
  m_file = win::CreateFileA(path, win::GENERIC_READ, win::FILE_SHARE_READ, nullptr, win::OPEN_EXISTING,
                            win::FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsOpen()) {
    const win::DWORD attributes = win::GetFileAttributesA(path);
    why = attributes == win::INVALID_FILE_ATTRIBUTES     ? "no regular file is there"
          : (attributes & win::FILE_ATTRIBUTE_DIRECTORY) ? "it is a folder"
                                                         : "it cannot be read";
    return;
  }
  win::DWORD high = 0;
  const win::DWORD low = win::GetFileSize(m_file, &high);
  if (low != win::INVALID_FILE_SIZE) m_size = static_cast<int64_t>((uint64_t{high} << 32) | low);
}

FileSource::~FileSource() {
  if (IsOpen()) win::CloseHandle(m_file);
}

int64_t FileSource::Read(uint8_t* buffer, size_t size) {
  const auto count = static_cast<win::DWORD>(std::min<size_t>(size, std::numeric_limits<int32_t>::max()));
  win::DWORD got = 0;
  if (!win::ReadFile(m_file, buffer, count, &got, nullptr)) return -1;
  m_position += got;
  return got;
}

int64_t FileSource::Seek(int64_t position) {
  if (position < 0) return -1;
  auto high = static_cast<win::LONG>(static_cast<uint64_t>(position) >> 32);
  const win::DWORD low =
      win::SetFilePointer(m_file, static_cast<win::LONG>(position & 0xFFFFFFFF), &high, win::FILE_BEGIN);
  // All ones in the low part is also a position; a failed move leaves the high part as given, so a
  // failure reads back as a position other than the one asked for.
  const uint64_t reached = (uint64_t{static_cast<win::DWORD>(high)} << 32) | low;
  if (low == win::INVALID_SET_FILE_POINTER && reached != static_cast<uint64_t>(position)) return -1;
  m_position = position;
  return m_position;
}

}  // namespace plat::bink
