// Growing a thread's heap ahead: afterwards the thread allocates up to that size without
// the heap's mapping changing (glibc keeps a thread's heap in one mapping it widens).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/core/thread_heap.h"

namespace {

struct TMapping {
    uintptr_t Start = 0, End = 0;
};

// The mapping of this process that holds address, from /proc/self/maps.
TMapping MappingOf(const void* address) {
    const auto a = reinterpret_cast<uintptr_t>(address);
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        std::istringstream in(line);
        uintptr_t start = 0, end = 0;
        char dash = 0;
        in >> std::hex >> start >> dash >> end;
        if (start <= a && a < end) return {start, end};
    }
    return {};
}

// glibc's own heap: an address sanitizer brings an allocator of its own.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
TEST(ThreadHeap, AThreadAllocatesWhatItReservedWithoutItsHeapGrowing) {
    constexpr std::size_t reserve = 2 << 20;
    TMapping before, after;
    bool allInside = true;
    std::thread([&] {
        ReserveThreadHeap(reserve);
        void* first = std::malloc(64);
        before = MappingOf(first);
        // A window's worth of small objects, as reading a description makes them.
        std::vector<void*> objects;
        for (std::size_t used = 0; used < reserve * 3 / 4; used += 1024) {
            objects.push_back(std::malloc(1000));
            const auto p = reinterpret_cast<uintptr_t>(objects.back());
            allInside = allInside && before.Start <= p && p < before.End;
        }
        after = MappingOf(first);
        for (void* p : objects) std::free(p);
        std::free(first);
    }).join();
    ASSERT_NE(before.End, 0u);
    EXPECT_GE(before.End - before.Start, reserve * 3 / 4);
    EXPECT_EQ(after.End, before.End);
    EXPECT_TRUE(allInside);
}
#endif

TEST(ThreadHeap, ReservingNothingOrMoreThanItTakesIsHarmless) {
    ReserveThreadHeap(0);
    ReserveThreadHeap(std::size_t{1} << 40);  // it stops at its own limit
    void* p = std::malloc(100);
    EXPECT_NE(p, nullptr);
    std::free(p);
}

}  // namespace
