#pragma once
#include "platform/afx/AfxDefs.h"

class CArchive;
class CDumpContext;
class CObject;

// Class identity for IsKindOf and the dynamic downcasts; one static record per class that
// declares itself dynamic, chained to its base's record.
struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  // A new object of the class when it was declared creatable, else NULL.
  CObject* CreateObject() const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
 public:                            \
  static const CRuntimeClass* GetThisClass(); \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                          \
  const CRuntimeClass* class_name::GetThisClass() {                                              \
    static const CRuntimeClass rc = {#class_name, sizeof(class_name), pfnNew, RUNTIME_CLASS(base_class_name)}; \
    return &rc;                                                                                  \
  }                                                                                              \
  CRuntimeClass* class_name::GetRuntimeClass() const { return const_cast<CRuntimeClass*>(GetThisClass()); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)              \
  CObject* class_name::CreateObject() { return new class_name; }     \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

// Root of the polymorphic classes; the five virtual operations keep MFC's slot order
// because some records of the system are described by their vtable layout.
class CObject {
public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  static const CRuntimeClass* GetThisClass();
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const { return FALSE; }

protected:
  CObject() {}

private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// The object as the class named, or NULL when it is not of that class.
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

CObject* AFXAPI AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
