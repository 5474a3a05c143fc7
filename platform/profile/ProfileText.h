// The text of a profile file: [section] headers and key=value lines, looked up and changed in place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plat::profile {

// Section and key names compare without regard to ASCII case. A line whose first non-blank
// character is "[" starts a section (its name runs to the last "]"); a line holding "=" is a key
// (blanks and tabs around the key and the value are not part of them); every other line (";"
// comments, blank lines, lines without "=") belongs to no key. Keys before the first header belong
// to no section. Lines end with LF, CR LF or the end of the text.
class ProfileText {
public:
  explicit ProfileText(std::string bytes) : m_bytes(std::move(bytes)) {}

  // The value of the first key of that name in the sections of that name, in file order.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Changes only the line of that key to "key=value" (keeping its line end), or adds the line after
  // the last non-blank line of the first section of that name, or adds the section at the end.
  // Every other byte stays. New line ends follow the text's first one; a text without one (a file
  // being made) gets CR LF, as the game's own files and the ones seeded for it have.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  const std::string& Bytes() const { return m_bytes; }

private:
  struct Line {
    size_t begin;  // first byte
    size_t end;    // one past the last byte before the line end
    size_t next;   // first byte of the next line (the text's size after the last)
  };
  struct KeyLine {
    Line line;
    std::string value;
  };

  Line LineAt(size_t begin) const;
  std::optional<KeyLine> FindKey(std::string_view section, std::string_view key) const;
  // The last non-blank line of the first section of that name, its header included.
  std::optional<Line> LastLineOfSection(std::string_view section) const;
  std::string LineEnd() const;
  // Gives the text's last line a line end when it has none; a lone CR that ends the text already
  // ends its line and only gets its LF.
  void EndLastLine(const std::string& end);

  std::string m_bytes;
};

}  // namespace plat::profile
