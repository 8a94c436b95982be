#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>

#include <cstddef>

// The Raptor card driver's property set {16017E0E-CE9F-44B0-A203-05D05724A12B}.
extern const GUID PROPSETID_RaptorCardControl;

enum
{
    RAPTOR_PROP_I2C_WRITE = 0,
    RAPTOR_PROP_I2C_READ = 1,
    RAPTOR_PROP_REGISTER_READ = 5,
    RAPTOR_PROP_REGISTER_WRITE = 6,
    RAPTOR_I2C_DATA = 16,
};

#pragma pack(push, 1)
// Properties 0 (the write phase) and 1 (the read phase).
struct RaptorI2CRequest
{
    BYTE mode;
    BYTE device;
    BYTE count;
    BYTE data[RAPTOR_I2C_DATA];
};
// Properties 5 and 6.
struct RaptorRegisterRequest
{
    DWORD reg;
    DWORD value;
};
#pragma pack(pop)
static_assert(sizeof(RaptorI2CRequest) == 19, "Raptor I2C request");
static_assert(offsetof(RaptorI2CRequest, data) == 3, "Raptor I2C data");
static_assert(sizeof(RaptorRegisterRequest) == 8, "Raptor register request");

// Transport of the "Conexant Raptor Video Capture" cards. I2C transfers are a
// write phase and, for reads, a read phase; GPIO lines lie behind four
// bridge registers whose upper halves select the lines a write changes.
class CRaptorRegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        MODE_EEPROM = 1,
        MODE_DEVICE = 2,
        MODE_ALTERNATE_READ = 3,
        PIECE_BYTES = 15,
        PAUSE_MS = 2,
        LINE_PULSE_MS = 20,
    };
    // GPIO lines 0-15 and 16-31 in the low halves; a write's upper half
    // names the lines it changes.
    static const DWORD REG_GPIO_LOW = 0xC7008100;
    static const DWORD REG_GPIO_HIGH = 0xC7008104;
    static const DWORD REG_GPIO_ENABLE_LOW = 0xC7008108;
    static const DWORD REG_GPIO_ENABLE_HIGH = 0xC700810C;

    CRaptorRegisterAccess();
    ~CRaptorRegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    // Pulses GPIO 1 low and high again; 1 when the last write went through.
    HRESULT SetGpioLine(LONG on) override;
    HRESULT Reserved16(DWORD a, DWORD b) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;

private:
    // Asks the driver first; a property it lacks is E_FAIL, except that the
    // write phase passes on a failed query's own answer.
    HRESULT Request(BOOL bSet, DWORD id, void* pBuffer, DWORD cbBuffer);
    HRESULT WritePhase(RaptorI2CRequest* pRequest);
    HRESULT ReadPhase(RaptorI2CRequest* pRequest);
    HRESULT ReadBridgeRegister(DWORD reg, DWORD* pValue);
    HRESULT WriteBridgeRegister(DWORD reg, DWORD value);
    static BYTE ModeFor(BYTE device);

    ComPtr<IKsPropertySet> m_pPropertySet;
};
