#pragma once
#include "platform/afx/Wnd.h"

// The windows over the video show without taking the activation and hide themselves when their
// timer runs out; a time of 0 keeps them shown.
void OsdShowPopup(CWnd& wnd, BOOL show, UINT autoHideMs, UINT_PTR timer);
void OsdSetAutoHide(CWnd& wnd, UINT autoHideMs, UINT_PTR timer);
// Creates the hidden pop-up over the video, owned by the video window, and copies the stock GUI
// font's description into font; FALSE when either fails.
BOOL OsdCreatePopup(CWnd& wnd, CWnd* pParent, LOGFONTA& font);
