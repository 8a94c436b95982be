#pragma once
// A desktop object that keeps the wallpaper where the system does, and a small picture to hang.
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <string>

// Wine's desktop object has no wallpaper service (its methods answer
// E_NOTIMPL); this one keeps the wallpaper where the system does, through
// SystemParametersInfo.
class CSystemWallpaper final : public IActiveDesktop
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IUnknown && riid != IID_IActiveDesktop)
            return E_NOINTERFACE;
        *ppv = static_cast<IActiveDesktop*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG n = InterlockedDecrement(&m_cRef);
        if (n == 0)
            delete this;
        return n;
    }
    STDMETHODIMP ApplyChanges(DWORD dwFlags) override
    {
        ++s_applied;
        if (!(dwFlags & AD_APPLY_SAVE) || !m_bPending)
            return S_OK;
        m_bPending = FALSE;
        return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<WCHAR*>(m_pending.c_str()),
                                     SPIF_UPDATEINIFILE)
                   ? S_OK
                   : E_FAIL;
    }
    STDMETHODIMP GetWallpaper(PWSTR pwsz, UINT cch, DWORD) override
    {
        WCHAR path[MAX_PATH] = L"";
        if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0))
            return E_FAIL;
        lstrcpynW(pwsz, path, cch);
        return S_OK;
    }
    STDMETHODIMP SetWallpaper(PCWSTR pwsz, DWORD) override
    {
        m_pending = pwsz;
        m_bPending = TRUE;
        return S_OK;
    }
    STDMETHODIMP GetWallpaperOptions(LPWALLPAPEROPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetWallpaperOptions(LPCWALLPAPEROPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetPattern(PWSTR, UINT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetPattern(PCWSTR, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemOptions(LPCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetDesktopItemOptions(LPCCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItemWithUI(HWND, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP ModifyDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemCount(int*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItem(int, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemByID(ULONG_PTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GenerateDesktopItemHtml(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddUrl(HWND, PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemBySource(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }

    static HRESULT Create(IActiveDesktop** ppDesktop)
    {
        *ppDesktop = new CSystemWallpaper();
        return S_OK;
    }
    static inline int s_applied = 0;

private:
    volatile LONG m_cRef = 1;
    std::wstring m_pending;
    BOOL m_bPending = FALSE;
};

inline std::wstring CurrentWallpaper()
{
    WCHAR path[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

// A small picture to hang on the desktop.
inline std::string MakeWallpaper()
{
    char folder[MAX_PATH];
    GetFullPathNameA("display-wallpaper.bmp", MAX_PATH, folder, NULL);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = 4;
    info.biHeight = 4;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + 48;
    FILE* f = fopen(folder, "wb");
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    BYTE pixels[48];
    memset(pixels, 0x80, sizeof(pixels));
    fwrite(pixels, sizeof(pixels), 1, f);
    fclose(f);
    return folder;
}
