// RIFF file reading as the Windows multimedia I/O calls offer it: buffered reads, seeks and chunk descent.
#pragma once

#include <cstdint>
#include <cstdio>  // SEEK_SET, SEEK_CUR and SEEK_END are mmioSeek's origins too

#include "platform/win/kernel/WinTypes.h"

namespace plat::mmio {

using plat::win::DWORD;
using plat::win::LONG;
using plat::win::UINT;
using plat::win::WORD;

using FOURCC = DWORD;
using MMRESULT = UINT;
using HPSTR = char*;

// An open file; only the stand-in looks behind it.
struct MmioFile;
using HMMIO = MmioFile*;

// The four characters as they stand in the file, first one in the lowest byte.
inline constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<uint8_t>(a)) | (static_cast<FOURCC>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<FOURCC>(static_cast<uint8_t>(c)) << 16) |
         (static_cast<FOURCC>(static_cast<uint8_t>(d)) << 24);
}

inline constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
inline constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT MMIOERR_BASE = 256;
inline constexpr MMRESULT MMIOERR_FILENOTFOUND = MMIOERR_BASE + 1;
inline constexpr MMRESULT MMIOERR_OUTOFMEMORY = MMIOERR_BASE + 2;
inline constexpr MMRESULT MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;
inline constexpr MMRESULT MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;
inline constexpr MMRESULT MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;
inline constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;

// Open flags: only reading exists (nothing in the program writes a RIFF file).
inline constexpr DWORD MMIO_READ = 0x0;
inline constexpr DWORD MMIO_WRITE = 0x1;
inline constexpr DWORD MMIO_READWRITE = 0x2;
inline constexpr DWORD MMIO_CREATE = 0x00001000u;
inline constexpr DWORD MMIO_ALLOCBUF = 0x00010000u;

// Descent flags.
inline constexpr UINT MMIO_FINDCHUNK = 0x10;
inline constexpr UINT MMIO_FINDRIFF = 0x20;
inline constexpr UINT MMIO_FINDLIST = 0x40;

// The buffer every file gets: the program opens all its waves with MMIO_ALLOCBUF.
inline constexpr LONG MMIO_DEFAULTBUFFER = 8192;

// One chunk: its id and size as the file states them (size not counting the header or the pad byte),
// the form type of a RIFF or LIST chunk, and the file offset of its data (for RIFF and LIST, of the form
// type).
struct MMCKINFO {
  FOURCC ckid = 0;
  DWORD cksize = 0;
  FOURCC fccType = 0;
  DWORD dwDataOffset = 0;
  DWORD dwFlags = 0;
};

// The file's I/O buffer as a caller may read it directly: bytes from pchNext up to pchEndRead are read
// ahead; lBufOffset is the file offset of pchBuffer. Only the reading fields exist.
struct MMIOINFO {
  DWORD dwFlags = 0;
  UINT wErrorRet = 0;
  LONG cchBuffer = 0;
  HPSTR pchBuffer = nullptr;
  HPSTR pchNext = nullptr;
  HPSTR pchEndRead = nullptr;
  LONG lBufOffset = 0;
  HMMIO hmmio = nullptr;
};

// Opens a file for reading through the kernel stand-in's file layer, so Windows paths work. Null on
// failure, with the reason in info->wErrorRet when info is given. Write and create modes and custom I/O
// procedures (memory files) are refused with MMSYSERR_INVALPARAM.
HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);

// Reads up to count bytes at the current position; the number read (0 at the end), -1 on error.
LONG mmioRead(HMMIO file, HPSTR buffer, LONG count);
// The new position, or -1 when the origin is unknown or the position would be negative or beyond 2 GB.
LONG mmioSeek(HMMIO file, LONG offset, int origin);

// Reads the chunk header at the current position and leaves the position at its data (for RIFF and
// LIST, after the form type). MMIO_FINDCHUNK skips chunks until one with chunk->ckid, MMIO_FINDRIFF and
// MMIO_FINDLIST until a RIFF or LIST chunk with form type chunk->fccType. With a parent, the search
// stops at the end of the parent's data; a header that does not lie whole inside the parent (and the
// file) is not found: MMIOERR_CHUNKNOTFOUND.
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves to the first byte after the chunk, skipping the pad byte of an odd-sized chunk.
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);

// Direct access to the I/O buffer: mmioGetInfo hands it out, mmioAdvance (MMIO_READ) reads the next
// buffer-full from where pchNext stands, and mmioSetInfo takes back how far the caller got.
MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT flags);

}  // namespace plat::mmio
