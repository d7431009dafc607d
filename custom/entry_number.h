// The number in a field of the custom-game window.
#pragma once

#include <cstdint>

#include "model/cell.h"

// The standard decimal reading: leading white space skipped, an optional
// sign, then digits up to the first other character; no digits give 0.
// Returns false when the number does not fit in 32 bits.
Truth ReadEntryNumber(const char* text, int32_t* value);
