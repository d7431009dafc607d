#include "tools/solver_lab/trace_digest.h"

#include <cstring>

namespace {
constexpr uint64_t multiplier = 0x9e3779b97f4a7c15ull;

uint64_t Scramble(uint64_t value)
{
    value ^= value >> 31;
    value *= multiplier;
    return value ^ (value >> 29);
}

// All seven fields of a square in one word; each field keeps bits of its
// own for every value a square can hold.
uint64_t SquareWord(const Cell& cell)
{
    uint32_t oddsBits = 0;
    std::memcpy(&oddsBits, &cell.mineOdds, sizeof oddsBits);
    return static_cast<uint64_t>(cell.state) ^ (static_cast<uint64_t>(static_cast<uint32_t>(cell.adjacentMines)) << 4) ^
           (static_cast<uint64_t>(cell.assumedSafe) << 8) ^ (static_cast<uint64_t>(cell.isMine) << 10) ^
           (static_cast<uint64_t>(cell.dirty) << 12) ^
           (static_cast<uint64_t>(static_cast<uint32_t>(cell.oddsVotes)) << 14) ^
           (static_cast<uint64_t>(oddsBits) << 32);
}
}  // namespace

uint64_t MixValue(uint64_t digest, uint64_t value)
{
    return Scramble(digest ^ Scramble(value + multiplier));
}

uint64_t MixText(uint64_t digest, const std::string& text)
{
    digest = MixValue(digest, text.size());
    for (unsigned char c : text)
        digest = (digest ^ c) * 0x100000001b3ull;
    return MixValue(digest, 0);
}

// Four lanes over the squares in turn keep the multiplications independent.
template <typename Word>
uint64_t MixSquares(uint64_t digest, int32_t width, int32_t height, Board board, Word word)
{
    uint64_t lanes[4] = {digest, digest ^ 1, digest ^ 2, digest ^ 3};
    int32_t lane = 0;
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            uint64_t& mixed = lanes[lane];
            mixed = (mixed ^ word(board[x][y])) * multiplier;
            mixed ^= mixed >> 29;
            lane = (lane + 1) & 3;
        }
    }
    digest = MixValue(digest, static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height));
    for (uint64_t mixed : lanes)
        digest = MixValue(digest, mixed);
    return digest;
}

uint64_t MixBoard(uint64_t digest, int32_t width, int32_t height, Board board)
{
    return MixSquares(digest, width, height, board, SquareWord);
}

// A board is mixed after every step, so this is the lab's own inner loop.
uint64_t MixStates(uint64_t digest, int32_t width, int32_t height, Board board)
{
    return MixSquares(digest, width, height, board, [](const Cell& cell) {
        return static_cast<uint64_t>(cell.state) | static_cast<uint64_t>(static_cast<uint32_t>(cell.adjacentMines)) << 32;
    });
}
