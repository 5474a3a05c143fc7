// The C runtime's rand/srand with its 15-bit range (0..32767), which the game's arithmetic assumes.
#include "platform/win/kernel/Random.h"

#include <cstdint>

namespace plat::win {
namespace {
// A linear congruential generator whose upper bits give the 15-bit range; the state is per process,
// as the game runs everything on one thread.
uint32_t gState = 1;
}  // namespace

void srand(unsigned int seed) {
  gState = seed;
}

int rand() {
  gState = gState * 214013u + 2531011u;
  return static_cast<int>((gState >> 16) & 0x7FFFu);
}

}  // namespace plat::win
