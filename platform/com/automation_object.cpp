#include "com/automation_object.h"

#include <cwchar>

#include "win/win_files.h"

namespace platform {

namespace {

std::atomic<LONG>& Live()
{
    static std::atomic<LONG> live{0};
    return live;
}

bool Is_Omitted(const VARIANT& value) { return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND; }

}  // namespace

bool Variant_To_Double(const VARIANT* value, double& number)
{
    if (value == nullptr)
        return false;
    switch (value->vt) {
        case VT_I2: number = value->iVal; return true;
        case VT_I4: number = value->lVal; return true;
        case VT_R4: number = value->fltVal; return true;
        case VT_R8: number = value->dblVal; return true;
        case VT_BOOL: number = value->boolVal != VARIANT_FALSE ? -1.0 : 0.0; return true;
        case VT_BSTR: {
            if (value->bstrVal == nullptr)
                return false;
            wchar_t* end = nullptr;
            number = std::wcstod(value->bstrVal, &end);
            return end != value->bstrVal && *end == L'\0';
        }
        default: return false;
    }
}

bool Variant_To_Long(const VARIANT* value, LONG& number)
{
    double real = 0.0;
    if (!Variant_To_Double(value, real) || real < -2147483648.0 || real > 2147483647.0)
        return false;
    number = static_cast<LONG>(real < 0 ? real - 0.5 : real + 0.5);
    return true;
}

bool Variant_To_Bool(const VARIANT* value, bool& flag)
{
    double real = 0.0;
    if (!Variant_To_Double(value, real))
        return false;
    flag = real != 0.0;
    return true;
}

bool Variant_To_Text(const VARIANT* value, std::wstring& text)
{
    if (value == nullptr || value->vt != VT_BSTR)
        return false;
    text = value->bstrVal != nullptr ? value->bstrVal : L"";
    return true;
}

void Return_Double(VARIANT* result, double number)
{
    if (result == nullptr)
        return;
    VariantClear(result);
    result->vt = VT_R8;
    result->dblVal = number;
}

void Return_Long(VARIANT* result, LONG number)
{
    if (result == nullptr)
        return;
    VariantClear(result);
    result->vt = VT_I4;
    result->lVal = number;
}

void Return_Bool(VARIANT* result, bool flag)
{
    if (result == nullptr)
        return;
    VariantClear(result);
    result->vt = VT_BOOL;
    result->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

void Return_Text(VARIANT* result, const std::wstring& text)
{
    if (result == nullptr)
        return;
    VariantClear(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
}

void Return_Object(VARIANT* result, IDispatch* object)
{
    if (result == nullptr) {
        object->Release();
        return;
    }
    VariantClear(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

Automation_Object::Automation_Object() { ++Live(); }

Automation_Object::~Automation_Object() { --Live(); }

LONG Automation_Object::Live_Count() { return Live().load(); }

HRESULT Automation_Object::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Automation_Object::AddRef() { return ++m_Refs; }

ULONG Automation_Object::Release()
{
    ULONG left = --m_Refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT Automation_Object::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    if (names == nullptr || ids == nullptr || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    const std::vector<std::wstring>& members = Members();
    for (size_t i = 0; i < members.size(); ++i)
        if (names[0] != nullptr && Equal_No_Case(members[i], names[0])) {
            ids[0] = static_cast<DISPID>(i + 1);
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    return DISP_E_UNKNOWNNAME;
}

HRESULT Automation_Object::Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* exception, UINT* argument_error)
{
    const std::vector<std::wstring>& members = Members();
    if (member < 1 || static_cast<size_t>(member) > members.size())
        return DISP_E_MEMBERNOTFOUND;
    Automation_Args args;
    if (params != nullptr) {
        UINT named = params->cNamedArgs;
        if (named > 1 || (named == 1 && (params->rgdispidNamedArgs == nullptr ||
                                         params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)))
            return DISP_E_NONAMEDARGS;
        if (params->cArgs < named || (params->cArgs > 0 && params->rgvarg == nullptr))
            return E_INVALIDARG;
        if (named == 1)
            args.put_value = &params->rgvarg[0];
        for (UINT i = params->cArgs; i > named; --i) {
            const VARIANT& value = params->rgvarg[i - 1];
            args.positional.push_back(Is_Omitted(value) ? nullptr : &value);
        }
    }
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0 && args.put_value == nullptr)
        return DISP_E_PARAMNOTFOUND;
    if (result != nullptr)
        VariantInit(result);
    m_Rejection.clear();
    HRESULT outcome = Call(static_cast<size_t>(member - 1), flags, args, result);
    if (outcome == DISP_E_EXCEPTION && exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->bstrSource = SysAllocString(Source().c_str());
        exception->bstrDescription = SysAllocString(m_Rejection.c_str());
        exception->scode = E_FAIL;
    }
    return outcome;
}

HRESULT Automation_Object::Reject(const std::wstring& text)
{
    m_Rejection = text;
    return DISP_E_EXCEPTION;
}

}  // namespace platform
