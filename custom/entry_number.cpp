#include "custom/entry_number.h"

#include <cctype>

Truth ReadEntryNumber(const char* text, int32_t* value)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // One past the largest magnitude, so that both limits are reachable.
    const int64_t limit = negative ? INT64_C(2147483648) : INT64_C(2147483647);
    int64_t magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit)
            return 0;
    }
    *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return 1;
}
