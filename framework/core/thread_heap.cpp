#include "framework/core/thread_heap.h"

#include <cstdlib>

namespace {
// Below the size glibc maps on its own (128 KiB unless tuned), so each block comes from
// the thread's heap.
constexpr std::size_t kStep = 120 * 1024;
constexpr std::size_t kMaxSteps = 64;
}  // namespace

void ReserveThreadHeap(std::size_t bytes) {
    void* blocks[kMaxSteps];
    std::size_t taken = 0;
    for (std::size_t have = 0; have < bytes && taken < kMaxSteps; have += kStep) {
        void* block = std::malloc(kStep);
        if (block == nullptr) break;  // no room: the heap grows later, as it would have
        // The block is never written: without this the compiler may drop the pair.
        asm volatile("" : : "r"(block) : "memory");
        blocks[taken++] = block;
    }
    while (taken > 0) std::free(blocks[--taken]);
}
