// Fatal errors as the program's top-level handler takes them: a text thrown as a C string.
#include "framework/ThrowErrorText.h"

#include <cstdio>

namespace {
// Room for a full line of an object-definition file as the name, and the words around it.
char gErrorText[512];
}  // namespace

void ThrowErrorText(const char* format, const char* name) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(gErrorText, sizeof(gErrorText), format, name ? name : "");
#pragma GCC diagnostic pop
  throw static_cast<const char*>(gErrorText);
}

void ThrowErrorText(const char* format, const char* name, const char* second) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(gErrorText, sizeof(gErrorText), format, name ? name : "", second ? second : "");
#pragma GCC diagnostic pop
  throw static_cast<const char*>(gErrorText);
}
