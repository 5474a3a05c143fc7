// The C runtime's rand/srand with its 15-bit range (0..32767), which the game's arithmetic assumes.
#pragma once

namespace plat::win {

inline constexpr int RAND_MAX_15 = 0x7FFF;

void srand(unsigned int seed);
int rand();

}  // namespace plat::win
