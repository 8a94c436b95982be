// The DVB-C card as the engine makes it: by friendly name through the graph
// and the system device enumerator on its simulated driver, its chip served
// by our stand-in of the maker's library.
#include "dshow/DShowGraph.h"
#include "hardware/bus/DvbcRegisterAccess.h"
#include "hardware/devices/DvbcCapture.h"
#include "hardware/devices/FilterClassTable.h"
#include "platform/standins/dm1105/DM1105.h"
#include "tests/hardware/bus/SimCardFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char kName[] = "DVBC TS Capture";

class DvbcCard : public SimFilters
{
protected:
    void SetUp() override
    {
        RegisterFilterClasses();
        ASSERT_TRUE(graph.CreateGraph());
        pCard = Open();
        ASSERT_NE(nullptr, pCard);
        hWnd = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
        ASSERT_NE(nullptr, hWnd);
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        DestroyWindow(hWnd);
    }

    CDVBCTSCapture* Open()
    {
        return dynamic_cast<CDVBCTSCapture*>(
            graph.AddFilterByName(CLSID_VideoInputDeviceCategory, kName, kName, FALSE, 0));
    }

    // The keys posted to the window so far.
    std::vector<WPARAM> PostedKeys()
    {
        std::vector<WPARAM> keys;
        MSG msg;
        while (PeekMessageA(&msg, hWnd, CDVBCTSCapture::WM_REMOTE_KEY, CDVBCTSCapture::WM_REMOTE_KEY, PM_REMOVE))
        {
            EXPECT_EQ(0, msg.lParam);
            keys.push_back(msg.wParam);
        }
        return keys;
    }

    CDShowGraph graph;
    CDVBCTSCapture* pCard = nullptr;
    HWND hWnd = NULL;
};

TEST_F(DvbcCard, OpensOnItsDriverWithItsControlAndTransport)
{
    EXPECT_TRUE(pCard->IsValid());
    EXPECT_STREQ(kName, pCard->GetFriendlyName());
    EXPECT_EQ(16, pCard->GetCardType());
    CDvbcRegisterAccess* pAccess = dynamic_cast<CDvbcRegisterAccess*>(pCard->GetRegisterAccess());
    ASSERT_NE(nullptr, pAccess);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(static_cast<CCaptureDevice*>(pCard)), pAccess->GetOwner());
    EXPECT_NE(nullptr, pCard->GetControl());
    EXPECT_NE(nullptr, pCard->GetPin("Capture"));
    EXPECT_EQ(6875u, pCard->GetSymbolRate());
    EXPECT_EQ(2u, pCard->GetModulation());
    EXPECT_EQ(0, pCard->GetBandCount());
    DWORD first = 1, second = 1;
    pCard->GetPair(&first, &second);
    EXPECT_EQ(0u, first);
    EXPECT_EQ(0u, second);
}

TEST_F(DvbcCard, ControlCallsReachTheDriverWithTheirArguments)
{
    ISimCardControl* pControl = Control(pCard->GetFilter());
    ASSERT_NE(nullptr, pControl);
    pControl->ClearLog();
    EXPECT_TRUE(pCard->Control1());
    EXPECT_TRUE(pCard->Control2());
    EXPECT_TRUE(pCard->Control3(11, 12));
    EXPECT_TRUE(pCard->Control5());
    EXPECT_TRUE(pCard->Control6(6));
    EXPECT_TRUE(pCard->Control7(7));
    EXPECT_TRUE(pCard->Control8(8));
    EXPECT_TRUE(pCard->Control9(9));
    EXPECT_TRUE(pCard->Control10(10));
    EXPECT_TRUE(pCard->Control12(12));
    EXPECT_TRUE(pCard->Control18(180, 181));
    // A refused call reports failure.
    EXPECT_FALSE(pCard->Control6(0xFFFFFFFF));

    std::vector<std::string> calls;
    for (int i = 0; i < pControl->GetEventCount(); ++i)
    {
        SimBusEvent event;
        pControl->GetEvent(i, &event);
        if (event.kind == SIM_COMMAND)
            calls.push_back(std::to_string(event.reg) + ":" + std::to_string(event.value));
    }
    const std::vector<std::string> expected = { "1:0",  "2:0",  "3:11",   "259:12",  "5:0",  "6:6",
                                                "7:7",  "8:8",  "9:9",    "10:10",   "12:12", "18:180",
                                                "274:181", "6:4294967295" };
    EXPECT_EQ(expected, calls);
}

TEST_F(DvbcCard, EepromGoesByteByByteThroughTheLibrary)
{
    const BYTE written[4] = { 0x11, 0x22, 0x33, 0x44 };
    int count = 4;
    ASSERT_EQ(S_OK, pCard->WriteEEPROM(const_cast<BYTE*>(written), 127, &count, 0));
    // Each byte lies at its own address: 127, 128, 129, 130.
    for (int i = 0; i < 4; ++i)
    {
        BYTE value = 0;
        ASSERT_TRUE(::ReadEEPROM(127 + i, &value, 1));
        EXPECT_EQ(written[i], value) << i;
    }
    BYTE read[4] = {};
    count = 4;
    ASSERT_EQ(S_OK, pCard->ReadEEPROM(read, 127, &count));
    EXPECT_EQ(4, count);
    EXPECT_EQ(0, memcmp(written, read, 4));
}

TEST_F(DvbcCard, EepromCallsOutsideTheChipAreRefused)
{
    BYTE buffer[8] = {};
    BYTE before = 0;
    ASSERT_TRUE(::ReadEEPROM(128, &before, 1));
    struct Row
    {
        BYTE* pBuffer;
        int start;
        int count;
        HRESULT expected;
    } rows[] = {
        { buffer, 128, 1, E_INVALIDARG },   // start beyond the first half
        { buffer, -1, 1, E_INVALIDARG },    // negative start
        { buffer, 0, 0, E_INVALIDARG },     // no bytes
        { buffer, 0, -3, E_INVALIDARG },    // negative count
        { buffer, 127, 130, E_INVALIDARG }, // a run past the chip's end
        { nullptr, 0, 1, E_POINTER },       // no buffer
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.start);
        SCOPED_TRACE(row.count);
        int count = row.count;
        EXPECT_EQ(row.expected, pCard->ReadEEPROM(row.pBuffer, row.start, &count));
        count = row.count;
        memset(buffer, 0x5A, sizeof(buffer));
        EXPECT_EQ(row.expected, pCard->WriteEEPROM(row.pBuffer, row.start, &count, 0));
    }
    int count = 1;
    EXPECT_EQ(E_POINTER, pCard->ReadEEPROM(buffer, 0, nullptr));
    EXPECT_EQ(E_POINTER, pCard->WriteEEPROM(buffer, 0, nullptr, 0));
    EXPECT_EQ(1, count);
    BYTE after = 0;
    ASSERT_TRUE(::ReadEEPROM(128, &after, 1));
    EXPECT_EQ(before, after);
}

TEST_F(DvbcCard, OneKeyReachesTheWindowPerArming)
{
    pCard->SetNotify(hWnd, 1, 2);
    ASSERT_TRUE(pCard->RegisterKeyCallback());
    ASSERT_TRUE(InjectIRkey(0x1234));
    ASSERT_TRUE(InjectIRkey(0x0056));
    EXPECT_EQ(std::vector<WPARAM>({ 0x34 }), PostedKeys());

    // Arming again lets the next key through.
    ASSERT_TRUE(pCard->RegisterKeyCallback());
    ASSERT_TRUE(InjectIRkey(0x77));
    EXPECT_EQ(std::vector<WPARAM>({ 0x77 }), PostedKeys());

    // Without a window nothing is posted.
    ASSERT_TRUE(pCard->RegisterKeyCallback());
    pCard->SetNotify(NULL, 0, 0);
    ASSERT_TRUE(InjectIRkey(0x78));
    EXPECT_TRUE(PostedKeys().empty());

    ASSERT_TRUE(pCard->UnregisterKeyCallback());
    EXPECT_FALSE(InjectIRkey(0x79));
}

TEST_F(DvbcCard, OnlyTheRegisteredDeviceHoldsTheCallback)
{
    CDVBCTSCapture* pSecond = Open();
    ASSERT_NE(nullptr, pSecond);
    HWND hSecondWnd = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    pCard->SetNotify(hWnd, 0, 0);
    pSecond->SetNotify(hSecondWnd, 0, 0);

    ASSERT_TRUE(pCard->RegisterKeyCallback());
    // The second device is told yes but does not take the callback over.
    EXPECT_TRUE(pSecond->RegisterKeyCallback());
    // Nor can it take the first device's callback away.
    EXPECT_FALSE(pSecond->UnregisterKeyCallback());
    ASSERT_TRUE(InjectIRkey(0x21));
    EXPECT_EQ(std::vector<WPARAM>({ 0x21 }), PostedKeys());
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, hSecondWnd, 0, 0, PM_REMOVE));

    // Removing the registered device gives the callback back to the library.
    graph.RemoveFilter(pCard);
    pCard = nullptr;
    EXPECT_FALSE(InjectIRkey(0x22));
    ASSERT_TRUE(pSecond->RegisterKeyCallback());
    ASSERT_TRUE(InjectIRkey(0x23));
    ASSERT_TRUE(PeekMessageA(&msg, hSecondWnd, CDVBCTSCapture::WM_REMOTE_KEY, CDVBCTSCapture::WM_REMOTE_KEY, PM_REMOVE));
    EXPECT_EQ(0x23u, msg.wParam);
    graph.RemoveFilter(pSecond);
    EXPECT_FALSE(InjectIRkey(0x24));
    DestroyWindow(hSecondWnd);
}

TEST_F(DvbcCard, BandsAndTheirFrequencyRange)
{
    DWORD low = 0, high = 0;
    pCard->GetFrequencyRange(&low, &high);
    EXPECT_EQ(100000u, low);
    EXPECT_EQ(900000u, high);

    const DvbcBand one[] = { { 300000, 400000, 7 } };
    pCard->SetBands(one, 1);
    pCard->GetFrequencyRange(&low, &high);
    EXPECT_EQ(300000u, low);
    EXPECT_EQ(400000u, high);

    const DvbcBand three[] = { { 150000, 200000, 1 }, { 470000, 860000, 2 }, { 50000, 90000, 3 } };
    pCard->SetBands(three, 3);
    EXPECT_EQ(3, pCard->GetBandCount());
    ASSERT_NE(nullptr, pCard->GetBand(2));
    EXPECT_EQ(3u, pCard->GetBand(2)->dwValue);
    EXPECT_EQ(nullptr, pCard->GetBand(3));
    EXPECT_EQ(nullptr, pCard->GetBand(-1));
    pCard->GetFrequencyRange(&low, &high);
    EXPECT_EQ(50000u, low);
    EXPECT_EQ(860000u, high);

    // A null table with a count changes nothing; an empty table empties it.
    pCard->SetBands(nullptr, 2);
    EXPECT_EQ(3, pCard->GetBandCount());
    pCard->SetBands(three, 0);
    EXPECT_EQ(0, pCard->GetBandCount());
    EXPECT_EQ(nullptr, pCard->GetBand(0));
}

TEST_F(DvbcCard, PortPowerPairAndBufferChecks)
{
    BYTE port = 0;
    ASSERT_TRUE(pCard->SetPortPower(TRUE));
    ASSERT_TRUE(ReadPortBYTE(24, &port));
    EXPECT_EQ(0x90, port);
    ASSERT_TRUE(pCard->SetPortPower(FALSE));
    ASSERT_TRUE(ReadPortBYTE(24, &port));
    EXPECT_EQ(0, port);

    pCard->SetPair(5, 6);
    DWORD first = 0, second = 0;
    pCard->GetPair(&first, &second);
    EXPECT_EQ(5u, first);
    EXPECT_EQ(6u, second);

    BYTE block[64];
    EXPECT_TRUE(CDVBCTSCapture::IsValidBuffer(block, sizeof(block), TRUE));
    EXPECT_FALSE(CDVBCTSCapture::IsValidBuffer(nullptr, 4, FALSE));
    void* pReadOnly = VirtualAlloc(NULL, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY);
    ASSERT_NE(nullptr, pReadOnly);
    EXPECT_TRUE(CDVBCTSCapture::IsValidBuffer(pReadOnly, 4096, FALSE));
    EXPECT_FALSE(CDVBCTSCapture::IsValidBuffer(pReadOnly, 4096, TRUE));
    VirtualFree(pReadOnly, 0, MEM_RELEASE);
    void* pReserved = VirtualAlloc(NULL, 4096, MEM_RESERVE, PAGE_NOACCESS);
    EXPECT_FALSE(CDVBCTSCapture::IsValidBuffer(pReserved, 16, FALSE));
    VirtualFree(pReserved, 0, MEM_RELEASE);
}
}  // namespace
