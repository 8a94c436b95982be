#include "platform/afx/AfxDefs.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : GetModuleHandleA(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hResource) { g_resourceHandle = hResource; }

HINSTANCE AFXAPI AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
  HINSTANCE hResource = AfxGetResourceHandle();
  if (::FindResourceA(hResource, lpszName, lpszType))
    return hResource;
  return AfxGetInstanceHandle();
}
