#include <gtest/gtest.h>

#include "custom/entry_number.h"

TEST(EntryNumber, ReadsLikeTheStandardConversionAndRefusesWhatDoesNotFit)
{
    const struct {
        const char* text;
        bool fits;
        int32_t value;
    } cases[] = {
        {"", true, 0},
        {"abc", true, 0},
        {"  42", true, 42},
        {"\t-7x", true, -7},
        {"+15", true, 15},
        {"- 3", true, 0},
        {"0009", true, 9},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"00000000000000000000012", true, 12},
        {"99999999999999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = -1;
        EXPECT_EQ(ReadEntryNumber(c.text, &value) != 0, c.fits) << c.text;
        if (c.fits) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}
