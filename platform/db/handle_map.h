// The stubs of a database by handle: one flat table (open addressing, linear probing), so adding
// an object allocates nothing but the table's occasional growth. Handles are never removed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace platform {

struct Db_Stub;

class Handle_Map {
public:
    // The stub of the handle; nullptr when the handle has none (and for the null handle).
    Db_Stub* find(uint64_t handle) const;
    bool contains(uint64_t handle) const { return find(handle) != nullptr; }
    // Adds a handle that has no stub yet (never the null handle).
    void insert(uint64_t handle, Db_Stub* stub);
    // Room for count handles without growing.
    void reserve(size_t count);
    size_t size() const { return mSize; }
    void clear();

    struct Slot {
        uint64_t handle = 0;  // 0: empty
        Db_Stub* stub = nullptr;
    };

    // Visits (handle, stub) pairs in no particular order.
    class const_iterator {
    public:
        const_iterator(const Slot* at, const Slot* end) : mAt(at), mEnd(end) { skipEmpty(); }
        std::pair<uint64_t, Db_Stub*> operator*() const { return {mAt->handle, mAt->stub}; }
        const_iterator& operator++()
        {
            ++mAt;
            skipEmpty();
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return mAt != o.mAt; }
        bool operator==(const const_iterator& o) const { return mAt == o.mAt; }

    private:
        void skipEmpty()
        {
            while (mAt != mEnd && mAt->handle == 0) ++mAt;
        }
        const Slot* mAt;
        const Slot* mEnd;
    };
    const_iterator begin() const { return {mSlots.get(), mSlots.get() + mCapacity}; }
    const_iterator end() const { return {mSlots.get() + mCapacity, mSlots.get() + mCapacity}; }

private:
    size_t slotOf(uint64_t handle) const;
    void rehash(size_t capacity);

    std::unique_ptr<Slot[]> mSlots;
    size_t mCapacity = 0;  // a power of two, or 0
    size_t mSize = 0;
};

}  // namespace platform
