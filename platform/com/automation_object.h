// Base of the late-bound automation objects of the platform's servers: member names to
// DISPIDs (without regard to case), reference counting, and the unpacking of a call's
// arguments. A server object lists its members and answers Call.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "com/comutil.h"

namespace platform {

// The arguments of one call in the caller's order; omitted optional ones are null.
struct Automation_Args {
    std::vector<const VARIANT*> positional;
    const VARIANT* put_value = nullptr;  // the value of a property put

    const VARIANT* at(size_t index) const { return index < positional.size() ? positional[index] : nullptr; }
};

// Conversions of argument values; false when the value has another type.
bool Variant_To_Double(const VARIANT* value, double& number);
bool Variant_To_Long(const VARIANT* value, LONG& number);
bool Variant_To_Bool(const VARIANT* value, bool& flag);
bool Variant_To_Text(const VARIANT* value, std::wstring& text);

// Results.
void Return_Double(VARIANT* result, double number);
void Return_Long(VARIANT* result, LONG number);
void Return_Bool(VARIANT* result, bool flag);
void Return_Text(VARIANT* result, const std::wstring& text);
// Hands over the object's one reference.
void Return_Object(VARIANT* result, IDispatch* object);

class Automation_Object : public IDispatch {
public:
    Automation_Object();
    virtual ~Automation_Object();
    Automation_Object(const Automation_Object&) = delete;
    Automation_Object& operator=(const Automation_Object&) = delete;

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argument_error) override;

    // Objects of every server that are alive (held by a caller or by another object).
    static LONG Live_Count();

protected:
    // Member names; member i has DISPID i + 1.
    virtual const std::vector<std::wstring>& Members() const = 0;
    // Runs member i (DISPATCH_* flags as given). A rejected call sets Reject's text.
    virtual HRESULT Call(size_t member, WORD flags, const Automation_Args& args, VARIANT* result) = 0;

    // Rejects the call: DISP_E_EXCEPTION with the text as the exception's description.
    HRESULT Reject(const std::wstring& text);
    // The name of the server in exceptions.
    virtual std::wstring Source() const { return L"Automation server"; }

private:
    std::atomic<ULONG> m_Refs{1};
    std::wstring m_Rejection;
};

}  // namespace platform
