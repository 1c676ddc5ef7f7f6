// Owning wrappers of BSTR strings, VARIANT values and interface pointers: each frees
// what it holds when it goes. A _variant_t passes where a VARIANT is taken by value (the
// callee borrows it).
#pragma once

#include "com/combase.h"

class _bstr_t {
public:
    _bstr_t(const wchar_t* text = nullptr) : m_Text(SysAllocString(text)) {}
    _bstr_t(const _bstr_t& other) : m_Text(SysAllocString(other.m_Text)) {}
    _bstr_t& operator=(const _bstr_t& other)
    {
        if (this != &other) {
            SysFreeString(m_Text);
            m_Text = SysAllocString(other.m_Text);
        }
        return *this;
    }
    ~_bstr_t() { SysFreeString(m_Text); }

    operator BSTR() const { return m_Text; }
    UINT length() const { return SysStringLen(m_Text); }

private:
    BSTR m_Text;
};

class _variant_t : public VARIANT {
public:
    _variant_t() { VariantInit(this); }
    _variant_t(LONG value)
    {
        VariantInit(this);
        vt = VT_I4;
        lVal = value;
    }
    _variant_t(SHORT value)
    {
        VariantInit(this);
        vt = VT_I2;
        iVal = value;
    }
    _variant_t(double value)
    {
        VariantInit(this);
        vt = VT_R8;
        dblVal = value;
    }
    _variant_t(bool value)
    {
        VariantInit(this);
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    // A VT_I4, VT_BOOL or VT_ERROR value.
    _variant_t(LONG value, VARTYPE type)
    {
        VariantInit(this);
        vt = type;
        if (type == VT_ERROR)
            scode = value;
        else if (type == VT_BOOL)
            boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        else
            lVal = value;
    }
    _variant_t(const wchar_t* text)
    {
        VariantInit(this);
        vt = VT_BSTR;
        bstrVal = SysAllocString(text);
    }
    _variant_t(const _variant_t&) = delete;
    _variant_t& operator=(const _variant_t&) = delete;
    ~_variant_t() { VariantClear(this); }
};

// An omitted optional argument of a late-bound call.
extern const _variant_t vtMissing;

// An interface pointer that holds one reference and releases it when it goes.
template <class Interface>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    ~CComPtr() { Release(); }

    void Release()
    {
        if (p != nullptr) {
            Interface* held = p;
            p = nullptr;
            held->Release();
        }
    }
    // Takes over a reference the caller owns.
    void Attach(Interface* object)
    {
        Release();
        p = object;
    }
    // Where a call writes an interface pointer out; what was held is released first.
    Interface** operator&()
    {
        Release();
        return &p;
    }
    Interface* operator->() const { return p; }
    operator Interface*() const { return p; }

    Interface* p = nullptr;
};
