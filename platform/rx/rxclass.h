// ZcRxClass: the runtime descriptor of a class, and the class registry functions.
//
// Class names: the runtime registers the host's classes under their host names, which begin
// with "Ac" ("AcRxObject", "AcDbEntity"...). A name given as "Zc" followed by an upper-case
// letter ("ZcDbEntity", as the DEFINE_MEMBERS macros stringify the platform's classes) stands
// for the same class: newZcRxClass registers it under the "Ac" name, and zcrxFindZcRxClass
// and parent lookups accept either spelling. Other names are used exactly as given
// (case-sensitive).
#pragma once

#include <string>

#include "rx/rxobject.h"

namespace zcrx_detail {
struct ClassRegistry;
}

namespace ZcDb {
// Proxy flags of a custom class (how a host without the class's application may edit it).
enum ProxyFlags {
    kNoOperation = 0,
    kEraseAllowed = 0x1,
    kTransformAllowed = 0x2,
    kColorChangeAllowed = 0x4,
    kLayerChangeAllowed = 0x8,
    kLinetypeChangeAllowed = 0x10,
    kLinetypeScaleChangeAllowed = 0x20,
    kVisibilityChangeAllowed = 0x40,
    kCloningAllowed = 0x80,
    kLineWeightChangeAllowed = 0x100,
    kPlotStyleNameChangeAllowed = 0x200,
    kAllButCloningAllowed = 0x37F,
    kAllAllowedBits = 0x3FF,
    kDisableProxyWarning = 0x400,
    kMaterialChangeAllowed = 0x800
};
} // namespace ZcDb

class ZcRxClass : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcRxClass);

public:
    ~ZcRxClass() override;

    const wchar_t* name() const { return mName.c_str(); }
    const wchar_t* dxfName() const { return mDxfName.c_str(); }
    const wchar_t* appName() const { return mAppName.c_str(); }
    ZcRxClass* myParent() const { return mpParent; }
    // True when this class is aClass or derives from it.
    bool isDerivedFrom(const ZcRxClass* aClass) const;
    // A new object of the class, or nullptr when the class has no pseudo-constructor.
    ZcRxObject* create() const;
    bool hasConstructor() const { return mConstructor != nullptr; }
    int dwgVersion() const { return mDwgVersion; }
    int maintenanceVersion() const { return mMaintenanceVersion; }
    int proxyFlags() const { return mProxyFlags; }
    int customFlags() const { return mCustomFlags; }
    void setCustomFlags(int flags) { mCustomFlags = flags; }

private:
    friend struct zcrx_detail::ClassRegistry;
    ZcRxClass(const wchar_t* name, ZcRxClass* parent, int dwgVersion, int maintenanceVersion,
              int proxyFlags, ZcRxObject* (*constructor)(), const wchar_t* dxfName,
              const wchar_t* appName);

    std::wstring mName;
    std::wstring mDxfName;
    std::wstring mAppName;
    ZcRxClass* mpParent;
    int mDwgVersion;
    int mMaintenanceVersion;
    int mProxyFlags;
    int mCustomFlags = 0;
    ZcRxObject* (*mConstructor)();
};

// Registers a class under name with the registered class parentName as parent. dxfName and
// appName may be nullptr (empty). Returns nullptr, registering nothing, when name is empty or
// already registered or when the parent is not registered.
ZcRxClass* newZcRxClass(const wchar_t* name, const wchar_t* parentName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags,
                        ZcRxObject* (*pseudoConstructor)(), const wchar_t* dxfName = nullptr,
                        const wchar_t* appName = nullptr);
// Removes the class from the class dictionary and deletes it. Classes derived from it are
// re-attached to its parent, so no parent pointer dangles. The runtime's own root classes
// and classes not in the dictionary are left alone.
void deleteZcRxClass(ZcRxClass* pClass);
// The registered class of that name (either spelling, see above), or nullptr.
ZcRxClass* zcrxFindZcRxClass(const wchar_t* name);
// Checks that every registered class's parent is registered; true when the hierarchy is whole.
bool zcrxBuildClassHierarchy();
// Changes whenever a class is registered or removed (lets cached descriptors revalidate).
unsigned zcrxClassGeneration();
