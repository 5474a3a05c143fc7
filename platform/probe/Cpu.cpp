// The processor's own instructions behind the clock probe: the identification flag, CPUID and the
// time-stamp counter.
#include "platform/probe/Cpu.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define PLAT_PROBE_X86 1
#endif

namespace plat::probe {

#ifdef PLAT_PROBE_X86

bool CanToggleIdentificationFlag() {
  constexpr uint64_t kIdentificationBit = 0x200000;
  // The builtins push and pop the flags without trampling the red zone below the stack pointer.
  const uint64_t original = __readeflags();
  __writeeflags(original ^ kIdentificationBit);
  const uint64_t toggled = __readeflags();
  __writeeflags(original);
  return ((original ^ toggled) & kIdentificationBit) != 0;
}

void Cpuid(uint32_t function, uint32_t registers[4]) {
  __cpuid(function, registers[0], registers[1], registers[2], registers[3]);
}

uint64_t ReadTimeStampCounter() {
  return __rdtsc();
}

#else

bool CanToggleIdentificationFlag() {
  return false;
}

void Cpuid(uint32_t /*function*/, uint32_t registers[4]) {
  for (int i = 0; i < 4; ++i) registers[i] = 0;
}

uint64_t ReadTimeStampCounter() {
  return 0;
}

#endif

}  // namespace plat::probe
