// Memory for boards and view stores. Tests can make one allocation fail to
// exercise the out-of-memory paths.
#pragma once

#include <cstddef>
#include <cstdint>

// Returns a block of `bytes` (not cleared), or nullptr when memory is out or
// a failure has been arranged with FailAllocationAfter.
void* AllocateMemory(size_t bytes);
void ReleaseMemory(void* block);

// `count` blocks of `bytes` each, exactly as `count` calls of AllocateMemory
// in a row: returns how many were allocated, into the first places of
// `blocks`, stopping at the first that failed.
int32_t AllocateBlocks(size_t bytes, int32_t count, void** blocks);
// ReleaseMemory on each of the `count` blocks.
void ReleaseBlocks(int32_t count, void** blocks);

// The same for blocks that were all allocated with `bytes` each, which the
// caller vouches for: their sizes are not looked up, so blocks not touched
// since they were handed out are not brought back into the cache.
void ReleaseBlocksOfSize(int32_t count, void** blocks, size_t bytes);

// The blocks allocated and not yet released: every board and view store is
// accounted for when this is 0 after the game is released.
int32_t LiveMemoryBlocks();

// Makes the allocation after the next `succeeding` ones fail, once.
// A negative value disarms it.
void FailAllocationAfter(int32_t succeeding);
