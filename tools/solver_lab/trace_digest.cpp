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

namespace {
// Four lanes over the squares in turn keep the multiplications independent;
// the lanes turn round after each square, so that the square's own lane is
// always the first.
template <typename Word>
uint64_t MixSquares(uint64_t digest, int32_t width, int32_t height, Board board, Word word)
{
    uint64_t lane0 = digest, lane1 = digest ^ 1, lane2 = digest ^ 2, lane3 = digest ^ 3;
    for (int32_t x = 0; x < width; ++x) {
        const Cell* cells = board[x];
        for (int32_t y = 0; y < height; ++y) {
            uint64_t mixed = (lane0 ^ word(cells[y])) * multiplier;
            mixed ^= mixed >> 29;
            lane0 = lane1;
            lane1 = lane2;
            lane2 = lane3;
            lane3 = mixed;
        }
    }
    // Square i went to lane i mod 4: put the lanes back in that order.
    const uint64_t lanes[4] = {lane0, lane1, lane2, lane3};
    const int32_t turned = static_cast<int32_t>((static_cast<int64_t>(width) * height) % 4);
    digest = MixValue(digest, static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height));
    for (int32_t lane = 0; lane < 4; ++lane)
        digest = MixValue(digest, lanes[(lane - turned + 4) % 4]);
    return digest;
}

// The weight of the square at each place of a board, in scan order: a
// fixed odd number for every place.
const uint64_t* PlaceWeights()
{
    static uint64_t weights[maxBoardSide * maxBoardSide];
    static const bool made = [] {
        uint64_t weight = 0x2545f4914f6cdd1dull;
        for (uint64_t& place : weights) {
            place = weight | 1;
            weight = Scramble(weight + multiplier);
        }
        return true;
    }();
    (void)made;
    return weights;
}
}  // namespace

uint64_t MixBoard(uint64_t digest, int32_t width, int32_t height, Board board)
{
    return MixSquares(digest, width, height, board, SquareWord);
}

// A board is mixed after every step, so this is the lab's own inner loop:
// each square's state and number, times the weight of its place, summed.
// The products are independent of each other, which keeps it quick.
uint64_t MixStates(uint64_t digest, int32_t width, int32_t height, Board board, SquareTally& tally)
{
    const uint64_t* weight = PlaceWeights();
    uint64_t sum = 0;
    int32_t covered = 0, marked = 0;
    for (int32_t x = 0; x < width; ++x) {
        const Cell* cells = board[x];
        for (int32_t y = 0; y < height; ++y) {
            const uint32_t state = cells[y].state;
            covered += state == Covered;
            marked += state == Marked;
            sum += (state | static_cast<uint64_t>(static_cast<uint32_t>(cells[y].adjacentMines)) << 32) * *weight++;
        }
    }
    tally = {covered, marked};
    digest = MixValue(digest, static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height));
    return MixValue(digest, sum);
}

uint64_t MixStates(uint64_t digest, int32_t width, int32_t height, Board board)
{
    SquareTally tally;
    return MixStates(digest, width, height, board, tally);
}
