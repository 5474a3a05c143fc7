// The text box that renders its text with GDI into a DIB section and keeps the result as a keyed
// surface of the display.
#pragma once

#include <memory>

#include "graphics/TextBox.h"

namespace Qel {

class WinTextBox : public TextBox {
public:
  using TextBox::TextBox;
  ~WinTextBox() override;

  void Update() override;
  int GetTextWidth() const override { return m_textWidth; }

  // Null while the text is empty or when rendering failed.
  DrawingSurface* GetRenderedSurface() const { return m_surface.get(); }

protected:
  int DoGetLineCount() const override { return m_lineCount; }
  // 0 without a rendered surface or without lines.
  int DoGetLineHeight() const override;
  // A box that cannot be rendered (a width of 0 or less, or GDI refusing the context, the bitmap
  // or its pixels) is left without a surface and says so in an "ERROR:" trace.
  void Render() override;
  int DoDraw(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) override;

private:
  std::unique_ptr<DrawingSurface> m_surface;
  int m_lineCount = 0;
  int m_textWidth = 0;
};

}  // namespace Qel
