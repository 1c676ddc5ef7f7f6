#include "db/handle_map.h"

#include <bit>

namespace platform {

namespace {
constexpr size_t kMinCapacity = 64;

// Fibonacci hashing: handles that follow each other spread over the whole table.
size_t Hash_Slot(uint64_t handle, size_t capacity)
{
    const int bits = std::countr_zero(capacity);
    return size_t((handle * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// At most four slots in five are used.
size_t Capacity_For(size_t count)
{
    size_t capacity = kMinCapacity;
    while (capacity / 5 * 4 < count) capacity *= 2;
    return capacity;
}
}  // namespace

size_t Handle_Map::slotOf(uint64_t handle) const
{
    const size_t mask = mCapacity - 1;
    size_t i = Hash_Slot(handle, mCapacity);
    while (mSlots[i].handle != 0 && mSlots[i].handle != handle) i = (i + 1) & mask;
    return i;
}

Db_Stub* Handle_Map::find(uint64_t handle) const
{
    if (handle == 0 || mSize == 0) return nullptr;
    return mSlots[slotOf(handle)].stub;
}

void Handle_Map::insert(uint64_t handle, Db_Stub* stub)
{
    if (handle == 0) return;
    if (mCapacity / 5 * 4 <= mSize) rehash(Capacity_For(mSize + 1));
    Slot& slot = mSlots[slotOf(handle)];
    if (slot.handle == 0) ++mSize;
    slot.handle = handle;
    slot.stub = stub;
}

void Handle_Map::reserve(size_t count)
{
    const size_t capacity = Capacity_For(count);
    if (capacity > mCapacity) rehash(capacity);
}

void Handle_Map::clear()
{
    mSlots.reset();
    mCapacity = 0;
    mSize = 0;
}

void Handle_Map::rehash(size_t capacity)
{
    std::unique_ptr<Slot[]> old = std::move(mSlots);
    const size_t oldCapacity = mCapacity;
    mSlots = std::make_unique<Slot[]>(capacity);
    mCapacity = capacity;
    for (size_t i = 0; i < oldCapacity; ++i)
        if (old[i].handle != 0) mSlots[slotOf(old[i].handle)] = old[i];
}

}  // namespace platform
