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
#include "dshow/FileWriteFilter.h"
#include "dshow/InfTeeFilter.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/Mpeg4Codecs.h"
#include "dshow/MuxFilter.h"
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
    { &CLSID_AviDest, NULL, "AVI Mux", CreateFilterNodeOf<CMuxFilter>, FALSE, "AVI Mux" },
    { &CLSID_FileWriter, NULL, "File writer", CreateFilterNodeOf<CFileWriteFilter>, FALSE, "File writer" },
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

TEST_F(SysStandins, AviMuxWritesPicturesAndTwoSoundsIntoOneFile)
{
    CStandinClasses classes("OndrixSysFilters.ax", { CLSID_AviDest });
    ASSERT_HRESULT_SUCCEEDED(classes.Result());
    CMuxFilter* pMux = dynamic_cast<CMuxFilter*>(graph.AddFilter(CLSID_AviDest, "AVI Mux"));
    ASSERT_NE(nullptr, pMux);
    CFileWriteFilter* pWriter = dynamic_cast<CFileWriteFilter*>(graph.AddFilter(CLSID_FileWriter, "AVI Writer"));
    ASSERT_NE(nullptr, pWriter);
    char szPath[MAX_PATH];
    GetFullPathNameA("mux-three-streams.avi", MAX_PATH, szPath, NULL);
    DeleteFileA(szPath);
    ASSERT_TRUE(pWriter->SetFileName(szPath));

    // One second of each: 25 pictures of 64 x 48 YUY2, a mono sound at
    // 8000 Hz and a stereo one at 22050 Hz, each from its own source.
    VIDEOINFOHEADER video = {};
    video.AvgTimePerFrame = 400000;
    video.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    video.bmiHeader.biWidth = 64;
    video.bmiHeader.biHeight = 48;
    video.bmiHeader.biPlanes = 1;
    video.bmiHeader.biBitCount = 16;
    video.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    video.bmiHeader.biSizeImage = 64 * 48 * 2;
    WAVEFORMATEX mono = { WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0 };
    WAVEFORMATEX stereo = { WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0 };
    struct Input
    {
        const GUID* major;
        const GUID* subtype;
        const GUID* format;
        const void* pFormat;
        ULONG cbFormat;
        DWORD chunk;
        size_t bytes;
        REFERENCE_TIME duration;
    };
    const Input inputs[] = {
        { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2, &FORMAT_VideoInfo, &video, sizeof(video), 6144, 25 * 6144, 400000 },
        { &MEDIATYPE_Audio, &MEDIASUBTYPE_PCM, &FORMAT_WaveFormatEx, &mono, sizeof(mono), 1600, 16000, 1000000 },
        { &MEDIATYPE_Audio, &MEDIASUBTYPE_PCM, &FORMAT_WaveFormatEx, &stereo, sizeof(stereo), 8820, 88200, 1000000 },
    };
    std::vector<ComPtr<IBaseFilter>> sources(ARRAYSIZE(inputs));
    std::vector<std::vector<BYTE>> data(ARRAYSIZE(inputs));
    for (size_t i = 0; i < ARRAYSIZE(inputs); ++i)
    {
        const Input& in = inputs[i];
        CMediaType mt;
        mt.SetType(in.major);
        mt.SetSubtype(in.subtype);
        mt.SetFormatType(in.format);
        mt.SetFormat(static_cast<const BYTE*>(in.pFormat), in.cbFormat);
        mt.SetSampleSize(in.chunk);
        CBytePushSource* pSource = nullptr;
        ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, in.chunk, &sources[i], &pSource));
        ASSERT_HRESULT_SUCCEEDED(pSource->SetOutputType(mt));
        data[i].resize(in.bytes);
        for (size_t b = 0; b < in.bytes; ++b)
            data[i][b] = static_cast<BYTE>(b * (i + 3) + b / 509);
        pSource->SetBytes(data[i].data(), data[i].size());
        pSource->SetSampleDuration(in.duration);
        CFilterNode* pNode = AddNode(sources[i].Get(), ("Source " + std::to_string(i)).c_str());
        ASSERT_NE(nullptr, pNode);
        ASSERT_TRUE(graph.ConnectFilters(pNode, pMux, "", "")) << i;
        // One free input again after each connection.
        EXPECT_NE(nullptr, pMux->GetFirstPin(PINDIR_INPUT, TRUE)) << i;
    }
    ASSERT_TRUE(graph.ConnectFilters(pMux, pWriter, "", ""));
    ASSERT_TRUE(graph.Run());
    // Every input ends: the multiplexer finishes the file and ends its
    // output, and the writer reports the graph complete.
    ComPtr<IMediaEvent> events;
    ASSERT_HRESULT_SUCCEEDED(graph.GetGraphBuilder()->QueryInterface(IID_IMediaEvent,
                                                                     reinterpret_cast<void**>(&events)));
    LONG code = 0;
    EXPECT_HRESULT_SUCCEEDED(events->WaitForCompletion(10000, &code));
    EXPECT_EQ(EC_COMPLETE, code);
    graph.Stop();

    // RIFF 'AVI ': three strl lists, and an index entry for every sample
    // with the bytes of its chunk in the movi list.
    std::vector<BYTE> file = ReadBytes(szPath);
    ASSERT_GT(file.size(), 2048u + 25 * 6144);
    EXPECT_EQ(0, memcmp(file.data(), "RIFF", 4));
    EXPECT_EQ(file.size() - 8, *reinterpret_cast<const DWORD*>(&file[4]));
    EXPECT_EQ(0, memcmp(&file[8], "AVI ", 4));
    std::string text(file.begin(), file.begin() + 2048);
    size_t nStrl = 0;
    for (size_t at = text.find("strl"); at != std::string::npos; at = text.find("strl", at + 4))
        ++nStrl;
    EXPECT_EQ(3u, nStrl);
    const char kIdx1[] = "idx1";
    auto idx1 = std::search(file.begin(), file.end(), kIdx1, kIdx1 + 4);
    ASSERT_NE(file.end(), idx1);
    size_t at = idx1 - file.begin();
    DWORD cbIndex = *reinterpret_cast<const DWORD*>(&file[at + 4]);
    ASSERT_EQ(file.size(), at + 8 + cbIndex);
    const size_t nChunks = 25 + 10 + 10;
    ASSERT_EQ(nChunks * 16, cbIndex);
    const size_t movi = 2048 - 4;  // the offsets count from the movi list's type
    size_t nSeen[3] = {};
    for (size_t e = 0; e < nChunks; ++e)
    {
        const DWORD* pEntry = reinterpret_cast<const DWORD*>(&file[at + 8 + e * 16]);
        int nStream = ((pEntry[0] & 0xFF) - '0') * 10 + (((pEntry[0] >> 8) & 0xFF) - '0');
        ASSERT_TRUE(nStream >= 0 && nStream < 3) << e;
        size_t chunk = movi + pEntry[2];
        EXPECT_EQ(pEntry[0], *reinterpret_cast<const DWORD*>(&file[chunk])) << e;
        EXPECT_EQ(pEntry[3], inputs[nStream].chunk) << e;
        EXPECT_EQ(0, memcmp(&file[chunk + 8], &data[nStream][nSeen[nStream] * inputs[nStream].chunk], pEntry[3])) << e;
        ++nSeen[nStream];
    }
    // ffprobe reads it after this program (see CMakeLists.txt).
    FILE* f = fopen("mux-three-streams.avi.seconds", "w");
    ASSERT_NE(nullptr, f);
    fprintf(f, "1.000\n");
    fclose(f);
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
        { "OndrixSysFilters.ax", { kDemux, kInfTee, CLSID_AviDest } },
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
        // The AVI Mux class goes back to the system's multiplexer.
        ComPtr<IBaseFilter> system;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_AviDest, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                                  reinterpret_cast<void**>(&system)));
        ComPtr<IBaseFilter> gone;
        EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(module.clsids[0], NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                                        reinterpret_cast<void**>(&gone)))
            << module.name;
    }
}
}
