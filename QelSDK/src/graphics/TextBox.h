// A block of text with its font, colour, alignment and width, rendered lazily into a surface.
#pragma once

#include <string>

#include "core/Color.h"
#include "core/Point2.h"
#include "core/Rect.h"

namespace Qel {

class DisplayDevice;
class DrawingSurface;

class TextBox {
public:
  // Style bit 0: bold and italic; alignment 1 centre, 2 right, else left.
  TextBox(DisplayDevice* device, const char* fontName, int fontSize, int style, const Color& color,
          int alignment, int width, const std::u16string& text);
  virtual ~TextBox() = default;
  TextBox(const TextBox&) = delete;
  TextBox& operator=(const TextBox&) = delete;

  // Renders now, whether or not anything changed.
  virtual void Update() = 0;
  virtual int GetTextWidth() const = 0;

  // These render first when something that changes the picture was set since the last render.
  int GetLineCount();
  int GetLineHeight();
  int GetTextHeight();
  int Draw(DrawingSurface* destination, const Rect* sourceRect, const Point2& position);

  // Each stores only a value that differs, and then marks the box when it holds text.
  void SetFontName(const char* name);
  void SetFontSize(int size);
  void SetStyle(int style);
  void SetColor(const Color& color);
  void SetWidth(int width);
  // Does not mark the box: a new alignment shows at the next render something else causes.
  void SetAlignment(int alignment);
  void SetText(const std::u16string& text);
  // UTF-8; the text becomes what converts before an illegal or cut sequence.
  void SetText(const char* text);

  DisplayDevice* GetDevice() const { return m_device; }
  const std::string& GetFontName() const { return m_fontName; }
  int GetFontSize() const { return m_fontSize; }
  int GetStyle() const { return m_style; }
  const Color& GetColor() const { return m_color; }
  int GetAlignment() const { return m_alignment; }
  int GetWidth() const { return m_width; }
  const std::u16string& GetText() const { return m_text; }
  bool NeedsRender() const { return m_needsRender; }

protected:
  virtual int DoGetLineCount() const = 0;
  virtual int DoGetLineHeight() const = 0;
  virtual void Render() = 0;
  virtual int DoDraw(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) = 0;

  void ClearNeedsRender() { m_needsRender = false; }

private:
  void RenderIfNeeded();
  void MarkIfText() { m_needsRender = !m_text.empty(); }

  DisplayDevice* m_device;
  std::string m_fontName;
  int m_fontSize;
  int m_style;
  Color m_color;
  int m_alignment;
  int m_width;
  std::u16string m_text;
  bool m_needsRender = true;
};

}  // namespace Qel
