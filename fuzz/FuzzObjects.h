// What the object-definition fuzz targets ask of every load: it succeeds (an empty input reads as a
// file that is not there) or throws only the loader's own two texts, and no two listed objects share
// a name in any letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/GenericObject.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "platform/win/kernel/AsciiCase.h"

namespace fuzzobjects {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

inline void LoadChecked(const char* definitions, ObjectList& list, size_t size) {
  try {
    // An empty memory stream cannot tell its size, and reads as a resource that is not there.
    Require(ObjectDefinitionLoader::Instance().Load(definitions, list) || size == 0);
  } catch (const char* text) {
    Require(StartsWith(text, "Error: Object with duplicate name '") ||
            StartsWith(text, "Failed to load sprite '"));
  }
}

inline void RequireUniqueNames(const ObjectList& list) {
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    for (int32_t j = i + 1; j < list.GetCount(); ++j)
      Require(!plat::EqualsIgnoringCase(list.At(i)->GetName(), list.At(j)->GetName()));
  }
}

}  // namespace fuzzobjects
