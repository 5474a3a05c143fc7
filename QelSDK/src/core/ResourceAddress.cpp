// Resources are addressed by a type code made from their extension and a hash of their base name.
#include "core/ResourceAddress.h"

#include <cstring>

#include "platform/win/kernel/AsciiCase.h"

namespace Qel {

uint32_t NameHash(const char* name) {
  if (!name) return 0;
  uint32_t hash = 0;
  for (size_t i = std::strlen(name); i-- > 0;) {
    const int c = static_cast<signed char>(plat::AsciiToUpper(name[i]));
    hash = static_cast<uint32_t>(c) + 38u * hash;
  }
  return hash;
}

uint32_t TypeCodeFromExtension(const char* ext) {
  if (!ext) return kTypeNone;
  if (*ext == '.') ++ext;
  uint32_t code = 0;
  for (int i = 0; i < 4; ++i) {
    char c = ' ';
    if (*ext) {
      c = plat::AsciiToLower(*ext++);
    }
    code = (code << 8) | static_cast<uint8_t>(c);
  }
  return code;
}

}  // namespace Qel
