#include "dshow/FileSinkName.h"

#include "dshow/DShowText.h"

#include <vector>

BOOL SetSinkFileName(IFileSinkFilter* pSink, LPCSTR pszPath)
{
    return SUCCEEDED(CallSinkSetFileName(pSink, pszPath));
}

HRESULT CallSinkSetFileName(IFileSinkFilter* pSink, LPCSTR pszPath)
{
    if (pSink == NULL)
        return E_POINTER;
    std::vector<WCHAR> path;
    if (pszPath != NULL)
    {
        int cch = MultiByteToWideChar(CP_ACP, 0, pszPath, -1, NULL, 0);
        if (cch <= 0)
            return E_INVALIDARG;
        path.resize(cch);
        MultiByteToWideChar(CP_ACP, 0, pszPath, -1, path.data(), cch);
    }
    return pSink->SetFileName(pszPath != NULL ? path.data() : NULL, NULL);
}

HRESULT GetSinkFileName(IFileSinkFilter* pSink, char* pszPath, int cbPath)
{
    if (pSink == NULL)
        return E_POINTER;
    LPOLESTR pszName = NULL;
    HRESULT hr = pSink->GetCurFile(&pszName, NULL);
    if (SUCCEEDED(hr) && pszName != NULL && pszPath != NULL && cbPath > 0)
        AnsiFromWide(pszName, pszPath, cbPath);
    CoTaskMemFree(pszName);
    return hr;
}
