#pragma once

#include "platform/sim/chipbus/SimTVCard.h"

// How a simulated driver reaches its card's chips.
enum SimBusKind
{
    SIMBUS_NONE,              // no bus (an audio device of a box)
    SIMBUS_VENDOR_SET,        // {FC8FACFF} with the row's properties
    SIMBUS_KS_DEVICE,         // kernel-streaming requests on the object handle
    SIMBUS_ENCODER_CONTROL,   // {D2185A40} control request and settings, {EE6C0342} firmware
    SIMBUS_USB_BRIDGE,        // the bridge interface {BE0AB5D2}
    SIMBUS_USB_REQUESTS,      // USB control transfers through {85551A18}
    SIMBUS_RAPTOR,            // {16017E0E}
    SIMBUS_RAPTOR_ENCODER,    // the Raptor encoder's {CFA8C7E7}
    SIMBUS_BDA,               // {FBB1C466} I2C and {9490E589} registers
    SIMBUS_GO7007,            // the bus interface {6420803D} and encoder interface {55F1E004}
    SIMBUS_DEVICE_INTERFACE,  // a device interface of class {4F397D29}, opened by its path
    SIMBUS_DV_DEVICE,         // a DV camera or recorder: IAMExtDevice, IAMExtTransport, IAMTimecodeReader
    SIMBUS_DVBC,              // the control interface {9B21A661}; the chip itself is the maker's library's
};

// A pin that stands for a wire of the card; it connects with its major type
// and carries no samples.
struct SimPinRow
{
    const WCHAR* name;
    BOOL bOutput;
    const GUID* majorType;
};

// One simulated card: its chips and what its drivers do differently.
struct SimCardRow
{
    const char* name;
    SimCardChips chips;
    // USB boxes whose EEPROM request (14) drops its sub-address.
    BOOL bEepromRequestDropsSub;
    // Encoder boxes: the firmware version text before and after a download.
    const char* pszLoaderVersion;
    const char* pszFirmwareVersion;
};

// One filter of a simulated driver, registered under its friendly name.
struct SimFilterRow
{
    const WCHAR* friendlyName;
    const CLSID* clsid;
    const GUID* category;
    int card;  // index into the card rows; filters of one card share it
    SimBusKind bus;
    const DWORD* vendorProperties;  // SIMBUS_VENDOR_SET: the properties the driver answers
    int vendorPropertyCount;
    const SimPinRow* pins;
    int pinCount;
};
