#include "platform/afx/Object.h"

CRuntimeClass* CObject::GetRuntimeClass() const { return nullptr; }
CObject::~CObject() {}
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}
