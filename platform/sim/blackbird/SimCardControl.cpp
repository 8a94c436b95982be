#include "platform/sim/blackbird/SimCardControl.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"

#include <string.h>

namespace
{
// Byte offsets in the card-control requests; the first 24 bytes are the
// property header the driver leaves alone.
enum
{
    REQ_COMMAND = 24,
    REQ_DEVICE = 24,
    REQ_SUBADDRESS = 28,
    REQ_VALUE = 32,
    REQ_GPIO_MASK = 24,
    REQ_GPIO_VALUE = 28,
    REQ_I2C_DATA = 24,
    REQ_I2C_COUNT = 280,
    REQ_I2C_SIZE = 304,
    REQ_CHIP_ID_LOW = 24,
    REQ_CHIP_ID_HIGH = 26,
};

DWORD ReadDword(const void* p, DWORD offset)
{
    DWORD v;
    memcpy(&v, static_cast<const BYTE*>(p) + offset, 4);
    return v;
}

void WriteDword(void* p, DWORD offset, DWORD v)
{
    memcpy(static_cast<BYTE*>(p) + offset, &v, 4);
}

BOOL Fits(DWORD cbData, DWORD needed)
{
    return cbData >= needed;
}
}

void SimAddCardControl(CKsPropertySet* pProps)
{
    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    const GUID& set = SIMPROPSETID_BlackBirdCard;

    if (card.CardControlSupported())
    {
        pProps->AddKsProperty(set, 0,
            [](void*, DWORD, void* pData, DWORD cbData, DWORD* pcb) -> HRESULT {
                if (!Fits(cbData, 28))
                    return E_INVALIDARG;
                WORD low = 0x2388, high = 0x0416;
                memcpy(static_cast<BYTE*>(pData) + REQ_CHIP_ID_LOW, &low, 2);
                memcpy(static_cast<BYTE*>(pData) + REQ_CHIP_ID_HIGH, &high, 2);
                if (pcb) *pcb = cbData;
                return S_OK;
            },
            nullptr);
    }

    auto command = [&card](DWORD id) {
        return [&card, id](void*, DWORD, void* pData, DWORD cbData) -> HRESULT {
            if (!Fits(cbData, REQ_COMMAND + 1))
                return E_INVALIDARG;
            card.Bus().LogCommand(id, static_cast<BYTE*>(pData)[REQ_COMMAND]);
            return S_OK;
        };
    };
    pProps->AddKsProperty(set, 1, nullptr, command(1));
    pProps->AddKsProperty(set, 3, nullptr, command(3));

    pProps->AddKsProperty(set, 2,
        [&card](void*, DWORD, void* pData, DWORD cbData, DWORD* pcb) -> HRESULT {
            if (!Fits(cbData, REQ_VALUE + 1))
                return E_INVALIDARG;
            BYTE* p = static_cast<BYTE*>(pData);
            BYTE device = p[REQ_DEVICE];
            BYTE sub = static_cast<BYTE>(ReadDword(p, REQ_SUBADDRESS));
            BYTE value = 0;
            if (!card.Bus().I2CWrite(device & 0xFE, &sub, 1) || !card.Bus().I2CRead(device | 1, &value, 1))
                return E_FAIL;
            p[REQ_VALUE] = value;
            if (pcb) *pcb = cbData;
            return S_OK;
        },
        [&card](void*, DWORD, void* pData, DWORD cbData) -> HRESULT {
            if (!Fits(cbData, REQ_VALUE + 1))
                return E_INVALIDARG;
            BYTE* p = static_cast<BYTE*>(pData);
            BYTE bytes[2] = { static_cast<BYTE>(ReadDword(p, REQ_SUBADDRESS)), p[REQ_VALUE] };
            return card.Bus().I2CWrite(p[REQ_DEVICE] & 0xFE, bytes, 2) ? S_OK : E_FAIL;
        });

    pProps->AddKsProperty(set, 4,
        [&card](void*, DWORD, void* pData, DWORD cbData, DWORD* pcb) -> HRESULT {
            if (!Fits(cbData, REQ_GPIO_VALUE + 4))
                return E_INVALIDARG;
            DWORD mask = ReadDword(pData, REQ_GPIO_MASK);
            WriteDword(pData, REQ_GPIO_VALUE, card.Bus().ReadGpio() & mask);
            if (pcb) *pcb = cbData;
            return S_OK;
        },
        [&card](void*, DWORD, void* pData, DWORD cbData) -> HRESULT {
            if (!Fits(cbData, REQ_GPIO_VALUE + 4))
                return E_INVALIDARG;
            card.Bus().WriteGpio(ReadDword(pData, REQ_GPIO_VALUE), ReadDword(pData, REQ_GPIO_MASK));
            return S_OK;
        });

    pProps->AddKsProperty(set, 6,
        [&card](void*, DWORD, void* pData, DWORD cbData, DWORD* pcb) -> HRESULT {
            if (!Fits(cbData, REQ_I2C_SIZE))
                return E_INVALIDARG;
            BYTE* p = static_cast<BYTE*>(pData);
            DWORD count = ReadDword(p, REQ_I2C_COUNT);
            if (count < 1 || count > 256)
                return E_INVALIDARG;
            // The bytes read replace the request from its address byte on.
            if (!card.Bus().I2CRead(p[REQ_I2C_DATA] | 1, p + REQ_I2C_DATA, static_cast<int>(count)))
                return E_FAIL;
            if (pcb) *pcb = cbData;
            return S_OK;
        },
        [&card](void*, DWORD, void* pData, DWORD cbData) -> HRESULT {
            if (!Fits(cbData, REQ_I2C_SIZE))
                return E_INVALIDARG;
            BYTE* p = static_cast<BYTE*>(pData);
            DWORD count = ReadDword(p, REQ_I2C_COUNT);
            if (count < 2 || count > 256)
                return E_INVALIDARG;
            return card.Bus().I2CWrite(p[REQ_I2C_DATA] & 0xFE, p + REQ_I2C_DATA + 1, static_cast<int>(count) - 1)
                       ? S_OK : E_FAIL;
        });
}

