#pragma once

#include <windows.h>

// Calls one method of a held private interface with the caller's arguments
// unchanged: FALSE without the interface, else TRUE for any success code.
template <class I, class... P, class... A>
inline BOOL CallIfHeld(I* p, HRESULT (STDMETHODCALLTYPE I::*pfn)(P...), A... args)
{
    return p != NULL && SUCCEEDED((p->*pfn)(args...));
}

// The same, handing back the method's result; hrMissing without the interface.
template <class I, class... P, class... A>
inline HRESULT ResultIfHeld(HRESULT hrMissing, I* p, HRESULT (STDMETHODCALLTYPE I::*pfn)(P...), A... args)
{
    return p != NULL ? (p->*pfn)(args...) : hrMissing;
}
