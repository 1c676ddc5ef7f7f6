#include "db/stub_pool.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <type_traits>

#include "db/huge_pages.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {
namespace {

static_assert(std::is_trivially_destructible_v<Db_Stub> && std::is_trivially_destructible_v<Stub_Chunk_Header>,
              "chunks are given back without running destructors");
static_assert(kStubChunkBytes % sizeof(Db_Stub) == 0, "a chunk holds whole stubs");
static_assert((kStubChunkBytes & (kStubChunkBytes - 1)) == 0, "chunks are found by masking a stub's address");
static_assert(kHugePageBytes % kStubChunkBytes == 0, "chunks do not straddle huge pages");

// Address ranges reserved for stubs, never unmapped. They are made readable and writable a huge
// page at a time from their start and handed out in chunks; a chunk given back keeps its pages
// mapped (reading zeros).
constexpr size_t kRegionBytes = size_t{1} << 30;
constexpr size_t kMaxRegions = 1024;

struct Stub_Region {
    std::atomic<uintptr_t> base{0};
    std::atomic<size_t> readable{0};  // bytes from base
    size_t handedOut = 0;             // bytes from base; under the chunks' lock
};

Stub_Region gRegions[kMaxRegions];
std::atomic<size_t> gRegionCount{0};

struct Released_Chunks {
    std::mutex mutex;
    // Oldest first: memory a stale id points at is reused as late as possible.
    std::deque<Stub_Chunk_Header*> chunks;
};

// Never destroyed: databases may be deleted by other static destructors.
Released_Chunks& Released()
{
    static auto* released = new Released_Chunks();
    return *released;
}

Stub_Chunk_Header* Next_Chunk_Of_Last_Region()
{
    const size_t count = gRegionCount.load(std::memory_order_relaxed);
    if (count == 0) return nullptr;
    Stub_Region& region = gRegions[count - 1];
    const size_t at = region.handedOut;
    if (at + kStubChunkBytes > kRegionBytes) return nullptr;
    const uintptr_t base = region.base.load(std::memory_order_relaxed);
    const size_t readable = region.readable.load(std::memory_order_relaxed);
    if (at + kStubChunkBytes > readable) {
        if (::mprotect(reinterpret_cast<void*>(base + readable), kHugePageBytes, PROT_READ | PROT_WRITE) != 0)
            throw std::bad_alloc();
        region.readable.store(readable + kHugePageBytes, std::memory_order_release);
    }
    region.handedOut = at + kStubChunkBytes;
    return reinterpret_cast<Stub_Chunk_Header*>(base + at);
}

void Reserve_Region()
{
    const size_t count = gRegionCount.load(std::memory_order_relaxed);
    if (count == kMaxRegions) throw std::bad_alloc();
    // One huge page longer, so that the region can start on one.
    const size_t mapped = kRegionBytes + kHugePageBytes;
    void* raw = ::mmap(nullptr, mapped, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t base = (reinterpret_cast<uintptr_t>(raw) + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    // Past the first huge page, so that a process of small drawings keeps small pages.
    Advise_Huge_Pages(reinterpret_cast<void*>(base + kHugePageBytes), kRegionBytes - kHugePageBytes);
#if defined(__SANITIZE_ADDRESS__)
    // Objects are reached through their stubs: the leak checker looks for pointers here too.
    __lsan_register_root_region(reinterpret_cast<void*>(base), kRegionBytes);
#endif
    gRegions[count].base.store(base, std::memory_order_relaxed);
    gRegions[count].readable.store(0, std::memory_order_relaxed);
    gRegions[count].handedOut = 0;
    gRegionCount.store(count + 1, std::memory_order_release);
}

// Fresh address space first; chunks given back are taken again only when a range is full.
Stub_Chunk_Header* New_Chunk()
{
    Released_Chunks& released = Released();
    std::lock_guard<std::mutex> lock(released.mutex);
    if (Stub_Chunk_Header* chunk = Next_Chunk_Of_Last_Region()) return chunk;
    if (!released.chunks.empty()) {
        Stub_Chunk_Header* chunk = released.chunks.front();
        released.chunks.pop_front();
        return chunk;
    }
    Reserve_Region();
    return Next_Chunk_Of_Last_Region();
}

// The pages go back to the system; reading them gives zeros, that is stubs without database.
void Forget(Stub_Chunk_Header* first, size_t chunks)
{
    const size_t bytes = chunks * kStubChunkBytes;
    if (::madvise(first, bytes, MADV_DONTNEED) != 0) std::memset(static_cast<void*>(first), 0, bytes);
}

}  // namespace

bool Stub_Slot(const void* p)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    const size_t count = gRegionCount.load(std::memory_order_acquire);
    for (size_t i = 0; i < count; ++i) {
        const uintptr_t offset = address - gRegions[i].base.load(std::memory_order_relaxed);
        if (offset < kRegionBytes)
            return offset < gRegions[i].readable.load(std::memory_order_acquire) && offset % sizeof(Db_Stub) == 0 &&
                   offset % kStubChunkBytes >= kStubHeaderSlots * sizeof(Db_Stub);
    }
    return false;
}

Db_Stub* Stub_Pool::make(ZcDbDatabase* db)
{
    if (mCount == mChunks.size() * kChunkStubs) {
        // A chunk given back earlier may be taken again: its header starts afresh.
        Stub_Chunk_Header* chunk = new (New_Chunk()) Stub_Chunk_Header();
        chunk->db = db;
        mChunks.push_back(chunk);
    }
    Db_Stub* stub = new (at(mCount)) Db_Stub();
    ++mCount;
    return stub;
}

void Stub_Pool::setDatabase(ZcDbDatabase* db)
{
    for (Stub_Chunk_Header* chunk : mChunks) chunk->db = db;
}

void Stub_Pool::reserve(size_t count) { mChunks.reserve((count + kChunkStubs - 1) / kChunkStubs); }

void Stub_Pool::clear()
{
    // Chunks that follow each other in memory are given back in one call.
    for (size_t i = 0; i < mChunks.size();) {
        size_t run = 1;
        while (i + run < mChunks.size() &&
               reinterpret_cast<uintptr_t>(mChunks[i + run]) == reinterpret_cast<uintptr_t>(mChunks[i]) + run * kStubChunkBytes)
            ++run;
        Forget(mChunks[i], run);
        i += run;
    }
    if (!mChunks.empty()) {
        Released_Chunks& released = Released();
        std::lock_guard<std::mutex> lock(released.mutex);
        released.chunks.insert(released.chunks.end(), mChunks.begin(), mChunks.end());
    }
    mChunks.clear();
    mChunks.shrink_to_fit();
    mCount = 0;
}

}  // namespace platform
