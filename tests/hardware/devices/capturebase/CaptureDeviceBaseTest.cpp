// The base behaviour of the capture-device interface on a recording bus.
#include "hardware/devices/CaptureDevice.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace
{
// A recording bus whose byte writes answer from a list, one result per write.
class CScriptedWriteBus : public CRecordingRegisterAccess
{
public:
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override
    {
        CRecordingRegisterAccess::WriteByte(device, subAddress, value);
        if (results.empty())
            return S_OK;
        HRESULT hr = results.front();
        results.pop_front();
        return hr;
    }
    std::deque<HRESULT> results;
};

// A device with no filter around a bus the test owns.
class CBusDevice : public CCaptureDevice
{
public:
    explicit CBusDevice(CRegisterAccess* pBus) : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL))
    {
        m_pRegisterAccess = pBus;
        m_nCardKind = CARD_KIND_VENDOR_PROPERTY;
    }
    ~CBusDevice() override { m_pRegisterAccess = NULL; }
    int Letter() const { return m_cTunerLetter; }
    void SetTunerCode(int letter, int type)
    {
        m_cTunerLetter = letter;
        m_nTunerType = type;
    }
};

std::vector<std::string> Lines(const std::vector<std::string>& calls, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& call : calls)
    {
        if (call.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(call);
    }
    return lines;
}

class CaptureDeviceBase : public ::testing::Test
{
protected:
    CFastBusClock clock;
    CScriptedWriteBus bus;
    CBusDevice device{ &bus };
};

TEST_F(CaptureDeviceBase, EepromReadsStayInsideTheChip)
{
    bus.SetDefaultRead(0x5A, S_OK);
    BYTE buffer[8] = {};
    struct Row
    {
        int start;
        int count;
        HRESULT hr;
    } rows[] = { { 250, 7, E_INVALIDARG }, { 250, 6, S_OK }, { 0, 0, E_INVALIDARG }, { 0, 1, S_OK },
                 { 0x1FF, 1, S_OK }, { 0x1FF, 2, E_INVALIDARG } };
    for (const Row& row : rows)
    {
        bus.TakeCalls();
        int count = row.count;
        EXPECT_EQ(row.hr, device.ReadEEPROM(buffer, row.start, &count)) << row.start << "+" << row.count;
        if (row.hr != S_OK)
        {
            EXPECT_TRUE(bus.Calls().empty());
            continue;
        }
        EXPECT_EQ(row.count, count);
        std::vector<std::string> reads = Lines(bus.Calls(), "ReadByte");
        ASSERT_EQ(static_cast<size_t>(row.count), reads.size());
        EXPECT_EQ("ReadByte A0 " + std::to_string(row.start & 0xFF), reads.front());
    }
    EXPECT_EQ(E_INVALIDARG, device.ReadEEPROM(NULL, 0, NULL));
}

TEST_F(CaptureDeviceBase, EepromReadCountsTheBytesThatCame)
{
    bus.QueueRead({ 0x11 });
    bus.QueueRead({ 0 }, E_FAIL);
    bus.QueueRead({ 0x33 });
    BYTE buffer[3] = { 0xEE, 0xEE, 0xEE };
    int count = 3;
    EXPECT_EQ(S_OK, device.ReadEEPROM(buffer, 0x10, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(0x11, buffer[0]);
    EXPECT_EQ(0xEE, buffer[1]);
    EXPECT_EQ(0x33, buffer[2]);

    bus.SetDefaultRead(0, E_FAIL);
    count = 2;
    EXPECT_EQ(E_FAIL, device.ReadEEPROM(buffer, 0, &count));
    EXPECT_EQ(0, count);
}

TEST_F(CaptureDeviceBase, EepromWriteReportsTheFirstFailureAfterTryingEveryByte)
{
    bus.results = { S_OK, E_FAIL, S_OK, E_ACCESSDENIED };
    BYTE data[5] = { 1, 2, 3, 4, 5 };
    int count = 4;
    EXPECT_EQ(E_FAIL, device.WriteEEPROM(data, 0xFC, &count, 10));
    std::vector<std::string> writes = Lines(bus.Calls(), "WriteByte");
    ASSERT_EQ(4u, writes.size());
    EXPECT_EQ("WriteByte A0 252 01", writes[0]);
    EXPECT_EQ("WriteByte A0 255 04", writes[3]);
    EXPECT_EQ(std::vector<DWORD>({ 10, 10, 10, 10 }), clock.Sleeps());

    bus.TakeCalls();
    bus.results = { S_OK, S_OK };
    count = 2;
    EXPECT_EQ(S_OK, device.WriteEEPROM(data, 0, &count, 0));
    count = 5;
    EXPECT_EQ(E_INVALIDARG, device.WriteEEPROM(data, 0xFC, &count, 0));
}

TEST_F(CaptureDeviceBase, BlockTransferLengthsOutsideTwoTo256FailWithoutTouchingTheBus)
{
    BYTE buffer[300] = { 0xC0 };
    struct Row
    {
        int length;
        HRESULT hr;
    } rows[] = { { 1, E_FAIL }, { 2, S_OK }, { 256, S_OK }, { 257, E_FAIL } };
    for (const Row& row : rows)
    {
        bus.TakeCalls();
        EXPECT_EQ(row.hr, device.I2CBlockTransfer(buffer, row.length)) << row.length;
        EXPECT_EQ(row.hr == S_OK ? 1u : 0u, bus.Calls().size()) << row.length;
    }
    EXPECT_EQ(E_INVALIDARG, device.I2CBlockTransfer(NULL, 4));
}

TEST_F(CaptureDeviceBase, RemoteKeysFromTheGpioWord)
{
    struct Row
    {
        DWORD word;
        BOOL bKey;
        BYTE key;
    } rows[] = { { 0x1FF, FALSE, 0 }, { 0x0F0, TRUE, 0xF0 }, { 0x0FE, TRUE, 0x10 }, { 0x3F0, FALSE, 0 },
                 { 0xE0F0, TRUE, 0xF0 } };
    for (const Row& row : rows)
    {
        bus.QueueGpio(row.word);
        BYTE key = 0;
        EXPECT_EQ(row.bKey, device.ReadRemoteKey(&key)) << std::hex << row.word;
        if (row.bKey)
            EXPECT_EQ(row.key, key) << std::hex << row.word;
    }
    BYTE key = 0;
    EXPECT_FALSE(device.ReadRemoteKey(&key));
}

TEST_F(CaptureDeviceBase, AudioInputSwitchesBits12And13)
{
    struct Row
    {
        int input;
        BOOL bEnable;
        const char* write;
    } rows[] = { { 0, TRUE, "WriteGpio 00008000 00003000" }, { 1, TRUE, "WriteGpio 00009000 00003000" },
                 { 2, TRUE, "WriteGpio 0000A000 00003000" }, { 5, TRUE, "WriteGpio 0000B000 00003000" },
                 { 1, FALSE, "WriteGpio 0000B000 00003000" } };
    for (const Row& row : rows)
    {
        bus.TakeCalls();
        bus.QueueGpio(0xB000);
        EXPECT_EQ(S_OK, device.SetAudioInput(row.input, row.bEnable));
        std::vector<std::string> writes = Lines(bus.Calls(), "WriteGpio");
        ASSERT_EQ(1u, writes.size());
        EXPECT_EQ(row.write, writes[0]) << row.input;
    }
    EXPECT_EQ(300u, clock.Sleeps().front());
}

TEST_F(CaptureDeviceBase, AudioInputExSwitchesBits12To14)
{
    struct Row
    {
        int input;
        BOOL bEnable;
        const char* write;
    } rows[] = { { 0, TRUE, "WriteGpio 00000000 00007000" }, { 3, TRUE, "WriteGpio 00003000 00007000" },
                 { 2, TRUE, "WriteGpio 00002000 00007000" }, { 2, FALSE, "WriteGpio 00007000 00007000" } };
    for (const Row& row : rows)
    {
        bus.TakeCalls();
        bus.QueueGpio(0x3000);
        EXPECT_EQ(S_OK, device.SetAudioInputEx(row.input, row.bEnable));
        std::vector<std::string> writes = Lines(bus.Calls(), "WriteGpio");
        ASSERT_EQ(1u, writes.size());
        EXPECT_EQ(row.write, writes[0]) << row.input;
    }
}

TEST_F(CaptureDeviceBase, TunerCodeFromTheEeprom)
{
    struct Row
    {
        BYTE letter;
        BYTE type;
        int expectedLetter;
        int expectedType;
    } rows[] = { { 'B', 5, 'T', 5 }, { 'G', 255, 'G', 4 }, { 'X', 0, 'X', 4 }, { 'Y', 33, 'T', 33 },
                 { 'A', 1, 'A', 1 } };
    for (const Row& row : rows)
    {
        device.SetTunerCode('N', 0);
        bus.QueueRead({ row.letter });
        bus.QueueRead({ row.type });
        EXPECT_EQ(row.expectedType, device.DetectTunerType());
        EXPECT_EQ(row.expectedLetter, device.Letter()) << row.letter;
    }
    // An EEPROM that does not answer: letter 'N' then 'T', type 0 then 4.
    device.SetTunerCode('N', 0);
    bus.SetDefaultRead(0, E_FAIL);
    EXPECT_EQ(4, device.DetectTunerType());
    EXPECT_EQ('T', device.Letter());
}

TEST(CaptureDeviceTables, TunerLettersOfTypes)
{
    struct Row
    {
        int type;
        int letter;
    } rows[] = { { 0, 'N' }, { 1, 'T' }, { 5, 'T' }, { 6, 'N' }, { 7, 'T' }, { 11, 'T' }, { 12, 'G' }, { 13, 'G' },
                 { 16, 'N' }, { 17, 'T' }, { 32, 'X' }, { 35, 'X' }, { 36, 'N' }, { 51, 'N' }, { 52, 'A' },
                 { 71, 'A' }, { 72, 'L' }, { 75, 'L' }, { 76, 'N' }, { 90, 'E' }, { 92, 'P' }, { 98, 'P' },
                 { 99, 'N' }, { 100, 'O' }, { 110, 'C' }, { 111, 'P' }, { 129, 'N' }, { 130, 'A' }, { 135, 'D' },
                 { 137, 'E' }, { 138, 'A' }, { 139, 'N' } };
    for (const Row& row : rows)
        EXPECT_EQ(row.letter, CCaptureDevice::TunerLetterOfType(row.type)) << row.type;
}

TEST(CaptureDeviceTables, FormatCodesAndSubtypes)
{
    struct Row
    {
        LONG code;
        const GUID* subtype;
    } rows[] = { { 0, &MEDIASUBTYPE_RGB555 }, { 1, &MEDIASUBTYPE_RGB24 }, { 2, &MEDIASUBTYPE_YUY2 },
                 { 3, &MEDIASUBTYPE_YVU9 }, { 4, &MEDIASUBTYPE_YV12 }, { 6, &MEDIASUBTYPE_UYVY } };
    for (const Row& row : rows)
    {
        EXPECT_TRUE(CCaptureDevice::SubtypeFromFormatCode(row.code) == *row.subtype) << row.code;
        EXPECT_EQ(row.code, CCaptureDevice::FormatCodeFromSubtype(*row.subtype));
    }
    EXPECT_TRUE(CCaptureDevice::SubtypeFromFormatCode(5) == MEDIASUBTYPE_YUY2);
    EXPECT_TRUE(CCaptureDevice::SubtypeFromFormatCode(-1) == MEDIASUBTYPE_YUY2);
    EXPECT_EQ(-1, CCaptureDevice::FormatCodeFromSubtype(MEDIASUBTYPE_RGB32));
    GUID cxf1 = CCaptureDevice::SubtypeFromFormatCode(7);
    EXPECT_EQ(static_cast<DWORD>(MAKEFOURCC('C', 'X', 'F', '1')), cxf1.Data1);
}

TEST_F(CaptureDeviceBase, SelectingAnUnknownTunerTypeKeepsTheModule)
{
    ASSERT_TRUE(device.SelectTunerType(5));
    CTunerModule* pModule = device.GetTunerModule();
    ASSERT_NE(nullptr, pModule);
    EXPECT_EQ(&device, pModule->m_pOwner);
    device.SetNotifyWindow(reinterpret_cast<HWND>(0x1234));
    EXPECT_FALSE(device.SelectTunerType(100000));
    EXPECT_EQ(pModule, device.GetTunerModule());
    EXPECT_EQ(5, device.GetTunerType());
    ASSERT_TRUE(device.SelectTunerType(2));
    EXPECT_NE(nullptr, device.GetTunerModule());
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), device.GetTunerModule()->GetNotifyWindow());
    EXPECT_EQ(2, device.GetTunerType());
    EXPECT_EQ('T', device.Letter());
}

TEST_F(CaptureDeviceBase, TunerFrequencyAndStandardGoToTheModule)
{
    ASSERT_TRUE(device.SelectTunerType(5));
    bus.TakeCalls();
    EXPECT_TRUE(device.SetTunerFrequency(471250.0f));
    std::vector<std::string> writes = Lines(bus.Calls(), "I2CWrite");
    ASSERT_EQ(1u, writes.size());
    EXPECT_EQ("I2CWrite C0 1F E2 CE 08", writes[0]);
    EXPECT_TRUE(device.SetTunerStandard(AnalogVideo_PAL_D));
    EXPECT_EQ(static_cast<DWORD>(AnalogVideo_PAL_D), device.GetTunerModule()->m_nStandard);
    ASSERT_NE(nullptr, device.GetTunerStandards());
    EXPECT_FALSE(device.GetTunerStandards()->empty());
}

TEST_F(CaptureDeviceBase, OnlyModelsThatAskForItReSendTheStandardAfterATuning)
{
    bus.SetDefaultRead(0x00);
    struct Row
    {
        int type;
        BOOL reapply;
    } rows[] = {
        { 5, FALSE },    // plain PLL
        { 94, FALSE },   // PLL with an IF demodulator
        { 91, FALSE },   // Xceive: a standard is a firmware load
        { 95, FALSE },   // TDA8275A
        { 12, TRUE },    // PLL with an IF demodulator
        { 93, TRUE },
    };
    for (const Row& row : rows)
    {
        ASSERT_TRUE(device.SelectTunerType(row.type)) << row.type;
        ASSERT_TRUE(device.SetTunerStandard(AnalogVideo_PAL_D)) << row.type;
        EXPECT_EQ(row.reapply, device.GetTunerModule()->m_bReapplyStandard) << row.type;
        bus.TakeCalls();
        device.SetTunerFrequency(471250.0f);
        std::vector<std::string> sent = bus.TakeCalls();

        // The same from a fresh model: the tuning alone, then the standard.
        ASSERT_TRUE(device.SelectTunerType(row.type)) << row.type;
        ASSERT_TRUE(device.SetTunerStandard(AnalogVideo_PAL_D)) << row.type;
        CTunerModule* pModule = device.GetTunerModule();
        bus.TakeCalls();
        pModule->SetTVFrequency(471250.0f);
        std::vector<std::string> expected = bus.TakeCalls();
        pModule->SetStandard(AnalogVideo_PAL_D);
        std::vector<std::string> standard = bus.TakeCalls();
        if (row.type != 5)
            EXPECT_FALSE(standard.empty()) << row.type;
        if (row.reapply)
            expected.insert(expected.end(), standard.begin(), standard.end());
        EXPECT_EQ(expected, sent) << row.type;
    }
}

TEST_F(CaptureDeviceBase, WithoutAFilterTheFilterOperationsFail)
{
    EXPECT_EQ(nullptr, device.GetPin("Capture"));
    LONG standard = 0;
    EXPECT_EQ(E_FAIL, device.GetVideoStandard(&standard, NULL));
    EXPECT_EQ(E_FAIL, device.SetVideoStandard(AnalogVideo_PAL_D));
    EXPECT_EQ(E_FAIL, device.SetVideoProcAmp(0, 1));
    VideoProcAmpRecord amp;
    EXPECT_EQ(E_FAIL, device.GetVideoProcAmp(0, &amp));
    VideoFormatRecord format;
    EXPECT_EQ(E_INVALIDARG, device.GetVideoFormat(&format, 1));
    EXPECT_EQ(E_INVALIDARG, device.GetVideoFormat(NULL, 1));
    IAMTVTuner* pTuner = NULL;
    EXPECT_EQ(E_POINTER, device.GetTVTunerInterface(&pTuner));
    DWORD ids = 0;
    EXPECT_FALSE(device.GetChipIds(&ids));
    EXPECT_EQ(E_FAIL, device.WriteCardGpio(1, 1));
    EXPECT_FALSE(device.SetTunerMode(1));
}

TEST_F(CaptureDeviceBase, McuWriteFramesTheValueWithIdleWrites)
{
    bus.QueueGpio(0x2000);
    EXPECT_TRUE(device.McuWrite(0x12FF34, 0x00FF00, 5));
    std::vector<std::string> writes = Lines(bus.Calls(), "WriteGpio");
    ASSERT_EQ(3u, writes.size());
    EXPECT_EQ("WriteGpio 00182100 00187100", writes[0]);
    // Bits 8 to 15 keep only 0x8F; the audio bits 12 to 14 stay as they were.
    EXPECT_EQ("WriteGpio 0012AF34 0000FF00", writes[1]);
    EXPECT_EQ(writes[0], writes[2]);
}

TEST_F(CaptureDeviceBase, ReleasingMembersReturnsToUnopened)
{
    ASSERT_TRUE(device.SelectTunerType(5));
    CBusDevice other(NULL);
    EXPECT_EQ(S_OK, other.ReleaseMembers());
    EXPECT_EQ(0, other.GetCardType());
    EXPECT_EQ(nullptr, other.GetTunerModule());
}
}
