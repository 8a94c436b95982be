#include "platform/afx/AfxDefs.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : GetModuleHandleA(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hResource) { g_resourceHandle = hResource; }

HINSTANCE AFXAPI AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }
