// RIFF file reading as the Windows multimedia I/O calls offer it: buffered reads, seeks and chunk descent.
#include "platform/mmio/Mmio.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/mmio/MmioFile.h"
#include "platform/win/kernel/Files.h"

namespace plat::mmio {
namespace {

constexpr uint64_t kLongMax = static_cast<uint64_t>(std::numeric_limits<LONG>::max());

uint32_t ReadU32(const char* p) {
  const auto* b = reinterpret_cast<const uint8_t*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

void Fail(MMIOINFO* info, MMRESULT reason) {
  if (info) info->wErrorRet = reason;
}

bool HasForm(FOURCC id) {
  return id == FOURCC_RIFF || id == FOURCC_LIST;
}

bool Matches(const MMCKINFO& found, const MMCKINFO& wanted, UINT flags) {
  if (flags & MMIO_FINDCHUNK) return found.ckid == wanted.ckid;
  if (flags & MMIO_FINDRIFF) return found.ckid == FOURCC_RIFF && found.fccType == wanted.fccType;
  if (flags & MMIO_FINDLIST) return found.ckid == FOURCC_LIST && found.fccType == wanted.fccType;
  return true;
}

// Reads the header at the position if it lies whole before limit; the position is left after it.
bool ReadHeader(MmioFile& file, uint64_t limit, MMCKINFO& chunk) {
  const uint64_t start = file.Position();
  char header[12];
  if (start + 8 > limit || file.Read(header, 8) != 8) return false;
  chunk.ckid = ReadU32(header);
  chunk.cksize = ReadU32(header + 4);
  chunk.fccType = 0;
  chunk.dwFlags = 0;
  if (start + 8 > std::numeric_limits<DWORD>::max()) return false;
  chunk.dwDataOffset = static_cast<DWORD>(start + 8);
  if (HasForm(chunk.ckid)) {
    if (start + 12 > limit || file.Read(header + 8, 4) != 4) return false;
    chunk.fccType = ReadU32(header + 8);
  }
  return true;
}

uint64_t ChunkEnd(const MMCKINFO& chunk) {
  return uint64_t{chunk.dwDataOffset} + chunk.cksize + (chunk.cksize & 1);
}

}  // namespace

HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, DWORD flags) {
  if (!fileName || (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE))) {
    Fail(info, MMSYSERR_INVALPARAM);
    return nullptr;
  }
  const plat::win::HANDLE handle =
      plat::win::CreateFileA(fileName, plat::win::GENERIC_READ, plat::win::FILE_SHARE_READ, nullptr,
                             plat::win::OPEN_EXISTING, plat::win::FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == plat::win::INVALID_HANDLE_VALUE) {
    Fail(info, MMIOERR_FILENOTFOUND);
    return nullptr;
  }
  DWORD high = 0;
  const DWORD low = plat::win::GetFileSize(handle, &high);
  if (low == plat::win::INVALID_FILE_SIZE && high == 0) {
    plat::win::CloseHandle(handle);
    Fail(info, MMIOERR_CANNOTOPEN);
    return nullptr;
  }
  // Every file is buffered, MMIO_ALLOCBUF or not; a caller may ask for another buffer size.
  const LONG asked = info ? info->cchBuffer : 0;
  const DWORD bufferSize = asked > 0 ? static_cast<DWORD>(asked) : static_cast<DWORD>(MMIO_DEFAULTBUFFER);
  Fail(info, MMSYSERR_NOERROR);
  return new MmioFile(handle, (uint64_t{high} << 32) | low, bufferSize);
}

MMRESULT mmioClose(HMMIO file, UINT /*flags*/) {
  if (!file) return MMSYSERR_INVALPARAM;
  delete file;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, HPSTR buffer, LONG count) {
  if (!file || count < 0 || (!buffer && count > 0)) return -1;
  return static_cast<LONG>(file->Read(buffer, static_cast<uint64_t>(count)));
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
  if (!file) return -1;
  int64_t base = 0;
  switch (origin) {
    case SEEK_SET:
      break;
    case SEEK_CUR:
      base = static_cast<int64_t>(file->Position());
      break;
    case SEEK_END:
      base = static_cast<int64_t>(file->size);
      break;
    default:
      return -1;
  }
  const int64_t target = base + offset;
  if (target < 0 || static_cast<uint64_t>(target) > kLongMax) return -1;
  file->SeekTo(static_cast<uint64_t>(target));
  return static_cast<LONG>(target);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  uint64_t limit = file->size;
  if (parent) limit = std::min(limit, uint64_t{parent->dwDataOffset} + parent->cksize);
  const MMCKINFO wanted = *chunk;
  MMCKINFO found;
  for (;;) {
    if (!ReadHeader(*file, limit, found)) return MMIOERR_CHUNKNOTFOUND;
    if (Matches(found, wanted, flags)) break;
    file->SeekTo(ChunkEnd(found));
  }
  *chunk = found;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT /*flags*/) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  file->SeekTo(ChunkEnd(*chunk));
  return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT /*flags*/) {
  if (!file || !info) return MMSYSERR_INVALPARAM;
  info->dwFlags = 0;
  info->wErrorRet = 0;
  info->cchBuffer = static_cast<LONG>(file->buffer.size());
  info->pchBuffer = file->buffer.data();
  info->pchNext = file->buffer.data() + file->next;
  info->pchEndRead = file->buffer.data() + file->valid;
  info->lBufOffset = static_cast<LONG>(std::min(file->bufferOffset, kLongMax));
  info->hmmio = file;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT /*flags*/) {
  if (!file || !info) return MMSYSERR_INVALPARAM;
  const char* begin = file->buffer.data();
  // A pointer that is not inside what was read is refused rather than trusted.
  if (info->pchNext < begin || info->pchNext > begin + file->valid) return MMSYSERR_INVALPARAM;
  file->next = static_cast<DWORD>(info->pchNext - begin);
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags) {
  if (!file || flags != MMIO_READ) return MMSYSERR_INVALPARAM;
  if (info) {
    const MMRESULT taken = mmioSetInfo(file, info, 0);
    if (taken != MMSYSERR_NOERROR) return taken;
  }
  if (!file->Refill()) return MMIOERR_CANNOTREAD;
  return info ? mmioGetInfo(file, info, 0) : MMSYSERR_NOERROR;
}

}  // namespace plat::mmio
