#include "hardware/devices/Usb2800Cards.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "hardware/bus/Usb2800RegisterAccess.h"
#include "hardware/tuners/TunerFactory.h"
#include "hardware/tuners/Usb2820Tuner.h"

#include <new>

namespace
{
// Tuner types of the bridge's tuner codes 1 to 6.
const int kBridgeTunerTypes[] = { 3, 2, 1, 14, 5, 11 };

enum { BOX_KEY_CHIP = 0x5D };
}

void CUsb2800FamilyCapture::InitDefaults()
{
    m_strDeviceName = "USB 2800 Video";
}

HRESULT CUsb2800FamilyCapture::SetAudioInput(int nInput, BOOL bEnable)
{
    return SwitchAudioByGpio(m_pRegisterAccess, nInput, bEnable, [](DWORD word, int input, BOOL enable) -> DWORD {
        if (!enable)
            return word | 7;
        if (input == 0 || input == 1)
            return (word & 0xC) | static_cast<DWORD>(input + 1);
        return input == 2 ? word & 0xC : word;
    }, 0);
}

BOOL CUsb2800FamilyCapture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CUsb2800FamilyCapture::AttachBridge(LPCSTR pszName, int nCardKind)
{
    CUsb2800RegisterAccess* pAccess = new (std::nothrow) CUsb2800RegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_nCardKind = nCardKind;
    return pAccess->Attach(NULL, reinterpret_cast<ULONG_PTR>(pszName));
}

HRESULT CUsb2800FamilyCapture::CreateRegisterAccess()
{
    return AttachBridge(GetDeviceName(), CARD_KIND_USB2800);
}

HRESULT CUsb2800FamilyCapture::ReadTunerCode(int* pcLetter, int* pnType)
{
    int letter = 'N';
    int type = 0;
    BYTE code = 0;
    if (m_pRegisterAccess != NULL)
        m_pRegisterAccess->ReadByte(KEY_DEVICE, TUNER_CODE_REG, &code);
    m_nKeyTimeout = 0;
    letter = 'T';
    if (code == 0)
    {
        int eepromLetter = 'N';
        int eepromType = 0;
        type = 93;
        if (CCaptureDevice::ReadTunerCode(&eepromLetter, &eepromType) == S_OK)
        {
            m_nKeyTimeout = 1;
            const char* pszModel = CTunerFactory::GetModelName(eepromType);
            if (eepromType != 0 && pszModel != NULL && pszModel[0] != '\0')
                type = eepromType;
        }
    }
    else if (code >= 1 && code <= 6)
    {
        type = kBridgeTunerTypes[code - 1];
    }
    else
    {
        type = 4;
    }
    if (pcLetter != NULL)
        *pcLetter = letter;
    if (pnType != NULL)
        *pnType = type;
    return S_OK;
}

int CUsb2800FamilyCapture::DetectTunerType()
{
    m_nTunerType = 0;
    m_cTunerLetter = 'N';
    ReadTunerCode(&m_cTunerLetter, &m_nTunerType);
    int letter = 'N';
    int type = 0;
    CCaptureDevice::ReadTunerCode(&letter, &type);
    if (type == 69)
    {
        m_nTunerType = type;
        m_cTunerLetter = letter;
    }
    return m_nTunerType;
}

BOOL CUsb2800FamilyCapture::RecreateTunerModule()
{
    if (m_nTunerType == 0)
        return FALSE;
    CTunerModule* pGeneric = CreateTunerModule(m_nTunerType);
    CTunerModule* pModule = CreateUsb2820TunerAdapter(m_nTunerType, m_pRegisterAccess, pGeneric);
    delete pGeneric;
    if (pModule == NULL)
        return FALSE;
    pModule->m_pOwner = this;
    InstallTunerModule(pModule);
    return TRUE;
}

BOOL CUsb2800FamilyCapture::SelectTunerType(int nTypeId)
{
    HWND hNotify = m_pTunerModule != NULL ? m_pTunerModule->GetNotifyWindow() : m_hNotifyWnd;
    delete m_pTunerModule;
    m_pTunerModule = NULL;
    m_nTunerType = nTypeId;
    m_cTunerLetter = TunerLetterOfType(nTypeId);
    BOOL bMade = RecreateTunerModule();
    if (m_pTunerModule != NULL)
        m_pTunerModule->SetNotifyWindow(hNotify);
    return bMade;
}

void CUSB2800Capture::InitDefaults()
{
    CUsb2800FamilyCapture::InitDefaults();
    m_strTunerFilterName = "USB 2800 Video";
}

void CUSB2820Capture::InitDefaults()
{
    CUsb2800FamilyCapture::InitDefaults();
    m_strTunerFilterName = "USB 2820 Video";
}

void CVeltraneKestaneCapture::InitDefaults()
{
    CUsb2800FamilyCapture::InitDefaults();
    m_strTunerFilterName = "Veltrane Kestane Video";
}

BOOL CVeltraneKestaneCapture::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    BYTE flag = 0;
    if (m_pRegisterAccess->ReadByte(KEY_DEVICE, KEY_FLAG_REG, &flag) != S_OK || flag != 1)
        return FALSE;
    m_pRegisterAccess->WriteByte(KEY_DEVICE, KEY_FLAG_REG, 0);
    BusSleep(10);
    return m_pRegisterAccess->ReadByte(KEY_DEVICE, KEY_CODE_REG, pKey) == S_OK;
}

void CUSB2821Capture::InitDefaults()
{
    CUsb2800FamilyCapture::InitDefaults();
    m_strTunerFilterName = "USB 2821 Video";
}

BOOL CUSB2821Capture::RecreateTunerModule()
{
    m_byTunerLetterOffset = 0xD0;
    m_byTunerTypeOffset = 0xD1;
    return CUsb2800FamilyCapture::RecreateTunerModule();
}

CUSB2881Capture::CUSB2881Capture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CUsb2800FamilyCapture(pGraph, pCategory, pszName, bExclude)
{
    m_byTunerLetterOffset = 0xC0;
    m_byTunerTypeOffset = 0xC1;
    OpenDevice();
}

CUSB2881Capture::CUSB2881Capture(CDShowGraph* pGraph, REFCLSID clsid)
    : CUsb2800FamilyCapture(pGraph, clsid)
{
    m_byTunerLetterOffset = 0xC0;
    m_byTunerTypeOffset = 0xC1;
    OpenDevice();
}

void CUSB2881Capture::InitDefaults()
{
    m_strDeviceName = "USB 2881 TVTuner";
}

HRESULT CUSB2881Capture::CreateRegisterAccess()
{
    return AttachBridge("USB 2881 Video", CARD_KIND_USB2881);
}

CVeltraneMPEG2BoxCapture::~CVeltraneMPEG2BoxCapture()
{
    m_pKsProp.Reset();
}

void CVeltraneMPEG2BoxCapture::InitDefaults()
{
    m_byEepromAddress = 0xA2;
    m_nKeyPollPeriod = DEFAULT_KEY_POLL_MS;
}

BOOL CVeltraneMPEG2BoxCapture::Initfilter()
{
    if (!CCaptureDevice::Initfilter())
        return FALSE;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pKsProp))) &&
           m_pKsProp;
}

HRESULT CVeltraneMPEG2BoxCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CVeltraneMPEG2BoxCapture::ReadBoxKey(IUnknown* pFilter, BYTE* pKey)
{
    if (pFilter == NULL || pKey == NULL)
        return FALSE;
    DWORD answer = 0;
    if (!MpegBoxControlRead(pFilter, BOX_KEY_CHIP, 1, 48, &answer) || (answer & 0xFF) != 1)
        return FALSE;
    if (!MpegBoxControlRead(pFilter, BOX_KEY_CHIP, 1, 49, &answer))
        return FALSE;
    *pKey = static_cast<BYTE>(answer);
    return TRUE;
}

BOOL CVeltraneMPEG2BoxCapture::ReadRemoteKey(BYTE* pKey)
{
    return ReadBoxKey(m_pFilter.Get(), pKey);
}

HRESULT CVeltraneMPEG2BoxCapture::CreateRegisterAccess()
{
    CMpegBoxRegisterAccess* pAccess = new (std::nothrow) CMpegBoxRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_nCardKind = CARD_KIND_MPEG_BOX;
    return pAccess->Attach(m_pFilter.Get(), 0);
}
