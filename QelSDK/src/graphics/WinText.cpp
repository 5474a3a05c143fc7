// GDI text: parses the bold, italic and colour markup, measures every character, breaks lines to
// the box width and draws the characters one by one.
#include "graphics/WinText.h"

#include <algorithm>
#include <unordered_map>

#include "graphics/KeyboardCodePage.h"

namespace Qel {
namespace {

using plat::gdi::COLORREF;

constexpr char16_t kCaret = u'^';
constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kSpace = 32;
constexpr COLORREF kWhite = 0xFFFFFF;

// The colours of "^C" and the letter after it.
COLORREF MarkupColor(char16_t letter) {
  switch (letter) {
    case u'B':
    case u'b':
      return 0xC80000;
    case u'G':
    case u'g':
      return 0x00C800;
    case u'R':
    case u'r':
      return 0x000080;
    case u'X':
    case u'x':
      return 0x00FFFF;
    case u'Y':
    case u'y':
      return 0x00C8C8;
    default:
      return kWhite;
  }
}

// One character at a time in the keyboard code page, each distinct one converted once per call.
class CharacterEncoder {
public:
  const std::string& operator()(char16_t character) {
    auto found = m_encoded.find(character);
    if (found != m_encoded.end()) return found->second;
    return m_encoded[character] = WideToKeyboardCodePage(&character, 1);
  }

private:
  std::unordered_map<char16_t, std::string> m_encoded;
};

// The context's font, colour, alignment and background mode as they were, put back on leaving.
class ContextState {
public:
  explicit ContextState(plat::gdi::HDC dc)
      : m_dc(dc),
        m_color(plat::gdi::GetTextColor(dc)),
        m_align(plat::gdi::GetTextAlign(dc)),
        m_mode(plat::gdi::GetBkMode(dc)) {}
  ~ContextState() {
    plat::gdi::SetTextColor(m_dc, m_color);
    if (m_font) plat::gdi::SelectObject(m_dc, m_font);
    plat::gdi::SetTextAlign(m_dc, m_align);
    if (m_mode) plat::gdi::SetBkMode(m_dc, m_mode);
  }
  ContextState(const ContextState&) = delete;
  ContextState& operator=(const ContextState&) = delete;

  void SelectFont(plat::gdi::HFONT font) {
    plat::gdi::HGDIOBJ previous = plat::gdi::SelectObject(m_dc, font);
    if (!m_font) m_font = previous;
  }

private:
  plat::gdi::HDC m_dc;
  COLORREF m_color;
  plat::gdi::UINT m_align;
  int m_mode;
  plat::gdi::HGDIOBJ m_font = nullptr;
};

}  // namespace

WinText::WinText(plat::gdi::HDC dc, int boxWidth) : m_dc(dc), m_boxWidth(boxWidth) {
  TextStyle base;
  base.font.lfWeight = plat::gdi::FW_NORMAL;
  base.font.lfCharSet = GetKeyboardCharset();
  base.font.lfPitchAndFamily = plat::gdi::VARIABLE_PITCH;
  base.color = kWhite;
  m_styles.push_back(base);
  m_runs.push_back(Run{0, 0});
}

void WinText::SetFont(const plat::gdi::LOGFONTA& font) {
  m_styles.front().font = font;
}

void WinText::SetColor(COLORREF color) {
  m_styles.front().color = color;
}

COLORREF WinText::GetColor() const {
  return m_styles.front().color;
}

void WinText::SetText(const std::u16string& text) {
  Parse(text);
  Layout();
}

int WinText::StyleIndex(const TextStyle& style) {
  const auto found = std::find(m_styles.begin(), m_styles.end(), style);
  if (found != m_styles.end()) return static_cast<int>(found - m_styles.begin());
  m_styles.push_back(style);
  return static_cast<int>(m_styles.size() - 1);
}

void WinText::Parse(const std::u16string& text) {
  m_styles.resize(1);
  m_runs.clear();
  m_text.clear();
  TextStyle current = m_styles.front();
  bool escape = false;
  bool colorActive = false;
  bool styleChanged = true;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == kCaret) {
      escape = true;
      continue;
    }
    if (escape) {
      escape = false;
      bool markup = true;
      switch (c) {
        case u'B':
        case u'b':
          current.font.lfWeight = current.font.lfWeight == plat::gdi::FW_BOLD ? plat::gdi::FW_NORMAL
                                                                               : plat::gdi::FW_BOLD;
          break;
        case u'I':
        case u'i':
          current.font.lfItalic = current.font.lfItalic ? 0 : 1;
          break;
        case u'C':
        case u'c':
          if (colorActive || i + 1 >= text.size()) {
            current.color = m_styles.front().color;
            colorActive = false;
          } else {
            current.color = MarkupColor(text[++i]);
            colorActive = true;
          }
          break;
        default:
          markup = false;
      }
      if (markup) {
        styleChanged = true;
        continue;
      }
    }
    if (styleChanged) {
      m_runs.push_back(Run{static_cast<int>(m_text.size()), StyleIndex(current)});
      styleChanged = false;
    }
    m_text += c;
  }
}

std::vector<plat::gdi::HFONT> WinText::CreateFonts() const {
  std::vector<plat::gdi::HFONT> fonts;
  fonts.reserve(m_styles.size());
  for (const TextStyle& style : m_styles) fonts.push_back(plat::gdi::CreateFontIndirectA(&style.font));
  return fonts;
}

void WinText::DeleteFonts(std::vector<plat::gdi::HFONT>& fonts) {
  for (plat::gdi::HFONT font : fonts) {
    if (font) plat::gdi::DeleteObject(font);
  }
  fonts.clear();
}

void WinText::Layout() {
  m_advances.assign(m_text.size(), 0);
  m_lines.clear();
  m_lineHeight = 0;
  if (m_text.empty()) return;
  std::vector<plat::gdi::HFONT> fonts = CreateFonts();
  CharacterEncoder encode;
  {
    ContextState saved(m_dc);
    const int count = static_cast<int>(m_text.size());
    m_lines.push_back(Line{0, 0});
    int breakAt = 0;
    size_t run = 0;
    // Widths of characters from..to, as the lines count them.
    const auto sum = [this](int from, int to) {
      int total = 0;
      for (int k = from; k <= to; ++k) total += m_advances[static_cast<size_t>(k)];
      return total;
    };
    for (int i = 0; i < count; ++i) {
      // A run may begin on a line feed that a carriage return took with it: it applies from there.
      bool newRun = false;
      while (run < m_runs.size() && m_runs[run].first <= i) {
        ++run;
        newRun = true;
      }
      if (newRun) {
        const TextStyle& style = m_styles[static_cast<size_t>(m_runs[run - 1].style)];
        saved.SelectFont(fonts[static_cast<size_t>(m_runs[run - 1].style)]);
        plat::gdi::SetTextColor(m_dc, style.color);
        plat::gdi::TEXTMETRICA metrics{};
        if (plat::gdi::GetTextMetricsA(m_dc, &metrics)) m_lineHeight = std::max<int>(m_lineHeight, metrics.tmHeight);
      }
      const char16_t c = m_text[static_cast<size_t>(i)];
      const std::string& bytes = encode(c);
      plat::gdi::SIZE extent{};
      plat::gdi::GetTextExtentPoint32A(m_dc, bytes.data(), static_cast<int>(bytes.size()), &extent);
      m_advances[static_cast<size_t>(i)] = extent.cx + 1;
      Line& line = m_lines.back();
      if (c == kCarriageReturn) {
        if (i + 1 < count && m_text[static_cast<size_t>(i) + 1] == kLineFeed) ++i;
        m_lines.push_back(Line{i + 1, 0});
        breakAt = i + 1;
        continue;
      }
      if (c == kLineFeed) {
        m_lines.push_back(Line{i + 1, 0});
        breakAt = i + 1;
        continue;
      }
      if (c == kSpace) breakAt = i;
      line.width += m_advances[static_cast<size_t>(i)];
      if (line.width < m_boxWidth) continue;
      if (breakAt != line.first) {
        // The space stays at the end of this line, counted in neither.
        line.width -= sum(breakAt, i);
        m_lines.push_back(Line{breakAt + 1, sum(breakAt + 1, i)});
      } else if (i != line.first) {
        // A word longer than the line: it splits before the character that reached the width.
        line.width -= m_advances[static_cast<size_t>(i)];
        m_lines.push_back(Line{i, m_advances[static_cast<size_t>(i)]});
      }
      // A character wider than the box alone stays on its line rather than leaving it empty.
      breakAt = m_lines.back().first;
    }
  }
  DeleteFonts(fonts);
}

int WinText::GetMaxLineWidth() const {
  int widest = 0;
  for (const Line& line : m_lines) widest = std::max(widest, line.width);
  return widest;
}

int WinText::LineStartX(const Point2& origin, size_t line) const {
  const int width = m_lines[line].width;
  if (m_alignment == 1) return origin.X() + (m_boxWidth - width) / 2;
  if (m_alignment == 2) return origin.X() + m_boxWidth - width;
  return origin.X();
}

void WinText::Draw(const Point2& origin) {
  if (m_text.empty() || m_lines.empty()) return;
  std::vector<plat::gdi::HFONT> fonts = CreateFonts();
  CharacterEncoder encode;
  {
    ContextState saved(m_dc);
    plat::gdi::SetBkMode(m_dc, plat::gdi::TRANSPARENT);
    plat::gdi::SetTextAlign(m_dc, plat::gdi::TA_LEFT | plat::gdi::TA_TOP);
    size_t run = 0;
    size_t line = 0;
    int x = LineStartX(origin, 0);
    int y = origin.Y();
    const int count = static_cast<int>(m_text.size());
    for (int i = 0; i < count; ++i) {
      bool newRun = false;
      while (run < m_runs.size() && m_runs[run].first <= i) {
        ++run;
        newRun = true;
      }
      if (newRun) {
        const size_t style = static_cast<size_t>(m_runs[run - 1].style);
        saved.SelectFont(fonts[style]);
        plat::gdi::SetTextColor(m_dc, m_styles[style].color);
      }
      bool newLine = false;
      while (line + 1 < m_lines.size() && m_lines[line + 1].first <= i) {
        ++line;
        newLine = true;
      }
      if (newLine) {
        y = origin.Y() + static_cast<int>(line) * m_lineHeight;
        x = LineStartX(origin, line);
      }
      const char16_t c = m_text[static_cast<size_t>(i)];
      if (c != kCarriageReturn && c != kLineFeed) {
        const std::string& bytes = encode(c);
        plat::gdi::TextOutA(m_dc, x, y, bytes.data(), static_cast<int>(bytes.size()));
      }
      x += m_advances[static_cast<size_t>(i)];
    }
  }
  DeleteFonts(fonts);
}

}  // namespace Qel
