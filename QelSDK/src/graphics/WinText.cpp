// GDI text: markup, measurement, line breaking and drawing.
#include "graphics/WinText.h"

namespace Qel {

WinText::WinText(plat::gdi::HDC dc, int boxWidth) : m_dc(dc), m_boxWidth(boxWidth) {}
void WinText::SetFont(const plat::gdi::LOGFONTA&) {}
void WinText::SetColor(plat::gdi::COLORREF) {}
plat::gdi::COLORREF WinText::GetColor() const { return 0; }
void WinText::SetText(const std::u16string&) {}
int WinText::GetMaxLineWidth() const { return 0; }
void WinText::Draw(const Point2&) {}

}  // namespace Qel
