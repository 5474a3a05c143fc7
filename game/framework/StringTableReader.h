// The reader of the string table "PiloStr.txt": UTF-16 lines converted into the layout's code page.
#pragma once

#include <cstddef>
#include <functional>

#include "core/Stream.h"

class StringTableReader {
public:
  // Texts are stored in 256-byte buffers: a longer line keeps its first 255 bytes.
  static constexpr size_t kTextCapacity = 256;

  // Skips the two-byte byte-order mark, comment lines (";" or "[" first) and empty lines, and hands
  // every other line, converted into codePage and terminated, to onLine. Lines end at CR LF; a lone
  // CR or LF also ends one, and the last line needs no end. A trailing odd byte is ignored.
  static void Read(Qel::Stream& stream, unsigned codePage,
                   const std::function<void(const char* text)>& onLine);
};
