// A copy of the generated content set whose files are hard links to the set's own, for a test that
// removes or replaces some of them: a file changed is removed first and written anew, never written
// through its link.
#pragma once

#include <filesystem>

namespace test {

enum class Archives { kKept, kLeftOut };

// The set at from copied to to (anything there before goes first); without its archives the folders
// alone serve every database.
inline std::filesystem::path LinkContentSet(const std::filesystem::path& from, const std::filesystem::path& to,
                                            Archives archives) {
  std::filesystem::remove_all(to);
  std::filesystem::create_directories(to);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
    const std::filesystem::path target = to / std::filesystem::relative(entry.path(), from);
    if (entry.is_directory()) {
      std::filesystem::create_directories(target);
    } else if (archives == Archives::kKept || entry.path().extension() != ".qel") {
      std::filesystem::create_hard_link(entry.path(), target);
    }
  }
  return to;
}

}  // namespace test
