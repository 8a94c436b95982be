#include "platform/afx/Object.h"

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
    if (p == pBaseClass)
      return TRUE;
  return FALSE;
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

const CRuntimeClass* CObject::GetThisClass() {
  static const CRuntimeClass rc = {"CObject", sizeof(CObject), nullptr, nullptr};
  return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return const_cast<CRuntimeClass*>(GetThisClass()); }
CObject::~CObject() {}
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* AFXAPI AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject) {
  return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
