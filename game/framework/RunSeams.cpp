// The program's two seams for repeatable runs, read only from the environment.
#include "framework/RunSeams.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "core/Trace.h"
#include "platform/win/kernel/Timer.h"

namespace {

constexpr unsigned long kMaxFrameStep = 1000;

int32_t gFrameStep = -1;
uint32_t gFrameTime = 0;

uint32_t FrameTime() {
  return gFrameTime;
}

// The whole text as a number (decimal, or hexadecimal after "0x") no larger than max.
bool ParseNumber(const char* text, unsigned long max, unsigned long& value) {
  if (!text || *text < '0' || *text > '9') return false;  // no sign, no blanks
  // Base 10 unless "0x": a leading 0 is not taken as octal.
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = hex ? text + 2 : text;
  if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoul(digits, &end, hex ? 16 : 10);
  return errno == 0 && end != digits && *end == '\0' && value <= max;
}

}  // namespace

unsigned int StartSeed() {
  const char* text = std::getenv("PILO_SEED");
  unsigned long seed = 0;
  if (text && ParseNumber(text, 0xFFFFFFFFul, seed)) {
    Qel::Trace("INFO: PILO_SEED: the random generator is seeded with %lu instead of the time.\n", seed);
    return static_cast<unsigned int>(seed);
  }
  if (text)
    Qel::Trace(
        "WARN: PILO_SEED '%s' is not a number from 0 to 4294967295; the time seeds the random generator.\n",
        text);
  return static_cast<unsigned int>(std::time(nullptr));
}

void InstallFrameTime() {
  const char* text = std::getenv("PILO_FRAME_MS");
  if (!text) return;
  unsigned long step = 0;
  if (!ParseNumber(text, kMaxFrameStep, step)) {
    Qel::Trace("WARN: PILO_FRAME_MS '%s' is not a number from 0 to %lu; the clock is read.\n", text,
               kMaxFrameStep);
    return;
  }
  gFrameStep = static_cast<int32_t>(step);
  gFrameTime = 0;
  plat::win::SetTimeSourceForTesting(&FrameTime);
  Qel::Trace("INFO: PILO_FRAME_MS: the system time moves by %lu ms a frame instead of reading the clock.\n",
             step);
}

void AdvanceFrameTime() {
  if (gFrameStep > 0) gFrameTime += static_cast<uint32_t>(gFrameStep);
}

int32_t GetFrameTimeStep() {
  return gFrameStep;
}

void ResetFrameTimeForTesting() {
  gFrameStep = -1;
  gFrameTime = 0;
  plat::win::SetTimeSourceForTesting(nullptr);
}
