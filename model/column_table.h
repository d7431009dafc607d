// A table of column pointers, each column its own allocation: the shape of
// the board and of the view's store. Making one checks the size and reports
// a refusal in a message box owned by the main window.
#pragma once

#include "model/cell.h"
#include "model/memory.h"

// Shows the refusal for a bad size and returns false, or returns true for
// a size of 1 to maxBoardSide each way. The lower bound is tested first.
Truth CheckMinefieldSize(int32_t width, int32_t height);

// Shows "Out of memory to allocate minefield!" titled "No Memory".
void ReportMinefieldOutOfMemory();

// Releases a table made by AllocateColumnTable; a null table is ignored.
template <typename Element>
void ReleaseColumnTable(int32_t width, Element** table)
{
    if (table == nullptr)
        return;
    void* columns[maxBoardSide];
    for (int32_t first = 0; first < width; first += maxBoardSide) {
        const int32_t count = width - first < maxBoardSide ? width - first : maxBoardSide;
        for (int32_t x = 0; x < count; ++x)
            columns[x] = table[first + x];
        ReleaseBlocks(count, columns);
    }
    ReleaseMemory(table);
}

// Allocates a table of `width` columns of `height` elements (contents not
// initialised), or reports the failure and returns nullptr. What was already
// allocated when a later allocation fails is released.
template <typename Element>
Element** AllocateColumnTable(int32_t width, int32_t height)
{
    if (!CheckMinefieldSize(width, height))
        return nullptr;
    Element** table = static_cast<Element**>(AllocateMemory(sizeof(Element*) * static_cast<size_t>(width)));
    if (table == nullptr) {
        ReportMinefieldOutOfMemory();
        return nullptr;
    }
    // The columns in one request: a board is copied for every trial of
    // Solver's, and the allocator hands out kept blocks together.
    void* columns[maxBoardSide];
    const int32_t made = AllocateBlocks(sizeof(Element) * static_cast<size_t>(height), width, columns);
    for (int32_t x = 0; x < made; ++x)
        table[x] = static_cast<Element*>(columns[x]);
    if (made < width) {
        ReleaseColumnTable(made, table);
        ReportMinefieldOutOfMemory();
        return nullptr;
    }
    return table;
}
