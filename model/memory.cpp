#include "model/memory.h"

#include <cstdlib>

namespace {
int32_t allocationsBeforeFailure = -1;
}

void FailAllocationAfter(int32_t succeeding)
{
    allocationsBeforeFailure = succeeding;
}

void* AllocateMemory(size_t bytes)
{
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        return nullptr;
    }
    if (allocationsBeforeFailure > 0)
        --allocationsBeforeFailure;
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void ReleaseMemory(void* block)
{
    std::free(block);
}
