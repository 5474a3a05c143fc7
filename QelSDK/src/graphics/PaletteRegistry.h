// The process-wide registry of stored-image palettes by id, and the reader of a palette block.
#pragma once

#include <cstdint>

class SquishFile;

namespace Qel {

class Palette;

// The registered palette with that id, with one more reference; null when there is none.
Palette* FindPalette(uint32_t id);
// The palette of these colours: an existing one of the same colour sum (one more reference), or a new
// one with no reference yet. Unreferenced palettes are purged first. Null when it cannot be made.
Palette* RegisterPalette(uint32_t count, const uint32_t* colors);
// Reads a palette block (u32 id, u32 entry count, the entries). Null when the block cannot be read,
// holds no entries for an unknown id, or counts more entries than the file holds.
Palette* ReadPalette(SquishFile& file);

}  // namespace Qel
