// The process-wide registry of stored-image palettes by id, and the reader of a palette block.
#include "graphics/PaletteRegistry.h"

#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <vector>

#include "core/LittleEndian.h"
#include "graphics/Palette.h"
#include "graphics/SquishFile.h"

namespace Qel {
namespace {

// A file that cannot tell its size gets no palette larger than any stored image could index.
constexpr uint64_t kMaxEntriesOfUnsizedFile = 65536;

// Built before main and torn down at exit, deleting the palettes still registered.
std::map<uint32_t, std::unique_ptr<Palette>> sPalettes;

void PurgeUnreferenced() {
  for (auto it = sPalettes.begin(); it != sPalettes.end();) {
    it = it->second->GetReferenceCount() == 0 ? sPalettes.erase(it) : std::next(it);
  }
}

bool ReadU32(SquishFile& file, uint32_t& value) {
  uint8_t bytes[4] = {};
  if (!file.Read(bytes, sizeof bytes)) return false;
  value = ReadLE32(bytes);
  return true;
}

// Whether the file can still hold this many bytes.
bool FileHolds(SquishFile& file, uint64_t bytes) {
  const int64_t left = file.GetBytesLeft();
  if (left < 0) return bytes <= kMaxEntriesOfUnsizedFile * 4;
  return bytes <= static_cast<uint64_t>(left);
}

// The palette a block names, handed back without a reference of the block's own: the header that
// attaches it takes the one reference, so that a palette no header holds can be purged.
Palette* WithoutOwnReference(Palette* palette) {
  if (palette) palette->ReleaseReference();
  return palette;
}

}  // namespace

Palette* FindPalette(uint32_t id) {
  const auto found = sPalettes.find(id);
  if (found == sPalettes.end()) return nullptr;
  found->second->AddReference();
  return found->second.get();
}

Palette* RegisterPalette(uint32_t count, const uint32_t* colors) {
  const uint32_t id = Palette::ComputeId(count, colors);
  if (Palette* existing = FindPalette(id)) return existing;
  auto palette = std::make_unique<Palette>();
  if (!palette->Allocate(count)) return nullptr;
  if (count) std::memcpy(palette->GetColors(), colors, size_t{count} * sizeof(uint32_t));
  palette->SetId(id);
  PurgeUnreferenced();
  Palette* registered = palette.get();
  sPalettes[id] = std::move(palette);
  return registered;
}

Palette* ReadPalette(SquishFile& file) {
  uint32_t id = 0;
  if (!ReadU32(file, id)) return nullptr;
  Palette* found = FindPalette(id);
  uint32_t count = 0;
  // Computed in 64 bits: four times a 32-bit count wraps.
  if (!ReadU32(file, count) || !FileHolds(file, uint64_t{count} * 4)) {
    WithoutOwnReference(found);
    return nullptr;
  }
  if (found) {
    const uint64_t skip = uint64_t{count} * 4;
    if (skip > 0x7FFFFFFF || !file.Seek(static_cast<int32_t>(skip), 3)) {
      WithoutOwnReference(found);
      return nullptr;
    }
    return WithoutOwnReference(found);
  }
  if (count == 0) return nullptr;
  std::vector<uint8_t> entries;
  try {
    entries.assign(size_t{count} * 4, 0xFF);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!file.Read(entries.data(), static_cast<uint32_t>(entries.size()))) return nullptr;
  std::vector<uint32_t> colors(count);
  for (uint32_t i = 0; i < count; ++i) colors[i] = ReadLE32(entries.data() + size_t{i} * 4);
  // The stored id only finds palettes; one of the same colour sum may be registered all the same.
  if (Palette* same = FindPalette(Palette::ComputeId(count, colors.data()))) return WithoutOwnReference(same);
  return RegisterPalette(count, colors.data());
}

}  // namespace Qel
