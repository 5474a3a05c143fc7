// The debug trace: "INFO:", "WARN:" and "ERROR:" lines that go to stderr only when PILO_TRACE=1.
#include "core/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Qel {

// Read at every line rather than once per process, so that the switch follows the setting when it
// changes (a test turns it on for its case only); a look-up costs some 30 ns, and a line that is
// written costs far more.
bool IsTraceOn() {
  const char* value = std::getenv("PILO_TRACE");
  return value && std::strcmp(value, "1") == 0;
}

void Trace(const char* format, ...) {
  if (!IsTraceOn()) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

}  // namespace Qel
