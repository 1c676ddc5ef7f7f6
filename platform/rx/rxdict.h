// ZcRxDictionary: objects by wide-string key (case-sensitive). The dictionary does not own
// its objects: removing an entry or destroying the dictionary deletes none of them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rx/rxobject.h"

class ZcRxDictionaryIterator;

class ZcRxDictionary : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcRxDictionary);

public:
    ZcRxDictionary() = default;

    // The object under key, or nullptr.
    ZcRxObject* at(const wchar_t* key) const;
    // Puts obj under key; returns the object it replaces (nullptr when the key was new).
    // A null key or object changes nothing and returns nullptr.
    ZcRxObject* atPut(const wchar_t* key, ZcRxObject* obj);
    // Takes the entry out; returns its object, or nullptr when the key is absent.
    ZcRxObject* remove(const wchar_t* key);
    bool has(const wchar_t* key) const;
    int numEntries() const { return static_cast<int>(mEntries.size()); }
    // An iterator over the entries in key order, as they are now; the caller deletes it.
    ZcRxDictionaryIterator* newIterator() const;

private:
    std::map<std::wstring, ZcRxObject*> mEntries;
};

class ZcRxDictionaryIterator {
public:
    explicit ZcRxDictionaryIterator(std::vector<std::pair<std::wstring, ZcRxObject*>> entries)
        : mEntries(std::move(entries)) {}
    bool done() const { return mIndex >= mEntries.size(); }
    // Moves to the next entry; false when the iteration is over.
    bool next()
    {
        if (!done())
            ++mIndex;
        return !done();
    }
    // The current entry (nullptr once done()).
    const wchar_t* key() const { return done() ? nullptr : mEntries[mIndex].first.c_str(); }
    ZcRxObject* object() const { return done() ? nullptr : mEntries[mIndex].second; }

private:
    std::vector<std::pair<std::wstring, ZcRxObject*>> mEntries;
    size_t mIndex = 0;
};
