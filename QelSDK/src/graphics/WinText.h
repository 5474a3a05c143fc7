// GDI text: parses the bold, italic and colour markup, measures every character, breaks lines to
// the box width and draws the characters one by one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Point2.h"
#include "graphics/TextStyle.h"
#include "platform/gdi/Gdi.h"

namespace Qel {

class WinText {
public:
  struct Run {
    int first;  // character index
    int style;  // index into the styles
  };
  struct Line {
    int first;  // character index
    int width;  // pixels
  };

  // The context is borrowed; it keeps its own font, colour and alignment after every call.
  WinText(plat::gdi::HDC dc, int boxWidth);

  // Replaces the base style's font; the colour stays.
  void SetFont(const plat::gdi::LOGFONTA& font);
  void SetColor(plat::gdi::COLORREF color);
  plat::gdi::COLORREF GetColor() const;
  // 1 centre, 2 right, else left.
  void SetAlignment(int alignment) { m_alignment = alignment; }
  // Parses the markup, then lays the text out.
  void SetText(const std::u16string& text);

  int GetLineCount() const { return static_cast<int>(m_lines.size()); }
  int GetLineHeight() const { return m_lineHeight; }
  int GetTextHeight() const { return GetLineCount() * m_lineHeight; }
  // 0 without lines.
  int GetMaxLineWidth() const;
  // Draws the laid-out text with its top-left corner at origin.
  void Draw(const Point2& origin);

  const std::u16string& GetParsedText() const { return m_text; }
  const std::vector<TextStyle>& GetStyles() const { return m_styles; }
  const std::vector<Run>& GetRuns() const { return m_runs; }
  const std::vector<int32_t>& GetAdvances() const { return m_advances; }
  const std::vector<Line>& GetLines() const { return m_lines; }

private:
  void Parse(const std::u16string& text);
  void Layout();
  int StyleIndex(const TextStyle& style);
  // The x of line `line`'s first character, after alignment.
  int LineStartX(const Point2& origin, size_t line) const;
  std::vector<plat::gdi::HFONT> CreateFonts() const;
  static void DeleteFonts(std::vector<plat::gdi::HFONT>& fonts);

  plat::gdi::HDC m_dc;
  int m_boxWidth;
  int m_alignment = 0;
  std::u16string m_text;
  std::vector<TextStyle> m_styles;
  std::vector<Run> m_runs;
  std::vector<int32_t> m_advances;
  std::vector<Line> m_lines;
  int m_lineHeight = 0;
};

}  // namespace Qel
