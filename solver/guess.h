// Pass 6: when nothing is certain, estimate each covered square's chance of
// holding a mine and uncover the one with the lowest.
#pragma once

#include <cstdint>

#include "solver/solver.h"

// 2 after a safe guess, 8 with no candidate, 9 after hitting a mine. Squares
// that no number touches take `mineDensity` as their odds.
int32_t GuessSquare(const StepArguments& step, float mineDensity);
