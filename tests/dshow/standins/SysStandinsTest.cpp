// The demultiplexer, tee and MPEG-4 compressor wrappers on our stand-ins for
// the system filters Wine lacks.
#include <gtest/gtest.h>

#include <algorithm>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "dshow/InfTeeFilter.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/Mpeg4Codecs.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/dshow/DShowTestUtil.h"
#include "tests/dshow/StandinClasses.h"
#include "tests/dshow/standins/StandinGraphTest.h"

namespace
{
const CLSID kDemux = { 0xAFB6C280, 0x2C41, 0x11D3, { 0x8A, 0x60, 0x00, 0x00, 0xF8, 0x1E, 0x0E, 0x4A } };
const CLSID kInfTee = { 0xF8388A40, 0xD5BB, 0x11D0, { 0xBE, 0x5A, 0x00, 0x80, 0xC7, 0x06, 0x56, 0x8E } };

const CFilterClass kRows[] = {
    { &kDemux, NULL, "MPEG-2 Demultiplexer", CreateFilterNodeOf<CMpeg2DemuxFilter>, FALSE, "MPEG-2 Demultiplexer" },
    { &kInfTee, NULL, "Infinite Pin Tee Filter", CreateFilterNodeOf<CInfTeeFilter>, FALSE,
      "Infinite Pin Tee Filter" },
    { NULL, &CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V3", CreateFilterNodeOf<CMpeg4CodecV3>,
      FALSE, "Microsoft MPEG-4  VKI  Codec V3" },
    { NULL, &CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V2", CreateFilterNodeOf<CMpeg4CodecV2>,
      FALSE, "Microsoft MPEG-4  VKI  Codec V2" },
    { NULL, &CLSID_VideoCompressorCategory, "Microsoft MPEG-4  VKI  Codec V1", CreateFilterNodeOf<CMpeg4CodecV1>,
      FALSE, "Microsoft MPEG-4  VKI  Codec V1" },
};

class SysStandins : public StandinGraphTest
{
protected:
    void SetUp() override { StartGraph(kRows, ARRAYSIZE(kRows)); }
};

TEST_F(SysStandins, DemultiplexerMakesItsPinsAtRunTimeAndSplitsTheProgramStream)
{
    CStandinClasses classes("OndrixSysFilters.ax", { kDemux });
    ASSERT_HRESULT_SUCCEEDED(classes.Result());
    CMpeg2DemuxFilter* pDemux = dynamic_cast<CMpeg2DemuxFilter*>(graph.AddFilter(kDemux, "MPEG-2 Demultiplexer"));
    ASSERT_NE(nullptr, pDemux);
    EXPECT_EQ(1, pDemux->GetPinCount());
    ASSERT_TRUE(pDemux->CreateOutputPin("Video", 0));
    ASSERT_TRUE(pDemux->CreateOutputPin("Audio", 1));
    // A name taken already is refused by the filter.
    EXPECT_FALSE(pDemux->CreateOutputPin("Video", 0));
    // The new pins enter the node's list with the next connection.
    EXPECT_FALSE(pDemux->MapStream("Video", 0));

    CBytePushSource* pSource = nullptr;
    ComPtr<IBaseFilter> source;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource("standin-clip.mpg", 2048, &source, &pSource));
    CMediaType program(&MEDIATYPE_Stream);
    program.SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
    ASSERT_HRESULT_SUCCEEDED(pSource->SetOutputType(program));
    CFilterNode* pSourceNode = AddNode(source.Get(), "Source");
    ASSERT_NE(nullptr, pSourceNode);
    ASSERT_TRUE(graph.ConnectFilters(pSourceNode, pDemux, "", ""));
    EXPECT_EQ(3, pDemux->GetPinCount());
    ASSERT_TRUE(pDemux->MapStream("Video", 0));
    ASSERT_TRUE(pDemux->MapStream("Audio", 1));

    CFileAppendSink* pVideoSink = nullptr;
    CFileAppendSink* pAudioSink = nullptr;
    ComPtr<IBaseFilter> videoSink, audioSink;
    DeleteFileA("demuxed-video.m2v");
    DeleteFileA("demuxed-audio.mp2");
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink("demuxed-video.m2v", &videoSink, &pVideoSink));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink("demuxed-audio.mp2", &audioSink, &pAudioSink));
    CFilterNode* pVideoNode = AddNode(videoSink.Get(), "Video Sink");
    CFilterNode* pAudioNode = AddNode(audioSink.Get(), "Audio Sink");
    ASSERT_TRUE(pVideoNode && pAudioNode);
    ASSERT_TRUE(graph.ConnectFilters(pDemux, pVideoNode, "Video", ""));
    ASSERT_TRUE(graph.ConnectFilters(pDemux, pAudioNode, "Audio", ""));
    // The pins carry the fixed types the wrapper made them with.
    AM_MEDIA_TYPE mt = {};
    ASSERT_HRESULT_SUCCEEDED(pDemux->FindPin("Video")->GetPin()->ConnectionMediaType(&mt));
    EXPECT_TRUE(mt.majortype == MEDIATYPE_Video && mt.subtype == MEDIASUBTYPE_MPEG2_VIDEO);
    EXPECT_EQ(218u, mt.cbFormat);
    CoTaskMemFree(mt.pbFormat);

    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(pVideoSink->WaitForEndOfStream(20000));
    ASSERT_TRUE(pAudioSink->WaitForEndOfStream(20000));
    graph.Stop();

    std::vector<BYTE> video = ReadBytes("demuxed-video.m2v");
    std::vector<BYTE> audio = ReadBytes("demuxed-audio.mp2");
    ASSERT_GT(video.size(), 4u);
    ASSERT_GT(audio.size(), 2u);
    const BYTE kSequenceHeader[4] = { 0x00, 0x00, 0x01, 0xB3 };
    EXPECT_EQ(0, memcmp(kSequenceHeader, video.data(), 4));
    EXPECT_EQ(0xFF, audio[0]);
    EXPECT_EQ(0xF0, audio[1] & 0xF0);
    // Time stamps run from the first clock reference on and never go back
    // within one stream's presentation order of audio frames.
    std::vector<REFERENCE_TIME> starts = pAudioSink->SampleStarts();
    REFERENCE_TIME last = -1;
    for (REFERENCE_TIME t : starts)
    {
        if (t < 0)
            continue;
        EXPECT_GT(t, last);
        last = t;
    }
    EXPECT_GT(last, 15000000);
    EXPECT_LT(last, 25000000);
}

TEST_F(SysStandins, InfiniteTeeOffersAFreeOutputAfterEachConnectionAndFeedsThemAll)
{
    CStandinClasses classes("OndrixSysFilters.ax", { kInfTee });
    ASSERT_HRESULT_SUCCEEDED(classes.Result());
    CInfTeeFilter* pTee = dynamic_cast<CInfTeeFilter*>(graph.AddFilter(kInfTee, "Infinite Pin Tee"));
    ASSERT_NE(nullptr, pTee);
    EXPECT_TRUE(pTee->GetRefreshPins());

    std::vector<BYTE> bytes(100000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + i / 251);
    CBytePushSource* pSource = nullptr;
    ComPtr<IBaseFilter> source;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, 4096, &source, &pSource));
    pSource->SetBytes(bytes.data(), bytes.size());
    CFilterNode* pSourceNode = AddNode(source.Get(), "Source");
    // Without an input type the outputs offer nothing yet.
    CFileAppendSink* pSinks[3] = {};
    ComPtr<IBaseFilter> sinks[3];
    CFilterNode* pSinkNodes[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sinks[i], &pSinks[i]));
        pSinkNodes[i] = AddNode(sinks[i].Get(), ("Sink " + std::to_string(i)).c_str());
    }
    EXPECT_FALSE(graph.ConnectFilters(pTee, pSinkNodes[0], "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pSourceNode, pTee, "", ""));
    EXPECT_EQ(2, pTee->GetPinCount());
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(graph.ConnectFilters(pTee, pSinkNodes[i], "", "")) << i;
        // One free output again, named on.
        EXPECT_EQ(i + 3, pTee->GetPinCount());
        EXPECT_NE(nullptr, pTee->FindPin(("Output" + std::to_string(i + 2)).c_str()));
    }
    ASSERT_TRUE(graph.Run());
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(pSinks[i]->WaitForEndOfStream(10000)) << i;
        EXPECT_EQ(static_cast<LONGLONG>(bytes.size()), pSinks[i]->BytesReceived()) << i;
    }
    graph.Stop();
}

TEST_F(SysStandins, Mpeg4CompressorsAreListedByNameAndKeepTheirState)
{
    HMODULE hModule = LoadLibraryA("OndrixSysFilters.ax");
    ASSERT_NE(nullptr, hModule);
    typedef HRESULT(STDAPICALLTYPE * PFN_SERVER)();
    PFN_SERVER pfnRegister = reinterpret_cast<PFN_SERVER>(GetProcAddress(hModule, "DllRegisterServer"));
    PFN_SERVER pfnUnregister = reinterpret_cast<PFN_SERVER>(GetProcAddress(hModule, "DllUnregisterServer"));
    ASSERT_HRESULT_SUCCEEDED(pfnRegister());
    {
        int nCount = 0;
        CDShowGraph::DEVICE_NAME* pNames = graph.EnumDevices(3, &nCount);
        ASSERT_NE(nullptr, pNames);
        std::vector<std::string> mpeg4;
        for (int i = 0; i < nCount; ++i)
        {
            if (strstr(pNames[i], "MPEG-4") != nullptr)
                mpeg4.push_back(pNames[i]);
        }
        // The three system codecs and the one the MPEG-4 recording adds by name.
        EXPECT_EQ(4u, mpeg4.size());
        EXPECT_NE(mpeg4.end(), std::find(mpeg4.begin(), mpeg4.end(), std::string("XviD MPEG-4 Codec")));

        // The names differ in their last character only, which the device
        // lookup does not compare: the n-th of them is device index n.
        const char* kNames[] = { "Microsoft MPEG-4  VKI  Codec V1", "Microsoft MPEG-4  VKI  Codec V2",
                                 "Microsoft MPEG-4  VKI  Codec V3" };
        for (int nIndex = 0; nIndex < 3; ++nIndex)
        {
            const char* pszName = kNames[nIndex];
            CFilterNode* pNode = graph.AddFilterByName(CLSID_VideoCompressorCategory, pszName, pszName, FALSE, nIndex);
            CVfwCodecFilter* pCodec = dynamic_cast<CVfwCodecFilter*>(pNode);
            ASSERT_NE(nullptr, pCodec) << pszName;
            EXPECT_STREQ(pszName, pCodec->GetFriendlyName());
            ASSERT_NE(nullptr, pCodec->GetDialogs());
            int cbState = 0;
            ASSERT_TRUE(pCodec->GetState(nullptr, &cbState));
            ASSERT_EQ(12, cbState);
            DWORD state[3] = {};
            ASSERT_TRUE(pCodec->GetState(state, &cbState));
            state[1] = 9000;
            EXPECT_TRUE(pCodec->SetState(state, cbState));
            DWORD back[3] = {};
            ASSERT_TRUE(pCodec->GetState(back, &cbState));
            EXPECT_EQ(9000u, back[1]);
            EXPECT_FALSE(pCodec->SetState(state, cbState - 1));
            // No settings dialog of its own.
            EXPECT_FALSE(pCodec->ShowDialog(VfwCompressDialog_Config, NULL));
        }
        EXPECT_TRUE(dynamic_cast<CMpeg4CodecV2*>(graph.FindFilter("Microsoft MPEG-4  VKI  Codec V2")) != nullptr);
        CFilterNode* pFirst = graph.AddFilterByName(CLSID_VideoCompressorCategory, kNames[2], "Any", FALSE, 0);
        ASSERT_NE(nullptr, pFirst);
        EXPECT_STREQ(kNames[0], pFirst->GetFriendlyName());
        graph.RemoveAllFilters();
    }
    EXPECT_HRESULT_SUCCEEDED(pfnUnregister());
}
}

namespace
{
// Each stand-in module puts its classes in the registry, where the graph
// creates them by class identifier, and takes them out again.
TEST(StandinRegistration, EveryModuleRegistersItsClasses)
{
    ComScope com;
    struct Module
    {
        const char* name;
        std::vector<CLSID> clsids;
    } modules[] = {
        { "OndrixSysFilters.ax", { kDemux, kInfTee } },
        { "OndrixTimeShift.ax",
          { { 0xC234F3EE, 0xE66E, 0x4519, { 0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0 } } } },
        { "OndrixMainConcept.ax",
          { { 0x2BE4D150, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } },
            { 0x2BE4D180, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } },
            { 0x2BE4D120, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } } } },
    };
    for (const Module& module : modules)
    {
        HMODULE hModule = LoadLibraryA(module.name);
        ASSERT_NE(nullptr, hModule) << module.name;
        typedef HRESULT(STDAPICALLTYPE * PFN_SERVER)();
        PFN_SERVER pfnRegister = reinterpret_cast<PFN_SERVER>(GetProcAddress(hModule, "DllRegisterServer"));
        PFN_SERVER pfnUnregister = reinterpret_cast<PFN_SERVER>(GetProcAddress(hModule, "DllUnregisterServer"));
        ASSERT_HRESULT_SUCCEEDED(pfnRegister()) << module.name;
        for (const CLSID& clsid : module.clsids)
        {
            ComPtr<IBaseFilter> filter;
            ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                                      reinterpret_cast<void**>(&filter)))
                << module.name;
            CLSID made = GUID_NULL;
            filter->GetClassID(&made);
            EXPECT_TRUE(made == clsid) << module.name;
        }
        ASSERT_HRESULT_SUCCEEDED(pfnUnregister()) << module.name;
        ComPtr<IBaseFilter> gone;
        EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(module.clsids[0], NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                                        reinterpret_cast<void**>(&gone)))
            << module.name;
    }
}
}
