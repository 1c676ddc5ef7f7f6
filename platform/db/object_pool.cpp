#include "db/object_pool.h"

#include <algorithm>
#include <mutex>
#include <new>

#include "db/huge_pages.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORVEL_OBJECT_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define KORVEL_OBJECT_POOL 0
#endif
#endif
#ifndef KORVEL_OBJECT_POOL
#define KORVEL_OBJECT_POOL 1
#endif

namespace platform {
namespace {

// Sizes in steps of 8 bytes: an object whose size is an odd multiple of 8 needs no more than
// 8-byte alignment, and one of a multiple of 16 gets a slot at a multiple of 16.
constexpr size_t kGrain = 8;
constexpr size_t kLargest = 1024;
constexpr size_t kClasses = kLargest / kGrain;
// Slabs double from this size up to kLastSlab; slabs of that size are cut from huge pages
// shared by all classes, so that a class uses little more of a huge page than it fills.
// A pool smaller than kSmallPool keeps small pages (a process of small drawings stays small).
constexpr size_t kFirstSlab = size_t{16} << 10;
constexpr size_t kLastSlab = size_t{256} << 10;
constexpr size_t kSmallPool = size_t{16} << 20;

struct Free_Slot {
    Free_Slot* next;
};

struct Size_Class {
    Free_Slot* freed = nullptr;
    char* next = nullptr;
    char* end = nullptr;
    size_t slabBytes = 0;
};

struct Object_Pool {
    std::mutex mutex;
    Size_Class classes[kClasses];
    char* chunkNext = nullptr;  // the huge page that slabs of kLastSlab are cut from
    char* chunkEnd = nullptr;
    size_t slabTotal = 0;
};

// Never destroyed: objects may be deleted by static destructors of any order.
Object_Pool& Pool()
{
    static auto* pool = new Object_Pool();
    return *pool;
}

char* Cut_Last_Slab(Object_Pool& pool)
{
    if (size_t(pool.chunkEnd - pool.chunkNext) < kLastSlab) {
        pool.chunkNext = static_cast<char*>(Map_Huge_Pages(kHugePageBytes));
        if (pool.chunkNext == nullptr) throw std::bad_alloc();
        pool.chunkEnd = pool.chunkNext + kHugePageBytes;
    }
    char* slab = pool.chunkNext;
    pool.chunkNext += kLastSlab;
    return slab;
}

// A new slab for the class; what was left of the last one (less than an object) stays unused.
void Refill(Object_Pool& pool, Size_Class& c)
{
    c.slabBytes = c.slabBytes == 0 ? kFirstSlab : std::min(c.slabBytes * 2, kLastSlab);
    const bool huge = c.slabBytes == kLastSlab && pool.slabTotal >= kSmallPool;
    void* slab = huge ? Cut_Last_Slab(pool) : ::operator new(c.slabBytes);
    pool.slabTotal += c.slabBytes;
    c.next = static_cast<char*>(slab);
    c.end = c.next + c.slabBytes;
}

}  // namespace

void* Allocate_Object_Memory(size_t size)
{
    if (KORVEL_OBJECT_POOL && size >= kHugePageBytes) {
        if (void* p = Map_Huge_Pages(size)) return p;
        throw std::bad_alloc();
    }
    if (!KORVEL_OBJECT_POOL || size > kLargest) return ::operator new(size);
    const size_t index = size == 0 ? 0 : (size - 1) / kGrain;
    const size_t bytes = (index + 1) * kGrain;
    Object_Pool& pool = Pool();
    std::lock_guard<std::mutex> lock(pool.mutex);
    Size_Class& c = pool.classes[index];
    if (Free_Slot* slot = c.freed) {
        c.freed = slot->next;
        return slot;
    }
    if (size_t(c.end - c.next) < bytes) Refill(pool, c);
    void* p = c.next;
    c.next += bytes;
    return p;
}

void Free_Object_Memory(void* p, size_t size) noexcept
{
    if (p == nullptr) return;
    if (KORVEL_OBJECT_POOL && size >= kHugePageBytes) {
        Unmap_Huge_Pages(p, size);
        return;
    }
    if (!KORVEL_OBJECT_POOL || size > kLargest) {
        ::operator delete(p);
        return;
    }
    const size_t index = size == 0 ? 0 : (size - 1) / kGrain;
    Object_Pool& pool = Pool();
    std::lock_guard<std::mutex> lock(pool.mutex);
    Size_Class& c = pool.classes[index];
    c.freed = new (p) Free_Slot{c.freed};
}

}  // namespace platform
