#include "engine/ActiveDesktop.h"

#include <vector>

namespace
{
HRESULT CreateShellDesktop(IActiveDesktop** ppDesktop)
{
    return CoCreateInstance(CLSID_ActiveDesktop, NULL, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                            reinterpret_cast<void**>(ppDesktop));
}

CActiveDesktop::PFN_CREATE g_pfnCreate = CreateShellDesktop;
}

void CActiveDesktop::SetCreateFunction(PFN_CREATE pfnCreate)
{
    g_pfnCreate = pfnCreate != NULL ? pfnCreate : CreateShellDesktop;
}

CActiveDesktop::CActiveDesktop()
{
    if (FAILED(g_pfnCreate(&m_pDesktop)))
        m_pDesktop.Reset();
}

CActiveDesktop::~CActiveDesktop()
{
    m_pDesktop.Reset();
}

BOOL CActiveDesktop::GetWallpaper(CString& path, DWORD* pdwStyle)
{
    if (!m_pDesktop)
        return FALSE;
    WCHAR szPath[MAX_PATH] = L"";
    if (FAILED(m_pDesktop->GetWallpaper(szPath, MAX_PATH, 0)))
        return FALSE;
    szPath[MAX_PATH - 1] = L'\0';
    path = szPath;
    if (pdwStyle != NULL)
    {
        WALLPAPEROPT options;
        options.dwSize = sizeof(options);
        options.dwStyle = 0;
        if (FAILED(m_pDesktop->GetWallpaperOptions(&options, 0)))
            return FALSE;
        *pdwStyle = options.dwStyle;
    }
    return TRUE;
}

BOOL CActiveDesktop::SetWallpaper(LPCSTR pszPath, const DWORD* pdwStyle)
{
    if (!m_pDesktop || pszPath == NULL)
        return FALSE;
    if (pdwStyle != NULL)
    {
        WALLPAPEROPT options;
        options.dwSize = sizeof(options);
        options.dwStyle = *pdwStyle;
        if (FAILED(m_pDesktop->SetWallpaperOptions(&options, 0)))
            return FALSE;
    }
    int cch = MultiByteToWideChar(CP_ACP, 0, pszPath, -1, NULL, 0);
    if (cch <= 0)
        return FALSE;
    std::vector<WCHAR> wide(cch);
    MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wide.data(), cch);
    if (FAILED(m_pDesktop->SetWallpaper(wide.data(), 0)))
        return FALSE;
    return SUCCEEDED(m_pDesktop->ApplyChanges(AD_APPLY_SAVE | AD_APPLY_HTMLGEN | AD_APPLY_REFRESH));
}
