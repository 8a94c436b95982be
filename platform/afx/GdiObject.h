#pragma once
#include "platform/afx/Object.h"

// Owner of one GDI object handle; the handle is deleted with the object unless detached.
// FromHandle wraps a handle nobody owns in a temporary object (deleted at idle, handle kept).
class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
public:
  CGdiObject() : m_hObject(NULL) {}
  ~CGdiObject() override;

  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
  // A NULL object pointer gives NULL.
  HGDIOBJ GetSafeHandle() const;
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int count, void* buffer) const;
  UINT GetObjectType() const { return static_cast<UINT>(::GetObjectType(m_hObject)); }
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

  HGDIOBJ m_hObject;

protected:
  // The temporary wrapper of the derived class T for a handle.
  template <class T>
  static T* FromHandleAs(HGDIOBJ hObject) {
    return static_cast<T*>(FromHandleWith(hObject, [] { return static_cast<CObject*>(new T); }));
  }
  static CGdiObject* FromHandleWith(HGDIOBJ hObject, CObject* (*pfnConstruct)());
};
