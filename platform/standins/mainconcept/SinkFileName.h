#pragma once
#include <dshow.h>
#include <string.h>

// The file a filter writes, as IFileSinkFilter names and tells it.
class CSinkFileName
{
public:
    CSinkFileName() { m_szName[0] = L'\0'; }

    // A null name forgets the file.
    HRESULT Set(LPCOLESTR pszName)
    {
        if (pszName == nullptr)
        {
            m_szName[0] = L'\0';
            return S_OK;
        }
        if (lstrlenW(pszName) >= MAX_PATH)
            return E_INVALIDARG;
        lstrcpyW(m_szName, pszName);
        return S_OK;
    }

    // S_FALSE with a null name when none is set; no media type.
    HRESULT Get(LPOLESTR* ppszName, AM_MEDIA_TYPE* pmt) const
    {
        if (ppszName == nullptr)
            return E_POINTER;
        *ppszName = nullptr;
        if (pmt != nullptr)
            memset(pmt, 0, sizeof(*pmt));
        if (m_szName[0] == L'\0')
            return S_FALSE;
        size_t cb = (lstrlenW(m_szName) + 1) * sizeof(WCHAR);
        *ppszName = static_cast<LPOLESTR>(CoTaskMemAlloc(cb));
        if (*ppszName == nullptr)
            return E_OUTOFMEMORY;
        memcpy(*ppszName, m_szName, cb);
        return S_OK;
    }

    BOOL IsSet() const { return m_szName[0] != L'\0'; }
    LPCWSTR Name() const { return m_szName; }

private:
    WCHAR m_szName[MAX_PATH];
};
