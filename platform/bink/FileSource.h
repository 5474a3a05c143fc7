// Movie bytes from a file, opened and read through the file layer, which maps the Windows path.
#pragma once

#include <string>

#include "platform/bink/ByteSource.h"
#include "platform/win/kernel/Types.h"

namespace plat::bink {

class FileSource final : public ByteSource {
public:
  // Opens the file for reading; on failure IsOpen is false and why says so in words.
  FileSource(const char* path, std::string& why);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool IsOpen() const { return m_file != plat::win::INVALID_HANDLE_VALUE; }

  int64_t Read(uint8_t* buffer, size_t size) override;
  int64_t Seek(int64_t position) override;
  int64_t Position() const override { return m_position; }
  int64_t Size() const override { return m_size; }

private:
  plat::win::HANDLE m_file = plat::win::INVALID_HANDLE_VALUE;
  int64_t m_position = 0;
  int64_t m_size = -1;
};

}  // namespace plat::bink
