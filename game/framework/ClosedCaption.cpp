// Closed captions: the entries of caption files, and the caption shown page by page over a sound's
// length.
#include "framework/ClosedCaption.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GenericObject.h"
#include "framework/MainApp.h"
#include "framework/TextObject.h"
#include "framework/ValueTokenizer.h"
#include "graphics/SceneObject.h"
#include "graphics/StaticText.h"
#include "platform/win/kernel/Path.h"

namespace {

template <typename Unit>
bool IsBlank(Unit unit) {
  return unit == Unit(' ') || unit == Unit('\t');
}

template <typename Unit>
struct CaptionFields {
  const Unit* number;
  const Unit* name;
  const Unit* text;
};

// One line of a caption file, from line to end: its comment and the ends of the number and the
// name are cut with zero units in place. False for a line without a number and a name.
template <typename Unit>
bool SplitLine(Unit* line, Unit* end, CaptionFields<Unit>& out) {
  if (Unit* comment = std::find(line, end, Unit(';')); comment != end) {
    *comment = 0;
    end = comment;
  }
  Unit* p = std::find_if_not(line, end, IsBlank<Unit>);
  Unit* const number = p;
  p = std::find_if(p, end, IsBlank<Unit>);
  Unit* const numberEnd = p;
  p = std::find_if_not(p, end, IsBlank<Unit>);
  if (number == numberEnd || p == end) return false;
  *numberEnd = 0;
  Unit* const name = p;
  p = std::find_if(p, end, IsBlank<Unit>);
  // A name at the end of the line shares its terminator with an empty text.
  Unit* text = p;
  if (p != end) {
    *p = 0;
    text = std::find_if_not(p + 1, end, IsBlank<Unit>);
  }
  out = {number, name, text};
  return true;
}

// The text holds length units and a zero unit after them, so that no line runs past it.
template <typename Unit, typename Append>
void ParseLines(Unit* text, size_t length, Append append) {
  std::replace_if(
      text, text + length, [](Unit u) { return u == Unit('\r') || u == Unit('\n'); }, Unit(0));
  for (size_t position = 0; position < length;) {
    Unit* const line = text + position;
    Unit* const end = std::find(line, text + length, Unit(0));
    const size_t lineLength = static_cast<size_t>(end - line);
    CaptionFields<Unit> fields;
    if (SplitLine(line, end, fields)) append(fields);
    position += lineLength + 1;
  }
}

// The wide number read by the same rules as the 8-bit one: nothing outside ASCII is a digit, a
// blank or a sign, so the number ends at the first such unit.
int32_t WideDecimalValue(const char16_t* number) {
  std::string ascii;
  for (; *number != 0 && *number < 0x80; ++number) ascii.push_back(static_cast<char>(*number));
  return ValueTokenizer::DecimalValue(ascii.c_str());
}

void HideIfShown(GenericObject* object) {
  if (object && object->GetSceneObject() && object->GetSceneObject()->IsShown())
    object->GetSceneObject()->Hide();
}

void ShowIfHidden(GenericObject* object) {
  if (object && object->GetSceneObject() && !object->GetSceneObject()->IsShown())
    object->GetSceneObject()->Show();
}

// Control characters that caption text never holds: a file with one is not text, but bytes of
// something else. Tabs, line ends, form feeds and the old end-of-file mark may stand in text.
template <typename Unit>
bool IsForeignControl(Unit unit) {
  return unit < Unit(0x20) && unit != Unit('\t') && unit != Unit('\n') && unit != Unit('\r') &&
         unit != Unit(0x0C) && unit != Unit(0x1A);
}

// What shows that the file is not whole caption text, in words for the trace; empty when nothing
// does. Only the first thing found is told.
std::string TextProblem(const uint8_t* bytes, size_t count) {
  char text[96];
  const bool wide = count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  if (wide) {
    const size_t units = (count - 2) / 2;
    for (size_t i = 0; i < units; ++i) {
      const auto unit = static_cast<char16_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
      const bool high = unit >= 0xD800 && unit < 0xDC00;
      const bool low = unit >= 0xDC00 && unit < 0xE000;
      const char16_t next =
          i + 1 < units ? static_cast<char16_t>(bytes[4 + 2 * i] | (bytes[5 + 2 * i] << 8)) : 0;
      if (high && next >= 0xDC00 && next < 0xE000) {
        ++i;
        continue;
      }
      if (IsForeignControl(unit) || high || low) {
        std::snprintf(text, sizeof text, "it is not UTF-16 text: unit %zu is 0x%04X", i + 1, unsigned{unit});
        return text;
      }
    }
    if ((count - 2) % 2 != 0) return "it is cut short: it ends in half a character";
  } else {
    for (size_t i = 0; i < count; ++i) {
      if (IsForeignControl(bytes[i])) {
        std::snprintf(text, sizeof text, "it is not text: byte %zu is 0x%02X", i + 1, unsigned{bytes[i]});
        return text;
      }
    }
  }
  const bool hasText = count > (wide ? 3u : 0u);
  if (!hasText) return {};
  const size_t last = wide ? count - 2 - (count - 2) % 2 : count - 1;
  const bool lineEnd = (bytes[last] == '\n' || bytes[last] == '\r') && (!wide || bytes[last + 1] == 0);
  if (!lineEnd) return "it may be cut short: its last line has no line end";
  return {};
}

void Empty(TextObject* object) {
  if (!object) return;
  object->SetText("");
  object->SetWideText(u"");
}

}  // namespace

ClosedCaption::ClosedCaption(GenericObject* barObject, TextObject* nameObject, TextObject* textObject,
                             bool useGameClock)
    : m_barObject(barObject),
      m_nameObject(nameObject),
      m_textObject(textObject),
      m_useGameClock(useGameClock) {
  Clear();
}

ClosedCaption::~ClosedCaption() = default;

bool ClosedCaption::Load(const char* captionName) {
  if (!captionName) return false;
  Qel::ResourceManager* resources = Qel::ResourceManager::GetInstance();
  const uint32_t hash = Qel::NameHash(captionName);
  std::shared_ptr<Qel::Stream> stream;
  resources->OpenStream(hash, Qel::kTypeText, stream);
  if (!stream) {
    // A missing file is no fault (not every screen has captions); a folder in its place is one.
    const std::string folder = resources->FindFolderInPlace(hash, Qel::kTypeText);
    if (!folder.empty()) {
      Qel::Trace("WARN: ClosedCaption: caption file %s is a folder; its captions are not shown\n",
                 plat::win::LinuxPathAsWritten(folder.c_str()).c_str());
    }
    return false;
  }
  const uint32_t size = stream->GetSize();
  if (size == Qel::kInvalidStreamValue) {
    Qel::Trace("ERROR: ClosedCaption: the size of \"%s\" is unknown\n", captionName);
    return false;
  }

  // 16-bit units throughout, so that UTF-16 text is aligned; one unit more than the bytes need
  // holds the whole zero unit that ends every file.
  const size_t units = size / 2 + 1;
  std::unique_ptr<char16_t[]> buffer(new (std::nothrow) char16_t[units]());
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size ? size : 1]);
  if (!buffer || !bytes) {
    Qel::Trace("ERROR: ClosedCaption: no memory for \"%s\"\n", captionName);
    return false;
  }
  uint32_t count = size;
  stream->Read(bytes.get(), count);
  count = std::min(count, size);
  // The lines that parse are still shown; the trace says once what is wrong with the file.
  std::string problem;
  if (count < size) {
    problem = "it is cut short: " + std::to_string(count) + " of its " + std::to_string(size) +
              " bytes could be read";
  } else {
    problem = TextProblem(bytes.get(), count);
  }
  if (!problem.empty()) {
    const std::string file = resources->GetResourceLocation(hash, Qel::kTypeText, captionName);
    Qel::Trace("WARN: ClosedCaption: caption file %s: %s\n",
               plat::win::LinuxPathAsWritten(file.c_str()).c_str(), problem.c_str());
  }
  if (count < 2) return true;

  if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
    // A last odd byte is half a unit, and no text.
    const size_t length = (count - 2) / 2;
    for (size_t i = 0; i < length; ++i) {
      buffer[i] = static_cast<char16_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
    }
    buffer[length] = 0;
    ParseUtf16(buffer.get(), length);
  } else {
    char* const text = reinterpret_cast<char*>(buffer.get());
    std::memcpy(text, bytes.get(), count);
    Parse8Bit(text, count);
  }
  m_buffers.push_back(std::move(buffer));
  return true;
}

void ClosedCaption::Parse8Bit(char* text, size_t length) {
  ParseLines(text, length, [this](const CaptionFields<char>& fields) {
    auto entry = std::make_unique<CaptionEntry>();
    entry->number = ValueTokenizer::DecimalValue(fields.number);
    entry->name = fields.name;
    entry->text = fields.text;
    m_entries.push_back(std::move(entry));
  });
}

void ClosedCaption::ParseUtf16(char16_t* text, size_t length) {
  ParseLines(text, length, [this](const CaptionFields<char16_t>& fields) {
    auto entry = std::make_unique<CaptionEntry>();
    entry->number = WideDecimalValue(fields.number);
    entry->wideName = fields.name;
    entry->wideText = fields.text;
    m_entries.push_back(std::move(entry));
  });
}

const CaptionEntry* ClosedCaption::Find(int32_t number) const {
  for (const std::unique_ptr<CaptionEntry>& entry : m_entries) {
    if (entry->number == number) return entry.get();
  }
  return nullptr;
}

void ClosedCaption::Show(int32_t number, int32_t durationMs) {
  if (gCaptionsOn == 0) return;
  const CaptionEntry* entry = Find(number);
  if (!entry) {
    Clear();
    return;
  }
  if (entry->IsWide()) {
    if (m_nameObject) m_nameObject->SetWideText(entry->wideName);
    if (m_textObject) m_textObject->SetWideText(entry->wideText);
  } else {
    if (m_nameObject) m_nameObject->SetText(entry->name);
    if (m_textObject) m_textObject->SetText(entry->text);
  }
  const int32_t pages = std::max(PageCount(), 1);
  m_pageTime = durationMs / pages;
  m_deadline = Now() + static_cast<uint32_t>(m_pageTime) + kPageGraceMs;
  m_currentPage = 1;
  ShowObjects();
  Start();
}

void ClosedCaption::Hide() {
  Clear();
  Stop();
}

void ClosedCaption::Clear() {
  Empty(m_nameObject);
  Empty(m_textObject);
  HideIfShown(m_nameObject);
  HideIfShown(m_barObject);
  HideIfShown(m_textObject);
}

void ClosedCaption::ShowObjects() {
  ShowIfHidden(m_textObject);
  ShowIfHidden(m_nameObject);
  ShowIfHidden(m_barObject);
}

int ClosedCaption::Update() {
  const uint32_t now = Now();
  if (now <= m_deadline) return 0;
  if (m_currentPage >= PageCount()) {
    Hide();
    return 0;
  }
  ++m_currentPage;
  if (m_textObject && m_textObject->GetTextBox()) m_textObject->GetTextBox()->ScrollPages(1);
  m_deadline = now + static_cast<uint32_t>(m_pageTime) + kPageGraceMs;
  return 0;
}

int32_t ClosedCaption::PageCount() const {
  return m_textObject && m_textObject->GetTextBox() ? m_textObject->GetTextBox()->GetPageCount() : 0;
}

uint32_t ClosedCaption::Now() const {
  return m_useGameClock ? GameClock::Instance().GetTime() : ApplicationClock::Instance().GetTime();
}
