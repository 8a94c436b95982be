#include "platform/sim/cardfilter/SimGo7007Driver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <vector>

// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
const IID SIMIID_Go7007Bus = { 0x6420803D, 0xD8BA, 0x43D2, { 0xBD, 0x4A, 0x10, 0x9B, 0xA1, 0x6C, 0x2E, 0x32 } };

namespace
{
const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum { COMMAND_WRITE_BYTE = 2 };

std::vector<BYTE> SubAddress(DWORD width, DWORD sub)
{
    if (width == 16)
        return { static_cast<BYTE>(sub >> 8), static_cast<BYTE>(sub) };
    return { static_cast<BYTE>(sub) };
}
}

CSimGo7007Bus::CSimGo7007Bus(IUnknown* pOwner, CSimTVCard* pCard)
    : m_pOwner(pOwner), m_pCard(pCard)
{
}

STDMETHODIMP CSimGo7007Bus::QueryInterface(REFIID riid, void** ppv) { return m_pOwner->QueryInterface(riid, ppv); }
STDMETHODIMP_(ULONG) CSimGo7007Bus::AddRef() { return m_pOwner->AddRef(); }
STDMETHODIMP_(ULONG) CSimGo7007Bus::Release() { return m_pOwner->Release(); }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved3() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved4() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved5() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved6() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved10() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved11() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved12() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved13() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved14() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::WriteSub(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD)
{
    if (width != 8 && width != 16)
        return HR_BAD_REQUEST;
    std::vector<BYTE> bytes = SubAddress(width, sub);
    bytes.push_back(static_cast<BYTE>(value));
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(static_cast<BYTE>(device) & 0xFE, bytes.data(), static_cast<int>(bytes.size()))
               ? S_OK
               : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::ReadSub(DWORD device, DWORD width, DWORD sub, BYTE* pBuffer, DWORD)
{
    if (pBuffer == nullptr || (width != 8 && width != 16))
        return HR_BAD_REQUEST;
    CSimLock lock(m_pCard->Lock());
    CSimChipBus& bus = m_pCard->Bus();
    BYTE address = static_cast<BYTE>(device);
    // A read address asks the chip for its byte without a sub-address.
    if (!(address & 1))
    {
        std::vector<BYTE> bytes = SubAddress(width, sub);
        if (!bus.I2CWrite(address, bytes.data(), static_cast<int>(bytes.size())))
            return HR_NO_DEVICE;
    }
    return bus.I2CRead(address | 1, pBuffer, 1) ? S_OK : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::WriteBlock(DWORD device, DWORD, DWORD, DWORD count, const BYTE* pBytes,
                                                    DWORD)
{
    if ((pBytes == nullptr && count > 0) || count > 256)
        return HR_BAD_REQUEST;
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(static_cast<BYTE>(device) & 0xFE, pBytes, static_cast<int>(count)) ? S_OK
                                                                                                    : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::SendCommand(DWORD kind, const BYTE* pBlock, DWORD count, DWORD* pArgument,
                                                     DWORD)
{
    if (pBlock == nullptr || pArgument == nullptr || count != 1 || kind != COMMAND_WRITE_BYTE)
        return HR_BAD_REQUEST;
    BYTE bytes[2] = { pBlock[1], static_cast<BYTE>(*pArgument) };
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(pBlock[0] & 0xFE, bytes, 2) ? S_OK : HR_NO_DEVICE;
}
