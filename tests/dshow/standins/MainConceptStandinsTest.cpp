// The MainConcept wrappers on our stand-ins: the radio's MP2 recording
// through the encoder, the multiplexer writing a program stream, the
// splitter, and the separate encoder wrappers on the encoder's interfaces.
#include <gtest/gtest.h>

#include <windows.h>
#include <math.h>
#include <mmreg.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "dshow/MCAudioEncoder.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCMultiplexer.h"
#include "dshow/MCSplitter.h"
#include "dshow/MCVideoEncoder.h"
#include "platform/standins/mainconcept/MainConceptSdk.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/dshow/StandinClasses.h"
#include "tests/dshow/standins/StandinGraphTest.h"

namespace
{
const CFilterClass kRows[] = {
    { &CLSID_McMpegEncoder, NULL, "MainConcept Demo MPEG Encoder", CreateFilterNodeOf<CMCEncoderFilter>, FALSE,
      "MainConcept Demo MPEG Encoder" },
    { &CLSID_McMpegMuxer, NULL, "MainConcept Demo MPEG Multiplexer", CreateFilterNodeOf<CMCMultiplexer>, FALSE,
      "MainConcept Demo MPEG Multiplexer" },
    { &CLSID_McMpegSplitter, NULL, "MainConcept Demo MPEG Splitter", CreateFilterNodeOf<CMCSplitter>, FALSE,
      "MainConcept Demo MPEG Splitter" },
};

class MainConceptStandins : public StandinGraphTest
{
protected:
    void SetUp() override
    {
        StartGraph(kRows, ARRAYSIZE(kRows));
        m_pClasses = new CStandinClasses("OndrixMainConcept.ax",
                                         { CLSID_McMpegEncoder, CLSID_McMpegMuxer, CLSID_McMpegSplitter });
        ASSERT_HRESULT_SUCCEEDED(m_pClasses->Result());
    }
    void TearDown() override
    {
        StandinGraphTest::TearDown();
        delete m_pClasses;
    }

    // Two seconds of a 1 kHz tone at half scale, 44.1 kHz stereo, in tenths of a second.
    CFilterNode* AddToneSource()
    {
        const DWORD kRate = 44100;
        std::vector<short> pcm(kRate * 2 * 2);
        for (DWORD i = 0; i < kRate * 2; ++i)
            pcm[i * 2] = pcm[i * 2 + 1] = static_cast<short>(16384 * sin(2 * 3.14159265358979 * 1000 * i / kRate));
        CBytePushSource* pSource = nullptr;
        if (FAILED(CreateBytePushSource(nullptr, kRate / 10 * 4, &m_source, &pSource)))
            return nullptr;
        pSource->SetBytes(reinterpret_cast<const BYTE*>(pcm.data()), pcm.size() * sizeof(short));
        pSource->SetSampleDuration(1000000);
        CMediaType mt(&MEDIATYPE_Audio);
        mt.SetSubtype(&MEDIASUBTYPE_PCM);
        mt.SetFormatType(&FORMAT_WaveFormatEx);
        WAVEFORMATEX* pWave = reinterpret_cast<WAVEFORMATEX*>(mt.AllocFormatBuffer(sizeof(WAVEFORMATEX)));
        memset(pWave, 0, sizeof(*pWave));
        pWave->wFormatTag = WAVE_FORMAT_PCM;
        pWave->nChannels = 2;
        pWave->nSamplesPerSec = kRate;
        pWave->wBitsPerSample = 16;
        pWave->nBlockAlign = 4;
        pWave->nAvgBytesPerSec = kRate * 4;
        pSource->SetOutputType(mt);
        return AddNode(m_source.Get(), "Tone");
    }

    // Waits for the graph's end of stream.
    BOOL WaitForComplete(long lTimeout)
    {
        long lCode = 0;
        HRESULT hr = graph.GetMediaEvent()->WaitForCompletion(lTimeout, &lCode);
        return hr == S_OK && lCode == EC_COMPLETE;
    }

private:
    CStandinClasses* m_pClasses = nullptr;
    ComPtr<IBaseFilter> m_source;
};

TEST_F(MainConceptStandins, RadioSoundThroughTheEncoderWithTheVcdPresetBecomesLayerTwoAt224Kbits)
{
    CFilterNode* pTone = AddToneSource();
    ASSERT_NE(nullptr, pTone);
    CMCEncoderFilter* pEncoder =
        dynamic_cast<CMCEncoderFilter*>(graph.AddFilter(CLSID_McMpegEncoder, "MainConcept Demo MPEG Encoder"));
    ASSERT_NE(nullptr, pEncoder);
    CFileAppendSink* pSink = nullptr;
    ComPtr<IBaseFilter> sink;
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink, &pSink));
    CFilterNode* pSinkNode = AddNode(sink.Get(), "Dump");
    ASSERT_TRUE(graph.ConnectFilters(pTone, pEncoder, "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pEncoder, pSinkNode, "", ""));

    DeleteFileA("mc-radio.mp2");
    ASSERT_TRUE(pEncoder->SetFileName("mc-radio.mp2"));
    char szName[MAX_PATH] = {};
    ASSERT_TRUE(pEncoder->GetFileName(szName, MAX_PATH));
    EXPECT_STREQ("mc-radio.mp2", szName);
    MpegPreset preset;
    ASSERT_TRUE(CMCEncoderFilter::FillVCDPreset(&preset, TRUE));
    ASSERT_TRUE(pEncoder->ApplyPreset(&preset));

    // The encoder keeps what the preset wrote.
    MCVideoSettings video = {};
    ASSERT_TRUE(pEncoder->GetVideoSettings(&video));
    const McVideoConfig* pVideo = reinterpret_cast<const McVideoConfig*>(&video);
    EXPECT_EQ(1, pVideo->vcdCompliant);
    EXPECT_EQ(352, pVideo->width);
    EXPECT_EQ(288, pVideo->height);
    EXPECT_EQ(1150000.0, pVideo->bitRate);
    EXPECT_EQ(1150000.0, pVideo->bitRateCopy);
    // Header code 1, the encoder's bits 0 and 6 kept.
    EXPECT_EQ(0x41 | (1 << 1), pVideo->sequenceFlags);
    LONG value = -1;
    ASSERT_TRUE(pEncoder->GetVideoParameter97(&value));
    EXPECT_EQ(0, value);
    ASSERT_TRUE(pEncoder->GetAudioParameter96(&value));
    EXPECT_EQ(1, value);

    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(pSink->WaitForEndOfStream(20000));
    graph.Stop();

    std::vector<BYTE> mp2 = ReadBytes("mc-radio.mp2");
    ASSERT_GT(mp2.size(), 4u);
    // MPEG-1 Layer II without CRC, 224 kbit/s, 44.1 kHz, stereo.
    EXPECT_EQ(0xFF, mp2[0]);
    EXPECT_EQ(0xFD, mp2[1]);
    EXPECT_EQ(0xB0, mp2[2] & 0xFC);
    EXPECT_EQ(0x00, mp2[3] & 0xC0);
    // The output carries the same frames, one per sample, 1152 samples apart.
    EXPECT_EQ(static_cast<LONGLONG>(mp2.size()), pSink->BytesReceived());
    std::vector<REFERENCE_TIME> starts = pSink->SampleStarts();
    ASSERT_GT(starts.size(), 2u);
    EXPECT_EQ(0, starts[0]);
    EXPECT_EQ(1152LL * 10000000 / 44100, starts[1]);
}

TEST_F(MainConceptStandins, MultiplexerWritesTheEncodedSoundIntoAProgramStreamFile)
{
    CFilterNode* pTone = AddToneSource();
    CMCEncoderFilter* pEncoder =
        dynamic_cast<CMCEncoderFilter*>(graph.AddFilter(CLSID_McMpegEncoder, "MainConcept Demo MPEG Encoder"));
    CMCMultiplexer* pMux =
        dynamic_cast<CMCMultiplexer*>(graph.AddFilter(CLSID_McMpegMuxer, "MainConcept Demo MPEG Multiplexer"));
    ASSERT_TRUE(pTone && pEncoder && pMux);
    EXPECT_TRUE(pMux->GetRefreshPins());
    ASSERT_TRUE(graph.ConnectFilters(pTone, pEncoder, "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pEncoder, pMux, "", ""));
    // A free input again after the connection.
    EXPECT_EQ(2, pMux->GetPinCount());
    DeleteFileA("mc-mux.mpg");
    ASSERT_TRUE(pMux->SetFileName("mc-mux.mpg"));
    ASSERT_TRUE(pMux->SetMultiplexType(2));
    ASSERT_TRUE(pMux->SetMuxParameter37(1));
    EXPECT_FALSE(pMux->SetMultiplexType(9));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitForComplete(20000));
    graph.Stop();
    std::vector<BYTE> ps = ReadBytes("mc-mux.mpg");
    ASSERT_GT(ps.size(), 14u);
    const BYTE kPack[4] = { 0x00, 0x00, 0x01, 0xBA };
    EXPECT_EQ(0, memcmp(kPack, ps.data(), 4));
    const BYTE kEnd[4] = { 0x00, 0x00, 0x01, 0xB9 };
    EXPECT_EQ(0, memcmp(kEnd, ps.data() + ps.size() - 4, 4));
}

TEST_F(MainConceptStandins, SplitterOffersVideoAndAudioOnceItsInputIsConnected)
{
    CMCSplitter* pSplitter =
        dynamic_cast<CMCSplitter*>(graph.AddFilter(CLSID_McMpegSplitter, "MainConcept Demo MPEG Splitter"));
    ASSERT_NE(nullptr, pSplitter);
    EXPECT_EQ(1, pSplitter->GetPinCount());
    ASSERT_TRUE(pSplitter->SetParameter(12, 34));
    LONG value = 0;
    ASSERT_TRUE(pSplitter->GetParameter(12, &value));
    EXPECT_EQ(34, value);

    CBytePushSource* pSource = nullptr;
    ComPtr<IBaseFilter> source;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource("standin-clip.mpg", 2048, &source, &pSource));
    CMediaType program(&MEDIATYPE_Stream);
    program.SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
    pSource->SetOutputType(program);
    CFilterNode* pSourceNode = AddNode(source.Get(), "Source");
    ASSERT_TRUE(graph.ConnectFilters(pSourceNode, pSplitter, "", ""));
    ASSERT_EQ(3, pSplitter->GetPinCount());
    CFileAppendSink* pSinks[2] = {};
    ComPtr<IBaseFilter> sinks[2];
    const char* kPins[2] = { "Video", "Audio" };
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(i == 0 ? "mc-split.m2v" : "mc-split.mp2", &sinks[i], &pSinks[i]));
        ASSERT_TRUE(graph.ConnectFilters(pSplitter, AddNode(sinks[i].Get(), kPins[i]), kPins[i], "")) << kPins[i];
    }
    DeleteFileA("mc-split.m2v");
    DeleteFileA("mc-split.mp2");
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(pSinks[0]->WaitForEndOfStream(20000));
    ASSERT_TRUE(pSinks[1]->WaitForEndOfStream(20000));
    graph.Stop();
    std::vector<BYTE> video = ReadBytes("mc-split.m2v");
    std::vector<BYTE> audio = ReadBytes("mc-split.mp2");
    ASSERT_GT(video.size(), 100000u);
    ASSERT_GT(audio.size(), 10000u);
    const BYTE kSequenceHeader[4] = { 0x00, 0x00, 0x01, 0xB3 };
    EXPECT_EQ(0, memcmp(kSequenceHeader, video.data(), 4));
    EXPECT_EQ(0xFF, audio[0]);
}

TEST_F(MainConceptStandins, SeparateEncoderWrappersReachTheEncodersSettings)
{
    ComPtr<IBaseFilter> encoder;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_McMpegEncoder, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                              reinterpret_cast<void**>(&encoder)));
    CMCVideoEncoder video(&graph, encoder.Get());
    ASSERT_TRUE(video.IsValid());
    MCVideoSettings defaults = {};
    ASSERT_TRUE(video.GetDefaultVideoSettings(2, 0, &defaults));
    EXPECT_EQ(480, reinterpret_cast<const McVideoConfig*>(&defaults)->height);
    ASSERT_TRUE(video.SetVideoSettings(defaults));
    ASSERT_TRUE(video.SetHeaderCode(5));
    MCVideoSettings now = {};
    ASSERT_TRUE(video.GetVideoSettings(&now));
    EXPECT_EQ(0x41 | (5 << 1), now.data[812]);
    ASSERT_TRUE(video.SetVideoValues5(640, 360, 0));
    ASSERT_TRUE(video.GetVideoSettings(&now));
    EXPECT_EQ(640, reinterpret_cast<const McVideoConfig*>(&now)->width);
    // The encoder refuses a block without a picture size.
    MCVideoSettings empty = {};
    EXPECT_FALSE(video.SetVideoSettings(empty));

    CMCAudioEncoder audio(&graph, encoder.Get());
    ASSERT_TRUE(audio.IsValid());
    MCAudioSettings record = {};
    ASSERT_TRUE(audio.GetDefaultAudioSettings(1, &record));
    EXPECT_EQ(2, record.fields[1]);
    EXPECT_EQ(44100, record.fields[2]);
    record.fields[3] = 15;
    EXPECT_FALSE(audio.SetAudioSettings(record));
    record.fields[3] = 9;
    EXPECT_TRUE(audio.SetAudioSettings(record));
    EXPECT_FALSE(audio.GetDefaultAudioSettings(7, &record));
}
}
