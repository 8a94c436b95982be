#pragma once
#include <windows.h>

// Runs the calling thread's message loop for a while, or until done() says so.
template <class Done>
inline bool PumpMessages(DWORD maxMs, Done done) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= maxMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

inline void PumpMessages(DWORD ms) {
  PumpMessages(ms, [] { return false; });
}
