// A block of text with its font, colour, alignment and width, rendered lazily into a surface.
#include "graphics/TextBox.h"

#include "graphics/Utf8.h"

namespace Qel {

TextBox::TextBox(DisplayDevice* device, const char* fontName, int fontSize, int style, const Color& color,
                 int alignment, int width, const std::u16string& text)
    : m_device(device),
      m_fontName(fontName ? fontName : ""),
      m_fontSize(fontSize),
      m_style(style),
      m_color(color),
      m_alignment(alignment),
      m_width(width),
      m_text(text) {}

void TextBox::RenderIfNeeded() {
  if (!m_needsRender) return;
  Render();
  m_needsRender = false;
}

int TextBox::GetLineCount() {
  RenderIfNeeded();
  return DoGetLineCount();
}

int TextBox::GetLineHeight() {
  RenderIfNeeded();
  return DoGetLineHeight();
}

int TextBox::GetTextHeight() {
  RenderIfNeeded();
  return DoGetLineHeight() * DoGetLineCount();
}

int TextBox::Draw(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) {
  RenderIfNeeded();
  return DoDraw(destination, sourceRect, position);
}

void TextBox::SetFontName(const char* name) {
  const std::string value = name ? name : "";
  if (value == m_fontName) return;
  m_fontName = value;
  MarkIfText();
}

void TextBox::SetFontSize(int size) {
  if (size == m_fontSize) return;
  m_fontSize = size;
  MarkIfText();
}

void TextBox::SetStyle(int style) {
  if (style == m_style) return;
  m_style = style;
  MarkIfText();
}

void TextBox::SetColor(const Color& color) {
  if (!(color != m_color)) return;
  m_color = color;
  MarkIfText();
}

void TextBox::SetWidth(int width) {
  if (width == m_width) return;
  m_width = width;
  MarkIfText();
}

void TextBox::SetAlignment(int alignment) {
  m_alignment = alignment;
}

void TextBox::SetText(const std::u16string& text) {
  if (text == m_text) return;
  m_text = text;
  m_needsRender = true;
}

void TextBox::SetText(const char* text) {
  std::u16string converted;
  Utf8ToUtf16(text ? text : "", converted);
  SetText(converted);
}

}  // namespace Qel
