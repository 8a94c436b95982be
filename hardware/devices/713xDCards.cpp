#include "hardware/devices/713xDCards.h"

#include "hardware/bus/713xBdaRegisterAccess.h"
#include "hardware/bus/BusClock.h"
#include "hardware/devices/713xDRegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <string.h>

#include <new>

namespace
{
// The tuner codes of the BDA cards' EEPROM and the tuner types they stand for.
const struct
{
    int nCode;
    int nType;
} kBdaTunerCodes[] = {
    { 4, 111 },
    { 33, 95 },
    { 35, 5 },
    { 135, 65 },
};
}

BOOL C713xDFamilyCapture::Initfilter()
{
    ClearOpenMembers();
    m_strDeviceName = "PhTVTune";
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(TRUE);
}

BOOL C713xDCapture::ReadRemoteKey(BYTE*)
{
    return FALSE;
}

HRESULT C713xDCapture::CreateRegisterAccess()
{
    return AttachFilterTransport(new (std::nothrow) C713xDRegisterAccess(), CARD_KIND_713X_D);
}

BOOL C713xDCapture::McuSendWord(DWORD)
{
    return FALSE;
}

BOOL C713xDCapture::McuReadWord(WORD*)
{
    return FALSE;
}

BOOL C713xDCapture::McuHandshake(DWORD)
{
    return FALSE;
}

BOOL C713xDCapture::ReadCardInfoString(char* pszBuffer, int cchBuffer, int* pnLength)
{
    if (m_pRegisterAccess == NULL || pszBuffer == NULL || cchBuffer < 1)
        return FALSE;
    BYTE count = 0;
    if (m_pRegisterAccess->ReadByte(INFO_DEVICE, INFO_COUNT_REG, &count) != S_OK || count == 0)
        return FALSE;
    // The count comes from the chip; the buffer's size is the caller's.
    int length = count < cchBuffer ? count : cchBuffer - 1;
    for (int i = 0; i < length; ++i)
    {
        BYTE value = 0;
        if (m_pRegisterAccess->ReadByte(INFO_DEVICE, INFO_TEXT_REG + i, &value) != S_OK)
            return FALSE;
        pszBuffer[i] = static_cast<char>(value + '0');
    }
    pszBuffer[length] = '\0';
    if (pnLength != NULL)
        *pnLength = length;
    return TRUE;
}

BOOL C713x4Capture::SetTunerMode(LONG)
{
    return FALSE;
}

HRESULT C713x4Capture::CreateRegisterAccess()
{
    return AttachFilterTransport(new (std::nothrow) CKsPropRegisterAccess(), CARD_KIND_713X_4);
}

BOOL C713xBdaCapture::Initfilter()
{
    ClearOpenMembers();
    m_byTunerLetterOffset = TUNER_LETTER_OFFSET;
    m_byTunerTypeOffset = TUNER_CODE_OFFSET;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return OpenUnderLock(FALSE);
}

HRESULT C713xBdaCapture::CreateRegisterAccess()
{
    m_nCardKind = CARD_KIND_713X_BDA;
    C713xBdaRegisterAccess* pAccess = new (std::nothrow) C713xBdaRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
}

int C713xBdaCapture::DetectTunerType()
{
    return DetectTunerTypeAsRead();
}

int C713xBdaCapture::TunerTypeOfCode(int nCode)
{
    for (const auto& row : kBdaTunerCodes)
    {
        if (row.nCode == nCode)
            return row.nType;
    }
    return 0;
}

HRESULT C713xBdaCapture::ReadTunerCode(int* pcLetter, int* pnType)
{
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    BYTE value = 0;
    if (SUCCEEDED(EepromReadByte(m_byTunerLetterOffset, &value)) && pcLetter != NULL)
        *pcLetter = value != 0 && strchr("AEGLPTX", value) != NULL ? value : 'N';
    BYTE low = 0;
    BYTE high = 0;
    EepromReadByte(m_byTunerTypeOffset, &low);
    HRESULT hr = EepromReadByte(static_cast<BYTE>(m_byTunerTypeOffset + 1), &high);
    if (FAILED(hr))
        return hr;
    int type = TunerTypeOfCode(high * 256 + low);
    if (pnType != NULL)
        *pnType = type;
    return type != 0 ? S_OK : E_FAIL;
}

HRESULT C713xBdaCapture::ReadReady(BOOL* pbReady)
{
    DWORD ready = 0;
    HRESULT hr = m_pRegisterAccess->Reserved21(reinterpret_cast<ULONG_PTR>(&ready));
    *pbReady = ready != 0;
    return hr;
}

BOOL C713xBdaCapture::WaitGpioReady(BOOL bLevel, BOOL bPad)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    int nReads = 0;
    for (;;)
    {
        BOOL bReady = FALSE;
        if (FAILED(ReadReady(&bReady)))
            return FALSE;
        ++nReads;
        if (bReady == (bLevel != FALSE))
            break;
        if (nReads >= READY_POLLS)
            return FALSE;
        BusSleep(1);
    }
    if (bPad)
        BusSleep(READY_POLLS - nReads);
    return TRUE;
}

BOOL C713xBdaCapture::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    m_pRegisterAccess->Reserved22(KEY_COMMAND);
    BOOL bReady = TRUE;
    if (FAILED(ReadReady(&bReady)) || bReady)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
        return FALSE;
    *pKey = static_cast<BYTE>(word & 0xFF);
    return TRUE;
}

HRESULT C713xBdaCapture::ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || nStart < 0 || nStart + *pnCount > 256)
        return E_INVALIDARG;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    return ReadEepromBytes(pBuffer, nStart, pnCount, EEPROM_BYTE_PAUSE_MS);
}
