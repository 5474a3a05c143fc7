// Fuzz target: the text path on arbitrary bytes and box widths: UTF-8 conversion and the widening of
// 8-bit text, the markup parser, line breaking and drawing, and a whole text box render.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Utf8.h"
#include "graphics/WinText.h"
#include "graphics/WinTextBox.h"
#include "platform/gdi/Gdi.h"

namespace {

// The invariants of a layout: lines in text order, each within the text, and no line of two
// characters or more as wide as the box (line ends and the space a break leaves behind do not count).
void CheckLines(const Qel::WinText& text, int width) {
  const std::vector<Qel::WinText::Line>& lines = text.GetLines();
  const std::u16string& characters = text.GetParsedText();
  const int count = static_cast<int>(characters.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].first < 0 || lines[i].first > count || lines[i].width < 0) __builtin_trap();
    if (i > 0 && lines[i].first <= lines[i - 1].first) __builtin_trap();
    int end = i + 1 < lines.size() ? lines[i + 1].first : count;
    while (end > lines[i].first && (characters[static_cast<size_t>(end) - 1] == u'\r' ||
                                    characters[static_cast<size_t>(end) - 1] == u'\n')) {
      --end;
    }
    if (i + 1 < lines.size() && end > lines[i].first && characters[static_cast<size_t>(end) - 1] == u' ')
      --end;
    if (end - lines[i].first >= 2 && lines[i].width >= width) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // Two bytes of width (signed, so that 0 and below come up), one of alignment, style and encoding.
  const int width = static_cast<int16_t>(data[0] | (data[1] << 8)) % 2048;
  const int alignment = data[2] & 3;
  const int style = (data[2] >> 2) & 3;
  const bool wideInput = (data[2] & 0x10) != 0;
  const bool wholeBox = (data[2] & 0x20) != 0;
  const uint8_t* bytes = data + 3;
  const size_t length = size - 3;

  std::u16string text;
  if (wideInput) {
    for (size_t i = 0; i + 1 < length; i += 2) text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
  } else {
    const std::string narrow(reinterpret_cast<const char*>(bytes), length);
    std::u16string strict;
    Qel::Utf8ToUtf16(narrow.c_str(), strict);
    std::vector<char16_t> target(length * 2 + 4);
    const uint8_t* source = bytes;
    char16_t* out = target.data();
    const Qel::ConversionResult result =
        Qel::ConvertUtf8ToUtf16(&source, bytes + length, &out, target.data() + target.size(), true);
    if (source < bytes || source > bytes + length ||
        (result == Qel::kConversionOk && source != bytes + length)) {
      __builtin_trap();
    }
    text = Qel::Widen8BitText(std::string_view(narrow));
  }

  plat::gdi::HDC dc = plat::gdi::CreateCompatibleDC(nullptr);
  {
    Qel::WinText layout(dc, width);
    plat::gdi::LOGFONTA font{};
    font.lfHeight = -10;
    font.lfWeight = (style & 1) ? 700 : 400;
    std::strcpy(font.lfFaceName, "courier");
    layout.SetFont(font);
    layout.SetAlignment(alignment);
    layout.SetText(text);
    CheckLines(layout, width);
    // Drawn into a small bitmap: most of the text lies outside it and is clipped.
    plat::gdi::BITMAPINFO info{};
    info.bmiHeader = {sizeof(plat::gdi::BITMAPINFOHEADER), 64, -32, 1, 32, plat::gdi::BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    plat::gdi::HBITMAP bitmap =
        plat::gdi::CreateDIBSection(dc, &info, plat::gdi::DIB_RGB_COLORS, &pixels, nullptr, 0);
    plat::gdi::HGDIOBJ previous = plat::gdi::SelectObject(dc, bitmap);
    layout.Draw(Qel::Point2(-(width / 4), -3));
    plat::gdi::SelectObject(dc, previous);
    plat::gdi::DeleteObject(bitmap);
  }
  plat::gdi::DeleteDC(dc);

  if (wholeBox && text.size() < 512) {
    Qel::WinTextBox box(nullptr, "arial", 8 + (data[0] & 15), style, Qel::Color(255, 255, 255, 255),
                        alignment, width, text);
    if (box.GetLineHeight() != 0 || box.Draw(nullptr, nullptr, Qel::Point2(0, 0)) != 0) __builtin_trap();
  }
  return 0;
}
