// The Ligos wrappers against fakes built from the methods' positions.
#include <gtest/gtest.h>

#include <string.h>

#include "dshow/DShowGraph.h"
#include "dshow/LigosCaptureEncoder.h"
#include "dshow/LigosTranscoder.h"
#include "tests/dshow/SlotRecorder.h"

namespace
{
const IID kEncoderIid = { 0x55A4D441, 0x6429, 0x11D5, { 0x87, 0x37, 0x00, 0x10, 0xA4, 0xE9, 0xFF, 0x94 } };
const IID kTranscoderIid = { 0xFF12DF30, 0x9702, 0x4438, { 0x9B, 0x45, 0xF6, 0x4D, 0x19, 0x1D, 0xCE, 0x69 } };
const IID kOptionsIid = { 0x3A75AC56, 0x95CA, 0x4CA2, { 0xB9, 0x6A, 0xA8, 0x4C, 0x4F, 0x3E, 0x08, 0x66 } };

LONG Address(const void* p)
{
    return static_cast<LONG>(reinterpret_cast<DWORD_PTR>(p));
}

DWORD At(const LigosConfig& config, int offset)
{
    DWORD v;
    memcpy(&v, reinterpret_cast<const BYTE*>(&config) + offset, 4);
    return v;
}

class Ligos : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override { ASSERT_TRUE(graph.CreateGraph()); }
    void TearDown() override { graph.DestroyGraph(); }
};

TEST(LigosRecords, DefaultsFillTheListedFieldsAndNothingElse)
{
    struct Field
    {
        int offset;
        DWORD value;
    } fields[] = { { 0, 1 },      { 4, 1 },    { 8, 6 },     { 12, 3 },  { 16, 2520000 },   { 20, 3 },
                   { 24, 4 },     { 28, 8 },   { 32, 2 },    { 36, 1 },  { 44, 1 },         { 48, 3 },
                   { 52, 44100 }, { 60, 1 },   { 64, 1 },    { 68, 6 },  { 72, 2 },         { 76, 1 },
                   { 80, 2 },     { 84, 1 },   { 88, 999999999 }, { 92, 1 }, { 96, 32 },   { 100, 32 },
                   { 104, 16 },   { 108, 16 }, { 120, 1 },   { 124, 720 }, { 128, 512 },   { 152, 1 },
                   { 156, 0x41F00000 }, { 172, 5 }, { 224, 1 } };
    LigosConfig config;
    memset(&config, 0xCC, sizeof(config));
    CLigosCaptureEncoder::SetDefaults(&config);
    for (int offset = 0; offset < 228; offset += 4)
    {
        DWORD expected = 0;
        for (const Field& f : fields)
        {
            if (f.offset == offset)
                expected = f.value;
        }
        EXPECT_EQ(expected, At(config, offset)) << "offset " << offset;
    }
    float rate;
    memcpy(&rate, reinterpret_cast<const BYTE*>(&config) + 156, 4);
    EXPECT_EQ(30.0f, rate);
}

TEST(LigosRecords, PresetsFillTheirTellingValuesFromZero)
{
    typedef void (*Fill)(LigosConfig*, DWORD);
    struct Row
    {
        Fill fill;
        DWORD value;
        DWORD profile, bitRate, sampleRate, lines, at36;
    } rows[] = { { &CLigosCaptureEncoder::FillPreset1, 9, 12, 4000000, 44100, 480, 9 },
                 { &CLigosCaptureEncoder::FillPreset2, 9, 15, 2000000, 44100, 576, 0 },
                 { &CLigosCaptureEncoder::FillPreset3, 1, 12, 1120000, 44100, 480, 0 },
                 { &CLigosCaptureEncoder::FillPreset3, 2, 15, 1120000, 44100, 480, 0 },
                 { &CLigosCaptureEncoder::FillPreset4, 1, 12, 220000, 44100, 480, 0 },
                 { &CLigosCaptureEncoder::FillPreset4, 0, 15, 220000, 44100, 480, 0 },
                 { &CLigosCaptureEncoder::FillPreset5, 7, 15, 3000000, 44100, 0, 7 },
                 { &CLigosCaptureEncoder::FillPreset6, 1, 6, 4500000, 48000, 480, 0 },
                 { &CLigosCaptureEncoder::FillPreset7, 1, 15, 7200000, 48000, 480, 0 } };
    for (const Row& row : rows)
    {
        LigosConfig config;
        memset(&config, 0xCC, sizeof(config));
        row.fill(&config, row.value);
        EXPECT_EQ(row.profile, At(config, 0)) << row.bitRate;
        EXPECT_EQ(row.bitRate, At(config, 16));
        EXPECT_EQ(row.sampleRate, At(config, 52));
        EXPECT_EQ(row.lines, At(config, 128)) << row.bitRate;
        EXPECT_EQ(row.at36, At(config, 36)) << row.bitRate;
        EXPECT_EQ(0u, At(config, 220));
    }
}

TEST_F(Ligos, CaptureEncoderPassesTheRecordWithItsExtraValuesAndReturnsTheFiltersResults)
{
    SlotFilterHolder f;
    f->Add<3, 3, 2, 1, 3, 1>(kEncoderIid, "le");
    f->Add<2, 2>(IID_IFileSinkFilter, "sink");
    std::wstring given;
    f.Log().SetHook("sink", 3, [&given](const DWORD* w) {
        given = w[0] != 0 ? reinterpret_cast<LPCWSTR>(w[0]) : L"(null)";
        return S_OK;
    });
    {
        CLigosCaptureEncoder encoder(&graph, f.Filter());
        ASSERT_TRUE(encoder.IsValid());
        LigosConfig config = {};
        EXPECT_EQ(S_OK, encoder.SetConfig(&config));
        EXPECT_EQ(S_OK, encoder.GetConfig(&config));
        EXPECT_EQ(S_OK, encoder.SetValue2(1, 2));
        EXPECT_EQ(S_OK, encoder.SetValue1(3));
        DWORD triple[3] = { 4, 5, 6 };
        EXPECT_EQ(S_OK, encoder.SetTriple(triple));
        f.Log().SetResult("le", 8, S_FALSE);
        EXPECT_EQ(S_FALSE, encoder.SetValue3(7));
        std::string rec = std::to_string(Address(&config)) + " " +
                          std::to_string(Address(reinterpret_cast<BYTE*>(&config) + 220)) + " " +
                          std::to_string(Address(reinterpret_cast<BYTE*>(&config) + 224));
        std::vector<std::string> expected = { "le.3 " + rec, "le.4 " + rec, "le.5 1 2", "le.6 3", "le.7 4 5 6",
                                              "le.8 7" };
        EXPECT_EQ(expected, f.Log().Lines());

        // The file name goes to the sink reached from the private interface;
        // only S_OK counts.
        EXPECT_TRUE(encoder.SetFileName("E:\\cap.mpg"));
        EXPECT_EQ(L"E:\\cap.mpg", given);
        f.Log().SetHook("sink", 3, [](const DWORD*) { return S_FALSE; });
        EXPECT_FALSE(encoder.SetFileName("E:\\cap.mpg"));
    }
    EXPECT_EQ(0, f->OutstandingRefs());
}

TEST_F(Ligos, ReloadReadsWritesAndReadsAgainAndHandsOutTheLastExtraValues)
{
    SlotFilterHolder f;
    f->Add<3, 3, 2, 1, 3, 1>(kEncoderIid, "le");
    int reads = 0;
    f.Log().SetHook("le", 4, [&reads](const DWORD* w) {
        ++reads;
        DWORD* record = reinterpret_cast<DWORD*>(w[0]);
        record[55] = 100 * reads;
        record[56] = 100 * reads + 1;
        return S_OK;
    });
    CLigosCaptureEncoder encoder(&graph, f.Filter());
    DWORD a = 0, b = 0;
    ASSERT_EQ(S_OK, encoder.ReloadConfig(&a, &b));
    EXPECT_EQ(200u, a);
    EXPECT_EQ(201u, b);
    ASSERT_EQ(3u, f.Log().calls.size());
    EXPECT_EQ(std::vector<std::string>({ "le.4", "le.3", "le.4" }), f.Log().Slots());
    // The write in between passes no extra-value pointers.
    EXPECT_EQ(0u, f.Log().calls[1].words[1]);
    EXPECT_EQ(0u, f.Log().calls[1].words[2]);
    // A refused write stops it.
    f.Log().SetResult("le", 3, E_FAIL);
    EXPECT_EQ(E_FAIL, encoder.ReloadConfig(&a, &b));
    EXPECT_EQ(5u, f.Log().calls.size());
}

TEST_F(Ligos, CaptureEncoderFileNameIsCutToTheCallersBuffer)
{
    SlotFilterHolder f;
    f->Add<3, 3, 2, 1, 3, 1>(kEncoderIid, "le");
    f->Add<2, 2>(IID_IFileSinkFilter, "sink");
    const wchar_t* current = L"C:\\a\\long\\recording.mpg";
    f.Log().SetHook("sink", 4, [&current](const DWORD* w) {
        if (current == nullptr)
        {
            *reinterpret_cast<LPOLESTR*>(w[0]) = nullptr;
            return S_OK;
        }
        size_t cb = (wcslen(current) + 1) * sizeof(wchar_t);
        LPOLESTR p = static_cast<LPOLESTR>(CoTaskMemAlloc(cb));
        memcpy(p, current, cb);
        *reinterpret_cast<LPOLESTR*>(w[0]) = p;
        return S_OK;
    });
    CLigosCaptureEncoder encoder(&graph, f.Filter());
    char szShort[10];
    EXPECT_EQ(S_OK, encoder.GetFileName(szShort, sizeof(szShort)));
    EXPECT_STREQ("C:\\a\\long", szShort);
    char szFull[MAX_PATH];
    EXPECT_EQ(S_OK, encoder.GetFileName(szFull, MAX_PATH));
    EXPECT_STREQ("C:\\a\\long\\recording.mpg", szFull);
    current = nullptr;
    EXPECT_EQ(S_OK, encoder.GetFileName(szFull, MAX_PATH));
    EXPECT_STREQ("", szFull);
    f.Log().SetHook("sink", 4, [](const DWORD*) { return E_FAIL; });
    strcpy(szFull, "kept");
    EXPECT_EQ(E_FAIL, encoder.GetFileName(szFull, MAX_PATH));
    EXPECT_STREQ("kept", szFull);
    EXPECT_EQ(E_INVALIDARG, encoder.GetFileName(szFull, 0));
}

TEST_F(Ligos, WithoutThePrivateInterfaceEveryOperationAnswersEPointer)
{
    SlotFilterHolder f;
    CLigosCaptureEncoder encoder(&graph, f.Filter());
    EXPECT_FALSE(encoder.IsValid());
    LigosConfig config = {};
    EXPECT_EQ(E_POINTER, encoder.SetConfig(&config));
    EXPECT_EQ(E_POINTER, encoder.ReloadConfig(NULL, NULL));
    EXPECT_EQ(E_POINTER, encoder.SetValue1(1));
    EXPECT_FALSE(encoder.SetFileName("x"));
    char sz[4];
    EXPECT_EQ(E_POINTER, encoder.GetFileName(sz, 4));
    CLigosTranscoder transcoder(&graph, f.Filter());
    EXPECT_FALSE(transcoder.IsValid());
    EXPECT_EQ(E_POINTER, transcoder.GetConfig(&config));
    EXPECT_FALSE(transcoder.SetValue(1));
    EXPECT_EQ(E_POINTER, transcoder.SetOption1(1));
    EXPECT_EQ(E_POINTER, transcoder.SetFileName("x"));
    EXPECT_TRUE(f.Log().calls.empty());
}

TEST_F(Ligos, TranscoderPassesTheRecordAndReachesItsOptionsThroughThePrivateInterface)
{
    SlotFilterHolder f;
    f->Add<4, 4, 0, 1>(kTranscoderIid, "lt");
    f->Add<1, 1>(kOptionsIid, "lo");
    f->Add<2, 2>(IID_IFileSinkFilter, "sink");
    {
        CLigosTranscoder transcoder(&graph, f.Filter());
        ASSERT_TRUE(transcoder.IsValid());
        LigosConfig config = {};
        EXPECT_EQ(S_OK, transcoder.SetConfig(&config));
        EXPECT_EQ(S_OK, transcoder.GetConfig(&config));
        f.Log().SetResult("lt", 6, S_FALSE);
        EXPECT_TRUE(transcoder.SetValue(9));
        f.Log().SetResult("lt", 6, E_FAIL);
        EXPECT_FALSE(transcoder.SetValue(9));
        f.Log().SetResult("lo", 4, E_ACCESSDENIED);
        EXPECT_EQ(E_ACCESSDENIED, transcoder.SetOption1(11));
        EXPECT_EQ(S_OK, transcoder.SetOption2(12));
        f.Log().SetHook("sink", 3, [](const DWORD*) { return S_FALSE; });
        EXPECT_EQ(S_FALSE, transcoder.SetFileName("t.mpg"));
        EXPECT_EQ(E_NOTIMPL, transcoder.NotImplemented(1));
        std::string rec = std::to_string(Address(&config)) + " 0 " +
                          std::to_string(Address(reinterpret_cast<BYTE*>(&config) + 220)) + " " +
                          std::to_string(Address(reinterpret_cast<BYTE*>(&config) + 224));
        std::vector<std::string> expected = { "lt.3 " + rec, "lt.4 " + rec, "lt.6 9", "lt.6 9", "lo.4 11", "lo.3 12",
                                              "sink.3 " + std::to_string(static_cast<LONG>(f.Log().calls.back().words[0])) + " 0" };
        EXPECT_EQ(expected, f.Log().Lines());
    }
    EXPECT_EQ(0, f->OutstandingRefs());
}
}
