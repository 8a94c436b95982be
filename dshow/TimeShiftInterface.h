#pragma once

#include <windows.h>
#include <unknwn.h>

// The private interface of the companion "Time Shift" filter, called by
// vtable position. Positions and sizes are bytes of the buffer file.
// {FD5010A2-8EBE-11CE-8183-00AA00577DA1}
static const IID IID_ITimeShift = { 0xFD5010A2, 0x8EBE, 0x11CE, { 0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1 } };

struct ITimeShift : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetReadPosition(LONGLONG* pllPosition) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen,
                                                   LONGLONG* pllTotalBufLen) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBufferSize(LONGLONG* pllSize, DWORD dwValue) = 0;
    // Present in the filter; the system never calls it.
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE TogglePause() = 0;
    // Both names are ANSI strings.
    virtual HRESULT STDMETHODCALLTYPE SetFileNames(LPCSTR pszMediaFile, LPCSTR pszIndexFile) = 0;
};
