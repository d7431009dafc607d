#include "model/memory.h"

#include <cstdlib>

namespace {
int32_t allocationsBeforeFailure = -1;
int32_t liveBlocks = 0;
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
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        return nullptr;
    }
    if (allocationsBeforeFailure > 0)
        --allocationsBeforeFailure;
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr)
        ++liveBlocks;
    return block;
}

void ReleaseMemory(void* block)
{
    if (block != nullptr)
        --liveBlocks;
    std::free(block);
}
