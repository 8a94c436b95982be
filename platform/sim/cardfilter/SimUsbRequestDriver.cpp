#include "platform/sim/cardfilter/SimUsbRequestDriver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

#include <memory>
#include <vector>

namespace {
// {85551A18-A51C-4F2D-955F-3F36372ADB5C}
const GUID USB_REQUEST_SET = { 0x85551A18, 0xA51C, 0x4F2D, { 0x95, 0x5F, 0x3F, 0x36, 0x37, 0x2A, 0xDB, 0x5C } };

const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    TRANSFER_SIZE = 48,
    OFS_REQUEST = 24,
    OFS_LENGTH = 44,
    SETUP_SIZE = 8,
    MAX_REQUEST = 18,
    TYPE_IN = 0xC0,
    TYPE_OUT = 0x40,
};

// GPIO line n is chip-bus line n; the bridge reports it in a group's byte.
const struct
{
    BYTE group;
    BYTE bit;
} kLines[8] = { { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 3, 0 }, { 3, 1 }, { 3, 4 }, { 3, 5 } };

struct RequestState
{
    std::vector<BYTE> reply;
};

HRESULT Execute(CSimTVCard* pCard, BOOL bDropsSub, const BYTE* r, DWORD length, std::vector<BYTE>* pReply)
{
    CSimChipBus& bus = pCard->Bus();
    BYTE type = r[0];
    BYTE request = r[1];
    WORD value = static_cast<WORD>(r[2] | (r[3] << 8));
    WORD index = static_cast<WORD>(r[4] | (r[5] << 8));
    WORD count = static_cast<WORD>(r[6] | (r[7] << 8));
    const BYTE* pOut = r + SETUP_SIZE;
    DWORD outCount = length - SETUP_SIZE;
    BYTE device = LOBYTE(value);
    BYTE sub = HIBYTE(value);
    pReply->clear();
    switch (request)
    {
    case 0x10:
        if (type == TYPE_IN)
        {
            pReply->resize(count);
            return bus.I2CWrite(device & 0xFE, &sub, 1) && bus.I2CRead(device | 1, pReply->data(), count)
                       ? S_OK
                       : HR_NO_DEVICE;
        }
        else
        {
            std::vector<BYTE> bytes;
            bytes.push_back(sub);
            if (count == 0)
                bytes.push_back(LOBYTE(index));
            for (DWORD i = 0; i < count && i < outCount; ++i)
                bytes.push_back(pOut[i]);
            return bus.I2CWrite(device & 0xFE, bytes.data(), static_cast<int>(bytes.size())) ? S_OK : HR_NO_DEVICE;
        }
    case 9:
        pReply->resize(1);
        return bus.I2CRead(device | 1, pReply->data(), 1) ? S_OK : HR_NO_DEVICE;
    case 14:
    {
        BYTE offset = bDropsSub ? 0 : LOBYTE(index);
        if (type == TYPE_IN)
        {
            pReply->resize(1);
            return bus.I2CWrite(device & 0xFE, &offset, 1) && bus.I2CRead(device | 1, pReply->data(), 1) ? S_OK
                                                                                                         : HR_NO_DEVICE;
        }
        if (outCount < 1)
            return HR_BAD_REQUEST;
        BYTE bytes[2] = { offset, pOut[0] };
        return bus.I2CWrite(device & 0xFE, bytes, 2) ? S_OK : HR_NO_DEVICE;
    }
    case 7:
        if (type == TYPE_IN)
            pReply->push_back(static_cast<BYTE>(bus.ReadRegister(LOBYTE(value))));
        else
            bus.WriteRegister(LOBYTE(value), LOBYTE(index));
        return S_OK;
    case 3:
        if (type == TYPE_IN)
        {
            DWORD lines = bus.ReadGpio();
            BYTE byte = 0;
            for (int line = 0; line < 8; ++line)
            {
                if (kLines[line].group == HIBYTE(value) && (lines & (1u << line)))
                    byte |= static_cast<BYTE>(1 << kLines[line].bit);
            }
            pReply->push_back(byte);
            return S_OK;
        }
        for (int line = 0; line < 8; ++line)
        {
            if (kLines[line].group == HIBYTE(value) && kLines[line].bit == LOBYTE(value))
            {
                bus.WriteGpio(index ? (1u << line) : 0, 1u << line);
                return S_OK;
            }
        }
        return HR_BAD_REQUEST;
    }
    return HR_BAD_REQUEST;
}
}  // namespace

void SimAddUsbRequestDriver(CKsPropertySet* pProps, CSimTVCard* pCard, const SimCardRow& card)
{
    auto pState = std::make_shared<RequestState>();
    BOOL bDropsSub = card.bEepromRequestDropsSub;
    pProps->AddKsProperty(
        USB_REQUEST_SET, 0,
        [pState](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pData == nullptr || cbData < TRANSFER_SIZE)
                return HR_BAD_REQUEST;
            BYTE* p = static_cast<BYTE*>(pData);
            DWORD count = static_cast<DWORD>(pState->reply.size() < MAX_REQUEST ? pState->reply.size() : MAX_REQUEST);
            memcpy(p + OFS_REQUEST, pState->reply.data(), count);
            memcpy(p + OFS_LENGTH, &count, 4);
            *pcbReturned = TRANSFER_SIZE;
            return S_OK;
        },
        [pState, pCard, bDropsSub](void*, DWORD, void* pData, DWORD cbData) {
            if (pData == nullptr || cbData < TRANSFER_SIZE)
                return HR_BAD_REQUEST;
            const BYTE* p = static_cast<const BYTE*>(pData);
            DWORD length;
            memcpy(&length, p + OFS_LENGTH, 4);
            if (length < SETUP_SIZE || length > MAX_REQUEST || memcmp(p, &USB_REQUEST_SET, sizeof(GUID)) != 0)
                return HR_BAD_REQUEST;
            CSimLock lock(pCard->Lock());
            return Execute(pCard, bDropsSub, p + OFS_REQUEST, length, &pState->reply);
        });
}
