#pragma once
#include <dshow.h>

// Wine's filter graph has no IAMGraphStreams. These give a filter graph that has it:
// the system's graph aggregated inside a small object that answers IAMGraphStreams
// itself only when the graph does not. Where the graph has it, they change nothing.

// Creates a filter graph (CLSID_FilterGraph) with IAMGraphStreams.
HRESULT DsCreateFilterGraph(REFIID riid, void** ppv);

// From now on, in this apartment, CoCreateInstance(CLSID_FilterGraph) yields such a
// graph. S_FALSE (and cookie 0) when the system's graph has IAMGraphStreams already.
HRESULT DsRegisterFilterGraphSupplement(DWORD* pdwCookie);
HRESULT DsRevokeFilterGraphSupplement(DWORD dwCookie);
