// Every test starts from a clean platform: no windows, the clock at 0, no
// message boxes recorded, the generator at its unseeded state 1 and no
// allocation failure arranged.
#include <gtest/gtest.h>

#include "model/memory.h"
#include "platform/portable/testing.h"
#include "platform/random.h"

namespace {
struct CleanPlatformListener : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        portable::ResetWindowSystem();
        randomState = 1;
        FailAllocationAfter(-1);
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanPlatformListener);
    return true;
}();
}  // namespace
