// The stubs of a database by handle: one flat table of 8-byte slots (open addressing, linear
// probing), so adding an object allocates nothing but the table's occasional growth. A slot
// holds the stub's number in its pool and a check value of its handle; handles that follow each
// other share a cache line. Handles are never removed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>

namespace platform {

struct Db_Stub;
class Stub_Pool;

class Handle_Map {
public:
    explicit Handle_Map(const Stub_Pool& stubs) : mStubs(stubs) {}
    ~Handle_Map() { clear(); }
    Handle_Map(const Handle_Map&) = delete;
    Handle_Map& operator=(const Handle_Map&) = delete;

    // The stub of the handle; nullptr when the handle has none (and for the null handle).
    Db_Stub* find(uint64_t handle) const;
    bool contains(uint64_t handle) const { return find(handle) != nullptr; }
    // Adds a handle that has no stub yet (never the null handle): the stub numbered so in the pool.
    void insert(uint64_t handle, size_t stubNumber);
    // Room for count handles without growing.
    void reserve(size_t count);
    size_t size() const { return mSize; }
    void clear();

    struct Slot {
        uint32_t check = 0;
        uint32_t number = 0;  // stub number + 1; 0: empty
    };

    // Visits (handle, stub) pairs in no particular order.
    class const_iterator {
    public:
        const_iterator(const Handle_Map& map, const Slot* at) : mMap(map), mAt(at) { skipEmpty(); }
        std::pair<uint64_t, Db_Stub*> operator*() const;
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
            while (mAt != mMap.mSlots + mMap.mCapacity && mAt->number == 0) ++mAt;
        }
        const Handle_Map& mMap;
        const Slot* mAt;
    };
    const_iterator begin() const { return {*this, mSlots}; }
    const_iterator end() const { return {*this, mSlots + mCapacity}; }

private:
    // The slot of the handle, or the empty slot where it would go.
    size_t slotOf(uint64_t handle) const;
    Db_Stub* stubIn(const Slot& slot) const;
    void rehash(size_t capacity);

    const Stub_Pool& mStubs;
    Slot* mSlots = nullptr;  // zero-filled: all empty
    size_t mCapacity = 0;    // a power of two, or 0
    size_t mSize = 0;
};

}  // namespace platform
