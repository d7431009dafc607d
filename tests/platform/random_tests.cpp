#include <gtest/gtest.h>

#include "platform/random.h"

TEST(Random, StartsAtStateOneWithTheKnownSequence)
{
    EXPECT_EQ(randomState, 1u);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32_t value : expected)
        EXPECT_EQ(NextRandom(), value);
}

TEST(Random, SeedingRestartsTheSequenceAndStateIsVisible)
{
    SeedRandom(12345);
    EXPECT_EQ(randomState, 12345u);
    const int32_t first = NextRandom();
    EXPECT_EQ(randomState, 12345u * 214013u + 2531011u);
    SeedRandom(12345);
    EXPECT_EQ(NextRandom(), first);
}

TEST(Random, ValuesAreBitsSixteenToThirtyAcrossTheWrap)
{
    // A state near the top wraps modulo 2^32; bit 31 never reaches the value.
    for (uint32_t seed : {0xFFFFFFFFu, 0x80000000u, 0u, 0x7FFFFFFFu}) {
        SeedRandom(seed);
        const uint32_t next = seed * 214013u + 2531011u;
        EXPECT_EQ(NextRandom(), static_cast<int32_t>((next >> 16) & 0x7FFF)) << seed;
    }
    SeedRandom(0);
    for (int i = 0; i < 100000; ++i) {
        const int32_t value = NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}
