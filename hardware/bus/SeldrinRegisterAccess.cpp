#include "hardware/bus/SeldrinRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"

#include <string.h>

namespace {
// GPIO lines as the bridge reports them: the group of the line's read
// request and the line's bit in the byte read. Line 0 cannot be read.
const struct
{
    BYTE group;
    BYTE bit;
} kGpioReadBits[8] = { { 0, 0 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 3, 0 }, { 3, 1 }, { 3, 4 }, { 3, 5 } };
}  // namespace

CUsbRequestHelper::CUsbRequestHelper() : m_pPropertySet(NULL)
{
    InitializeCriticalSection(&m_cs);
}

CUsbRequestHelper::~CUsbRequestHelper()
{
    if (m_pPropertySet != NULL)
        m_pPropertySet->Release();
    DeleteCriticalSection(&m_cs);
}

HRESULT CUsbRequestHelper::Bind(IUnknown* pFilter)
{
    if (m_pPropertySet != NULL)
    {
        m_pPropertySet->Release();
        m_pPropertySet = NULL;
    }
    return pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pPropertySet));
}

HRESULT CUsbRequestHelper::SendRequest(UsbVendorRequest* pRequest)
{
    if (m_pPropertySet == NULL || pRequest == NULL || pRequest->length > USBREQ_MAX_REQUEST)
        return E_INVALIDARG;
    CScopedLock lock(&m_cs);
    return UsbSendRequest(m_pPropertySet, pRequest);
}

HRESULT CUsbRequestHelper::ReadSubByte(BYTE device, BYTE subAddress, BYTE* pValue)
{
    if (m_pPropertySet == NULL || pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C, MAKEWORD(device & 0xFE, subAddress), 0, 1), pValue);
}

HRESULT CUsbRequestHelper::ReadEepromByte(BYTE device, BYTE subAddress, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_EEPROM, device, subAddress, 1), pValue);
}

HRESULT CUsbRequestHelper::WriteEepromByte(BYTE device, BYTE subAddress, BYTE value)
{
    UsbVendorRequest request = UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_EEPROM, device, subAddress, 1, &value, 1);
    return SendRequest(&request);
}

HRESULT CUsbRequestHelper::ReceiveByte(BYTE device, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C_RECEIVE, device, 0, 1), pValue);
}

HRESULT CUsbRequestHelper::ReadGpioLine(BYTE line, BYTE* pLevel)
{
    if (line == 0 || line >= GPIO_LINES)
        return E_INVALIDARG;
    if (pLevel == NULL)
        return E_POINTER;
    BYTE value = 0;
    HRESULT hr = ReadFirstByte(
        UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_GPIO_LINE, MAKEWORD(0, kGpioReadBits[line].group), 0, 1), &value);
    if (SUCCEEDED(hr))
        *pLevel = (value >> kGpioReadBits[line].bit) & 1;
    return hr;
}

HRESULT CUsbRequestHelper::SendSetup(BYTE type, BYTE request, WORD value, WORD index, WORD length, const BYTE* pData,
                                     int cbData, BYTE* pIn, LONG* pcbIn)
{
    if (cbData < 0 || cbData > USBREQ_MAX_DATA)
        return E_INVALIDARG;
    UsbVendorRequest r = UsbMakeRequest(type, request, value, index, length, pData, cbData);
    HRESULT hr = SendRequest(&r);
    if (SUCCEEDED(hr) && pIn != NULL && pcbIn != NULL)
    {
        LONG count = r.length < *pcbIn ? r.length : *pcbIn;
        memcpy(pIn, r.bytes, count);
        *pcbIn = count;
    }
    return hr;
}

CSeldrinRegisterAccess::CSeldrinRegisterAccess() : m_byEepromFlag(0)
{
}

CSeldrinRegisterAccess::~CSeldrinRegisterAccess()
{
}

HRESULT CSeldrinRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    if (pFilter == NULL)
        return E_POINTER;
    HRESULT hr = m_helper.Bind(pFilter);
    if (FAILED(hr))
        return hr;
    m_byEepromFlag = ProbeEepromAccess();
    return hr;
}

BYTE CSeldrinRegisterAccess::ProbeEepromAccess()
{
    // The probe writes the EEPROM's first byte: without its old value in hand
    // nothing is written, as nothing could be put back.
    BYTE original = 0;
    if (FAILED(m_helper.ReadEepromByte(EEPROM_ADDRESS, 0, &original)))
        return 0;
    BYTE viaBlock = 0;
    BOOL bHaveBlock = SUCCEEDED(m_helper.ReadSubByte(EEPROM_ADDRESS, 0, &viaBlock));
    m_helper.WriteEepromByte(EEPROM_ADDRESS, 0, PROBE_VALUE);
    BusSleep(PROBE_PAUSE_MS);
    BYTE result = 0;
    BYTE value = 0;
    if (SUCCEEDED(m_helper.ReadEepromByte(EEPROM_ADDRESS, 1, &value)) && value == PROBE_VALUE &&
        SUCCEEDED(m_helper.ReadEepromByte(EEPROM_ADDRESS, 16, &value)) && value == PROBE_VALUE)
    {
        if (bHaveBlock)
            m_helper.BlockWrite(EEPROM_ADDRESS, 0, &viaBlock, 1);
        result = 1;
    }
    m_helper.WriteEepromByte(EEPROM_ADDRESS, 0, original);
    return result;
}

BOOL CSeldrinRegisterAccess::UsesEepromRequest(BYTE device) const
{
    // Only the EEPROM itself: the tuner and the demodulator share address
    // bits with it but not its request.
    return m_byEepromFlag == 0 && (device & 0xFE) == EEPROM_ADDRESS;
}

HRESULT CSeldrinRegisterAccess::Command1(BYTE)
{
    return S_OK;
}

HRESULT CSeldrinRegisterAccess::Command3(BYTE)
{
    return S_OK;
}

HRESULT CSeldrinRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    BYTE sub = static_cast<BYTE>(subAddress);
    if (UsesEepromRequest(device))
        return m_helper.ReadEepromByte(device, sub, pValue);
    return m_helper.ReadSubByte(device, sub, pValue);
}

HRESULT CSeldrinRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    BYTE sub = static_cast<BYTE>(subAddress);
    if (UsesEepromRequest(device))
        return m_helper.WriteEepromByte(device, sub, value);
    return m_helper.BlockWrite(device, sub, &value, 1);
}

HRESULT CSeldrinRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (pBuffer != NULL && (pBuffer[0] & 0xFE) == 0xC0)
        return m_helper.ReceiveByte(pBuffer[0], pBuffer);
    return m_helper.BlockRead(pBuffer, length);
}

HRESULT CSeldrinRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    return m_helper.PiecewiseWrite(pBuffer, length);
}

HRESULT CSeldrinRegisterAccess::ReadGpio(DWORD* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    DWORD value = 0;
    HRESULT hr = S_OK;
    for (BYTE line = 7; line >= 1; --line)
    {
        BYTE level = 0;
        hr = m_helper.ReadGpioLine(line, &level);
        if (SUCCEEDED(hr))
            value |= static_cast<DWORD>(level) << line;
    }
    if (SUCCEEDED(hr))
        *pValue = value;
    return hr;
}

HRESULT CSeldrinRegisterAccess::WriteGpio(DWORD level, DWORD line)
{
    return m_helper.WriteGpioLine(level, line);
}

HRESULT CSeldrinRegisterAccess::SetGpioLine(LONG on)
{
    return WriteGpio(on != 0 ? 1 : 0, 1);
}

HRESULT CSeldrinRegisterAccess::Reserved16(DWORD reg, DWORD value)
{
    CScopedLock lock(&m_cs);
    if (m_helper.RequestInterface() == NULL)
        return E_POINTER;
    return m_helper.WriteBridgeRegister(static_cast<BYTE>(reg), static_cast<BYTE>(value));
}

HRESULT CSeldrinRegisterAccess::ReadRegisterByte(DWORD reg, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (m_helper.RequestInterface() == NULL || pValue == NULL)
        return E_POINTER;
    return m_helper.ReadBridgeRegister(static_cast<BYTE>(reg), pValue);
}

HRESULT CSeldrinRegisterAccess::ReadRegister(DWORD, DWORD*)
{
    return E_FAIL;
}

HRESULT CSeldrinRegisterAccess::WriteRegister(DWORD, DWORD)
{
    return E_FAIL;
}
