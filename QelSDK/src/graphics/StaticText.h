// The static-text drawable: a block of laid-out text in the scene, shown one page of lines at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/SceneDrawable.h"

namespace Qel {

class Color;
class DisplayDevice;
class WinTextBox;

// Owns the text box that lays the text out and renders it; adds a visible height (the page) and a
// scroll position counted in lines.
class StaticText : public SceneDrawable {
public:
  // White text in style 0 on the device, which renders it (and may be null: the box then never
  // renders, and the text has no lines).
  StaticText(DisplayDevice* device, int32_t width, int32_t height, const char* fontName, int32_t fontSize,
             int32_t alignment, const std::u16string& text);
  ~StaticText() override;

  // Each changes what is drawn, so the bounds are computed again.
  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  void SetFontName(const char* name);
  void SetFontSize(int32_t size);
  void SetStyle(int32_t style);
  void SetColor(const Color& color);
  // Shows at the next render that something else causes; the bounds stay as they are.
  void SetAlignment(int32_t alignment);
  // Both return to the first line. 8-bit text is taken as UTF-8 up to its first bad sequence.
  void SetText(const char* text);
  void SetText(const std::u16string& text);

  int32_t GetLineCount() const;
  // 0 when there are no lines or they have no height.
  int32_t GetLinesPerPage() const;
  // 0 when there are no lines or they have no height; 1 when the page is lower than one line, so
  // that a text always has a page to show.
  int32_t GetPageCount() const;
  // Whole pages forwards (pages > 0) or backwards, stopping at the first and at the last line. A page
  // lower than one line has no lines to move by, and nothing moves.
  void ScrollPages(int32_t pages);
  void ScrollToTop();
  bool IsAtTop() const { return m_scrollLine == 0; }
  bool IsOnLastPage() const;

  int32_t GetHeight() const { return m_height; }
  int32_t GetScrollLine() const { return m_scrollLine; }
  WinTextBox* GetTextBox() const { return m_textBox.get(); }

  // Whole lines only: the rest of the text below the scroll line, at most the page height.
  void ComputeLocalBounds(Box3& out) const override;
  void Accept(ISceneVisitor& visitor) override;
  void Render(DrawingSurface& target, const Box3& source, const Point2& at) override;

private:
  int32_t LineHeight() const;

  int32_t m_height;
  int32_t m_scrollLine = 0;
  std::unique_ptr<WinTextBox> m_textBox;
};

}  // namespace Qel
