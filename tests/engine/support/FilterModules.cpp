#include "tests/engine/support/FilterModules.h"

CFilterModules::CFilterModules(const std::vector<std::string>& paths) : m_bReady(TRUE)
{
    for (const std::string& path : paths)
    {
        if (FAILED(Register(path.c_str(), TRUE)))
            m_bReady = FALSE;
        // Kept loaded so the registrations name a module of this run.
        HMODULE hModule = LoadLibraryA(path.c_str());
        if (hModule != NULL)
            m_modules.push_back(hModule);
    }
}

CFilterModules::~CFilterModules()
{
    for (HMODULE hModule : m_modules)
        FreeLibrary(hModule);
}

HRESULT CFilterModules::Register(LPCSTR pszPath, BOOL bRegister)
{
    HMODULE hModule = LoadLibraryA(pszPath);
    if (hModule == NULL)
        return HRESULT_FROM_WIN32(GetLastError());
    typedef HRESULT(WINAPI * PFN_SERVER)();
    PFN_SERVER pfn = reinterpret_cast<PFN_SERVER>(
        GetProcAddress(hModule, bRegister ? "DllRegisterServer" : "DllUnregisterServer"));
    HRESULT hr = pfn != NULL ? pfn() : E_NOINTERFACE;
    FreeLibrary(hModule);
    return hr;
}

std::vector<std::string> PreviewFilterModules()
{
    return { "Filters\\Deinterlace.ax", "Filters\\TransformRatio.ax", "Filters\\OverlayMixer.ax" };
}

std::vector<std::string> RecordingFilterModules()
{
    std::vector<std::string> modules = PreviewFilterModules();
    modules.insert(modules.end(), { "Filters\\RecordDump.ax", "Hollit.ax" });
    return modules;
}
