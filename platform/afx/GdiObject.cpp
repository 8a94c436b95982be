#include "platform/afx/GdiObject.h"

#include "platform/afx/HandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandleWith(HGDIOBJ hObject, CObject* (*pfnConstruct)()) {
  return static_cast<CGdiObject*>(AfxGetThreadState()->m_mapHGDIOBJ.FromHandle(hObject, pfnConstruct));
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) { return FromHandleAs<CGdiObject>(hObject); }

HGDIOBJ CGdiObject::GetSafeHandle() const {
  const CGdiObject* self = static_cast<const CGdiObject*>(AfxOpaquePointer(this));
  return self ? self->m_hObject : NULL;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject)
    return FALSE;
  DeleteObject();
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = NULL;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject)
    return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, void* buffer) const {
  return m_hObject ? ::GetObjectA(m_hObject, count, buffer) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
  // The system ignores the deletion of a stock object, so the wrapper may own it like any other.
  DeleteObject();
  m_hObject = ::GetStockObject(nIndex);
  return m_hObject != NULL;
}
