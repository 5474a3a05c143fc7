// The debug trace: "INFO:", "WARN:" and "ERROR:" lines that go to stderr only when PILO_TRACE=1.
#pragma once

namespace Qel {

// printf-style; writes nothing unless the trace is on, as in the delivered program.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

bool IsTraceOn();

}  // namespace Qel
