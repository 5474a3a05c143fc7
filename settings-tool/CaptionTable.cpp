// The texts of the settings dialog, read from its UTF-16 caption file "PiloConfig.ini".
#include "settings-tool/CaptionTable.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

#include "platform/mfc/MessageBox.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Path.h"

namespace {

constexpr size_t kValueBufferSize = 256;
constexpr std::string_view kBlanks = " \t";

int KeyboardCodePage() {
  using namespace plat::win;
  const auto locale = static_cast<LCID>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)) & 0xFFFF);
  char text[12] = {};
  if (GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof(text)) == 0) return CP_ACP;
  return std::atoi(text);
}

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kBlanks) + 1 - first));
}

bool ReadBytes(const char* fileName, std::string& bytes) {
  std::string path;
  if (!fileName || !plat::win::ToLinuxPath(fileName, path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

CaptionTable::CaptionTable(const char* fileName) : m_codePage(KeyboardCodePage()) {
  Load(fileName);
}

CaptionTable::~CaptionTable() = default;

const char* CaptionTable::GetString(const char* key, const char* defaultValue) const {
  if (key) {
    for (size_t i = 0; i < m_keys.size(); ++i) {
      if (plat::EqualsIgnoringCase(m_keys[i], key)) return m_values[i].c_str();
    }
  }
  return defaultValue;
}

int CaptionTable::GetInt(const char* key, int defaultValue) const {
  char text[16];
  std::snprintf(text, sizeof(text), "%d", defaultValue);
  return std::atoi(GetString(key, text));
}

std::string CaptionTable::FindFile(const char* fileName) {
  using namespace plat::win;
  const DWORD attributes = GetFileAttributesA(fileName);
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return fileName;
  char program[4096];
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  std::string folder;
  if (length == 0 || length >= sizeof program || !ToLinuxPath(program, folder)) return fileName;
  const auto slash = folder.rfind('/');
  if (slash == std::string::npos) return fileName;
  return folder.substr(0, slash + 1) + fileName;
}

bool CaptionTable::Load(const char* fileName) {
  std::string bytes;
  if (!ReadBytes(fileName, bytes)) {
    const std::string message = std::string("Error: Can't open config file ") + (fileName ? fileName : "");
    plat::mfc::MessageBoxA(nullptr, message.c_str(), "Error", plat::mfc::MB_OK);
    return false;
  }
  // The byte-order mark is taken on trust; a trailing odd byte is half a unit and no text.
  std::u16string units;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  Parse(units);
  return true;
}

void CaptionTable::Parse(const std::u16string& units) {
  const char16_t* p = units.data();
  const char16_t* const end = p + units.size();
  while (p < end) {
    const char16_t* lineEnd = p;
    while (lineEnd < end && *lineEnd != u'\n') ++lineEnd;
    const char16_t* textEnd = lineEnd > p && lineEnd[-1] == u'\r' ? lineEnd - 1 : lineEnd;
    AddLine(p, textEnd);
    p = lineEnd < end ? lineEnd + 1 : end;
  }
}

void CaptionTable::AddLine(const char16_t* begin, const char16_t* end) {
  if (begin == end || *begin == u';' || *begin == u'[') return;
  const char16_t* equals = begin;
  while (equals < end && *equals != u'=') ++equals;
  if (equals == end) return;  // no key and value: malformed

  std::string key;
  for (const char16_t* unit = begin; unit < equals; ++unit) key += static_cast<char>(*unit & 0xFF);

  std::string value;
  const int count = static_cast<int>(end - (equals + 1));
  if (count > 0) {
    const char16_t* wide = equals + 1;
    const int needed = plat::win::WideCharToMultiByte(static_cast<plat::win::UINT>(m_codePage), 0, wide,
                                                      count, nullptr, 0, nullptr, nullptr);
    if (needed > 0) {
      value.resize(static_cast<size_t>(needed));
      plat::win::WideCharToMultiByte(static_cast<plat::win::UINT>(m_codePage), 0, wide, count, value.data(),
                                     needed, nullptr, nullptr);
      if (value.size() > kValueBufferSize - 1) value.resize(kValueBufferSize - 1);
    }
  }
  m_keys.push_back(Trim(key));
  m_values.push_back(Trim(value));
}
