// The allocator behind boards and view stores: a request for several blocks
// behaves exactly as as many single requests, and blocks kept after release
// are handed out again only for their own size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "model/memory.h"

TEST(Memory, ARequestForSeveralBlocksFailsWhereSingleRequestsWould)
{
    const int32_t liveBefore = LiveMemoryBlocks();
    for (int32_t failing = 0; failing <= 7; ++failing) {
        FailAllocationAfter(failing);
        void* blocks[5] = {};
        const int32_t made = AllocateBlocks(24, 5, blocks);
        EXPECT_EQ(made, failing < 5 ? failing : 5) << failing;
        EXPECT_EQ(LiveMemoryBlocks(), liveBefore + made) << failing;
        // A failure not reached is still armed; one reached is used up.
        void* next[3] = {};
        const int32_t later = AllocateBlocks(24, 3, next);
        EXPECT_EQ(later, failing < 5 ? 3 : failing - 5) << failing;
        ReleaseBlocks(made, blocks);
        ReleaseBlocks(later, next);
        EXPECT_EQ(LiveMemoryBlocks(), liveBefore) << failing;
        FailAllocationAfter(-1);
    }
}

TEST(Memory, ReleasedBlocksComeBackOnlyForTheirOwnSize)
{
    // Small blocks are released, then large ones and small ones asked for
    // again: the blocks in use never overlap (a small block handed out as a
    // large one would), and what is written into each stays there.
    void* small[40] = {};
    ASSERT_EQ(AllocateBlocks(16, 40, small), 40);
    ReleaseBlocks(40, small);
    void* large[40] = {};
    ASSERT_EQ(AllocateBlocks(1176, 40, large), 40);
    for (int i = 0; i < 40; ++i)
        std::memset(large[i], i, 1176);
    void* again[40] = {};
    ASSERT_EQ(AllocateBlocks(16, 40, again), 40);
    for (void* block : again)
        std::memset(block, 0xa5, 16);
    std::vector<std::pair<uintptr_t, size_t>> inUse;
    for (int i = 0; i < 40; ++i) {
        inUse.push_back({reinterpret_cast<uintptr_t>(large[i]), 1176});
        inUse.push_back({reinterpret_cast<uintptr_t>(again[i]), 16});
    }
    std::sort(inUse.begin(), inUse.end());
    for (size_t i = 1; i < inUse.size(); ++i)
        EXPECT_LE(inUse[i - 1].first + inUse[i - 1].second, inUse[i].first) << "blocks overlap";
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(static_cast<unsigned char*>(large[i])[0], i);
        EXPECT_EQ(static_cast<unsigned char*>(large[i])[1175], i);
    }
    ReleaseBlocks(40, large);
    ReleaseBlocks(40, again);

    // Released with their size given, blocks are accounted for alike.
    const int32_t liveBefore = LiveMemoryBlocks();
    void* sized[30] = {};
    ASSERT_EQ(AllocateBlocks(1176, 30, sized), 30);
    ReleaseBlocksOfSize(30, sized, 1176);
    EXPECT_EQ(LiveMemoryBlocks(), liveBefore);
}
