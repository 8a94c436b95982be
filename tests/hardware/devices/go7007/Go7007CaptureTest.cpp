// A capture device on the Go7007 encoder chip, made by friendly name through
// the graph, the filter-class registry and the device enumerator on its
// simulated driver, with the encoder profile file in the Windows folder.
#include "hardware/bus/Go7007RegisterAccess.h"
#include "hardware/devices/Go7007Capture.h"
#include "tests/hardware/devices/CardGraphFixture.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <gtest/gtest.h>

#include <stddef.h>

#include <string>

// The driver's encoder interface with the setter its own panel uses.
struct IGo7007EncoderPanel : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetStreamSetting(char* pszName) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamSetting(const char* pszName) = 0;
};

namespace
{
const char kName[] = "Morvik A/V Capture";
const DWORD PAL = PROFILE_STANDARD_PAL;
const DWORD NTSC = PROFILE_STANDARD_NTSC;

void ChooseStreamSetting(CGo7007Capture* pCard, const char* pszName)
{
    ComPtr<IGo7007EncoderPanel> pPanel;
    ASSERT_EQ(S_OK, pCard->GetFilter()->QueryInterface(IID_IGo7007Encoder, reinterpret_cast<void**>(&pPanel)));
    ASSERT_EQ(S_OK, pPanel->SetStreamSetting(pszName));
}

// The format a pin of the card has now.
struct PinFormat
{
    GUID subtype = GUID_NULL;
    GUID formatType = GUID_NULL;
    REFERENCE_TIME avgTimePerFrame = 0;
    DWORD bitRate = 0;
    LONG width = 0, height = 0;
    DWORD imageSize = 0;
    std::vector<BYTE> behindHeader;
};

PinFormat FormatOf(CGo7007Capture* pCard, const char* pszPin)
{
    PinFormat f;
    CPinWrapper* pPin = pCard->FindPin(pszPin);
    ComPtr<IAMStreamConfig> pConfig;
    AM_MEDIA_TYPE* pmt = nullptr;
    if (pPin == nullptr ||
        FAILED(pPin->GetPin()->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&pConfig))) ||
        FAILED(pConfig->GetFormat(&pmt)))
        return f;
    f.subtype = pmt->subtype;
    f.formatType = pmt->formattype;
    ULONG header = sizeof(VIDEOINFOHEADER);
    const BITMAPINFOHEADER* pBitmap;
    if (pmt->formattype == FORMAT_MPEG2Video)
    {
        const VIDEOINFOHEADER2* p = reinterpret_cast<const VIDEOINFOHEADER2*>(pmt->pbFormat);
        f.avgTimePerFrame = p->AvgTimePerFrame;
        f.bitRate = p->dwBitRate;
        pBitmap = &p->bmiHeader;
        header = offsetof(MPEG2VIDEOINFO, dwSequenceHeader);
    }
    else
    {
        const VIDEOINFOHEADER* p = reinterpret_cast<const VIDEOINFOHEADER*>(pmt->pbFormat);
        f.avgTimePerFrame = p->AvgTimePerFrame;
        f.bitRate = p->dwBitRate;
        pBitmap = &p->bmiHeader;
        if (pmt->formattype == FORMAT_MPEGVideo)
            header = offsetof(MPEG1VIDEOINFO, bSequenceHeader);
    }
    f.width = pBitmap->biWidth;
    f.height = pBitmap->biHeight;
    f.imageSize = pBitmap->biSizeImage;
    if (pmt->cbFormat > header)
        f.behindHeader.assign(pmt->pbFormat + header, pmt->pbFormat + pmt->cbFormat);
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    return f;
}

// The names of the four records behind a format header.
std::vector<std::string> RecordNames(const PinFormat& f)
{
    std::vector<std::string> names;
    for (size_t offset : { offsetof(Go7007Format, stream), offsetof(Go7007Format, framerate),
                           offsetof(Go7007Format, resolution), offsetof(Go7007Format, bitrate) })
    {
        if (f.behindHeader.size() >= sizeof(Go7007Format))
            names.push_back(reinterpret_cast<const char*>(f.behindHeader.data() + offset));
    }
    return names;
}

std::string ProfilePath()
{
    char szPath[MAX_PATH];
    GetWindowsDirectoryA(szPath, MAX_PATH);
    return std::string(szPath) + "\\video_profiles.txt";
}

class Go7007Capture : public CardGraph
{
protected:
    static void SetUpTestSuite()
    {
        CardGraph::SetUpTestSuite();
        std::string path = ProfilePath();
        MoveFileExA(path.c_str(), (path + ".kept").c_str(), MOVEFILE_REPLACE_EXISTING);
        ASSERT_TRUE(CopyFileA(ONDRIX_TEST_DIR "/video_profiles.txt", path.c_str(), FALSE));
    }
    static void TearDownTestSuite()
    {
        std::string path = ProfilePath();
        DeleteFileA(path.c_str());
        MoveFileExA((path + ".kept").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        CardGraph::TearDownTestSuite();
    }

    CMorvikCapture* Open() { return CardGraph::Open<CMorvikCapture>(kName); }
};

TEST_F(Go7007Capture, OpensThroughItsEncoderWithTheProfilesAndTheEepromTuner)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    EXPECT_STREQ(kName, pCard->GetFriendlyName());
    EXPECT_NE(nullptr, pCard->GetPin("Video Capture"));
    EXPECT_NE(nullptr, pCard->GetPin("Video Preview"));
    EXPECT_NE(nullptr, pCard->GetPin("Audio Capture"));
    EXPECT_EQ(18, pCard->GetCardType());
    EXPECT_NE(nullptr, dynamic_cast<CGo7007RegisterAccess*>(pCard->GetRegisterAccess()));
    EXPECT_STREQ("WIS GO7007SB A/V Capture", pCard->GetDeviceName());
    EXPECT_EQ('T', pCard->GetTunerLetter());
    EXPECT_EQ(5, pCard->GetTunerType());
    ASSERT_NE(nullptr, pCard->GetTunerModule());
    EXPECT_EQ(S_OK, pCard->SetAudioInput(1, TRUE));
    graph.RemoveFilter(pCard);

    // Without the profile file the device does not open.
    std::string path = ProfilePath();
    ASSERT_TRUE(MoveFileExA(path.c_str(), (path + ".away").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(nullptr, Open());
    ASSERT_TRUE(MoveFileExA((path + ".away").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_NE(nullptr, Open());
}

TEST_F(Go7007Capture, TunerLettersAndTypesOfTheEeprom)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    const struct
    {
        BYTE letter;
        BYTE type;
        int cLetter;
        int nType;
    } rows[] = { { 'L', 0, 'L', 72 }, { 'N', 9, 'L', 9 }, { 'X', 33, 'X', 33 }, { 'Z', 5, 'L', 5 } };
    for (const auto& row : rows)
    {
        pControl->SetEepromByte(17, row.letter);
        pControl->SetEepromByte(16, row.type);
        int letter = 0, type = -1;
        EXPECT_EQ(S_OK, pCard->ReadTunerCode(&letter, &type)) << row.letter;
        EXPECT_EQ(row.cLetter, letter) << row.letter;
        EXPECT_EQ(row.nType, type) << row.letter;
    }
    pControl->SetEepromByte(17, 'T');
    pControl->SetEepromByte(16, 5);
}

TEST_F(Go7007Capture, KeysAndEepromBounds)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    pControl->SetRegisterChipByte(49, 0x51);
    BYTE key = 0;
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));
    pControl->SetRegisterChipByte(48, 1);
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x51, key);
    pControl->SetRegisterChipByte(48, 0);

    BYTE bytes[4] = {};
    int count = 4;
    EXPECT_EQ(E_INVALIDARG, pCard->ReadEEPROM(bytes, 253, &count));
    size_t before = clock.Sleeps().size();
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(bytes, 14, &count));
    EXPECT_EQ(4, count);
    EXPECT_EQ(5, bytes[2]);
    EXPECT_EQ('T', bytes[3]);
    std::vector<DWORD> sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<DWORD>(4, 50), std::vector<DWORD>(sleeps.begin() + before, sleeps.end()));
    count = 4;
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(bytes, 252, &count));
}

TEST_F(Go7007Capture, ABlockTransferGoesToItsChipAndLeavesTheEepromAlone)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    pControl->ClearLog();
    // To the register chip at 0xBA: sub-address 0x60, then two bytes.
    BYTE block[4] = { 0xBA, 0x60, 0x12, 0x34 };
    EXPECT_EQ(S_OK, pCard->I2CBlockTransfer(block, 4));
    std::vector<std::string> traffic = I2CTraffic(pControl);
    ASSERT_FALSE(traffic.empty());
    for (const std::string& line : traffic)
        EXPECT_EQ(0u, line.find("W BA")) << line;
    EXPECT_EQ(0x12, pControl->GetRegisterChipByte(0x60));
    EXPECT_EQ(0x34, pControl->GetRegisterChipByte(0x61));
    // The tuner record of the EEPROM is where it was.
    int letter = 0, type = 0;
    EXPECT_EQ(S_OK, pCard->ReadTunerCode(&letter, &type));
    EXPECT_EQ('T', letter);
    EXPECT_EQ(5, type);

    EXPECT_EQ(E_INVALIDARG, pCard->I2CBlockTransfer(NULL, 4));
    EXPECT_EQ(E_FAIL, pCard->I2CBlockTransfer(block, 1));
    BYTE big[257] = { 0xBA };
    EXPECT_EQ(E_FAIL, pCard->I2CBlockTransfer(big, 257));
    pControl->SetRegisterChipByte(0x60, 0);
    pControl->SetRegisterChipByte(0x61, 0);
}
TEST_F(Go7007Capture, ProfileTablesMatchTheDriversCapabilities)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    const VideoProfileTables& t = pCard->GetProfiles();
    ASSERT_EQ(2u, t.streamCount);
    EXPECT_STREQ("DVD", t.streams[0].header.name);
    EXPECT_STREQ("VCD", t.streams[1].header.name);
    EXPECT_EQ(0u, t.streamIndex[0]);
    EXPECT_EQ(1u, t.streamIndex[1]);
    ASSERT_EQ(1u, t.framerateCount);
    EXPECT_EQ(25025u, t.framerates[0].frame_rate);
    EXPECT_EQ(0u, t.framerateIndex[0]);
    ASSERT_EQ(2u, t.resolutionCount);
    EXPECT_STREQ("D1 PAL", t.resolutions[0].header.name);
    EXPECT_EQ(0u, t.resolutionIndex[0]);
    EXPECT_EQ(2u, t.resolutionIndex[1]);
    // The driver's limits replace the file's.
    EXPECT_EQ(8000000u, t.resolutions[0].max_bitrate);
    EXPECT_EQ(300000u, t.resolutions[1].min_bitrate);
    EXPECT_EQ(2u, t.bitrateCount);
}

TEST_F(Go7007Capture, StreamSettingKeepsTheCombinationsThatHoldIt)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    const struct
    {
        const char* setting;
        DWORD standards;
        BOOL bFound;
        DWORD stream, resolution, framerate;
    } rows[] = {
        { "DVD", PAL, TRUE, 0, 0, 0 },
        { "VCD", PAL, TRUE, 1, 2, 0 },
        { "DVD", NTSC, FALSE },
        { "SVCD", PAL, FALSE },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.setting);
        ChooseStreamSetting(pCard, row.setting);
        EXPECT_EQ(row.bFound, pCard->SelectStreamSetting(row.standards));
        ASSERT_EQ(row.bFound ? 1 : 0, pCard->GetCombinationCount());
        if (!row.bFound)
            continue;
        const ConfigCombination& c = pCard->GetCombinations()[0];
        EXPECT_EQ(row.stream, c.stream);
        EXPECT_EQ(row.resolution, c.resolution);
        EXPECT_EQ(row.framerate, c.framerate);
    }
}

TEST_F(Go7007Capture, VideoFormatGoesToBothPinsWithItsRecords)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    // DVD: MPEG-2 at full size; the bit rate asked for is in the profile.
    ASSERT_TRUE(pCard->SelectVideoFormat(PAL, 25025, 720, 576, 4000000, FALSE));
    for (const char* pin : { "Video Capture", "Video Preview" })
    {
        SCOPED_TRACE(pin);
        PinFormat f = FormatOf(pCard, pin);
        EXPECT_EQ(MEDIASUBTYPE_MPEG2_VIDEO, f.subtype);
        EXPECT_EQ(FORMAT_MPEG2Video, f.formatType);
        EXPECT_EQ(10000000000LL / 25025, f.avgTimePerFrame);
        EXPECT_EQ(4000000u, f.bitRate);
        EXPECT_EQ(720, f.width);
        EXPECT_EQ(576, f.height);
        EXPECT_EQ(720u * 576 * 3 / 2, f.imageSize);
        EXPECT_EQ(std::vector<std::string>({ "DVD", "PAL 25", "D1 PAL", "VBR6M" }), RecordNames(f));
    }
    // Not in the profile, not a combination of DVD, or no bit rate of that value.
    EXPECT_FALSE(pCard->SelectVideoFormat(PAL, 30000, 720, 576, 4000000, FALSE));
    EXPECT_FALSE(pCard->SelectVideoFormat(PAL, 25025, 352, 288, 1500000, FALSE));
    EXPECT_FALSE(pCard->SelectVideoFormat(PAL, 25025, 720, 576, 5000000, FALSE));

    // VCD: MPEG-1 at CIF; the best bit rate is the highest one the resolution allows.
    ChooseStreamSetting(pCard, "VCD");
    ASSERT_TRUE(pCard->SelectStreamSetting(PAL));
    ASSERT_TRUE(pCard->SelectVideoFormat(PAL, 25025, 352, 288, 0, TRUE));
    PinFormat f = FormatOf(pCard, "Video Preview");
    EXPECT_EQ(MEDIASUBTYPE_MPEG1Payload, f.subtype);
    EXPECT_EQ(FORMAT_MPEGVideo, f.formatType);
    EXPECT_EQ(352, f.width);
    EXPECT_EQ(1500000u, f.bitRate);
    EXPECT_EQ(std::vector<std::string>({ "VCD", "PAL 25", "CIF PAL", "CBR1500K" }), RecordNames(f));
}

TEST_F(Go7007Capture, PinFormatByCompressionMode)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    const VideoProfileTables& t = pCard->GetProfiles();
    Go7007Format format;
    format.stream = t.streams[0];
    format.framerate = t.framerates[0];
    format.resolution = t.resolutions[0];
    format.bitrate = t.bitrates[0];
    // Uncompressed video: a plain video info block, too small for the records.
    format.stream.compress_mode = 4;
    ASSERT_TRUE(pCard->SetPinFormat("Video Capture", format));
    PinFormat f = FormatOf(pCard, "Video Capture");
    EXPECT_EQ(FORMAT_VideoInfo, f.formatType);
    EXPECT_EQ(4000000u, f.bitRate);
    EXPECT_EQ(720u * 576 * 3 / 2, f.imageSize);
    EXPECT_TRUE(f.behindHeader.empty());
    // A mode the pins do not carry, and a size they do not offer.
    format.stream.compress_mode = 3;
    EXPECT_FALSE(pCard->SetPinFormat("Video Capture", format));
    format.stream.compress_mode = 1;
    format.resolution.width = 640;
    EXPECT_FALSE(pCard->SetPinFormat("Video Capture", format));
    format.resolution.width = 720;
    EXPECT_FALSE(pCard->SetPinFormat("No Such Pin", format));
    EXPECT_TRUE(pCard->SetPinFormat("Video Capture", format));
}

TEST_F(Go7007Capture, BitrateRangeOfAResolution)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    const struct
    {
        DWORD standards, width, height;
        BOOL bFound;
        DWORD min, max;
    } rows[] = {
        { PAL, 720, 576, TRUE, 1000000, 8000000 },
        { PAL, 352, 288, TRUE, 300000, 2000000 },
        { NTSC, 720, 576, FALSE },
        { PAL, 720, 480, FALSE },
    };
    for (const auto& row : rows)
    {
        DWORD min = 0, max = 0;
        EXPECT_EQ(row.bFound, pCard->GetBitrateRange(row.standards, row.width, row.height, &min, &max)) << row.width;
        EXPECT_EQ(row.min, min) << row.width;
        EXPECT_EQ(row.max, max) << row.width;
    }
}

TEST_F(Go7007Capture, AudioFormatOfTheTagAskedFor)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    const Go7007AudioFormat mpeg = { 0x50, 32000, 1, 0, 1, 12000 };
    ASSERT_TRUE(pCard->SetAudioFormat(mpeg));
    Go7007AudioFormat now = {};
    ASSERT_TRUE(pCard->GetAudioFormat(&now));
    EXPECT_EQ(0, memcmp(&mpeg, &now, sizeof(now)));
    const Go7007AudioFormat unknown = { 0x55, 44100, 2, 0, 1, 16000 };
    EXPECT_FALSE(pCard->SetAudioFormat(unknown));
    ASSERT_TRUE(pCard->GetAudioFormat(&now));
    EXPECT_EQ(0x50u, now.formatTag);
}
}  // namespace
