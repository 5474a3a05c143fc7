// The text resources of the content set, as the game's readers read them.
#pragma once

#include <string>
#include <vector>

#include "fixture-content/ContentSpec.h"

namespace fixture {

// Lines ended by CR LF, the last one too (the object-file reader skips a last line without an end).
std::string CrLfText(const std::vector<std::string>& lines);

// "[class name sprite]" and "x = ", "y = " and the other properties, one object after the other.
std::string ObjectFileText(const ObjectFileSpec& file);

// "number speaker text" a line; the number is the line's name read as a decimal.
std::string CaptionFileText(const std::vector<SpokenLineSpec>& lines);

// "PiloStr.txt": the string table, UTF-16 little-endian after its byte-order mark, CR LF.
std::string StringTableText();

}  // namespace fixture
