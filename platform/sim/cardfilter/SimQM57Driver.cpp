#include "platform/sim/cardfilter/SimQM57Driver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

// {4F397D29-7F2F-42A9-AB90-1791384014C4}
const GUID SIMGUID_QM57Interface = { 0x4F397D29, 0x7F2F, 0x42A9, { 0xAB, 0x90, 0x17, 0x91, 0x38, 0x40, 0x14, 0xC4 } };

namespace {
// A chip that does not answer: the request fails as a device would.
const HRESULT HR_NO_DEVICE = HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
const HRESULT HR_BAD_REQUEST = HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);

enum
{
    IOCTL_READ = 0x226000,
    IOCTL_WRITE = 0x22A004,
    IOCTL_GPIO = 0x226458,
    READ_REQUEST = 253,
    WRITE_REQUEST = 252,
};

// Reads: {device, 1, 1, sub} answers {0, value}; {device, 2, 2, 0, sub} the
// same at a 16-bit sub-address; {read address, 1, count} is a block read.
HRESULT Read(CSimChipBus& bus, const BYTE* r, BYTE* pOut, ULONG outLength)
{
    BYTE device = r[0];
    if (r[1] == 1 && r[2] == 1 && outLength == 2)
    {
        pOut[0] = 0;
        return bus.I2CWrite(device & 0xFE, r + 3, 1) && bus.I2CRead(device | 1, pOut + 1, 1) ? S_OK : HR_NO_DEVICE;
    }
    if (r[1] == 2 && r[2] == 2 && outLength == 2)
    {
        pOut[0] = 0;
        return bus.I2CWrite(device & 0xFE, r + 3, 2) && bus.I2CRead(device | 1, pOut + 1, 1) ? S_OK : HR_NO_DEVICE;
    }
    if (r[1] == 1 && r[2] >= 1 && r[2] <= outLength)
        return bus.I2CRead(device | 1, pOut, r[2]) ? S_OK : HR_NO_DEVICE;
    return HR_BAD_REQUEST;
}

// Writes: {device, count, bytes}. A block that leads with the device's own
// address is a whole bus message: the address goes on the wire, not as data.
HRESULT Write(CSimChipBus& bus, const BYTE* r)
{
    BYTE device = r[0];
    int count = r[1];
    const BYTE* pBytes = r + 2;
    if (count < 1 || count > WRITE_REQUEST - 2)
        return HR_BAD_REQUEST;
    if ((pBytes[0] & 0xFE) == (device & 0xFE))
        ++pBytes, --count;
    return bus.I2CWrite(device & 0xFE, pBytes, count) ? S_OK : HR_NO_DEVICE;
}
}  // namespace

HRESULT SimQM57Request(void* pContext, ULONG code, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                       ULONG* pReturned)
{
    CSimTVCard* pCard = static_cast<CSimTVCard*>(pContext);
    const BYTE* r = static_cast<const BYTE*>(pIn);
    *pReturned = 0;
    CSimLock lock(pCard->Lock());
    CSimChipBus& bus = pCard->Bus();
    HRESULT hr = HR_BAD_REQUEST;
    switch (code)
    {
    case IOCTL_READ:
        if (r == nullptr || inLength < READ_REQUEST || pOut == nullptr)
            return HR_BAD_REQUEST;
        hr = Read(bus, r, static_cast<BYTE*>(pOut), outLength);
        if (SUCCEEDED(hr))
            *pReturned = outLength;
        return hr;
    case IOCTL_WRITE:
        if (r == nullptr || inLength < WRITE_REQUEST)
            return HR_BAD_REQUEST;
        return Write(bus, r);
    case IOCTL_GPIO:
        if (r == nullptr || inLength < 2 || (r[0] != 3 && r[0] != 4))
            return HR_BAD_REQUEST;
        bus.WriteGpio(static_cast<DWORD>(r[1]) << (8 * (r[0] - 3)), 0xFFu << (8 * (r[0] - 3)));
        return S_OK;
    }
    return hr;
}
