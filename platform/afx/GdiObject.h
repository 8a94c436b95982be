#pragma once
#include "platform/afx/Object.h"

// Owner of one GDI object handle; the handle is deleted with the object unless detached.
class CGdiObject : public CObject {
public:
  CGdiObject() : m_hObject(NULL) {}
  virtual ~CGdiObject();

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int count, void* buffer) const;

  HGDIOBJ m_hObject;
};
