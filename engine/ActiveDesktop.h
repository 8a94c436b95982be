#pragma once

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include "platform/afx/String.h"
#include "platform/dshow/ComPtr.h"

// The shell's desktop object, for the wallpaper: made for one use and
// released when the wrapper goes.
class CActiveDesktop
{
public:
    // How the desktop object is made (CoCreateInstance of CLSID_ActiveDesktop
    // unless replaced, as where the system has no working one).
    typedef HRESULT (*PFN_CREATE)(IActiveDesktop** ppDesktop);

    CActiveDesktop();
    ~CActiveDesktop();

    // The wallpaper's path (and its style, when asked for).
    BOOL GetWallpaper(CString& path, DWORD* pdwStyle);
    // A new wallpaper (its style first, when given), saved and shown at once.
    BOOL SetWallpaper(LPCSTR pszPath, const DWORD* pdwStyle);

    static void SetCreateFunction(PFN_CREATE pfnCreate);

private:
    ComPtr<IActiveDesktop> m_pDesktop;

    CActiveDesktop(const CActiveDesktop&) = delete;
    CActiveDesktop& operator=(const CActiveDesktop&) = delete;
};
