// The content set's text resources.
#include "fixture-content/TextContent.h"

#include <cstdlib>

namespace fixture {

std::string CrLfText(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

std::string ObjectFileText(const ObjectFileSpec& file) {
  std::vector<std::string> lines;
  for (const ObjectSpec& object : file.m_objects) {
    std::string header = "[" + object.m_class + " " + object.m_name;
    if (!object.m_sprite.empty()) header += " " + object.m_sprite;
    lines.push_back(header + "]");
    lines.push_back("x = " + std::to_string(object.m_x));
    lines.push_back("y = " + std::to_string(object.m_y));
    for (const auto& [key, value] : object.m_properties) lines.push_back(key + " = " + value);
    lines.push_back("");
  }
  return CrLfText(lines);
}

std::string CaptionFileText(const std::vector<SpokenLineSpec>& lines) {
  std::vector<std::string> out;
  for (const SpokenLineSpec& line : lines)
    out.push_back(std::to_string(std::strtol(line.m_name.c_str(), nullptr, 10)) + " " + line.m_speaker + " " +
                  line.m_caption);
  return CrLfText(out);
}

std::string StringTableText() {
  const std::string text = CrLfText({"Pilo"});
  std::string out = "\xFF\xFE";
  for (const char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

}  // namespace fixture
