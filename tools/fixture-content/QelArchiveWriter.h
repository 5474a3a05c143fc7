// ".qel" archives: zip files whose members are deflated with zlib.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fixture {

// Members in the given order, by name ("Cursor.qela"), each deflated unless that would not make it
// smaller (then stored); no time stamps other than a fixed one, so the bytes depend only on the members.
std::string WriteQelArchive(const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace fixture
