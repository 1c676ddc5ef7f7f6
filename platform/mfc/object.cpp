#include <algorithm>
#include <cstring>
#include <vector>

#include "mfc/afx.h"

namespace {

// Registered classes, newest first. Never destroyed: modules unregister their classes
// from static destructors that may run after this file's own.
std::vector<const CRuntimeClass*>& Registered_Classes() {
    static auto* classes = new std::vector<const CRuntimeClass*>();
    return *classes;
}

}  // namespace

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
    auto& classes = Registered_Classes();
    classes.insert(classes.begin(), pNewClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
    auto& classes = Registered_Classes();
    const auto it = std::find(classes.begin(), classes.end(), m_pClass);
    if (it != classes.end()) classes.erase(it);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == pBaseClass) return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (!lpszClassName) return nullptr;
    for (const CRuntimeClass* c : Registered_Classes())
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0) return const_cast<CRuntimeClass*>(c);
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName) {
    return lpszClassName ? FromName(platform::To_Ansi(lpszClassName).c_str()) : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    const CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR lpszClassName) {
    const CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

const CObject* AfxDynamicDownCast(CRuntimeClass* pClass, const CObject* pObject) {
    return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
