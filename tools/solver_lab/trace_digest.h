// A digest of the solver lab's traces: two runs with the same digest played
// the same games, step for step and square for square.
#pragma once

#include <cstdint>
#include <string>

#include "model/cell.h"

// The digest of nothing yet.
constexpr uint64_t emptyDigest = 0x6a09e667f3bcc908ull;

// Mixes one value into a digest; the order of the values matters.
uint64_t MixValue(uint64_t digest, uint64_t value);

// Mixes every character of a text, and its length, into a digest.
uint64_t MixText(uint64_t digest, const std::string& text);

// Mixes every field of every square into a digest, column by column.
uint64_t MixBoard(uint64_t digest, int32_t width, int32_t height, Board board);

// Mixes the state and the number of every square: what a step changes,
// Solver's scratch values apart.
uint64_t MixStates(uint64_t digest, int32_t width, int32_t height, Board board);

// The same, counting the Covered and the Marked squares on the way.
struct SquareTally {
    int32_t covered;
    int32_t marked;
};
uint64_t MixStates(uint64_t digest, int32_t width, int32_t height, Board board, SquareTally& tally);
