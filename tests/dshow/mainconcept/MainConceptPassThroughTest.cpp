// The MainConcept MPEG and H.264 wrappers' pass-through operations against
// fakes built from the methods' positions and argument sizes.
#include <gtest/gtest.h>

#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/MCAudioEncoder.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCH264Decoder.h"
#include "dshow/MCH264Encoder.h"
#include "dshow/MCMultiplexer.h"
#include "dshow/MCSplitter.h"
#include "dshow/MCVideoDecoder.h"
#include "dshow/MCVideoEncoder.h"
#include "tests/dshow/SlotRecorder.h"

namespace
{
// {2BE4D151-6F2E-4B3A-B0BD-E880917238DC} and its neighbours.
GUID McGuid(DWORD first)
{
    return { first, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
}
GUID H264Guid(DWORD first)
{
    return { first, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };
}

// Words per method after IUnknown. Records passed by value take their size:
// the video block 877 bytes (220 words), the audio record 9, the multiplexer's 27.
void AddVideoSettings(SlotFilterHolder& f)
{
    f->Add<1, 1, 1, 1, 3, 3, 1, 1, 4, 1, 220, 3, 2>(McGuid(0x2BE4D151), "vs");
}
void AddAudioSettings(SlotFilterHolder& f)
{
    f->Add<1, 1, 1, 1, 1, 1, 1, 1, 1, 9, 2, 1>(McGuid(0x2BE4D152), "as");
}
void AddMuxSettings(SlotFilterHolder& f)
{
    f->Add<1, 1, 1, 27, 2, 1>(McGuid(0x2BE4D153), "ms");
}
void AddParameters(SlotFilterHolder& f, DWORD first, const char* name)
{
    f->Add<2, 2>(McGuid(first), name);
}
// SetFileName(name, type), GetCurFile(name out, type out); the name given
// last is kept in *pGiven.
void AddFileSink(SlotFilterHolder& f, const wchar_t* current, std::wstring* pGiven = nullptr)
{
    f->Add<2, 2>(IID_IFileSinkFilter, "sink");
    f.Log().SetHook("sink", 3, [pGiven](const DWORD* w) {
        if (pGiven != nullptr)
            *pGiven = w[0] != 0 ? reinterpret_cast<LPCWSTR>(w[0]) : L"(null)";
        return S_OK;
    });
    f.Log().SetHook("sink", 4, [current](const DWORD* w) {
        if (current == nullptr)
            return S_FALSE;
        size_t cb = (wcslen(current) + 1) * sizeof(wchar_t);
        LPOLESTR p = static_cast<LPOLESTR>(CoTaskMemAlloc(cb));
        memcpy(p, current, cb);
        *reinterpret_cast<LPOLESTR*>(w[0]) = p;
        return S_OK;
    });
}

struct Step
{
    std::function<BOOL()> call;
    std::string expected;  // the logged call, "" for none
};

// Runs each step, expecting TRUE and its line.
void RunSteps(SlotFilterHolder& f, const std::vector<Step>& steps)
{
    for (const Step& step : steps)
    {
        size_t before = f.Log().calls.size();
        EXPECT_TRUE(step.call()) << step.expected;
        ASSERT_EQ(before + 1, f.Log().calls.size()) << step.expected;
        EXPECT_EQ(step.expected, f.Log().Lines().back());
    }
}

class McWrappers : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override { ASSERT_TRUE(graph.CreateGraph()); }
    void TearDown() override { graph.DestroyGraph(); }
};

TEST_F(McWrappers, VideoEncoderPassesEachSettingsMethodAndParameter)
{
    SlotFilterHolder f;
    AddVideoSettings(f);
    AddParameters(f, 0x2BE4D154, "vp");
    {
        CMCVideoEncoder encoder(&graph, f.Filter());
        ASSERT_TRUE(encoder.IsValid());
        EXPECT_FALSE(encoder.GetRefreshPins());
        LONG value = 0;
        MCVideoSettings block = {};
        RunSteps(f, {
                        { [&] { return encoder.SetVideoValue1(11); }, "vs.3 11" },
                        { [&] { return encoder.SetVideoValue2(12); }, "vs.4 12" },
                        { [&] { return encoder.SetVideoValue3(13); }, "vs.5 13" },
                        { [&] { return encoder.SetVideoValue4(-14); }, "vs.6 -14" },
                        { [&] { return encoder.SetVideoValues5(1, 2, 3); }, "vs.7 1 2 3" },
                        { [&] { return encoder.SetVideoValues6(4, 5, 6); }, "vs.8 4 5 6" },
                        { [&] { return encoder.SetVideoValue7(7); }, "vs.9 7" },
                        { [&] { return encoder.SetVideoValue8(8); }, "vs.10 8" },
                        { [&] { return encoder.SetVideoValues9(9, 10, 11, 12); }, "vs.11 9 10 11 12" },
                        { [&] { return encoder.SetVideoValues13(13, 14); }, "vs.15 13 14" },
                        { [&] { return encoder.GetVideoParameter(5, &value); },
                          "vp.3 5 " + std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&value))) },
                        { [&] { return encoder.SetVideoParameter(6, 7); }, "vp.4 6 7" },
                        { [&] { return encoder.SetVideoParameter1(9); }, "vp.4 1 9" },
                        { [&] { return encoder.GetDefaultVideoSettings(2, 1, &block); },
                          "vs.14 2 1 " + std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&block))) },
                        { [&] { return encoder.GetVideoSettings(&block); },
                          "vs.12 " + std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&block))) },
                    });
        // The whole block travels by value.
        for (size_t i = 0; i < sizeof(block.data); ++i)
            block.data[i] = static_cast<BYTE>(i);
        ASSERT_TRUE(encoder.SetVideoSettings(block));
        ASSERT_EQ(220u, f.Log().Last().words.size());
        EXPECT_EQ(0, memcmp(f.Log().Last().words.data(), block.data, sizeof(block.data)));

        // The header code alone: read the block, bits 1 to 4 of byte 812, write it back.
        f.Log().SetHook("vs", 12, [](const DWORD* w) {
            BYTE* p = reinterpret_cast<BYTE*>(w[0]);
            memset(p, 0xA5, 877);
            return S_OK;
        });
        ASSERT_TRUE(encoder.SetHeaderCode(2));
        const BYTE* written = reinterpret_cast<const BYTE*>(f.Log().Last().words.data());
        EXPECT_EQ(13, f.Log().Last().slot);
        EXPECT_EQ(0xA5, written[811]);
        EXPECT_EQ(0xA1 | (2 << 1), written[812]);
        EXPECT_EQ(0xA5, written[813]);

        // Any success code is success; a failure is reported.
        f.Log().SetResult("vs", 3, S_FALSE);
        EXPECT_TRUE(encoder.SetVideoValue1(1));
        f.Log().SetResult("vs", 3, E_FAIL);
        EXPECT_FALSE(encoder.SetVideoValue1(1));
        f.Log().SetResult("vs", 12, E_FAIL);
        f.Log().SetHook("vs", 12, [](const DWORD*) { return E_FAIL; });
        size_t before = f.Log().calls.size();
        EXPECT_FALSE(encoder.SetHeaderCode(3));
        EXPECT_EQ(before + 1, f.Log().calls.size());
    }
    EXPECT_EQ(0, f->OutstandingRefs());
}

TEST_F(McWrappers, AudioEncoderPassesEachSettingsMethodAndParameter)
{
    SlotFilterHolder f;
    AddAudioSettings(f);
    AddParameters(f, 0x2BE4D155, "ap");
    {
        CMCAudioEncoder encoder(&graph, f.Filter());
        ASSERT_TRUE(encoder.IsValid());
        LONG value = 0;
        MCAudioSettings record = {};
        std::string recordAddress = std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&record)));
        std::string valueAddress = std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&value)));
        RunSteps(f, {
                        { [&] { return encoder.SetAudioValue1(1); }, "as.3 1" },
                        { [&] { return encoder.SetAudioValue2(2); }, "as.4 2" },
                        { [&] { return encoder.SetAudioValue3(3); }, "as.5 3" },
                        { [&] { return encoder.SetAudioValue4(4); }, "as.6 4" },
                        { [&] { return encoder.SetAudioValue5(5); }, "as.7 5" },
                        { [&] { return encoder.SetAudioValue6(6); }, "as.8 6" },
                        { [&] { return encoder.SetAudioValue7(7); }, "as.9 7" },
                        { [&] { return encoder.SetAudioValue8(8); }, "as.10 8" },
                        { [&] { return encoder.SetAudioValue9(9); }, "as.11 9" },
                        { [&] { return encoder.SetAudioValue12(12); }, "as.14 12" },
                        { [&] { return encoder.GetDefaultAudioSettings(3, &record); }, "as.13 3 " + recordAddress },
                        { [&] { return encoder.GetAudioParameter(7, &value); }, "ap.3 7 " + valueAddress },
                        { [&] { return encoder.SetAudioParameter(8, 9); }, "ap.4 8 9" },
                        { [&] { return encoder.GetAudioParameter96(&value); }, "ap.3 96 " + valueAddress },
                        { [&] { return encoder.SetAudioParameter96(1); }, "ap.4 96 1" },
                    });
        for (int i = 0; i < 9; ++i)
            record.fields[i] = 100 + i;
        RunSteps(f, { { [&] { return encoder.SetAudioSettings(record); },
                        "as.12 100 101 102 103 104 105 106 107 108" } });
    }
    EXPECT_EQ(0, f->OutstandingRefs());

    // Both interfaces are needed.
    SlotFilterHolder settingsOnly;
    AddAudioSettings(settingsOnly);
    CMCAudioEncoder half(&graph, settingsOnly.Filter());
    EXPECT_FALSE(half.IsValid());
    EXPECT_FALSE(half.SetAudioParameter96(1));
}

TEST_F(McWrappers, MultiplexerPassesItsSettingsFileAndParameter37)
{
    SlotFilterHolder f;
    AddMuxSettings(f);
    AddParameters(f, 0x2BE4D156, "mp");
    std::wstring given;
    AddFileSink(f, L"C:\\out\\clip.mpg", &given);
    CMCMultiplexer mux(&graph, f.Filter());
    ASSERT_TRUE(mux.IsValid());
    EXPECT_TRUE(mux.GetRefreshPins());
    RunSteps(f, {
                    { [&] { return mux.SetMuxValue1(1); }, "ms.3 1" },
                    { [&] { return mux.SetMuxValue2(2); }, "ms.4 2" },
                    { [&] { return mux.SetMuxValue3(3); }, "ms.5 3" },
                    { [&] { return mux.SetMuxValues5(4, 5); }, "ms.7 4 5" },
                    { [&] { return mux.SetMultiplexType(1); }, "ms.8 1" },
                    { [&] { return mux.SetMuxParameter37(0); }, "mp.4 37 0" },
                });
    MCMuxSettings record = {};
    for (int i = 0; i < 27; ++i)
        record.fields[i] = i;
    ASSERT_TRUE(mux.SetMuxSettings(record));
    EXPECT_EQ(6, f.Log().Last().slot);
    EXPECT_EQ(std::vector<DWORD>(record.fields, record.fields + 27), f.Log().Last().words);

    ASSERT_TRUE(mux.SetFileName("D:\\radio.mp2"));
    EXPECT_EQ(L"D:\\radio.mp2", given);
    EXPECT_EQ(0u, f.Log().Last().words[1]);
    ASSERT_TRUE(mux.SetFileName(NULL));
    EXPECT_EQ(L"(null)", given);

    // The name is cut to the caller's buffer.
    char szName[8];
    ASSERT_TRUE(mux.GetFileName(szName, sizeof(szName)));
    EXPECT_STREQ("C:\\out\\", szName);
    char szFull[MAX_PATH];
    ASSERT_TRUE(mux.GetFileName(szFull, MAX_PATH));
    EXPECT_STREQ("C:\\out\\clip.mpg", szFull);
}

TEST_F(McWrappers, MultiplexerAsksForEveryInterfaceEvenAfterAMissingOne)
{
    SlotFilterHolder f;
    AddParameters(f, 0x2BE4D156, "mp");
    AddFileSink(f, nullptr);
    {
        CMCMultiplexer mux(&graph, f.Filter());
        EXPECT_FALSE(mux.IsValid());
        EXPECT_EQ(2, f->OutstandingRefs());
        EXPECT_FALSE(mux.SetMultiplexType(1));
        EXPECT_TRUE(mux.SetMuxParameter37(5));
        // A sink without a current file leaves the buffer alone.
        char szName[16] = "unchanged";
        EXPECT_TRUE(mux.GetFileName(szName, sizeof(szName)));
        EXPECT_STREQ("unchanged", szName);
    }
    EXPECT_EQ(0, f->OutstandingRefs());
}

TEST_F(McWrappers, SplitterAndVideoDecoderPassTheirParametersAndConfiguration)
{
    SlotFilterHolder s;
    AddParameters(s, 0x2BE4D121, "sp");
    CMCSplitter splitter(&graph, s.Filter());
    ASSERT_TRUE(splitter.IsValid());
    EXPECT_TRUE(splitter.GetRefreshPins());
    LONG value = 0;
    RunSteps(s, {
                    { [&] { return splitter.SetParameter(3, 4); }, "sp.4 3 4" },
                    { [&] { return splitter.GetParameter(5, &value); },
                      "sp.3 5 " + std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&value))) },
                });

    SlotFilterHolder d;
    AddParameters(d, 0x2BE4D142, "dp");
    d->Add<2, 2, 2, 1, 1>(McGuid(0x2BE4D141), "dc");
    // The decoder's record: the fifth field holds 77 until written.
    DWORD stored[10] = { 0, 0, 0, 0, 77, 0, 0, 0, 0, 0 };
    d.Log().SetHook("dc", 6, [&stored](const DWORD* w) {
        DWORD* p = reinterpret_cast<DWORD*>(w[0]);
        if (p[0] != 40)
            return E_INVALIDARG;
        memcpy(p + 1, stored + 1, 36);
        return S_OK;
    });
    d.Log().SetHook("dc", 7, [&stored](const DWORD* w) {
        const DWORD* p = reinterpret_cast<const DWORD*>(w[0]);
        if (p[0] != 40)
            return E_INVALIDARG;
        memcpy(stored, p, 40);
        return S_OK;
    });
    CMCVideoDecoder decoder(&graph, d.Filter());
    ASSERT_TRUE(decoder.IsValid());
    d.Log().calls.clear();
    RunSteps(d, {
                    { [&] { return decoder.SetConfigValues1(1, 2); }, "dc.3 1 2" },
                    { [&] { return decoder.SetConfigValues2(3, 4); }, "dc.4 3 4" },
                    { [&] { return decoder.SetParameter(32, 1); }, "dp.4 32 1" },
                });
    DWORD field = 0;
    ASSERT_TRUE(decoder.GetConfigField5(&field));
    EXPECT_EQ(77u, field);
    ASSERT_TRUE(decoder.SetConfigField5(5));
    EXPECT_EQ(5u, stored[4]);
    EXPECT_EQ(40u, stored[0]);
    MCVideoDecoderConfig config = {};
    config.fields[0] = 12;
    ASSERT_TRUE(decoder.SetConfig(&config));
    EXPECT_EQ(40u, stored[0]);
}

TEST_F(McWrappers, H264DecoderAndEncoderCallEachPositionWithPlainWords)
{
    SlotFilterHolder d;
    d->Add<2, 2, 2, 1, 1>(H264Guid(0x7C0D0341), "hd");
    CMCH264Decoder decoder(&graph, d.Filter());
    ASSERT_TRUE(decoder.IsValid());
    RunSteps(d, {
                    { [&] { return decoder.ConfigWords3(1, 2); }, "hd.3 1 2" },
                    { [&] { return decoder.ConfigWords4(3, 4); }, "hd.4 3 4" },
                    { [&] { return decoder.ConfigWords5(5, 6); }, "hd.5 5 6" },
                    { [&] { return decoder.ConfigWord6(7); }, "hd.6 7" },
                });
    d.Log().SetHook("hd", 7, [](const DWORD* w) {
        const DWORD* block = reinterpret_cast<const DWORD*>(w[0]);
        for (int i = 0; i < 10; ++i)
        {
            if (block[i] != static_cast<DWORD>(i + 1))
                return E_FAIL;
        }
        return S_OK;
    });
    EXPECT_TRUE(decoder.ConfigBlock7(1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
    EXPECT_FALSE(decoder.ConfigBlock7(1, 2, 3, 4, 5, 6, 7, 8, 9, 0));

    SlotFilterHolder e;
    AddAudioSettings(e);
    AddParameters(e, 0x2BE4D155, "ap");
    AddMuxSettings(e);
    AddParameters(e, 0x2BE4D156, "mp");
    AddFileSink(e, L"x.264");
    e->Add<3, 3, 1, 1, 3, 2>(H264Guid(0x7C0D0351), "h5");
    e->Add<2, 2>(H264Guid(0x7C0D0354), "h6");
    CMCH264Encoder encoder(&graph, e.Filter());
    ASSERT_TRUE(encoder.IsValid());
    EXPECT_TRUE(encoder.GetRefreshPins());
    LONG value = 0;
    std::string valueAddress = std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&value)));
    RunSteps(e, {
                    { [&] { return encoder.SetAudioValue1(1); }, "as.3 1" },
                    { [&] { return encoder.SetAudioValue12(2); }, "as.14 2" },
                    { [&] { return encoder.SetAudioParameter(3, 4); }, "ap.4 3 4" },
                    { [&] { return encoder.SetMuxValue3(5); }, "ms.5 5" },
                    { [&] { return encoder.SetMuxValues5(6, 7); }, "ms.7 6 7" },
                    { [&] { return encoder.SetMultiplexType(8); }, "ms.8 8" },
                    { [&] { return encoder.GetMuxParameter(9, &value); }, "mp.3 9 " + valueAddress },
                    { [&] { return encoder.SetMuxParameter(10, 11); }, "mp.4 10 11" },
                    { [&] { return encoder.SettingsWords3(1, 2, 3); }, "h5.3 1 2 3" },
                    { [&] { return encoder.SettingsWords4(4, 5, 6); }, "h5.4 4 5 6" },
                    { [&] { return encoder.SettingsWord5(7); }, "h5.5 7" },
                    { [&] { return encoder.SettingsWords7(8, 9, 10); }, "h5.7 8 9 10" },
                    { [&] { return encoder.SettingsWords8(11, 12); }, "h5.8 11 12" },
                    { [&] { return encoder.SetH264Parameter(13, 14); }, "h6.4 13 14" },
                    { [&] { return encoder.GetH264Parameter(15, &value); }, "h6.3 15 " + valueAddress },
                });
    // The settings block goes by address, whole.
    static MCH264EncoderSettings block;
    block.data[8319] = 0x5A;
    ASSERT_TRUE(encoder.SetH264Settings(block));
    EXPECT_EQ(6, e.Log().Last().slot);
    EXPECT_EQ(0x5A, reinterpret_cast<const BYTE*>(e.Log().Last().words[0])[8319]);
    char szName[MAX_PATH] = {};
    ASSERT_TRUE(encoder.GetFileName(szName, MAX_PATH));
    EXPECT_STREQ("x.264", szName);
}

TEST_F(McWrappers, H264EncoderWithSixOfSevenInterfacesKeepsThemUntilDestroyed)
{
    SlotFilterHolder e;
    AddAudioSettings(e);
    AddParameters(e, 0x2BE4D155, "ap");
    AddMuxSettings(e);
    AddParameters(e, 0x2BE4D156, "mp");
    AddFileSink(e, nullptr);
    e->Add<2, 2>(H264Guid(0x7C0D0354), "h6");
    {
        CMCH264Encoder encoder(&graph, e.Filter());
        EXPECT_FALSE(encoder.IsValid());
        EXPECT_EQ(6, e->OutstandingRefs());
        EXPECT_FALSE(encoder.SettingsWord5(1));
        EXPECT_TRUE(encoder.SetH264Parameter(1, 2));
        // Asked again, the old references go first.
        EXPECT_FALSE(encoder.Initfilter());
        EXPECT_EQ(6, e->OutstandingRefs());
        char szName[8] = "keep";
        EXPECT_TRUE(encoder.GetFileName(szName, sizeof(szName)));
        EXPECT_STREQ("keep", szName);
    }
    EXPECT_EQ(0, e->OutstandingRefs());
}

TEST_F(McWrappers, EncoderGetsAndSetsItsVideoParameters96And97)
{
    SlotFilterHolder f;
    AddAudioSettings(f);
    AddParameters(f, 0x2BE4D155, "ap");
    AddMuxSettings(f);
    AddFileSink(f, nullptr);
    AddVideoSettings(f);
    AddParameters(f, 0x2BE4D154, "vp");
    CMCEncoderFilter encoder(&graph, f.Filter());
    ASSERT_TRUE(encoder.IsValid());
    LONG value = 0;
    std::string valueAddress = std::to_string(static_cast<LONG>(reinterpret_cast<DWORD_PTR>(&value)));
    RunSteps(f, {
                    { [&] { return encoder.SetVideoParameter96(1); }, "vp.4 96 1" },
                    { [&] { return encoder.GetVideoParameter96(&value); }, "vp.3 96 " + valueAddress },
                    { [&] { return encoder.SetVideoParameter97(0); }, "vp.4 97 0" },
                    { [&] { return encoder.GetVideoParameter97(&value); }, "vp.3 97 " + valueAddress },
                    { [&] { return encoder.SetAudioValue5(5); }, "as.7 5" },
                    { [&] { return encoder.SetMuxValue1(1); }, "ms.3 1" },
                });
}
}
