// A RIFF WAVE file read through the multimedia I/O calls: its format, and its sound data in order.
#pragma once

#include <cstdint>

#include "platform/dsound/DSoundTypes.h"
#include "platform/mmio/Mmio.h"

namespace Qel {

using plat::dsound::WAVEFORMATEX;
using plat::win::BYTE;
using plat::win::DWORD;
using plat::win::HRESULT;

// Only waves the mixer plays are accepted: PCM, 8 or 16 bits, 1 or 2 channels, 100 to 100000 Hz, the
// block alignment that follows from those. Every chunk is held to its parent and to the file, so a size
// the header overstates gives what the file holds, cut to whole sample frames.
class CWaveStream {
public:
  static constexpr DWORD kRead = 1;  // the only mode: nothing in the program writes a wave

  CWaveStream();
  ~CWaveStream();
  CWaveStream(const CWaveStream&) = delete;
  CWaveStream& operator=(const CWaveStream&) = delete;

  // Opens the file, reads its header and goes to the start of the data. The format argument belongs to
  // the write mode and is ignored. E_FAIL for a file that cannot be opened or read as a wave we play
  // (with an "ERROR:" trace line for a refused format), E_INVALIDARG for another mode or no name.
  HRESULT Open(const char* fileName, const WAVEFORMATEX* format, DWORD mode);
  // Reads the "RIFF"/"WAVE" header and the "fmt " chunk again from the start of the file.
  HRESULT ReadHeader();
  // Back to the first byte of the "data" chunk; its size becomes the data size.
  HRESULT ResetFile();
  // Reads up to size bytes of sound data (never beyond the data chunk); bytesRead may be null.
  HRESULT Read(BYTE* buffer, DWORD size, DWORD* bytesRead);
  HRESULT Close();

  // The number of bytes of sound data: 0 until ResetFile found a "data" chunk.
  DWORD GetSize() const { return m_dataSize; }
  // Null until a header was read.
  const WAVEFORMATEX* GetFormat() const { return m_hasFormat ? &m_format : nullptr; }

private:
  HRESULT ReadFormatChunk();
  bool IsPlayableFormat() const;

  WAVEFORMATEX m_format{};
  bool m_hasFormat = false;
  plat::mmio::HMMIO m_file = nullptr;
  plat::mmio::MMCKINFO m_dataChunk{};
  plat::mmio::MMCKINFO m_riffChunk{};
  plat::mmio::MMIOINFO m_bufferInfo{};
  DWORD m_mode = 0;
  DWORD m_dataSize = 0;  // the data chunk's size held to the file, in whole frames
  DWORD m_dataLeft = 0;  // bytes of the data chunk not yet read
  uint64_t m_fileSize = 0;
  uint64_t m_riffEnd = 0;  // the end of the RIFF chunk's data, held to the file
};

}  // namespace Qel
