// The program's heap: malloc with a small header so live blocks and bytes can be counted.
#include <cstdlib>
#include <cstring>
#include <charconv>
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "platform/testing.h"

namespace {

struct alignas(std::max_align_t) BlockHeader {
    std::size_t bytes;
};

AllocatorCounts counts{};
std::int64_t failingAllocation = 0;  // the allocation number that fails; 0 = none

// "分配 %d 字节内存失败!" with the byte count in place of %d, built without the heap.
[[noreturn]] void ReportAllocationFailure(std::size_t bytes) {
    static constexpr char format[] = "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";  // 分配 %d 字节内存失败!
    const char* hole = std::strstr(format, "%d");
    char message[sizeof format + 24];
    char* out = message;
    const auto head = static_cast<std::size_t>(hole - format);
    std::memcpy(out, format, head);
    out += head;
    out = std::to_chars(out, message + sizeof message, bytes).ptr;
    const char* tail = hole + 2;
    std::memcpy(out, tail, std::strlen(tail) + 1);
    ReportFatalError(0, message);
}

}  // namespace

void* AllocateMemory(std::size_t bytes) {
    ++counts.allocations;
    const bool injected = failingAllocation != 0 && counts.allocations == failingAllocation;
    void* raw = nullptr;
    if (!injected && bytes <= SIZE_MAX - sizeof(BlockHeader)) raw = std::malloc(sizeof(BlockHeader) + bytes);
    if (raw == nullptr) ReportAllocationFailure(bytes);
    auto* header = static_cast<BlockHeader*>(raw);
    header->bytes = bytes;
    ++counts.liveBlocks;
    counts.liveBytes += static_cast<std::int64_t>(bytes);
    return header + 1;
}

void FreeMemory(void* block) {
    if (block == nullptr) return;
    BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
    --counts.liveBlocks;
    counts.liveBytes -= static_cast<std::int64_t>(header->bytes);
    std::free(header);
}

AllocatorCounts CurrentAllocatorCounts() { return counts; }

void FailAllocationNumber(std::int64_t n) {
    failingAllocation = n == 0 ? 0 : counts.allocations + n;
}
