#include "db/handle_map.h"

#include <bit>
#include <new>
#include <stdexcept>

#include "db/huge_pages.h"
#include "db/stub_pool.h"

namespace platform {

namespace {
constexpr size_t kMinCapacity = 64;
// Handles that differ only in their last three bits start in the same group of eight slots.
constexpr int kGroupBits = 3;

// Fibonacci hashing of the handle without its last bits: groups spread over the whole table.
size_t Home_Slot(uint64_t handle, size_t capacity)
{
    const int groupBits = std::countr_zero(capacity) - kGroupBits;
    const size_t group = size_t(((handle >> kGroupBits) * 0x9E3779B97F4A7C15ull) >> (64 - groupBits));
    return (group << kGroupBits) | size_t(handle & ((1u << kGroupBits) - 1));
}

// Tells handles apart without reading their stubs (a stub is read only when this matches).
uint32_t Check_Of(uint64_t handle)
{
    const uint64_t h = handle * 0xD6E8FEB86659FD93ull;
    return uint32_t(h >> 32) ^ uint32_t(h);
}

// Large tables in huge pages (they come zero-filled), small ones from the heap.
Handle_Map::Slot* New_Slots(size_t capacity)
{
    const size_t bytes = capacity * sizeof(Handle_Map::Slot);
    if (bytes >= kHugePageBytes) {
        void* p = Map_Huge_Pages(bytes);
        if (p == nullptr) throw std::bad_alloc();
        return static_cast<Handle_Map::Slot*>(p);
    }
    return new Handle_Map::Slot[capacity]();
}

void Delete_Slots(Handle_Map::Slot* slots, size_t capacity)
{
    const size_t bytes = capacity * sizeof(Handle_Map::Slot);
    if (bytes >= kHugePageBytes) Unmap_Huge_Pages(slots, bytes);
    else delete[] slots;
}

// At most four slots in five are used.
size_t Capacity_For(size_t count)
{
    size_t capacity = kMinCapacity;
    while (capacity / 5 * 4 < count) capacity *= 2;
    return capacity;
}
}  // namespace

Db_Stub* Handle_Map::stubIn(const Slot& slot) const { return mStubs.at(slot.number - 1); }

std::pair<uint64_t, Db_Stub*> Handle_Map::const_iterator::operator*() const
{
    Db_Stub* stub = mMap.stubIn(*mAt);
    return {stub->handle.value(), stub};
}

size_t Handle_Map::slotOf(uint64_t handle) const
{
    const size_t mask = mCapacity - 1;
    const uint32_t check = Check_Of(handle);
    size_t i = Home_Slot(handle, mCapacity);
    while (mSlots[i].number != 0 && (mSlots[i].check != check || stubIn(mSlots[i])->handle.value() != handle))
        i = (i + 1) & mask;
    return i;
}

Db_Stub* Handle_Map::find(uint64_t handle) const
{
    if (handle == 0 || mSize == 0) return nullptr;
    const Slot& slot = mSlots[slotOf(handle)];
    return slot.number == 0 ? nullptr : stubIn(slot);
}

void Handle_Map::insert(uint64_t handle, size_t stubNumber)
{
    if (handle == 0) return;
    if (stubNumber >= UINT32_MAX) throw std::length_error("more objects than a database holds");
    if (mCapacity / 5 * 4 <= mSize) rehash(Capacity_For(mSize + 1));
    Slot& slot = mSlots[slotOf(handle)];
    if (slot.number == 0) ++mSize;
    slot.check = Check_Of(handle);
    slot.number = uint32_t(stubNumber + 1);
}

void Handle_Map::reserve(size_t count)
{
    const size_t capacity = Capacity_For(count);
    if (capacity > mCapacity) rehash(capacity);
}

void Handle_Map::clear()
{
    Delete_Slots(mSlots, mCapacity);
    mSlots = nullptr;
    mCapacity = 0;
    mSize = 0;
}

void Handle_Map::rehash(size_t capacity)
{
    Slot* old = mSlots;
    const size_t oldCapacity = mCapacity;
    mSlots = New_Slots(capacity);
    mCapacity = capacity;
    const size_t mask = capacity - 1;
    for (size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].number == 0) continue;
        size_t at = Home_Slot(stubIn(old[i])->handle.value(), capacity);
        while (mSlots[at].number != 0) at = (at + 1) & mask;
        mSlots[at] = old[i];
    }
    Delete_Slots(old, oldCapacity);
}

}  // namespace platform
