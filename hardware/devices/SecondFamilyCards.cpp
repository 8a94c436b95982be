#include "hardware/devices/SecondFamilyCards.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/PX63RegisterAccess.h"
#include "hardware/bus/QM42RegisterAccess.h"
#include "hardware/bus/QM57RegisterAccess.h"
#include "hardware/bus/TridentRegisterAccess.h"
#include "hardware/devices/KsPropRegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"
#include "hardware/devices/Usb2800Cards.h"

#include <new>

namespace
{
enum { KEY_DEVICE = 0xBB, KEY_FLAG_REG = 48, KEY_CODE_REG = 49, OPTION_BYTE_OFFSET = 3 };
}

BOOL CQMCapture::Initfilter()
{
    ClearOpenMembers();
    m_strTunerFilterName = "PhTVTune";
    m_byTunerLetterOffset = 0xA0;
    m_byTunerTypeOffset = 0xA1;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return CCaptureDevice::Initfilter();
}

HRESULT CQMCapture::SetAudioInput(int nInput, BOOL bEnable)
{
    return SwitchAudioByGpio(m_pRegisterAccess, nInput, bEnable, [](DWORD word, int input, BOOL enable) -> DWORD {
        word &= ~static_cast<DWORD>(AUDIO_LINES);
        if (!enable)
            return word | AUDIO_LINES;
        if (input >= 0 && input <= 2)
            word |= static_cast<DWORD>(input) << 12;
        return word;
    }, AUDIO_LINES);
}

HRESULT CQM41Capture::CreateRegisterAccess()
{
    return AttachFilterTransport(new (std::nothrow) CKsPropRegisterAccess(), CARD_KIND_VENDOR_PROPERTY);
}

HRESULT CQM42Capture::CreateRegisterAccess()
{
    return AttachFilterTransport(new (std::nothrow) CQM42RegisterAccess(), CARD_KIND_VENDOR_PROPERTY);
}

CVeltraneQM57Capture::~CVeltraneQM57Capture()
{
    m_pTunerIf.Reset();
    RemoveTunerFilter();
}

BOOL CVeltraneQM57Capture::Initfilter()
{
    ClearOpenMembers();
    m_pTunerIf.Reset();
    m_cTunerLetter = 'E';
    m_nTunerType = 91;
    if (!CFilterNode::Initfilter())
        return FALSE;
    FindVideoPins();
    CRemoteControlLock lock;
    if (!lock.Locked())
        return FALSE;
    // A device whose driver could not be reached is no device.
    if (FAILED(CreateRegisterAccess()))
        return FALSE;
    RecreateTunerModule();
    m_nCardKind = CARD_KIND_NONE;
    return TRUE;
}

BOOL CVeltraneQM57Capture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CVeltraneQM57Capture::CreateRegisterAccess()
{
    CQM57RegisterAccess* pAccess = new (std::nothrow) CQM57RegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    HRESULT hr = pAccess->Attach(m_pFilter.Get(), static_cast<ULONG_PTR>(g_nDeviceIndex));
    FindUpstreamTuner(&m_pTunerIf);
    m_nCardKind = CARD_KIND_NONE;
    return hr;
}

HRESULT CVeltraneQM57Capture::IsSignalLocked(DWORD* pLocked)
{
    if (pLocked != NULL)
        *pLocked = 1;
    return S_OK;
}

CTridVidCapture::~CTridVidCapture()
{
    m_pTunerIf.Reset();
    RemoveTunerFilter();
}

BOOL CTridVidCapture::Initfilter()
{
    ClearOpenMembers();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(FALSE);
}

BOOL CTridVidCapture::SetTunerMode(LONG lMode)
{
    if (!m_pTunerIf)
        return FALSE;
    if (lMode != AMTUNER_MODE_TV && lMode != AMTUNER_MODE_FM_RADIO && lMode != AMTUNER_MODE_AM_RADIO &&
        lMode != AMTUNER_MODE_DSS)
        return FALSE;
    long available = 0;
    if (FAILED(m_pTunerIf->GetAvailableModes(&available)) || (available & lMode) == 0)
        return FALSE;
    return SUCCEEDED(m_pTunerIf->put_Mode(static_cast<AMTunerModeType>(lMode)));
}

BOOL CTridVidCapture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CTridVidCapture::CreateRegisterAccess()
{
    CTridVidRegisterAccess* pAccess = new (std::nothrow) CTridVidRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    FindUpstreamTuner(&m_pTunerIf);
    m_nCardKind = CARD_KIND_NONE;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
}

int CTridVidCapture::DetectTunerType()
{
    m_cTunerLetter = 'N';
    m_nTunerType = 0;
    ReadTunerCode(&m_cTunerLetter, &m_nTunerType);
    if (m_cTunerLetter == 'N')
        m_cTunerLetter = 'A';
    if (m_nTunerType == 0 || m_nTunerType == 255)
        m_nTunerType = 133;
    return m_nTunerType;
}

BYTE CTridVidCapture::ReadCardOptionByte()
{
    return ReadEepromOption(OPTION_BYTE_OFFSET);
}

BOOL CTridVidCapture::McuWrite(DWORD value, DWORD mask, DWORD)
{
    return WriteGpioOnce(value, mask);
}

BOOL CTridentUsbCardBase::Initfilter()
{
    ClearOpenMembers();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(FALSE);
}

BOOL CTridentUsbCardBase::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CTridentUsbCardBase::CreateRegisterAccess()
{
    CTridentUsbRegisterAccess* pAccess = new (std::nothrow) CTridentUsbRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_nCardKind = m_nOwnKind;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
}

int CTridentUsbCardBase::DetectTunerType()
{
    return DetectTunerTypeAsRead();
}

BYTE CTridentUsbCardBase::ReadCardOptionByte()
{
    return ReadEepromOption(OPTION_BYTE_OFFSET);
}

HRESULT CTridentUsbCardBase::EepromReadByte(BYTE offset, BYTE* pValue)
{
    CTridentUsbRegisterAccess* pAccess = static_cast<CTridentUsbRegisterAccess*>(m_pRegisterAccess);
    return pAccess->ReadRegister(m_byEepromAddress, offset, pValue);
}

HRESULT CTridentUsbCardBase::EepromWriteByte(BYTE offset, BYTE value)
{
    CTridentUsbRegisterAccess* pAccess = static_cast<CTridentUsbRegisterAccess*>(m_pRegisterAccess);
    return pAccess->WriteRegister(m_byEepromAddress, offset, value);
}

BOOL CVeltranePX63Capture::Initfilter()
{
    ClearOpenMembers();
    m_strTunerFilterName = "Veltrane PX63 TvTuner";
    m_byEepromAddress = 0xA2;
    m_byTunerLetterOffset = 0xA0;
    m_byTunerTypeOffset = 0xA1;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return CCaptureDevice::Initfilter();
}

BOOL CVeltranePX63Capture::ReadRemoteKey(BYTE* pKey)
{
    return CVeltraneMPEG2BoxCapture::ReadBoxKey(m_pFilter.Get(), pKey);
}

HRESULT CVeltranePX63Capture::CreateRegisterAccess()
{
    CPX63RegisterAccess* pAccess = new (std::nothrow) CPX63RegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_nCardKind = CARD_KIND_PX63;
    return pAccess->Attach(m_pFilter.Get(), 0);
}
