// The text object: a game object shown by a static-text drawable, for captions and labels.
#include "framework/TextObject.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/Color.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/ValueTokenizer.h"
#include "graphics/StaticText.h"
#include "graphics/Utf8.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

constexpr int32_t kBoxWidth = 256;
constexpr int32_t kBoxHeight = 64;

int32_t ReadInt(const char* value) {
  ValueTokenizer tokens(value);
  return tokens.NextInt();
}

// A packed colour has 32 bits, and any opaque one lies above the i32 range: decimal values are read
// up to the full 32 bits (beyond that clamped, a minus giving the i32 pattern), "0x" hexadecimal
// as the tokenizer reads it.
uint32_t ReadPackedColor(const char* value) {
  ValueTokenizer tokens(value);
  const char* token = tokens.NextToken();
  if (!token) return 0;
  if (std::strlen(token) >= 3 && token[0] == '0' && token[1] == 'x') {
    ValueTokenizer hexadecimal(token);
    return static_cast<uint32_t>(hexadecimal.NextInt());
  }
  const char* p = token;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  const int64_t limit = negative ? int64_t{1} << 31 : int64_t{0xFFFFFFFF};
  int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) magnitude = std::min<int64_t>(magnitude * 10 + (*p - '0'), limit);
  return static_cast<uint32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

TextObject::TextObject(const char* objectName, const char* fontName, int32_t fontSize) {
  auto box = std::make_shared<Qel::StaticText>(GetApp().GetDisplay(), kBoxWidth, kBoxHeight, fontName,
                                               fontSize, 0, std::u16string());
  box->SetName(objectName ? objectName : "");
  m_textBox = box.get();
  SetSceneObject(std::move(box));
}

TextObject::~TextObject() = default;

void TextObject::SetProperty(const char* key, const char* value) {
  GenericObject::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "text")) {
    SetText(value);
  } else if (plat::EqualsIgnoringCase(key, "width")) {
    m_textBox->SetWidth(ReadInt(value));
  } else if (plat::EqualsIgnoringCase(key, "height")) {
    m_textBox->SetHeight(ReadInt(value));
  } else if (plat::EqualsIgnoringCase(key, "size")) {
    m_textBox->SetFontSize(ReadInt(value));
  } else if (plat::EqualsIgnoringCase(key, "font")) {
    ValueTokenizer tokens(value);
    if (const char* face = tokens.NextToken()) m_textBox->SetFontName(face);
  } else if (plat::EqualsIgnoringCase(key, "align")) {
    m_textBox->SetAlignment(ReadInt(value));
  } else if (plat::EqualsIgnoringCase(key, "color")) {
    SetColor(Qel::Color(ReadPackedColor(value)));
  }
}

bool TextObject::HitTest(int32_t x, int32_t y) {
  if (!m_textBox->IsVisible() || !MouseCursor::Instance().IsEnabled()) return false;
  Qel::Box3 bounds;
  GetWorldBounds(bounds);
  return bounds.Min().X() <= x && x <= bounds.Max().X() && bounds.Min().Y() <= y && y <= bounds.Max().Y();
}

void TextObject::SetText(const char* text) {
  m_text = text ? text : "";
  m_textBox->SetText(Qel::Widen8BitText(m_text));
}

void TextObject::SetWideText(const char16_t* text) {
  m_wideText = text ? text : u"";
  m_textBox->SetText(m_wideText);
}

void TextObject::SetColor(const Qel::Color& color) {
  m_textBox->SetColor(color);
}

void TextObject::SetSize(int32_t width, int32_t height) {
  m_textBox->SetWidth(width);
  m_textBox->SetHeight(height);
}
