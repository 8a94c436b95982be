#include "hardware/bus/KsRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"
#include "platform/dshow/ComPtr.h"
#include "platform/ks/KsDeviceIo.h"

#include <strmif.h>
#include <ks.h>
// IKsObject is declared only for filter code.
#ifndef __STREAMS__
#define __STREAMS__
#endif
#include <ksproxy.h>
#include <string.h>

namespace
{
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID PROPSETID_KsCardControl =
    { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

// Field offsets of a request, from its start.
enum
{
    OFS_SET = 0,
    OFS_ID = 16,
    OFS_FLAGS = 20,
    OFS_COMMAND = 24,
    OFS_STATUS = 28,
    OFS_SETTING = 36,
    OFS_READ_COUNT = 40,
    OFS_WRITE_COUNT = 48,
    OFS_BYTE = 50,
    OFS_WRITE_WORDS = 52,
    OFS_BLOCK = 72,
};

enum { FLAG_SET = 2, FLAG_GET = 1 };

void PutDword(BYTE* p, int offset, DWORD value) { memcpy(p + offset, &value, sizeof(value)); }

DWORD GetDword(const BYTE* p, int offset)
{
    DWORD value;
    memcpy(&value, p + offset, sizeof(value));
    return value;
}
}

CKsRegisterAccess::CKsRegisterAccess()
    : m_hDevice(NULL)
{
    InitializeCriticalSection(&m_csSecond);
}

CKsRegisterAccess::~CKsRegisterAccess()
{
    DeleteCriticalSection(&m_csSecond);
}

HRESULT CKsRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR owner)
{
    if (pFilter == NULL || owner == 0)
        return E_POINTER;
    CScopedLock lock(&m_cs);
    m_hDevice = NULL;
    ComPtr<IKsObject> pObject;
    if (SUCCEEDED(pFilter->QueryInterface(__uuidof(IKsObject), reinterpret_cast<void**>(&pObject))) &&
        pObject != NULL)
        m_hDevice = pObject->KsGetObjectHandle();
    // Without a handle every later request fails; the open itself goes on.
    return S_OK;
}

HRESULT CKsRegisterAccess::SendRequest(BYTE* pRequest, ULONG length, ULONG id, ULONG command)
{
    if (m_hDevice == NULL)
        return E_FAIL;
    memcpy(pRequest + OFS_SET, &PROPSETID_KsCardControl, sizeof(GUID));
    PutDword(pRequest, OFS_ID, id);
    PutDword(pRequest, OFS_FLAGS, FLAG_SET);
    PutDword(pRequest, OFS_COMMAND, command);
    ULONG cbReturned = 0;
    HRESULT hr = KsDeviceIoControl(m_hDevice, IOCTL_KS_PROPERTY_CODE, pRequest, length,
                                   pRequest, length, &cbReturned);
    if (FAILED(hr))
        return hr;
    memcpy(pRequest + OFS_SET, &PROPSETID_KsCardControl, sizeof(GUID));
    PutDword(pRequest, OFS_ID, id);
    PutDword(pRequest, OFS_FLAGS, FLAG_GET);
    hr = KsDeviceIoControl(m_hDevice, IOCTL_KS_PROPERTY_CODE, pRequest, length,
                           pRequest, length, &cbReturned);
    if (FAILED(hr))
        return hr;
    return S_OK;
}

HRESULT CKsRegisterAccess::SendShort(ULONG command, BYTE* pRequest)
{
    return SendRequest(pRequest, SHORT_REQUEST_SIZE, SHORT_REQUEST_ID, command);
}

HRESULT CKsRegisterAccess::SendLong(ULONG command, BYTE* pRequest)
{
    return SendRequest(pRequest, LONG_REQUEST_SIZE, LONG_REQUEST_ID, command);
}

HRESULT CKsRegisterAccess::BusStart()
{
    BYTE request[SHORT_REQUEST_SIZE] = {};
    return SendShort(CMD_I2C_START, request);
}

HRESULT CKsRegisterAccess::BusStop()
{
    BYTE request[SHORT_REQUEST_SIZE] = {};
    return SendShort(CMD_I2C_STOP, request);
}

HRESULT CKsRegisterAccess::BusWrite(BYTE value)
{
    BYTE request[SHORT_REQUEST_SIZE] = {};
    request[OFS_BYTE] = value;
    return SendShort(CMD_I2C_WRITE, request);
}

HRESULT CKsRegisterAccess::BusRead(BYTE* pValue)
{
    BYTE request[SHORT_REQUEST_SIZE] = {};
    HRESULT hr = SendShort(CMD_I2C_READ, request);
    if (SUCCEEDED(hr))
        *pValue = request[OFS_BYTE];
    return hr;
}

HRESULT CKsRegisterAccess::BusSelectRegister(BYTE device, LONG subAddress)
{
    HRESULT hr = BusStart();
    if (SUCCEEDED(hr))
        hr = BusWrite(device & 0xFE);
    if (SUCCEEDED(hr))
        hr = BusWrite(static_cast<BYTE>(subAddress));
    return hr;
}

HRESULT CKsRegisterAccess::Command1(BYTE value)
{
    if (value != 0)
    {
        CScopedLock lock(&m_cs);
        BYTE request[SHORT_REQUEST_SIZE] = {};
        request[OFS_BYTE] = 0;
        SendShort(CMD_ENABLE, request);
    }
    return S_OK;
}

HRESULT CKsRegisterAccess::Command3(BYTE)
{
    CScopedLock lock(&m_cs);
    BYTE request[LONG_REQUEST_SIZE] = {};
    SendLong(CMD_COMMAND3, request);
    return S_OK;
}

// Each transaction holds the lock from start to stop: the UI, the key poller
// and the scan workers share one object, and one transfer is many requests.
// A failed step still ends with a stop, so the bus is left idle.
HRESULT CKsRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    CScopedLock lock(&m_cs);
    HRESULT hr = BusSelectRegister(device, subAddress);
    if (SUCCEEDED(hr))
        hr = BusStart();
    if (SUCCEEDED(hr))
        hr = BusWrite(device | 0x01);
    if (SUCCEEDED(hr))
        hr = BusRead(pValue);
    BusStop();
    return hr;
}

HRESULT CKsRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    if (subAddress < 0)
        return E_INVALIDARG;
    CScopedLock lock(&m_cs);
    HRESULT hr = BusSelectRegister(device, subAddress);
    if (SUCCEEDED(hr))
        hr = BusWrite(value);
    BusStop();
    return hr;
}

HRESULT CKsRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 1)
        return E_INVALIDARG;
    CScopedLock lock(&m_cs);
    DWORD dwStart = BusTickCount();
    HRESULT hr = BusStart();
    if (SUCCEEDED(hr))
        hr = BusWrite(pBuffer[0] | 0x01);
    for (LONG i = 0; SUCCEEDED(hr) && i < length; ++i)
    {
        hr = BusRead(&pBuffer[i]);
        if (SUCCEEDED(hr))
        {
            BYTE request[SHORT_REQUEST_SIZE] = {};
            SendShort(CMD_I2C_READ_DONE, request);
        }
    }
    BusStop();
    if (FAILED(hr))
        return hr;
    DWORD dwElapsed = BusTickCount() - dwStart;
    if (static_cast<ULONGLONG>(dwElapsed) > static_cast<ULONGLONG>(length) * READ_MS_PER_BYTE)
        return E_FAIL;
    return S_OK;
}

HRESULT CKsRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    CScopedLock lock(&m_cs);
    HRESULT hr = BusStart();
    // Tuner models with an odd write address rely on the transport to make it
    // a write address.
    if (SUCCEEDED(hr))
        hr = BusWrite(pBuffer[0] & 0xFE);
    for (LONG i = 1; SUCCEEDED(hr) && i < length; ++i)
        hr = BusWrite(pBuffer[i]);
    BusStop();
    return FAILED(hr) ? hr : S_OK;
}

HRESULT CKsRegisterAccess::QuerySetting(DWORD* pSetting)
{
    BYTE request[LONG_REQUEST_SIZE] = {};
    HRESULT hr = SendLong(CMD_QUERY_SETTING, request);
    if (SUCCEEDED(hr))
        *pSetting = GetDword(request, OFS_STATUS);
    return hr;
}

HRESULT CKsRegisterAccess::SelectSetting(DWORD setting)
{
    BYTE request[LONG_REQUEST_SIZE] = {};
    PutDword(request, OFS_SETTING, setting);
    return SendLong(CMD_SELECT_SETTING, request);
}

HRESULT CKsRegisterAccess::ReadGpio(DWORD* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    CScopedLock lock(&m_cs);
    DWORD saved = 0;
    QuerySetting(&saved);
    SelectSetting(0);
    BYTE request[LONG_REQUEST_SIZE] = {};
    PutDword(request, OFS_READ_COUNT, 1);
    HRESULT hr = SendLong(CMD_GPIO_READ, request);
    if (SUCCEEDED(hr))
        *pValue = GetDword(request, OFS_BLOCK);
    SelectSetting(saved);
    return hr;
}

HRESULT CKsRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    DWORD saved = 0;
    QuerySetting(&saved);
    SelectSetting(0);
    BYTE request[LONG_REQUEST_SIZE] = {};
    PutDword(request, OFS_WRITE_COUNT, 1);
    PutDword(request, OFS_WRITE_WORDS, 1);
    PutDword(request, OFS_BLOCK, value);
    PutDword(request, OFS_BLOCK + 4, mask);
    HRESULT hr = SendLong(CMD_GPIO_WRITE, request);
    SelectSetting(saved);
    return hr;
}
