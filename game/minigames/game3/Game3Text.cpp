// The music game's names and note tokens.
#include "game3/Game3Text.h"

#include <cctype>
#include <cstring>

#include "platform/win/kernel/AsciiCase.h"

namespace game3 {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool StartsWith(const char* text, const char* prefix) {
  if (!text || !prefix) return false;
  const size_t length = std::strlen(prefix);
  return std::strlen(text) >= length && plat::EqualsIgnoringCase(std::string_view(text, length), prefix);
}

int TrackOfObjectName(const char* name) {
  if (!StartsWith(name, "char") || std::strlen(name) != 5) return -1;
  const char digit = name[4];
  return digit >= '0' && digit < '0' + Game3Node::kTrackCount ? digit - '0' : -1;
}

int TrackOfSoundName(const char* name) {
  if (!StartsWith(name, "char") || std::strlen(name) < 6) return -1;
  const char digit = name[4];
  if (digit < '0' || digit >= '0' + Game3Node::kTrackCount || name[5] != '_') return -1;
  return digit - '0';
}

int TrackOfCharacterName(const char* text) {
  if (!text) return -1;
  for (int i = 0; i < Game3Node::kTrackCount; ++i) {
    if (plat::EqualsIgnoringCase(text, kCharacterNames[i])) return i;
  }
  return -1;
}

std::optional<Game3Node::Note> ParseNoteToken(const char* token) {
  if (!token) return std::nullopt;
  if (!IsLetter(token[0]) || !IsDigit(token[1]) || token[2] != ':' || !IsDigit(token[3])) return std::nullopt;
  int32_t length = 0;
  for (const char* c = token + 3; IsDigit(*c); ++c) {
    length = length * 10 + (*c - '0');
    if (length > Game3Node::kLongestNote) return std::nullopt;
  }
  Game3Node::Note note;
  note.letter = static_cast<uint8_t>(plat::AsciiToUpper(token[0]) - 'A');
  note.loop = token[1] != '0';
  note.length = static_cast<int16_t>(length);
  return note;
}

}  // namespace game3
