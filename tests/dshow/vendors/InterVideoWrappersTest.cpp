// The InterVideo wrappers against fakes built from the methods' positions.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/IVAudioEncoder.h"
#include "dshow/IVDownScale.h"
#include "dshow/IVFileWriter.h"
#include "dshow/IVMultiplexer.h"
#include "dshow/IVStillCapture.h"
#include "dshow/IVTimeShiftFilter.h"
#include "dshow/IVVideoDecoder.h"
#include "dshow/IVVideoEncoder.h"
#include "tests/dshow/SlotRecorder.h"

namespace
{
const IID kAudioIid = { 0x0CD2E142, 0x8D60, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6 } };
const IID kVideoIid = { 0x317DDB63, 0x870E, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6 } };
const IID kWriterIid = { 0x173DAD40, 0xA0D3, 0x43E2, { 0xB1, 0xD5, 0x2E, 0x46, 0x25, 0xD7, 0xF1, 0xF0 } };
const IID kMuxIid = { 0x317DDB64, 0x870E, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF7 } };
const IID kStillIid = { 0xB4ABF4A0, 0x01BA, 0x11D4, { 0x89, 0x8C, 0x00, 0xA0, 0xCC, 0x52, 0x11, 0xEF } };
const IID kScaleIid = { 0x50359D21, 0xEB57, 0x4980, { 0x92, 0x2F, 0xB1, 0x97, 0x31, 0x10, 0x17, 0xAA } };
const IID kTimeShiftIid = { 0xBD7EA3E2, 0x2666, 0x11D4, { 0xB2, 0x69, 0x00, 0xA0, 0xD2, 0x18, 0x25, 0xFB } };

// Parameter interfaces: read (number, pointer), write (number, value).
CSlotObjectBase* AddParameters(SlotFilterHolder& f, REFIID riid)
{
    return f->Add<2, 2>(riid, "p");
}

// The writes, "number=value" in order.
std::vector<std::string> Writes(const CSlotLog& log)
{
    std::vector<std::string> writes;
    for (const SlotCall& c : log.calls)
    {
        if (c.slot == 4)
            writes.push_back(std::to_string(c.words[0]) + "=" + std::to_string(c.words[1]));
    }
    return writes;
}

class InterVideo : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override { ASSERT_TRUE(graph.CreateGraph()); }
    void TearDown() override { graph.DestroyGraph(); }
};

TEST_F(InterVideo, AudioEncoderWritesItsSixParametersInOrderAndReportsARefusal)
{
    SlotFilterHolder f;
    AddParameters(f, kAudioIid);
    CIVAudioEncoder encoder(&graph, f.Filter());
    ASSERT_TRUE(encoder.IsValid());
    IVAudioParameters block = { { 10, 11, 12, 13, 14, 15 } };
    ASSERT_TRUE(encoder.SetParameters(&block));
    EXPECT_EQ(std::vector<std::string>({ "258=11", "261=10", "264=13", "260=12", "259=15", "257=14" }),
              Writes(f.Log()));
    // The interface is asked for each call and let go after it.
    EXPECT_EQ(0, f->OutstandingRefs());

    // A refused write no longer passes for success; the others are still made.
    f.Log().calls.clear();
    f.Log().SetResult("p", 4, E_FAIL);
    EXPECT_FALSE(encoder.SetParameters(&block));
    EXPECT_EQ(6u, f.Log().calls.size());
    EXPECT_FALSE(encoder.SetParameters(NULL));

    SlotFilterHolder none;
    CIVAudioEncoder bare(&graph, none.Filter());
    EXPECT_TRUE(bare.IsValid());
    EXPECT_FALSE(bare.SetParameters(&block));
}

TEST(InterVideoPresets, AudioPresetsDifferOnlyInTheSecondsRate)
{
    BOOL (*presets[])(IVAudioParameters*) = { &CIVAudioEncoder::FillPreset1, &CIVAudioEncoder::FillPreset2,
                                              &CIVAudioEncoder::FillPreset3, &CIVAudioEncoder::FillPreset4,
                                              &CIVAudioEncoder::FillPreset5 };
    for (int i = 0; i < 5; ++i)
    {
        IVAudioParameters block;
        memset(&block, 0xCC, sizeof(block));
        ASSERT_TRUE(presets[i](&block));
        DWORD rate = i == 1 ? 48000 : 44100;
        EXPECT_EQ(std::vector<DWORD>({ rate, 224, 100, 1, 2, 0 }), std::vector<DWORD>(block.words, block.words + 6));
        EXPECT_FALSE(presets[i](NULL));
    }
}

TEST(InterVideoPresets, VideoPresetsByStandard)
{
    struct Row
    {
        int preset;
        int standard;
        BOOL highRate;
        DWORD w0, w2, w4, w5, w6, w15, w16;
    } rows[] = { { 1, 1, 0, 12, 16, 352, 288, 1120, 0, 0 }, { 1, 2, 0, 15, 16, 352, 240, 1120, 0, 0 },
                 { 2, 1, 1, 6, 5, 720, 576, 7200, 1, 2 },   { 2, 2, 0, 6, 5, 720, 480, 4500, 1, 2 },
                 { 3, 1, 0, 12, 8, 480, 576, 2200, 1, 2 },  { 3, 2, 0, 15, 8, 480, 480, 2200, 1, 2 },
                 { 4, 1, 0, 12, 5, 352, 288, 4500, 0, 0 },  { 4, 2, 0, 15, 5, 352, 240, 4500, 0, 0 },
                 { 5, 1, 0, 6, 5, 720, 576, 4500, 1, 2 },   { 5, 2, 0, 6, 5, 720, 480, 4500, 1, 2 } };
    for (const Row& row : rows)
    {
        IVVideoParameters block;
        memset(&block, 0xCC, sizeof(block));
        BOOL ok = FALSE;
        switch (row.preset)
        {
        case 1: ok = CIVVideoEncoder::FillPreset1(&block, row.standard); break;
        case 2: ok = CIVVideoEncoder::FillPreset2(&block, row.standard, row.highRate); break;
        case 3: ok = CIVVideoEncoder::FillPreset3(&block, row.standard); break;
        case 4: ok = CIVVideoEncoder::FillPreset4(&block, row.standard); break;
        case 5: ok = CIVVideoEncoder::FillPreset5(&block, row.standard); break;
        }
        ASSERT_TRUE(ok) << row.preset;
        const DWORD* w = block.words;
        EXPECT_EQ(row.w0, w[0]) << row.preset << "/" << row.standard;
        EXPECT_EQ(3u, w[1]);
        EXPECT_EQ(row.w2, w[2]);
        EXPECT_EQ(row.w2, w[3]);
        EXPECT_EQ(row.w4, w[4]);
        EXPECT_EQ(row.w5, w[5]);
        EXPECT_EQ(row.w6, w[6]);
        EXPECT_EQ(9800u, w[7]);
        EXPECT_EQ(112u, w[8]);
        EXPECT_EQ(1u, w[9]);
        EXPECT_EQ(2u, w[10]);
        EXPECT_EQ(0xCCCCCCCCu, w[11]);
        EXPECT_EQ(row.standard == 1 ? 3u : 4u, w[12]);
        EXPECT_EQ(2u, w[13]);
        EXPECT_EQ(static_cast<DWORD>(row.standard), w[14]);
        EXPECT_EQ(row.w15, w[15]);
        EXPECT_EQ(row.w16, w[16]);
    }
    // Any other standard: refused, with the common words already set.
    IVVideoParameters block;
    memset(&block, 0xCC, sizeof(block));
    EXPECT_FALSE(CIVVideoEncoder::FillPreset3(&block, 3));
    EXPECT_EQ(9800u, block.words[7]);
    EXPECT_EQ(0xCCCCCCCCu, block.words[0]);
    EXPECT_FALSE(CIVVideoEncoder::FillPreset1(NULL, 1));
}

TEST_F(InterVideo, VideoEncoderWritesSixteenParametersThenTwentyAndReadsThemBack)
{
    SlotFilterHolder f;
    AddParameters(f, kVideoIid);
    CIVVideoEncoder encoder(&graph, f.Filter());
    IVVideoParameters block;
    for (int i = 0; i < 17; ++i)
        block.words[i] = 100 + i;
    ASSERT_TRUE(encoder.SetParameters(&block));
    EXPECT_EQ(std::vector<std::string>({ "5=112", "7=114", "8=115", "13=102", "14=103", "11=100", "12=101", "9=106",
                                         "6=113", "18=116", "3=104", "4=105", "10=109", "16=110", "17=107", "19=108",
                                         "20=1" }),
              Writes(f.Log()));

    f.Log().calls.clear();
    f.Log().SetHook("p", 3, [](const DWORD* w) {
        *reinterpret_cast<DWORD*>(w[1]) = 1000 + w[0];
        return S_OK;
    });
    IVVideoParameters read;
    memset(&read, 0, sizeof(read));
    ASSERT_TRUE(encoder.GetParameters(&read));
    EXPECT_EQ(16u, f.Log().calls.size());
    EXPECT_EQ(1005u, read.words[12]);
    EXPECT_EQ(1019u, read.words[8]);
    EXPECT_EQ(0u, read.words[11]);
    f.Log().SetHook("p", 3, [](const DWORD*) { return E_FAIL; });
    EXPECT_FALSE(encoder.GetParameters(&read));
}

TEST_F(InterVideo, MultiplexerPresetsAndParameterOrder)
{
    SlotFilterHolder f;
    AddParameters(f, kMuxIid);
    CIVMultiplexer mux(&graph, f.Filter());
    EXPECT_TRUE(mux.GetRefreshPins());
    IVMuxParameters block;
    struct Row
    {
        BOOL (*fill)(IVMuxParameters*);
        DWORD w0, w4, w5;
    } rows[] = { { &CIVMultiplexer::FillPreset1, 2324, 2, 0 }, { &CIVMultiplexer::FillPreset2, 2048, 4, 1 },
                 { &CIVMultiplexer::FillPreset3, 2324, 3, 1 }, { &CIVMultiplexer::FillPreset4, 2048, 0, 1 },
                 { &CIVMultiplexer::FillPreset5, 2048, 1, 1 } };
    for (const Row& row : rows)
    {
        ASSERT_TRUE(row.fill(&block));
        EXPECT_EQ(std::vector<DWORD>({ row.w0, 1, 1, 1, row.w4, row.w5 }),
                  std::vector<DWORD>(block.words, block.words + 6));
    }
    ASSERT_TRUE(mux.SetParameters(&block));
    EXPECT_EQ(std::vector<std::string>({ "515=1", "513=2048", "514=1", "517=1", "516=1", "518=1" }), Writes(f.Log()));
}

TEST_F(InterVideo, FileWriterNamesItsFileAndPassesItsParameterAsTwoWords)
{
    SlotFilterHolder f;
    AddParameters(f, kWriterIid);
    f->Add<2, 2>(IID_IFileSinkFilter, "sink");
    std::wstring given;
    f.Log().SetHook("sink", 3, [&given](const DWORD* w) {
        given = reinterpret_cast<LPCWSTR>(w[0]);
        return S_FALSE;
    });
    std::vector<DWORD> words;
    f.Log().SetHook("p", 4, [&words](const DWORD* w) {
        const DWORD* p = reinterpret_cast<const DWORD*>(w[1]);
        words.assign(p, p + 2);
        return w[0] == 1280 ? S_OK : E_INVALIDARG;
    });
    {
        CIVFileWriter writer(&graph, f.Filter());
        ASSERT_TRUE(writer.IsValid());
        EXPECT_TRUE(writer.SetFileName("F:\\iv.mpg"));
        EXPECT_EQ(L"F:\\iv.mpg", given);
        EXPECT_TRUE(writer.SetFileParameter(7, 8));
        EXPECT_EQ(std::vector<DWORD>({ 7, 8 }), words);
        DWORD value = 0;
        EXPECT_TRUE(writer.GetFileParameter(&value));
        EXPECT_EQ(1280u, f.Log().Last().words[0]);
        EXPECT_EQ(1, f->OutstandingRefs());
    }
    EXPECT_EQ(0, f->OutstandingRefs());

    SlotFilterHolder none;
    CIVFileWriter bare(&graph, none.Filter());
    EXPECT_FALSE(bare.IsValid());
    EXPECT_FALSE(bare.SetFileName("x"));
    EXPECT_FALSE(bare.SetFileParameter(1, 2));
}

TEST_F(InterVideo, StillCaptureSavesTheCapturedPictureAsABitmapFile)
{
    SlotFilterHolder f;
    AddParameters(f, kStillIid);
    // A 2 x 2 picture, 24 bits, rows padded to 8 bytes.
    std::vector<BYTE> picture(40 + 16, 0);
    BITMAPINFOHEADER* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(picture.data());
    pInfo->biSize = 40;
    pInfo->biWidth = 2;
    pInfo->biHeight = 2;
    pInfo->biPlanes = 1;
    pInfo->biBitCount = 24;
    pInfo->biSizeImage = 16;
    for (int i = 40; i < 56; ++i)
        picture[i] = static_cast<BYTE>(i);
    DWORD size = static_cast<DWORD>(picture.size());
    f.Log().SetHook("p", 3, [&](const DWORD* w) {
        if (w[0] == 1543)
            *reinterpret_cast<DWORD*>(w[1]) = size;
        else if (w[0] == 1544)
            memcpy(reinterpret_cast<void*>(w[1]), picture.data(), picture.size());
        else
            *reinterpret_cast<DWORD*>(w[1]) = w[0] - 1000;
        return S_OK;
    });
    CIVStillCapture still(&graph, f.Filter());
    ASSERT_TRUE(still.IsValid());

    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szPath);
    strcat(szPath, "ondrix-still.bmp");
    DeleteFileA(szPath);
    ASSERT_TRUE(still.SaveStillImage(szPath));
    FILE* file = fopen(szPath, "rb");
    ASSERT_NE(nullptr, file);
    std::vector<BYTE> bytes(200);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), file));
    fclose(file);
    ASSERT_EQ(14u + picture.size(), bytes.size());
    // The size field gives the file's size (header and picture).
    const BYTE header[14] = { 'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0 };
    EXPECT_EQ(0, memcmp(header, bytes.data(), 14));
    EXPECT_EQ(0, memcmp(picture.data(), bytes.data() + 14, picture.size()));
    // Windows reads it as the 2 x 2 picture it is.
    HBITMAP hBitmap = static_cast<HBITMAP>(LoadImageA(NULL, szPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hBitmap);
    BITMAP bm = {};
    GetObject(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(2, bm.bmWidth);
    EXPECT_EQ(2, bm.bmHeight);
    DeleteObject(hBitmap);
    DeleteFileA(szPath);

    // No picture: no file.
    size = 0;
    EXPECT_FALSE(still.SaveStillImage(szPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(szPath));
    // A picture that cannot be read: no file either.
    size = static_cast<DWORD>(picture.size());
    f.Log().SetResult("p", 3, E_FAIL);
    f.Log().SetHook("p", 3, [&](const DWORD* w) {
        if (w[0] == 1543)
        {
            *reinterpret_cast<DWORD*>(w[1]) = size;
            return S_OK;
        }
        return E_FAIL;
    });
    EXPECT_FALSE(still.SaveStillImage(szPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(szPath));

    // The five settings, each read and written by its own number.
    f.Log().calls.clear();
    f.Log().SetHook("p", 3, [](const DWORD* w) {
        *reinterpret_cast<DWORD*>(w[1]) = w[0] - 1000;
        return S_OK;
    });
    DWORD value = 0;
    EXPECT_TRUE(still.GetParameter1537(&value));
    EXPECT_EQ(537u, value);
    EXPECT_TRUE(still.GetParameter1541(&value));
    EXPECT_EQ(541u, value);
    EXPECT_TRUE(still.SetParameter1538(1));
    EXPECT_TRUE(still.SetParameter1539(2));
    EXPECT_TRUE(still.SetParameter1540(3));
    EXPECT_EQ(std::vector<std::string>({ "1538=1", "1539=2", "1540=3" }), Writes(f.Log()));
}

TEST_F(InterVideo, DownScaleWritesVerticalOnlyAfterHorizontalWasTaken)
{
    SlotFilterHolder f;
    AddParameters(f, kScaleIid);
    CIVDownScale scale(&graph, f.Filter());
    ASSERT_TRUE(scale.IsValid());
    EXPECT_TRUE(scale.SetScaling(5, FALSE));
    EXPECT_EQ(std::vector<std::string>({ "1792=1", "1793=0" }), Writes(f.Log()));
    f.Log().calls.clear();
    f.Log().SetHook("p", 4, [](const DWORD* w) { return w[0] == 1792 ? S_FALSE : S_OK; });
    EXPECT_FALSE(scale.SetScaling(TRUE, TRUE));
    EXPECT_EQ(std::vector<std::string>({ "1792=1" }), Writes(f.Log()));

    f.Log().SetHook("p", 3, [](const DWORD* w) {
        *reinterpret_cast<LONG*>(w[1]) = w[0] == 1792 ? 2 : -1;
        return w[0] == 1793 ? S_OK : E_FAIL;
    });
    BOOL horizontal = FALSE, vertical = TRUE;
    EXPECT_TRUE(scale.GetScaling(&horizontal, &vertical));
    EXPECT_TRUE(horizontal);
    EXPECT_FALSE(vertical);
}

TEST_F(InterVideo, VideoDecoderRereadsItsPins)
{
    SlotFilterHolder f;
    CIVVideoDecoder decoder(&graph, f.Filter());
    EXPECT_TRUE(decoder.IsValid());
    EXPECT_TRUE(decoder.GetRefreshPins());
}

// Positions 3 to 21: settings read and write (one pointer each), 5 to 8
// unused, 9 one value, 10 to 12 unused, 13 one value, 14 a 64-bit value and
// a word, 15 to 17 one value, 18 unused, 19 and 20 none, 21 the path buffer.
// A 64-bit value takes two words on a 32-bit stack and one place in 64-bit calls.
#ifdef _WIN64
const int kValue14 = 2;
const char* const kValue14Line = "ts.14 2 1";
#else
const int kValue14 = 3;
const char* const kValue14Line = "ts.14 2 1 1";
#endif

void AddTimeShift(SlotFilterHolder& f)
{
    f->Add<1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, kValue14, 1, 1, 1, 0, 0, 0, 1>(kTimeShiftIid, "ts");
}

TEST_F(InterVideo, TimeShiftCallsEachPosition)
{
    SlotFilterHolder f;
    AddTimeShift(f);
    CIVTimeShiftFilter timeShift(&graph, f.Filter());
    ASSERT_TRUE(timeShift.IsValid());
    EXPECT_TRUE(timeShift.Action20());
    EXPECT_TRUE(timeShift.Action19());
    EXPECT_TRUE(timeShift.SetValue15(15));
    EXPECT_TRUE(timeShift.SetValue16(16));
    EXPECT_TRUE(timeShift.SetValue13(13));
    EXPECT_TRUE(timeShift.SetValue17(17));
    EXPECT_TRUE(timeShift.SetValue14(0x100000002LL));
    f.Log().SetResult("ts", 17, E_FAIL);
    EXPECT_FALSE(timeShift.SetValue17(1));
    EXPECT_EQ(std::vector<std::string>({ "ts.20", "ts.19", "ts.15 15", "ts.16 16", "ts.13 13", "ts.17 17",
                                         kValue14Line, "ts.17 1" }),
              f.Log().Lines());
}

TEST_F(InterVideo, TimeShiftFileFitsItsBufferOrIsRefused)
{
    SlotFilterHolder f;
    AddTimeShift(f);
    std::string given;
    f.Log().SetHook("ts", 21, [&given](const DWORD* w) {
        given = reinterpret_cast<const char*>(w[0]);
        return S_OK;
    });
    CIVTimeShiftFilter timeShift(&graph, f.Filter());
    std::string longest(259, 'a');
    EXPECT_TRUE(timeShift.SetTimeShiftFile(longest.c_str()));
    EXPECT_EQ(longest, given);
    EXPECT_FALSE(timeShift.SetTimeShiftFile((longest + "b").c_str()));
    EXPECT_EQ(1u, f.Log().calls.size());
    EXPECT_FALSE(timeShift.SetTimeShiftFile(NULL));
}

TEST_F(InterVideo, TimeShiftConfigurationSplitsThePathAndSizesTheBuffer)
{
    SlotFilterHolder f;
    AddTimeShift(f);
    std::vector<DWORD> readPreset;
    f.Log().SetHook("ts", 3, [&readPreset](const DWORD* w) {
        IVTimeShiftSettings* record = reinterpret_cast<IVTimeShiftSettings*>(static_cast<ULONG_PTR>(w[0]));
        readPreset = { record->bstrFolder != NULL, record->bstrFileName != NULL, record->dwSize,
                       record->dwKept, record->dwSizeBytes, record->dwMode };
        record->dwKept = 77;
        return S_OK;
    });
    std::wstring folder, file;
    std::vector<DWORD> written;
    f.Log().SetHook("ts", 4, [&](const DWORD* w) {
        const IVTimeShiftSettings* p = reinterpret_cast<const IVTimeShiftSettings*>(w[0]);
        folder = p->bstrFolder;
        file = p->bstrFileName;
        EXPECT_EQ(file.size(), SysStringLen(p->bstrFileName));
        written = { p->dwSize, p->dwKept, p->dwSizeBytes, p->dwMode };
        return S_OK;
    });
    CIVTimeShiftFilter timeShift(&graph, f.Filter());
    // The second character's trail byte is a backslash: no separator.
    ASSERT_TRUE(timeShift.ConfigureTimeShift("D:\\tv\xD5\x5C" "dir\\buffer.tsb", 3, 4000, 600));
    EXPECT_EQ(std::vector<DWORD>({ 0, 0, 512, 128, 524288, 0 }), readPreset);
    WCHAR expectedFolder[32];
    MultiByteToWideChar(CP_ACP, 0, "D:\\tv\xD5\x5C" "dir", -1, expectedFolder, 32);
    EXPECT_EQ(std::wstring(expectedFolder), folder);
    EXPECT_EQ(L"buffer.tsb", file);
    EXPECT_EQ(std::vector<DWORD>({ 300000, 77, 300000u * 1024, 3 }), written);
    EXPECT_EQ("ts.9 4000", f.Log().Lines().back());

    // Without a backslash nothing is written.
    f.Log().calls.clear();
    EXPECT_FALSE(timeShift.ConfigureTimeShift("buffer.tsb", 3, 4000, 600));
    EXPECT_EQ(std::vector<std::string>({ "ts.3" }), f.Log().Slots());
    // A refused rate fails the configuration.
    f.Log().SetResult("ts", 9, E_FAIL);
    EXPECT_FALSE(timeShift.ConfigureTimeShift("C:\\b.tsb", 0, 8, 8));
    EXPECT_EQ(std::vector<DWORD>({ 8, 77, 8192, 0 }), written);
}
}
