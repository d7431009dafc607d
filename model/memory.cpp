#include "model/memory.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {
int32_t allocationsBeforeFailure = -1;
int32_t liveBlocks = 0;

// Every block starts with its size, so that a released block can be kept
// for the next request of the same size. Solver makes and releases a board
// copy for every square it tries, one block per column, thousands of times
// in a step on a large board: kept blocks are handed out and taken back a
// table's worth at a time.
// As large as the strictest alignment, so that what follows it is aligned
// as malloc's own blocks are.
union BlockHeader {
    size_t bytes;
    std::max_align_t alignment;
};

// Released blocks kept for reuse, a few sizes at a time (a board's columns,
// its table and the view store's), as the pointers their users had. The
// sanitizer build keeps none, so that it still catches any use of a
// released block.
#if defined(__SANITIZE_ADDRESS__)
constexpr int32_t keptPerSize = 0;
#else
constexpr int32_t keptPerSize = 64;
#endif
constexpr int32_t keptSizes = 4;
struct KeptBlocks {
    size_t bytes;
    int32_t count;
    void* blocks[keptPerSize > 0 ? keptPerSize : 1];
};
KeptBlocks kept[keptSizes];

KeptBlocks* KeptOfSize(size_t bytes)
{
    for (KeptBlocks& sized : kept)
        if (sized.bytes == bytes && sized.count > 0)
            return &sized;
    return nullptr;
}

// Where released blocks of `bytes` may be kept: with others of their size,
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
    BlockHeader* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
    if (header == nullptr)
        return nullptr;
    header->bytes = bytes;
    return header + 1;
}

void FreeBlock(void* block)
{
    std::free(static_cast<BlockHeader*>(block) - 1);
}

size_t SizeOf(const void* block)
{
    return (static_cast<const BlockHeader*>(block) - 1)->bytes;
}

// Keeps or frees `count` blocks of `bytes` each, none of them null.
void Keep(int32_t count, void** blocks, size_t bytes)
{
    while (count > 0) {
        KeptBlocks* room = RoomFor(bytes);
        if (room == nullptr) {
            for (int32_t i = 0; i < count; ++i)
                FreeBlock(blocks[i]);
            return;
        }
        const int32_t taken = count < keptPerSize - room->count ? count : keptPerSize - room->count;
        std::memcpy(room->blocks + room->count, blocks, sizeof(void*) * static_cast<size_t>(taken));
        room->count += taken;
        blocks += taken;
        count -= taken;
    }
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
        made = sized->count < allowed ? sized->count : allowed;
        sized->count -= made;
        std::memcpy(blocks, sized->blocks + sized->count, sizeof(void*) * static_cast<size_t>(made));
    }
    for (; made < allowed; ++made) {
        blocks[made] = NewBlock(bytes);
        if (blocks[made] == nullptr)
            break;
    }
    liveBlocks += made;
    return made;
}

// Runs of blocks of one size, as a table's columns are, are kept together.
void ReleaseBlocks(int32_t count, void** blocks)
{
    int32_t first = 0;
    while (first < count) {
        if (blocks[first] == nullptr) {
            ++first;
            continue;
        }
        const size_t bytes = SizeOf(blocks[first]);
        int32_t end = first + 1;
        while (end < count && blocks[end] != nullptr && SizeOf(blocks[end]) == bytes)
            ++end;
        liveBlocks -= end - first;
        Keep(end - first, blocks + first, bytes);
        first = end;
    }
}

void ReleaseBlocksOfSize(int32_t count, void** blocks, size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
    int32_t first = 0;
    while (first < count) {
        if (blocks[first] == nullptr) {
            ++first;
            continue;
        }
        int32_t end = first + 1;
        while (end < count && blocks[end] != nullptr)
            ++end;
        liveBlocks -= end - first;
        Keep(end - first, blocks + first, bytes);
        first = end;
    }
}
