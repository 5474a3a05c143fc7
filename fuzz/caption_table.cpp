// Fuzz target: the settings tool's caption table on arbitrary bytes as its caption file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "settings-tool/CaptionTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The table reads from a file by name, as the dialog does; the fuzzer's working folder holds it.
  std::FILE* file = std::fopen("PiloConfig.ini", "wb");
  if (!file) return 0;
  if (size > 0 && std::fwrite(data, 1, size, file) != size) {
    std::fclose(file);
    return 0;
  }
  std::fclose(file);
  const CaptionTable table("PiloConfig.ini");
  for (const char* key : {"WindowTitle", "GfxHigh", "OkBut", ""}) {
    const char* value = table.GetString(key, nullptr);
    if (value && std::strlen(value) > 255) __builtin_trap();
  }
  table.GetInt("OkBut", 3);
  return 0;
}
