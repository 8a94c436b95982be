#include "hardware/bus/MpegBoxEncoder.h"
#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "tests/hardware/bus/mpegbox/ControlRequests.h"
#include "tests/hardware/bus/mpegbox/SampleSettings.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/TestComObject.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <fstream>
#include <iterator>

namespace {
const DWORD kGetSet = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;

// Every Set request other than the control request, as "id:hex bytes".
std::vector<std::string> SettingWrites(const CRecordingPropertySet& props)
{
    std::vector<std::string> lines;
    for (const auto& call : props.Calls())
    {
        if (!call.bSet || call.id == MPEGBOX_PROPERTY_CONTROL)
            continue;
        EXPECT_TRUE(call.bSameBuffer) << call.id;
        std::string line = std::to_string(call.id) + ":";
        char hex[4];
        for (BYTE b : call.data)
        {
            sprintf(hex, "%02X", b);
            line += hex;
        }
        lines.push_back(line);
    }
    return lines;
}

// The second filter's storage interface, recording the capacity it is given.
class CStorageFilter : public CTestComObject<IMpegBoxStorage>
{
public:
    CStorageFilter() : CTestComObject<IMpegBoxStorage>(IID_IMpegBoxStorage) {}
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStorageCapacity(DWORD value) override
    {
        capacities.push_back(value);
        return result;
    }
    HRESULT result = S_OK;
    std::vector<DWORD> capacities;
};

class MpegBoxEncoder : public ::testing::Test
{
protected:
    MpegBoxEncoder() { box.Support(MPEGBOX_PROPERTY_CONTROL); }
    void SupportSettings()
    {
        for (DWORD id : { 0, 1, 3, 5, 6, 7, 11, 12, 13, 50, 54, 62 })
            box.Support(id);
    }
    CFastBusClock clock;
    CControlDriver box;
};

TEST_F(MpegBoxEncoder, SettingsGoOutInTheDriversOrderAndLayouts)
{
    SupportSettings();
    MpegBoxSettings settings = SampleSettings();
    CStorageFilter storage;
    EXPECT_TRUE(MpegBoxApplySettings(&settings, &box.props, &storage, FALSE));
    std::vector<std::string> expected = {
        "0:0A000000",  "3:02000000",
        "54:0B000000", "6:0201000004030000",
        "11:01000000", "12:03000000",
        "5:0D",        "13:01000000",
        "7:01000000",  "1:010000007017443322111027000005000000",
        "50:01000000", "62:0000000000000000",
    };
    EXPECT_EQ(expected, SettingWrites(box.props));
    EXPECT_EQ(std::vector<DWORD>({ 4096 }), storage.capacities);
    EXPECT_EQ(1u, storage.refs);
}

TEST_F(MpegBoxEncoder, TheShortFormAndTheOldLayoutLeaveOutWhatTheyShould)
{
    SupportSettings();
    MpegBoxSettings settings = SampleSettings();
    EXPECT_TRUE(MpegBoxApplySettingsShort(&settings, &box.props, NULL, TRUE));
    std::vector<std::string> expected = {
        "0:0A000000",  "3:02000000", "6:0201000004030000",     "11:01000000",         "12:03000000", "5:0D",
        "13:01000000", "7:01000000", "1:01000000701744332211", "62:0000000000000000",
    };
    EXPECT_EQ(expected, SettingWrites(box.props));
}

TEST_F(MpegBoxEncoder, UnknownSettingsAreLeftOutAndARefusedOneFailsTheWhole)
{
    box.Support(0);
    box.Support(3, KSPROPERTY_SUPPORT_GET);
    box.Support(7);
    MpegBoxSettings settings = SampleSettings();
    EXPECT_TRUE(MpegBoxApplySettings(&settings, &box.props, NULL, FALSE));
    EXPECT_EQ(std::vector<std::string>({ "0:0A000000", "7:01000000" }), SettingWrites(box.props));

    box.props.ClearCalls();
    box.handler = [](bool bSet, const GUID&, DWORD id, BYTE*, DWORD) { return bSet && id == 0 ? E_FAIL : S_OK; };
    EXPECT_FALSE(MpegBoxApplySettings(&settings, &box.props, NULL, FALSE));
    EXPECT_EQ(2u, SettingWrites(box.props).size());

    box.handler = nullptr;
    CStorageFilter storage;
    storage.result = E_FAIL;
    EXPECT_FALSE(MpegBoxApplySettings(&settings, &box.props, &storage, FALSE));
    EXPECT_FALSE(MpegBoxApplySettings(&settings, NULL, NULL, FALSE));
}

TEST_F(MpegBoxEncoder, ZeroBytesReportTheDriversAnswer)
{
    EXPECT_TRUE(MpegBoxSendZero63(&box.props));
    EXPECT_TRUE(box.props.Calls().empty());
    box.Support(63);
    box.Support(64);
    EXPECT_TRUE(MpegBoxSendZero63(&box.props));
    box.failure = E_FAIL;
    EXPECT_FALSE(MpegBoxSendZero64(&box.props));
    EXPECT_EQ(std::vector<std::string>({ "63:00", "64:00" }), SettingWrites(box.props));
    EXPECT_FALSE(MpegBoxSendZero63(NULL));
}

struct TuningRow
{
    DWORD kHz;
    const char* request;
};

TEST_F(MpegBoxEncoder, TunerFrequencyPicksItsBandAndWaitsForLock)
{
    const TuningRow rows[] = {
        { 169999, "Set 60/10 D0E = CE01" },  { 170000, "Set 60/10 D0E = CE02" },  { 449999, "Set 60/10 1E8E = CE02" },
        { 450000, "Set 60/10 1E8E = CE08" }, { 471250, "Set 60/10 1FE2 = CE08" },
    };
    for (const TuningRow& row : rows)
    {
        box.props.ClearCalls();
        box.answers = { 0, 0, 0x40 };
        EXPECT_TRUE(MpegBoxSetTunerFrequency(&box.props, row.kHz));
        std::vector<std::string> requests = box.Requests();
        ASSERT_EQ(4u, requests.size()) << row.kHz;
        EXPECT_EQ(row.request, requests[0]) << row.kHz;
        EXPECT_EQ("Get 60/1 8E", requests[3]);
    }
    EXPECT_EQ(std::vector<DWORD>(15, 10), clock.Sleeps());
}

TEST_F(MpegBoxEncoder, TheTuningStandsWhenThePllNeverLocks)
{
    box.props.ClearCalls();
    EXPECT_TRUE(MpegBoxSetTunerFrequency(&box.props, 471250));
    EXPECT_EQ(51u, box.Requests().size());
    box.failure = E_FAIL;
    EXPECT_FALSE(MpegBoxSetTunerFrequency(&box.props, 471250));
}

TEST_F(MpegBoxEncoder, DecoderPollsEndOnTheirBitOrAfterFiftyReads)
{
    box.answers = { 0x40, 0x40, 0x00 };
    EXPECT_TRUE(MpegBoxWaitReady(&box.props));
    EXPECT_EQ(3u, box.Requests().size());
    EXPECT_EQ("Get 21/0 1F", box.Requests()[0]);
    EXPECT_EQ(std::vector<DWORD>({ 10, 10 }), clock.Sleeps());

    box.props.ClearCalls();
    box.answer = 0x40;
    EXPECT_FALSE(MpegBoxWaitReady(&box.props));
    EXPECT_EQ(50u, box.Requests().size());

    DWORD clear = 7;
    box.answer = 0x20;
    EXPECT_TRUE(MpegBoxReadStatusBit5(&box.props, &clear));
    EXPECT_EQ(0u, clear);
    box.answer = 0x40;
    EXPECT_TRUE(MpegBoxReadStatusBit5(&box.props, &clear));
    EXPECT_EQ(1u, clear);
    box.failure = E_FAIL;
    EXPECT_FALSE(MpegBoxReadStatusBit5(&box.props, &clear));
}

TEST_F(MpegBoxEncoder, DecoderRegistersCarryTheirStandardOffsets)
{
    EXPECT_TRUE(MpegBoxWriteDecoderRegister(&box.props, 9, 10, 0));
    EXPECT_TRUE(MpegBoxWriteDecoderRegister(&box.props, 9, 10, 2));
    EXPECT_TRUE(MpegBoxWriteDecoderRegister(&box.props, 9, 10, 3));
    EXPECT_TRUE(MpegBoxWriteDecoderRegister(&box.props, 13, 200, 0));
    EXPECT_TRUE(MpegBoxWriteDecoderRegister(&box.props, 4, 200, 0));
    EXPECT_EQ(std::vector<std::string>(
                  { "Set 21/0 9 = C7", "Set 21/0 9 = 57", "Set 21/0 9 = A", "Set 21/0 D = 49", "Set 21/0 4 = C8" }),
              box.Requests());
    box.answer = 100;
    BYTE value = 0;
    EXPECT_TRUE(MpegBoxReadDecoderRegister(&box.props, 9, &value, 1));
    EXPECT_EQ(23, value);
}

TEST_F(MpegBoxEncoder, InputModeReplacesTheLowNibble)
{
    box.answer = 0xA5;
    EXPECT_FALSE(MpegBoxSetInputMode(&box.props, 1, 3));
    EXPECT_TRUE(box.props.Calls().empty());
    EXPECT_TRUE(MpegBoxSetInputMode(&box.props, 0, 1));
    EXPECT_TRUE(MpegBoxSetInputMode(&box.props, 1, 2));
    EXPECT_TRUE(MpegBoxSetInputMode(&box.props, 2, 1));
    EXPECT_TRUE(MpegBoxSetInputMode(&box.props, 5, 1));
    EXPECT_EQ(std::vector<std::string>({ "Get 21/1 2", "Set 21/0 2 = A6", "Get 21/1 2", "Set 21/0 2 = A3", "Get 21/1 2",
                                         "Set 21/0 2 = A4", "Get 21/1 2", "Set 21/0 2 = A5" }),
              box.Requests());
}

TEST_F(MpegBoxEncoder, SmallRequestsHaveTheirFixedShapes)
{
    box.Support(22);
    box.Support(24);
    box.Support(4);
    box.Support(42);
    EXPECT_TRUE(MpegBoxSetDevice43Mode(&box.props, 4));
    EXPECT_TRUE(MpegBoxSetDevice43Mode(&box.props, 5));
    EXPECT_TRUE(MpegBoxSetDevice43Mode(&box.props, 5, TRUE));
    EXPECT_TRUE(MpegBoxWriteEeprom(&box.props, 0x21, 0x44));
    BYTE b = 0;
    box.answer = 0x33;
    EXPECT_TRUE(MpegBoxReadEeprom(&box.props, 0x20, &b));
    EXPECT_EQ(0x33, b);
    EXPECT_EQ(std::vector<std::string>({ "Set 43/8 0 = 1610", "Set 43/8 0 = 3610", "Set 51/2 21 = 44", "Get 51/3 20" }),
              box.Requests());

    box.props.ClearCalls();
    EXPECT_TRUE(MpegBoxSendLinePairs(&box.props));
    EXPECT_TRUE(MpegBoxSetProperty4(&box.props, 0x01020304));
    MpegBoxPreFilter filter;
    MpegBoxDefaultPreFilter(&filter);
    EXPECT_TRUE(MpegBoxSetPrefilter(&box.props, &filter));
    std::vector<std::string> writes = SettingWrites(box.props);
    ASSERT_EQ(6u, writes.size());
    EXPECT_EQ(
        std::vector<std::string>({ "22:0301000000", "22:0D01000000", "24:0300000000", "24:0D00000000", "4:04030201" }),
        std::vector<std::string>(writes.begin(), writes.begin() + 5));
    EXPECT_EQ(std::string("42:") + "00000000"
                                   "00000000"
                                   "00000000"
                                   "FF000000"
                                   "00000000"
                                   "FF000000"
                                   "03000000"
                                   "01000000"
                                   "00000000"
                                   "00000000"
                                   "00000000"
                                   "C8000000"
                                   "0F000000"
                                   "0F000000"
                                   "30000000"
                                   "04000000"
                                   "15000000"
                                   "02000000"
                                   "00000000"
                                   "00000000"
                                   "00000000"
                                   "10000000"
                                   "02000000"
                                   "00000000"
                                   "00000000"
                                   "00000000"
                                   "00000000",
              writes[5]);
}

// The version text the driver answers, one per read, the last one repeated.
void AnswerVersions(CControlDriver& box, std::deque<std::string> texts)
{
    box.Support(27);
    auto pTexts = std::make_shared<std::deque<std::string>>(texts);
    box.handler = [pTexts](bool bSet, const GUID&, DWORD id, BYTE* pData, DWORD length) {
        if (bSet || id != 27)
            return S_OK;
        memset(pData, ' ', length);
        std::string text = pTexts->front();
        if (pTexts->size() > 1)
            pTexts->pop_front();
        memcpy(pData, text.data(), text.size() < length ? text.size() : length);
        return text.empty() ? E_FAIL : S_OK;
    };
}

struct VersionRow
{
    std::deque<std::string> texts;
    BOOL bResult;
    size_t waits;
};

TEST_F(MpegBoxEncoder, FirmwareVersionWaitsWhileTheLoaderStartsTheFirmware)
{
    std::deque<std::string> booting = { "2.0.52" };
    for (int i = 0; i < 80; ++i)
        booting.push_back("0.0.1");
    const VersionRow rows[] = {
        { { "2.0.51" }, FALSE, 0 },
        { { "2.0.53" }, TRUE, 0 },
        { { "2.0.52", "0.0.1", "0.0.1", "2.4.21" }, TRUE, 3 },
        { { "2.0.52", "2.4.20" }, FALSE, 1 },
        { { "2.0.52", "" }, FALSE, 1 },
        { booting, FALSE, 80 },
        // Twenty bytes without a terminator, and a text that is no version.
        { { "2.4.21\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01" }, TRUE, 0 },
        { { "version" }, FALSE, 0 },
        { { "" }, FALSE, 0 },
    };
    for (const VersionRow& row : rows)
    {
        CFastBusClock rowClock;
        AnswerVersions(box, row.texts);
        EXPECT_EQ(row.bResult, MpegBoxCheckFirmwareVersion(&box.props)) << row.texts.back();
        EXPECT_EQ(std::vector<DWORD>(row.waits, 50), rowClock.Sleeps()) << row.texts.back();
    }
}

class TempFile
{
public:
    explicit TempFile(const char* name) : m_path(std::string(getenv("TEMP") ? getenv("TEMP") : ".") + "\\" + name)
    {
        DeleteFileA(m_path.c_str());
    }
    ~TempFile() { DeleteFileA(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }
    void Write(const std::vector<BYTE>& bytes) const
    {
        FILE* f = fopen(m_path.c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }

private:
    std::string m_path;
};

TEST_F(MpegBoxEncoder, FirmwareIsTheFilesFirst256KiBAndADefinedTrailer)
{
    box.Support(5, kGetSet, PROPSETID_MpegBoxFirmware);
    TempFile file("mpegbox-firmware.bin");
    EXPECT_FALSE(MpegBoxDownloadFirmware(&box.props, file.Path()));
    std::vector<BYTE> image(0x40000 - 1);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<BYTE>(i * 7);
    file.Write(image);
    EXPECT_FALSE(MpegBoxDownloadFirmware(&box.props, file.Path()));
    EXPECT_TRUE(box.props.Calls().empty());

    image.push_back(0x5A);
    image.push_back(0xEE);
    file.Write(image);
    EXPECT_TRUE(MpegBoxDownloadFirmware(&box.props, file.Path()));
    ASSERT_EQ(1u, box.props.Calls().size());
    const auto& call = box.props.Calls()[0];
    EXPECT_TRUE(call.set == PROPSETID_MpegBoxFirmware);
    EXPECT_EQ(5u, call.id);
    EXPECT_TRUE(call.bSameBuffer);
    EXPECT_EQ(0x4000Cu, call.instanceLength);
    ASSERT_EQ(0x4000Cu, call.data.size());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x40000, call.data.begin()));
    const BYTE trailer[12] = { 2, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0 };
    EXPECT_EQ(0, memcmp(trailer, &call.data[0x40000], 12));
}

TEST(MpegBoxRegistry, TheOldBitrateLayoutIsUsedUnlessTheDriverSaysOtherwise)
{
    const char* key = "SYSTEM\\CurrentControlSet\\Services\\Conexant\\Parameters\\iVac15\\Driver";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    EXPECT_TRUE(MpegBoxUseOldBitrateLayout());
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL));
    EXPECT_TRUE(MpegBoxUseOldBitrateLayout());
    const struct
    {
        DWORD value;
        BOOL bOld;
    } rows[] = { { 0, FALSE }, { 1, TRUE }, { 2, TRUE } };
    for (const auto& row : rows)
    {
        RegSetValueExA(hKey, "OldEncoderBitrateInterface", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row.value), 4);
        EXPECT_EQ(row.bOld, MpegBoxUseOldBitrateLayout()) << row.value;
    }
    RegCloseKey(hKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

TEST(MpegBoxDump, TheSettingsFileMatchesItsGolden)
{
    TempFile file("mpegbox-settings.txt");
    MpegBoxSettings settings = SampleSettings();
    ASSERT_TRUE(MpegBoxDumpSettings(&settings, file.Path()));
    std::ifstream written(file.Path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    std::ifstream golden(ONDRIX_TEST_DIR "/mpegbox-settings.golden", std::ios::binary);
    ASSERT_TRUE(golden.good());
    std::string expected((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
    EXPECT_EQ(expected, text);

    const struct
    {
        BYTE mode;
        const char* line;
    } modes[] = { { 2, "Mode = MPEG1" }, { 11, "Mode = VCD" }, { 12, "Mode = SVCD" }, { 0, "Mode = other" } };
    for (const auto& row : modes)
    {
        settings.bStreamOutputMode = row.mode;
        ASSERT_TRUE(MpegBoxDumpSettings(&settings, file.Path()));
        std::ifstream again(file.Path(), std::ios::binary);
        std::string first;
        std::getline(again, first);
        EXPECT_EQ(std::string(row.line) + "\r", first);
    }
    EXPECT_FALSE(MpegBoxDumpSettings(&settings, "Z:\\no\\such\\folder\\settings.txt"));
}
}  // namespace
