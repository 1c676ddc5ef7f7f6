#include "db/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

namespace {
size_t Whole_Pages(size_t bytes) { return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes; }
}  // namespace

void* Map_Huge_Pages(size_t bytes)
{
    bytes = Whole_Pages(bytes);
    // Mapped one huge page longer, then cut to an aligned start.
    const size_t mapped = bytes + kHugePageBytes;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    if (aligned > start) ::munmap(raw, aligned - start);
    const size_t tail = start + mapped - (aligned + bytes);
    if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    Advise_Huge_Pages(reinterpret_cast<void*>(aligned), bytes);
    return reinterpret_cast<void*>(aligned);
}

void Unmap_Huge_Pages(void* p, size_t bytes)
{
    if (p) ::munmap(p, Whole_Pages(bytes));
}

void Advise_Huge_Pages(void* p, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    ::madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without it the pages are small
#else
    (void)p, (void)bytes;
#endif
}

}  // namespace platform
