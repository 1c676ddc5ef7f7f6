// ZcRxObject: the root of the runtime class system, and the macros that give a class its
// runtime class descriptor.
#pragma once

#include "rx/zcadstrc.h"

class ZcRxClass;

#define ZCRX_WIDEN_(x) L##x
#define ZCRX_T(x) ZCRX_WIDEN_(x)
#define ZCRX_STRINGIFY_(x) #x
// The text of a macro argument as a wide string literal.
#define ZCRX_WIDE_NAME(x) ZCRX_T(ZCRX_STRINGIFY_(x))

// Declares the runtime class members of CLASS. Put it in the class body; it leaves the
// access at public.
#define ZCRX_DECLARE_MEMBERS(CLASS)                                                   \
protected:                                                                            \
    static ZcRxClass* gpDesc;                                                         \
                                                                                      \
public:                                                                               \
    static ZcRxClass* desc();                                                         \
    static CLASS* cast(const ZcRxObject* inPtr)                                       \
    {                                                                                 \
        return (inPtr != nullptr && inPtr->isKindOf(CLASS::desc()))                   \
                   ? const_cast<CLASS*>(static_cast<const CLASS*>(inPtr))            \
                   : nullptr;                                                         \
    }                                                                                 \
    virtual ZcRxClass* isA() const;                                                   \
    static void rxInit()

class ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcRxObject);

public:
    virtual ~ZcRxObject();

    bool isKindOf(const ZcRxClass* aClass) const;
    // A copy of this object; the root makes none (nullptr).
    virtual ZcRxObject* clone() const;
    // Copies other's state into this object; the root copies nothing (eNotApplicable).
    virtual Zcad::ErrorStatus copyFrom(const ZcRxObject* other);
};

// Internal support of the DEFINE_MEMBERS macros.
namespace zcrx_detail {
typedef ZcRxObject* (*PseudoConstructor)();
// The class of that name, kept in slot and looked up again only when the registry changed
// since (generation records when slot was filled).
ZcRxClass* cachedDesc(ZcRxClass*& slot, unsigned& generation, const wchar_t* name);
// Registers the class, or checks that the class registered under name is this one (a foreign
// class aborts with "Class mismatch"); keeps the descriptor in slot.
void initClass(ZcRxClass*& slot, const wchar_t* name,
               const wchar_t* parentName, int dwgVersion, int maintenanceVersion,
               int proxyFlags, PseudoConstructor constructor, const wchar_t* dxfName,
               const wchar_t* appName);
} // namespace zcrx_detail

#define ZCRX_DEFINE_MEMBERS_(CLASS, PARENT, DWGVER, MAINTVER, PROXYFLAGS, CONS, DXFNAME, APP) \
    ZcRxClass* CLASS::gpDesc = nullptr;                                                    \
    ZcRxClass* CLASS::desc()                                                               \
    {                                                                                      \
        static unsigned generation = 0;                                                    \
        return zcrx_detail::cachedDesc(CLASS::gpDesc, generation, ZCRX_WIDE_NAME(CLASS));  \
    }                                                                                      \
    ZcRxClass* CLASS::isA() const { return CLASS::desc(); }                                \
    void CLASS::rxInit()                                                                   \
    {                                                                                      \
        zcrx_detail::initClass(CLASS::gpDesc, ZCRX_WIDE_NAME(CLASS), ZCRX_WIDE_NAME(PARENT), \
                               DWGVER, MAINTVER, PROXYFLAGS, CONS, DXFNAME, APP);          \
    }

// A class without a pseudo-constructor (abstract or not creatable by the runtime).
#define ZCRX_NO_CONS_DEFINE_MEMBERS(CLASS, PARENT) \
    ZCRX_DEFINE_MEMBERS_(CLASS, PARENT, 0, 0, 0, nullptr, nullptr, nullptr)

// A class the runtime creates with its default constructor; VERNO is its DWG version.
#define ZCRX_CONS_DEFINE_MEMBERS(CLASS, PARENT, VERNO)                                   \
    ZCRX_DEFINE_MEMBERS_(CLASS, PARENT, VERNO, 0, 0,                                     \
                         ([]() -> ZcRxObject* { return new CLASS(); }), nullptr, nullptr)

// A class filed in drawings: DXF_NAME and APP are stringified as written, so a bare token
// gives its own text and a string literal keeps its quote characters
// (APP "X" registers the application name "X" with the quotes).
#define ZCRX_DXF_DEFINE_MEMBERS(CLASS, PARENT, DWG_VERSION, MAINTENANCE_VERSION,           \
                                PROXY_FLAGS, DXF_NAME, APP)                                \
    ZCRX_DEFINE_MEMBERS_(CLASS, PARENT, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,     \
                         ([]() -> ZcRxObject* { return new CLASS(); }),                    \
                         ZCRX_WIDE_NAME(DXF_NAME), ZCRX_WIDE_NAME(APP))

// Stops the process with a message (the host's abort).
[[noreturn]] void zcrx_abort(const wchar_t* format, ...);
