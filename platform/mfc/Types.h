// The Windows codes of the settings tool's dialog: results, button states, styles and messages.
#pragma once

#include <cstdint>

#include "platform/win/kernel/WinTypes.h"

namespace plat::mfc {

using plat::win::BOOL;
using plat::win::DWORD;
using plat::win::FALSE;
using plat::win::LPARAM;
using plat::win::LRESULT;
using plat::win::TRUE;
using plat::win::UINT;
using plat::win::WPARAM;

struct IconImage;
// An icon loaded from the program's resources; it lives as long as the resources do.
using HICON = const IconImage*;
// The stand-in has no window handles of its own; message boxes take null as their owner.
using HWND = void*;

struct RECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;

inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;

inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;

// The button kinds, as the low bits of a button's style.
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x3;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_TYPEMASK = 0xF;

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_CLICK = 0x00F5;

}  // namespace plat::mfc
