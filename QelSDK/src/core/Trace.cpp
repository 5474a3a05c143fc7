// The debug trace: "INFO:", "WARN:" and "ERROR:" lines that go to stderr only when PILO_TRACE=1.
#include "core/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Qel {

bool IsTraceOn() {
  static const bool on = [] {
    const char* value = std::getenv("PILO_TRACE");
    return value && std::strcmp(value, "1") == 0;
  }();
  return on;
}

void Trace(const char* format, ...) {
  if (!IsTraceOn()) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

}  // namespace Qel
