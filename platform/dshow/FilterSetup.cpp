#include "platform/dshow/FilterSetup.h"
#include <vector>
#include <cwchar>

namespace {

void ClsidKeyName(REFCLSID clsid, WCHAR* out, int cch)
{
    WCHAR guid[40];
    StringFromGUID2(clsid, guid, 40);
    lstrcpynW(out, L"CLSID\\", cch);
    lstrcpynW(out + 6, guid, cch - 6);
}

HRESULT SetStringValue(HKEY key, const WCHAR* name, const WCHAR* value)
{
    LONG err = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              DWORD((wcslen(value) + 1) * sizeof(WCHAR)));
    return HRESULT_FROM_WIN32(err);
}

bool IsNotFound(HRESULT hr)
{
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

}  // namespace

HRESULT DsRegisterServerKeys(REFCLSID clsid, const WCHAR* pName, HMODULE hModule, const char* pThreadingModel)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(hModule, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INSUFFICIENT_BUFFER);

    WCHAR keyName[64];
    ClsidKeyName(clsid, keyName, 64);
    HKEY classKey = nullptr;
    LONG err = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName, 0, nullptr, 0, KEY_WRITE, nullptr, &classKey, nullptr);
    if (err != ERROR_SUCCESS) return HRESULT_FROM_WIN32(err);
    HRESULT hr = SetStringValue(classKey, nullptr, pName ? pName : L"");
    HKEY serverKey = nullptr;
    if (SUCCEEDED(hr)) {
        err = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &serverKey, nullptr);
        hr = HRESULT_FROM_WIN32(err);
    }
    if (SUCCEEDED(hr)) hr = SetStringValue(serverKey, nullptr, path);
    if (SUCCEEDED(hr) && pThreadingModel) {
        WCHAR model[32];
        MultiByteToWideChar(CP_ACP, 0, pThreadingModel, -1, model, 32);
        hr = SetStringValue(serverKey, L"ThreadingModel", model);
    }
    if (serverKey) RegCloseKey(serverKey);
    RegCloseKey(classKey);
    return hr;
}

HRESULT DsUnregisterServerKeys(REFCLSID clsid)
{
    WCHAR keyName[64];
    ClsidKeyName(clsid, keyName, 64);
    LONG err = RegDeleteTreeW(HKEY_CLASSES_ROOT, keyName);
    if (err == ERROR_SUCCESS) err = RegDeleteKeyW(HKEY_CLASSES_ROOT, keyName);
    HRESULT hr = HRESULT_FROM_WIN32(err);
    return (SUCCEEDED(hr) || IsNotFound(hr)) ? S_OK : hr;
}

HRESULT DsRegisterFilter(IFilterMapper2* pMapper, const AMOVIESETUP_FILTER* pSetup, const CLSID* pCategory,
                         const WCHAR* pFriendlyName, BOOL bRegister)
{
    if (!pMapper || !pSetup || !pSetup->clsID) return E_POINTER;
    if (!bRegister) {
        HRESULT hr = pMapper->UnregisterFilter(pCategory, nullptr, *pSetup->clsID);
        return (SUCCEEDED(hr) || IsNotFound(hr)) ? S_OK : hr;
    }

    std::vector<REGFILTERPINS> pins(pSetup->nPins);
    for (UINT i = 0; i < pSetup->nPins; ++i) {
        const AMOVIESETUP_PIN& src = pSetup->lpPin[i];
        REGFILTERPINS& dst = pins[i];
        dst.strName = const_cast<LPWSTR>(src.strName);
        dst.bRendered = src.bRendered;
        dst.bOutput = src.bOutput;
        dst.bZero = src.bZero;
        dst.bMany = src.bMany;
        dst.clsConnectsToFilter = src.clsConnectsToFilter ? src.clsConnectsToFilter : &CLSID_NULL;
        dst.strConnectsToPin = src.strConnectsToPin;
        dst.nMediaTypes = src.nMediaTypes;
        dst.lpMediaType = src.lpMediaType;
    }
    REGFILTER2 rf2;
    ZeroMemory(&rf2, sizeof(rf2));
    rf2.dwVersion = 1;
    rf2.dwMerit = pSetup->dwMerit;
    rf2.cPins = pSetup->nPins;
    rf2.rgPins = pins.empty() ? nullptr : pins.data();
    const WCHAR* name = pFriendlyName ? pFriendlyName : pSetup->strName;
    return pMapper->RegisterFilter(*pSetup->clsID, name, nullptr, pCategory, nullptr, &rf2);
}
