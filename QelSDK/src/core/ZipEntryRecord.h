// What the archive index keeps of one member: where it lies and how it is packed.
#pragma once

#include <cstdint>

namespace Qel {

struct ZipEntryRecord {
  uint32_t localHeaderOffset = 0;
  // 0 until the member is first opened; then the absolute offset of its first data byte, so later
  // opens skip the local header.
  uint32_t dataOffset = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t method = 0;
  uint16_t flags = 0;
};

}  // namespace Qel
