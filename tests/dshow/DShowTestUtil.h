#pragma once
// Helpers shared by the filter graph toolkit's tests: COM for the test's
// lifetime and devices registered into a category through IFilterMapper2, so
// the system device enumerator lists them under their friendly names.
#include <dshow.h>
#include <qedit.h>

#include <string>
#include <vector>

#include "platform/dshow/ComPtr.h"

// The import library has them; the headers do not declare them.
extern "C" const CLSID CLSID_NullRenderer;
extern "C" const CLSID CLSID_SampleGrabber;

class ComScope
{
public:
    ComScope() { m_hr = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED); }
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};

struct TestDevice
{
    std::wstring instance;  // the registry key; devices enumerate in its order
    std::wstring name;      // "FriendlyName"
    CLSID clsid;            // the filter that binding creates
};

// Registers the devices into the category; unregisters them when destroyed.
class RegisteredDevices
{
public:
    RegisteredDevices(const GUID& category, const std::vector<TestDevice>& devices)
        : m_category(category), m_devices(devices)
    {
        m_hr = CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                reinterpret_cast<void**>(&m_pMapper));
        for (const TestDevice& d : m_devices)
        {
            if (FAILED(m_hr))
                break;
            // A run that died half-way may have left the same instance behind.
            m_pMapper->UnregisterFilter(&m_category, d.instance.c_str(), d.clsid);
            REGFILTER2 rf = {};
            rf.dwVersion = 1;
            rf.dwMerit = MERIT_DO_NOT_USE;
            rf.cPins = 0;
            rf.rgPins = NULL;
            m_hr = m_pMapper->RegisterFilter(d.clsid, d.name.c_str(), NULL, &m_category,
                                             d.instance.c_str(), &rf);
        }
    }
    ~RegisteredDevices()
    {
        if (!m_pMapper)
            return;
        for (const TestDevice& d : m_devices)
            m_pMapper->UnregisterFilter(&m_category, d.instance.c_str(), d.clsid);
    }
    HRESULT Result() const { return m_hr; }

private:
    GUID m_category;
    std::vector<TestDevice> m_devices;
    ComPtr<IFilterMapper2> m_pMapper;
    HRESULT m_hr;
};

// The friendly names the system device enumerator lists for a category, in order.
inline std::vector<std::string> EnumeratedNames(const GUID& category)
{
    std::vector<std::string> names;
    ComPtr<ICreateDevEnum> pDevEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(&pDevEnum))))
        return names;
    ComPtr<IEnumMoniker> pEnum;
    if (pDevEnum->CreateClassEnumerator(category, &pEnum, 0) != S_OK)
        return names;
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        ComPtr<IPropertyBag> pBag;
        if (FAILED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag, reinterpret_cast<void**>(&pBag))))
            continue;
        VARIANT var;
        VariantInit(&var);
        V_VT(&var) = VT_BSTR;
        if (pBag->Read(L"FriendlyName", &var, NULL) == S_OK)
        {
            char sz[256];
            WideCharToMultiByte(CP_ACP, 0, V_BSTR(&var), -1, sz, sizeof(sz), NULL, NULL);
            names.push_back(sz);
        }
        VariantClear(&var);
    }
    return names;
}

// The reference count of a COM object, read by an AddRef/Release pair.
inline ULONG RefCount(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}
