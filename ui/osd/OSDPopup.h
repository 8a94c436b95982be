#pragma once
#include "platform/afx/Wnd.h"

// The windows over the video show without taking the activation and hide themselves when their
// timer runs out; a time of 0 keeps them shown.
void OsdShowPopup(CWnd& wnd, BOOL show, UINT autoHideMs, UINT_PTR timer);
void OsdSetAutoHide(CWnd& wnd, UINT autoHideMs, UINT_PTR timer);
