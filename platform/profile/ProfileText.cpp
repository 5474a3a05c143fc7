// The text of a profile file: [section] headers and key=value lines, looked up and changed in place.
#include "platform/profile/ProfileText.h"

#include "platform/win/kernel/AsciiCase.h"

namespace plat::profile {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}

// The section a header line names, or nothing for a line that is no header.
std::optional<std::string_view> HeaderName(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const auto close = text.rfind(']');
  const std::string_view name =
      close == std::string_view::npos || close == 0 ? text.substr(1) : text.substr(1, close - 1);
  return Trim(name);
}

}  // namespace

ProfileText::Line ProfileText::LineAt(size_t begin) const {
  const auto feed = m_bytes.find('\n', begin);
  if (feed == std::string::npos) {
    const size_t size = m_bytes.size();
    return {begin, size > begin && m_bytes[size - 1] == '\r' ? size - 1 : size, size};
  }
  const size_t end = feed > begin && m_bytes[feed - 1] == '\r' ? feed - 1 : feed;
  return {begin, end, feed + 1};
}

std::optional<ProfileText::KeyLine> ProfileText::FindKey(std::string_view section,
                                                         std::string_view key) const {
  bool inSection = false;
  for (size_t at = 0; at < m_bytes.size();) {
    const Line line = LineAt(at);
    at = line.next;
    const std::string_view text(m_bytes.data() + line.begin, line.end - line.begin);
    if (const auto name = HeaderName(text)) {
      inSection = EqualsIgnoringCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    const std::string_view content = Trim(text);
    if (content.empty() || content.front() == ';') continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    if (EqualsIgnoringCase(Trim(text.substr(0, equals)), key)) {
      return KeyLine{line, std::string(Trim(text.substr(equals + 1)))};
    }
  }
  return std::nullopt;
}

std::optional<ProfileText::Line> ProfileText::LastLineOfSection(std::string_view section) const {
  std::optional<Line> last;
  for (size_t at = 0; at < m_bytes.size();) {
    const Line line = LineAt(at);
    at = line.next;
    const std::string_view text(m_bytes.data() + line.begin, line.end - line.begin);
    if (const auto name = HeaderName(text)) {
      if (last) return last;  // the section ended at this header
      if (EqualsIgnoringCase(*name, section)) last = line;
    } else if (last && !Trim(text).empty()) {
      last = line;
    }
  }
  return last;
}

std::string ProfileText::LineEnd() const {
  const auto feed = m_bytes.find('\n');
  if (feed == std::string::npos) return "\r\n";
  return feed > 0 && m_bytes[feed - 1] == '\r' ? "\r\n" : "\n";
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
  if (auto found = FindKey(section, key)) return std::move(found->value);
  return std::nullopt;
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string entry = std::string(key) + "=" + std::string(value);
  if (const auto found = FindKey(section, key)) {
    m_bytes.replace(found->line.begin, found->line.end - found->line.begin, entry);
    return;
  }
  const std::string end = LineEnd();
  if (const auto last = LastLineOfSection(section); last && last->next < m_bytes.size()) {
    m_bytes.insert(last->next, entry + end);
    return;
  } else if (last) {
    // The section's last line is the text's last, perhaps without a line end of its own.
    EndLastLine(end);
    m_bytes += entry + end;
    return;
  }
  EndLastLine(end);
  m_bytes += "[" + std::string(section) + "]" + end + entry + end;
}

void ProfileText::EndLastLine(const std::string& end) {
  if (m_bytes.empty() || m_bytes.back() == '\n') return;
  m_bytes += m_bytes.back() == '\r' ? std::string("\n") : end;
}

}  // namespace plat::profile
