#include "core/rb_chain.h"

#include <cwchar>
#include <new>

namespace {

constexpr short Rb_Int_Type = 90;
constexpr short Rb_Real_Type = 40;
constexpr short Rb_Text_Type = 1;

resbuf* Link(resbuf*& tail, resbuf* added)
{
    if (added == nullptr)
        return nullptr;
    if (tail != nullptr)
        tail->rbnext = added;
    tail = added;
    return added;
}

}  // namespace

resbuf* Rb_New(short type)
{
    resbuf* rb = new (std::nothrow) resbuf{};
    if (rb == nullptr)
        return nullptr;
    rb->restype = type;
    if (type == Rb_Text_Type) {
        rb->resval.rstring = new (std::nothrow) wchar_t[Rb_Text_Max + 1]();
        if (rb->resval.rstring == nullptr) {
            delete rb;
            return nullptr;
        }
    }
    return rb;
}

void Rb_Free_Chain(resbuf* chain)
{
    while (chain != nullptr) {
        resbuf* next = chain->rbnext;
        if (chain->restype == Rb_Text_Type)
            delete[] chain->resval.rstring;
        delete chain;
        chain = next;
    }
}

void Rb_Read_Int(const resbuf*& position, int32_t& value)
{
    if (position == nullptr)
        return;
    value = position->resval.rlong;
    position = position->rbnext;
}

void Rb_Read_Long(const resbuf*& position, int32_t& value) { Rb_Read_Int(position, value); }

void Rb_Read_Real(const resbuf*& position, double& value)
{
    if (position == nullptr)
        return;
    value = position->resval.rreal;
    position = position->rbnext;
}

void Rb_Read_Text(const resbuf*& position, CString& value)
{
    if (position == nullptr)
        return;
    value = position->resval.rstring != nullptr ? position->resval.rstring : L"";
    position = position->rbnext;
}

resbuf* Rb_Append_Int(resbuf*& tail, int32_t value)
{
    resbuf* rb = Rb_New(Rb_Int_Type);
    if (rb != nullptr)
        rb->resval.rlong = value;
    return Link(tail, rb);
}

resbuf* Rb_Append_Long(resbuf*& tail, int32_t value) { return Rb_Append_Int(tail, value); }

resbuf* Rb_Append_Real(resbuf*& tail, double value)
{
    resbuf* rb = Rb_New(Rb_Real_Type);
    if (rb != nullptr)
        rb->resval.rreal = value;
    return Link(tail, rb);
}

resbuf* Rb_Append_Text(resbuf*& tail, const wchar_t* value)
{
    resbuf* rb = Rb_New(Rb_Text_Type);
    if (rb != nullptr && value != nullptr)
        std::wcsncpy(rb->resval.rstring, value, Rb_Text_Max);
    return Link(tail, rb);
}
