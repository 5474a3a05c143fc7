// The program's two seams for repeatable runs, read only from the environment: a fixed seed for the
// random generator (PILO_SEED) and a system time that moves by a fixed step each frame (PILO_FRAME_MS).
#pragma once

#include <cstdint>

// PILO_SEED as a decimal or "0x" hexadecimal number up to 2^32 - 1 replaces the time seed, and the
// trace says so; without it (or with a value that is not such a number, which is traced) the time
// at start-up seeds the generator.
unsigned int StartSeed();

// PILO_FRAME_MS as a whole number of milliseconds from 0 to 1000: from now on the system time source
// reads a count that starts at 0 and moves by that step at each AdvanceFrameTime, instead of the
// clock, so every clock of the game (and the movies) advances by the step per frame and stands
// still with 0. Traced when taken, and when the value is refused (the clock is read then).
void InstallFrameTime();

// One frame's step of the frame time; nothing unless InstallFrameTime took PILO_FRAME_MS.
void AdvanceFrameTime();

// The step taken, or -1 while the clock is read.
int32_t GetFrameTimeStep();

// Test seam: the clock is read again and no step is taken, as before InstallFrameTime.
void ResetFrameTimeForTesting();
