#pragma once
#include "platform/afx/AfxDefs.h"

class CArchive;
class CDumpContext;
struct CRuntimeClass;

// Root of the polymorphic classes; the five virtual operations keep MFC's slot order
// because some records of the system are described by their vtable layout.
class CObject {
public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  BOOL IsSerializable() const { return FALSE; }

protected:
  CObject() {}

private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};
