#pragma once
#include <windows.h>

// The MPEG-4 codec's settings library, bound by import. The codec keeps its settings itself.
#ifdef __cplusplus
extern "C" {
#endif

// Shows the codec's settings dialog modally over hwndParent; IDOK or IDCANCEL.
int WINAPI XD_ShowVCMDialog(HWND hwndParent);

#ifdef __cplusplus
}
#endif
