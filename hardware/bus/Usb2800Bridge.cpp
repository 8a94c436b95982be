#include "hardware/bus/Usb2800Bridge.h"

#include "platform/dshow/ComPtr.h"

#include <dshow.h>
#include <olectl.h>
#include <string.h>

// {BE0AB5D2-3B9A-4E42-A05E-4A178B566C7C}
const IID IID_IUsb2800Bridge = { 0xBE0AB5D2, 0x3B9A, 0x4E42, { 0xA0, 0x5E, 0x4A, 0x17, 0x8B, 0x56, 0x6C, 0x7C } };

namespace {
// Tried in this order when no device has the name asked for.
const char* const kBridgeNames[] = {
    "USB 2800 Video", "USB 2801 Video", "USB 2700 Camera", "USB 2701 Camera", "USB 2840 Video",  "USB 2841 Video",
    "USB 2830 Video", "USB 2831 Video", "USB 2820 Video",  "USB 2821 Video",  "USB 2710 Camera", "USB 2711 Camera",
};

// {6994AD04-93EF-11D0-A3CC-00A0C9223196}
const GUID kAudioDeviceCategory = { 0x6994AD04, 0x93EF, 0x11D0, { 0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96 } };

// A string value of HKLM, or the fallback.
void ReadMachineString(LPCSTR pszKey, const LPCSTR* ppszValues, int valueCount, LPCSTR pszDefault, char* pszOut,
                       DWORD cchOut)
{
    lstrcpynA(pszOut, pszDefault, cchOut);
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < valueCount; ++i)
    {
        char value[CUsb2800Bridge::NAME_CHARS];
        DWORD cb = sizeof(value) - 1;
        DWORD type = 0;
        if (RegQueryValueExA(hKey, ppszValues[i], NULL, &type, reinterpret_cast<BYTE*>(value), &cb) == ERROR_SUCCESS &&
            type == REG_SZ)
        {
            value[cb < sizeof(value) ? cb : sizeof(value) - 1] = '\0';
            lstrcpynA(pszOut, value, cchOut);
            break;
        }
    }
    RegCloseKey(hKey);
}

void ReadDeviceName(char* pszName)
{
    static const LPCSTR kValues[] = { "RealDSName", "DSName" };
    ReadMachineString("Software\\USB2800\\TwainDS", kValues, 2, "USB 2820 Video", pszName, CUsb2800Bridge::NAME_CHARS);
}

template <class T>
void ReleaseAndClear(T** pp)
{
    if (*pp != NULL)
    {
        (*pp)->Release();
        *pp = NULL;
    }
}
}  // namespace

CUsb2800Bridge::CUsb2800Bridge()
    : m_pBridge(NULL),
      m_pAudioCapture(NULL),
      m_pAudioDevice(NULL),
      m_pAudioRenderer(NULL),
      m_byGpioGuard(0),
      m_lastResult(S_OK)
{
}

CUsb2800Bridge::~CUsb2800Bridge()
{
}

IBaseFilter* CUsb2800Bridge::FindDeviceFilter(REFGUID category, LPCSTR pszName)
{
    if (pszName == NULL)
        return NULL;
    ComPtr<ICreateDevEnum> pDevEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(&pDevEnum))))
        return NULL;
    ComPtr<IEnumMoniker> pEnum;
    if (pDevEnum->CreateClassEnumerator(category, &pEnum, 0) != S_OK || pEnum == NULL)
        return NULL;
    pEnum->Reset();
    size_t nameLength = strlen(pszName);
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        ComPtr<IPropertyBag> pBag;
        if (SUCCEEDED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag, reinterpret_cast<void**>(&pBag))))
        {
            VARIANT var;
            VariantInit(&var);
            if (SUCCEEDED(pBag->Read(L"FriendlyName", &var, NULL)) && var.vt == VT_BSTR)
            {
                char friendly[NAME_CHARS];
                if (WideCharToMultiByte(CP_ACP, 0, var.bstrVal, -1, friendly, sizeof(friendly), NULL, NULL) == 0)
                    friendly[0] = '\0';
                friendly[sizeof(friendly) - 1] = '\0';
                if (strncmp(friendly, pszName, nameLength) == 0)
                {
                    IBaseFilter* pFilter = NULL;
                    if (SUCCEEDED(
                            pMoniker->BindToObject(NULL, NULL, IID_IBaseFilter, reinterpret_cast<void**>(&pFilter))) &&
                        pFilter != NULL)
                    {
                        VariantClear(&var);
                        return pFilter;
                    }
                }
            }
            VariantClear(&var);
        }
        pMoniker.Reset();
    }
    return NULL;
}

IBaseFilter* CUsb2800Bridge::FindBridgeFilter(LPCSTR pszName)
{
    IBaseFilter* pFilter = FindDeviceFilter(CLSID_VideoInputDeviceCategory, pszName);
    for (size_t i = 0; pFilter == NULL && i < sizeof(kBridgeNames) / sizeof(kBridgeNames[0]); ++i)
        pFilter = FindDeviceFilter(CLSID_VideoInputDeviceCategory, kBridgeNames[i]);
    return pFilter;
}

IUsb2800Bridge* CUsb2800Bridge::Open(LPCSTR pszName)
{
    IBaseFilter* pFilter = FindBridgeFilter(pszName);
    if (pFilter == NULL)
        return NULL;
    IUsb2800Bridge* pBridge = OpenFilter(pFilter);
    pFilter->Release();
    return pBridge;
}

IUsb2800Bridge* CUsb2800Bridge::OpenFilter(IUnknown* pFilter)
{
    Close();
    if (pFilter == NULL)
        return NULL;
    m_lastResult = pFilter->QueryInterface(IID_IUsb2800Bridge, reinterpret_cast<void**>(&m_pBridge));
    if (FAILED(m_lastResult))
        m_pBridge = NULL;
    return m_pBridge;
}

void CUsb2800Bridge::Close()
{
    ReleaseAndClear(&m_pBridge);
}

IUsb2800Bridge* CUsb2800Bridge::OpenDefault()
{
    char name[NAME_CHARS];
    ReadDeviceName(name);
    return Open(name);
}

BOOL CUsb2800Bridge::IsDevicePresent()
{
    char name[NAME_CHARS];
    ReadDeviceName(name);
    IBaseFilter* pFilter = FindBridgeFilter(name);
    if (pFilter == NULL)
        return FALSE;
    IUsb2800Bridge* pBridge = NULL;
    BOOL bPresent =
        SUCCEEDED(pFilter->QueryInterface(IID_IUsb2800Bridge, reinterpret_cast<void**>(&pBridge))) && pBridge != NULL;
    if (pBridge != NULL)
        pBridge->Release();
    pFilter->Release();
    return bPresent;
}

BOOL CUsb2800Bridge::ShowPropertyPages(HWND hWndOwner)
{
    if (m_pBridge == NULL)
        return FALSE;
    ComPtr<ISpecifyPropertyPages> pPages;
    if (FAILED(m_pBridge->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&pPages))))
        return FALSE;
    CAUUID pages = { 0, NULL };
    if (FAILED(pPages->GetPages(&pages)))
        return FALSE;
    IUnknown* pObject = m_pBridge;
    HRESULT hr = OleCreatePropertyFrame(hWndOwner, 0, 0, NULL, 1, &pObject, pages.cElems, pages.pElems, 0, 0, NULL);
    CoTaskMemFree(pages.pElems);
    return SUCCEEDED(hr);
}

HRESULT CUsb2800Bridge::GetValue(DWORD id, DWORD* pValue)
{
    if (m_pBridge == NULL)
        return USB2800_NOT_OPEN;
    return m_lastResult = m_pBridge->GetValue(id, pValue);
}

HRESULT CUsb2800Bridge::SetValue(DWORD id, DWORD value)
{
    if (m_pBridge == NULL)
        return USB2800_NOT_OPEN;
    return m_lastResult = m_pBridge->SetValue(id, value);
}

HRESULT CUsb2800Bridge::Transfer(DWORD headerId, DWORD header, DWORD dataId, BOOL bRead, BYTE* pBuffer)
{
    if (m_pBridge == NULL)
        return USB2800_NOT_OPEN;
    HRESULT hr = SetValue(headerId, header);
    if (SUCCEEDED(hr))
    {
        // The data id carries the buffer's address, into which or from which
        // the driver moves the bytes the header counts.
        hr = bRead ? GetValue(dataId, reinterpret_cast<DWORD*>(pBuffer))
                   : SetValue(dataId, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(pBuffer)));
    }
    if (FAILED(hr))
        m_pBridge->SetValue(headerId, 0);
    return hr;
}

HRESULT CUsb2800Bridge::ReadRegisters(BYTE reg, BYTE count, BYTE* pBuffer)
{
    return Transfer(USB2800_REGISTER_HEADER, reg * 256 + count, USB2800_REGISTER_DATA, TRUE, pBuffer);
}

HRESULT CUsb2800Bridge::WriteRegisters(BYTE reg, BYTE count, const BYTE* pBuffer)
{
    return Transfer(USB2800_REGISTER_HEADER, reg * 256 + count, USB2800_REGISTER_DATA, FALSE,
                    const_cast<BYTE*>(pBuffer));
}

HRESULT CUsb2800Bridge::ReadI2C(BYTE device, BYTE count, BYTE* pBuffer)
{
    return Transfer(USB2800_I2C_HEADER, device * 65536 + count, USB2800_I2C_DATA, TRUE, pBuffer);
}

HRESULT CUsb2800Bridge::WriteI2C(BYTE device, BYTE count, const BYTE* pBuffer)
{
    return Transfer(USB2800_I2C_HEADER, device * 65536 + count, USB2800_I2C_DATA, FALSE, const_cast<BYTE*>(pBuffer));
}

HRESULT CUsb2800Bridge::ReadI2CSub(BYTE device, BYTE subAddress, BYTE count, BYTE* pBuffer)
{
    return Transfer(USB2800_I2C_HEADER, USB2800_I2C_WITH_SUB + device * 65536 + subAddress * 256 + count,
                    USB2800_I2C_DATA, TRUE, pBuffer);
}

HRESULT CUsb2800Bridge::WriteI2CSub(BYTE device, BYTE subAddress, BYTE count, const BYTE* pBuffer)
{
    return Transfer(USB2800_I2C_HEADER, USB2800_I2C_WITH_SUB + device * 65536 + subAddress * 256 + count,
                    USB2800_I2C_DATA, FALSE, const_cast<BYTE*>(pBuffer));
}

HRESULT CUsb2800Bridge::PollIndirect()
{
    for (int i = 0; i < POLL_LIMIT; ++i)
    {
        BYTE busy = 0;
        if (FAILED(ReadRegisters(USB2800_REG_INDIRECT_BUSY, 1, &busy)))
            return USB2800_TIMEOUT;
        if (!(busy & 1))
            return S_OK;
    }
    return USB2800_TIMEOUT;
}

HRESULT CUsb2800Bridge::ReadIndirect(BYTE index, BYTE* pBuffer)
{
    BYTE select = index | 0x80;
    HRESULT hr = WriteRegisters(USB2800_REG_INDIRECT_INDEX, 1, &select);
    if (FAILED(hr))
        return hr;
    hr = PollIndirect();
    if (hr != S_OK)
        return hr;
    return ReadRegisters(USB2800_REG_INDIRECT_DATA, 2, pBuffer);
}

HRESULT CUsb2800Bridge::WriteIndirect(BYTE index, const BYTE* pBuffer)
{
    HRESULT hr = WriteRegisters(USB2800_REG_INDIRECT_DATA, 2, pBuffer);
    if (FAILED(hr))
        return hr;
    hr = WriteRegisters(USB2800_REG_INDIRECT_INDEX, 1, &index);
    if (FAILED(hr))
        return hr;
    return PollIndirect();
}

HRESULT CUsb2800Bridge::ReadGpio(BYTE* pValue)
{
    BYTE gpio = 0;
    HRESULT hr = ReadRegisters(USB2800_REG_GPIO, 1, &gpio);
    if (FAILED(hr))
        return hr;
    if ((gpio & m_byGpioGuard) != m_byGpioGuard)
        return USB2800_TIMEOUT;
    return ReadRegisters(USB2800_REG_GPIO_IN, 1, pValue);
}

HRESULT CUsb2800Bridge::WriteGpio(const BYTE* pValue)
{
    if ((*pValue & m_byGpioGuard) != m_byGpioGuard)
        return USB2800_TIMEOUT;
    return WriteRegisters(USB2800_REG_GPIO, 1, pValue);
}

HRESULT CUsb2800Bridge::SetGpioGuard(BYTE mask)
{
    m_byGpioGuard = mask;
    BYTE gpio = 0;
    HRESULT hr = ReadRegisters(USB2800_REG_GPIO, 1, &gpio);
    if (FAILED(hr))
        return hr;
    gpio |= mask;
    return WriteRegisters(USB2800_REG_GPIO, 1, &gpio);
}

BOOL CUsb2800Bridge::ClearStatusBit5()
{
    BYTE status = 0;
    if (FAILED(ReadRegisters(USB2800_REG_STATUS, 1, &status)) || !(status & 0x20))
        return FALSE;
    status &= ~0x20;
    WriteRegisters(USB2800_REG_STATUS, 1, &status);
    return TRUE;
}

BOOL CUsb2800Bridge::IsPresent()
{
    DWORD present = 0;
    return SUCCEEDED(GetValue(USB2800_PRESENT, &present)) && present != 0;
}

HRESULT CUsb2800Bridge::ReadSelected(DWORD selector, DWORD* pValue)
{
    HRESULT hr = SetValue(USB2800_SELECTOR, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(&selector)));
    if (FAILED(hr))
        return hr;
    DWORD ready = 0;
    hr = GetValue(USB2800_SELECTED_READY, &ready);
    if (FAILED(hr))
        return hr;
    if (ready == 0)
        return USB2800_NOT_READY;
    return GetValue(USB2800_SELECTED_VALUE, pValue);
}

BOOL CUsb2800Bridge::OpenFilters(LPSTR pszName, IBaseFilter** ppCapture, IBaseFilter** ppDevice,
                                 IBaseFilter** ppRenderer)
{
    static const LPCSTR kValues[] = { "DeviceName" };
    char name[NAME_CHARS];
    ReadMachineString("Software\\USB2800\\Audio", kValues, 1, "USB EMP Audio Device", name, NAME_CHARS);
    if (pszName != NULL)
        lstrcpynA(pszName, name, NAME_CHARS);
    CloseFilters();
    BOOL bOk = TRUE;
    if (ppCapture != NULL)
    {
        m_pAudioCapture = FindDeviceFilter(CLSID_AudioInputDeviceCategory, name);
        *ppCapture = m_pAudioCapture;
        bOk = bOk && m_pAudioCapture != NULL;
    }
    if (ppDevice != NULL)
    {
        m_pAudioDevice = FindDeviceFilter(kAudioDeviceCategory, name);
        *ppDevice = m_pAudioDevice;
        bOk = bOk && m_pAudioDevice != NULL;
    }
    if (ppRenderer != NULL)
    {
        m_pAudioRenderer = FindDeviceFilter(CLSID_AudioRendererCategory, "Default WaveOut Device");
        *ppRenderer = m_pAudioRenderer;
        bOk = bOk && m_pAudioRenderer != NULL;
    }
    if (!bOk)
    {
        CloseFilters();
        if (ppCapture != NULL)
            *ppCapture = NULL;
        if (ppDevice != NULL)
            *ppDevice = NULL;
        if (ppRenderer != NULL)
            *ppRenderer = NULL;
    }
    return bOk;
}

void CUsb2800Bridge::CloseFilters()
{
    ReleaseAndClear(&m_pAudioCapture);
    ReleaseAndClear(&m_pAudioDevice);
    ReleaseAndClear(&m_pAudioRenderer);
}
