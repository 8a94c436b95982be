#pragma once

#include "hardware/bus/RegisterAccess.h"

#include <strmif.h>

// The hardware-encoder property set of the MPEG-2 box drivers
// {D2185A40-0398-11D3-A53E-00A0C9EF506A} and its firmware download set
// {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}.
extern const GUID PROPSETID_MpegBoxEncoder;
extern const GUID PROPSETID_MpegBoxFirmware;

enum
{
    MPEGBOX_PROPERTY_CONTROL = 20
};

// Access codes of the control request.
enum
{
    MPEGBOX_CODE_DECODER_WRITE = 0,
    MPEGBOX_CODE_DECODER_READ = 1,
    MPEGBOX_CODE_BYTE_WRITE = 2,
    MPEGBOX_CODE_BYTE_READ = 3,
    MPEGBOX_CODE_WORD_WRITE = 8,
    MPEGBOX_CODE_PLL_WRITE = 10,
    MPEGBOX_CODE_RECEIVE = 33,
};

#pragma pack(push, 1)
// The control request's instance: a 7-bit bus address, the access code and a
// register number, packed into nine bytes. Its data is one u32 value.
struct MpegBoxControlInstance
{
    DWORD device;
    BYTE code;
    DWORD reg;
};
#pragma pack(pop)
static_assert(sizeof(MpegBoxControlInstance) == 9, "control instance is nine packed bytes");

// One request when the driver reports the direction as supported: S_FALSE
// without sending when it does not, else the driver's answer. A null
// instance sends the data as instance too.
HRESULT MpegBoxPropertyRequest(IKsPropertySet* pProps, BOOL bSet, REFGUID set, DWORD id, void* pInstance,
                               DWORD cbInstance, void* pData, DWORD cbData);
// One request on the filter's IKsPropertySet, taken and released around the
// call. 1 when the driver supports the direction and answered 0, else 0.
BOOL MpegBoxGetProperty(IUnknown* pFilter, REFGUID set, DWORD id, void* pInstance, DWORD cbInstance, void* pData,
                        DWORD cbData);
BOOL MpegBoxSetProperty(IUnknown* pFilter, REFGUID set, DWORD id, void* pInstance, DWORD cbInstance, void* pData,
                        DWORD cbData);

// The control request, a Get or a Set of property 20. 1 on success.
BOOL MpegBoxControlRead(IUnknown* pFilter, DWORD device, BYTE code, DWORD reg, DWORD* pValue);
BOOL MpegBoxControlWrite(IUnknown* pFilter, DWORD device, BYTE code, DWORD reg, DWORD value);

// Transport of the MPEG-2 box: every I2C transfer is one control request,
// serialised on the bus lock. GPIO is not reachable.
class CMpegBoxRegisterAccess : public CRegisterAccess
{
public:
    // The decoder's 7-bit address, which the driver reads with its own code.
    enum
    {
        DECODER_ADDRESS = 0x21,
        DECODER_ALIAS = 0x20,
        PLL_WRITE_LENGTH = 5
    };

    CMpegBoxRegisterAccess();
    ~CMpegBoxRegisterAccess() override;

    // Keeps the filter itself; a null filter leaves the one held.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    // One byte without sub-address into buffer[0], whatever the length.
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    // The address and four bytes: a PLL's divider and control words.
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    IUnknown* GetFilter() const { return m_pFilter; }

protected:
    IUnknown* m_pFilter;
    CRITICAL_SECTION m_csBus;
};
