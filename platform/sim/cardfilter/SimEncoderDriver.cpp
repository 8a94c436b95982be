#include "platform/sim/cardfilter/SimEncoderDriver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
// {D2185A40-0398-11D3-A53E-00A0C9EF506A}
const GUID ENCODER_SET = { 0xD2185A40, 0x0398, 0x11D3, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A } };
// {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}
const GUID FIRMWARE_SET = { 0xEE6C0342, 0xE3A9, 0x11D2, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A } };

const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    PROP_CONTROL = 20,
    PROP_LINE = 25,
    PROP_VERSION = 27,
    PROP_FIRMWARE = 5,
    CONTROL_INSTANCE = 9,
    VERSION_TEXT = 20,
    FIRMWARE_IMAGE = 0x40000,
    FIRMWARE_BLOCK = 0x4000C,
    BOOT_READS = 3,
};

// The settings the encoder keeps, by property id.
const DWORD kSettings[] = { 0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 22, 24, 42, 50, 54, 60, 62, 63, 64 };

// Block writes of the PX63 driver: mode, bytes packed into word A, into word B.
const struct
{
    BYTE mode;
    int bytesInA;
    int bytesInB;
} kBlockModes[] = {
    { 0x21, 0, 1 }, { 0x29, 0, 2 }, { 0x31, 0, 3 }, { 0x39, 0, 4 },
    { 0x07, 4, 1 }, { 0x0F, 4, 2 }, { 0x17, 4, 3 }, { 0x1F, 4, 4 },
};

struct EncoderState
{
    std::map<DWORD, std::vector<BYTE>> settings;
    std::string loaderVersion;
    std::string firmwareVersion;
    // Version reads since the firmware arrived: the loader answers once, the
    // starting firmware a few times, then the firmware.
    int versionReads = -1;
};

DWORD GetU32(const void* p, int offset)
{
    DWORD v;
    memcpy(&v, static_cast<const BYTE*>(p) + offset, 4);
    return v;
}

void PutBigEndian(std::vector<BYTE>& bytes, DWORD word, int count)
{
    for (int i = count - 1; i >= 0; --i)
        bytes.push_back(static_cast<BYTE>(word >> (8 * i)));
}

HRESULT ControlGet(CSimTVCard* pCard, const BYTE* pInstance, DWORD* pValue)
{
    BYTE address = static_cast<BYTE>(GetU32(pInstance, 0) << 1);
    BYTE code = pInstance[4];
    BYTE sub = static_cast<BYTE>(GetU32(pInstance, 5));
    CSimChipBus& bus = pCard->Bus();
    BYTE value = 0;
    switch (code)
    {
    case 0:
    case 1:
    case 3:
        if (!bus.I2CWrite(address, &sub, 1) || !bus.I2CRead(address | 1, &value, 1))
            return HR_NO_DEVICE;
        *pValue = value;
        return S_OK;
    case 33:
    case 0x38:
        if (!bus.I2CRead(address | 1, &value, 1))
            return HR_NO_DEVICE;
        // The PX63 driver hands the status back in its third byte.
        *pValue = code == 0x38 ? static_cast<DWORD>(value) << 16 : value;
        return S_OK;
    }
    return HR_BAD_REQUEST;
}

HRESULT ControlSet(CSimTVCard* pCard, const BYTE* pInstance, DWORD value)
{
    BYTE address = static_cast<BYTE>(GetU32(pInstance, 0) << 1);
    BYTE code = pInstance[4];
    DWORD reg = GetU32(pInstance, 5);
    std::vector<BYTE> bytes;
    switch (code)
    {
    case 0:
    case 2:
        bytes = { static_cast<BYTE>(reg), static_cast<BYTE>(value) };
        break;
    case 8:
        bytes = { static_cast<BYTE>(reg), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value) };
        break;
    case 10:
        PutBigEndian(bytes, reg, 2);
        PutBigEndian(bytes, value, 2);
        break;
    default:
        for (const auto& block : kBlockModes)
        {
            if (block.mode == code)
            {
                PutBigEndian(bytes, reg, block.bytesInA);
                PutBigEndian(bytes, value, block.bytesInB);
            }
        }
        if (bytes.empty())
            return HR_BAD_REQUEST;
    }
    return pCard->Bus().I2CWrite(address, bytes.data(), static_cast<int>(bytes.size())) ? S_OK : HR_NO_DEVICE;
}

std::string CurrentVersion(EncoderState& state)
{
    if (state.versionReads < 0)
        return state.loaderVersion;
    int read = state.versionReads++;
    if (read == 0)
        return state.loaderVersion;
    return read <= BOOT_READS ? "0.0.1" : state.firmwareVersion;
}
}  // namespace

void SimAddEncoderDriver(CKsPropertySet* pProps, CSimTVCard* pCard, const SimCardRow& card)
{
    auto pState = std::make_shared<EncoderState>();
    pState->loaderVersion = card.pszLoaderVersion != nullptr ? card.pszLoaderVersion : "2.4.21";
    pState->firmwareVersion = card.pszFirmwareVersion != nullptr ? card.pszFirmwareVersion : "2.4.21";

    pProps->AddKsProperty(
        ENCODER_SET, PROP_CONTROL,
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pInstance == nullptr || cbInstance < CONTROL_INSTANCE || pData == nullptr || cbData < 4)
                return HR_BAD_REQUEST;
            CSimLock lock(pCard->Lock());
            DWORD value = 0;
            HRESULT hr = ControlGet(pCard, static_cast<BYTE*>(pInstance), &value);
            if (SUCCEEDED(hr))
            {
                memcpy(pData, &value, 4);
                *pcbReturned = 4;
            }
            return hr;
        },
        [pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData) {
            if (pInstance == nullptr || cbInstance < CONTROL_INSTANCE || pData == nullptr || cbData < 4)
                return HR_BAD_REQUEST;
            CSimLock lock(pCard->Lock());
            return ControlSet(pCard, static_cast<BYTE*>(pInstance), GetU32(pData, 0));
        });

    pProps->AddKsProperty(ENCODER_SET, PROP_LINE, nullptr, [pCard](void*, DWORD, void* pData, DWORD cbData) {
        if (pData == nullptr || cbData < 1)
            return HR_BAD_REQUEST;
        pCard->Bus().WriteGpio(*static_cast<BYTE*>(pData) ? 1 : 0, 1);
        return S_OK;
    });

    for (DWORD id : kSettings)
    {
        pProps->AddKsProperty(
            ENCODER_SET, id,
            [pState, id](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
                if (pData == nullptr)
                    return HR_BAD_REQUEST;
                const std::vector<BYTE>& value = pState->settings[id];
                memset(pData, 0, cbData);
                memcpy(pData, value.data(), value.size() < cbData ? value.size() : cbData);
                *pcbReturned = cbData;
                return S_OK;
            },
            [pState, pCard, id](void*, DWORD, void* pData, DWORD cbData) {
                if (pData == nullptr && cbData > 0)
                    return HR_BAD_REQUEST;
                const BYTE* p = static_cast<const BYTE*>(pData);
                pState->settings[id].assign(p, p + cbData);
                DWORD first = 0;
                memcpy(&first, p, cbData < 4 ? cbData : 4);
                pCard->Bus().LogCommand(id, first);
                return S_OK;
            });
    }

    pProps->AddKsProperty(
        ENCODER_SET, PROP_VERSION,
        [pState](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
            if (pData == nullptr || cbData < VERSION_TEXT)
                return HR_BAD_REQUEST;
            std::string text = CurrentVersion(*pState);
            // The driver fills all twenty bytes; a short text is padded with
            // blanks, not terminated.
            memset(pData, ' ', VERSION_TEXT);
            memcpy(pData, text.data(), text.size() < VERSION_TEXT ? text.size() : VERSION_TEXT);
            *pcbReturned = VERSION_TEXT;
            return S_OK;
        },
        nullptr);

    pProps->AddKsProperty(
        FIRMWARE_SET, PROP_FIRMWARE, nullptr,
        [pState, pCard](void* pInstance, DWORD cbInstance, void* pData, DWORD cbData) {
            if (pData == nullptr || cbData != FIRMWARE_BLOCK || pInstance == nullptr || cbInstance != FIRMWARE_BLOCK)
                return HR_BAD_REQUEST;
            const BYTE* p = static_cast<const BYTE*>(pData);
            if (GetU32(p, FIRMWARE_IMAGE) != 2 || p[FIRMWARE_IMAGE + 4] != 6 || GetU32(p, FIRMWARE_IMAGE + 8) != 1)
                return HR_BAD_REQUEST;
            pState->versionReads = 0;
            pCard->Bus().LogCommand(0x1000 + PROP_FIRMWARE, GetU32(p, 0));
            return S_OK;
        });
}
