// The program's one pseudo-random generator. Its formula is fixed so that a
// given state plays the same game on every platform and compiler.
#pragma once

#include <cstdint>

// The generator's state: 1 until seeded. Tests read and set it directly.
extern uint32_t randomState;

// Seeds the generator (start-up passes the millisecond tick count).
void SeedRandom(uint32_t seed);

// Advances the state (state * 214013 + 2531011, modulo 2^32) and returns
// bits 16 to 30 of the new state: a value from 0 to 32767.
int32_t NextRandom();
