// Seams for tests: allocator counters, failing allocations, window descriptions of their own.
// The program itself never includes this header.
#pragma once

#include <cstdint>
#include <span>

#include "platform/platform.h"

struct AllocatorCounts {
    std::int64_t liveBlocks;
    std::int64_t liveBytes;
    std::int64_t allocations;  // since the process started
};
AllocatorCounts CurrentAllocatorCounts();

// Makes the nth allocation from now (1 = the next one) fail; 0 turns failures off.
void FailAllocationNumber(std::int64_t n);

// Replaces the program's window descriptions until reset with an empty span.
void UseWindowDescriptionsForTesting(std::span<const WindowDescription> windows);

// Puts the platform core back to the state of a fresh process (between in-process tests).
void ResetPlatformForTesting();

// The routine in the exit-callback slot, or nullptr.
void (*ExitCallbackForTesting())();
