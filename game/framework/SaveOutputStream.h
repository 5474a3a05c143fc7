// The writer of a save file: values in little-endian order, put in place of the old file only once
// all of them are on the disk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/IFileSpec.h"
#include "core/LittleEndian.h"
#include "core/Stream.h"

// The values go to a temporary file beside the save (its name with ".tmp" added), which Close
// writes, flushes to the storage device and then renames over the save in one step. Until that
// rename the previous save is untouched, so a full disk, a failed write or a crash at any point
// leaves it as it was; a failed or abandoned save removes its temporary file again.
class SaveOutputStream {
public:
  // Test seam: while set, every opened file stream is replaced by what the hook makes of it (a
  // stream that fails part way, say); null to stop.
  using StreamHook = std::function<std::shared_ptr<Qel::Stream>(std::shared_ptr<Qel::Stream>)>;
  static void SetStreamHookForTesting(StreamHook hook);

  SaveOutputStream() = default;
  // A save that was opened and never closed is abandoned: the previous file stays.
  ~SaveOutputStream();
  SaveOutputStream(const SaveOutputStream&) = delete;
  SaveOutputStream& operator=(const SaveOutputStream&) = delete;

  // Creates (or empties) the temporary file of the save of that name, a path relative to the
  // working folder; false when it cannot be created.
  bool Open(const char* name);
  // Each value takes its own width: 4 bytes, least significant first, or 1 byte. Inline: a record
  // is some hundreds of them.
  void WriteU32(const uint32_t& value) {
    uint8_t bytes[4];
    Qel::WriteLE32(bytes, value);
    m_bytes.insert(m_bytes.end(), bytes, bytes + sizeof bytes);
  }
  void WriteU8(const uint8_t& value) { m_bytes.push_back(value); }
  // True once every value is written, flushed and the file renamed over the save; false when any
  // step failed or nothing was opened.
  bool Close();

private:
  void Abandon() noexcept;

  std::shared_ptr<Qel::Stream> m_stream;
  std::shared_ptr<Qel::IFileSpec> m_target;
  std::shared_ptr<Qel::IFileSpec> m_temporary;
  // The values are collected and written at once: one write instead of one per value.
  std::vector<uint8_t> m_bytes;
};
