#include "platform/sim/cardfilter/SimUsbBridge.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

#include <vector>

// {BE0AB5D2-3B9A-4E42-A05E-4A178B566C7C}
const IID SIMIID_Usb2800Bridge = { 0xBE0AB5D2, 0x3B9A, 0x4E42, { 0xA0, 0x5E, 0x4A, 0x17, 0x8B, 0x56, 0x6C, 0x7C } };

namespace {
const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    ID_REGISTER_HEADER = 0x1005,
    ID_REGISTER_DATA = 0x1006,
    ID_I2C_HEADER = 0x1007,
    ID_I2C_DATA = 0x1008,
    ID_SELECTOR = 0x100B,
    ID_SELECTED_VALUE = 0x1013,
    ID_SELECTED_READY = 0x1014,
    ID_PRESENT = 0x1019,
    I2C_WITH_SUB = 0x01000000,
    REG_GPIO = 8,
    REG_GPIO_IN = 9,
    REG_INDIRECT_LOW = 0x40,
    REG_INDIRECT_HIGH = 0x41,
    REG_INDIRECT_INDEX = 0x42,
    REG_INDIRECT_BUSY = 0x43,
    INDIRECT_READ = 0x80,
};

BYTE* Address(DWORD value)
{
    return reinterpret_cast<BYTE*>(static_cast<ULONG_PTR>(value));
}
}  // namespace

CSimUsbBridge::CSimUsbBridge(IUnknown* pOwner, CSimTVCard* pCard)
    : m_pOwner(pOwner), m_pCard(pCard), m_registerHeader(0), m_i2cHeader(0), m_selector(0)
{
    memset(m_indirect, 0, sizeof(m_indirect));
}

STDMETHODIMP CSimUsbBridge::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CSimUsbBridge::AddRef()
{
    return m_pOwner->AddRef();
}

STDMETHODIMP_(ULONG) CSimUsbBridge::Release()
{
    return m_pOwner->Release();
}

HRESULT STDMETHODCALLTYPE CSimUsbBridge::Reserved3()
{
    return E_NOTIMPL;
}

BYTE CSimUsbBridge::ReadBridgeRegister(BYTE reg)
{
    CSimChipBus& bus = m_pCard->Bus();
    if (reg == REG_GPIO_IN)
        return static_cast<BYTE>(bus.ReadGpio());
    return static_cast<BYTE>(bus.ReadRegister(reg));
}

void CSimUsbBridge::WriteBridgeRegister(BYTE reg, BYTE value)
{
    CSimChipBus& bus = m_pCard->Bus();
    bus.WriteRegister(reg, value);
    if (reg == REG_GPIO)
        bus.WriteGpio(value, 0xFF);
    else if (reg == REG_INDIRECT_INDEX)
    {
        BYTE index = value & 0x7F;
        if (value & INDIRECT_READ)
        {
            bus.WriteRegister(REG_INDIRECT_LOW, LOBYTE(m_indirect[index]));
            bus.WriteRegister(REG_INDIRECT_HIGH, HIBYTE(m_indirect[index]));
        }
        else
            m_indirect[index] = MAKEWORD(bus.ReadRegister(REG_INDIRECT_LOW), bus.ReadRegister(REG_INDIRECT_HIGH));
        // The transfer is done at once: the busy bit is never seen set.
        bus.WriteRegister(REG_INDIRECT_BUSY, 0);
    }
}

HRESULT STDMETHODCALLTYPE CSimUsbBridge::SetValue(DWORD id, DWORD value)
{
    CSimLock lock(m_pCard->Lock());
    CSimChipBus& bus = m_pCard->Bus();
    switch (id)
    {
    case ID_REGISTER_HEADER:
        m_registerHeader = value;
        return S_OK;
    case ID_I2C_HEADER:
        m_i2cHeader = value;
        return S_OK;
    case ID_SELECTOR:
        if (Address(value) == nullptr)
            return HR_BAD_REQUEST;
        memcpy(&m_selector, Address(value), 4);
        return S_OK;
    case ID_REGISTER_DATA:
    {
        const BYTE* p = Address(value);
        BYTE reg = static_cast<BYTE>(m_registerHeader >> 8);
        int count = m_registerHeader & 0xFF;
        if (p == nullptr || count == 0)
            return HR_BAD_REQUEST;
        for (int i = 0; i < count; ++i)
            WriteBridgeRegister(static_cast<BYTE>(reg + i), p[i]);
        return S_OK;
    }
    case ID_I2C_DATA:
    {
        const BYTE* p = Address(value);
        BYTE device = static_cast<BYTE>(m_i2cHeader >> 16);
        int count = m_i2cHeader & 0xFF;
        if (p == nullptr || count == 0)
            return HR_BAD_REQUEST;
        std::vector<BYTE> bytes;
        if (m_i2cHeader & I2C_WITH_SUB)
            bytes.push_back(static_cast<BYTE>(m_i2cHeader >> 8));
        bytes.insert(bytes.end(), p, p + count);
        return bus.I2CWrite(device & 0xFE, bytes.data(), static_cast<int>(bytes.size())) ? S_OK : HR_NO_DEVICE;
    }
    }
    return HR_BAD_REQUEST;
}

HRESULT STDMETHODCALLTYPE CSimUsbBridge::GetValue(DWORD id, DWORD* pValue)
{
    if (pValue == nullptr)
        return E_POINTER;
    CSimLock lock(m_pCard->Lock());
    CSimChipBus& bus = m_pCard->Bus();
    BYTE* p = reinterpret_cast<BYTE*>(pValue);
    switch (id)
    {
    case ID_REGISTER_DATA:
    {
        BYTE reg = static_cast<BYTE>(m_registerHeader >> 8);
        int count = m_registerHeader & 0xFF;
        for (int i = 0; i < count; ++i)
            p[i] = ReadBridgeRegister(static_cast<BYTE>(reg + i));
        return count > 0 ? S_OK : HR_BAD_REQUEST;
    }
    case ID_I2C_DATA:
    {
        BYTE device = static_cast<BYTE>(m_i2cHeader >> 16);
        int count = m_i2cHeader & 0xFF;
        if (count == 0)
            return HR_BAD_REQUEST;
        if (m_i2cHeader & I2C_WITH_SUB)
        {
            BYTE sub = static_cast<BYTE>(m_i2cHeader >> 8);
            return bus.I2CWrite(device & 0xFE, &sub, 1) && bus.I2CRead(device | 1, p, count) ? S_OK : HR_NO_DEVICE;
        }
        std::vector<BYTE> bytes(count);
        if (!bus.I2CRead(device | 1, bytes.data(), count))
            return HR_NO_DEVICE;
        for (int i = 0; i < count; ++i)
            memset(p + 4 * i, 0, 4), p[4 * i] = bytes[i];
        return S_OK;
    }
    case ID_SELECTED_READY:
        *pValue = 1;
        return S_OK;
    case ID_SELECTED_VALUE:
        *pValue = m_selector;
        return S_OK;
    case ID_PRESENT:
        *pValue = 1;
        return S_OK;
    }
    return HR_BAD_REQUEST;
}
