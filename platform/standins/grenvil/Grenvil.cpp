// Stand-in for the MPEG-4 codec's settings library: its one dialog is a message box, and it has
// no settings of its own to keep.
#include "platform/standins/grenvil/Grenvil.h"

extern "C" int WINAPI XD_ShowVCMDialog(HWND hwndParent) {
  return MessageBoxA(hwndParent, "This MPEG-4 codec has no settings to change.", "MPEG-4 codec",
                     MB_OKCANCEL | MB_ICONINFORMATION);
}
