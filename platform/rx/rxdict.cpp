// Dictionaries of runtime objects by key.
#include "rx/rxdict.h"

#include "rx/rxclass.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcRxDictionary, ZcRxObject, 0)

ZcRxObject* ZcRxDictionary::at(const wchar_t* key) const
{
    if (key == nullptr)
        return nullptr;
    auto it = mEntries.find(key);
    return it != mEntries.end() ? it->second : nullptr;
}

ZcRxObject* ZcRxDictionary::atPut(const wchar_t* key, ZcRxObject* obj)
{
    if (key == nullptr || obj == nullptr)
        return nullptr;
    ZcRxObject*& slot = mEntries[key];
    ZcRxObject* previous = slot;
    slot = obj;
    return previous;
}

ZcRxObject* ZcRxDictionary::remove(const wchar_t* key)
{
    if (key == nullptr)
        return nullptr;
    auto it = mEntries.find(key);
    if (it == mEntries.end())
        return nullptr;
    ZcRxObject* removed = it->second;
    mEntries.erase(it);
    return removed;
}

bool ZcRxDictionary::has(const wchar_t* key) const
{
    return key != nullptr && mEntries.count(key) != 0;
}

ZcRxDictionaryIterator* ZcRxDictionary::newIterator() const
{
    return new ZcRxDictionaryIterator({mEntries.begin(), mEntries.end()});
}
