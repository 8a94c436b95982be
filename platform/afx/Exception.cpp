#include "platform/afx/Exception.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)

void AFXAPI AfxThrowMemoryException() { throw new CMemoryException; }
