#include "model/memory.h"

#include <cstdlib>

namespace {
int32_t allocationsBeforeFailure = -1;
int32_t liveBlocks = 0;

// Every block starts with its size, so that a released block can be kept
// for the next request of the same size. Solver makes and releases a board
// copy for every square it tries, one block per column, thousands of times
// in a step on a large board: a kept block is taken in a few instructions.
struct alignas(16) BlockHeader {
    size_t bytes;
};

// Released blocks kept for reuse, a few sizes at a time (a board's columns,
// its table and the view store's). The sanitizer build keeps none, so that
// it still catches any use of a released block.
#if defined(__SANITIZE_ADDRESS__)
constexpr int32_t keptPerSize = 0;
#else
constexpr int32_t keptPerSize = 64;
#endif
constexpr int32_t keptSizes = 4;
struct KeptBlocks {
    size_t bytes;
    int32_t count;
    BlockHeader* blocks[keptPerSize > 0 ? keptPerSize : 1];
};
KeptBlocks kept[keptSizes];

KeptBlocks* KeptOfSize(size_t bytes)
{
    for (KeptBlocks& sized : kept)
        if (sized.bytes == bytes && sized.count > 0)
            return &sized;
    return nullptr;
}

// Where a released block of `bytes` may be kept: with others of its size,
// or in a place left empty; nullptr when there is no room.
KeptBlocks* RoomFor(size_t bytes)
{
    KeptBlocks* empty = nullptr;
    for (KeptBlocks& sized : kept) {
        if (sized.bytes == bytes && sized.count > 0)
            return sized.count < keptPerSize ? &sized : nullptr;
        if (sized.count == 0 && empty == nullptr)
            empty = &sized;
    }
    if (empty != nullptr && keptPerSize > 0)
        empty->bytes = bytes;
    return keptPerSize > 0 ? empty : nullptr;
}

void* NewBlock(size_t bytes)
{
    KeptBlocks* sized = KeptOfSize(bytes);
    BlockHeader* header = sized != nullptr ? sized->blocks[--sized->count]
                                           : static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
    if (header == nullptr)
        return nullptr;
    header->bytes = bytes;
    ++liveBlocks;
    return header + 1;
}

// Releases the blocks; `sizeOf` tells a block's size. The place being
// filled and its count are kept at hand while blocks of one size follow each
// other, as a table's columns do.
template <typename SizeOf>
void ReleaseEach(int32_t count, void** blocks, SizeOf sizeOf)
{
    KeptBlocks* room = nullptr;
    int32_t roomCount = 0, released = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (blocks[i] == nullptr)
            continue;
        ++released;
        BlockHeader* header = static_cast<BlockHeader*>(blocks[i]) - 1;
        const size_t bytes = sizeOf(header);
        if (room == nullptr || room->bytes != bytes || roomCount >= keptPerSize) {
            if (room != nullptr)
                room->count = roomCount;
            room = RoomFor(bytes);
            roomCount = room != nullptr ? room->count : 0;
        }
        if (room != nullptr)
            room->blocks[roomCount++] = header;
        else
            std::free(header);
    }
    if (room != nullptr)
        room->count = roomCount;
    liveBlocks -= released;
}

// How many of the next `count` allocations may succeed before the arranged
// failure, which is then used up.
int32_t AllocationsAllowed(int32_t count)
{
    if (allocationsBeforeFailure < 0)
        return count;
    if (allocationsBeforeFailure >= count) {
        allocationsBeforeFailure -= count;
        return count;
    }
    const int32_t allowed = allocationsBeforeFailure;
    allocationsBeforeFailure = -1;
    return allowed;
}
}  // namespace

int32_t LiveMemoryBlocks()
{
    return liveBlocks;
}

void FailAllocationAfter(int32_t succeeding)
{
    allocationsBeforeFailure = succeeding;
}

void* AllocateMemory(size_t bytes)
{
    void* block = nullptr;
    AllocateBlocks(bytes, 1, &block);
    return block;
}

void ReleaseMemory(void* block)
{
    ReleaseBlocks(1, &block);
}

int32_t AllocateBlocks(size_t bytes, int32_t count, void** blocks)
{
    if (bytes == 0)
        bytes = 1;
    const int32_t allowed = AllocationsAllowed(count);
    int32_t made = 0;
    // Kept blocks first, as many as there are, in one copy.
    if (KeptBlocks* sized = KeptOfSize(bytes)) {
        const int32_t taken = sized->count < allowed ? sized->count : allowed;
        sized->count -= taken;
        for (int32_t i = 0; i < taken; ++i)
            blocks[i] = sized->blocks[sized->count + taken - 1 - i] + 1;
        liveBlocks += taken;
        made = taken;
    }
    for (; made < allowed; ++made) {
        blocks[made] = NewBlock(bytes);
        if (blocks[made] == nullptr)
            break;
    }
    return made;
}

void ReleaseBlocks(int32_t count, void** blocks)
{
    ReleaseEach(count, blocks, [](const BlockHeader* header) { return header->bytes; });
}

void ReleaseBlocksOfSize(int32_t count, void** blocks, size_t bytes)
{
    ReleaseEach(count, blocks, [bytes](const BlockHeader*) { return bytes == 0 ? size_t{1} : bytes; });
}
