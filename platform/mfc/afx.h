// CObject and its runtime classes.
//
// A class that declares DECLARE_DYNAMIC (or DYNCREATE, or SERIAL) and defines the
// matching IMPLEMENT_ macro in one source file gets a CRuntimeClass with its name,
// size and base class: RUNTIME_CLASS(C), IsKindOf, DYNAMIC_DOWNCAST, and, for
// DYNCREATE and SERIAL, CreateObject. Every IMPLEMENT_ macro registers the class
// for CRuntimeClass::FromName while its module is loaded (unregistered when the
// module's static objects are destroyed). CArchive exists for the Serialize
// signature only: nothing reads or writes archives.
#pragma once

#include "mfc/afxassert.h"
#include "mfc/afxstr.h"
#include "win/windows.h"

#define AFXAPI
#define AFX_INLINE inline
#define AFX_EXT_CLASS
#define AFX_EXT_API
#define AFX_EXT_DATA
#define AFX_CLASS_EXPORT
#define AFX_MANAGE_STATE(p)
#define DEBUG_NEW new

// An iterator of the lists and maps; null ends the iteration.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes without serialization
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or null when the class cannot be created dynamically.
    CObject* CreateObject() const;
    // True when this is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // A registered class of a loaded module by its name (case sensitive), or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCWSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCWSTR lpszClassName);
};

// Registers a class for FromName for the lifetime of the object.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
    const CRuntimeClass* m_pClass;
};

class CArchive {
public:
    BOOL IsStoring() const { return FALSE; }
    BOOL IsLoading() const { return FALSE; }
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    // Objects are not copied unless a class says how.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                     \
public:                                                 \
    static const CRuntimeClass class##class_name;       \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                  \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                         wSchema, pfnNew, RUNTIME_CLASS(base_class_name)};  \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }                \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                     \
    CObject* class_name::CreateObject() { return new class_name; }           \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)               \
    CObject* class_name::CreateObject() { return new class_name; }           \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

#define VERSIONABLE_SCHEMA (0x80000000)

// The object when it is of the class (or derived from it), else null.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
const CObject* AfxDynamicDownCast(CRuntimeClass* pClass, const CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object) ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))

// A cast the caller knows to be right; checked in Debug builds.
#define STATIC_DOWNCAST(class_name, object) \
    (ASSERT((object) == nullptr || (object)->IsKindOf(RUNTIME_CLASS(class_name))), (class_name*)(object))

#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define ASSERT_VALID(pObject) ASSERT((pObject) != nullptr)
