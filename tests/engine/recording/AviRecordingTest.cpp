// AVI, MPEG-4 and radio recordings on the simulated BlackBird card through
// the real device enumerator, our AVI Mux (registered in Wine's place),
// Wine's Smart Tee and File Writer, and the compressors the categories list;
// ffprobe reads the files afterwards (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <dshow.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "engine/RecordParam.h"
#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string TempFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string folder = std::string(szTemp) + "ondrix-avi";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

int CountNodes(CDShowGraph& graph, LPCSTR pszFriendlyName)
{
    int n = 0;
    for (CFilterNode* p = graph.GetNodeList(); p != NULL; p = p->GetNext())
        n += strcmp(p->GetFriendlyName(), pszFriendlyName) == 0 ? 1 : 0;
    return n;
}

class AviRecording : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ { "Filters\\Deinterlace.ax", "Filters\\TransformRatio.ax", "Filters\\OverlayMixer.ax",
                              "Filters\\RecordDump.ax", "OndrixSysFilters.ax", "OndrixMainConcept.ax" } };
    CTestWindow window{ 40, 40, 360, 288, "AVI recording" };
    CRecordingWindows windows;
    CRecordParam param;
    CTVHardWare hw;
    std::string folder = TempFolder();

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        // The card's own sound pin, which the smart tee shares out.
        sim.Card()->SetAudioPinEnabled(TRUE);
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
        hw.SetRecordParam(&param);
        hw.m_CaptureSize = CSize(352, 288);
        ASSERT_TRUE(hw.Initialize());
        ASSERT_TRUE(hw.BuildPreviewGraph());
    }

    std::string FreshPath(const char* pszName)
    {
        std::string path = folder + "\\" + pszName;
        DeleteFileA(path.c_str());
        return path;
    }

    // Records until the file holds the bytes, stops, and leaves a copy
    // beside the program for ffprobe, with the time it recorded for in
    // "<name>.seconds" (its duration must match).
    void RecordInto(const char* pszName, LONGLONG bytes)
    {
        std::string path = FreshPath(pszName);
        hw.SetRecordFileName(path.c_str());
        ASSERT_TRUE(hw.StartRecord());
        ASSERT_TRUE(hw.IsRecording());
        DWORD dwStart = GetTickCount();
        EXPECT_TRUE(PumpUntil([&] { return FileSize(path) >= bytes; }, 15000)) << FileSize(path);
        DWORD dwRecorded = GetTickCount() - dwStart;
        ASSERT_TRUE(hw.StopRecord());
        EXPECT_FALSE(hw.IsRecording());
        ASSERT_TRUE(CopyFileA(path.c_str(), pszName, FALSE));
        FILE* f = fopen((std::string(pszName) + ".seconds").c_str(), "w");
        ASSERT_NE(nullptr, f);
        fprintf(f, "%.3f\n", dwRecorded / 1000.0);
        fclose(f);
    }
};
}  // namespace

TEST_F(AviRecording, CompressorListsComeFromTheCategories)
{
    BOOL bXvid = FALSE;
    for (POSITION pos = hw.m_VideoCompressorList.GetHeadPosition(); pos != NULL;)
        bXvid = bXvid || hw.m_VideoCompressorList.GetNext(pos) == "XviD MPEG-4 Codec";
    EXPECT_TRUE(bXvid);
    ASSERT_FALSE(hw.m_AudioCompressorList.IsEmpty());
    EXPECT_STREQ("Microsoft ADPCM", hw.m_AudioCompressorList.GetHead());
    EXPECT_NE(nullptr, hw.m_AudioCompressorList.Find("PCM"));
}

TEST_F(AviRecording, UncompressedAviHoldsPicturesAndSound)
{
    // Format 5 has no record mode of its own: it records as format 0 does.
    hw.RecordFormat = 5;
    RecordInto("record-avi.avi", 12 * 1024 * 1024);
    // An AVI recording has no pause filter: pausing says it did not pause.
    EXPECT_FALSE(hw.PauseRecord(TRUE));
}

TEST_F(AviRecording, Mpeg4WithEachAudioCompressor)
{
    hw.RecordFormat = 3;
    hw.Mpeg4RecordSize = CSize(176, 144);
    struct Case
    {
        const char* audio;
        const char* file;
    };
    for (const Case& c : { Case{ "Microsoft ADPCM", "record-mpeg4-adpcm.avi" }, Case{ "PCM", "record-mpeg4-pcm.avi" } })
    {
        SCOPED_TRACE(c.audio);
        hw.Mpeg4Audio = c.audio;
        RecordInto(c.file, 12 * 1024 * 1024);
    }
}

TEST_F(AviRecording, Mpeg4WithoutAnMpeg4CompressorFailsAndLeavesNoFile)
{
    CStringList saved;
    saved.AddTail(&hw.m_VideoCompressorList);
    hw.m_VideoCompressorList.RemoveAll();
    hw.RecordFormat = 3;
    std::string path = FreshPath("no-codec.avi");
    hw.SetRecordFileName(path.c_str());
    EXPECT_FALSE(hw.StartRecord());
    EXPECT_FALSE(hw.IsRecording());
    EXPECT_EQ(-1, FileSize(path));
    EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState());
    hw.m_VideoCompressorList.AddTail(&saved);
}

TEST_F(AviRecording, XvidSettingsAddAndRemoveTheCodec)
{
    EXPECT_FALSE(hw.ShowXvidSettings(NULL, FALSE));
    EXPECT_EQ(nullptr, hw.m_pXvidCompressor);
    EXPECT_EQ(0, CountNodes(hw.GetGraph(), "XviD MPEG-4 Codec"));
}

TEST_F(AviRecording, RadioRecordsMpegAudioThroughTheDumpFilter)
{
    // Format 2 adds the dump filter that writes its ".mp2" file.
    hw.m_nVideoSource = CTVHardWare::SOURCE_RADIO;
    ASSERT_TRUE(hw.StopRecord());
    hw.FMRecordFormat = 2;
    RecordInto("radio-mpeg.mp2", 60 * 1024);
    hw.m_nVideoSource = CTVHardWare::SOURCE_TUNER;
}

TEST_F(AviRecording, RadioRecordsIntoAviInEachCompressorFormat)
{
    hw.m_nVideoSource = CTVHardWare::SOURCE_RADIO;
    ASSERT_TRUE(hw.StopRecord());
    struct Case
    {
        int format;
        const char* custom;
        const char* file;
        LONGLONG bytes;
    };
    const Case cases[] = {
        { 0, "", "radio-pcm.avi", 400 * 1024 },
        { 1, "", "radio-adpcm.avi", 100 * 1024 },
        // The custom name is trimmed before the compressor is looked up.
        { 3, "  Microsoft ADPCM ", "radio-custom.avi", 100 * 1024 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file);
        hw.FMRecordFormat = c.format;
        hw.m_strCustomCompressor = c.custom;
        RecordInto(c.file, c.bytes);
        // Every stop clears the custom name.
        EXPECT_TRUE(hw.m_strCustomCompressor.IsEmpty());
    }
    hw.m_nVideoSource = CTVHardWare::SOURCE_TUNER;
}

TEST_F(AviRecording, RadioCustomFormatWithoutANameFails)
{
    hw.m_nVideoSource = CTVHardWare::SOURCE_RADIO;
    hw.FMRecordFormat = 3;
    for (const char* name : { "", "   " })
    {
        hw.m_strCustomCompressor = name;
        std::string path = FreshPath("radio-none.avi");
        hw.SetRecordFileName(path.c_str());
        EXPECT_FALSE(hw.StartRecord()) << "'" << name << "'";
        EXPECT_FALSE(hw.IsRecording());
        EXPECT_EQ(-1, FileSize(path));
    }
    // Choosing the custom compressor twice keeps one node of it.
    hw.m_strCustomCompressor = "PCM";
    ASSERT_TRUE(hw.CreateCustomAudioFilters());
    hw.m_strCustomCompressor = "PCM";
    ASSERT_TRUE(hw.CreateCustomAudioFilters());
    EXPECT_EQ(1, CountNodes(hw.GetGraph(), "PCM"));
    hw.m_nVideoSource = CTVHardWare::SOURCE_TUNER;
}

TEST_F(AviRecording, SnapshotsAreRealPictureFiles)
{
    // ImageMagick reads them after this program (see CMakeLists.txt).
    struct Case
    {
        LONG type;
        const char* file;
    };
    for (const Case& c : { Case{ 1, "snapshot.bmp" }, Case{ 2, "snapshot.jpg" } })
    {
        DeleteFileA(c.file);
        char path[MAX_PATH];
        GetFullPathNameA(c.file, MAX_PATH, path, NULL);
        EXPECT_TRUE(PumpUntil([&] { return hw.TakeSnapshot(path, c.type, 80) != FALSE; }, 10000)) << c.file;
        EXPECT_GT(FileSize(path), 1000) << c.file;
    }
}
