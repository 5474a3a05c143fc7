// Fuzz target: the profile-string reader and writer of "Pilo.ini" on arbitrary bytes as the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/profile/Profile.h"
#include "platform/profile/ProfileText.h"

namespace {

// A key written into any text reads back as written, and the bytes before its section stay.
void CheckInMemory(const std::string& bytes) {
  plat::profile::ProfileText text(bytes);
  text.Find("Config", "streammusic");
  text.Set("Config", "graphics", " 2");
  const auto value = text.Find("Config", "graphics");
  if (!value || *value != "2") __builtin_trap();
  text.Set("Other", "cpu", " 1000");
  if (text.Find("Config", "graphics") != value) __builtin_trap();
}

void CheckThroughTheFile(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen("Pilo.ini", "wb");
  if (!file) return;
  if (size > 0 && std::fwrite(data, 1, size, file) != size) {
    std::fclose(file);
    return;
  }
  std::fclose(file);
  char out[32];
  plat::profile::GetPrivateProfileStringA("Config", "streammusic", "true", out, sizeof(out), ".\\Pilo.ini");
  if (std::strlen(out) >= sizeof(out)) __builtin_trap();
  plat::profile::GetPrivateProfileIntA("Config", "graphics", 2, ".\\Pilo.ini");
  if (!plat::profile::WritePrivateProfileStringA("Config", "mem", " 256", ".\\Pilo.ini")) __builtin_trap();
  if (plat::profile::GetPrivateProfileIntA("Config", "mem", 0, ".\\Pilo.ini") != 256) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckInMemory(std::string(reinterpret_cast<const char*>(data), size));
  CheckThroughTheFile(data, size);
  return 0;
}
