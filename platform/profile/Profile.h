// The profile-string calls through which the settings tool reads and writes "Pilo.ini".
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::profile {

using plat::win::BOOL;
using plat::win::DWORD;
using plat::win::UINT;

// File names are Windows paths (".\Pilo.ini" is the working folder's file; no Windows folder is
// searched). Sections and keys compare without regard to case; see ProfileText for the format.
// Unlike Windows, a null section or key lists nothing: the calls refuse it (ERROR_INVALID_PARAMETER).

// The key's value as a number: decimal or "0x" hexadecimal, with an optional sign, read up to the
// first character that is no digit. The default when the key is missing or its value is empty; 0
// for a value that starts with no digit.
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* fileName);

// Copies the key's value, trimmed of blanks and tabs, or the default (null reads as ""), cut to
// size - 1 characters and terminated. Returns the characters copied without the terminator. A
// missing or unreadable file reads as one with no keys.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* out,
                               DWORD size, const char* fileName);

// Writes "key=value" (see ProfileText::Set) by replacing the file as a whole: the new text goes to
// a temporary file beside it, which is renamed over the old one, so a failure leaves the old file
// whole. A symbolic link is followed and its target replaced. FALSE when the file exists but cannot
// be read (it is not a regular file, or access is denied) or the new one cannot be written in its
// place (ERROR_ACCESS_DENIED); a null value, which Windows reads as "delete the key", is refused.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);

}  // namespace plat::profile
