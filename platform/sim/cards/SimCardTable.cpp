#include "platform/sim/cards/SimCards.h"

#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

namespace {
// {6994AD04-93EF-11D0-A3CC-00A0C9223196}
const GUID kAudioDeviceCategory = { 0x6994AD04, 0x93EF, 0x11D0, { 0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96 } };

// {3D1C6A70-52B4-4C1E-9E6B-0A8F2C4D7B11}, {...71...}: the 2388x card's filters.
const CLSID k2388xCapture = { 0x3D1C6A70, 0x52B4, 0x4C1E, { 0x9E, 0x6B, 0x0A, 0x8F, 0x2C, 0x4D, 0x7B, 0x11 } };
const CLSID k2388xTuner = { 0x3D1C6A71, 0x52B4, 0x4C1E, { 0x9E, 0x6B, 0x0A, 0x8F, 0x2C, 0x4D, 0x7B, 0x11 } };
// {5A2E8B30-19C4-4D7A-8F3E-6C1B9D0A2E41}, {...31...}: the 713x cards.
const CLSID k713xCapture = { 0x5A2E8B30, 0x19C4, 0x4D7A, { 0x8F, 0x3E, 0x6C, 0x1B, 0x9D, 0x0A, 0x2E, 0x41 } };
const CLSID k713xKsCapture = { 0x5A2E8B31, 0x19C4, 0x4D7A, { 0x8F, 0x3E, 0x6C, 0x1B, 0x9D, 0x0A, 0x2E, 0x41 } };
// {7B3D5E10-2C4A-4F6B-8E9D-1A2B3C4D5Exx}: one per further filter.
constexpr CLSID SimClsid(BYTE n)
{
    return { 0x7B3D5E10, 0x2C4A, 0x4F6B, { 0x8E, 0x9D, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, n } };
}
const CLSID kMpegBox = SimClsid(0x01);
const CLSID kPX63 = SimClsid(0x02);
const CLSID kQM42 = SimClsid(0x03);
const CLSID kTridVid = SimClsid(0x04);
const CLSID kTridentUsb = SimClsid(0x05);
const CLSID kTridentPemrok = SimClsid(0x06);
const CLSID kSeldrin = SimClsid(0x07);
const CLSID kTavesh = SimClsid(0x08);
const CLSID kRaptor = SimClsid(0x09);
const CLSID k713xD = SimClsid(0x0A);
const CLSID k713xBda = SimClsid(0x0B);
const CLSID kGo7007 = SimClsid(0x0C);
const CLSID kUsb2800 = SimClsid(0x0D);
const CLSID kUsbAudioCapture = SimClsid(0x0E);
const CLSID kUsbAudioDevice = SimClsid(0x0F);
const CLSID kQM57First = SimClsid(0x10);
const CLSID kQM57Second = SimClsid(0x11);
const CLSID k713x3 = SimClsid(0x12);
const CLSID kQM41 = SimClsid(0x13);
const CLSID kHadlexCapture = SimClsid(0x14);
const CLSID kHadlexTuner = SimClsid(0x15);
const CLSID k2388xCrossbar = SimClsid(0x16);
const CLSID kDvbc = SimClsid(0x17);
const CLSID k713x4 = SimClsid(0x18);
const CLSID kSeldrinCrossbar = SimClsid(0x19);
const CLSID kRaptorCrossbar = SimClsid(0x1A);
const CLSID kRaptorEncoder = SimClsid(0x1B);
const CLSID k713xDCrossbar = SimClsid(0x1C);
const CLSID kDvDevice = SimClsid(0x1D);
const CLSID k713xIO = SimClsid(0x1E);
const CLSID kMorvik = SimClsid(0x1F);

// KSCATEGORY_ENCODER
const GUID kEncoderCategory = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

const DWORD k2388xProperties[] = { 1, 2, 3, 4, 6 };
const DWORD k713xProperties[] = { 0, 1, 2, 3, 5, 6, 7, 8, 9, 10 };
const DWORD kQM42Properties[] = { 0, 1, 2, 3, 5, 6 };

// A crossbar's input and output wires.
const SimPinRow kCrossbarPins[] = {
    { L"Video Tuner In", FALSE, &MEDIATYPE_AnalogVideo }, { L"Video Composite In", FALSE, &MEDIATYPE_AnalogVideo },
    { L"Video SVideo In", FALSE, &MEDIATYPE_AnalogVideo }, { L"Audio Tuner In", FALSE, &MEDIATYPE_AnalogAudio },
    { L"Audio Line In", FALSE, &MEDIATYPE_AnalogAudio }, { L"Video Decoder Out", TRUE, &MEDIATYPE_AnalogVideo },
    { L"Audio Decoder Out", TRUE, &MEDIATYPE_AnalogAudio },
};

const SimPinRow kCapturePins[] = {
    // name, output, major type
    { L"Capture", TRUE, &MEDIATYPE_Video },
};
#define CAPTURE_PINS kCapturePins, 1

// The GO7007 board keeps its tuner record at 16 (type) and 17 (letter).
const SimEepromByte kGo7007Eeprom[] = { { 16, 5 }, { 17, 'T' } };
// The tuner record at 0xA0 (letter) and 0xA1 (type) of the Raptor card and the PX63.
const SimEepromByte kTunerRecordAtA0[] = { { 0xA0, 'T' }, { 0xA1, 5 } };
// The BDA card's tuner letter at 0x68 and two-byte tuner code at 0x41 (35).
const SimEepromByte k713xBdaEeprom[] = { { 0x68, 'T' }, { 0x41, 35 }, { 0x42, 0 } };
// The option byte at 3 of the Seldrin, Tavesh and Pemrok boxes: 'F', a box with keys.
const SimEepromByte kUsbBoxEeprom[] = { { 3, 'F' } };
}  // namespace

// Chips: PLL, second PLL, EEPROM, demodulator, register file (write
// addresses, 0 = none), EEPROM tuner letter and type, further EEPROM bytes.
const SimCardRow g_simCards[] = {
    // name, chips, EEPROM request drops its sub-address, loader version, firmware version
    { "Conexant 2388x", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "713x", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "713x KS", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    // The box's decoder answers at 0x42, its EEPROM at 0xA2.
    { "MPEG-2 box", { 0xC0, 0, 0xA2, 0x86, 0x42, 'T', 5, nullptr, 0 }, FALSE, "2.0.52", "2.4.21" },
    // The PX63's EEPROM answers at 0xA2, with its tuner record at 0xA0 and 0xA1.
    { "PX63", { 0xC0, 0, 0xA2, 0x86, 0x42, 'T', 5, kTunerRecordAtA0, 2 }, FALSE, "2.4.21", "2.4.21" },
    { "QM42", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "TridVid", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "Trident USB", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    // The USB boxes' key registers 48 and 49 at 0xBA.
    { "Trident Pemrok", { 0xC0, 0, 0xA0, 0x86, 0xBA, 'T', 5, kUsbBoxEeprom, 1 }, FALSE, nullptr, nullptr },
    { "Seldrin", { 0xC0, 0, 0xA0, 0x86, 0xBA, 'T', 5, kUsbBoxEeprom, 1 }, FALSE, nullptr, nullptr },
    { "Tavesh", { 0xC0, 0, 0xA0, 0x86, 0xBA, 'T', 5, kUsbBoxEeprom, 1 }, TRUE, nullptr, nullptr },
    // The chip at 0xBA answers its registers 0xAA and 0xAB at its read address.
    { "Raptor", { 0xC0, 0, 0xA0, 0x86, 0xBA, 'T', 5, kTunerRecordAtA0, 2 }, FALSE, nullptr, nullptr },
    // A microcontroller on the split lanes, a counted text in the chip at 0x72.
    { "713x_D", { 0xC0, 0, 0xA0, 0x86, 0x72, 'T', 5, nullptr, 0, SIM_MCU_SPLIT }, FALSE, nullptr, nullptr },
    { "713x BDA", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, k713xBdaEeprom, 3 }, FALSE, nullptr, nullptr },
    // Remote keys at 0xBA (registers 48 and 49).
    { "GO7007", { 0xC0, 0, 0xA0, 0x86, 0xBA, 'N', 0xFF, kGo7007Eeprom, 2 }, FALSE, nullptr, nullptr },
    // The box's tuner sits at 0xC6, its video decoder at 0x42, key and tuner-code
    // registers at 0xBA.
    { "USB 2800", { 0xC6, 0, 0xA0, 0x42, 0xBA, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    // Two tuner channels per device.
    { "QM57 first", { 0xC2, 0xC8, 0xA0, 0, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "QM57 second", { 0xC2, 0xC8, 0xA0, 0, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    // Microcontrollers beside the video decoder, on the split and the straight lanes.
    { "713x MCU", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0, SIM_MCU_SPLIT }, FALSE, nullptr, nullptr },
    { "2388x MCU", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0, SIM_MCU_STRAIGHT }, FALSE, nullptr, nullptr },
    // The DVB-C card's chip is reached through the maker's library; its driver only answers the control interface.
    { "DVB-C", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0 }, FALSE, nullptr, nullptr },
    { "713x_4", { 0xC0, 0, 0xA0, 0x86, 0, 'T', 5, nullptr, 0, SIM_MCU_SPLIT }, FALSE, nullptr, nullptr },
};
const int g_cSimCards = sizeof(g_simCards) / sizeof(g_simCards[0]);

const SimFilterRow g_simFilters[] = {
    // friendly name, class, category, card, bus, vendor properties, pins
    { L"Conexant 2388x Video Capture", &k2388xCapture, &CLSID_VideoInputDeviceCategory, 0, SIMBUS_NONE, nullptr, 0,
      nullptr, 0 },
    { L"Conexant 2388x Tuner", &k2388xTuner, &AM_KSCATEGORY_TVTUNER, 0, SIMBUS_VENDOR_SET, k2388xProperties, 5, nullptr,
      0 },
    { L"713x TV Card Capture", &k713xCapture, &CLSID_VideoInputDeviceCategory, 1, SIMBUS_VENDOR_SET, k713xProperties,
      10, nullptr, 0 },
    { L"713x KS TV Capture", &k713xKsCapture, &CLSID_VideoInputDeviceCategory, 2, SIMBUS_KS_DEVICE, nullptr, 0, nullptr,
      0 },
    { L"Veltrane MPEG-2 Box", &kMpegBox, &CLSID_VideoInputDeviceCategory, 3, SIMBUS_ENCODER_CONTROL, nullptr, 0,
      CAPTURE_PINS },
    { L"Veltrane PX63 Device", &kPX63, &CLSID_VideoInputDeviceCategory, 4, SIMBUS_ENCODER_CONTROL, nullptr, 0,
      CAPTURE_PINS },
    { L"QM42 Video Capture", &kQM42, &CLSID_VideoInputDeviceCategory, 5, SIMBUS_VENDOR_SET, kQM42Properties, 6,
      CAPTURE_PINS },
    { L"TridVid Capture", &kTridVid, &CLSID_VideoInputDeviceCategory, 6, SIMBUS_USB_REQUESTS, nullptr, 0,
      CAPTURE_PINS },
    { L"Trident USB Capture", &kTridentUsb, &CLSID_VideoInputDeviceCategory, 7, SIMBUS_USB_REQUESTS, nullptr, 0,
      CAPTURE_PINS },
    { L"Trident Pemrok Capture", &kTridentPemrok, &CLSID_VideoInputDeviceCategory, 8, SIMBUS_USB_REQUESTS, nullptr, 0,
      CAPTURE_PINS },
    { L"Seldrin Capture", &kSeldrin, &CLSID_VideoInputDeviceCategory, 9, SIMBUS_USB_REQUESTS, nullptr, 0,
      CAPTURE_PINS },
    { L"Tavesh Capture", &kTavesh, &CLSID_VideoInputDeviceCategory, 10, SIMBUS_USB_REQUESTS, nullptr, 0, CAPTURE_PINS },
    { L"Conexant Raptor Video Capture", &kRaptor, &CLSID_VideoInputDeviceCategory, 11, SIMBUS_RAPTOR, nullptr, 0,
      CAPTURE_PINS },
    { L"713x_D TV Card Capture", &k713xD, &CLSID_VideoInputDeviceCategory, 12, SIMBUS_VENDOR_SET, k713xProperties, 10,
      CAPTURE_PINS },
    { L"713x BDA Analog Capture", &k713xBda, &CLSID_VideoInputDeviceCategory, 13, SIMBUS_BDA, nullptr, 0,
      CAPTURE_PINS },
    // The GO7007 driver makes its own pins.
    { L"WIS GO7007SB A/V Capture", &kGo7007, &CLSID_VideoInputDeviceCategory, 14, SIMBUS_GO7007, nullptr, 0, nullptr,
      0 },
    { L"USB 2800 Video", &kUsb2800, &CLSID_VideoInputDeviceCategory, 15, SIMBUS_USB_BRIDGE, nullptr, 0, CAPTURE_PINS },
    { L"USB EMP Audio Device", &kUsbAudioCapture, &CLSID_AudioInputDeviceCategory, 15, SIMBUS_NONE, nullptr, 0, nullptr,
      0 },
    { L"USB EMP Audio Device", &kUsbAudioDevice, &kAudioDeviceCategory, 15, SIMBUS_NONE, nullptr, 0, nullptr, 0 },
    { L"Veltrane QM57 Audio/Video Capture", &kQM57First, &CLSID_VideoInputDeviceCategory, 16, SIMBUS_DEVICE_INTERFACE,
      nullptr, 0, CAPTURE_PINS },
    { L"Veltrane QM57 Audio/Video Capture", &kQM57Second, &CLSID_VideoInputDeviceCategory, 17, SIMBUS_DEVICE_INTERFACE,
      nullptr, 0, CAPTURE_PINS },
    { L"713x_3 TV Card Capture", &k713x3, &CLSID_VideoInputDeviceCategory, 18, SIMBUS_VENDOR_SET, k713xProperties, 10,
      CAPTURE_PINS },
    { L"QM41 Video Capture", &kQM41, &CLSID_VideoInputDeviceCategory, 18, SIMBUS_VENDOR_SET, k713xProperties, 10,
      CAPTURE_PINS },
    { L"Hadlex Capture Card", &kHadlexCapture, &CLSID_VideoInputDeviceCategory, 19, SIMBUS_NONE, nullptr, 0,
      CAPTURE_PINS },
    { L"Hadlex Tuner", &kHadlexTuner, &AM_KSCATEGORY_TVTUNER, 19, SIMBUS_VENDOR_SET, k2388xProperties, 5, nullptr, 0 },
    { L"Conexant 2388x Crossbar", &k2388xCrossbar, &AM_KSCATEGORY_CROSSBAR, 0, SIMBUS_NONE, nullptr, 0,
      kCrossbarPins, 7 },
    { L"DVBC TS Capture", &kDvbc, &CLSID_VideoInputDeviceCategory, 20, SIMBUS_DVBC, nullptr, 0, CAPTURE_PINS },
    // A box on the GO7007 chip under its maker's name.
    { L"Morvik A/V Capture", &kMorvik, &CLSID_VideoInputDeviceCategory, 14, SIMBUS_GO7007, nullptr, 0, nullptr, 0 },
    { L"713x_IO TV Card Capture", &k713xIO, &CLSID_VideoInputDeviceCategory, 18, SIMBUS_VENDOR_SET, k713xProperties,
      10, CAPTURE_PINS },
    { L"713x_4 TV Card Capture", &k713x4, &CLSID_VideoInputDeviceCategory, 21, SIMBUS_VENDOR_SET, k713xProperties, 10,
      CAPTURE_PINS },
    { L"Seldrin Crossbar", &kSeldrinCrossbar, &AM_KSCATEGORY_CROSSBAR, 9, SIMBUS_NONE, nullptr, 0, kCrossbarPins, 7 },
    { L"Conexant Raptor Crossbar", &kRaptorCrossbar, &AM_KSCATEGORY_CROSSBAR, 11, SIMBUS_NONE, nullptr, 0,
      kCrossbarPins, 7 },
    { L"Conexant Raptor Encoder", &kRaptorEncoder, &kEncoderCategory, 11, SIMBUS_RAPTOR_ENCODER, nullptr, 0,
      CAPTURE_PINS },
    { L"713x_D TV Card Crossbar", &k713xDCrossbar, &AM_KSCATEGORY_CROSSBAR, 12, SIMBUS_NONE, nullptr, 0,
      kCrossbarPins, 7 },
    // The system's DV capture filter with a 1394 device behind it; it has no chip bus.
    { L"Microsoft DV Camera and VCR", &kDvDevice, &CLSID_VideoInputDeviceCategory, 0, SIMBUS_DV_DEVICE, nullptr, 0,
      CAPTURE_PINS },
};
const int g_cSimFilters = sizeof(g_simFilters) / sizeof(g_simFilters[0]);
