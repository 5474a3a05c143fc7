// The text object: a game object shown by a static-text drawable, for captions and labels.
#pragma once

#include <cstdint>
#include <string>

#include "framework/GenericObject.h"

namespace Qel {
class Color;
class StaticText;
}  // namespace Qel

class TextObject : public GenericObject {
public:
  // The box is 256 x 64 pixels, left-aligned and empty, on the application's display, and is named
  // after the object. Without a display the box exists but never renders.
  TextObject(const char* objectName, const char* fontName, int32_t fontSize);
  ~TextObject() override;

  // After the keys of GenericObject: "text" (the whole value, blanks, commas and brackets
  // included), "width", "height", "size", "font" (the first word), "align" and "color" (a packed
  // colour, decimal or "0x" hexadecimal).
  void SetProperty(const char* key, const char* value) override;
  // Visible boxes only, while the mouse cursor is enabled: inside the screen bounds, edges
  // included.
  bool HitTest(int32_t x, int32_t y) override;

  // 8-bit text is widened before the box sees it: valid UTF-8 as UTF-8, anything else in the
  // program's code page, so that an accented line is shown whole. The box lays it out again.
  void SetText(const char* text);
  void SetWideText(const char16_t* text);
  void SetColor(const Qel::Color& color);
  // Width and visible height of the box, in pixels.
  void SetSize(int32_t width, int32_t height);

  // The scene object itself, for the box's own settings (font, style, alignment, paging).
  Qel::StaticText* GetTextBox() const { return m_textBox; }
  const std::string& GetText() const { return m_text; }
  const std::u16string& GetWideText() const { return m_wideText; }

private:
  // Owned by the scene object's shared pointer.
  Qel::StaticText* m_textBox = nullptr;
  std::string m_text;
  std::u16string m_wideText;
};
