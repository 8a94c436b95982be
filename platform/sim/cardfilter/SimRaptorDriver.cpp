#include "platform/sim/cardfilter/SimRaptorDriver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

#include <memory>
#include <vector>

namespace {
// {16017E0E-CE9F-44B0-A203-05D05724A12B}
const GUID RAPTOR_SET = { 0x16017E0E, 0xCE9F, 0x44B0, { 0xA2, 0x03, 0x05, 0xD0, 0x57, 0x24, 0xA1, 0x2B } };
// {FBB1C466-BE03-470F-9A8F-A2AA0FA2C0EE}
const GUID BDA_I2C_SET = { 0xFBB1C466, 0xBE03, 0x470F, { 0x9A, 0x8F, 0xA2, 0xAA, 0x0F, 0xA2, 0xC0, 0xEE } };
// {9490E589-6B17-44EC-9435-5E3587F9FBCE}
const GUID BDA_REGISTER_SET = { 0x9490E589, 0x6B17, 0x44EC, { 0x94, 0x35, 0x5E, 0x35, 0x87, 0xF9, 0xFB, 0xCE } };

const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    RAPTOR_REQUEST = 19,
    RAPTOR_DATA = 16,
    REGISTER_REQUEST = 8,
    BDA_INSTANCE = 24,
    BDA_DATA = 8,
    GATE_DEVICE = 0xA0,
    GATE_LEAD = 0xC1,
};

const DWORD REG_GPIO_LOW = 0xC7008100;
const DWORD REG_GPIO_HIGH = 0xC7008104;

DWORD GetU32(const void* p, int offset)
{
    DWORD v;
    memcpy(&v, static_cast<const BYTE*>(p) + offset, 4);
    return v;
}

DWORD RaptorReadRegister(CSimChipBus& bus, DWORD reg)
{
    if (reg == REG_GPIO_LOW)
        return bus.ReadGpio() & 0xFFFF;
    if (reg == REG_GPIO_HIGH)
        return bus.ReadGpio() >> 16;
    return bus.ReadRegister(reg);
}

void RaptorWriteRegister(CSimChipBus& bus, DWORD reg, DWORD value)
{
    if (reg == REG_GPIO_LOW)
        bus.WriteGpio(value & 0xFFFF, value >> 16);
    else if (reg == REG_GPIO_HIGH)
        bus.WriteGpio(value << 16, value & 0xFFFF0000);
    else
        bus.WriteRegister(reg, value);
}

const BYTE* Bytes(DWORD address)
{
    return reinterpret_cast<const BYTE*>(static_cast<ULONG_PTR>(address));
}
}  // namespace

void SimAddRaptorDriver(CKsPropertySet* pProps, CSimTVCard* pCard)
{
    // The write phase carries the device, a count and the bytes; to a read
    // address it only readies the read phase.
    pProps->AddKsProperty(RAPTOR_SET, 0, nullptr, [pCard](void*, DWORD, void* pData, DWORD cbData) {
        const BYTE* p = static_cast<const BYTE*>(pData);
        if (p == nullptr || cbData < RAPTOR_REQUEST || p[2] > RAPTOR_DATA)
            return HR_BAD_REQUEST;
        if (p[1] & 1)
            return S_OK;
        CSimLock lock(pCard->Lock());
        return pCard->Bus().I2CWrite(p[1], p + 3, p[2]) ? S_OK : HR_NO_DEVICE;
    });
    pProps->AddKsProperty(
        RAPTOR_SET, 1,
        [pCard](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
            BYTE* p = static_cast<BYTE*>(pData);
            if (p == nullptr || cbData < RAPTOR_REQUEST || p[2] > RAPTOR_DATA)
                return HR_BAD_REQUEST;
            CSimLock lock(pCard->Lock());
            if (!pCard->Bus().I2CRead(p[1] | 1, p + 3, p[2]))
                return HR_NO_DEVICE;
            *pcbReturned = cbData;
            return S_OK;
        },
        nullptr);
    pProps->AddKsProperty(
        RAPTOR_SET, 5,
        [pCard](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pData == nullptr || cbData < REGISTER_REQUEST)
                return HR_BAD_REQUEST;
            DWORD value = RaptorReadRegister(pCard->Bus(), GetU32(pData, 0));
            memcpy(static_cast<BYTE*>(pData) + 4, &value, 4);
            *pcbReturned = cbData;
            return S_OK;
        },
        nullptr);
    pProps->AddKsProperty(RAPTOR_SET, 6, nullptr, [pCard](void*, DWORD, void* pData, DWORD cbData) {
        if (pData == nullptr || cbData < REGISTER_REQUEST)
            return HR_BAD_REQUEST;
        RaptorWriteRegister(pCard->Bus(), GetU32(pData, 0), GetU32(pData, 4));
        return S_OK;
    });
}

void SimAdd713xBdaDriver(CKsPropertySet* pProps, CSimTVCard* pCard)
{
    pProps->AddKsProperty(
        BDA_I2C_SET, 0,
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pInstance == nullptr || cbInstance < BDA_INSTANCE || cbData < BDA_DATA)
                return HR_BAD_REQUEST;
            BYTE device = static_cast<BYTE>(GetU32(pInstance, 0));
            const BYTE* pWrite = Bytes(GetU32(pInstance, 4));
            DWORD writeCount = GetU32(pInstance, 8);
            BYTE* pRead = const_cast<BYTE*>(Bytes(GetU32(pInstance, 12)));
            DWORD readCount = GetU32(pInstance, 16);
            if (pRead == nullptr || readCount < 1 || readCount > 256 || writeCount > 256 ||
                (pWrite == nullptr && writeCount > 0))
                return HR_BAD_REQUEST;
            CSimLock lock(pCard->Lock());
            CSimChipBus& bus = pCard->Bus();
            if (device == GATE_DEVICE && writeCount == 1 && pWrite[0] == GATE_LEAD)
                return bus.I2CRead(GATE_LEAD, pRead, readCount) ? S_OK : HR_NO_DEVICE;
            if (writeCount > 0 && !bus.I2CWrite(device & 0xFE, pWrite, writeCount))
                return HR_NO_DEVICE;
            if (!bus.I2CRead(device | 1, pRead, readCount))
                return HR_NO_DEVICE;
            *pcbReturned = 0;
            return S_OK;
        },
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData) {
            if (pInstance == nullptr || cbInstance < BDA_INSTANCE || pData == nullptr || cbData < BDA_DATA)
                return HR_BAD_REQUEST;
            BYTE device = static_cast<BYTE>(GetU32(pInstance, 0));
            const BYTE* pFirst = Bytes(GetU32(pInstance, 4));
            DWORD firstCount = GetU32(pInstance, 8);
            const BYTE* pMore = Bytes(GetU32(pData, 0));
            DWORD moreCount = GetU32(pData, 4);
            if (firstCount + moreCount > 256 || (pFirst == nullptr && firstCount > 0) ||
                (pMore == nullptr && moreCount > 0))
                return HR_BAD_REQUEST;
            std::vector<BYTE> bytes(pFirst, pFirst + firstCount);
            bytes.insert(bytes.end(), pMore, pMore + moreCount);
            if (device == GATE_DEVICE && !bytes.empty() && bytes[0] == GATE_LEAD)
            {
                device = GATE_LEAD & 0xFE;
                bytes.erase(bytes.begin());
            }
            CSimLock lock(pCard->Lock());
            return pCard->Bus().I2CWrite(device & 0xFE, bytes.data(), static_cast<int>(bytes.size())) ? S_OK
                                                                                                      : HR_NO_DEVICE;
        });
    pProps->AddKsProperty(
        BDA_REGISTER_SET, 1,
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pInstance == nullptr || cbInstance < 4 || pData == nullptr || cbData < 4)
                return HR_BAD_REQUEST;
            DWORD value = pCard->Bus().ReadRegister(GetU32(pInstance, 0));
            memcpy(pData, &value, 4);
            *pcbReturned = 4;
            return S_OK;
        },
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData) {
            if (pInstance == nullptr || cbInstance < 4 || pData == nullptr || cbData < 4)
                return HR_BAD_REQUEST;
            pCard->Bus().WriteRegister(GetU32(pInstance, 0), GetU32(pData, 0));
            return S_OK;
        });
}

void SimAddRaptorEncoder(CKsPropertySet* pProps)
{
    // {CFA8C7E7-5FF7-40D3-9B37-C45CBCC9BD53}
    static const GUID ENCODER_SET = { 0xCFA8C7E7, 0x5FF7, 0x40D3, { 0x9B, 0x37, 0xC4, 0x5C, 0xBC, 0xC9, 0xBD, 0x53 } };
    enum { ENCODER_PROPERTIES = 16 };
    for (DWORD id = 0; id < ENCODER_PROPERTIES; ++id)
    {
        auto pValue = std::make_shared<std::vector<BYTE>>();
        pProps->AddKsProperty(
            ENCODER_SET, id,
            [pValue](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
                if (pData == nullptr || cbData < pValue->size())
                    return HR_BAD_REQUEST;
                memcpy(pData, pValue->data(), pValue->size());
                *pcbReturned = static_cast<DWORD>(pValue->size());
                return S_OK;
            },
            [pValue](void*, DWORD, void* pData, DWORD cbData) {
                if (pData == nullptr && cbData > 0)
                    return HR_BAD_REQUEST;
                const BYTE* p = static_cast<const BYTE*>(pData);
                pValue->assign(p, p + cbData);
                return S_OK;
            });
    }
}
