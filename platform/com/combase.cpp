#include "com/combase.h"
#include "com/comutil.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

// The length in characters is kept just before the characters.
UINT* Length_Slot(BSTR text) { return reinterpret_cast<UINT*>(text) - 2; }

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    // Two UINT slots keep the characters aligned for wchar_t.
    auto* block = static_cast<UINT*>(std::malloc(2 * sizeof(UINT) + (length + 1) * sizeof(OLECHAR)));
    if (block == nullptr)
        return nullptr;
    block[1] = length;
    BSTR chars = reinterpret_cast<BSTR>(block + 2);
    if (text != nullptr)
        std::memcpy(chars, text, length * sizeof(OLECHAR));
    else
        std::memset(chars, 0, length * sizeof(OLECHAR));
    chars[length] = L'\0';
    return chars;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (text == nullptr)
        return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

void SysFreeString(BSTR text)
{
    if (text != nullptr)
        std::free(Length_Slot(text));
}

UINT SysStringLen(BSTR text) { return text == nullptr ? 0 : Length_Slot(text)[1]; }

void VariantInit(VARIANT* value)
{
    if (value == nullptr)
        return;
    value->vt = VT_EMPTY;
    value->dblVal = 0.0;
    value->pdispVal = nullptr;
}

HRESULT VariantClear(VARIANT* value)
{
    if (value == nullptr)
        return E_INVALIDARG;
    if (value->vt == VT_BSTR)
        SysFreeString(value->bstrVal);
    else if (value->vt == VT_DISPATCH && value->pdispVal != nullptr)
        value->pdispVal->Release();
    VariantInit(value);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source)
{
    if (target == nullptr || source == nullptr)
        return E_INVALIDARG;
    if (target == source)
        return S_OK;
    VariantClear(target);
    *target = *source;
    if (source->vt == VT_BSTR)
        target->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
    else if (source->vt == VT_DISPATCH && source->pdispVal != nullptr)
        source->pdispVal->AddRef();
    return S_OK;
}

const _variant_t vtMissing(DISP_E_PARAMNOTFOUND, VT_ERROR);
