#include "hardware/devices/CaptureDevice.h"

#include "dshow/DShowGraph.h"
#include "dshow/NamedMutex.h"
#include "dshow/WorkThread.h"
#include "hardware/bus/BusClock.h"
#include "hardware/bus/KsRegisterAccess.h"
#include "hardware/bus/VendorPropRegisterAccess.h"
#include "hardware/bus/VendorPropertySet.h"
#include "hardware/devices/RemoteKeyPoller.h"
#include "hardware/tuners/TunerFactory.h"

#include <ks.h>
#include <ksmedia.h>
#include <string.h>

#include <new>

namespace
{
// The kernel-streaming card set whose property 4 marks a card the
// kernel-streaming transport can drive.
const GUID kPropsetKsCard = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

struct FormatCodeRow
{
    LONG nCode;
    const GUID* pSubtype;
};

const GUID kSubtypeCXF1 = { MAKEFOURCC('C', 'X', 'F', '1'), 0x0000, 0x0010,
                            { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
const GUID kSubtypeCXF2 = { MAKEFOURCC('C', 'X', 'F', '2'), 0x0000, 0x0010,
                            { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };

const FormatCodeRow kFormatCodes[] = {
    { 0, &MEDIASUBTYPE_RGB555 },
    { 1, &MEDIASUBTYPE_RGB24 },
    { 2, &MEDIASUBTYPE_YUY2 },
    { 3, &MEDIASUBTYPE_YVU9 },
    { 4, &MEDIASUBTYPE_YV12 },
    { 6, &MEDIASUBTYPE_UYVY },
    { 7, &kSubtypeCXF1 },
    { 8, &kSubtypeCXF2 },
};

struct TunerLetterRange
{
    int nFirst;
    int nLast;
    int cLetter;
};

const TunerLetterRange kTunerLetters[] = {
    { 1, 5, 'T' }, { 7, 11, 'T' }, { 14, 15, 'T' }, { 17, 17, 'T' },
    { 12, 13, 'G' },
    { 32, 35, 'X' },
    { 52, 71, 'A' }, { 130, 134, 'A' }, { 138, 138, 'A' },
    { 72, 75, 'L' },
    { 90, 91, 'E' }, { 136, 137, 'E' },
    { 92, 98, 'P' }, { 111, 111, 'P' },
    { 100, 100, 'O' },
    { 110, 110, 'C' },
    { 135, 135, 'D' },
};

const GUID& PinCategory(int nPinSelect)
{
    return nPinSelect == CCaptureDevice::PIN_SELECT_CAPTURE ? PIN_CATEGORY_CAPTURE : PIN_CATEGORY_PREVIEW;
}
}

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
    m_nCardKind = CARD_KIND_NONE;
    m_cTunerLetter = 'N';
    m_nTunerType = 0;
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    m_byTunerLetterOffset = 0x20;
    m_byTunerTypeOffset = 0x21;
    m_byEepromAddress = DEFAULT_EEPROM_ADDRESS;
    m_nKeyPollPeriod = DEFAULT_KEY_POLL_MS;
    m_nEventMode = 0;
    m_pAuxWorker = NULL;
    m_hEvent = NULL;
    m_nKeyTimeout = 0;
}

void CCaptureDevice::OpenDevice()
{
    InitDefaults();
    if (!Initfilter())
        m_bValid = FALSE;
}

CCaptureDevice::~CCaptureDevice()
{
    ReleaseMembers();
    m_strDeviceName.clear();
    m_pTunerFilter.Reset();
}

CPinWrapper* CCaptureDevice::GetPin(LPCSTR pszPinName)
{
    if (pszPinName != NULL)
    {
        if (strcmp(pszPinName, "Capture") == 0 && m_pCapturePin != NULL)
            return m_pCapturePin;
        if (strcmp(pszPinName, "Preview") == 0 && m_pPreviewPin != NULL)
            return m_pPreviewPin;
    }
    return FindPin(pszPinName);
}

void CCaptureDevice::InitDefaults()
{
}

void CCaptureDevice::ClearOpenMembers()
{
    m_pRegisterAccess = NULL;
    m_pTunerModule = NULL;
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    m_hNotifyWnd = NULL;
    m_pKeyPoller = NULL;
    m_nEventMode = 0;
    m_pAuxWorker = NULL;
    m_hEvent = NULL;
    m_cTunerLetter = 'N';
    m_nTunerType = 0;
}

HRESULT CCaptureDevice::AttachFilterTransport(CRegisterAccess* pAccess, int nCardKind)
{
    m_pRegisterAccess = NULL;
    m_nCardKind = CARD_KIND_NONE;
    if (!m_pFilter)
    {
        delete pAccess;
        return E_POINTER;
    }
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    HRESULT hr = pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
    if (FAILED(hr))
    {
        delete pAccess;
        return hr;
    }
    m_pRegisterAccess = pAccess;
    m_nCardKind = nCardKind;
    return m_pRegisterAccess->Command1(1) != S_OK ? E_FAIL : S_OK;
}

HRESULT CCaptureDevice::AttachTunerFilterTransport(CRegisterAccess* pAccess, int nCardKind)
{
    m_nCardKind = nCardKind;
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    m_pTunerFilter.Reset();
    HRESULT hr = FindFilterByName(AM_KSCATEGORY_TVTUNER, m_strTunerFilterName.c_str(), &m_pTunerFilter);
    if (FAILED(hr))
        return hr;
    hr = pAccess->Attach(m_pTunerFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
    if (FAILED(hr))
    {
        delete pAccess;
        m_pRegisterAccess = NULL;
    }
    return hr;
}

HRESULT CCaptureDevice::EepromReadByte(BYTE offset, BYTE* pValue)
{
    return m_pRegisterAccess->ReadByte(m_byEepromAddress, offset, pValue);
}

HRESULT CCaptureDevice::EepromWriteByte(BYTE offset, BYTE value)
{
    return m_pRegisterAccess->WriteByte(m_byEepromAddress, offset, value);
}

BOOL CCaptureDevice::ReadKeyRegisters(BYTE device, BYTE flagReg, BYTE codeReg, BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    BYTE flag = 0;
    if (m_pRegisterAccess->ReadByte(device, flagReg, &flag) != S_OK || flag != 1)
        return FALSE;
    BYTE key = 0;
    if (m_pRegisterAccess->ReadByte(device, codeReg, &key) != S_OK)
        return FALSE;
    *pKey = key;
    return TRUE;
}

HRESULT CCaptureDevice::StandInGraph()
{
    IGraphBuilder* pGraph = m_pGraph != NULL ? m_pGraph->GetGraphBuilder() : NULL;
    if (pGraph == NULL || !m_pFilter)
        return E_POINTER;
    WCHAR szName[NAME_SIZE];
    MultiByteToWideChar(CP_ACP, 0, m_szName[0] != '\0' ? m_szName : m_szFriendlyName, -1, szName, NAME_SIZE);
    return pGraph->AddFilter(m_pFilter.Get(), szName);
}

void CCaptureDevice::LeaveGraph(HRESULT hrStood)
{
    if (SUCCEEDED(hrStood))
        m_pGraph->GetGraphBuilder()->RemoveFilter(m_pFilter.Get());
}

BOOL CCaptureDevice::FindCaptureUpstream(REFIID iid, void** ppInterface)
{
    ICaptureGraphBuilder2* pBuilder = m_pGraph != NULL ? m_pGraph->GetCaptureBuilder() : NULL;
    if (pBuilder == NULL || !m_pFilter || ppInterface == NULL)
        return FALSE;
    // Interleaved streams first, then plain video.
    const GUID* apTypes[2] = { &MEDIATYPE_Interleaved, &MEDIATYPE_Video };
    for (int i = 0; i < 2 && *ppInterface == NULL; ++i)
        pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, apTypes[i], m_pFilter.Get(), iid, ppInterface);
    return *ppInterface != NULL;
}

BOOL CCaptureDevice::FindUpstreamTuner(IAMTVTuner** ppTuner)
{
    if (m_pGraph == NULL || m_pGraph->GetCaptureBuilder() == NULL || !m_pFilter || ppTuner == NULL)
        return FALSE;
    // The tuner is found through the capture filter's connections, which
    // exist only while it stands in the graph.
    HRESULT hrStood = StandInGraph();
    FindCaptureUpstream(IID_IAMTVTuner, reinterpret_cast<void**>(ppTuner));
    if (*ppTuner != NULL && !m_pTunerFilter)
        (*ppTuner)->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTunerFilter));
    LeaveGraph(hrStood);
    return *ppTuner != NULL;
}

void CCaptureDevice::RemoveTunerFilter()
{
    if (m_pTunerFilter && m_pGraph != NULL && m_pGraph->GetGraphBuilder() != NULL)
        m_pGraph->GetGraphBuilder()->RemoveFilter(m_pTunerFilter.Get());
    m_pTunerFilter.Reset();
}

BOOL CCaptureDevice::Initfilter()
{
    // The open starts from nothing; the constructor is its only caller.
    ClearOpenMembers();

    if (!CFilterNode::Initfilter())
        return FALSE;
    CNamedMutex mutex("Mutex_Remote_Control", FALSE);
    if (!mutex.Lock())
        return FALSE;
    if (CreateRegisterAccess() != S_OK || m_nCardKind == CARD_KIND_NONE)
    {
        mutex.Unlock();
        return FALSE;
    }
    FindVideoPins();
    DetectTunerType();
    BOOL bOpened = RecreateTunerModule();
    mutex.Unlock();
    return bOpened;
}

HRESULT GetDecoderStandard(IBaseFilter* pFilter, LONG* plStandard, LONG* plAvailable)
{
    if (pFilter == NULL)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> pDecoder;
    HRESULT hr = pFilter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&pDecoder));
    if (FAILED(hr))
        return hr;
    if (plAvailable != NULL)
    {
        hr = pDecoder->get_AvailableTVFormats(plAvailable);
        if (FAILED(hr))
            return hr;
    }
    if (plStandard != NULL)
        hr = pDecoder->get_TVFormat(plStandard);
    return hr;
}

HRESULT SetDecoderStandard(IBaseFilter* pFilter, LONG lStandard)
{
    if (pFilter == NULL)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> pDecoder;
    HRESULT hr = pFilter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&pDecoder));
    if (FAILED(hr))
        return hr;
    return pDecoder->put_TVFormat(lStandard);
}

DWORD AudioRuleLines12And13(DWORD word, int nInput, BOOL bEnable)
{
    if (!bEnable)
        return word | 0x3000;
    if (nInput >= 0 && nInput <= 2)
        return (word & ~0x3000u) | (static_cast<DWORD>(nInput) << 12);
    return word;
}

HRESULT SwitchAudioByGpio(CRegisterAccess* pAccess, int nInput, BOOL bEnable, PFN_AUDIO_RULE pfnRule, DWORD mask)
{
    if (pAccess == NULL)
        return E_FAIL;
    BusSleep(CCaptureDevice::AUDIO_SWITCH_SETTLE_MS);
    DWORD word = 0;
    HRESULT hr = pAccess->ReadGpio(&word);
    if (FAILED(hr))
        return hr;
    return pAccess->WriteGpio(pfnRule(word, nInput, bEnable), mask);
}

HRESULT CCaptureDevice::GetVideoStandard(LONG* plStandard, LONG* plAvailable)
{
    return GetDecoderStandard(m_pFilter.Get(), plStandard, plAvailable);
}

HRESULT CCaptureDevice::SetVideoStandard(LONG lStandard)
{
    return SetDecoderStandard(m_pFilter.Get(), lStandard);
}

BOOL CCaptureDevice::SetFMFrequency(float frequency)
{
    return m_pTunerModule != NULL ? m_pTunerModule->SetFMFrequency(frequency) : FALSE;
}

BOOL CCaptureDevice::SetTunerMode(LONG)
{
    return FALSE;
}

HRESULT CCaptureDevice::SetAudioInput(int nInput, BOOL bEnable)
{
    return SwitchAudioByGpio(m_pRegisterAccess, nInput, bEnable, AudioRuleLines12And13, 0x3000);
}

BOOL CCaptureDevice::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    return DecodeGpioKey(word, pKey);
}

BOOL CCaptureDevice::DecodeGpioKey(DWORD word, BYTE* pKey)
{
    // Bit 8 high: no key waiting.
    if (word & 0x100)
        return FALSE;
    BYTE inverted = static_cast<BYTE>(~word & 0xFF);
    *pKey = static_cast<BYTE>(((inverted << 4) | (inverted >> 4)) & 0xFF);
    return TRUE;
}

HRESULT CCaptureDevice::I2CBlockTransfer(BYTE* pBuffer, int nLength)
{
    if (pBuffer == NULL)
        return E_INVALIDARG;
    if (nLength < 2 || nLength > CRegisterAccess::MAX_I2C_TRANSFER)
        return E_FAIL;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    return m_pRegisterAccess->I2CWrite(pBuffer, nLength);
}

HRESULT CCaptureDevice::WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || (nStart & 0xFF) + *pnCount > 256)
        return E_INVALIDARG;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    // Every byte is tried, but a byte that did not reach the EEPROM is what
    // the caller must hear about, not the last one that did.
    HRESULT hrFirstFailure = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        HRESULT hr = EepromWriteByte(static_cast<BYTE>(nStart + i), pBuffer[i]);
        if (FAILED(hr) && SUCCEEDED(hrFirstFailure))
            hrFirstFailure = hr;
        BusSleep(dwDelayMs);
    }
    return hrFirstFailure;
}

HRESULT CCaptureDevice::ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || (nStart & 0xFF) + *pnCount > 256)
        return E_INVALIDARG;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    return ReadEepromBytes(pBuffer, nStart, pnCount, 0);
}

HRESULT CCaptureDevice::ReadEepromBytes(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwPauseMs)
{
    int nRead = 0;
    HRESULT hr = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        BYTE value = 0;
        hr = EepromReadByte(static_cast<BYTE>(nStart + i), &value);
        if (dwPauseMs != 0)
            BusSleep(dwPauseMs);
        if (SUCCEEDED(hr))
        {
            pBuffer[i] = value;
            ++nRead;
        }
    }
    *pnCount = nRead;
    return nRead > 0 ? S_OK : hr;
}

void CCaptureDevice::Reserved18()
{
}

HRESULT CCaptureDevice::CreateRegisterAccess()
{
    m_pRegisterAccess = NULL;
    m_nCardKind = CARD_KIND_NONE;
    if (!m_pFilter)
        return E_POINTER;
    ComPtr<IKsPropertySet> pProps;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps))) || !pProps)
        return E_FAIL;
    DWORD support = 0;
    int nKind;
    CRegisterAccess* pAccess;
    if (pProps->QuerySupported(kPropsetKsCard, 4, &support) == S_OK)
    {
        nKind = CARD_KIND_KS;
        pAccess = new (std::nothrow) CKsRegisterAccess();
    }
    else if (pProps->QuerySupported(PROPSETID_VendorCardControl, VENDORPROP_CHIP_IDS, &support) == S_OK)
    {
        nKind = CARD_KIND_VENDOR_PROPERTY;
        pAccess = new (std::nothrow) CVendorPropRegisterAccess();
    }
    else
    {
        return E_FAIL;
    }
    pProps.Reset();
    return AttachFilterTransport(pAccess, nKind);
}

HRESULT CCaptureDevice::ReleaseMembers()
{
    delete m_pAuxWorker;
    m_pAuxWorker = NULL;
    delete m_pKeyPoller;
    m_pKeyPoller = NULL;
    delete m_pTunerModule;
    m_pTunerModule = NULL;
    delete m_pRegisterAccess;
    m_pRegisterAccess = NULL;
    m_nCardKind = CARD_KIND_NONE;
    return S_OK;
}

BOOL CCaptureDevice::RecreateTunerModule()
{
    CTunerModule* pModule = CreateTunerModule(m_nTunerType);
    if (pModule == NULL)
    {
        pModule = CreateTunerModule(4);
        if (pModule != NULL)
        {
            m_nTunerType = 4;
            m_cTunerLetter = 'T';
        }
    }
    if (pModule == NULL)
        return FALSE;
    InstallTunerModule(pModule);
    return TRUE;
}

void CCaptureDevice::InstallTunerModule(CTunerModule* pModule)
{
    // The module in place goes, and its notify window passes to the new one.
    pModule->SetNotifyWindow(m_pTunerModule != NULL ? m_pTunerModule->GetNotifyWindow() : m_hNotifyWnd);
    delete m_pTunerModule;
    m_pTunerModule = pModule;
}

int CCaptureDevice::DetectTunerTypeAsRead()
{
    m_cTunerLetter = 'N';
    m_nTunerType = 0;
    return ReadTunerCode(&m_cTunerLetter, &m_nTunerType);
}

int CCaptureDevice::DetectTunerType()
{
    ReadTunerCode(&m_cTunerLetter, &m_nTunerType);
    if (m_cTunerLetter == 'N')
        m_cTunerLetter = 'T';
    if (m_nTunerType == 0 || m_nTunerType == 255)
        m_nTunerType = 4;
    return m_nTunerType;
}

BOOL CCaptureDevice::WaitGpioReady(BOOL bLevel, BOOL bPad)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD wanted = bLevel ? 0x100 : 0;
    int nPolls = 0;
    BOOL bReached = FALSE;
    while (nPolls < 100)
    {
        DWORD word = 0;
        if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
            return FALSE;
        ++nPolls;
        if ((word & 0x100) == wanted)
        {
            bReached = TRUE;
            break;
        }
        BusSleep(1);
    }
    if (bPad && nPolls < 100)
        BusSleep(100 - nPolls);
    return bReached;
}

BYTE CCaptureDevice::ReadCardOptionByte()
{
    return ReadEepromOption(7);
}

BYTE CCaptureDevice::ReadEepromOption(BYTE offset)
{
    BYTE value = 0;
    if (m_pRegisterAccess == NULL || FAILED(EepromReadByte(offset, &value)))
        return 0;
    return value;
}

BOOL CCaptureDevice::OpenUnderLock(BOOL bShowLockFailure)
{
    CNamedMutex mutex("Mutex_Remote_Control", FALSE);
    if (!mutex.Lock())
    {
        if (bShowLockFailure)
            MessageBoxA(NULL, "Initfilter lock failed", NULL, MB_OK);
        return FALSE;
    }
    BOOL bOpened = FALSE;
    if (CreateRegisterAccess() == S_OK)
    {
        FindVideoPins();
        DetectTunerType();
        bOpened = RecreateTunerModule();
    }
    mutex.Unlock();
    return bOpened;
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

int CCaptureDevice::TunerLetterOfType(int nTypeId)
{
    for (size_t i = 0; i < sizeof(kTunerLetters) / sizeof(kTunerLetters[0]); ++i)
    {
        if (nTypeId >= kTunerLetters[i].nFirst && nTypeId <= kTunerLetters[i].nLast)
            return kTunerLetters[i].cLetter;
    }
    return 'N';
}

BOOL CCaptureDevice::SelectTunerType(int nTypeId)
{
    CTunerModule* pModule = CreateTunerModule(nTypeId);
    if (pModule == NULL)
        return FALSE;
    m_cTunerLetter = TunerLetterOfType(nTypeId);
    InstallTunerModule(pModule);
    m_nTunerType = nTypeId;
    return TRUE;
}

HRESULT CCaptureDevice::ReadTunerCode(int* pcLetter, int* pnType)
{
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    BYTE value = 0;
    if (SUCCEEDED(EepromReadByte(m_byTunerLetterOffset, &value)) && pcLetter != NULL)
    {
        *pcLetter = (value >= 'A' && value <= 'X' && strchr("AEGLPTX", value) != NULL) ? value : 'N';
    }
    HRESULT hr = EepromReadByte(m_byTunerTypeOffset, &value);
    if (FAILED(hr))
        return hr;
    if (pnType != NULL)
        *pnType = value;
    return S_OK;
}

CTunerModule* CCaptureDevice::CreateTunerModule(int nTypeId)
{
    return CTunerFactory::Create(nTypeId, m_pRegisterAccess, this);
}

BOOL CCaptureDevice::McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    DWORD current = word & 0x7000;
    DWORD idle = current | 0x180100;
    if (FAILED(m_pRegisterAccess->WriteGpioDelayed(idle, 0x187100, 0)))
        return FALSE;
    DWORD data = (value & ~0xFF00u) | (value & 0x8F00) | current;
    if (FAILED(m_pRegisterAccess->WriteGpioDelayed(data, mask | 0x7000, dwDelayMs)))
        return FALSE;
    return SUCCEEDED(m_pRegisterAccess->WriteGpioDelayed(idle, 0x187100, 0));
}

BOOL CCaptureDevice::McuWaitReady(DWORD* pValue)
{
    if (pValue != NULL)
        *pValue = 0;
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD start = BusTickCount();
    BOOL bSeen = FALSE;
    while (TRUE)
    {
        DWORD word = 0;
        if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
            return FALSE;
        if ((word & 0x40000) == 0)
        {
            if (pValue != NULL)
                *pValue = word;
            bSeen = TRUE;
        }
        else if (bSeen)
        {
            return TRUE;
        }
        if (BusTickCount() - start > 500)
            return FALSE;
    }
}

BOOL CCaptureDevice::McuSendWord(DWORD) { return FALSE; }
BOOL CCaptureDevice::McuReadWord(WORD*) { return FALSE; }
BOOL CCaptureDevice::McuHandshake(DWORD) { return FALSE; }
BOOL CCaptureDevice::CardExtension1(ULONG_PTR) { return FALSE; }
BOOL CCaptureDevice::CardExtension2(ULONG_PTR) { return FALSE; }
BOOL CCaptureDevice::CardExtension3(ULONG_PTR) { return FALSE; }

BOOL CCaptureDevice::DeleteAuxObject()
{
    delete m_pAuxWorker;
    m_pAuxWorker = NULL;
    return TRUE;
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

HRESULT CCaptureDevice::SetAudioInputEx(int nInput, BOOL bEnable)
{
    return SwitchAudioByGpio(m_pRegisterAccess, nInput, bEnable, [](DWORD word, int input, BOOL enable) -> DWORD {
        if (!enable)
            return word | 0x4000;
        word &= ~0x7000u;
        if (input >= 1 && input <= 3)
            word |= static_cast<DWORD>(input) << 12;
        return word;
    }, 0x7000);
}

void CCaptureDevice::Reserved41()
{
}

HRESULT CCaptureDevice::WriteCardGpio(DWORD, DWORD)
{
    return E_FAIL;
}

BOOL CCaptureDevice::ReadCardInfoString(char*, int, int*)
{
    return FALSE;
}

BOOL CCaptureDevice::GetChipIds(DWORD* pValue)
{
    if (!m_pFilter || pValue == NULL)
        return FALSE;
    ComPtr<IKsPropertySet> pProps;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps))) || !pProps)
        return FALSE;
    VendorCommandRequest request;
    memset(&request, 0, sizeof(request));
    if (FAILED(VendorPropertyGet(pProps.Get(), VENDORPROP_CHIP_IDS, &request, VENDORPROP_INSTANCE_DEFAULT)))
        return FALSE;
    const BYTE* p = reinterpret_cast<const BYTE*>(&request);
    WORD low, high;
    memcpy(&low, p + 24, 2);
    memcpy(&high, p + 26, 2);
    *pValue = (static_cast<DWORD>(high) << 16) | low;
    return TRUE;
}

HRESULT CCaptureDevice::SetVideoProcAmp(LONG lProperty, LONG lValue)
{
    if (!m_pFilter)
        return E_FAIL;
    ComPtr<IAMVideoProcAmp> pProcAmp;
    if (FAILED(m_pFilter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&pProcAmp))) || !pProcAmp)
        return E_FAIL;
    return pProcAmp->Set(lProperty, lValue, VideoProcAmp_Flags_Manual);
}

HRESULT CCaptureDevice::GetVideoProcAmp(LONG lProperty, VideoProcAmpRecord* pRecord)
{
    if (!m_pFilter)
        return E_FAIL;
    if (pRecord == NULL)
        return E_INVALIDARG;
    ComPtr<IAMVideoProcAmp> pProcAmp;
    if (FAILED(m_pFilter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&pProcAmp))) || !pProcAmp)
        return E_FAIL;
    HRESULT hr = pProcAmp->GetRange(lProperty, &pRecord->lMinimum, &pRecord->lMaximum, &pRecord->lStep,
                                    &pRecord->lDefault, &pRecord->lCapsFlags);
    if (FAILED(hr))
        return hr;
    LONG flags = 0;
    return pProcAmp->Get(lProperty, &pRecord->lValue, &flags);
}

GUID CCaptureDevice::SubtypeFromFormatCode(LONG nCode)
{
    for (size_t i = 0; i < sizeof(kFormatCodes) / sizeof(kFormatCodes[0]); ++i)
    {
        if (kFormatCodes[i].nCode == nCode)
            return *kFormatCodes[i].pSubtype;
    }
    return MEDIASUBTYPE_YUY2;
}

LONG CCaptureDevice::FormatCodeFromSubtype(REFGUID subtype)
{
    for (size_t i = 0; i < sizeof(kFormatCodes) / sizeof(kFormatCodes[0]); ++i)
    {
        if (*kFormatCodes[i].pSubtype == subtype)
            return kFormatCodes[i].nCode;
    }
    return -1;
}

HRESULT CCaptureDevice::FindStreamConfig(int nPinSelect, IAMStreamConfig** ppConfig)
{
    if (m_pGraph == NULL || m_pGraph->GetCaptureBuilder() == NULL || !m_pFilter)
        return E_INVALIDARG;
    return m_pGraph->GetCaptureBuilder()->FindInterface(&PinCategory(nPinSelect), &MEDIATYPE_Video,
                                                        m_pFilter.Get(), IID_IAMStreamConfig,
                                                        reinterpret_cast<void**>(ppConfig));
}

HRESULT CCaptureDevice::GetVideoFormat(VideoFormatRecord* pRecord, int nPinSelect)
{
    if (pRecord == NULL)
        return E_INVALIDARG;
    memset(pRecord, 0, sizeof(*pRecord));
    if (m_pGraph == NULL)
        return E_INVALIDARG;
    ComPtr<IAMStreamConfig> pConfig;
    HRESULT hr = FindStreamConfig(nPinSelect, &pConfig);
    if (FAILED(hr))
        return hr;
    AM_MEDIA_TYPE* pmt = NULL;
    if (FAILED(pConfig->GetFormat(&pmt)) || pmt == NULL)
    {
        // Without a current format the pin's first offer stands for it.
        pmt = NULL;
        ComPtr<IPin> pPin;
        ComPtr<IEnumMediaTypes> pEnum;
        if (SUCCEEDED(pConfig->QueryInterface(IID_IPin, reinterpret_cast<void**>(&pPin))) && pPin &&
            SUCCEEDED(pPin->EnumMediaTypes(&pEnum)) && pEnum)
        {
            pEnum->Reset();
            if (pEnum->Next(1, &pmt, NULL) != S_OK)
                pmt = NULL;
        }
        if (pmt == NULL)
            return E_FAIL;
    }
    if (pmt->formattype != FORMAT_VideoInfo || pmt->pbFormat == NULL || pmt->cbFormat < sizeof(VIDEOINFOHEADER))
        hr = E_INVALIDARG;
    else
    {
        pRecord->nFormatCode = FormatCodeFromSubtype(pmt->subtype);
        memcpy(&pRecord->info, pmt->pbFormat, sizeof(VIDEOINFOHEADER));
        hr = S_OK;
    }
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    return hr;
}

HRESULT CCaptureDevice::SetVideoFormat(VideoFormatRecord record, int nPinSelect)
{
    ComPtr<IAMStreamConfig> pConfig;
    HRESULT hr = FindStreamConfig(nPinSelect, &pConfig);
    if (FAILED(hr))
        return hr;
    AM_MEDIA_TYPE* pmt = NULL;
    hr = pConfig->GetFormat(&pmt);
    if (FAILED(hr) || pmt == NULL)
        return FAILED(hr) ? hr : E_FAIL;
    if (pmt->formattype == FORMAT_VideoInfo && pmt->pbFormat != NULL && pmt->cbFormat >= sizeof(VIDEOINFOHEADER))
    {
        VIDEOINFOHEADER* pVih = reinterpret_cast<VIDEOINFOHEADER*>(pmt->pbFormat);
        *pVih = record.info;
        LONG height = pVih->bmiHeader.biHeight < 0 ? -pVih->bmiHeader.biHeight : pVih->bmiHeader.biHeight;
        pVih->bmiHeader.biSizeImage = (pVih->bmiHeader.biBitCount / 8) * pVih->bmiHeader.biWidth * height;
        pmt->lSampleSize = pVih->bmiHeader.biSizeImage;
        pmt->subtype = SubtypeFromFormatCode(record.nFormatCode);
        hr = pConfig->SetFormat(pmt);
    }
    else
    {
        hr = E_INVALIDARG;
    }
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    return hr;
}

void CCaptureDevice::FindVideoPins()
{
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    if (!m_pFilter || m_pGraph == NULL || m_pGraph->GetCaptureBuilder() == NULL)
        return;
    const GUID* apCategories[2] = { &PIN_CATEGORY_CAPTURE, &PIN_CATEGORY_PREVIEW };
    CPinWrapper** appMembers[2] = { &m_pCapturePin, &m_pPreviewPin };
    for (int i = 0; i < 2; ++i)
    {
        ComPtr<IPin> pPin;
        if (SUCCEEDED(m_pGraph->GetCaptureBuilder()->FindInterface(apCategories[i], &MEDIATYPE_Video,
                                                                    m_pFilter.Get(), IID_IPin,
                                                                    reinterpret_cast<void**>(&pPin))) &&
            pPin)
        {
            *appMembers[i] = GetPinById(pPin.Get());
        }
    }
}

HRESULT CCaptureDevice::GetTVTunerInterface(IAMTVTuner** ppTuner)
{
    if (!m_pTunerFilter || ppTuner == NULL)
        return E_POINTER;
    return m_pTunerFilter->QueryInterface(IID_IAMTVTuner, reinterpret_cast<void**>(ppTuner));
}

BOOL CCaptureDevice::SetTunerFrequency(float frequency)
{
    if (m_pTunerModule == NULL)
        return FALSE;
    BOOL bResult = m_pTunerModule->SetTVFrequency(frequency);
    if (m_pTunerModule->m_bReapplyStandard)
        bResult = m_pTunerModule->SetStandard(m_pTunerModule->m_nStandard);
    return bResult;
}

BOOL CCaptureDevice::SetTunerStandard(DWORD dwStandard)
{
    if (m_pTunerModule == NULL)
        return FALSE;
    // Whether tunings re-send it is the model's own setting: an Xceive chip
    // would reload its firmware on every channel change.
    m_pTunerModule->m_nStandard = dwStandard;
    return m_pTunerModule->SetStandard(dwStandard);
}

const std::vector<DWORD>* CCaptureDevice::GetTunerStandards() const
{
    return m_pTunerModule != NULL ? &m_pTunerModule->m_vecStandards : NULL;
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
