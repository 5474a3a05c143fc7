// The Windows form of a Linux path as the file layer shows it: drive Z: is the root.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

namespace test {

inline std::string WindowsPathOf(const std::filesystem::path& linuxPath) {
  std::string text = std::filesystem::absolute(linuxPath).lexically_normal().string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return "Z:" + text;
}

}  // namespace test
