// Anonymous memory for large tables of the database layer, in huge pages where the system
// gives them: filling hundreds of megabytes then costs a few hundred page faults, not 100,000.
#pragma once
#include <cstddef>

namespace platform {

constexpr size_t kHugePageBytes = size_t{2} << 20;

// bytes rounded up to whole huge pages, aligned to one, zero-filled; nullptr when the system
// has no memory to give.
void* Map_Huge_Pages(size_t bytes);
// Gives back memory of Map_Huge_Pages (the same bytes).
void Unmap_Huge_Pages(void* p, size_t bytes);
// Asks for huge pages in [p, p + bytes), which must be mapped anonymous memory.
void Advise_Huge_Pages(void* p, size_t bytes);

}  // namespace platform
