// The USB boxes, the Raptor card and the 713x microcontroller and BDA cards,
// made by friendly name through the graph, the filter-class registry and the
// system device enumerator, each on its simulated driver.
#include "dshow/NamedMutex.h"
#include "hardware/bus/713xBdaRegisterAccess.h"
#include "hardware/bus/RaptorRegisterAccess.h"
#include "hardware/bus/SeldrinRegisterAccess.h"
#include "hardware/bus/TridentRegisterAccess.h"
#include "hardware/devices/713xDCards.h"
#include "hardware/devices/713xDRegisterAccess.h"
#include "hardware/devices/PinMapCrossbar.h"
#include "hardware/devices/ThirdFamilyCards.h"
#include "tests/hardware/devices/CardGraphFixture.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

#include <string>
#include <thread>

namespace
{
const GUID kEncoderCategory = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

class ThirdFamilyCards : public CardGraph
{
protected:
    // The card behind a capture filter, before any class opened it.
    static ISimCardControl* CardNamed(const char* pszName)
    {
        ComPtr<IBaseFilter> pFilter;
        return CardOf(pszName, pFilter);
    }

    static int EventCount(ISimCardControl* pControl, int kind)
    {
        int n = 0;
        for (int i = 0; i < pControl->GetEventCount(); ++i)
        {
            SimBusEvent event;
            pControl->GetEvent(i, &event);
            n += event.kind == kind;
        }
        return n;
    }
};

template <class T>
bool Is(CRegisterAccess* p)
{
    return dynamic_cast<T*>(p) != nullptr;
}

TEST_F(ThirdFamilyCards, EachCardOpensOnItsDriverWithItsTransportAndTuner)
{
    struct Row
    {
        const char* name;
        int kind;
        bool (*isTransport)(CRegisterAccess*);
        const char* deviceName;
    } rows[] = {
        { "Seldrin Capture", 12, Is<CSeldrinRegisterAccess>, "" },
        { "Tavesh Capture", 14, Is<CSeldrinRegisterAccess>, "" },
        { "Conexant Raptor Video Capture", 13, Is<CRaptorRegisterAccess>, "Conexant Raptor Tuner" },
        { "Trident Pemrok Capture", 19, Is<CTridentUsbRegisterAccess>, "" },
        { "713x_D TV Card Capture", 20, Is<C713xDRegisterAccess>, "PhTVTune" },
        { "713x_4 TV Card Capture", 21,
          [](CRegisterAccess* p) { return Is<CKsPropRegisterAccess>(p) && !Is<C713xDRegisterAccess>(p); },
          "PhTVTune" },
        // Its tuner code 35 stands for type 5.
        { "713x BDA Analog Capture", 22, Is<C713xBdaRegisterAccess>, "" },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        CCaptureDevice* pCard = Open<CCaptureDevice>(row.name);
        ASSERT_NE(nullptr, pCard);
        EXPECT_STREQ(row.name, pCard->GetFriendlyName());
        EXPECT_EQ(1, pCard->GetPinCount());
        EXPECT_NE(nullptr, pCard->GetPin("Capture"));
        EXPECT_EQ(row.kind, pCard->GetCardType());
        EXPECT_TRUE(row.isTransport(pCard->GetRegisterAccess()));
        EXPECT_STREQ(row.deviceName, pCard->GetDeviceName());
        EXPECT_EQ('T', pCard->GetTunerLetter());
        EXPECT_EQ(5, pCard->GetTunerType());
        EXPECT_EQ(100, pCard->GetKeyPollPeriod());
        ASSERT_NE(nullptr, pCard->GetTunerModule());
        EXPECT_EQ(static_cast<CTunerOwner*>(pCard), pCard->GetTunerModule()->m_pOwner);
        graph.RemoveFilter(pCard);
    }
}

TEST_F(ThirdFamilyCards, TheUsbBoxesReadKeysAndTheTunerRecordOnlyWithTheirOptionByte)
{
    struct Row
    {
        const char* name;
        BYTE option;
        bool bKeys;
        bool bTunerFromEeprom;
    } rows[] = {
        { "Seldrin Capture", 'F', true, true },  { "Seldrin Capture", 'C', true, true },
        { "Seldrin Capture", 'X', false, false }, { "Tavesh Capture", 'I', true, true },
        { "Tavesh Capture", 'C', false, true },  { "Tavesh Capture", 0, false, false },
        { "Trident Pemrok Capture", 'X', true, true },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.option));
        ISimCardControl* pControl = CardNamed(row.name);
        ASSERT_NE(nullptr, pControl);
        pControl->SetEepromByte(3, row.option);
        pControl->SetEepromTuner('T', 7);
        pControl->SetRegisterChipByte(48, 1);
        pControl->SetRegisterChipByte(49, 0x2C);

        CCaptureDevice* pCard = Open<CCaptureDevice>(row.name);
        ASSERT_NE(nullptr, pCard);
        EXPECT_EQ(row.bTunerFromEeprom ? 'T' : 'E', pCard->GetTunerLetter());
        EXPECT_EQ(row.bTunerFromEeprom ? 7 : 91, pCard->GetTunerType());
        BYTE key = 0;
        EXPECT_EQ(row.bKeys, pCard->ReadRemoteKey(&key) != FALSE);
        EXPECT_EQ(row.bKeys ? 0x2C : 0, key);
        // Nothing waiting: no key.
        pControl->SetRegisterChipByte(48, 0);
        EXPECT_FALSE(pCard->ReadRemoteKey(&key));
        graph.RemoveFilter(pCard);

        pControl->SetEepromByte(3, 'F');
        pControl->SetEepromTuner('T', 5);
        pControl->SetRegisterChipByte(49, 0);
    }
}

TEST_F(ThirdFamilyCards, AudioInputsAndAddressProbesOfTheUsbBoxesAndTheRaptor)
{
    CSeldrinCapture* pSeldrin = Open<CSeldrinCapture>("Seldrin Capture");
    ASSERT_NE(nullptr, pSeldrin);
    ISimCardControl* pControl = Control(pSeldrin->GetFilter());
    pControl->ClearLog();
    EXPECT_EQ(S_OK, pSeldrin->SetAudioInput(1, TRUE));
    // The probe answers every address from 0x40 up without touching the bus.
    EXPECT_TRUE(pSeldrin->ProbeI2C(0xC2));
    EXPECT_TRUE(pSeldrin->ProbeI2C(0x40));
    EXPECT_FALSE(pSeldrin->ProbeI2C(0x3E));
    EXPECT_EQ(0, pControl->GetEventCount());
    CTunerModule module(pSeldrin->GetRegisterAccess());
    EXPECT_TRUE(pSeldrin->DetectTunerAddress(&module));
    EXPECT_EQ(0xC0, module.m_byI2CWrite);
    EXPECT_EQ(0xC1, module.m_byI2CRead);

    CRaptorCapture* pRaptor = Open<CRaptorCapture>("Conexant Raptor Video Capture");
    ASSERT_NE(nullptr, pRaptor);
    EXPECT_EQ(E_NOTIMPL, pRaptor->SetAudioInput(0, TRUE));
    EXPECT_EQ(0, pRaptor->ReadCardOptionByte());
    // No tuner, crossbar or TV audio upstream on this driver.
    EXPECT_EQ(nullptr, pRaptor->GetTunerFilter());
    EXPECT_EQ(nullptr, pRaptor->GetCrossbarInterface());
    EXPECT_EQ(nullptr, pRaptor->GetTVAudioFilter());
    ISimCardControl* pRaptorControl = Control(pRaptor->GetFilter());
    pRaptorControl->SetRegisterChipByte(0xAB, 0x17);
    BYTE key = 0;
    EXPECT_FALSE(pRaptor->ReadRemoteKey(&key));
    pRaptorControl->SetRegisterChipByte(0xAA, 1);
    ASSERT_TRUE(pRaptor->ReadRemoteKey(&key));
    EXPECT_EQ(0x17, key);
    pRaptorControl->SetRegisterChipByte(0xAA, 0);
}

TEST_F(ThirdFamilyCards, TheRaptorEncoderCarriesItsPropertiesToTheDriver)
{
    CRaptorEncoder* pEncoder = Open<CRaptorEncoder>("Conexant Raptor Encoder", kEncoderCategory);
    ASSERT_NE(nullptr, pEncoder);
    EXPECT_TRUE(pEncoder->IsValid());
    DWORD block[2] = { 6000000, 2 };
    EXPECT_TRUE(pEncoder->SetEncoderProperty(3, block, sizeof(block)));
    DWORD back[2] = { 0, 0 };
    ASSERT_TRUE(pEncoder->GetEncoderProperty(3, back, sizeof(back)));
    EXPECT_EQ(6000000u, back[0]);
    EXPECT_EQ(2u, back[1]);
    EXPECT_FALSE(pEncoder->GetEncoderProperty(99, back, sizeof(back)));
}

TEST_F(ThirdFamilyCards, CrossbarsMapTheSourcesToTheirPins)
{
    struct Row
    {
        const char* name;
        LONG video[3];
        LONG audio[3];
    } rows[] = {
        { "Seldrin Crossbar", { 0, 1, 2 }, { 4, 5, 6 } },
        { "Conexant Raptor Crossbar", { 0, 1, 2 }, { 5, 6, 7 } },
        { "713x_D TV Card Crossbar", { 0, 1, 2 }, { 3, 4, 5 } },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        CPinMapCrossbar* pCrossbar = Open<CPinMapCrossbar>(row.name, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, pCrossbar);
        for (int source = 0; source < 3; ++source)
        {
            EXPECT_EQ(row.video[source], pCrossbar->GetVideoPin(source));
            EXPECT_EQ(row.audio[source], pCrossbar->GetAudioPin(source));
        }
        graph.RemoveFilter(pCrossbar);
    }
}

TEST_F(ThirdFamilyCards, ThePemrokWritesItsLinesAndReachesItsEepromByUsbRegisters)
{
    CTridentPemrokCapture* pCard = Open<CTridentPemrokCapture>("Trident Pemrok Capture");
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    pControl->ClearLog();
    EXPECT_EQ(1, pCard->WriteCardGpio(1, 1));
    EXPECT_EQ(1, EventCount(pControl, SIM_GPIO_WRITE));
    EXPECT_TRUE(pCard->McuWrite(0, 1, 0));

    BYTE bytes[4] = { 0x11, 0x22, 0x33, 0x44 };
    int count = 4;
    EXPECT_EQ(E_INVALIDARG, pCard->WriteEEPROM(bytes, 253, &count, 0));
    EXPECT_EQ(S_OK, pCard->WriteEEPROM(bytes, 0x50, &count, 5));
    BYTE back[4] = {};
    count = 4;
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(back, 0x50, &count));
    EXPECT_EQ(4, count);
    EXPECT_EQ(0, memcmp(bytes, back, 4));
    count = 0;
    EXPECT_EQ(E_INVALIDARG, pCard->ReadEEPROM(back, 0, &count));
}

TEST_F(ThirdFamilyCards, ThePemrokCardGpioWriteReportsFailureAsZero)
{
    CTridentPemrokCapture* pCard = Open<CTridentPemrokCapture>("Trident Pemrok Capture");
    ASSERT_NE(nullptr, pCard);
    // A line the bridge does not have.
    EXPECT_EQ(0, pCard->WriteCardGpio(9, 1));
    EXPECT_FALSE(pCard->McuWrite(1, 9, 0));
}

TEST_F(ThirdFamilyCards, The713x4MicrocontrollerSendsWordsAndHoldsKeysForASecond)
{
    C713x4Capture* pCard = Open<C713x4Capture>("713x_4 TV Card Capture");
    ASSERT_NE(nullptr, pCard);
    EXPECT_FALSE(pCard->SetTunerMode(AMTUNER_MODE_TV));
    ISimCardControl* pControl = Control(pCard->GetFilter());
    ASSERT_TRUE(pCard->McuSendWord(0x0A0B));
    EXPECT_EQ(0x0A0B, pControl->GetMcuValue());
    WORD value = 0;
    ASSERT_TRUE(pCard->McuReadWord(&value));
    EXPECT_EQ(0x0A0B, value);
    EXPECT_TRUE(pCard->McuHandshake(1));

    // A key held for longer than the hold is reported once the second passes.
    clock.SetTickPerRead(0);
    pControl->PressMcuKey(0x3D, 1500);
    BYTE key = 0;
    size_t before = clock.Sleeps().size();
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x3D, key);
    size_t held = clock.Sleeps().size() - before;
    EXPECT_GE(held, 1000u);
    EXPECT_LE(held, 1002u);
}

TEST_F(ThirdFamilyCards, The713xDWritesToItsMicrocontrollerButHasNoWordsNorKeys)
{
    C713xDCapture* pCard = Open<C713xDCapture>("713x_D TV Card Capture");
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    EXPECT_FALSE(pCard->McuSendWord(0x1234));
    WORD value = 0;
    EXPECT_FALSE(pCard->McuReadWord(&value));
    EXPECT_FALSE(pCard->McuHandshake(1));
    pControl->PressMcuKey(0x44, 30);
    BYTE key = 0;
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));
    pControl->PressMcuKey(0, 0);
    pControl->ClearLog();
    EXPECT_TRUE(pCard->McuWrite(0, 0, 0));
    EXPECT_GT(pControl->GetEventCount(), 0);
}

TEST_F(ThirdFamilyCards, The713xDInfoTextIsCutToTheBuffer)
{
    C713xDCapture* pCard = Open<C713xDCapture>("713x_D TV Card Capture");
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    const BYTE digits[] = { 3, 1, 0, 2 };
    for (int i = 0; i < 4; ++i)
        pControl->SetRegisterChipByte(static_cast<BYTE>(32 + i), digits[i]);

    struct Row
    {
        int cch;
        BOOL bRead;
        const char* text;
        int length;
    } rows[] = { { 16, TRUE, "102", 3 }, { 4, TRUE, "102", 3 }, { 3, TRUE, "10", 2 }, { 1, TRUE, "", 0 },
                 { 0, FALSE, "", -1 } };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.cch);
        char text[16];
        memset(text, 'z', sizeof(text));
        text[0] = '\0';
        int length = -1;
        EXPECT_EQ(row.bRead, pCard->ReadCardInfoString(text, row.cch, &length));
        EXPECT_STREQ(row.text, text);
        EXPECT_EQ(row.length, length);
        // Nothing is written behind the buffer given.
        if (row.cch > 0 && row.cch < 16)
        {
            EXPECT_EQ('z', text[row.cch]);
        }
    }
    int length = -1;
    char text[4];
    EXPECT_FALSE(pCard->ReadCardInfoString(NULL, 4, &length));
    pControl->SetRegisterChipByte(32, 0);
    EXPECT_FALSE(pCard->ReadCardInfoString(text, 4, &length));
}

TEST(BdaTunerCodes, FourKnownCodesAndNothingElse)
{
    const struct
    {
        int code;
        int type;
    } rows[] = { { 4, 111 }, { 33, 95 }, { 35, 5 }, { 135, 65 }, { 0, 0 }, { 5, 0 }, { 0x187, 0 }, { 134, 0 } };
    for (const auto& row : rows)
        EXPECT_EQ(row.type, C713xBdaCapture::TunerTypeOfCode(row.code)) << row.code;
}

TEST_F(ThirdFamilyCards, TheBdaCardReadsItsTunerCodeKeysAndEeprom)
{
    C713xBdaCapture* pCard = Open<C713xBdaCapture>("713x BDA Analog Capture");
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());

    // The tuner code at 0x41 (low byte) and 0x42.
    const struct
    {
        BYTE low;
        BYTE high;
        BYTE letter;
        HRESULT hr;
        int type;
        int cLetter;
    } codes[] = { { 0x87, 0, 'P', S_OK, 65, 'P' }, { 0x87, 1, 'T', E_FAIL, 0, 'T' }, { 4, 0, 'Q', S_OK, 111, 'N' } };
    for (const auto& code : codes)
    {
        pControl->SetEepromByte(0x41, code.low);
        pControl->SetEepromByte(0x42, code.high);
        pControl->SetEepromByte(0x68, code.letter);
        int letter = 0, type = -1;
        EXPECT_EQ(code.hr, pCard->ReadTunerCode(&letter, &type));
        EXPECT_EQ(code.type, type);
        EXPECT_EQ(code.cLetter, letter);
    }
    pControl->SetEepromByte(0x41, 35);
    pControl->SetEepromByte(0x42, 0);
    pControl->SetEepromByte(0x68, 'T');

    // The key byte lies on the lanes; the ready line must be low.
    const DWORD lanes = C713xBdaRegisterAccess::SpreadLanes(0xFF) | C713xBdaRegisterAccess::GPIO_READY;
    pControl->SetGpioInputs(C713xBdaRegisterAccess::SpreadLanes(0x6E) | C713xBdaRegisterAccess::GPIO_READY, lanes);
    BYTE key = 0;
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));
    pControl->SetGpioInputs(C713xBdaRegisterAccess::SpreadLanes(0x6E), lanes);
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x6E, key);

    // A wait that reaches the level at once is padded to 100 ms; one that never does gives up after 100 reads.
    size_t before = clock.Sleeps().size();
    EXPECT_TRUE(pCard->WaitGpioReady(FALSE, TRUE));
    std::vector<DWORD> sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<DWORD>({ 99 }), std::vector<DWORD>(sleeps.begin() + before, sleeps.end()));
    before = clock.Sleeps().size();
    EXPECT_FALSE(pCard->WaitGpioReady(TRUE, TRUE));
    EXPECT_EQ(99u, clock.Sleeps().size() - before);
    pControl->SetGpioInputs(0, 0);

    // EEPROM reads: start + count at most 256, 10 ms after each byte.
    BYTE bytes[8] = {};
    int count = 6;
    EXPECT_EQ(E_INVALIDARG, pCard->ReadEEPROM(bytes, 251, &count));
    before = clock.Sleeps().size();
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(bytes, 0x40, &count));
    EXPECT_EQ(6, count);
    EXPECT_EQ(35, bytes[1]);
    sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<DWORD>(6, 10), std::vector<DWORD>(sleeps.begin() + before, sleeps.end()));
}

TEST_F(ThirdFamilyCards, OpensThatFailSilentlyWhileAnotherHoldsTheRemoteControlLock)
{
    HANDLE hHeld = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE hRelease = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread holder([&] {
        CNamedMutex mutex("Mutex_Remote_Control", FALSE);
        mutex.Lock();
        SetEvent(hHeld);
        WaitForSingleObject(hRelease, INFINITE);
        mutex.Unlock();
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hHeld, 10000));
    for (const char* name : { "Seldrin Capture", "Trident Pemrok Capture", "713x BDA Analog Capture" })
        EXPECT_EQ(nullptr, Open<CCaptureDevice>(name)) << name;
    SetEvent(hRelease);
    holder.join();
    CloseHandle(hHeld);
    CloseHandle(hRelease);
    CCaptureDevice* pCard = Open<CCaptureDevice>("Seldrin Capture");
    EXPECT_NE(nullptr, pCard);
}
}  // namespace
