// The card classes as the engine makes them: by friendly name through the
// graph, the filter-class registry and the system device enumerator, each on
// its simulated driver.
#include "hardware/bus/2388xRegisterAccess.h"
#include "hardware/bus/McuRegisterAccess.h"
#include "hardware/bus/PX63RegisterAccess.h"
#include "hardware/bus/QM42RegisterAccess.h"
#include "hardware/bus/QM57RegisterAccess.h"
#include "hardware/bus/TridentRegisterAccess.h"
#include "hardware/bus/Usb2800RegisterAccess.h"
#include "hardware/devices/713xCards.h"
#include "hardware/devices/ConexantCards.h"
#include "hardware/devices/KsPropRegisterAccess.h"
#include "hardware/devices/PinMapCrossbar.h"
#include "hardware/devices/SecondFamilyCards.h"
#include "hardware/devices/Usb2800Cards.h"
#include "platform/sim/chipbus/SimMcu.h"
#include "tests/hardware/devices/CardGraphFixture.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

#include <algorithm>
#include <string>

namespace
{
class CardFamilies : public CardGraph
{
protected:
    static ISimCardControl* ControlOf(CFilterNode* pNode) { return Control(pNode->GetFilter()); }

    // The GPIO writes of the log since it was cleared, as "value/mask".
    static std::vector<std::string> GpioWrites(ISimCardControl* pControl)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < pControl->GetEventCount(); ++i)
        {
            SimBusEvent event;
            pControl->GetEvent(i, &event);
            if (event.kind == SIM_GPIO_WRITE)
            {
                char line[32];
                sprintf(line, "%08lX/%08lX", event.value, event.mask);
                lines.push_back(line);
            }
        }
        return lines;
    }
};

TEST_F(CardFamilies, EachCardOpensOnItsDriverWithItsTransportAndTuner)
{
    struct Row
    {
        const char* name;
        int kind;
        int letter;
        int type;
        int keyPoll;
        bool (*isTransport)(CRegisterAccess*);
        bool bCapturePin;
    } rows[] = {
        { "713x TV Card Capture", 2, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CVendorPropRegisterAccess*>(p) != nullptr; } },
        { "713x_3 TV Card Capture", 2, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CKsPropRegisterAccess*>(p) != nullptr; }, true },
        { "QM41 Video Capture", 2, 'T', 4, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CKsPropRegisterAccess*>(p) != nullptr; }, true },
        { "QM42 Video Capture", 2, 'T', 4, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CQM42RegisterAccess*>(p) != nullptr; }, true },
        { "Conexant 2388x Video Capture", 3, 'T', 5, 100,
          [](CRegisterAccess* p) {
              return dynamic_cast<C2388xRegisterAccess*>(p) != nullptr && dynamic_cast<CMcuRegisterAccess*>(p) == nullptr;
          } },
        { "Hadlex Capture Card", 3, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CMcuRegisterAccess*>(p) != nullptr; }, true },
        { "713x_IO TV Card Capture", 2, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CKsPropRegisterAccess*>(p) != nullptr; }, true },
        // Its tuner is fixed; the card kind stays 0.
        { "Veltrane QM57 Audio/Video Capture", 0, 'E', 91, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CQM57RegisterAccess*>(p) != nullptr; }, true },
        { "TridVid Capture", 0, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CTridVidRegisterAccess*>(p) != nullptr; }, true },
        { "Trident USB Capture", 17, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CTridentUsbRegisterAccess*>(p) != nullptr; }, true },
        // The tuner record at 0xA0 and 0xA1 of the EEPROM at 0xA2.
        { "Veltrane PX63 Device", 15, 'T', 5, 100,
          [](CRegisterAccess* p) { return dynamic_cast<CPX63RegisterAccess*>(p) != nullptr; }, true },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        CCaptureDevice* pCard = Open<CCaptureDevice>(row.name);
        ASSERT_NE(nullptr, pCard);
        EXPECT_STREQ(row.name, pCard->GetFriendlyName());
        EXPECT_EQ(row.bCapturePin, pCard->GetPin("Capture") != nullptr);
        EXPECT_EQ(row.kind, pCard->GetCardType());
        EXPECT_TRUE(row.isTransport(pCard->GetRegisterAccess()));
        EXPECT_EQ(row.letter, pCard->GetTunerLetter());
        EXPECT_EQ(row.type, pCard->GetTunerType());
        EXPECT_EQ(row.keyPoll, pCard->GetKeyPollPeriod());
        ASSERT_NE(nullptr, pCard->GetTunerModule());
        EXPECT_EQ(static_cast<CTunerOwner*>(pCard), pCard->GetTunerModule()->m_pOwner);
        graph.RemoveFilter(pCard);
    }
}

TEST_F(CardFamilies, TheSplitLaneMicrocontrollerKeepsAWordAndAnswersItsProbes)
{
    C713x3Capture* pCard = Open<C713x3Capture>("713x_3 TV Card Capture");
    ASSERT_NE(nullptr, pCard);
    EXPECT_STREQ("PhTVTune", pCard->GetTunerFilterName());
    ISimCardControl* pControl = ControlOf(pCard);
    ASSERT_NE(nullptr, pControl);

    // The audio lines stand at input 2 and stay there through the exchanges.
    ASSERT_EQ(S_OK, pCard->SetAudioInput(2, TRUE));
    ASSERT_TRUE(pCard->McuSendWord(0x1234));
    EXPECT_EQ(0x1234, pControl->GetMcuValue());
    WORD value = 0;
    ASSERT_TRUE(pCard->McuReadWord(&value));
    EXPECT_EQ(0x1234, value);
    EXPECT_TRUE(pCard->McuHandshake(1));
    EXPECT_TRUE(pCard->McuHandshake(0));
    DWORD gpio = 0;
    ASSERT_EQ(S_OK, pCard->GetRegisterAccess()->ReadGpio(&gpio));
    EXPECT_EQ(0x2000u, gpio & 0x7000);

    // A held key: the inverted byte of the last word read while it was held.
    pControl->PressMcuKey(0x5A, 30);
    BYTE key = 0;
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x5A, key);
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));

    // A silent controller fails the read after its 500 ms, once per request.
    pControl->SetMcuSilent(TRUE);
    clock.SetTickPerRead(1);
    EXPECT_FALSE(pCard->McuReadWord(&value));
    pControl->SetMcuSilent(FALSE);
}

TEST_F(CardFamilies, TheStraightLaneMicrocontrollerSendsUnderTheRemoteLockAndKeepsAudio)
{
    CHadlexCapture* pCard = Open<CHadlexCapture>("Hadlex Capture Card");
    ASSERT_NE(nullptr, pCard);
    EXPECT_EQ(500, pCard->GetKeyTimeout());
    ISimCardControl* pControl = ControlOf(pCard);
    ASSERT_NE(nullptr, pControl);
    ASSERT_EQ(S_OK, pCard->SetAudioInput(1, TRUE));
    pControl->ClearLog();
    ASSERT_TRUE(pCard->McuSendWord(90));
    EXPECT_EQ(90, pControl->GetMcuValue());
    EXPECT_TRUE(pCard->McuHandshake(1));
    // Every write to the controller carried the audio lines as they were.
    std::vector<std::string> writes = GpioWrites(pControl);
    ASSERT_FALSE(writes.empty());
    for (const std::string& write : writes)
        EXPECT_EQ(1, std::stoi(write.substr(4, 1), nullptr, 16) & 7) << write;
    // High byte with code 2, then the low byte with code 1.
    EXPECT_NE(writes.end(), std::find(writes.begin(), writes.end(), "00001400/00FFF600"));
    EXPECT_NE(writes.end(), std::find(writes.begin(), writes.end(), "005A1200/00FFF600"));

    // A key held longer than the 500 ms hold is reported once the hold passes.
    clock.SetTickPerRead(0);
    pControl->PressMcuKey(0x42, 700);
    BYTE key = 0;
    std::vector<DWORD> before = clock.Sleeps();
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x42, key);
    size_t held = clock.Sleeps().size() - before.size();
    EXPECT_GE(held, 500u);
    EXPECT_LE(held, 502u);
}

TEST_F(CardFamilies, AudioInputsOfTheConexantAndQMCards)
{
    struct Row
    {
        const char* name;
        int input;
        BOOL bEnable;
        DWORD lines;
    } rows[] = {
        { "Conexant 2388x Video Capture", 1, TRUE, 0x5000 }, { "Conexant 2388x Video Capture", 5, TRUE, 0x4000 },
        { "Conexant 2388x Video Capture", 1, FALSE, 0x7000 }, { "QM41 Video Capture", 0, TRUE, 0x0000 },
        { "QM41 Video Capture", 1, TRUE, 0x1000 },           { "QM41 Video Capture", 2, TRUE, 0x2000 },
        { "QM41 Video Capture", 5, TRUE, 0x0000 },           { "QM41 Video Capture", 2, FALSE, 0x7000 },
        { "QM42 Video Capture", 0, TRUE, 0x0000 },           { "QM42 Video Capture", 1, TRUE, 0x1000 },
        { "QM42 Video Capture", 2, TRUE, 0x2000 },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.input));
        CCaptureDevice* pCard = Open<CCaptureDevice>(row.name);
        ASSERT_NE(nullptr, pCard);
        // Line 14 set, lines 12-13 at input 0.
        ASSERT_EQ(S_OK, pCard->GetRegisterAccess()->WriteGpio(0x4000, 0x7000));
        ASSERT_EQ(S_OK, pCard->SetAudioInput(row.input, row.bEnable));
        DWORD gpio = 0;
        ASSERT_EQ(S_OK, pCard->GetRegisterAccess()->ReadGpio(&gpio));
        EXPECT_EQ(row.lines, gpio & 0x7000);
        graph.RemoveFilter(pCard);
    }
}

TEST_F(CardFamilies, UsbBoxesTakeTheirTunerAndKeysFromTheBridgeChip)
{
    struct Row
    {
        BYTE code;
        int type;
    } rows[] = { { 7, 4 }, { 1, 3 }, { 6, 11 }, { 0, 5 } };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.code);
        ComPtr<IBaseFilter> pFilter;
        ISimCardControl* pControl = CardOf("USB 2800 Video", pFilter);
        ASSERT_NE(nullptr, pControl);
        pControl->SetRegisterChipByte(50, row.code);
        CUSB2800Capture* pCard = Open<CUSB2800Capture>("USB 2800 Video");
        ASSERT_NE(nullptr, pCard);
        EXPECT_EQ(row.type, pCard->GetTunerType());
        EXPECT_EQ('T', pCard->GetTunerLetter());
        EXPECT_EQ(row.code == 0, pCard->IsTunerFromEeprom() != FALSE);
        ASSERT_NE(nullptr, pCard->GetTunerModule());
        EXPECT_EQ(0xC6, pCard->GetTunerModule()->m_byI2CWrite);

        BYTE key = 0;
        pControl->SetRegisterChipByte(48, 2);
        pControl->SetRegisterChipByte(49, 0x33);
        EXPECT_FALSE(pCard->ReadRemoteKey(&key));
        pControl->SetRegisterChipByte(48, 1);
        ASSERT_TRUE(pCard->ReadRemoteKey(&key));
        EXPECT_EQ(0x33, key);
        pControl->SetRegisterChipByte(48, 0);
        pControl->SetRegisterChipByte(50, 0);
        graph.RemoveFilter(pCard);
    }
}

TEST_F(CardFamilies, CrossbarsMapTheSourcesToTheirPins)
{
    CConexant2388xCrossbar* pCrossbar = Open<CConexant2388xCrossbar>("Conexant 2388x Crossbar", AM_KSCATEGORY_CROSSBAR);
    ASSERT_NE(nullptr, pCrossbar);
    LONG video[3] = { pCrossbar->GetVideoPin(0), pCrossbar->GetVideoPin(1), pCrossbar->GetVideoPin(2) };
    LONG audio[3] = { pCrossbar->GetAudioPin(0), pCrossbar->GetAudioPin(1), pCrossbar->GetAudioPin(2) };
    EXPECT_EQ(std::vector<LONG>({ 1, 2, 0 }), std::vector<LONG>(video, video + 3));
    EXPECT_EQ(std::vector<LONG>({ 4, 5, 6 }), std::vector<LONG>(audio, audio + 3));
    EXPECT_EQ(1, pCrossbar->GetVideoPin(7));
}

HANDLE g_hCardEvent;
LONG g_nCardEvents;

void OnCardEvent()
{
    InterlockedIncrement(&g_nCardEvents);
    SetEvent(g_hCardEvent);
}

TEST_F(CardFamilies, TheIOCardCallsItsCallbackOnEachCardEvent)
{
    C713xIOCapture* pCard = Open<C713xIOCapture>("713x_IO TV Card Capture");
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = ControlOf(pCard);
    ASSERT_NE(nullptr, pControl);
    g_hCardEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    g_nCardEvents = 0;
    pControl->ClearLog();
    ASSERT_TRUE(pCard->CardExtension1(5));
    ASSERT_TRUE(pCard->CardExtension2(reinterpret_cast<ULONG_PTR>(&OnCardEvent)));
    ASSERT_TRUE(pCard->CardExtension3(1));

    // The driver is told the parameter, the event to signal and the start.
    std::vector<SimBusEvent> commands;
    for (int i = 0; i < pControl->GetEventCount(); ++i)
    {
        SimBusEvent event;
        pControl->GetEvent(i, &event);
        if (event.kind == SIM_COMMAND)
            commands.push_back(event);
    }
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(10u, commands[0].reg);
    EXPECT_EQ(5u, commands[0].value);
    EXPECT_EQ(7u, commands[1].reg);
    EXPECT_EQ(8u, commands[2].reg);
    EXPECT_EQ(1u, commands[2].value);

    // The driver signals its event for each card event, as the card's driver would.
    HANDLE hDriverEvent = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(commands[1].value));
    for (LONG n = 1; n <= 2; ++n)
    {
        ASSERT_TRUE(SetEvent(hDriverEvent));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_hCardEvent, 10000));
        EXPECT_EQ(n, g_nCardEvents);
    }

    pControl->ClearLog();
    EXPECT_TRUE(pCard->DeleteAuxObject());
    SimBusEvent event;
    ASSERT_TRUE(pControl->GetEvent(0, &event));
    EXPECT_EQ(SIM_COMMAND, event.kind);
    EXPECT_EQ(9u, event.reg);
    // Stopped: a further event reaches nobody.
    SetEvent(hDriverEvent);
    EXPECT_EQ(2, g_nCardEvents);
    graph.RemoveFilter(pCard);
    CloseHandle(g_hCardEvent);
}

TEST(McuLaneCodec, SplitLanesSkipBit24)
{
    EXPECT_EQ(0x0EF80000u, CMcuCaptureDevice::GpioLaneCodec(0xFF, TRUE, CMcuCaptureDevice::LANES_SPLIT));
    EXPECT_EQ(0xFFu, CMcuCaptureDevice::GpioLaneCodec(0x0EF80000, FALSE, CMcuCaptureDevice::LANES_SPLIT));
    EXPECT_EQ(0u, CMcuCaptureDevice::GpioLaneCodec(0x01000000, FALSE, CMcuCaptureDevice::LANES_SPLIT));
    for (int b = 0; b < 256; ++b)
    {
        DWORD lines = CMcuCaptureDevice::GpioLaneCodec(b, TRUE, CMcuCaptureDevice::LANES_SPLIT);
        EXPECT_EQ(0u, lines & 0x01000000);
        EXPECT_EQ(static_cast<DWORD>(b), CMcuCaptureDevice::GpioLaneCodec(lines, FALSE, CMcuCaptureDevice::LANES_SPLIT));
        EXPECT_EQ(CSimMcu::Encode(static_cast<BYTE>(b), true), lines);
    }
}
}  // namespace
