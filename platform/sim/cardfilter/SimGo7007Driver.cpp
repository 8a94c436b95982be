#include "platform/sim/cardfilter/SimGo7007Driver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

#include <vector>

// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
const IID SIMIID_Go7007Bus = { 0x6420803D, 0xD8BA, 0x43D2, { 0xBD, 0x4A, 0x10, 0x9B, 0xA1, 0x6C, 0x2E, 0x32 } };

// {55F1E004-76CD-412E-9413-68AF75304D73}
const IID SIMIID_Go7007Encoder = { 0x55F1E004, 0x76CD, 0x412E, { 0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73 } };

namespace {
const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    COMMAND_WRITE_BYTE = 2
};

std::vector<BYTE> SubAddress(DWORD width, DWORD sub)
{
    if (width == 16)
        return { static_cast<BYTE>(sub >> 8), static_cast<BYTE>(sub) };
    return { static_cast<BYTE>(sub) };
}
}  // namespace

CSimGo7007Bus::CSimGo7007Bus(IUnknown* pOwner, CSimTVCard* pCard) : m_pOwner(pOwner), m_pCard(pCard)
{
}

STDMETHODIMP CSimGo7007Bus::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimGo7007Bus::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimGo7007Bus::Release()
{
    return m_pOwner->Release();
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved3()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved4()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved5()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved6()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved10()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved11()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved12()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved13()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved14()
{
    return E_NOTIMPL;
}

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
    // A read address with sub-address 0 asks the chip for its byte without a
    // sub-address (a tuner's status); otherwise the sub-address goes first.
    if (!(address & 1) || sub != 0)
    {
        std::vector<BYTE> bytes = SubAddress(width, sub);
        if (!bus.I2CWrite(address & 0xFE, bytes.data(), static_cast<int>(bytes.size())))
            return HR_NO_DEVICE;
    }
    return bus.I2CRead(address | 1, pBuffer, 1) ? S_OK : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::WriteBlock(DWORD device, DWORD, DWORD, DWORD count, const BYTE* pBytes, DWORD)
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

namespace {
// What the encoder reports it can do: name, then the fields each kind
// carries (compression mode and group size; standard mask, width, height
// and bit-rate limits; standard mask and frames per 1001 s).
const struct
{
    const char* name;
    DWORD compressMode;
    DWORD gopSize;
} kStreams[] = { { "DVD", 1, 12 }, { "VCD", 0, 12 } };

const struct
{
    const char* name;
    DWORD standards;
    DWORD width;
    DWORD height;
    DWORD maxBitrate;
    DWORD minBitrate;
} kResolutions[] = {
    { "D1 PAL", 0x7F0, 720, 576, 8000000, 1000000 },
    { "D1 NTSC", 0x807, 720, 480, 8000000, 1000000 },
    { "CIF PAL", 0x7F0, 352, 288, 2000000, 300000 },
};

const struct
{
    const char* name;
    DWORD standards;
    DWORD frameRate;
} kFrameRates[] = { { "PAL 25", 0x7F0, 25025 }, { "NTSC 30", 0x807, 30000 } };

void PutU32(BYTE* p, size_t offset, DWORD value)
{
    memcpy(p + offset, &value, 4);
}

void PutName(BYTE* pEntry, const char* name)
{
    strncpy(reinterpret_cast<char*>(pEntry), name, CSimGo7007Encoder::NAME_SIZE - 1);
}
}  // namespace

CSimGo7007Encoder::CSimGo7007Encoder(IUnknown* pOwner) : m_pOwner(pOwner)
{
}

STDMETHODIMP CSimGo7007Encoder::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimGo7007Encoder::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimGo7007Encoder::Release()
{
    return m_pOwner->Release();
}
HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::Reserved4()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::Reserved5()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::GetStreamSetting(char* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    memset(pszName, 0, NAME_SIZE);
    strncpy(pszName, kStreams[0].name, NAME_SIZE - 1);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::GetCapabilities(BYTE* pTable)
{
    if (pTable == nullptr)
        return E_POINTER;
    memset(pTable, 0, LINK_COUNT_OFFSET + 4);
    const size_t streams = sizeof(kStreams) / sizeof(kStreams[0]);
    PutU32(pTable, STREAM_COUNT_OFFSET, streams);
    for (size_t i = 0; i < streams; ++i)
    {
        BYTE* p = pTable + STREAM_COUNT_OFFSET + 4 + i * STREAM_SIZE;
        PutName(p, kStreams[i].name);
        PutU32(p, 328, kStreams[i].compressMode);
        PutU32(p, 340, kStreams[i].gopSize);
    }
    const size_t resolutions = sizeof(kResolutions) / sizeof(kResolutions[0]);
    PutU32(pTable, RESOLUTION_COUNT_OFFSET, resolutions);
    for (size_t i = 0; i < resolutions; ++i)
    {
        BYTE* p = pTable + RESOLUTION_COUNT_OFFSET + 4 + i * RESOLUTION_SIZE;
        PutName(p, kResolutions[i].name);
        PutU32(p, 328, kResolutions[i].standards);
        PutU32(p, 332, kResolutions[i].width);
        PutU32(p, 336, kResolutions[i].height);
        PutU32(p, 356, kResolutions[i].maxBitrate);
        PutU32(p, 360, kResolutions[i].minBitrate);
    }
    const size_t frameRates = sizeof(kFrameRates) / sizeof(kFrameRates[0]);
    PutU32(pTable, FRAME_RATE_COUNT_OFFSET, frameRates);
    for (size_t i = 0; i < frameRates; ++i)
    {
        BYTE* p = pTable + FRAME_RATE_COUNT_OFFSET + 4 + i * FRAME_RATE_SIZE;
        PutName(p, kFrameRates[i].name);
        PutU32(p, 328, kFrameRates[i].standards);
        PutU32(p, 332, kFrameRates[i].frameRate);
    }
    return S_OK;
}
