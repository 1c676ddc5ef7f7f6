// Where object ids point. Stubs are handed out in chunks from address ranges the process
// reserves once and never gives back, so whether an id still names something is read from the
// stub itself, without a lock and without touching freed memory, even after its database is gone.
// A chunk starts with what its stubs share: their database and their erased marks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/dbid.h"

namespace platform {

// What an object id points at.
struct Db_Stub {
    ZcDbHandle handle;
    ZcDbObject* object = nullptr;  // owned by the database; nullptr for a placeholder

    // nullptr once the database is gone.
    ZcDbDatabase* db() const;
    bool erased() const;
    void setErased(bool erased);
};

constexpr size_t kStubChunkBytes = 32 * 1024;
constexpr size_t kStubChunkSlots = kStubChunkBytes / sizeof(Db_Stub);

struct Stub_Chunk_Header {
    ZcDbDatabase* db = nullptr;
    uint64_t erased[kStubChunkSlots / 64] = {};
};

constexpr size_t kStubHeaderSlots = (sizeof(Stub_Chunk_Header) + sizeof(Db_Stub) - 1) / sizeof(Db_Stub);

// Chunks start at multiples of their size.
inline Stub_Chunk_Header* Chunk_Of(const Db_Stub* stub)
{
    return reinterpret_cast<Stub_Chunk_Header*>(reinterpret_cast<uintptr_t>(stub) & ~uintptr_t(kStubChunkBytes - 1));
}
inline size_t Slot_In_Chunk(const Db_Stub* stub)
{
    return (reinterpret_cast<uintptr_t>(stub) & (kStubChunkBytes - 1)) / sizeof(Db_Stub);
}
inline ZcDbDatabase* Db_Stub::db() const { return Chunk_Of(this)->db; }
inline bool Db_Stub::erased() const
{
    const size_t slot = Slot_In_Chunk(this);
    return (Chunk_Of(this)->erased[slot / 64] >> (slot % 64)) & 1;
}
inline void Db_Stub::setErased(bool erased)
{
    const size_t slot = Slot_In_Chunk(this);
    uint64_t& word = Chunk_Of(this)->erased[slot / 64];
    const uint64_t bit = uint64_t{1} << (slot % 64);
    word = erased ? word | bit : word & ~bit;
}

// True when p is the address of a stub slot (its memory stays readable; a slot of a database
// that is gone reads as a stub without database).
bool Stub_Slot(const void* p);

// The stubs of one database, in the order they were made.
class Stub_Pool {
public:
    Stub_Pool() = default;
    ~Stub_Pool() { clear(); }
    Stub_Pool(const Stub_Pool&) = delete;
    Stub_Pool& operator=(const Stub_Pool&) = delete;

    // A new stub of db, with a null handle and no object.
    Db_Stub* make(ZcDbDatabase* db);
    size_t size() const { return mCount; }
    // The stub made number-th (from 0), number below size().
    Db_Stub* at(size_t number) const { return First(mChunks[number / kChunkStubs]) + number % kChunkStubs; }
    // Room for count stubs in the table of chunks (the chunks come as stubs are made).
    void reserve(size_t count);
    // Every stub now belongs to db (nullptr: to none, its ids are dead).
    void setDatabase(ZcDbDatabase* db);
    // Gives the chunks back: their stubs read as stubs without database from then on.
    void clear();

    template <class F>
    void forEach(F f) const
    {
        size_t left = mCount;
        for (Stub_Chunk_Header* chunk : mChunks) {
            const size_t n = left < kChunkStubs ? left : kChunkStubs;
            for (size_t i = 0; i < n; ++i) f(First(chunk) + i);
            left -= n;
        }
    }

    static constexpr size_t kChunkStubs = kStubChunkSlots - kStubHeaderSlots;

private:
    static Db_Stub* First(Stub_Chunk_Header* chunk) { return reinterpret_cast<Db_Stub*>(chunk) + kStubHeaderSlots; }

    std::vector<Stub_Chunk_Header*> mChunks;
    size_t mCount = 0;
};

}  // namespace platform
