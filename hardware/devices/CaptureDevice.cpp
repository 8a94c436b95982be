#include "hardware/devices/CaptureDevice.h"

#include "hardware/devices/RemoteKeyPoller.h"
#include "hardware/tuners/TunerFactory.h"

#include <new>
#include <vector>

CCaptureDevice::CCaptureDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    SetDefaults();
}

CCaptureDevice::CCaptureDevice(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    SetDefaults();
}

CCaptureDevice::CCaptureDevice(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    SetDefaults();
}

void CCaptureDevice::SetDefaults()
{
    m_pKeyPoller = NULL;
    m_pRegisterAccess = NULL;
    m_hNotifyWnd = NULL;
    m_pTunerModule = NULL;
    m_nCardKind = 0;
    m_cTunerLetter = 'N';
    m_nTunerType = 0;
    m_byTunerLetterOffset = 0x20;
    m_byTunerTypeOffset = 0x21;
    m_byEepromAddress = DEFAULT_EEPROM_ADDRESS;
    m_nKeyPollPeriod = DEFAULT_KEY_POLL_MS;
}

CCaptureDevice::~CCaptureDevice()
{
    ReleaseMembers();
}

HRESULT CCaptureDevice::ReleaseMembers()
{
    delete m_pKeyPoller;
    m_pKeyPoller = NULL;
    delete m_pTunerModule;
    m_pTunerModule = NULL;
    delete m_pRegisterAccess;
    m_pRegisterAccess = NULL;
    m_nCardKind = 0;
    return S_OK;
}

BOOL CCaptureDevice::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    word &= 0x1FF;
    // Bit 8 high: no key waiting.
    if (word & 0x100)
        return FALSE;
    BYTE inverted = static_cast<BYTE>(~word & 0xFF);
    *pKey = static_cast<BYTE>(((inverted << 4) | (inverted >> 4)) & 0xFF);
    return TRUE;
}

BOOL CCaptureDevice::ProbeI2C(BYTE address)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    BYTE buffer[1] = { address };
    return m_pRegisterAccess->I2CRead(buffer, 1) == S_OK;
}

BOOL CCaptureDevice::DetectTunerAddress(CTunerModule* pModule)
{
    if (pModule == NULL)
        return FALSE;
    std::vector<BYTE> found;
    for (int address = 0; address <= 255; ++address)
    {
        if (address == m_byEepromAddress || address == (m_byEepromAddress | 1))
            continue;
        if (ProbeI2C(static_cast<BYTE>(address)))
            found.push_back(static_cast<BYTE>(address));
    }
    BYTE byRead = 0xC1;
    BYTE byWrite = 0xC0;
    if (found.size() == 1)
    {
        byRead = found[0];
        byWrite = static_cast<BYTE>(found[0] & 0xFC);
    }
    else if (found.size() == 2)
    {
        byRead = found[1];
        byWrite = found[0];
    }
    else if (found.size() > 2)
    {
        static const BYTE s_pairs[][2] = { { 0xC1, 0xC0 }, { 0xC3, 0xC2 }, { 0xC7, 0xC6 }, { 0x87, 0xC0 } };
        bool bChosen = false;
        for (size_t i = 0; i < sizeof(s_pairs) / sizeof(s_pairs[0]) && !bChosen; ++i)
        {
            for (size_t j = 0; j < found.size(); ++j)
            {
                if (found[j] == s_pairs[i][0])
                {
                    byRead = s_pairs[i][0];
                    byWrite = s_pairs[i][1];
                    bChosen = true;
                    break;
                }
            }
        }
        if (!bChosen)
        {
            byRead = found[0] > found[1] ? found[0] : found[1];
            byWrite = static_cast<BYTE>(byRead & 0xFC);
        }
    }
    pModule->m_byI2CRead = byRead;
    pModule->m_byI2CWrite = byWrite;
    return !found.empty();
}

HRESULT CCaptureDevice::IsSignalLocked(DWORD* pLocked)
{
    if (!m_pFilter)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> pDecoder;
    HRESULT hr = m_pFilter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&pDecoder));
    if (FAILED(hr))
        return hr;
    long locked = 0;
    hr = pDecoder->get_HorizontalLocked(&locked);
    if (SUCCEEDED(hr) && pLocked != NULL)
        *pLocked = static_cast<DWORD>(locked);
    return hr;
}

CTunerModule* CCaptureDevice::CreateTunerModule(int nTypeId)
{
    return CTunerFactory::Create(nTypeId, m_pRegisterAccess, this);
}

BOOL CCaptureDevice::StartRemotePoller()
{
    StopRemotePoller();
    m_pKeyPoller = new (std::nothrow) CRemoteKeyPoller(this);
    if (m_pKeyPoller == NULL)
        return FALSE;
    m_pKeyPoller->SetPeriod(m_nKeyPollPeriod);
    m_pKeyPoller->Resume();
    return TRUE;
}

void CCaptureDevice::StopRemotePoller()
{
    delete m_pKeyPoller;
    m_pKeyPoller = NULL;
}

BOOL CCaptureDevice::SetKeyPollPeriod(int ms)
{
    if (ms < 1)
        return FALSE;
    m_nKeyPollPeriod = ms;
    if (m_pKeyPoller != NULL)
        m_pKeyPoller->SetPeriod(ms);
    return TRUE;
}
