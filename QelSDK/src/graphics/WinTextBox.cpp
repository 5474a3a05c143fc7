// The text box that renders its text with GDI into a DIB section and keeps the result as a keyed
// surface of the display.
#include "graphics/WinTextBox.h"

#include <cstring>

#include "core/Trace.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/KeyboardCodePage.h"
#include "graphics/WinBrush.h"
#include "graphics/WinDC.h"
#include "graphics/WinDibSection.h"
#include "graphics/WinSelectGuard.h"
#include "graphics/WinText.h"

namespace Qel {
namespace {

constexpr int kFaceNameCharacters = 31;

plat::gdi::LOGFONTA FontOf(const TextBox& box) {
  plat::gdi::LOGFONTA font{};
  font.lfHeight = -box.GetFontSize();
  const bool boldItalic = (box.GetStyle() & 1) != 0;
  font.lfWeight = boldItalic ? plat::gdi::FW_BOLD : plat::gdi::FW_NORMAL;
  font.lfItalic = boldItalic ? 1 : 0;
  font.lfCharSet = GetKeyboardCharset();
  font.lfPitchAndFamily = plat::gdi::VARIABLE_PITCH;
  std::strncpy(font.lfFaceName, box.GetFontName().c_str(), kFaceNameCharacters);
  font.lfFaceName[kFaceNameCharacters] = 0;
  return font;
}

void RenderFailed(const char* why, int width) {
  Trace("ERROR: text box of width %d not rendered: %s\n", width, why);
}

}  // namespace

WinTextBox::~WinTextBox() = default;

void WinTextBox::Update() {
  Render();
  ClearNeedsRender();
}

int WinTextBox::DoGetLineHeight() const {
  if (!m_surface || m_lineCount == 0) return 0;
  return m_surface->GetHeight() / m_lineCount;
}

int WinTextBox::DoDraw(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) {
  return m_surface ? m_surface->BlitTo(destination, sourceRect, position) : 0;
}

void WinTextBox::Render() {
  m_surface.reset();
  m_lineCount = 0;
  m_textWidth = 0;
  if (GetText().empty()) return;
  const int width = GetWidth();
  // Nothing can be drawn into a bitmap without columns: the box stays empty, as when the display
  // cannot make the surface.
  if (width <= 0) return RenderFailed("no width", width);
  WinDC dc;
  if (!dc.CreateCompatible(nullptr)) return RenderFailed("no device context", width);
  GetKeyboardCodePage();  // the layout may have changed since the last render
  WinText text(dc.GetHandle(), width);
  text.SetFont(FontOf(*this));
  text.SetColor(ColorToColorRef(GetColor()));
  text.SetAlignment(GetAlignment());
  text.SetText(GetText());
  m_lineCount = text.GetLineCount();
  m_textWidth = text.GetMaxLineWidth();
  const int64_t height = static_cast<int64_t>(m_lineCount) * text.GetLineHeight();
  WinDibSection dib;
  if (height <= 0 || height > INT32_MAX || !dib.Create(dc.GetHandle(), width, static_cast<int>(height), 32) ||
      !dib.GetBits()) {
    return RenderFailed("no bitmap", width);
  }
  WinSelectGuard selected(dc.GetHandle(), dib.GetHandle());
  if (!selected.IsValid()) return RenderFailed("bitmap not selected", width);
  const int dibWidth = dib.GetWidth();
  const int dibHeight = dib.GetHeight();
  WinBrush key;
  key.CreateSolid(Color::Magenta(kPixelFormatA8R8G8B8).GetPacked());
  const plat::gdi::RECT all{0, 0, dibWidth, dibHeight};
  dc.FillRect(&all, key.GetBrush());
  text.Draw(Point2(0, 0));
  DisplayDevice* device = GetDevice();
  if (!device) return;
  m_surface.reset(device->CreateSurfaceFromPixels(dib.GetBits(), dibWidth, dibHeight, 4 * dibWidth,
                                                  kPixelFormatX8R8G8B8, DisplayDevice::kSurfaceImage,
                                                  &Color::TransparentBlack(kPixelFormatX8R8G8B8)));
  if (m_surface) m_surface->SetColorKey(Color::Magenta(kPixelFormatX8R8G8B8));
}

}  // namespace Qel
