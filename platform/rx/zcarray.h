// ZcArray: the SDK-style growable array (header only).
// Elements live in one contiguous buffer of physicalLength() default-constructed slots;
// the first logicalLength() of them are the array's contents. Slots freed by a removal are
// reset to T() so that they hold no stale value or resource.
#pragma once

#include <cassert>
#include <utility>

template <class T>
class ZcArray {
public:
    explicit ZcArray(int physicalLength = 0, int growLength = 8)
        : mGrowLen(growLength > 0 ? growLength : 8)
    {
        if (physicalLength > 0)
            reallocate(physicalLength);
    }
    ZcArray(const ZcArray& other) : mGrowLen(other.mGrowLen)
    {
        if (other.mLogicalLen > 0) {
            reallocate(other.mLogicalLen);
            for (int i = 0; i < other.mLogicalLen; ++i)
                mpArray[i] = other.mpArray[i];
            mLogicalLen = other.mLogicalLen;
        }
    }
    ZcArray(ZcArray&& other) noexcept
        : mpArray(other.mpArray), mPhysicalLen(other.mPhysicalLen),
          mLogicalLen(other.mLogicalLen), mGrowLen(other.mGrowLen)
    {
        other.mpArray = nullptr;
        other.mPhysicalLen = 0;
        other.mLogicalLen = 0;
    }
    ~ZcArray() { delete[] mpArray; }

    ZcArray& operator=(const ZcArray& other)
    {
        if (this != &other) {
            ZcArray copy(other);
            swapContents(copy);
        }
        return *this;
    }
    ZcArray& operator=(ZcArray&& other) noexcept
    {
        if (this != &other) {
            ZcArray taken(std::move(other));
            swapContents(taken);
        }
        return *this;
    }
    bool operator==(const ZcArray& other) const
    {
        if (mLogicalLen != other.mLogicalLen)
            return false;
        for (int i = 0; i < mLogicalLen; ++i)
            if (!(mpArray[i] == other.mpArray[i]))
                return false;
        return true;
    }

    // Element access; the index must be within [0, length()).
    T& operator[](int i) { assert(isValid(i)); return mpArray[i]; }
    const T& operator[](int i) const { assert(isValid(i)); return mpArray[i]; }
    T& at(int i) { assert(isValid(i)); return mpArray[i]; }
    const T& at(int i) const { assert(isValid(i)); return mpArray[i]; }
    T& first() { assert(!isEmpty()); return mpArray[0]; }
    const T& first() const { assert(!isEmpty()); return mpArray[0]; }
    T& last() { assert(!isEmpty()); return mpArray[mLogicalLen - 1]; }
    const T& last() const { assert(!isEmpty()); return mpArray[mLogicalLen - 1]; }
    bool isValid(int i) const { return i >= 0 && i < mLogicalLen; }

    // Adds value at the end; returns its index. value may be an element of this array.
    int append(const T& value)
    {
        T copy(value);
        ensurePhysical(mLogicalLen + 1);
        mpArray[mLogicalLen] = std::move(copy);
        return mLogicalLen++;
    }
    int append(T&& value)
    {
        T taken(std::move(value));
        ensurePhysical(mLogicalLen + 1);
        mpArray[mLogicalLen] = std::move(taken);
        return mLogicalLen++;
    }
    // Adds every element of array (which may be this array itself).
    ZcArray& append(const ZcArray& array)
    {
        const int n = array.mLogicalLen;
        if (n == 0)
            return *this;
        if (&array == this) {
            ZcArray copy(array);
            return append(copy);
        }
        ensurePhysical(mLogicalLen + n);
        for (int i = 0; i < n; ++i)
            mpArray[mLogicalLen + i] = array.mpArray[i];
        mLogicalLen += n;
        return *this;
    }
    // Inserts value before index (0 <= index <= length()).
    ZcArray& insertAt(int index, const T& value)
    {
        assert(index >= 0 && index <= mLogicalLen);
        if (index < 0 || index > mLogicalLen)
            return *this;
        T copy(value);
        ensurePhysical(mLogicalLen + 1);
        for (int i = mLogicalLen; i > index; --i)
            mpArray[i] = std::move(mpArray[i - 1]);
        mpArray[index] = std::move(copy);
        ++mLogicalLen;
        return *this;
    }
    ZcArray& removeAt(int index)
    {
        assert(isValid(index));
        if (!isValid(index))
            return *this;
        for (int i = index; i + 1 < mLogicalLen; ++i)
            mpArray[i] = std::move(mpArray[i + 1]);
        mpArray[--mLogicalLen] = T();
        return *this;
    }
    ZcArray& removeFirst() { return removeAt(0); }
    ZcArray& removeLast() { return removeAt(mLogicalLen - 1); }
    ZcArray& removeAll() { return setLogicalLength(0); }
    // Removes the first element equal to value at or after start; false when there is none.
    bool remove(const T& value, int start = 0)
    {
        int at = -1;
        if (!find(value, at, start))
            return false;
        removeAt(at);
        return true;
    }

    bool contains(const T& value, int start = 0) const
    {
        int at = -1;
        return find(value, at, start);
    }
    bool find(const T& value, int& foundAt, int start = 0) const
    {
        for (int i = start < 0 ? 0 : start; i < mLogicalLen; ++i) {
            if (mpArray[i] == value) {
                foundAt = i;
                return true;
            }
        }
        return false;
    }
    // Index of the first element equal to value, or -1.
    int find(const T& value) const
    {
        int at = -1;
        return find(value, at, 0) ? at : -1;
    }

    int length() const { return mLogicalLen; }
    int logicalLength() const { return mLogicalLen; }
    int physicalLength() const { return mPhysicalLen; }
    int growLength() const { return mGrowLen; }
    ZcArray& setGrowLength(int n)
    {
        if (n > 0)
            mGrowLen = n;
        return *this;
    }
    bool isEmpty() const { return mLogicalLen == 0; }

    // New slots read as T(); slots beyond a shrunk length are reset to T().
    ZcArray& setLogicalLength(int n)
    {
        if (n < 0)
            n = 0;
        if (n > mPhysicalLen)
            reallocate(n);
        for (int i = n; i < mLogicalLen; ++i)
            mpArray[i] = T();
        mLogicalLen = n;
        return *this;
    }
    // Sets the capacity; a capacity below the length truncates the array.
    ZcArray& setPhysicalLength(int n)
    {
        if (n < 0)
            n = 0;
        if (n != mPhysicalLen)
            reallocate(n);
        return *this;
    }

    ZcArray& reverse()
    {
        for (int i = 0, j = mLogicalLen - 1; i < j; ++i, --j)
            std::swap(mpArray[i], mpArray[j]);
        return *this;
    }
    ZcArray& swap(int i, int j)
    {
        assert(isValid(i) && isValid(j));
        if (isValid(i) && isValid(j) && i != j)
            std::swap(mpArray[i], mpArray[j]);
        return *this;
    }
    ZcArray& setAll(const T& value)
    {
        T copy(value);
        for (int i = 0; i < mLogicalLen; ++i)
            mpArray[i] = copy;
        return *this;
    }

    T* asArrayPtr() { return mpArray; }
    const T* asArrayPtr() const { return mpArray; }
    T* begin() { return mpArray; }
    T* end() { return mpArray + mLogicalLen; }
    const T* begin() const { return mpArray; }
    const T* end() const { return mpArray + mLogicalLen; }

private:
    void swapContents(ZcArray& other) noexcept
    {
        std::swap(mpArray, other.mpArray);
        std::swap(mPhysicalLen, other.mPhysicalLen);
        std::swap(mLogicalLen, other.mLogicalLen);
        std::swap(mGrowLen, other.mGrowLen);
    }
    void ensurePhysical(int needed)
    {
        if (needed <= mPhysicalLen)
            return;
        int grown = mPhysicalLen + mGrowLen;
        if (grown < mPhysicalLen * 2 && mPhysicalLen >= 64)
            grown = mPhysicalLen * 2;
        reallocate(grown > needed ? grown : needed);
    }
    void reallocate(int n)
    {
        T* fresh = n > 0 ? new T[n]() : nullptr;
        const int keep = mLogicalLen < n ? mLogicalLen : n;
        for (int i = 0; i < keep; ++i)
            fresh[i] = std::move(mpArray[i]);
        delete[] mpArray;
        mpArray = fresh;
        mPhysicalLen = n;
        mLogicalLen = keep;
    }

    T* mpArray = nullptr;
    int mPhysicalLen = 0;
    int mLogicalLen = 0;
    int mGrowLen = 8;
};

typedef ZcArray<int> ZcDbIntArray;
typedef ZcArray<void*> ZcDbVoidPtrArray;
typedef ZcArray<int> ZcGeIntArray;
typedef ZcArray<double> ZcGeDoubleArray;
