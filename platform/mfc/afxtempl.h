// Collection templates: CArray, CList, CMap and the typed pointer wrappers.
//
// Semantics are the framework's. Indexes and positions are checked in every build
// (AFX_CHECK): a bad index, a null POSITION, or the head of an empty list stops the
// program with "<file>(<line>): assertion failed: ..." instead of corrupting memory.
// Collections are CObjects and therefore not copyable: use Copy / Append.
// CMap iterates in the order of its hash buckets, as the framework does: callers
// must not rely on insertion order.
#pragma once

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "mfc/afx.h"

// Element equality used by CList::Find and the CMap keys.
template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
    return *pElement1 == *pElement2;
}

// Hash of a map key. Integers, enumerations and pointers hash by value; strings by
// their characters (see the overloads below). Other key types supply their own HashKey.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key) {
    typedef std::remove_cv_t<std::remove_reference_t<ARG_KEY>> K;
    if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
    } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
        const auto v = static_cast<ULONGLONG>(key);
        return static_cast<UINT>(v ^ (v >> 32));
    } else {
        static_assert(sizeof(K) == 0, "HashKey: no hash for this key type");
        return 0;
    }
}

template <class XCHAR>
UINT Hash_Chars(const XCHAR* key) {
    UINT hash = 0;
    if (key)
        for (; *key; ++key) hash = (hash << 5) + hash + static_cast<std::make_unsigned_t<XCHAR>>(*key);
    return hash;
}
template <>
inline UINT HashKey<LPCWSTR>(LPCWSTR key) { return Hash_Chars(key); }
template <>
inline UINT HashKey<LPCSTR>(LPCSTR key) { return Hash_Chars(key); }
template <>
inline UINT HashKey<LPWSTR>(LPWSTR key) { return Hash_Chars<wchar_t>(key); }
template <>
inline UINT HashKey<const CStringW&>(const CStringW& key) { return Hash_Chars(key.GetString()); }
template <>
inline UINT HashKey<CStringW>(CStringW key) { return Hash_Chars(key.GetString()); }
template <>
inline UINT HashKey<const CStringA&>(const CStringA& key) { return Hash_Chars(key.GetString()); }
template <>
inline UINT HashKey<CStringA>(CStringA key) { return Hash_Chars(key.GetString()); }

// ---------------------------------------------------------------------------------------
// CArray: a growable array of TYPE; ARG_TYPE is how elements are passed in.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
    static_assert(!std::is_same_v<TYPE, bool>, "CArray<bool> is not supported: use CArray<BOOL>");

public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialised (zero for numbers and pointers). nGrowBy is
    // accepted for compatibility; growth is amortised either way.
    void SetSize(INT_PTR nNewSize, INT_PTR /*nGrowBy*/ = -1) {
        AFX_CHECK(nNewSize >= 0);
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    // Sets the element, growing the array first when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        AFX_CHECK(nIndex >= 0);
        TYPE value(newElement);  // newElement may live in this array
        if (nIndex >= GetSize()) SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(value);
    }
    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE newElement) {
        m_data.push_back(newElement);
        return GetSize() - 1;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src) {
        const INT_PTR oldSize = GetSize();
        if (&src == this) {
            std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return oldSize;
    }
    void Copy(const CArray& src) {
        if (&src != this) m_data = src.m_data;
    }

    // Inserts nCount copies at nIndex; an index past the end grows the array up to it.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        AFX_CHECK(nIndex >= 0 && nCount >= 0);
        TYPE value(newElement);
        if (nIndex >= GetSize()) SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), value);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
        AFX_CHECK(nStartIndex >= 0 && pNewArray != nullptr);
        std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex >= GetSize()) SetSize(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        AFX_CHECK(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    size_t Checked(INT_PTR nIndex) const {
        AFX_CHECK(nIndex >= 0 && nIndex < GetSize());
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};

// ---------------------------------------------------------------------------------------
// CList: a doubly linked list walked with POSITIONs.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR /*nBlockSize*/ = 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Checked_Node(m_pHead)->data; }
    const TYPE& GetHead() const { return Checked_Node(m_pHead)->data; }
    TYPE& GetTail() { return Checked_Node(m_pTail)->data; }
    const TYPE& GetTail() const { return Checked_Node(m_pTail)->data; }

    TYPE RemoveHead() {
        CNode* node = Checked_Node(m_pHead);
        TYPE value(std::move(node->data));
        Free_Node(node);
        return value;
    }
    TYPE RemoveTail() {
        CNode* node = Checked_Node(m_pTail);
        TYPE value(std::move(node->data));
        Free_Node(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Insert_Node(nullptr, m_pHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return Insert_Node(m_pTail, nullptr, newElement); }
    void AddHead(CList* pNewList) {
        AFX_CHECK(pNewList != nullptr);
        // Walking backwards keeps the order; a list added to itself stops at its old head.
        CNode* stop = m_pHead;
        for (CNode* n = pNewList->m_pTail; n; n = n->pPrev) {
            AddHead(n->data);
            if (pNewList == this && n == stop) break;
        }
    }
    void AddTail(CList* pNewList) {
        AFX_CHECK(pNewList != nullptr);
        CNode* stop = m_pTail;
        for (CNode* n = pNewList->m_pHead; n; n = n->pNext) {
            AddTail(n->data);
            if (pNewList == this && n == stop) break;
        }
    }
    void RemoveAll() {
        while (m_pHead) Free_Node(m_pHead);
    }

    POSITION GetHeadPosition() const { return Position(m_pHead); }
    POSITION GetTailPosition() const { return Position(m_pTail); }
    // The element at rPosition; rPosition moves to the next (null after the last).
    TYPE& GetNext(POSITION& rPosition) {
        CNode* node = Node(rPosition);
        rPosition = Position(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        CNode* node = Node(rPosition);
        rPosition = Position(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* node = Node(rPosition);
        rPosition = Position(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        CNode* node = Node(rPosition);
        rPosition = Position(node->pPrev);
        return node->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Free_Node(Node(position)); }

    // A null position inserts at the head (InsertBefore) or at the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        if (!position) return AddHead(newElement);
        CNode* node = Node(position);
        return Insert_Node(node->pPrev, node, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        if (!position) return AddTail(newElement);
        CNode* node = Node(position);
        return Insert_Node(node, node->pNext, newElement);
    }

    // The first element equal to searchValue after startAfter (from the head when null).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
        for (CNode* n = startAfter ? Node(startAfter)->pNext : m_pHead; n; n = n->pNext)
            if (CompareElements(&n->data, &searchValue)) return Position(n);
        return nullptr;
    }
    // The position of the nIndex-th element, null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
        CNode* n = m_pHead;
        while (nIndex-- > 0) n = n->pNext;
        return Position(n);
    }

private:
    static POSITION Position(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* Node(POSITION position) {
        AFX_CHECK(position != nullptr && position != BEFORE_START_POSITION);
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* Checked_Node(CNode* node) {
        AFX_CHECK(node != nullptr);
        return node;
    }
    POSITION Insert_Node(CNode* prev, CNode* next, ARG_TYPE newElement) {
        CNode* node = new CNode{next, prev, TYPE(newElement)};
        (prev ? prev->pNext : m_pHead) = node;
        (next ? next->pPrev : m_pTail) = node;
        ++m_nCount;
        return Position(node);
    }
    void Free_Node(CNode* node) {
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node->pPrev;
        --m_nCount;
        delete node;
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};

// ---------------------------------------------------------------------------------------
// CMap: a hash map from KEY to VALUE.

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    struct CPair {
        const KEY key;
        VALUE value;
    };

private:
    struct CAssoc : CPair {
        CAssoc(ARG_KEY k, UINT hash, CAssoc* next) : CPair{KEY(k), VALUE()}, nHashValue(hash), pNext(next) {}
        UINT nHashValue;
        CAssoc* pNext;
    };

public:
    explicit CMap(INT_PTR /*nBlockSize*/ = 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_buckets.size()); }
    // Sets the number of buckets (default 17); only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
        AFX_CHECK(m_nCount == 0 && hashSize > 0);
        m_nHashTableSize = hashSize;
        m_buckets.assign(bAllocNow ? hashSize : 0, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
        const CAssoc* assoc = Find(key);
        if (!assoc) return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key); }
    CPair* PLookup(ARG_KEY key) { return Find(key); }

    // The value for key, inserted value-initialised when missing.
    VALUE& operator[](ARG_KEY key) {
        if (CAssoc* assoc = Find(key)) return assoc->value;
        if (m_buckets.empty()) m_buckets.assign(m_nHashTableSize, nullptr);
        const UINT hash = HashKey<ARG_KEY>(key);
        CAssoc*& head = m_buckets[hash % m_buckets.size()];
        head = new CAssoc(key, hash, head);
        ++m_nCount;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key) {
        if (m_buckets.empty()) return FALSE;
        const UINT hash = HashKey<ARG_KEY>(key);
        for (CAssoc** link = &m_buckets[hash % m_buckets.size()]; *link; link = &(*link)->pNext) {
            CAssoc* assoc = *link;
            if (assoc->nHashValue == hash && CompareElements(&assoc->key, &key)) {
                *link = assoc->pNext;
                delete assoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll() {
        for (CAssoc*& head : m_buckets) {
            while (head) {
                CAssoc* next = head->pNext;
                delete head;
                head = next;
            }
        }
        m_nCount = 0;
    }

    // Iteration: null when the map is empty.
    POSITION GetStartPosition() const { return Position(First_From(0)); }
    // The pair at rNextPosition; rNextPosition moves to the next (null after the last).
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
        const CAssoc* assoc = Assoc(rNextPosition);
        rKey = assoc->key;
        rValue = assoc->value;
        rNextPosition = Position(Next(assoc));
    }
    const CPair* PGetFirstAssoc() const { return First_From(0); }
    CPair* PGetFirstAssoc() { return First_From(0); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return Next(static_cast<const CAssoc*>(pAssoc)); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return Next(static_cast<const CAssoc*>(pAssoc)); }

private:
    static POSITION Position(const CAssoc* assoc) { return reinterpret_cast<POSITION>(const_cast<CAssoc*>(assoc)); }
    static const CAssoc* Assoc(POSITION position) {
        AFX_CHECK(position != nullptr && position != BEFORE_START_POSITION);
        return reinterpret_cast<const CAssoc*>(position);
    }
    CAssoc* Find(ARG_KEY key) const {
        if (m_buckets.empty()) return nullptr;
        const UINT hash = HashKey<ARG_KEY>(key);
        for (CAssoc* a = m_buckets[hash % m_buckets.size()]; a; a = a->pNext)
            if (a->nHashValue == hash && CompareElements(&a->key, &key)) return a;
        return nullptr;
    }
    CAssoc* First_From(size_t bucket) const {
        for (; bucket < m_buckets.size(); ++bucket)
            if (m_buckets[bucket]) return m_buckets[bucket];
        return nullptr;
    }
    CAssoc* Next(const CAssoc* assoc) const {
        if (assoc->pNext) return assoc->pNext;
        return First_From(assoc->nHashValue % m_buckets.size() + 1);
    }

    std::vector<CAssoc*> m_buckets;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

// ---------------------------------------------------------------------------------------
// Typed pointer collections over CObArray / CPtrArray, CObList / CPtrList and the pointer maps.

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const {
        typename BASE_CLASS::BASE_VALUE value = nullptr;
        if (!BASE_CLASS::Lookup(key, value)) return FALSE;
        rValue = static_cast<VALUE>(value);
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
        typename BASE_CLASS::BASE_KEY key;
        typename BASE_CLASS::BASE_VALUE value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = static_cast<KEY>(key);
        rValue = static_cast<VALUE>(value);
    }
};
