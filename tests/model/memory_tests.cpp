// The allocator behind boards and view stores: a request for several blocks
// behaves exactly as as many single requests, and blocks kept after release
// are handed out again only for their own size.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

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
    // Small blocks are released, then larger ones asked for and filled to
    // their end: none may be a small one handed out again.
    void* small[40] = {};
    ASSERT_EQ(AllocateBlocks(16, 40, small), 40);
    const std::set<void*> smallOnes(small, small + 40);
    ReleaseBlocks(40, small);
    void* large[40] = {};
    ASSERT_EQ(AllocateBlocks(1176, 40, large), 40);
    for (void* block : large) {
        EXPECT_EQ(smallOnes.count(block), 0u);
        std::memset(block, 0x5a, 1176);
    }
    void* again[40] = {};
    ASSERT_EQ(AllocateBlocks(16, 40, again), 40);
    for (void* block : again)
        std::memset(block, 0xa5, 16);
    for (void* block : large)
        EXPECT_EQ(static_cast<unsigned char*>(block)[1175], 0x5a);
    ReleaseBlocks(40, large);
    ReleaseBlocks(40, again);

    // Released with their size given, blocks are accounted for alike.
    const int32_t liveBefore = LiveMemoryBlocks();
    void* sized[30] = {};
    ASSERT_EQ(AllocateBlocks(1176, 30, sized), 30);
    ReleaseBlocksOfSize(30, sized, 1176);
    EXPECT_EQ(LiveMemoryBlocks(), liveBefore);
}
