// The reader of key = value text data (the settings file and 'txt ' resources) into a target.
#include "framework/TxtDataManager.h"

#include <new>
#include <string>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Trace.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

constexpr std::string_view kLineEnds("\n\r\0", 3);
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kTrailingSpace = " \t\r\n";

// Reads from the current position to the end. The size the stream reports only sizes the buffer:
// a stream that delivers more or less than it announced is still read exactly.
bool ReadRest(Qel::Stream& stream, std::string& data) {
  constexpr uint32_t kChunk = 64 * 1024;
  const uint32_t announced = stream.GetSize();
  if (announced != Qel::kInvalidStreamValue) data.reserve(std::min<uint32_t>(announced, 16 * kChunk));
  stream.TakeError();
  std::string chunk(kChunk, '\0');
  for (;;) {
    uint32_t size = kChunk;
    const bool complete = stream.Read(chunk.data(), size);
    data.append(chunk.data(), std::min(size, kChunk));
    if (!complete || size == 0) break;
  }
  const int error = stream.TakeError();
  return error == Qel::kStreamErrorNone || error == Qel::kStreamErrorEnd;
}

}  // namespace

TxtDataManager& TxtDataManager::Instance() {
  static TxtDataManager instance;
  return instance;
}

bool TxtDataManager::ParseStream(const std::shared_ptr<Qel::Stream>& stream, IHasLoadableTxtData& target) {
  if (!stream) return false;
  std::string data;
  // The whole text is held at once: a huge resource may not fit, which is a failed read rather
  // than the end of the program.
  bool read = false;
  try {
    read = ReadRest(*stream, data);
  } catch (const std::bad_alloc&) {
    Qel::Trace("ERROR: TxtDataManager: no memory for the text data\n");
    return false;
  }
  if (!read) {
    Qel::Trace("ERROR: TxtDataManager: the text data could not be read\n");
    return false;
  }
  ParseData(data, target);
  return true;
}

bool TxtDataManager::LoadTxtData(const char* name, IHasLoadableTxtData& target) {
  if (!name) return false;
  std::shared_ptr<Qel::Stream> stream;
  Qel::ResourceManager::GetInstance()->OpenStream(Qel::NameHash(name), Qel::kTypeText, stream);
  if (!stream) {
    Qel::Trace("WARN: TxtDataManager: no text data named \"%s\"\n", name);
    return false;
  }
  return ParseStream(stream, target);
}

void TxtDataManager::ParseData(std::string_view data, IHasLoadableTxtData& target) {
  std::string_view::size_type start = 0;
  for (;;) {
    const auto end = data.find_first_of(kLineEnds, start);
    std::string_view line = data.substr(start, end == std::string_view::npos ? data.npos : end - start);
    if (line.size() > kMaxLineLength) {
      Qel::Trace("WARN: TxtDataManager: a line of %zu characters was cut to %zu\n", line.size(),
                 kMaxLineLength);
      line = line.substr(0, kMaxLineLength);
    }
    ParseLine(line, target);
    // The last line needs no line end.
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void TxtDataManager::ParseLine(std::string_view text, IHasLoadableTxtData& target) {
  std::string line(text.substr(0, text.find(';')));
  const auto equals = line.find('=');
  if (equals == std::string::npos) return;
  for (char& c : line) c = plat::AsciiToLower(c);

  const std::string_view left = std::string_view(line).substr(0, equals);
  const auto keyStart = left.find_first_not_of(kBlanks);
  if (keyStart == std::string_view::npos) return;
  const std::string key(left.substr(keyStart, left.find_first_of(kBlanks, keyStart) - keyStart));

  const std::string_view right = std::string_view(line).substr(equals + 1);
  const auto valueStart = right.find_first_not_of(kBlanks);
  if (valueStart == std::string_view::npos) return;
  const auto valueEnd = right.find_last_not_of(kTrailingSpace);
  if (valueEnd == std::string_view::npos || valueEnd < valueStart) return;
  const std::string value(right.substr(valueStart, valueEnd + 1 - valueStart));

  target.SetTxtValue(key.c_str(), value.c_str());
}
