// Case folding and comparison of 8-bit text by ASCII rules: names, keys and settings compare the
// same whatever the process locale, and code-page letters above 127 are never folded.
#pragma once

#include <string>
#include <string_view>

namespace plat {

inline constexpr char AsciiToUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline constexpr char AsciiToLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiToUpper(c);
  return text;
}

inline std::string AsciiLower(std::string text) {
  for (char& c : text) c = AsciiToLower(c);
  return text;
}

inline constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::string_view::size_type i = 0; i < a.size(); ++i) {
    if (AsciiToUpper(a[i]) != AsciiToUpper(b[i])) return false;
  }
  return true;
}

}  // namespace plat
