#include "hardware/bus/713xBdaRegisterAccess.h"
#include "hardware/bus/Go7007RegisterAccess.h"
#include "hardware/bus/MpegBoxEncoder.h"
#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "hardware/bus/PX63RegisterAccess.h"
#include "hardware/bus/QM57RegisterAccess.h"
#include "hardware/bus/QM42RegisterAccess.h"
#include "hardware/bus/RaptorRegisterAccess.h"
#include "hardware/bus/SeldrinRegisterAccess.h"
#include "hardware/bus/TridentRegisterAccess.h"
#include "hardware/bus/Usb2800RegisterAccess.h"
#include "hardware/devices/713xDRegisterAccess.h"
#include "platform/sim/chipbus/SimEeprom.h"
#include "tests/hardware/bus/SimCardFixture.h"
#include "tests/hardware/bus/mpegbox/SampleSettings.h"

#include <stdio.h>
#include <string.h>

// The encoder interface of the GO7007 driver, by position: the stream
// setting's name and the capability table. Outside the anonymous namespace:
// only the driver implements it.
struct IGo7007Encoder : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetStreamSetting(char* pszName) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(BYTE* pTable) = 0;
};

namespace {
// A register file of the card (the decoder or the key chip).
CSimEeprom* RegisterChip(ISimCardControl* pControl, BYTE address)
{
    return static_cast<CSimEeprom*>(pControl->GetChip(address));
}

std::vector<SimBusEvent> Events(ISimCardControl* pControl, int kind)
{
    std::vector<SimBusEvent> events;
    for (int i = 0; i < pControl->GetEventCount(); ++i)
    {
        SimBusEvent event;
        pControl->GetEvent(i, &event);
        if (event.kind == kind)
            events.push_back(event);
    }
    return events;
}

TEST_F(SimFilters, TheMpegBoxTunesAndReachesItsChipsThroughItsControlRequest)
{
    CMpegBoxRegisterAccess access;
    ComPtr<IBaseFilter> pBox;
    ISimCardControl* pControl = AttachCard("Veltrane MPEG-2 Box", access, pBox);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);

    // The decoder answers at 7-bit 0x21 through its own read code.
    EXPECT_EQ(S_OK, access.WriteByte(0x42, 0x09, 0x5C));
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0x40, 0x09, &b));
    EXPECT_EQ(0x5C, b);
    EXPECT_EQ(0x5C, RegisterChip(pControl, 0x42)->GetByte(0x09));
    EXPECT_TRUE(MpegBoxReadEeprom(pBox, CSimEeprom::TUNER_TYPE_OFFSET, &b));
    EXPECT_EQ(5, b);
    EXPECT_TRUE(FAILED(access.ReadByte(0x90, 0, &b)));

    EXPECT_TRUE(MpegBoxSetTunerFrequency(pBox, 471250));
    EXPECT_TRUE(static_cast<CSimPllTuner*>(pControl->GetChip(0xC0))->IsOnStation());
}

TEST_F(SimFilters, TheMpegBoxTakesItsFirmwareAndKeepsItsSettings)
{
    ComPtr<IBaseFilter> pBox;
    ASSERT_TRUE(CardOf("Veltrane MPEG-2 Box", pBox) != NULL);
    // The loader waits for its firmware.
    EXPECT_FALSE(MpegBoxCheckFirmwareVersion(pBox));
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    strcat(path, "simbox-firmware.bin");
    FILE* f = fopen(path, "wb");
    ASSERT_TRUE(f != NULL);
    std::vector<BYTE> image(0x40000, 0xA5);
    fwrite(image.data(), 1, image.size(), f);
    fclose(f);
    EXPECT_TRUE(MpegBoxDownloadFirmware(pBox, path));
    DeleteFileA(path);
    EXPECT_TRUE(MpegBoxCheckFirmwareVersion(pBox));
    EXPECT_EQ(std::vector<DWORD>({ 50, 50, 50, 50, 50 }), clock.Sleeps());

    MpegBoxSettings settings = SampleSettings();
    EXPECT_TRUE(MpegBoxApplySettings(&settings, pBox, NULL, FALSE));
    EXPECT_TRUE(MpegBoxSetPrefilter(pBox, &settings.PreFilterInfo));
    MpegBoxSettings read;
    memset(&read, 0xFF, sizeof(read));
    EXPECT_TRUE(MpegBoxReadSettings(pBox, &read));
    EXPECT_EQ(settings.bStreamOutputMode, read.bStreamOutputMode);
    EXPECT_EQ(settings.bVideoResolution, read.bVideoResolution);
    EXPECT_EQ(settings.bEncodingMode, read.bEncodingMode);
    EXPECT_EQ(settings.wVideoBitrate, read.wVideoBitrate);
    EXPECT_EQ(settings.bVariance, read.bVariance);
    EXPECT_EQ(settings.dwMuxRate, read.dwMuxRate);
    EXPECT_EQ(settings.dwVBRPadding, read.dwVBRPadding);
    EXPECT_EQ(settings.awPictureValues[0], read.awPictureValues[0]);
    EXPECT_EQ(settings.awPictureValues[1], read.awPictureValues[1]);
    EXPECT_EQ(settings.bAudioSamplingRate, read.bAudioSamplingRate);
    EXPECT_EQ(settings.bAudioDataRate, read.bAudioDataRate);
    EXPECT_EQ(settings.bAudioOutputMode, read.bAudioOutputMode);
    EXPECT_EQ(settings.bCRCState, read.bCRCState);
    EXPECT_EQ(settings.bClosedGOP, read.bClosedGOP);
    EXPECT_EQ(settings.bInverseTel, read.bInverseTel);
    EXPECT_EQ(settings.bTransportOutputMode, read.bTransportOutputMode);
    EXPECT_EQ(0, memcmp(&settings.PreFilterInfo, &read.PreFilterInfo, sizeof(read.PreFilterInfo)));
}

TEST_F(SimFilters, ThePX63BoxTunesAndSwitchesItsLine)
{
    CPX63RegisterAccess access;
    ComPtr<IBaseFilter> pBox;
    ISimCardControl* pControl = AttachCard("Veltrane PX63 Device", access, pBox);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);
    BYTE block[6] = { 0x42, 0x20, 1, 2, 3, 4 };
    EXPECT_EQ(S_OK, access.I2CWrite(block, 6));
    CSimEeprom* pDecoder = RegisterChip(pControl, 0x42);
    EXPECT_EQ(1, pDecoder->GetByte(0x20));
    EXPECT_EQ(4, pDecoder->GetByte(0x23));
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0x40, 0x22, &b));
    EXPECT_EQ(3, b);
    pControl->ClearLog();
    EXPECT_EQ(1, access.SetGpioLine(1));
    std::vector<SimBusEvent> gpio = Events(pControl, SIM_GPIO_WRITE);
    ASSERT_EQ(1u, gpio.size());
    EXPECT_EQ(1u, gpio[0].value);
    EXPECT_EQ(1u, gpio[0].mask);
}

TEST_F(SimFilters, The713xDAndQM42CardsTuneThroughTheVendorSet)
{
    C713xDRegisterAccess access;
    ComPtr<IBaseFilter> pCard;
    ISimCardControl* pControl = AttachCard("713x_D TV Card Capture", access, pCard);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x1000, 0x3000, 20));
    EXPECT_EQ(std::vector<DWORD>({ 20 }), clock.Sleeps());

    CQM42RegisterAccess qm42;
    ComPtr<IBaseFilter> pQM42;
    ISimCardControl* pQM42Control = AttachCard("QM42 Video Capture", qm42, pQM42);
    ASSERT_TRUE(pQM42Control != NULL);
    TuneAndLock(&qm42, pQM42Control);
    pQM42Control->ClearLog();
    EXPECT_EQ(S_OK, qm42.SetGpioLine(1));
    EXPECT_EQ(0, pQM42Control->GetEventCount());
}

TEST_F(SimFilters, TheTridentBoxesTuneThroughUsbControlTransfers)
{
    CTridVidRegisterAccess vid;
    ComPtr<IBaseFilter> pVid;
    ISimCardControl* pVidControl = AttachCard("TridVid Capture", vid, pVid);
    ASSERT_TRUE(pVidControl != NULL);
    TuneAndLock(&vid, pVidControl);
    BYTE b = 0;
    EXPECT_EQ(S_OK, vid.ReadI2CByte(0xA1, CSimEeprom::TUNER_TYPE_OFFSET, &b));
    EXPECT_EQ(5, b);

    for (const char* name : { "Trident USB Capture", "Trident Pemrok Capture" })
    {
        CTridentUsbRegisterAccess usb;
        ComPtr<IBaseFilter> pBox;
        ISimCardControl* pControl = AttachCard(name, usb, pBox);
        ASSERT_TRUE(pControl != NULL) << name;
        // Its block reads carry a sub-address, so the plain tuner reads no status.
        TuneAndLock(&usb, pControl, 0xC0, false);
        EXPECT_EQ(S_OK, usb.WriteRegister(0xA0, 0x30, 0x77));
        EXPECT_EQ(S_OK, usb.ReadRegister(0xA0, 0x30, &b));
        EXPECT_EQ(0x77, b);
        BYTE status[3] = { 0xC1, 0x00, 0 };
        EXPECT_EQ(S_OK, usb.I2CRead(status, 3));
        EXPECT_EQ(0x40, status[0]);
        pControl->ClearLog();
        EXPECT_EQ(S_OK, usb.SetGpioLine(1));
        std::vector<SimBusEvent> gpio = Events(pControl, SIM_GPIO_WRITE);
        ASSERT_EQ(1u, gpio.size());
        EXPECT_EQ(2u, gpio[0].value);
        EXPECT_EQ(2u, gpio[0].mask);
    }
}

TEST_F(SimFilters, TheSeldrinProbeTellsTheTwoBoxesApartAndLeavesTheirEepromAsItWas)
{
    const struct
    {
        const char* name;
        BYTE flag;
    } boxes[] = { { "Seldrin Capture", 0 }, { "Tavesh Capture", 1 } };
    for (const auto& box : boxes)
    {
        ComPtr<IBaseFilter> pBox;
        ISimCardControl* pControl = CardOf(box.name, pBox);
        ASSERT_TRUE(pControl != NULL) << box.name;
        CSimEeprom* pEeprom = RegisterChip(pControl, 0xA0);
        BYTE first = pEeprom->GetByte(0);
        CSeldrinRegisterAccess access;
        ASSERT_EQ(S_OK, access.Attach(pBox, 0));
        EXPECT_EQ(box.flag, access.GetEepromAccessFlag()) << box.name;
        EXPECT_EQ(first, pEeprom->GetByte(0)) << box.name;
        TuneAndLock(&access, pControl);
        BYTE b = 0;
        EXPECT_EQ(S_OK, access.ReadByte(0xA0, CSimEeprom::TUNER_LETTER_OFFSET, &b)) << box.name;
        EXPECT_EQ('T', b);
        EXPECT_EQ(S_OK, access.WriteGpio(1, 5));
        EXPECT_EQ(S_OK, access.WriteGpio(1, 2));
        DWORD lines = 0;
        EXPECT_EQ(S_OK, access.ReadGpio(&lines));
        EXPECT_EQ(0x24u, lines);
    }
}

TEST_F(SimFilters, TheRaptorCardTunesAndWritesTheRegistersItReadsAnotherWay)
{
    CRaptorRegisterAccess access;
    ComPtr<IBaseFilter> pCard;
    ISimCardControl* pControl = AttachCard("Conexant Raptor Video Capture", access, pCard);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);
    EXPECT_EQ(S_OK, access.WriteByte(0xBA, 0xAA, 0x3C));
    EXPECT_EQ(0x3C, RegisterChip(pControl, 0xBA)->GetByte(0xAA));
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xBA, 0xAA, &b));
    EXPECT_EQ(0x3C, b);
    EXPECT_EQ(S_OK, access.WriteGpio(0x00010002, 0x00030003));
    DWORD lines = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&lines));
    EXPECT_EQ(0x0002u, lines & 0xFFFF);
}

TEST_F(SimFilters, TheBdaCardTunesThroughItsGateAndStrobesItsMicrocontroller)
{
    C713xBdaRegisterAccess access;
    ComPtr<IBaseFilter> pCard;
    ISimCardControl* pControl = AttachCard("713x BDA Analog Capture", access, pCard);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, CSimEeprom::TUNER_TYPE_OFFSET, &b));
    EXPECT_EQ(5, b);
    pControl->ClearLog();
    EXPECT_EQ(S_OK, access.WriteGpio(0x81, 0));
    std::vector<SimBusEvent> writes = Events(pControl, SIM_REG_WRITE);
    ASSERT_EQ(4u, writes.size());
    EXPECT_EQ((1u << 9) | (1u << 18), writes[1].value & 0x0A04AE00);
    pControl->SetGpioInputs(1u << 27, C713xBdaRegisterAccess::SpreadLanes(0xFF));
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x02u, value);
    pControl->SetGpioInputs(0, 0);
}

TEST_F(SimFilters, TheGo7007BoardTunesThroughItsBusInterface)
{
    CGo7007RegisterAccess access;
    ComPtr<IBaseFilter> pCard;
    ISimCardControl* pControl = AttachCard("WIS GO7007SB A/V Capture", access, pCard);
    ASSERT_TRUE(pControl != NULL);
    TuneAndLock(&access, pControl);
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadDirect(0xA0, 8, 17, &b, CGo7007RegisterAccess::FLAGS));
    EXPECT_EQ('T', b);
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 16, &b));
    EXPECT_EQ(5, b);
    EXPECT_EQ(S_OK, access.SendBlock(0xBA, 8, 49, 0x2A, CGo7007RegisterAccess::FLAGS));
    EXPECT_EQ(0x2A, RegisterChip(pControl, 0xBA)->GetByte(49));
    EXPECT_EQ(S_OK, access.ReadByte(0xBA, 49, &b));
    EXPECT_EQ(0x2A, b);
}

// {55F1E004-76CD-412E-9413-68AF75304D73}
const IID kGo7007Encoder = { 0x55F1E004, 0x76CD, 0x412E, { 0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73 } };

DWORD TableWord(const std::vector<BYTE>& table, size_t offset)
{
    DWORD v;
    memcpy(&v, &table[offset], 4);
    return v;
}

TEST_F(SimFilters, TheGo7007EncoderReportsItsStreamSettingAndCapabilities)
{
    ComPtr<IBaseFilter> pCard;
    ASSERT_TRUE(CardOf("WIS GO7007SB A/V Capture", pCard) != NULL);
    ComPtr<IGo7007Encoder> pEncoder;
    ASSERT_EQ(S_OK, pCard->QueryInterface(kGo7007Encoder, reinterpret_cast<void**>(&pEncoder)));
    char name[64];
    EXPECT_EQ(S_OK, pEncoder->GetStreamSetting(name));
    EXPECT_STREQ("DVD", name);
    std::vector<BYTE> table(43948, 0xEE);
    EXPECT_EQ(S_OK, pEncoder->GetCapabilities(table.data()));
    EXPECT_EQ(2u, TableWord(table, 5764));
    EXPECT_STREQ("DVD", reinterpret_cast<const char*>(&table[5768]));
    EXPECT_EQ(3u, TableWord(table, 16448));
    EXPECT_EQ(720u, TableWord(table, 16452 + 332));
    EXPECT_EQ(576u, TableWord(table, 16452 + 336));
    EXPECT_EQ(2u, TableWord(table, 27492));
    EXPECT_EQ(25025u, TableWord(table, 27496 + 332));
    EXPECT_EQ(0u, TableWord(table, 37936));
    EXPECT_EQ(0xEEEEEEEEu, TableWord(table, 43940));
}

TEST_F(SimFilters, TheUsb2800BoxIsFoundByNameAndTunesThroughItsBridge)
{
    ComPtr<IBaseFilter> pBox;
    ISimCardControl* pControl = CardOf("USB 2800 Video", pBox);
    ASSERT_TRUE(pControl != NULL);
    CUsb2800RegisterAccess access;
    EXPECT_EQ(S_OK, access.Attach(NULL, reinterpret_cast<ULONG_PTR>("USB 2800 Video")));
    ASSERT_TRUE(access.Bridge().IsOpen());
    TuneAndLock(&access, pControl, 0xC6);
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, CSimEeprom::TUNER_TYPE_OFFSET, &b));
    EXPECT_EQ(5, b);

    EXPECT_EQ(S_OK, access.WriteGpio(0x05, 0));
    EXPECT_EQ(S_OK, access.WriteGpio(0xF0, 0x30));
    DWORD lines = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&lines));
    EXPECT_EQ(0x35u, lines);

    const BYTE word[2] = { 0x12, 0x34 };
    EXPECT_EQ(S_OK, access.Bridge().WriteIndirect(0x07, word));
    BYTE back[2] = { 0, 0 };
    EXPECT_EQ(S_OK, access.Bridge().ReadIndirect(0x07, back));
    EXPECT_EQ(0, memcmp(word, back, 2));
    EXPECT_TRUE(access.Bridge().IsPresent());
    EXPECT_EQ(S_OK, access.Command1(0));
    EXPECT_FALSE(access.Bridge().IsOpen());
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
}

TEST_F(SimFilters, TheUsbBridgeFindsItsDeviceByPrefixOrByTheFamilysNames)
{
    CUsb2800Bridge bridge;
    EXPECT_TRUE(bridge.Open("USB 2800") != NULL);
    bridge.Close();
    // A name nobody has falls back to the family's list, which has the box.
    EXPECT_TRUE(bridge.Open("USB 2899 Video") != NULL);
    bridge.Close();
    EXPECT_TRUE(CUsb2800Bridge::FindDeviceFilter(CLSID_VideoInputDeviceCategory, "USB 2800 Video Box") == NULL);

    char name[CUsb2800Bridge::NAME_CHARS] = "";
    IBaseFilter* pCapture = NULL;
    IBaseFilter* pDevice = NULL;
    EXPECT_TRUE(bridge.OpenFilters(name, &pCapture, &pDevice, NULL));
    EXPECT_STREQ("USB EMP Audio Device", name);
    EXPECT_TRUE(pCapture != NULL);
    EXPECT_TRUE(pDevice != NULL);
    EXPECT_TRUE(pCapture != pDevice);
    bridge.CloseFilters();
}

TEST_F(SimFilters, TheRegistryNamesTheBridgeDeviceAndItsAudioDevice)
{
    HKEY hTwain = NULL, hAudio = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\TwainDS", 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hTwain, NULL));
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\Audio", 0, NULL, 0, KEY_ALL_ACCESS,
                                             NULL, &hAudio, NULL));
    const char device[] = "USB 2800 Video";
    RegSetValueExA(hTwain, "DSName", 0, REG_SZ, reinterpret_cast<const BYTE*>(device), sizeof(device));
    const char audio[] = "USB EMP Audio";
    RegSetValueExA(hAudio, "DeviceName", 0, REG_SZ, reinterpret_cast<const BYTE*>(audio), sizeof(audio));

    CUsb2800Bridge bridge;
    EXPECT_TRUE(bridge.IsDevicePresent());
    EXPECT_FALSE(bridge.IsOpen());
    EXPECT_TRUE(bridge.OpenDefault() != NULL);
    EXPECT_TRUE(bridge.IsDevicePresent());
    EXPECT_TRUE(bridge.IsOpen());
    bridge.Close();

    char name[CUsb2800Bridge::NAME_CHARS] = "";
    IBaseFilter* pCapture = NULL;
    EXPECT_TRUE(bridge.OpenFilters(name, &pCapture, NULL, NULL));
    EXPECT_STREQ("USB EMP Audio", name);
    EXPECT_TRUE(pCapture != NULL);
    bridge.CloseFilters();

    RegCloseKey(hTwain);
    RegCloseKey(hAudio);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\TwainDS");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\Audio");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800");
}

TEST_F(SimFilters, TheQM57DevicesTuneEachChannelThroughTheirDeviceInterfaces)
{
    ISimCardControl* apControl[2] = { NULL, NULL };
    ComPtr<IBaseFilter> apFilter[2];
    for (int i = 0; i < 2; ++i)
    {
        apFilter[i].Attach(FindNthFilter(CLSID_VideoInputDeviceCategory, L"Veltrane QM57 Audio/Video Capture", i));
        ASSERT_TRUE(apFilter[i] != NULL) << i;
        apControl[i] = Control(apFilter[i]);
        ASSERT_TRUE(apControl[i] != NULL) << i;
    }
    ASSERT_NE(apControl[0], apControl[1]);
    const struct
    {
        int index;
        int device;
        BYTE tuner;
        DWORD gpioMask;
    } rows[] = { { 0, 0, 0xC2, 0xFF }, { 1, 0, 0xC8, 0xFF00 }, { 2, 1, 0xC2, 0xFF }, { 3, 1, 0xC8, 0xFF00 } };
    for (const auto& row : rows)
    {
        CQM57RegisterAccess access;
        ASSERT_EQ(S_OK, access.Attach(NULL, row.index)) << row.index;
        apControl[1 - row.device]->ClearLog();
        TuneAndLock(&access, apControl[row.device], row.tuner);
        EXPECT_EQ(0, apControl[1 - row.device]->GetEventCount()) << row.index;
        BYTE b = 0;
        EXPECT_EQ(S_OK, access.ReadByte(0xA0, CSimEeprom::TUNER_TYPE_OFFSET, &b));
        EXPECT_EQ(5, b);
        apControl[row.device]->ClearLog();
        EXPECT_EQ(1, access.SetGpioLine(1));
        std::vector<SimBusEvent> gpio = Events(apControl[row.device], SIM_GPIO_WRITE);
        ASSERT_EQ(1u, gpio.size());
        EXPECT_EQ(row.gpioMask, gpio[0].mask);
        EXPECT_EQ(row.gpioMask & 0x0101, gpio[0].value);
    }
    CQM57RegisterAccess absent;
    EXPECT_EQ(E_FAIL, absent.Attach(NULL, 4));
}
}  // namespace
