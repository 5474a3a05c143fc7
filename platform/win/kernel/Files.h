// Files: attributes, deletion, and reading and writing through handles.
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace plat::win {

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;  // Linux has no such attribute: never set
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;

inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for a regular file, otherwise
// INVALID_FILE_ATTRIBUTES. Symbolic links are followed.
DWORD GetFileAttributesA(const char* fileName);
// Deletes a file; fails on a folder or a missing file.
BOOL DeleteFileA(const char* fileName);

// Only regular files open. The share mode is not enforced, Linux having no mandatory share locks, but
// it is trusted: without FILE_SHARE_WRITE no other process is taken to change the file, so its size
// is only asked of the file system again once a handle of this process (under any name of the
// file) has opened it for writing, written it or cut it. securityAttributes and templateFile are
// unused.
HANDLE CreateFileA(const char* fileName, DWORD desiredAccess, DWORD shareMode, void* securityAttributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// A read that reaches the end of the file succeeds with fewer bytes (0 at the end).
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten, void* overlapped);
// Without distanceHigh the distance is a signed 32-bit value and the new position must fit in 32
// bits. Answers the low 32 bits of the new position, or INVALID_SET_FILE_POINTER when the move
// method is unknown, the position would be negative, or it does not fit.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
// The low 32 bits of the file's size, the high ones in fileSizeHigh; INVALID_FILE_SIZE for an unknown
// handle, and without fileSizeHigh for a size that does not fit in 32 bits. The pointer stays put.
DWORD GetFileSize(HANDLE file, DWORD* fileSizeHigh);
// Cuts or extends the file to the current position.
BOOL SetEndOfFile(HANDLE file);
// Waits until what was written through the handle is on the storage device (fsync); the handle
// must have been opened for writing.
BOOL FlushFileBuffers(HANDLE file);
// Renames a regular file in one step: a file already under the new name is replaced, so that
// readers find either the old file or the new one, never neither or a mix. flags must be
// MOVEFILE_REPLACE_EXISTING, the one way our code moves files; anything else fails. A new name that
// exists in another letter case is the file replaced. Fails when the new name is a folder or lies on
// another file system.
BOOL MoveFileExA(const char* existingFileName, const char* newFileName, DWORD flags);
BOOL CloseHandle(HANDLE handle);

namespace detail {
struct WindowsPath;
// The attributes of a Linux path as GetFileAttributesA reports them (links followed).
DWORD LinuxFileAttributes(const std::string& linuxPath);
// The attributes of a Windows path as GetFileAttributesA reports them; linuxPath is where they were
// found, the path as written or as matched without regard to case, whenever they are valid.
DWORD FoundAttributes(const WindowsPath& path, std::string& linuxPath);
}  // namespace detail

}  // namespace plat::win
