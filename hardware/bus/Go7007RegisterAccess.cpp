#include "hardware/bus/Go7007RegisterAccess.h"

#include "hardware/bus/ScopedLock.h"

// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
const IID IID_IGo7007Bus = { 0x6420803D, 0xD8BA, 0x43D2, { 0xBD, 0x4A, 0x10, 0x9B, 0xA1, 0x6C, 0x2E, 0x32 } };

CGo7007RegisterAccess::CGo7007RegisterAccess() : m_pBus(NULL)
{
}

CGo7007RegisterAccess::~CGo7007RegisterAccess()
{
    if (m_pBus != NULL)
        m_pBus->Release();
}

HRESULT CGo7007RegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    CScopedLock lock(&m_cs);
    if (pFilter == NULL)
        return E_FAIL;
    IGo7007Bus* pBus = NULL;
    if (FAILED(pFilter->QueryInterface(IID_IGo7007Bus, reinterpret_cast<void**>(&pBus))) || pBus == NULL)
        return E_FAIL;
    if (m_pBus != NULL)
        m_pBus->Release();
    m_pBus = pBus;
    return S_OK;
}

HRESULT CGo7007RegisterAccess::Command1(BYTE)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::Command3(BYTE)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::ReadGpio(DWORD*)
{
    // Success here would leave the caller reading a value nobody wrote.
    return E_NOTIMPL;
}

HRESULT CGo7007RegisterAccess::WriteGpio(DWORD, DWORD)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL || pValue == NULL)
        return E_FAIL;
    DWORD sub = static_cast<DWORD>(subAddress);
    return m_pBus->ReadSub(device, SubAddressWidth(sub), sub, pValue, FLAGS);
}

HRESULT CGo7007RegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL)
        return E_FAIL;
    DWORD sub = static_cast<DWORD>(subAddress);
    return m_pBus->WriteSub(device, SubAddressWidth(sub), sub, value, FLAGS);
}

HRESULT CGo7007RegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL || pBuffer == NULL || length <= 0)
        return E_FAIL;
    return m_pBus->ReadSub(pBuffer[0], 8, 0, pBuffer, FLAGS);
}

HRESULT CGo7007RegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL || pBuffer == NULL || length <= 0)
        return E_FAIL;
    return m_pBus->WriteBlock(pBuffer[0], 0, 0, static_cast<DWORD>(length - 1), pBuffer + 1, FLAGS);
}

HRESULT CGo7007RegisterAccess::ReadDirect(DWORD device, DWORD width, DWORD subAddress, BYTE* pBuffer, DWORD flags)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL || pBuffer == NULL)
        return E_FAIL;
    return m_pBus->ReadSub(device, width, subAddress, pBuffer, flags);
}

HRESULT CGo7007RegisterAccess::SendBlock(DWORD a, DWORD, DWORD c, DWORD d, DWORD e)
{
    CScopedLock lock(&m_cs);
    if (m_pBus == NULL)
        return E_FAIL;
    BYTE block[3] = { static_cast<BYTE>(a), static_cast<BYTE>(c), 0 };
    return m_pBus->SendCommand(COMMAND_KIND, block, 1, &d, e);
}

HRESULT CGo7007RegisterAccess::Reserved16(DWORD, DWORD)
{
    return E_FAIL;
}
HRESULT CGo7007RegisterAccess::ReadRegisterByte(DWORD, BYTE*)
{
    return E_FAIL;
}
HRESULT CGo7007RegisterAccess::ReadRegister(DWORD, DWORD*)
{
    return E_FAIL;
}
HRESULT CGo7007RegisterAccess::WriteRegister(DWORD, DWORD)
{
    return E_FAIL;
}
