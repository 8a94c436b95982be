#include "platform/afx/GdiObject.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

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
  const BOOL done = ::DeleteObject(Detach());
  return done;
}

int CGdiObject::GetObject(int count, void* buffer) const {
  return m_hObject ? ::GetObjectA(m_hObject, count, buffer) : 0;
}
