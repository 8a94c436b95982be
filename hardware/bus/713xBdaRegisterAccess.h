#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>

#include <cstddef>

// The BDA driver's I2C set {FBB1C466-BE03-470F-9A8F-A2AA0FA2C0EE} and
// register set {9490E589-6B17-44EC-9435-5E3587F9FBCE}.
extern const GUID PROPSETID_713xBdaI2C;
extern const GUID PROPSETID_713xBdaRegister;

enum
{
    BDA_PROP_I2C = 0,
    BDA_PROP_REGISTER = 1
};

#pragma pack(push, 1)
// Property 0's instance: the bytes travel by address in the caller's memory.
struct BdaI2CInstance
{
    DWORD device;
    DWORD writeBytes;  // address of the first bytes to write
    DWORD writeCount;
    DWORD readBuffer;  // Get: address of the read buffer
    DWORD readCount;   // Get: bytes to read; Set: 1
    DWORD unfilled;
};
// Property 0's data on a Set: the further bytes to write.
struct BdaI2CData
{
    DWORD moreBytes;
    DWORD moreCount;
};
#pragma pack(pop)
static_assert(sizeof(BdaI2CInstance) == 24, "BDA I2C instance");
static_assert(offsetof(BdaI2CInstance, readCount) == 16, "BDA I2C read count");
static_assert(sizeof(BdaI2CData) == 8, "BDA I2C data");

// Transport of the "713x BDA Analog Capture" cards. Their microcontroller
// hangs on eight GPIO lanes with a strobe; the I2C bus is reached through
// the chip at 0xA0.
class C713xBdaRegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        REG_GPIO_DIRECTION = 0x1B0,
        REG_GPIO_LEVEL = 0x1B4,
        GPIO_LATCH = 0x80000000,
        GPIO_STROBE = 1u << 14,
        GPIO_READY = 1u << 23,
        GPIO_KEY_LOW = 1u << 22,
        GPIO_KEY_HIGH = 1u << 17,
        GPIO_SELECT = 1u << 21,
        STROBE_MS = 120,
        GATE_DEVICE = 0xA0,
        GATE_LEAD = 0xC1,
    };

    C713xBdaRegisterAccess();
    ~C713xBdaRegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    // One byte from 0xA0, buffer[0] written ahead of it.
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    // buffer[1] onwards to 0xA0, behind the lead byte 0xC1.
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    // The byte on the eight lanes.
    HRESULT ReadGpio(DWORD* pValue) override;
    // Strobes the low byte of value onto the lanes.
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;
    // The ready line into the DWORD at the address given.
    HRESULT Reserved21(ULONG_PTR pResult) override;
    // GPIO 17 = bit 1 and GPIO 22 = bit 0 of the value, strobe high.
    HRESULT Reserved22(ULONG_PTR value) override;
    // GPIO 22 and 17 into bits 0 and 1 of the DWORD at the address given.
    HRESULT Reserved23(ULONG_PTR pResult) override;
    // GPIO 21 low when the flag is set.
    HRESULT Reserved24(ULONG_PTR flag) override;

    // The GPIO bits of the lanes that carry data bits 0 to 7.
    static DWORD SpreadLanes(BYTE value);
    static BYTE GatherLanes(DWORD levels);

private:
    HRESULT I2CGet(BYTE device, const BYTE* pWrite, DWORD writeCount, BYTE* pRead, DWORD readCount);
    HRESULT I2CSet(BYTE device, const BYTE* pFirst, DWORD firstCount, const BYTE* pMore, DWORD moreCount);
    // Clears the lines' direction bits, through the bit-31 latch.
    HRESULT MakeInputs(DWORD lines);
    HRESULT ReadLevels(DWORD inputs, DWORD* pLevels);
    // Sets the lines' direction bits; the levels (and the direction) read
    // before come back.
    HRESULT MakeOutputs(DWORD lines, DWORD* pLevels, DWORD* pDirection = NULL);

    ComPtr<IKsPropertySet> m_pPropertySet;
};
