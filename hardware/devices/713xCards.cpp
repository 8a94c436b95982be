#include "hardware/devices/713xCards.h"

#include "hardware/bus/BusClock.h"
#include "hardware/devices/KsPropRegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <new>

namespace
{
// The write addresses an OEM card's tuner may answer at, in the order tried.
const BYTE kOemTunerAddresses[] = { 0xC0, 0xC2, 0xC4, 0xC6, 0xC8 };
}

void C713xOemCapture::InitDefaults()
{
    m_nKeyPollPeriod = OEM_KEY_POLL_MS;
}

BOOL C713xOemCapture::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    // The kernel-streaming driver leaves the key on the lines until they are
    // set idle again.
    if (m_nCardKind == CARD_KIND_KS)
        m_pRegisterAccess->WriteGpio(word | 0x1FF, 0);
    return DecodeGpioKey(word, pKey);
}

BOOL C713xOemCapture::DetectTunerAddress(CTunerModule* pModule)
{
    if (pModule == NULL)
        return FALSE;
    for (BYTE address : kOemTunerAddresses)
    {
        if (ProbeI2C(address))
        {
            pModule->m_byI2CWrite = address;
            pModule->m_byI2CRead = static_cast<BYTE>(address | 1);
            return TRUE;
        }
    }
    return FALSE;
}

void CLorvaneCapture::InitDefaults()
{
}

void C713xGeniusCapture::InitDefaults()
{
    m_nKeyPollPeriod = C713xOemCapture::OEM_KEY_POLL_MS;
}

BOOL C713xMcuCapture::Initfilter()
{
    ClearOpenMembers();
    if (m_pszTuner != NULL)
        m_strTunerFilterName = m_pszTuner;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return CCaptureDevice::Initfilter();
}

HRESULT C713xMcuCapture::CreateRegisterAccess()
{
    return AttachFilterTransport(new (std::nothrow) CKsPropRegisterAccess(), CARD_KIND_VENDOR_PROPERTY);
}

C713xIOCapture::~C713xIOCapture()
{
    DeleteAuxObject();
    if (m_hEvent != NULL)
        CloseHandle(m_hEvent);
    m_hEvent = NULL;
}

BOOL C713xIOCapture::Initfilter()
{
    m_pfnCallback = NULL;
    return C713xMcuCapture::Initfilter();
}

BOOL C713xIOCapture::McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs)
{
    // Without a bus there is nothing to refuse.
    if (m_pRegisterAccess == NULL)
        return TRUE;
    return C713xMcuCapture::McuWrite(value, mask, dwDelayMs);
}

BOOL C713xIOCapture::EnsureTransport()
{
    if (m_nCardKind == CARD_KIND_VENDOR_PROPERTY && m_pRegisterAccess != NULL)
        return TRUE;
    if (CreateRegisterAccess() == S_OK)
        return TRUE;
    ReleaseMembers();
    return FALSE;
}

BOOL C713xIOCapture::CardExtension1(ULONG_PTR value)
{
    if (!EnsureTransport())
        return FALSE;
    if (FAILED(m_pRegisterAccess->Command10(static_cast<DWORD>(value))))
    {
        ReleaseMembers();
        return FALSE;
    }
    return TRUE;
}

BOOL C713xIOCapture::CardExtension2(ULONG_PTR callback)
{
    if (!EnsureTransport())
        return FALSE;
    m_pfnCallback = reinterpret_cast<EventCallback>(callback);
    if (m_hEvent != NULL)
        CloseHandle(m_hEvent);
    m_hEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (m_hEvent == NULL ||
        FAILED(m_pRegisterAccess->Command7(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(m_hEvent)))))
    {
        ReleaseMembers();
        return FALSE;
    }
    m_pAuxWorker = NULL;
    return TRUE;
}

BOOL C713xIOCapture::CardExtension3(ULONG_PTR value)
{
    if (!EnsureTransport())
        return FALSE;
    delete m_pAuxWorker;
    m_pAuxWorker = NULL;
    if (FAILED(m_pRegisterAccess->Command8(static_cast<DWORD>(value))))
    {
        ReleaseMembers();
        return FALSE;
    }
    CEventWorker* pWorker = new (std::nothrow) CEventWorker(this);
    if (pWorker == NULL)
        return FALSE;
    m_pAuxWorker = pWorker;
    pWorker->Resume();
    return TRUE;
}

BOOL C713xIOCapture::DeleteAuxObject()
{
    delete m_pAuxWorker;
    m_pAuxWorker = NULL;
    if (m_pRegisterAccess == NULL)
        return FALSE;
    if (FAILED(m_pRegisterAccess->Command9()))
    {
        ReleaseMembers();
        return FALSE;
    }
    return TRUE;
}

BOOL C713xPIPCapture::Initfilter()
{
    ClearOpenMembers();
    m_strTunerFilterName = m_pszTuner;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(TRUE);
}

BOOL C713xPIPCapture::McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    DWORD audio = word & AUDIO_LINES;
    if (FAILED(m_pRegisterAccess->WriteGpio(audio | REST_LINES, 0xF600)))
        return FALSE;
    if (FAILED(m_pRegisterAccess->WriteGpioDelayed((value & ~static_cast<DWORD>(AUDIO_LINES)) | audio,
                                                   mask | AUDIO_LINES, dwDelayMs)))
        return FALSE;
    return SUCCEEDED(m_pRegisterAccess->WriteGpio(audio | REST_LINES, 0xF600));
}
