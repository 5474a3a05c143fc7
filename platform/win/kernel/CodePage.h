// The keyboard layout, its locale's ANSI code page and UTF-16 to code-page text conversion.
#pragma once

#include <string>

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

using HKL = void*;
using LCID = DWORD;

inline constexpr DWORD LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

// The layout of the language the game's data is in: the stand-in has no system-wide layout, so the
// program chooses it from its language folder (Windows-1252 for "eng_usa"). An unknown folder
// keeps the current layout and returns FALSE.
BOOL SelectKeyboardLayoutForLanguage(const char* languageFolder);

// The low word of the layout is its locale. The thread id is ignored: the game has one thread.
HKL GetKeyboardLayout(DWORD threadId);

// Answers LOCALE_IDEFAULTANSICODEPAGE as decimal text. Returns the characters written including
// the terminator, the size needed when size is 0, else 0 (see GetLastError).
int GetLocaleInfoA(LCID locale, DWORD type, char* data, int size);

// wideCount -1 converts up to and including the terminator. Characters the code page lacks become
// defaultChar (or '?') and set *usedDefault. Returns the bytes written, the bytes needed when
// outSize is 0, else 0 (ERROR_INSUFFICIENT_BUFFER, or ERROR_INVALID_PARAMETER for an unknown code
// page).
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* out, int outSize,
                        const char* defaultChar, BOOL* usedDefault);

// The code page's text (CP_ACP: the layout's) as UTF-8, for the libraries that take nothing else,
// such as SDL's window titles. A byte the code page does not define becomes U+FFFD; an unknown
// code page gives empty text.
std::string CodePageToUtf8(UINT codePage, const char* text);

// The reverse, from the code page into UTF-16: byteCount -1 converts up to and including the
// terminator. A byte the code page does not define becomes U+FFFD. Returns the units written, the
// units needed when wideSize is 0, else 0 (ERROR_INSUFFICIENT_BUFFER, or ERROR_INVALID_PARAMETER
// for an unknown code page).
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount, WCHAR* wide,
                        int wideSize);

}  // namespace plat::win
