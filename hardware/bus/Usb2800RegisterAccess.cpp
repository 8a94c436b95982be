#include "hardware/bus/Usb2800RegisterAccess.h"

#include "hardware/bus/ScopedLock.h"

#include <vector>

CUsb2800RegisterAccess::CUsb2800RegisterAccess()
{
}

CUsb2800RegisterAccess::~CUsb2800RegisterAccess()
{
    m_bridge.Close();
}

HRESULT CUsb2800RegisterAccess::Result(HRESULT hr)
{
    if (hr == S_OK || FAILED(hr))
        return hr;
    // The bridge's positive codes would read as success to every caller.
    return E_FAIL;
}

void CUsb2800RegisterAccess::OpenBridge()
{
    if (!m_bridge.IsOpen() && !m_name.empty())
        m_bridge.Open(m_name.c_str());
}

HRESULT CUsb2800RegisterAccess::Attach(IUnknown*, ULONG_PTR context)
{
    CScopedLock lock(&m_cs);
    LPCSTR pszName = reinterpret_cast<LPCSTR>(context);
    m_name = pszName != NULL ? pszName : "";
    if (m_name.empty())
        return E_FAIL;
    OpenBridge();
    return S_OK;
}

HRESULT CUsb2800RegisterAccess::Command1(BYTE value)
{
    CScopedLock lock(&m_cs);
    if (value != 0)
        OpenBridge();
    else
        m_bridge.Close();
    return S_OK;
}

HRESULT CUsb2800RegisterAccess::Command3(BYTE value)
{
    return Command1(value);
}

HRESULT CUsb2800RegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    BYTE value = 0;
    HRESULT hr = Result(m_bridge.ReadI2CSub(device, static_cast<BYTE>(subAddress), 1, &value));
    if (hr == S_OK)
        *pValue = value;
    return hr;
}

HRESULT CUsb2800RegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    return Result(m_bridge.WriteI2CSub(device, static_cast<BYTE>(subAddress), 1, &value));
}

HRESULT CUsb2800RegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    if (pBuffer == NULL || length < 1 || length > 255)
        return E_INVALIDARG;
    // The driver hands back one byte per 32-bit word.
    std::vector<BYTE> work(4 * length, 0);
    HRESULT hr = Result(m_bridge.ReadI2C(pBuffer[0], static_cast<BYTE>(length), &work[0]));
    if (hr == S_OK)
    {
        for (LONG i = 0; i < length; ++i)
            pBuffer[i] = work[4 * i];
    }
    return hr;
}

HRESULT CUsb2800RegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    if (pBuffer == NULL || length < 2 || length > 256)
        return E_INVALIDARG;
    return Result(m_bridge.WriteI2C(pBuffer[0], static_cast<BYTE>(length - 1), pBuffer + 1));
}

HRESULT CUsb2800RegisterAccess::ReadGpio(DWORD* pValue)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    BYTE value = 0;
    HRESULT hr = Result(m_bridge.ReadGpio(&value));
    if (hr == S_OK)
        *pValue = value;
    return hr;
}

HRESULT CUsb2800RegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    if (!m_bridge.IsOpen())
        return E_FAIL;
    BYTE lines = static_cast<BYTE>(mask);
    BYTE byte = static_cast<BYTE>(value);
    // Callers that compute the whole byte pass mask 0.
    if (lines != 0)
    {
        BYTE current = 0;
        HRESULT hr = Result(m_bridge.ReadRegisters(USB2800_REG_GPIO, 1, &current));
        if (hr != S_OK)
            return hr;
        byte = static_cast<BYTE>((current & ~lines) | (byte & lines));
    }
    return Result(m_bridge.WriteGpio(&byte));
}

int CUsb2800RegisterAccess::ProbeI2CAddresses(BYTE* pList, int highest, BYTE mask)
{
    CScopedLock lock(&m_cs);
    if (pList == NULL)
        return 0;
    if (highest > 254)
        highest = 254;
    int count = 0;
    for (int address = 0; address <= highest; ++address)
    {
        BYTE buffer[1] = { static_cast<BYTE>(address) };
        if (I2CRead(buffer, 1) == S_OK && (buffer[0] & mask) != 0)
            pList[count++] = static_cast<BYTE>(address);
    }
    return count;
}
