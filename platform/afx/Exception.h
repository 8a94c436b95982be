#pragma once
#include "platform/afx/Object.h"

// The framework's exceptions are thrown as pointers to heap objects; the catcher calls Delete.
class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  void Delete() { delete this; }
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
};

// Throws a new CMemoryException.
[[noreturn]] void AFXAPI AfxThrowMemoryException();
