// The time-shift wrapper on our "Time Shift" filter: the buffer and index
// files it keeps, its positions, seeking and pausing play-back.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "dshow/TimeShiftFilter.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "platform/standins/timeshift/TimeShiftStandin.h"
#include "tests/dshow/StandinClasses.h"
#include "tests/dshow/standins/StandinGraphTest.h"

namespace
{
const CFilterClass kRows[] = {
    { &CLSID_TimeShiftStandin, NULL, "TimeShift", CreateFilterNodeOf<CTimeShiftFilter>, FALSE, "TimeShift" },
};

std::string TempPath(const char* pszName)
{
    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szPath);
    return std::string(szPath) + pszName;
}

class TimeShiftStandin : public StandinGraphTest
{
protected:
    CTimeShiftFilter* pTimeShift = nullptr;
    CFileAppendSink* pSink = nullptr;
    std::vector<BYTE> clip;

    void SetUp() override
    {
        StartGraph(kRows, ARRAYSIZE(kRows));
        m_pClasses = new CStandinClasses("OndrixTimeShift.ax", { CLSID_TimeShiftStandin });
        ASSERT_HRESULT_SUCCEEDED(m_pClasses->Result());
        clip = ReadBytes("standin-clip.mpg");
        ASSERT_GT(clip.size(), 300000u);
    }
    void TearDown() override
    {
        StandinGraphTest::TearDown();
        delete m_pClasses;
    }

    // Source -> "Time Shift" -> sink, the filter writing the files named.
    void Build(const std::string& media, LONGLONG llBuffer)
    {
        pTimeShift = dynamic_cast<CTimeShiftFilter*>(graph.AddFilter(CLSID_TimeShiftStandin, "Time Shift"));
        ASSERT_NE(nullptr, pTimeShift);
        ASSERT_TRUE(pTimeShift->SetFileName(media.c_str()));
        ASSERT_TRUE(pTimeShift->SetBufferSize(&llBuffer, 5));
        CBytePushSource* pSource = nullptr;
        ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource("standin-clip.mpg", 2048, &m_source, &pSource));
        CMediaType program(&MEDIATYPE_Stream);
        program.SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
        ASSERT_HRESULT_SUCCEEDED(pSource->SetOutputType(program));
        ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &m_sink, &pSink));
        CFilterNode* pSourceNode = AddNode(m_source.Get(), "Source");
        CFilterNode* pSinkNode = AddNode(m_sink.Get(), "Sink");
        ASSERT_TRUE(graph.ConnectFilters(pSourceNode, pTimeShift, "", ""));
        ASSERT_TRUE(graph.ConnectFilters(pTimeShift, pSinkNode, "", ""));
        ComQuery(pTimeShift->GetFilter(), IID_ITimeShiftStandinState, m_state);
        ASSERT_TRUE(m_state);
    }
    ComPtr<ITimeShiftStandinState> m_state;

private:
    CStandinClasses* m_pClasses = nullptr;
    ComPtr<IBaseFilter> m_source;
    ComPtr<IBaseFilter> m_sink;
};

TEST_F(TimeShiftStandin, PlaysBackWhatItBuffersAndKeepsTheBufferAndIndexFiles)
{
    std::string media = TempPath("ts-whole~TF.mpg");
    std::string index = TempPath("ts-whole~TF.idx");
    Build(media, 8 << 20);
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(pSink->WaitForEndOfStream(20000));
    LONGLONG read = 0, current = 0, total = 0;
    ASSERT_TRUE(pTimeShift->GetPositions(&read, &current, &total));
    EXPECT_EQ(static_cast<LONGLONG>(clip.size()), read);
    EXPECT_EQ(static_cast<LONGLONG>(clip.size()), current);
    EXPECT_EQ(8 << 20, total);
    ComPtr<ITimeShiftControl> control;
    ComQuery(pTimeShift->GetFilter(), IID_ITimeShiftControl, control);
    DWORD reserve = 0;
    ASSERT_HRESULT_SUCCEEDED(control->GetReserve(&reserve));
    EXPECT_EQ(5u, reserve);
    graph.Stop();

    EXPECT_EQ(static_cast<LONGLONG>(clip.size()), pSink->BytesReceived());
    EXPECT_EQ(clip, ReadBytes(media));
    // One record per 64 KiB block: the block and the first pack in it (the
    // clip's packs are 2048 bytes long).
    std::vector<BYTE> records = ReadBytes(index);
    ASSERT_EQ(128u * sizeof(TimeShiftIndexRecord), records.size());
    const TimeShiftIndexRecord* pRecords = reinterpret_cast<const TimeShiftIndexRecord*>(records.data());
    size_t blocks = (clip.size() + 65535) / 65536;
    for (size_t b = 0; b < 128; ++b)
    {
        if (b < blocks)
        {
            EXPECT_EQ(static_cast<LONGLONG>(b * 65536), pRecords[b].llBlock);
            EXPECT_EQ(static_cast<LONGLONG>(b * 65536), pRecords[b].llFirstPack);
        }
        else
        {
            EXPECT_EQ(-1, pRecords[b].llBlock) << b;
        }
    }
    LONGLONG packs = 0;
    m_state->GetIndexedPacks(&packs);
    EXPECT_EQ(static_cast<LONGLONG>(clip.size() / 2048), packs);
    DeleteFileA(media.c_str());
    DeleteFileA(index.c_str());
}

TEST_F(TimeShiftStandin, ARingSmallerThanTheStreamKeepsItsNewestPartAndSeeksToAPack)
{
    const LONGLONG kRing = 256 * 1024;
    std::string media = TempPath("ts-ring~TF.mpg");
    Build(media, kRing);
    // Play-back paused from the start: the input alone fills the ring.
    ASSERT_TRUE(pTimeShift->TogglePause());
    ASSERT_TRUE(graph.Run());
    ASSERT_EQ(S_OK, m_state->WaitForInputEnd(20000));
    LONGLONG read = 0, current = 0, total = 0;
    ASSERT_TRUE(pTimeShift->GetPositions(&read, &current, &total));
    EXPECT_EQ(kRing, current);
    EXPECT_EQ(kRing, total);
    // Overtaken: play-back waits at the oldest pack still buffered.
    LONGLONG start = static_cast<LONGLONG>(clip.size()) - kRing;
    EXPECT_EQ((start + 2047) / 2048 * 2048 - start, read);
    EXPECT_EQ(0u, pSink->BytesReceived());

    // The file holds the newest bytes at their places in the ring.
    std::vector<BYTE> ring = ReadBytes(media);
    ASSERT_EQ(static_cast<size_t>(kRing), ring.size());
    for (LONGLONG at = start; at < static_cast<LONGLONG>(clip.size()); at += 997)
        ASSERT_EQ(clip[static_cast<size_t>(at)], ring[static_cast<size_t>(at % kRing)]) << at;

    // A seek goes to the pack at or before the position.
    LONGLONG position = 100000;
    ASSERT_TRUE(pTimeShift->SetPosition(&position));
    ASSERT_TRUE(pTimeShift->GetPositions(&read, &current, &total));
    LONGLONG from = (start + position) / 2048 * 2048;
    EXPECT_EQ(from - start, read);
    ASSERT_TRUE(pTimeShift->TogglePause());
    ASSERT_TRUE(pSink->WaitForEndOfStream(20000));
    graph.Stop();
    EXPECT_EQ(static_cast<LONGLONG>(clip.size()) - from, pSink->BytesReceived());
    DeleteFileA(media.c_str());
    DeleteFileA(TempPath("ts-ring~TF.idx").c_str());
}
}
