// Result-buffer chains: allocation, release, building and copying.
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <new>

#include "rx/zcadstrc.h"

namespace {
wchar_t* copyString(const wchar_t* text)
{
    if (text == nullptr)
        text = L"";
    const size_t n = std::wcslen(text) + 1;
    wchar_t* copy = new (std::nothrow) wchar_t[n];
    if (copy != nullptr)
        std::wmemcpy(copy, text, n);
    return copy;
}

char* copyBytes(const char* data, short length)
{
    if (data == nullptr || length <= 0)
        return nullptr;
    char* copy = new (std::nothrow) char[length];
    if (copy != nullptr)
        std::memcpy(copy, data, length);
    return copy;
}

bool holdsString(const resbuf* rb)
{
    const ZcRbValueKind kind = zcutGroupCodeType(rb->restype);
    return kind == kRbString || kind == kRbHandle;
}

// Reads the value of one link from the argument list; false when the type is unknown.
bool readValue(resbuf* rb, int type, va_list& args)
{
    if (!zcutIsKnownCode(type))
        return false;
    switch (zcutGroupCodeType(type)) {
    case kRbNone:
        return true;
    case kRbString:
    case kRbHandle:
        rb->resval.rstring = copyString(va_arg(args, const wchar_t*));
        return rb->resval.rstring != nullptr;
    case kRbReal:
        rb->resval.rreal = va_arg(args, double);
        return true;
    case kRbPoint: {
        const double* p = va_arg(args, const double*);
        for (int i = 0; i < 3; ++i)
            rb->resval.rpoint[i] = p != nullptr ? p[i] : 0.0;
        return true;
    }
    case kRbShort:
    case kRbBool:
        rb->resval.rint = static_cast<short>(va_arg(args, int));
        return true;
    case kRbLong:
        rb->resval.rlong = static_cast<int32_t>(va_arg(args, int));
        return true;
    case kRbInt64:
        rb->resval.mnInt64 = va_arg(args, int64_t);
        return true;
    case kRbObjectId: {
        const int64_t* name = va_arg(args, const int64_t*);
        rb->resval.rlname[0] = name != nullptr ? name[0] : 0;
        rb->resval.rlname[1] = name != nullptr ? name[1] : 0;
        return true;
    }
    case kRbBinary: {
        const int length = va_arg(args, int);
        const char* data = va_arg(args, const char*);
        if (length < 0 || length > 0x7FFF)
            return false;
        rb->resval.rbinary.clen = static_cast<short>(length);
        rb->resval.rbinary.buf = copyBytes(data, rb->resval.rbinary.clen);
        if (rb->resval.rbinary.buf == nullptr)
            rb->resval.rbinary.clen = 0;
        return data == nullptr || length == 0 || rb->resval.rbinary.buf != nullptr;
    }
    }
    return false;
}

// One link copied with its own string or binary chunk.
resbuf* copyLink(const resbuf* source)
{
    resbuf* copy = zcutNewRb(source->restype);
    if (copy == nullptr)
        return nullptr;
    copy->resval = source->resval;
    if (holdsString(source)) {
        copy->resval.rstring = nullptr;
        if (source->resval.rstring != nullptr) {
            copy->resval.rstring = copyString(source->resval.rstring);
            if (copy->resval.rstring == nullptr) {
                zcutRelRb(copy);
                return nullptr;
            }
        }
    } else if (zcutGroupCodeType(source->restype) == kRbBinary) {
        copy->resval.rbinary.buf = copyBytes(source->resval.rbinary.buf, source->resval.rbinary.clen);
        if (copy->resval.rbinary.buf == nullptr)
            copy->resval.rbinary.clen = 0;
    }
    return copy;
}
} // namespace

resbuf* zcutNewRb(int type)
{
    resbuf* rb = new (std::nothrow) resbuf;
    if (rb == nullptr)
        return nullptr;
    std::memset(rb, 0, sizeof(resbuf));
    rb->restype = static_cast<short>(type);
    return rb;
}

int zcutRelRb(resbuf* rb)
{
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        if (holdsString(rb))
            delete[] rb->resval.rstring;
        else if (zcutGroupCodeType(rb->restype) == kRbBinary)
            delete[] rb->resval.rbinary.buf;
        delete rb;
        rb = next;
    }
    return RTNORM;
}

resbuf* zcutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    while (type != 0 && type != RTNONE) {
        resbuf* rb = zcutNewRb(type);
        if (rb == nullptr || !readValue(rb, type, args)) {
            zcutRelRb(rb);
            zcutRelRb(head);
            head = nullptr;
            break;
        }
        (head == nullptr ? head : tail->rbnext) = rb;
        tail = rb;
        type = va_arg(args, int);
    }
    va_end(args);
    return head;
}

resbuf* zcutDuplicateChain(const resbuf* rb)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (; rb != nullptr; rb = rb->rbnext) {
        resbuf* copy = copyLink(rb);
        if (copy == nullptr) {
            zcutRelRb(head);
            return nullptr;
        }
        (head == nullptr ? head : tail->rbnext) = copy;
        tail = copy;
    }
    return head;
}

int zcutNewString(const wchar_t* input, wchar_t*& output)
{
    output = input != nullptr ? copyString(input) : nullptr;
    return output != nullptr ? RTNORM : RTERROR;
}
