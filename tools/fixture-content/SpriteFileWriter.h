// Writes sprite files, in every version readers know, from a description of their content.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "fixture-content/SpriteFile.h"

namespace fixture {

// The file's bytes. When recordEnds is given it receives the offset at which each record ends, in file
// order (header, each animation's own fields, each frame, the image count, each placement, the old
// versions' set count, each image), so that tests can cut the file at every record boundary.
std::string WriteSpriteFile(const SpriteFile& file, std::vector<size_t>* recordEnds = nullptr);

}  // namespace fixture
