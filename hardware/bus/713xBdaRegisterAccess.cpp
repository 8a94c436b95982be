#include "hardware/bus/713xBdaRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"
#include "hardware/bus/VendorPropertySet.h"

// {FBB1C466-BE03-470F-9A8F-A2AA0FA2C0EE}
const GUID PROPSETID_713xBdaI2C = { 0xFBB1C466, 0xBE03, 0x470F, { 0x9A, 0x8F, 0xA2, 0xAA, 0x0F, 0xA2, 0xC0, 0xEE } };
// {9490E589-6B17-44EC-9435-5E3587F9FBCE}
const GUID PROPSETID_713xBdaRegister = {
    0x9490E589, 0x6B17, 0x44EC, { 0x94, 0x35, 0x5E, 0x35, 0x87, 0xF9, 0xFB, 0xCE }
};

namespace {
// GPIO bit of data bit 0 to 7.
const BYTE kLaneBits[8] = { 9, 27, 25, 15, 11, 10, 13, 18 };

DWORD Address(const void* p)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(p));
}
}  // namespace

DWORD C713xBdaRegisterAccess::SpreadLanes(BYTE value)
{
    DWORD lanes = 0;
    for (int i = 0; i < 8; ++i)
    {
        if (value & (1 << i))
            lanes |= 1u << kLaneBits[i];
    }
    return lanes;
}

BYTE C713xBdaRegisterAccess::GatherLanes(DWORD levels)
{
    BYTE value = 0;
    for (int i = 0; i < 8; ++i)
    {
        if (levels & (1u << kLaneBits[i]))
            value |= static_cast<BYTE>(1 << i);
    }
    return value;
}

C713xBdaRegisterAccess::C713xBdaRegisterAccess()
{
}

C713xBdaRegisterAccess::~C713xBdaRegisterAccess()
{
    m_pPropertySet.Reset();
}

HRESULT C713xBdaRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    return AttachKsPropertySet(pFilter, &m_pPropertySet);
}

HRESULT C713xBdaRegisterAccess::I2CGet(BYTE device, const BYTE* pWrite, DWORD writeCount, BYTE* pRead, DWORD readCount)
{
    BdaI2CInstance instance = { device, Address(pWrite), writeCount, Address(pRead), readCount, 0 };
    BdaI2CData data = { 0, 0 };
    DWORD cbReturned = 0;
    return m_pPropertySet->Get(PROPSETID_713xBdaI2C, BDA_PROP_I2C, &instance, sizeof(instance), &data, sizeof(data),
                               &cbReturned);
}

HRESULT C713xBdaRegisterAccess::I2CSet(BYTE device, const BYTE* pFirst, DWORD firstCount, const BYTE* pMore,
                                       DWORD moreCount)
{
    BdaI2CInstance instance = { device, Address(pFirst), firstCount, 0, 1, 0 };
    BdaI2CData data = { Address(pMore), moreCount };
    return m_pPropertySet->Set(PROPSETID_713xBdaI2C, BDA_PROP_I2C, &instance, sizeof(instance), &data, sizeof(data));
}

HRESULT C713xBdaRegisterAccess::Command1(BYTE)
{
    return S_OK;
}

HRESULT C713xBdaRegisterAccess::Command3(BYTE)
{
    return S_OK;
}

HRESULT C713xBdaRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    HRESULT hr = CheckByteRead(m_pPropertySet.Get(), subAddress, pValue);
    if (FAILED(hr))
        return hr;
    BYTE sub = static_cast<BYTE>(subAddress);
    hr = I2CGet(device, &sub, 1, pValue, 1);
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT C713xBdaRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    return I2CSet(device, &sub, 1, &value, 1);
}

HRESULT C713xBdaRegisterAccess::I2CRead(BYTE* pBuffer, LONG)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    BYTE lead = pBuffer[0];
    return I2CGet(GATE_DEVICE, &lead, 1, pBuffer, 1);
}

HRESULT C713xBdaRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL || pBuffer == NULL)
        return E_FAIL;
    // The address byte is not sent: without a byte behind it there is nothing
    // to write, and a shorter length would make the count wrap.
    if (length < 2)
        return E_INVALIDARG;
    static const BYTE kLead = GATE_LEAD;
    return I2CSet(GATE_DEVICE, &kLead, 1, pBuffer + 1, static_cast<DWORD>(length - 1));
}

HRESULT C713xBdaRegisterAccess::ReadRegister(DWORD reg, DWORD* pValue)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    DWORD cbReturned = 0;
    return m_pPropertySet->Get(PROPSETID_713xBdaRegister, BDA_PROP_REGISTER, &reg, sizeof(reg), pValue, sizeof(*pValue),
                               &cbReturned);
}

HRESULT C713xBdaRegisterAccess::WriteRegister(DWORD reg, DWORD value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    return m_pPropertySet->Set(PROPSETID_713xBdaRegister, BDA_PROP_REGISTER, &reg, sizeof(reg), &value, sizeof(value));
}

HRESULT C713xBdaRegisterAccess::MakeInputs(DWORD lines)
{
    DWORD direction = 0;
    HRESULT hr = ReadRegister(REG_GPIO_DIRECTION, &direction);
    if (FAILED(hr))
        return hr;
    DWORD cleared = direction & ~(lines | GPIO_LATCH);
    // A change takes effect on a rising latch bit.
    if (direction & GPIO_LATCH)
    {
        hr = WriteRegister(REG_GPIO_DIRECTION, cleared);
        if (FAILED(hr))
            return hr;
    }
    return WriteRegister(REG_GPIO_DIRECTION, cleared | GPIO_LATCH);
}

HRESULT C713xBdaRegisterAccess::MakeOutputs(DWORD lines, DWORD* pLevels, DWORD* pDirection)
{
    DWORD direction = 0;
    HRESULT hr = ReadRegister(REG_GPIO_DIRECTION, &direction);
    if (SUCCEEDED(hr))
        hr = ReadRegister(REG_GPIO_LEVEL, pLevels);
    if (SUCCEEDED(hr))
        hr = WriteRegister(REG_GPIO_DIRECTION, direction | lines);
    if (pDirection != NULL)
        *pDirection = direction;
    return hr;
}

HRESULT C713xBdaRegisterAccess::ReadLevels(DWORD inputs, DWORD* pLevels)
{
    HRESULT hr = MakeInputs(inputs);
    if (FAILED(hr))
        return hr;
    return ReadRegister(REG_GPIO_LEVEL, pLevels);
}

HRESULT C713xBdaRegisterAccess::ReadGpio(DWORD* pValue)
{
    CScopedLock lock(&m_cs);
    if (pValue == NULL)
        return E_POINTER;
    DWORD levels = 0;
    HRESULT hr = ReadLevels(SpreadLanes(0xFF), &levels);
    if (SUCCEEDED(hr))
        *pValue = GatherLanes(levels);
    return hr;
}

HRESULT C713xBdaRegisterAccess::WriteGpio(DWORD value, DWORD)
{
    CScopedLock lock(&m_cs);
    const DWORD lanes = SpreadLanes(0xFF);
    DWORD spread = SpreadLanes(static_cast<BYTE>(value));
    DWORD direction = 0, levels = 0;
    HRESULT hr = MakeOutputs(lanes | GPIO_STROBE, &levels, &direction);
    if (SUCCEEDED(hr))
        hr = WriteRegister(REG_GPIO_LEVEL, (levels & ~(lanes | GPIO_STROBE)) | spread);
    if (FAILED(hr))
        return hr;
    BusSleep(STROBE_MS);
    hr = WriteRegister(REG_GPIO_DIRECTION, (direction & ~lanes) | GPIO_STROBE);
    if (SUCCEEDED(hr))
        hr = WriteRegister(REG_GPIO_LEVEL, (levels & ~lanes) | spread | GPIO_STROBE);
    return hr;
}

HRESULT C713xBdaRegisterAccess::Reserved21(ULONG_PTR result)
{
    CScopedLock lock(&m_cs);
    DWORD* pResult = reinterpret_cast<DWORD*>(result);
    if (pResult == NULL)
        return E_POINTER;
    DWORD levels = 0;
    HRESULT hr = ReadLevels(GPIO_READY, &levels);
    if (SUCCEEDED(hr))
        *pResult = (levels & GPIO_READY) ? 1 : 0;
    return hr;
}

HRESULT C713xBdaRegisterAccess::Reserved22(ULONG_PTR value)
{
    CScopedLock lock(&m_cs);
    DWORD levels = 0;
    HRESULT hr = MakeOutputs(GPIO_KEY_LOW | GPIO_KEY_HIGH | GPIO_STROBE, &levels);
    if (FAILED(hr))
        return hr;
    DWORD keys = ((value & 2) ? GPIO_KEY_HIGH : 0) | ((value & 1) ? GPIO_KEY_LOW : 0);
    return WriteRegister(REG_GPIO_LEVEL, (levels & ~(GPIO_KEY_LOW | GPIO_KEY_HIGH)) | keys | GPIO_STROBE);
}

HRESULT C713xBdaRegisterAccess::Reserved23(ULONG_PTR result)
{
    CScopedLock lock(&m_cs);
    DWORD* pResult = reinterpret_cast<DWORD*>(result);
    if (pResult == NULL)
        return E_POINTER;
    DWORD levels = 0;
    HRESULT hr = ReadLevels(GPIO_KEY_LOW | GPIO_KEY_HIGH, &levels);
    if (SUCCEEDED(hr))
        *pResult = ((levels & GPIO_KEY_LOW) ? 1 : 0) | ((levels & GPIO_KEY_HIGH) ? 2 : 0);
    return hr;
}

HRESULT C713xBdaRegisterAccess::Reserved24(ULONG_PTR flag)
{
    CScopedLock lock(&m_cs);
    DWORD levels = 0;
    HRESULT hr = MakeOutputs(GPIO_SELECT, &levels);
    if (FAILED(hr))
        return hr;
    return WriteRegister(REG_GPIO_LEVEL, flag != 0 ? (levels & ~DWORD(GPIO_SELECT)) : (levels | GPIO_SELECT));
}
