// Placeholder bodies until the device contexts, fonts and shapes land.
#include "platform/gdi/Gdi.h"

namespace plat::gdi {

HDC CreateCompatibleDC(HDC) { return nullptr; }
BOOL DeleteDC(HDC) { return FALSE; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return nullptr; }
HBITMAP CreateDIBSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) { return nullptr; }
int GetObjectA(HGDIOBJ, int, void*) { return 0; }
BOOL DeleteObject(HGDIOBJ) { return FALSE; }
HFONT CreateFontIndirectA(const LOGFONTA*) { return nullptr; }
BOOL GetTextMetricsA(HDC, TEXTMETRICA*) { return FALSE; }
BOOL GetTextExtentPoint32A(HDC, const char*, int, SIZE*) { return FALSE; }
UINT SetTextAlign(HDC, UINT) { return GDI_ERROR; }
UINT GetTextAlign(HDC) { return GDI_ERROR; }
COLORREF SetTextColor(HDC, COLORREF) { return CLR_INVALID; }
COLORREF GetTextColor(HDC) { return CLR_INVALID; }
COLORREF SetBkColor(HDC, COLORREF) { return CLR_INVALID; }
int SetBkMode(HDC, int) { return 0; }
int GetBkMode(HDC) { return 0; }
BOOL TextOutA(HDC, int, int, const char*, int) { return FALSE; }
BOOL TranslateCharsetInfo(DWORD*, CHARSETINFO*, DWORD) { return FALSE; }
HBRUSH CreateSolidBrush(COLORREF) { return nullptr; }
HPEN CreatePen(int, int, COLORREF) { return nullptr; }
BOOL Polyline(HDC, const POINT*, int) { return FALSE; }
BOOL Ellipse(HDC, int, int, int, int) { return FALSE; }
int FillRect(HDC, const RECT*, HBRUSH) { return 0; }
BOOL Polygon(HDC, const POINT*, int) { return FALSE; }
BOOL Rectangle(HDC, int, int, int, int) { return FALSE; }
void FailNextCallForTesting(GdiCall) {}
ResolvedFace GetResolvedFaceForTesting(HFONT) { return {}; }

}  // namespace plat::gdi
