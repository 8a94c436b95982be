#pragma once

#include <windows.h>
#include <strmif.h>

#include <cstddef>

// USB control transfers through the private property set
// {85551A18-A51C-4F2D-955F-3F36372ADB5C} of a USB bridge's capture filter:
// property 0 is Set with the setup packet and any OUT data, then Get for the
// IN data that the request produced.
extern const GUID PROPSETID_UsbVendorRequest;

enum
{
    USBREQ_TYPE_IN = 0xC0,   // vendor, device to host
    USBREQ_TYPE_OUT = 0x40,  // vendor, host to device
    USBREQ_SETUP_SIZE = 8,
    USBREQ_MAX_DATA = 10,
    USBREQ_MAX_REQUEST = USBREQ_SETUP_SIZE + USBREQ_MAX_DATA,
};

// bRequest codes of the bridges.
enum
{
    USBREQ_GPIO_LINE = 3,
    USBREQ_BRIDGE_REGISTER = 7,
    USBREQ_I2C_RECEIVE = 9,
    USBREQ_EEPROM = 14,
    USBREQ_I2C = 0x10,
};

#pragma pack(push, 1)
// Property 0's buffer.
struct UsbVendorTransfer
{
    GUID set;
    DWORD zero;
    DWORD unfilled;
    BYTE request[USBREQ_MAX_REQUEST];
    WORD getZero;
    DWORD length;
};
#pragma pack(pop)
static_assert(sizeof(UsbVendorTransfer) == 48, "transfer buffer");
static_assert(offsetof(UsbVendorTransfer, request) == 24, "request bytes");
static_assert(offsetof(UsbVendorTransfer, getZero) == 42, "reply padding");
static_assert(offsetof(UsbVendorTransfer, length) == 44, "request length");

// A request as the bridge is sent it: the setup packet and up to ten OUT
// bytes. The transfer hands back the IN bytes in the same place.
struct UsbVendorRequest
{
    BYTE bytes[USBREQ_MAX_REQUEST];
    LONG length;
};

// Builds a request; pData carries cbData OUT bytes (at most ten).
UsbVendorRequest UsbMakeRequest(BYTE type, BYTE request, WORD value, WORD index, WORD length, const BYTE* pData = NULL,
                                int cbData = 0);

// One Set-then-Get pair; the caller has checked the interface and the
// request and holds its lock. On success the IN bytes that the driver
// reports, at most the request's room, replace the request's bytes and
// their number its length. A negative driver answer is returned unchanged.
HRESULT UsbSendRequest(IKsPropertySet* pProps, UsbVendorRequest* pRequest);

// The line code (wValue) of GPIO lines 0 to 7: the bit within a group, then
// the group.
WORD UsbGpioLineCode(BYTE line);

// The requests that the USB bridge transports build, over a sender that
// supplies the transfer (with its own lock and checks).
class CUsbRequestSender
{
public:
    enum
    {
        PIECE_BYTES = 8,
        PIECE_THRESHOLD = 10,
        PIECE_PAUSE_MS = 2,
        GPIO_LINES = 8
    };

    virtual ~CUsbRequestSender() {}

    virtual IKsPropertySet* RequestInterface() const = 0;
    virtual HRESULT SendRequest(UsbVendorRequest* pRequest) = 0;

    // Sends an IN request and takes its first IN byte.
    HRESULT ReadFirstByte(UsbVendorRequest request, BYTE* pValue);
    // Request 0x10 with n (1 to 10) OUT bytes at the sub-address; the device
    // address goes out as given.
    HRESULT BlockWrite(BYTE device, BYTE subAddress, const BYTE* pData, LONG count);
    // buffer[0] the device, buffer[1] the sub-address, then length - 2 (1 to
    // 10) bytes are read into buffer[0] onwards.
    HRESULT BlockRead(BYTE* pBuffer, LONG length);
    // buffer[0] the device, buffer[1] the sub-address, the data behind:
    // one block below ten bytes, else pieces of eight, each to the
    // sub-address (the chips that take such writes stream them into one
    // port), with a pause behind each, then the rest.
    HRESULT PiecewiseWrite(const BYTE* pBuffer, LONG length);
    // Lines 0 to 7 (the low byte of line counts), high when level is nonzero.
    HRESULT WriteGpioLine(DWORD level, DWORD line);
    HRESULT ReadBridgeRegister(BYTE reg, BYTE* pValue);
    HRESULT WriteBridgeRegister(BYTE reg, BYTE value);
};
