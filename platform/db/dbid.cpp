#include "db/dbid.h"

#include <cwchar>

#include "db/db_internal.h"

namespace platform {

ZcDbObject* Peek_Object(ZcDbObjectId id)
{
    Db_Stub* stub = id.stub();
    if (!Stub_Is_Live(stub)) return nullptr;
    return stub->object;
}

}  // namespace platform

ZcDbHandle::ZcDbHandle(const wchar_t* hexText)
{
    if (hexText == nullptr || *hexText == 0) return;
    uint64_t v = 0;
    int digits = 0;
    for (const wchar_t* p = hexText; *p; ++p) {
        wchar_t c = *p;
        int d;
        if (c >= L'0' && c <= L'9') d = c - L'0';
        else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
        else return;
        if (++digits > 16) return;
        v = (v << 4) | uint64_t(d);
    }
    mValue = v;
}

bool ZcDbHandle::getIntoAsciiBuffer(wchar_t* buffer, size_t len) const
{
    if (buffer == nullptr || len == 0) return false;
    wchar_t tmp[20];
    std::swprintf(tmp, 20, L"%llX", static_cast<unsigned long long>(mValue));
    if (std::wcslen(tmp) + 1 > len) {
        buffer[0] = 0;
        return false;
    }
    std::wcscpy(buffer, tmp);
    return true;
}

const ZcDbObjectId ZcDbObjectId::kNull;

bool ZcDbObjectId::isValid() const { return platform::Peek_Object(*this) != nullptr; }

bool ZcDbObjectId::isErased() const
{
    return platform::Stub_Is_Live(mStub) && mStub->erased();
}

ZcDbHandle ZcDbObjectId::handle() const
{
    return platform::Stub_Is_Live(mStub) ? mStub->handle : ZcDbHandle();
}

ZcDbDatabase* ZcDbObjectId::database() const
{
    return platform::Stub_Is_Live(mStub) ? mStub->db() : nullptr;
}

ZcRxClass* ZcDbObjectId::objectClass() const
{
    ZcDbObject* obj = platform::Peek_Object(*this);
    return obj ? obj->isA() : nullptr;
}
