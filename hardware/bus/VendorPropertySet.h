#pragma once

#include <windows.h>
#include <strmif.h>

#include <cstddef>

// The card drivers' private property set {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0},
// as the 2388x and 713x transports speak it. Every request passes one buffer
// twice, as instance data (its first bytes) and as property data (all of it);
// the first 24 bytes are left to the driver's property header. Little-endian.
extern const GUID PROPSETID_VendorCardControl;

enum
{
    VENDORPROP_CHIP_IDS = 0,
    VENDORPROP_COMMAND1 = 1,
    VENDORPROP_BYTE = 2,
    VENDORPROP_COMMAND3 = 3,
    VENDORPROP_GPIO = 4,
    VENDORPROP_REGISTER = 5,
    VENDORPROP_I2C = 6,
    VENDORPROP_COMMAND7 = 7,
    VENDORPROP_COMMAND8 = 8,
    VENDORPROP_COMMAND9 = 9,
    VENDORPROP_COMMAND10 = 10,
};

enum { VENDORPROP_HEADER_SIZE = 24 };

#pragma pack(push, 1)
// Properties 1 and 3.
struct VendorCommandRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    BYTE command;
    BYTE reserved[23];
};
// Property 2: one register byte of an I2C chip.
struct VendorByteRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    DWORD device;
    LONG subAddress;
    BYTE value;
    BYTE reserved[23];
};
// Property 4: the GPIO lines, masked.
struct VendorGpioRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    DWORD mask;
    DWORD value;
    BYTE reserved[16];
};
// Property 5: a 32-bit bridge register.
struct VendorRegisterRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    DWORD reg;
    DWORD value;
    BYTE reserved[16];
};
// Property 6: one I2C transfer, the address byte first.
struct VendorI2CRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    BYTE data[256];
    DWORD count;
    BYTE reserved[20];
};
// Properties 7, 8 and 10.
struct VendorValueRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    DWORD value;
    BYTE reserved[20];
};
// Property 9.
struct VendorEmptyRequest
{
    BYTE header[VENDORPROP_HEADER_SIZE];
    BYTE reserved[16];
};
#pragma pack(pop)

static_assert(sizeof(VendorCommandRequest) == 48, "property 1/3 buffer");
static_assert(offsetof(VendorCommandRequest, command) == 24, "command byte");
static_assert(sizeof(VendorByteRequest) == 56, "property 2 buffer");
static_assert(offsetof(VendorByteRequest, device) == 24, "device address");
static_assert(offsetof(VendorByteRequest, subAddress) == 28, "sub-address");
static_assert(offsetof(VendorByteRequest, value) == 32, "data byte");
static_assert(sizeof(VendorGpioRequest) == 48, "property 4 buffer");
static_assert(offsetof(VendorGpioRequest, mask) == 24, "GPIO mask");
static_assert(offsetof(VendorGpioRequest, value) == 28, "GPIO value");
static_assert(sizeof(VendorRegisterRequest) == 48, "property 5 buffer");
static_assert(offsetof(VendorRegisterRequest, reg) == 24, "register number");
static_assert(offsetof(VendorRegisterRequest, value) == 28, "register value");
static_assert(sizeof(VendorI2CRequest) == 304, "property 6 buffer");
static_assert(offsetof(VendorI2CRequest, data) == 24, "I2C bytes");
static_assert(offsetof(VendorI2CRequest, count) == 280, "I2C byte count");
static_assert(sizeof(VendorValueRequest) == 48, "property 7/8/10 buffer");
static_assert(offsetof(VendorValueRequest, value) == 24, "command value");
static_assert(sizeof(VendorEmptyRequest) == 40, "property 9 buffer");

// Instance lengths: the part of each buffer that names the request.
enum
{
    VENDORPROP_INSTANCE_DEFAULT = 24,
    VENDORPROP_INSTANCE_BYTE = 32,
    VENDORPROP_INSTANCE_I2C = 280,
    VENDORPROP_INSTANCE_EMPTY = 16,
};

// The BlackBird driver speaks the same requests under a set of its own, so
// every helper takes the set, the vendor one unless named.
template <class TRequest>
HRESULT VendorPropertySet(IKsPropertySet* pProps, DWORD id, TRequest* pRequest, DWORD instanceLength,
                          const GUID& set = PROPSETID_VendorCardControl)
{
    return pProps->Set(set, id, pRequest, instanceLength, pRequest, sizeof(TRequest));
}

template <class TRequest>
HRESULT VendorPropertyGet(IKsPropertySet* pProps, DWORD id, TRequest* pRequest, DWORD instanceLength,
                          const GUID& set = PROPSETID_VendorCardControl)
{
    DWORD cbReturned = 0;
    return pProps->Get(set, id, pRequest, instanceLength, pRequest, sizeof(TRequest), &cbReturned);
}

// Binds a transport to its filter: drops the interface held, then takes the
// filter's IKsPropertySet. E_POINTER for a null filter, else the query's result.
HRESULT AttachKsPropertySet(IUnknown* pFilter, IKsPropertySet** ppProps);

// The argument checks of a byte read, in the order the property-set
// transports make them: no interface, no result, a negative sub-address.
HRESULT CheckByteRead(const IKsPropertySet* pProps, LONG subAddress, const BYTE* pValue);

// One request of each kind, filled, sent and read back. The transports keep
// their own interface, argument and lock checks around these.
HRESULT VendorSendCommand(IKsPropertySet* pProps, DWORD id, BYTE value,
                          const GUID& set = PROPSETID_VendorCardControl);
// Property 2 get; on success the byte goes to *pValue.
HRESULT VendorReadByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE* pValue,
                       const GUID& set = PROPSETID_VendorCardControl);
HRESULT VendorWriteByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE value,
                        const GUID& set = PROPSETID_VendorCardControl);
// Property 6 with length bytes of the buffer (at most 256); a successful get
// copies them back.
HRESULT VendorI2CRead(IKsPropertySet* pProps, BYTE* pBuffer, LONG length,
                      const GUID& set = PROPSETID_VendorCardControl);
HRESULT VendorI2CWrite(IKsPropertySet* pProps, const BYTE* pBuffer, LONG length,
                       const GUID& set = PROPSETID_VendorCardControl);
// Property 4 get of the lines under mask; on success the value goes to *pValue.
HRESULT VendorReadGpio(IKsPropertySet* pProps, DWORD mask, DWORD* pValue,
                       const GUID& set = PROPSETID_VendorCardControl);
HRESULT VendorWriteGpio(IKsPropertySet* pProps, DWORD value, DWORD mask,
                        const GUID& set = PROPSETID_VendorCardControl);
