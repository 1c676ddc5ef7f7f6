// Where object ids point. Stubs are handed out in chunks from address ranges the process
// reserves once and never gives back, so whether an id still names something is read from the
// stub itself, without a lock and without touching freed memory, even after its database is gone.
#pragma once
#include <cstddef>
#include <vector>

#include "db/dbid.h"

namespace platform {

// What an object id points at.
struct Db_Stub {
    ZcDbDatabase* db = nullptr;  // nullptr once the database is gone
    ZcDbHandle handle;
    ZcDbObject* object = nullptr;  // owned by the database; nullptr for a placeholder
    bool erased = false;
};

// True when p is the address of a stub slot handed out at some time (its memory stays
// readable; a slot of a database that is gone reads as a stub without database).
bool Stub_Slot(const void* p);

// The stubs of one database, in the order they were made.
class Stub_Pool {
public:
    Stub_Pool() = default;
    ~Stub_Pool() { clear(); }
    Stub_Pool(const Stub_Pool&) = delete;
    Stub_Pool& operator=(const Stub_Pool&) = delete;

    // A new stub, all fields at their defaults.
    Db_Stub* make();
    size_t size() const { return mCount; }
    // The stub made number-th (from 0), number below size().
    Db_Stub* at(size_t number) const { return mChunks[number / kChunkStubs] + number % kChunkStubs; }
    // Room for count stubs in the table of chunks (the chunks come as stubs are made).
    void reserve(size_t count);
    // Gives the chunks back: their stubs read as stubs without database from then on.
    void clear();

    template <class F>
    void forEach(F f) const
    {
        size_t left = mCount;
        for (Db_Stub* chunk : mChunks) {
            const size_t n = left < kChunkStubs ? left : kChunkStubs;
            for (size_t i = 0; i < n; ++i) f(chunk + i);
            left -= n;
        }
    }

    static constexpr size_t kChunkBytes = 32 * 1024;
    static constexpr size_t kChunkStubs = kChunkBytes / sizeof(Db_Stub);

private:
    std::vector<Db_Stub*> mChunks;
    size_t mCount = 0;
};

}  // namespace platform
