// Growing the calling thread's heap ahead of what it is about to allocate.
#pragma once

#include <cstddef>

// glibc gives each new thread a heap of its own and grows it only by what an allocation
// lacks: a page at a time, each step an mprotect that holds the process's address space
// against its other threads (one faulting in pages waits). This grows the calling thread's
// heap to about `bytes` in a few steps and frees what it took: the pages go back, the heap
// stays that size, so allocating up to it on this thread changes no mapping. Elsewhere,
// or when the thread shares the process's first heap, it costs a few allocations.
void ReserveThreadHeap(std::size_t bytes);
