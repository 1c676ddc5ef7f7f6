// The root class and the support of the DEFINE_MEMBERS macros.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "runtime.h"
#include "script/utf8.h"
#include "win/win_format.h"

ZcRxClass* ZcRxObject::gpDesc = nullptr;

ZcRxClass* ZcRxObject::desc()
{
    static unsigned generation = 0;
    return zcrx_detail::cachedDesc(gpDesc, generation, L"AcRxObject");
}

ZcRxClass* ZcRxObject::isA() const { return ZcRxObject::desc(); }

void ZcRxObject::rxInit() { zcrx_detail::runtime(); }

ZcRxObject::~ZcRxObject() = default;

bool ZcRxObject::isKindOf(const ZcRxClass* aClass) const
{
    const ZcRxClass* mine = isA();
    return mine != nullptr && aClass != nullptr && mine->isDerivedFrom(aClass);
}

ZcRxObject* ZcRxObject::clone() const { return nullptr; }

Zcad::ErrorStatus ZcRxObject::copyFrom(const ZcRxObject*) { return Zcad::eNotApplicable; }

void zcrx_abort(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::wstring text = platform::Format_Wide(format != nullptr ? format : L"", args);
    va_end(args);
    std::fprintf(stderr, "zcrx_abort: %s\n", platform::To_Utf8(text).c_str());
    std::fflush(stderr);
    std::abort();
}

namespace zcrx_detail {

ZcRxClass* cachedDesc(ZcRxClass*& slot, unsigned& generation, const wchar_t* name)
{
    const unsigned current = zcrxClassGeneration();
    if (generation != current) {
        slot = zcrxFindZcRxClass(name);
        generation = current;
    }
    return slot;
}

namespace {
bool sameText(const wchar_t* a, const wchar_t* b)
{
    return std::wcscmp(a != nullptr ? a : L"", b != nullptr ? b : L"") == 0;
}
} // namespace

void initClass(ZcRxClass*& slot, const wchar_t* name,
               const wchar_t* parentName, int dwgVersion, int maintenanceVersion, int proxyFlags,
               PseudoConstructor constructor, const wchar_t* dxfName, const wchar_t* appName)
{
    ZcRxClass* existing = zcrxFindZcRxClass(name);
    if (existing != nullptr) {
        // The same registration (an rxInit repeated) when made with the same constructor,
        // parent and names; anything else is a different class holding the name.
        const ZcRxClass* parent = existing->myParent();
        const bool ours = ClassRegistry::constructor(existing) == constructor &&
                          parent != nullptr && parent == zcrxFindZcRxClass(parentName) &&
                          sameText(existing->dxfName(), dxfName) &&
                          sameText(existing->appName(), appName);
        if (!ours)
            zcrx_abort(L"Class mismatch");
        slot = existing;
        return;
    }
    ZcRxClass* created = newZcRxClass(name, parentName, dwgVersion, maintenanceVersion,
                                      proxyFlags, constructor, dxfName, appName);
    if (created == nullptr)
        zcrx_abort(L"Class %s: parent class %s is not registered", name, parentName);
    slot = created;
}

} // namespace zcrx_detail
