#include "hardware/devices/Go7007Capture.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/Go7007RegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <string.h>

#include <new>

// {55F1E004-76CD-412E-9413-68AF75304D73}
const IID IID_IGo7007Encoder = { 0x55F1E004, 0x76CD, 0x412E, { 0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73 } };

namespace
{
enum { FALLBACK_TUNER = 72, KEY_DEVICE = 0xBB, KEY_FLAG_REG = 48, KEY_CODE_REG = 49 };
}

CGo7007Capture::~CGo7007Capture()
{
    delete[] m_pCombinations;
    m_pCombinations = NULL;
    m_pEncoder.Reset();
    delete m_pStreamCaps;
    delete m_pProfiles;
    delete m_pRegisterAccess;
    m_pRegisterAccess = NULL;
}

void CGo7007Capture::InitDefaults()
{
    m_strDeviceName = "WIS GO7007SB A/V Capture";
}

BOOL CGo7007Capture::CreateEncoderRegisterAccess()
{
    CGo7007RegisterAccess* pAccess = new (std::nothrow) CGo7007RegisterAccess();
    if (pAccess == NULL)
        return FALSE;
    m_pRegisterAccess = pAccess;
    m_nCardKind = CARD_KIND_GO7007;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this)) >= 0;
}

BOOL CGo7007Capture::Initfilter()
{
    ClearOpenMembers();
    m_byTunerLetterOffset = 17;
    m_byTunerTypeOffset = 16;
    delete[] m_pCombinations;
    m_pCombinations = NULL;
    m_nCombinations = 0;
    if (!CFilterNode::Initfilter())
        return FALSE;
    if (!CreateEncoderRegisterAccess())
        return FALSE;
    CRemoteControlLock lock;
    if (!lock.Locked())
    {
        MessageBoxA(NULL, "Initfilter lock failed", NULL, MB_OK);
        return FALSE;
    }
    if (FAILED(m_pFilter->QueryInterface(IID_IGo7007Encoder, reinterpret_cast<void**>(&m_pEncoder))) || !m_pEncoder)
        return FALSE;
    if (m_pStreamCaps == NULL)
        m_pStreamCaps = new (std::nothrow) EncoderCapabilityTable();
    if (m_pProfiles == NULL)
        m_pProfiles = new (std::nothrow) VideoProfileTables();
    if (m_pStreamCaps == NULL || m_pProfiles == NULL)
        return FALSE;
    memset(m_pStreamCaps, 0, sizeof(*m_pStreamCaps));
    if (FAILED(m_pEncoder->GetCapabilities(reinterpret_cast<BYTE*>(m_pStreamCaps))))
        return FALSE;
    m_pStreamCaps->combinations = NULL;
    m_pStreamCaps->combinationCount = 0;
    if (!LoadVideoProfiles(m_pStreamCaps, m_pProfiles))
        return FALSE;
    DetectTunerType();
    return RecreateTunerModule();
}

HRESULT CGo7007Capture::SetAudioInput(int, BOOL)
{
    return S_OK;
}

BOOL CGo7007Capture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CGo7007Capture::ReadAddressed(BYTE offset, BYTE* pValue)
{
    CGo7007RegisterAccess* pAccess = static_cast<CGo7007RegisterAccess*>(m_pRegisterAccess);
    if (pAccess == NULL)
        return E_FAIL;
    return pAccess->ReadDirect(EEPROM_DEVICE, 8, offset, pValue, ADDRESSED_FLAGS);
}

HRESULT CGo7007Capture::ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || nStart < 0 || nStart + *pnCount > 256)
        return E_INVALIDARG;
    int nRead = 0;
    HRESULT hr = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        BYTE value = 0;
        hr = ReadAddressed(static_cast<BYTE>(nStart + i), &value);
        if (SUCCEEDED(hr))
        {
            pBuffer[i] = value;
            ++nRead;
        }
        BusSleep(BYTE_PAUSE_MS);
    }
    *pnCount = nRead;
    return nRead > 0 ? S_OK : hr;
}

HRESULT CGo7007Capture::WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || (nStart & 0xFF) + *pnCount > 256)
        return E_INVALIDARG;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    HRESULT hr = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        hr = m_pRegisterAccess->WriteByte(EEPROM_DEVICE, (nStart + i) & 0xFF, pBuffer[i]);
        BusSleep(dwDelayMs);
    }
    return hr;
}

HRESULT CGo7007Capture::ReadTunerCode(int* pcLetter, int* pnType)
{
    BYTE value = 0;
    if (SUCCEEDED(ReadAddressed(m_byTunerLetterOffset, &value)) && pcLetter != NULL)
        *pcLetter = strchr("AEGPTX", value) != NULL && value != 0 ? value : 'L';
    BusSleep(BYTE_PAUSE_MS);
    HRESULT hr = ReadAddressed(m_byTunerTypeOffset, &value);
    if (pnType != NULL)
        *pnType = FAILED(hr) || value == 0 ? FALLBACK_TUNER : value;
    return FAILED(hr) ? hr : S_OK;
}

BOOL CGo7007Capture::RecreateTunerModule()
{
    CTunerModule* pModule = CreateTunerModule(m_nTunerType);
    if (pModule == NULL)
    {
        m_nTunerType = FALLBACK_TUNER;
        m_cTunerLetter = 'L';
        pModule = CreateTunerModule(FALLBACK_TUNER);
    }
    if (pModule == NULL)
        return FALSE;
    pModule->m_bOnEncoderDevice = TRUE;
    InstallTunerModule(pModule);
    return TRUE;
}

BOOL CGo7007Capture::TuneTVFrequency(float frequency)
{
    if (m_pTunerModule == NULL)
        return FALSE;
    if (m_pTunerModule->m_bReapplyStandard)
        m_pTunerModule->SetStandard(m_pTunerModule->m_nStandard);
    return m_pTunerModule->SetTVFrequency(frequency);
}

BOOL CGo7007Crossbar::RouteDirect(LONG lInput, LONG lOutput)
{
    return Route(lInput, lOutput);
}
