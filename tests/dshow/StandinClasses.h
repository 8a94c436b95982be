#pragma once
// The classes of a stand-in filter module made creatable in this apartment
// through the module's own class factory (CoRegisterClassObject), so a test
// adds them by class identifier without touching the registry. COM must be
// initialised first; the module stays loaded for the process.
#include <windows.h>
#include <unknwn.h>

#include <initializer_list>
#include <vector>

class CStandinClasses
{
public:
    CStandinClasses(const char* pszModule, std::initializer_list<CLSID> clsids) : m_hr(S_OK)
    {
        HMODULE hModule = LoadLibraryA(pszModule);
        typedef HRESULT(STDAPICALLTYPE * PFN_GET_CLASS)(REFCLSID, REFIID, void**);
        PFN_GET_CLASS pfnGet =
            hModule != NULL ? reinterpret_cast<PFN_GET_CLASS>(GetProcAddress(hModule, "DllGetClassObject")) : NULL;
        if (pfnGet == NULL)
        {
            m_hr = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
            return;
        }
        for (const CLSID& clsid : clsids)
        {
            IUnknown* pFactory = NULL;
            m_hr = pfnGet(clsid, IID_IClassFactory, reinterpret_cast<void**>(&pFactory));
            if (FAILED(m_hr))
                return;
            DWORD dwCookie = 0;
            m_hr = CoRegisterClassObject(clsid, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie);
            pFactory->Release();
            if (FAILED(m_hr))
                return;
            m_cookies.push_back(dwCookie);
        }
    }
    ~CStandinClasses()
    {
        for (DWORD dwCookie : m_cookies)
            CoRevokeClassObject(dwCookie);
    }
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
    std::vector<DWORD> m_cookies;
};
