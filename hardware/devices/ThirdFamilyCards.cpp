#include "hardware/devices/ThirdFamilyCards.h"

#include "hardware/bus/RaptorRegisterAccess.h"
#include "hardware/bus/SeldrinRegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <new>

namespace
{
enum { KEY_DEVICE = 0xBB, KEY_FLAG_REG = 48, KEY_CODE_REG = 49, OPTION_BYTE_OFFSET = 3 };
}

// {CFA8C7E7-5FF7-40D3-9B37-C45CBCC9BD53}
const GUID PROPSETID_RaptorEncoder = { 0xCFA8C7E7, 0x5FF7, 0x40D3, { 0x9B, 0x37, 0xC4, 0x5C, 0xBC, 0xC9, 0xBD, 0x53 } };

BOOL CSeldrinFamilyCapture::Initfilter()
{
    ClearOpenMembers();
    if (!CFilterNode::Initfilter())
        return FALSE;
    CRemoteControlLock lock;
    if (!lock.Locked())
        return FALSE;
    // A box whose transport did not bind still opens, with no bus behind it.
    CreateRegisterAccess();
    BYTE option = ReadCardOptionByte();
    FindVideoPins();
    if (IsOneOf(option, "FIC"))
    {
        DetectTunerType();
    }
    else
    {
        m_cTunerLetter = FIXED_TUNER_LETTER;
        m_nTunerType = FIXED_TUNER_TYPE;
    }
    return RecreateTunerModule();
}

HRESULT CSeldrinFamilyCapture::SetAudioInput(int, BOOL)
{
    return S_OK;
}

BOOL CSeldrinFamilyCapture::ReadRemoteKey(BYTE* pKey)
{
    if (!IsOneOf(ReadCardOptionByte(), m_pszKeyOptions))
        return FALSE;
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CSeldrinFamilyCapture::CreateRegisterAccess()
{
    CSeldrinRegisterAccess* pAccess = new (std::nothrow) CSeldrinRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_nCardKind = m_nOwnKind;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
}

int CSeldrinFamilyCapture::DetectTunerType()
{
    return DetectTunerTypeAsRead();
}

BYTE CSeldrinFamilyCapture::ReadCardOptionByte()
{
    return ReadEepromOption(OPTION_BYTE_OFFSET);
}

BOOL CSeldrinFamilyCapture::ProbeI2C(BYTE address)
{
    return address & 0xC0;
}

CRaptorCapture::~CRaptorCapture()
{
    m_pCrossbarIf.Reset();
    m_pTunerIf.Reset();
    m_pCrossbarFilter.Reset();
    m_pTVAudioFilter.Reset();
}

void CRaptorCapture::InitDefaults()
{
    m_byTunerLetterOffset = 0xA0;
    m_byTunerTypeOffset = 0xA1;
    m_byEepromAddress = DEFAULT_EEPROM_ADDRESS;
    m_nKeyPollPeriod = DEFAULT_KEY_POLL_MS;
    m_strDeviceName = "Conexant Raptor Tuner";
    m_pCrossbarIf.Reset();
    m_pTunerIf.Reset();
    m_pCrossbarFilter.Reset();
    m_pTVAudioFilter.Reset();
}

BOOL CRaptorCapture::Initfilter()
{
    ClearOpenMembers();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(TRUE);
}

HRESULT CRaptorCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CRaptorCapture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

BYTE CRaptorCapture::ReadCardOptionByte()
{
    return 0;
}

void CRaptorCapture::FindUpstreamFilters()
{
    HRESULT hrStood = StandInGraph();
    if (!m_pTunerFilter && FindCaptureUpstream(IID_IAMTVTuner, reinterpret_cast<void**>(&m_pTunerIf)))
        m_pTunerIf->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTunerFilter));
    if (!m_pCrossbarFilter && FindCaptureUpstream(IID_IAMCrossbar, reinterpret_cast<void**>(&m_pCrossbarIf)))
        m_pCrossbarIf->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pCrossbarFilter));
    ComPtr<IAMTVAudio> pTVAudio;
    if (!m_pTVAudioFilter && FindCaptureUpstream(IID_IAMTVAudio, reinterpret_cast<void**>(&pTVAudio)))
        pTVAudio->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTVAudioFilter));
    LeaveGraph(hrStood);
}

HRESULT CRaptorCapture::CreateRegisterAccess()
{
    m_nCardKind = CARD_KIND_RAPTOR;
    CRaptorRegisterAccess* pAccess = new (std::nothrow) CRaptorRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    FindUpstreamFilters();
    if (!m_pTunerFilter)
        return pAccess->Attach(m_pFilter.Get(), 0);
    HRESULT hr = pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
    if (FAILED(hr))
    {
        delete pAccess;
        m_pRegisterAccess = NULL;
    }
    if (m_pTunerIf)
        m_pTunerIf->put_Mode(AMTUNER_MODE_TV);
    return hr;
}

BOOL CTridentPemrokCapture::McuWrite(DWORD value, DWORD mask, DWORD)
{
    return WriteGpioOnce(value, mask);
}

HRESULT CTridentPemrokCapture::WriteCardGpio(DWORD mask, DWORD value)
{
    // The result is read as a flag, so a failure must be 0.
    return WriteGpioOnce(value, mask) ? 1 : 0;
}
