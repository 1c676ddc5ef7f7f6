// Memory for database objects. Sizes up to 1 KB come in classes of 8 bytes, each from slabs
// of its own that grow to huge pages, and a freed object's memory goes to the next object of
// its class: a drawing of a million entities costs no allocator search and few page faults.
// Under a sanitizer every object comes from the global allocator, so its checks still see them.
#pragma once
#include <cstddef>

namespace platform {

void* Allocate_Object_Memory(size_t size);
// size is the one given to Allocate_Object_Memory.
void Free_Object_Memory(void* p, size_t size) noexcept;

}  // namespace platform
