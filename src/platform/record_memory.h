#pragma once
// Memory for the many small records a world is made of (tens of thousands of airports, cities and
// planes). They are carved from large blocks that the system may back with huge pages and reuse
// freed records of the same size, which makes building and dropping a whole world several times
// faster than one system allocation per record.
//
// Blocks are kept for the life of the process. Builds with AddressSanitizer use the plain allocator,
// so that use-after-free and leaks of records are still found.
#include <cstddef>

namespace wf {

// True in builds with AddressSanitizer: records use the plain allocator, and memory is freed and
// checked as usual rather than left to the system.
bool MemoryIsChecked() noexcept;

// Memory for one record of `size` bytes, aligned for any fundamental type. Throws std::bad_alloc.
void* AllocateRecordMemory(std::size_t size);
// Returns memory from AllocateRecordMemory(size); `size` must be the same.
void FreeRecordMemory(void* memory, std::size_t size) noexcept;

// Advises the system that the whole 2 MB pages inside [memory, memory + size) may be backed by huge
// pages: for large buffers that are about to be filled (an archive or a text file being built).
// Advice only; does nothing where the system offers no such thing.
void AdviseHugePages(void* memory, std::size_t size) noexcept;

// For a process about to build a whole world: lets the C library's heap grow in large steps and
// advises its pages onto huge pages, so that the many small allocations of strings, lists and map
// nodes do not each fault in a page of their own. Call once, early in main. Does nothing where the
// system or the allocator offers no such thing (and in sanitizer builds).
void PrepareHeapForLargeWorlds() noexcept;

}
