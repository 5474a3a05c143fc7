// A RIFF WAVE file read through the multimedia I/O calls: its format, and its sound data in order.
#include "sound/CWaveStream.h"

#include <algorithm>
#include <cstring>

#include "core/LittleEndian.h"
#include "core/Trace.h"

namespace Qel {
namespace {

using namespace plat::mmio;

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');
constexpr DWORD kPcmRecordSize = 16;

}  // namespace

CWaveStream::CWaveStream() = default;

CWaveStream::~CWaveStream() {
  Close();
}

HRESULT CWaveStream::Open(const char* fileName, const WAVEFORMATEX* /*format*/, DWORD mode) {
  if (!fileName || mode != kRead) return plat::win::E_INVALIDARG;
  Close();
  m_mode = mode;
  // A file that does not open is simply missing: Linux has no module resources to fall back on.
  m_file = mmioOpenA(fileName, nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!m_file) return plat::win::E_FAIL;
  HRESULT result = ReadHeader();
  if (plat::win::SUCCEEDED(result)) result = ResetFile();
  if (plat::win::FAILED(result)) Close();
  return result;
}

HRESULT CWaveStream::ReadHeader() {
  if (!m_file) return plat::win::CO_E_NOTINITIALIZED;
  m_hasFormat = false;
  const LONG size = mmioSeek(m_file, 0, SEEK_END);
  if (size < 0 || mmioSeek(m_file, 0, SEEK_SET) != 0) return plat::win::E_FAIL;
  m_fileSize = static_cast<uint64_t>(size);
  m_riffChunk = {};
  if (mmioDescend(m_file, &m_riffChunk, nullptr, 0) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
  if (m_riffChunk.ckid != FOURCC_RIFF || m_riffChunk.fccType != kWave) return plat::win::E_FAIL;
  m_riffEnd = std::min<uint64_t>(uint64_t{m_riffChunk.dwDataOffset} + m_riffChunk.cksize, m_fileSize);
  return ReadFormatChunk();
}

HRESULT CWaveStream::ReadFormatChunk() {
  MMCKINFO chunk;
  chunk.ckid = kFmt;
  if (mmioDescend(m_file, &chunk, &m_riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
  // What the file holds of the chunk counts, not what its header claims.
  const uint64_t held = std::min<uint64_t>(chunk.cksize, m_riffEnd - chunk.dwDataOffset);
  uint8_t record[kPcmRecordSize];
  if (held < kPcmRecordSize || mmioRead(m_file, reinterpret_cast<char*>(record), kPcmRecordSize) !=
                                   static_cast<LONG>(kPcmRecordSize)) {
    return plat::win::E_FAIL;
  }
  m_format.wFormatTag = ReadLE16(record);
  m_format.nChannels = ReadLE16(record + 2);
  m_format.nSamplesPerSec = ReadLE32(record + 4);
  m_format.nAvgBytesPerSec = ReadLE32(record + 8);
  m_format.nBlockAlign = ReadLE16(record + 12);
  m_format.wBitsPerSample = ReadLE16(record + 14);
  // Only PCM plays, and PCM has no extra bytes: other formats are refused before any are read.
  m_format.cbSize = 0;
  if (!IsPlayableFormat()) {
    Trace(
        "CWaveStream::ReadHeader - ERROR: unsupported wave format (tag %u, %u channels, %u bits, %u Hz, "
        "block alignment %u)\n",
        m_format.wFormatTag, m_format.nChannels, m_format.wBitsPerSample, m_format.nSamplesPerSec,
        m_format.nBlockAlign);
    return plat::win::E_FAIL;
  }
  if (mmioAscend(m_file, &chunk, 0) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
  m_hasFormat = true;
  return plat::win::S_OK;
}

bool CWaveStream::IsPlayableFormat() const {
  const WAVEFORMATEX& f = m_format;
  return f.wFormatTag == plat::dsound::WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
         (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 100 &&
         f.nSamplesPerSec <= 100000 && f.nBlockAlign == f.nChannels * (f.wBitsPerSample / 8);
}

HRESULT CWaveStream::ResetFile() {
  if (!m_file) return plat::win::CO_E_NOTINITIALIZED;
  m_dataSize = 0;
  m_dataLeft = 0;
  if (!m_hasFormat) return plat::win::E_FAIL;
  const uint64_t afterForm = uint64_t{m_riffChunk.dwDataOffset} + 4;
  if (mmioSeek(m_file, static_cast<LONG>(afterForm), SEEK_SET) < 0) return plat::win::E_FAIL;
  m_dataChunk = {};
  m_dataChunk.ckid = kData;
  if (mmioDescend(m_file, &m_dataChunk, &m_riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
    return plat::win::E_FAIL;
  }
  const uint64_t held = std::min<uint64_t>(m_dataChunk.cksize, m_riffEnd - m_dataChunk.dwDataOffset);
  m_dataSize = static_cast<DWORD>(held - held % m_format.nBlockAlign);
  m_dataLeft = m_dataSize;
  return plat::win::S_OK;
}

HRESULT CWaveStream::Read(BYTE* buffer, DWORD size, DWORD* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!m_file) return plat::win::CO_E_NOTINITIALIZED;
  if (!buffer && size > 0) return plat::win::E_INVALIDARG;
  if (mmioGetInfo(m_file, &m_bufferInfo, 0) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
  const DWORD wanted = std::min(size, m_dataLeft);
  DWORD done = 0;
  while (done < wanted) {
    if (m_bufferInfo.pchNext == m_bufferInfo.pchEndRead) {
      if (mmioAdvance(m_file, &m_bufferInfo, MMIO_READ) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
      // The file ended early (it shrank since it was opened): what came is what there is.
      if (m_bufferInfo.pchNext == m_bufferInfo.pchEndRead) break;
    }
    const auto ready = static_cast<DWORD>(m_bufferInfo.pchEndRead - m_bufferInfo.pchNext);
    const DWORD part = std::min(ready, wanted - done);
    std::memcpy(buffer + done, m_bufferInfo.pchNext, part);
    m_bufferInfo.pchNext += part;
    done += part;
  }
  if (mmioSetInfo(m_file, &m_bufferInfo, 0) != MMSYSERR_NOERROR) return plat::win::E_FAIL;
  m_dataLeft = done < wanted ? 0 : m_dataLeft - done;
  if (bytesRead) *bytesRead = done;
  return plat::win::S_OK;
}

HRESULT CWaveStream::Close() {
  if (m_file) mmioClose(m_file, 0);
  m_file = nullptr;
  m_bufferInfo = {};
  m_dataLeft = 0;
  return plat::win::S_OK;
}

}  // namespace Qel
