// Class descriptors and the class registry.
#include "runtime.h"
#include "rx/rxlinker.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcRxClass, ZcRxObject)

using zcrx_detail::runtime;

ZcRxClass::ZcRxClass(const wchar_t* name, ZcRxClass* parent, int dwgVersion,
                     int maintenanceVersion, int proxyFlags, ZcRxObject* (*constructor)(),
                     const wchar_t* dxfName, const wchar_t* appName)
    : mName(name), mDxfName(dxfName != nullptr ? dxfName : L""),
      mAppName(appName != nullptr ? appName : L""), mpParent(parent), mDwgVersion(dwgVersion),
      mMaintenanceVersion(maintenanceVersion), mProxyFlags(proxyFlags), mConstructor(constructor)
{
}

ZcRxClass::~ZcRxClass() = default;

bool ZcRxClass::isDerivedFrom(const ZcRxClass* aClass) const
{
    if (aClass == nullptr)
        return false;
    for (const ZcRxClass* c = this; c != nullptr; c = c->mpParent)
        if (c == aClass)
            return true;
    return false;
}

ZcRxObject* ZcRxClass::create() const
{
    return mConstructor != nullptr ? mConstructor() : nullptr;
}

namespace zcrx_detail {
std::wstring hostClassName(const wchar_t* name)
{
    std::wstring result(name != nullptr ? name : L"");
    if (result.size() > 2 && result[0] == L'Z' && result[1] == L'c' && result[2] >= L'A' &&
        result[2] <= L'Z')
        result[0] = L'A';
    return result;
}
} // namespace zcrx_detail

ZcRxClass* zcrxFindZcRxClass(const wchar_t* name)
{
    if (name == nullptr)
        return nullptr;
    ZcRxDictionary& classes = runtime().classes;
    ZcRxObject* found = classes.at(name);
    if (found == nullptr)
        found = classes.at(zcrx_detail::hostClassName(name).c_str());
    return static_cast<ZcRxClass*>(found);
}

ZcRxClass* newZcRxClass(const wchar_t* name, const wchar_t* parentName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags,
                        ZcRxObject* (*pseudoConstructor)(), const wchar_t* dxfName,
                        const wchar_t* appName)
{
    const std::wstring hostName = zcrx_detail::hostClassName(name);
    if (hostName.empty() || zcrxFindZcRxClass(hostName.c_str()) != nullptr)
        return nullptr;
    ZcRxClass* parent = zcrxFindZcRxClass(parentName);
    if (parent == nullptr)
        return nullptr;
    ZcRxClass* created = zcrx_detail::ClassRegistry::make(
        hostName.c_str(), parent, dwgVersion, maintenanceVersion, proxyFlags, pseudoConstructor,
        dxfName, appName);
    runtime().classes.atPut(hostName.c_str(), created);
    ++runtime().generation;
    return created;
}

namespace {
bool isRootClass(const ZcRxClass* pClass)
{
    return pClass == ZcRxObject::desc() || pClass == ZcRxClass::desc() ||
           pClass == ZcRxDictionary::desc() || pClass == ZcRxDynamicLinker::desc();
}
} // namespace

void deleteZcRxClass(ZcRxClass* pClass)
{
    if (pClass == nullptr || isRootClass(pClass))
        return;
    zcrx_detail::Runtime& rt = runtime();
    if (rt.classes.at(pClass->name()) != pClass)
        return;
    ZcRxDictionaryIterator* it = rt.classes.newIterator();
    for (; !it->done(); it->next()) {
        ZcRxClass* other = static_cast<ZcRxClass*>(it->object());
        if (other->myParent() == pClass)
            zcrx_detail::ClassRegistry::setParent(other, pClass->myParent());
    }
    delete it;
    rt.classes.remove(pClass->name());
    ++rt.generation;
    delete pClass;
}

bool zcrxBuildClassHierarchy()
{
    zcrx_detail::Runtime& rt = runtime();
    bool whole = true;
    ZcRxDictionaryIterator* it = rt.classes.newIterator();
    for (; !it->done(); it->next()) {
        const ZcRxClass* c = static_cast<const ZcRxClass*>(it->object());
        if (c->myParent() != nullptr && rt.classes.at(c->myParent()->name()) != c->myParent())
            whole = false;
    }
    delete it;
    return whole;
}

unsigned zcrxClassGeneration() { return runtime().generation; }
