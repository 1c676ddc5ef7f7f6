// COM basics of the host's automation objects: GUIDs, IUnknown, IDispatch, BSTR
// strings and VARIANT values.
#pragma once

#include <cstdint>

#include "win/win_types.h"

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool operator==(const GUID& a, const GUID& b) { return IsEqualGUID(a, b); }
inline bool operator!=(const GUID& a, const GUID& b) { return !IsEqualGUID(a, b); }

#ifndef E_NOINTERFACE
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#endif
#ifndef E_UNEXPECTED
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#endif
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005L)
#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)

extern const IID IID_IUnknown;
extern const IID IID_IDispatch;

class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

typedef LONG DISPID;
typedef LONG SCODE;
typedef double DOUBLE;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

extern const IID IID_NULL;

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8
#define DISPID_UNKNOWN (-1)
#define DISPID_PROPERTYPUT (-3)

#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003L)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004L)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006L)
#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007L)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009L)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000EL)

struct VARIANT;
typedef VARIANT VARIANTARG;

// Arguments of a late-bound call, last argument first (rgvarg[cArgs - 1] is the
// first); a property put passes its value as the one named argument DISPID_PROPERTYPUT.
struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

// What a server tells about a call it rejected (DISP_E_EXCEPTION); the caller frees the
// strings.
struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    void* pfnDeferredFillIn;
    SCODE scode;
};

// Automation objects derive from IDispatch. The host's menu objects are called
// early-bound only and answer the late-bound entry points with E_NOTIMPL; automation
// servers found by class name (com/objbase.h) are called late-bound through them.
class IDispatch : public IUnknown {
public:
    // The DISPID of a member name (rgszNames[0], without regard to case); the other
    // names are argument names.
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId)
    {
        return E_NOTIMPL;
    }
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
    {
        return E_NOTIMPL;
    }
};

// BSTR: a length-prefixed wide string; a null BSTR is the empty string.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

typedef SHORT VARIANT_BOOL;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

typedef USHORT VARTYPE;
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,  // scode; DISP_E_PARAMNOTFOUND marks an omitted optional argument
    VT_BOOL = 11,
};

struct VARIANT {
    VARTYPE vt;
    union {
        LONG lVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        SCODE scode;
        BSTR bstrVal;
        VARIANT_BOOL boolVal;
        IDispatch* pdispVal;
    };
};

void VariantInit(VARIANT* value);
// Frees what the value owns (its BSTR, its reference) and empties it.
HRESULT VariantClear(VARIANT* value);
// Copies the value; the copy owns its own BSTR and reference.
HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
