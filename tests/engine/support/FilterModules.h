#pragma once
// Filter modules a test needs registered, as an installation leaves them:
// each is loaded and its DllRegisterServer run; the registrations stay.
#include <windows.h>

#include <string>
#include <vector>

class CFilterModules
{
public:
    explicit CFilterModules(const std::vector<std::string>& paths);
    ~CFilterModules();

    BOOL IsReady() const { return m_bReady; }
    // Runs the module's DllUnregisterServer (or DllRegisterServer).
    static HRESULT Register(LPCSTR pszPath, BOOL bRegister);

private:
    std::vector<HMODULE> m_modules;
    BOOL m_bReady;
};

// The stand-ins of the companion and system filters the preview uses.
std::vector<std::string> PreviewFilterModules();
// The preview's modules with the dump and the pause filter the MPEG recordings use.
std::vector<std::string> RecordingFilterModules();
