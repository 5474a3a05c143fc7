// The static-text drawable: a block of laid-out text in the scene, shown one page of lines at a time.
#include "graphics/StaticText.h"

#include <algorithm>

#include "core/Box3.h"
#include "core/Color.h"
#include "core/PixelFormat.h"
#include "core/Rect.h"
#include "graphics/DrawingSurface.h"
#include "graphics/ISceneVisitor.h"
#include "graphics/WinTextBox.h"

namespace Qel {

StaticText::StaticText(DisplayDevice* device, int32_t width, int32_t height, const char* fontName,
                       int32_t fontSize, int32_t alignment, const std::u16string& text)
    : m_height(height),
      m_textBox(std::make_unique<WinTextBox>(device, fontName, fontSize, 0,
                                             Color::White(kPixelFormatA8R8G8B8), alignment, width, text)) {}

StaticText::~StaticText() = default;

void StaticText::SetWidth(int32_t width) {
  if (m_textBox) m_textBox->SetWidth(width);
  SetBoundsDirty(true);
}

void StaticText::SetHeight(int32_t height) {
  m_height = height;
  SetBoundsDirty(true);
}

void StaticText::SetFontName(const char* name) {
  if (m_textBox) m_textBox->SetFontName(name);
  SetBoundsDirty(true);
}

void StaticText::SetFontSize(int32_t size) {
  if (m_textBox) m_textBox->SetFontSize(size);
  SetBoundsDirty(true);
}

void StaticText::SetStyle(int32_t style) {
  if (m_textBox) m_textBox->SetStyle(style);
  SetBoundsDirty(true);
}

void StaticText::SetColor(const Color& color) {
  if (m_textBox) m_textBox->SetColor(color);
  SetBoundsDirty(true);
}

void StaticText::SetAlignment(int32_t alignment) {
  if (m_textBox) m_textBox->SetAlignment(alignment);
}

void StaticText::SetText(const char* text) {
  if (m_textBox) m_textBox->SetText(text ? text : "");
  ScrollToTop();
  SetBoundsDirty(true);
}

void StaticText::SetText(const std::u16string& text) {
  if (m_textBox) m_textBox->SetText(text);
  ScrollToTop();
  SetBoundsDirty(true);
}

int32_t StaticText::LineHeight() const {
  return m_textBox ? m_textBox->GetLineHeight() : 0;
}

int32_t StaticText::GetLineCount() const {
  return m_textBox ? m_textBox->GetLineCount() : 0;
}

int32_t StaticText::GetLinesPerPage() const {
  const int32_t lineHeight = LineHeight();
  if (GetLineCount() < 1 || lineHeight < 1) return 0;
  // A page of negative height holds no lines rather than a negative number of them.
  return std::max(m_height / lineHeight, 0);
}

int32_t StaticText::GetPageCount() const {
  const int32_t lines = GetLineCount();
  if (lines < 1 || LineHeight() < 1) return 0;
  const int32_t perPage = GetLinesPerPage();
  if (perPage == 0) return 1;
  return (lines + perPage - 1) / perPage;
}

void StaticText::ScrollPages(int32_t pages) {
  if (!m_textBox || pages == 0) return;
  const int64_t perPage = GetLinesPerPage();
  if (perPage == 0) return;
  const int64_t target = m_scrollLine + perPage * pages;
  if (pages < 0) {
    if (IsAtTop()) return;
    m_scrollLine = static_cast<int32_t>(std::max<int64_t>(target, 0));
  } else {
    if (IsOnLastPage()) return;
    m_scrollLine = static_cast<int32_t>(std::min<int64_t>(target, GetLineCount() - 1));
  }
  SetBoundsDirty(true);
}

void StaticText::ScrollToTop() {
  m_scrollLine = 0;
  SetBoundsDirty(true);
}

bool StaticText::IsOnLastPage() const {
  return m_scrollLine >= static_cast<int64_t>(GetPageCount() - 1) * GetLinesPerPage();
}

void StaticText::ComputeLocalBounds(Box3& out) const {
  out.Clear();
  if (!m_textBox) return;
  const int64_t lineHeight = LineHeight();
  const int64_t textHeight = lineHeight * GetLineCount();
  int64_t visible = std::min<int64_t>(textHeight - m_scrollLine * lineHeight, m_height);
  if (lineHeight != 0) visible = visible / lineHeight * lineHeight;
  // Lines that a narrower box no longer has, or a page of negative height, show nothing.
  visible = std::max<int64_t>(visible, 0);
  out.Set(0, 0, 0, m_textBox->GetWidth(), static_cast<int32_t>(visible), 0);
}

void StaticText::Accept(ISceneVisitor& visitor) {
  visitor.VisitStaticText(*this);
}

void StaticText::Render(DrawingSurface& target, const Box3& source, const Point2& at) {
  if (!m_textBox) return;
  // The draw pass hands the source in the anchored frame; the rendered text starts at its first line.
  Rect area = source.ToRect();
  area += Point2(GetAnchor().X(), GetAnchor().Y());
  area += Point2(0, m_scrollLine * LineHeight());
  m_textBox->Draw(&target, &area, at);
}

}  // namespace Qel
