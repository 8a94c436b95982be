#pragma once
#include <windows.h>

// A message box that closes itself: its title counts the seconds down ("Left Seconds: %d") and,
// when the time is out, it closes and defaultResult is returned; otherwise the button pressed.
// A NULL owner means the calling thread's active window. Not reentrant.
int TimedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, int defaultResult, UINT style, UINT timeoutMs);
// The same with the text and caption taken from string resources.
int TimedMessageBoxRes(HWND owner, UINT textId, UINT captionId, int defaultResult, UINT style, UINT timeoutMs);

// Length of one counted second in ms (1000); tests shorten it.
void SetTimedMessageBoxTick(UINT milliseconds);
