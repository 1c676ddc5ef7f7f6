// Memory for database objects and their arrays. Sizes up to 1 KB come in classes of 8 bytes,
// each from slabs of its own that grow to huge pages, and a freed block goes to the next block
// of its class; blocks of 2 MB and more are huge pages of their own. A drawing of a million
// entities costs no allocator search and few page faults. Under a sanitizer every block comes
// from the global allocator, so its checks still see them.
#pragma once
#include <cstddef>

namespace platform {

void* Allocate_Object_Memory(size_t size);
// size is the one given to Allocate_Object_Memory.
void Free_Object_Memory(void* p, size_t size) noexcept;

// For the arrays objects own (at most 16-byte alignment).
template <class T>
struct Object_Allocator {
    using value_type = T;
    Object_Allocator() = default;
    template <class U>
    Object_Allocator(const Object_Allocator<U>&) noexcept {}
    T* allocate(size_t n) { return static_cast<T*>(Allocate_Object_Memory(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { Free_Object_Memory(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const Object_Allocator<U>&) const noexcept { return true; }
};

}  // namespace platform
