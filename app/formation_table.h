// FormationTable: the program-wide array of owned formation texts that lookups read.
#pragma once

#include <cstdint>

// One block from the platform allocator: the element count, then that many slots. Each slot
// holds a text block of its own or nothing (the empty text).
struct alignas(char*) TextArray {
    std::int32_t count;

    // Slot i (from 0); the slots follow the count in the same block.
    char*& slot(std::int32_t i) { return reinterpret_cast<char**>(this + 1)[i]; }
};

// Unset until the program starts, then empty (0), then filled (90) once the window exists.
extern TextArray* FormationTable;

// A new array of `count` empty slots.
TextArray* NewTextArray(std::int32_t count);

// Frees every text the array holds, in slot order, then the array itself.
void ReleaseTextArray(TextArray* array);

// Slot `index` (from 0) of FormationTable, checked against its count first; a failed check is
// fatal. The empty text reads as "".
const char* FormationAt(std::int32_t index);
