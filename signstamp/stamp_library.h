// The stamp library: the stamps in memory (g_Stamp_Library) and in a binary ".kvlib2"
// file. Stamps are known by name everywhere.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "mfc/afxstr.h"
#include "signstamp/kv_stamp.h"

class Stamp_Library {
public:
    // Most stamps a library file holds; a larger count loads nothing.
    static constexpr int32_t Max_Stamps = 1000;

    int32_t Header = 0;
    std::vector<std::unique_ptr<KV_Stamp>> Stamps;

    // Reads the library file into the library. With offer_keep (an import) and stamps in
    // the library the user chooses whether they stay; otherwise they are dropped first. A
    // record whose name is already present is dropped. A file that is cut short or damaged
    // loads the complete records before the damage and says so on the command line;
    // unless imported, a copy of it is kept aside. False when the file is there but was
    // not read whole.
    static bool Load(Stamp_Library& library, const CString& path, bool offer_keep);
    // Sorts by name and writes the file whole or not at all; false (reported in a
    // message box) when it could not be written.
    bool Save(const CString& path);
    // The first stamp of exactly that name, or null.
    KV_Stamp* Find(const CString& name) const;
    // The first stamp other than `except` whose name equals the name without regard to
    // case, or null.
    KV_Stamp* Find_Taken_Name(const CString& name, const KV_Stamp* except = nullptr) const;
    void Clear() { Stamps.clear(); }
    void Sort_By_Name();
    // Asks for a PNG picture and the new stamp's values; true when a stamp was appended.
    bool Add_Stamp();
};

extern Stamp_Library g_Stamp_Library;
