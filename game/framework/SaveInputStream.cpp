// The reader of a save file.
#include "framework/SaveInputStream.h"

#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/LittleEndian.h"
#include "core/WinFileSpec.h"

bool SaveInputStream::Open(const char* name) {
  Close();
  m_readAll = true;
  if (!name || !*name) return false;
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  if (!spec) return false;
  spec->SetPath(name);
  Qel::OpenFileStream(spec, Qel::kFileRead | Qel::kFileExisting, m_stream);
  return m_stream != nullptr;
}

uint32_t SaveInputStream::ReadU32() {
  uint8_t bytes[4] = {};
  return ReadBytes(bytes, sizeof bytes) ? Qel::ReadLE32(bytes) : 0;
}

uint8_t SaveInputStream::ReadU8() {
  uint8_t byte = 0;
  return ReadBytes(&byte, 1) ? byte : 0;
}

bool SaveInputStream::ReadBytes(uint8_t* bytes, uint32_t size) {
  // A file read may deliver fewer bytes than asked for near its end and still succeed.
  uint32_t got = size;
  if (m_stream && m_stream->Read(bytes, got) && got == size) return true;
  m_readAll = false;
  return false;
}
