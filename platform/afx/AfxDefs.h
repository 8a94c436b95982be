#pragma once
// Common ground of the MFC-like layer: Win32 types, POSITION and the resource module.
#include <windows.h>

#ifndef AFXAPI
#define AFXAPI
#endif

// An opaque iterator for the collections; BEFORE_START_POSITION asks for the first element.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// The module whose string and dialog resources LoadString and friends read (the program by default).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hResource);
HINSTANCE AFXAPI AfxGetInstanceHandle();
// The module that holds a resource: the resource module when it has it, else the program.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// The "safe" handle accessors are called through NULL object pointers by design; this hides the
// pointer's origin so the compiler keeps their NULL test.
inline const void* AfxOpaquePointer(const void* p) {
  asm("" : "+r"(p));
  return p;
}
