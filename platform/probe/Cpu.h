// The processor's own instructions behind the clock probe: the identification flag, CPUID and the
// time-stamp counter.
#pragma once

#include <cstdint>

namespace plat::probe {

// Whether bit 21 (0x200000) of the flags register can be toggled, the test for a CPUID
// instruction. Always false away from x86.
bool CanToggleIdentificationFlag();

// CPUID with function in EAX; registers receives EAX, EBX, ECX, EDX (all 0 away from x86). The
// instruction also serialises, so a counter read after it is not taken early.
void Cpuid(uint32_t function, uint32_t registers[4]);

// Bit 4 of EDX of CPUID function 1.
inline constexpr uint32_t kCpuidTimeStampCounterBit = 0x10;

// RDTSC; 0 away from x86.
uint64_t ReadTimeStampCounter();

}  // namespace plat::probe
