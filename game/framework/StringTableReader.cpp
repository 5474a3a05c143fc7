// The reader of the string table "PiloStr.txt": UTF-16 lines converted into the layout's code page.
#include "framework/StringTableReader.h"

#include <string>
#include <vector>

#include "platform/win/kernel/CodePage.h"

namespace {

constexpr char16_t kCarriageReturn = 0x000D;
constexpr char16_t kLineFeed = 0x000A;

std::u16string ReadUnits(Qel::Stream& stream) {
  std::vector<unsigned char> bytes;
  unsigned char chunk[4096];
  for (;;) {
    uint32_t size = sizeof(chunk);
    const bool ok = stream.Read(chunk, size);
    bytes.insert(bytes.end(), chunk, chunk + size);
    if (!ok || size < sizeof(chunk)) break;
  }
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return units;
}

void Convert(const std::u16string& line, unsigned codePage, const std::function<void(const char*)>& onLine) {
  const int count = static_cast<int>(line.size());
  const int needed =
      plat::win::WideCharToMultiByte(codePage, 0, line.data(), count, nullptr, 0, nullptr, nullptr);
  std::string text(needed > 0 ? static_cast<size_t>(needed) : 0, '\0');
  if (needed > 0) {
    plat::win::WideCharToMultiByte(codePage, 0, line.data(), count, text.data(), needed, nullptr, nullptr);
  }
  // Cut to the buffer the texts live in; the terminator always fits.
  if (text.size() > StringTableReader::kTextCapacity - 1) text.resize(StringTableReader::kTextCapacity - 1);
  onLine(text.c_str());
}

}  // namespace

void StringTableReader::Read(Qel::Stream& stream, unsigned codePage,
                             const std::function<void(const char* text)>& onLine) {
  const std::u16string units = ReadUnits(stream);
  size_t position = units.empty() ? 0 : 1;  // the byte-order mark is skipped unread
  while (position < units.size()) {
    size_t end = position;
    while (end < units.size() && units[end] != kCarriageReturn && units[end] != kLineFeed) ++end;
    const std::u16string line = units.substr(position, end - position);
    position = end;
    if (position < units.size() && units[position] == kCarriageReturn) ++position;
    if (position < units.size() && units[position] == kLineFeed) ++position;
    if (line.empty() || line[0] == u';' || line[0] == u'[') continue;
    Convert(line, codePage, onLine);
  }
}
