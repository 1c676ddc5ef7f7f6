// Owning wrappers of BSTR strings and VARIANT values: each frees what it holds when it
// goes. A _variant_t passes where a VARIANT is taken by value (the callee borrows it).
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
