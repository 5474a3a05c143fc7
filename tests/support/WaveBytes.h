// RIFF and WAVE files built byte by byte, for the readers' tests: chunks, "fmt " records, PCM waves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

inline std::string U16(uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string U32(uint32_t value) {
  return U16(value & 0xFFFF) + U16(value >> 16);
}

// A chunk with its stated size (the payload's own unless told otherwise) and the pad byte of an odd
// payload.
inline std::string Chunk(const std::string& id, const std::string& payload, int64_t statedSize = -1) {
  const uint32_t size =
      statedSize < 0 ? static_cast<uint32_t>(payload.size()) : static_cast<uint32_t>(statedSize);
  std::string chunk = id + U32(size) + payload;
  if (payload.size() % 2) chunk += '\0';
  return chunk;
}

inline std::string Riff(const std::string& form, const std::string& chunks, int64_t statedSize = -1) {
  return Chunk("RIFF", form + chunks, statedSize);
}

struct WaveFormat {
  uint32_t tag = 1;
  uint32_t channels = 1;
  uint32_t rate = 22050;
  uint32_t bits = 16;
  uint32_t blockAlign = 0;  // 0: channels x bytes per sample

  uint32_t Block() const { return blockAlign ? blockAlign : channels * (bits / 8); }
};

// The 16-byte record of a PCM "fmt " chunk.
inline std::string FmtRecord(const WaveFormat& format) {
  return U16(format.tag) + U16(format.channels) + U32(format.rate) + U32(format.rate * format.Block()) +
         U16(format.Block()) + U16(format.bits);
}

inline std::string FmtChunk(const WaveFormat& format) {
  return Chunk("fmt ", FmtRecord(format));
}

inline std::string Wave(const WaveFormat& format, const std::string& data) {
  return Riff("WAVE", FmtChunk(format) + Chunk("data", data));
}

// Sound data in which no byte follows from its neighbours, so a shifted or repeated stretch shows.
inline std::string Pattern(size_t size, uint32_t seed = 1) {
  std::string bytes(size, '\0');
  uint32_t state = seed;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>((state >> 16) & 0xFF);
  }
  return bytes;
}

}  // namespace test
