#include "hardware/bus/QM57RegisterAccess.h"

#include "hardware/bus/ScopedLock.h"
#include "platform/ks/DeviceIo.h"

#include <string.h>

#include <vector>

// {4F397D29-7F2F-42A9-AB90-1791384014C4}
const GUID GUID_QM57DeviceInterface = {
    0x4F397D29, 0x7F2F, 0x42A9, { 0xAB, 0x90, 0x17, 0x91, 0x38, 0x40, 0x14, 0xC4 }
};

#ifndef _WIN64
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 28, "interface data as the driver's callers size it");
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "detail as the driver's callers size it");
#endif

CQM57RegisterAccess::CQM57RegisterAccess() : m_hDevice(INVALID_HANDLE_VALUE), m_index(0)
{
}

CQM57RegisterAccess::~CQM57RegisterAccess()
{
    Close();
}

void CQM57RegisterAccess::Close()
{
    if (m_hDevice != INVALID_HANDLE_VALUE)
    {
        DevIoCloseHandle(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
}

void CQM57RegisterAccess::Open()
{
    HDEVINFO hSet = DevIoGetClassDevs(&GUID_QM57DeviceInterface, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (hSet == INVALID_HANDLE_VALUE)
        return;
    SP_DEVICE_INTERFACE_DATA data;
    memset(&data, 0, sizeof(data));
    data.cbSize = sizeof(data);
    DWORD cbDetail = 0;
    if (DevIoEnumDeviceInterfaces(hSet, NULL, &GUID_QM57DeviceInterface, m_index >> 1, &data) &&
        !DevIoGetDeviceInterfaceDetail(hSet, &data, NULL, 0, &cbDetail, NULL) &&
        GetLastError() == ERROR_INSUFFICIENT_BUFFER && cbDetail >= sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
    {
        std::vector<BYTE> buffer(cbDetail);
        auto pDetail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
        pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (DevIoGetDeviceInterfaceDetail(hSet, &data, pDetail, cbDetail, NULL, NULL))
            m_hDevice =
                DevIoCreateFile(pDetail->DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    }
    DevIoDestroyDeviceInfoList(hSet);
}

HRESULT CQM57RegisterAccess::Attach(IUnknown*, ULONG_PTR index)
{
    CScopedLock lock(&m_cs);
    Close();
    if (index <= MAX_INDEX)
        m_index = static_cast<DWORD>(index);
    Open();
    // A device that is not there is a failure, not a count of one.
    return IsOpen() ? S_OK : E_FAIL;
}

HRESULT CQM57RegisterAccess::Request(DWORD code, void* pIn, DWORD cbIn, void* pOut, DWORD cbOut)
{
    DWORD cbReturned = 0;
    if (DevIoControl(m_hDevice, code, pIn, cbIn, pOut, cbOut, &cbReturned, NULL))
        return S_OK;
    // The error is a positive number: as it is, callers would read it as success.
    DWORD error = GetLastError();
    return HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE);
}

HRESULT CQM57RegisterAccess::ReadValue(const BYTE* pHeader, int cbHeader, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    BYTE request[READ_REQUEST];
    memset(request, 0, sizeof(request));
    memcpy(request, pHeader, cbHeader);
    BYTE reply[2] = { 0, 0 };
    HRESULT hr = Request(IOCTL_READ, request, sizeof(request), reply, sizeof(reply));
    if (SUCCEEDED(hr))
        *pValue = reply[1];
    return hr;
}

HRESULT CQM57RegisterAccess::WriteBytes(const BYTE* pHeader, int cbHeader)
{
    BYTE request[WRITE_REQUEST];
    memset(request, 0, sizeof(request));
    memcpy(request, pHeader, cbHeader);
    return Request(IOCTL_WRITE, request, sizeof(request), NULL, 0);
}

HRESULT CQM57RegisterAccess::Command1(BYTE)
{
    return S_OK;
}

HRESULT CQM57RegisterAccess::Command3(BYTE)
{
    return S_FALSE;
}

HRESULT CQM57RegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    const BYTE header[4] = { device, 1, 1, static_cast<BYTE>(subAddress) };
    return ReadValue(header, sizeof(header), pValue);
}

HRESULT CQM57RegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    const BYTE header[4] = { device, 2, static_cast<BYTE>(subAddress), value };
    return WriteBytes(header, sizeof(header));
}

HRESULT CQM57RegisterAccess::ReadByte16(BYTE device, WORD subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    const BYTE header[5] = { device, 2, 2, 0, static_cast<BYTE>(subAddress) };
    return ReadValue(header, sizeof(header), pValue);
}

HRESULT CQM57RegisterAccess::WriteByte16(BYTE device, WORD subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    const BYTE header[5] = { device, 3, 0, static_cast<BYTE>(subAddress), value };
    return WriteBytes(header, sizeof(header));
}

HRESULT CQM57RegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 1 || length > 255)
        return E_INVALIDARG;
    BYTE request[READ_REQUEST];
    memset(request, 0, sizeof(request));
    request[0] = TunerWriteAddress() | 1;
    request[1] = 1;
    request[2] = static_cast<BYTE>(length);
    return Request(IOCTL_READ, request, sizeof(request), pBuffer, static_cast<DWORD>(length));
}

HRESULT CQM57RegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (pBuffer == NULL)
        return E_POINTER;
    // The request holds 250 bytes behind its address and count.
    if (length < 1 || length > MAX_BLOCK)
        return E_INVALIDARG;
    BYTE request[WRITE_REQUEST];
    memset(request, 0, sizeof(request));
    request[0] = TunerWriteAddress();
    request[1] = static_cast<BYTE>(length);
    memcpy(request + 2, pBuffer, length);
    return Request(IOCTL_WRITE, request, sizeof(request), NULL, 0);
}

HRESULT CQM57RegisterAccess::ReadGpio(DWORD*)
{
    // The driver has no GPIO read; success would hand back no value.
    return E_NOTIMPL;
}

HRESULT CQM57RegisterAccess::WriteGpio(DWORD value, DWORD)
{
    BYTE request[2] = { GpioPort(), static_cast<BYTE>(value) };
    return Request(IOCTL_GPIO, request, sizeof(request), NULL, 0);
}

HRESULT CQM57RegisterAccess::SetGpioLine(LONG on)
{
    return SUCCEEDED(WriteGpio(on != 0 ? 1 : 0, 0)) ? 1 : 0;
}
