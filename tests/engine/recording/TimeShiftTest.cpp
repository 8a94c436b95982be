// Time shift on the simulated BlackBird card: the card's encoder into the
// time-shift filter's disk buffer and its ".idx" index, play-back through
// the demultiplexer and the decoders; pause, seek back and resume against
// the buffer positions. The buffer sizes in 64 bits.
#include <gtest/gtest.h>

#include <dshow.h>

#include <string>

#include "engine/RecordParam.h"
#include "engine/TVEngine.h"
#include "engine/TVHardWare.h"
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

struct Positions
{
    LONGLONG read = 0, current = 0, total = 0;
};

class TimeShift : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ { "Filters\\Deinterlace.ax", "Filters\\TransformRatio.ax", "Filters\\OverlayMixer.ax",
                              "OndrixSysFilters.ax", "OndrixMainConcept.ax", "OndrixTimeShift.ax" } };
    CTestWindow window{ 40, 40, 360, 288, "Time shift" };
    CRecordingWindows windows;
    CRecordParam param;
    CTVHardWare hw;
    std::string file;

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        sim.Card()->SetEncoderPacing(FALSE);
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
        hw.SetRecordParam(&param);
        ASSERT_TRUE(hw.Initialize());
        ASSERT_TRUE(hw.BuildPreviewGraph());
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        file = std::string(szTemp) + "ondrix-timeshift.mpg";
        DeleteFileA(file.c_str());
        DeleteFileA(IndexFile().c_str());
        hw.SetTimeShiftFileName(file.c_str());
    }

    void TearDown() override
    {
        hw.StopTimeShift();
        DeleteFileA(file.c_str());
        DeleteFileA(IndexFile().c_str());
    }

    std::string IndexFile() const { return file.substr(0, file.rfind('.')) + ".idx"; }

    Positions Now()
    {
        Positions p;
        EXPECT_TRUE(hw.GetTimeShiftPosition(&p.read, &p.current, &p.total));
        return p;
    }
};
}  // namespace

TEST(TimeShiftSize, BufferBytesAreComputedInSixtyFourBits)
{
    // 4.5 Mbit/s of video, index 11 (224 kbit/s) for ten minutes.
    EXPECT_EQ((4500000ull / 8 + 28000) * 600, CTVHardWare::ComputeTimeShiftBuffer(4500000, 11, 600));
    // Two hours at 9.8 Mbit/s and 384 kbit/s: far beyond 32 bits.
    EXPECT_EQ((9800000ull / 8 + 48000) * 7200, CTVHardWare::ComputeTimeShiftBuffer(9800000, 14, 7200));
    EXPECT_GT(CTVHardWare::ComputeTimeShiftBuffer(9800000, 14, 7200), 0xFFFFFFFFull);
    // An audio rate index outside the table has no bit rate: refused.
    for (int index : { 0, 15, 255 })
        EXPECT_EQ(0ull, CTVHardWare::ComputeTimeShiftBuffer(4500000, index, 600)) << index;
}

TEST(TimeShiftSize, LengthAndDiskNeedInKilobits)
{
    CTVHardWare hw;
    EXPECT_EQ(600, hw.TFTime);
    EXPECT_FALSE(hw.SetTimeShiftLength(599));
    EXPECT_EQ(600, hw.TFTime);
    EXPECT_EQ(4724ull * 600, hw.GetTimeShiftBufferSize());
    // A day: 4724 x 86400 kilobits does not fit 32 bits.
    ASSERT_TRUE(hw.SetTimeShiftLength(86400));
    EXPECT_EQ(4724ull * 86400, hw.GetTimeShiftBufferSize());
}

TEST_F(TimeShift, PauseSeekBackAndResumeAgainstTheDiskBuffer)
{
    hw.TimeShiftFormat = 1;
    ASSERT_TRUE(hw.StartTimeShift());
    ASSERT_TRUE(hw.IsTimeShifting());
    EXPECT_FALSE(hw.IsTimeShiftPaused());
    // The buffer at the encoder's rates (the card's 4.5 Mbit/s and index 11).
    EXPECT_EQ(CTVHardWare::ComputeTimeShiftBuffer(4500000, 11, 600), hw.GetTimeShiftBufferBytes());
    EXPECT_EQ(static_cast<LONGLONG>(hw.GetTimeShiftBufferBytes()), Now().total);
    ASSERT_TRUE(PumpUntil([&] { return Now().current > 2 * 1024 * 1024; }, 15000));
    EXPECT_GT(FileSize(file), 0);
    EXPECT_GT(FileSize(IndexFile()), 0);

    // Paused: the card keeps filling the buffer, play-back stays.
    ASSERT_TRUE(hw.ToggleTimeShiftPause());
    EXPECT_TRUE(hw.IsTimeShiftPaused());
    Positions paused = Now();
    ASSERT_TRUE(PumpUntil([&] { return Now().current > paused.current + 1024 * 1024; }, 15000));
    Positions later = Now();
    EXPECT_LE(later.read, paused.read + 128 * 1024);

    // Seek back to the start: a position below 10 becomes 10.
    LONGLONG position = 0;
    ASSERT_TRUE(hw.SeekTimeShift(&position));
    EXPECT_EQ(10, position);
    EXPECT_LT(Now().read, later.read);

    // Resumed: play-back runs on from there.
    ASSERT_TRUE(hw.ToggleTimeShiftPause());
    EXPECT_FALSE(hw.IsTimeShiftPaused());
    LONGLONG from = Now().read;
    EXPECT_TRUE(PumpUntil([&] { return Now().read > from + 256 * 1024; }, 15000));

    ASSERT_TRUE(hw.StopTimeShift());
    EXPECT_FALSE(hw.IsTimeShifting());
    EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState());
    LONGLONG seek = 100;
    EXPECT_FALSE(hw.SeekTimeShift(&seek));
    EXPECT_FALSE(hw.ToggleTimeShiftPause());
}

TEST_F(TimeShift, AnAudioRateIndexWithoutABitRateIsRefused)
{
    // Preset A writes the user's audio rate, here one past the table.
    hw.TimeShiftFormat = 0;
    hw.RecordFormat = 2;
    param.m_Mpeg2.AudioRate = 15;
    EXPECT_FALSE(hw.StartTimeShift());
    EXPECT_FALSE(hw.IsTimeShifting());
    EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState());
    // The disk check sizes the buffer at the rate the encoder really sends.
    param.m_Mpeg2.AudioRate = 11;
    param.m_Mpeg2.VideoRate = 9;
    ASSERT_TRUE(hw.StartTimeShift());
    EXPECT_EQ((9000ull + 224) * 600, hw.GetTimeShiftBufferSize());
    EXPECT_TRUE(hw.StopTimeShift());
}

TEST_F(TimeShift, RefusedForRadioAndWhileRecording)
{
    hw.m_nVideoSource = CTVHardWare::SOURCE_RADIO;
    EXPECT_FALSE(hw.StartTimeShift());
    hw.m_nVideoSource = CTVHardWare::SOURCE_TUNER;
    hw.m_bRecording = TRUE;
    EXPECT_FALSE(hw.StartTimeShift());
    hw.m_bRecording = FALSE;
    EXPECT_FALSE(hw.IsTimeShifting());
}

namespace
{
ULONGLONG g_freeMB = 0;
BOOL FakeSpace(LPCSTR root, ULARGE_INTEGER* total, ULARGE_INTEGER* freeBytes)
{
    if (_stricmp(root, "C:\\") != 0)
        return FALSE;
    total->QuadPart = 1000000ull << 20;
    freeBytes->QuadPart = g_freeMB << 20;
    return TRUE;
}
UINT FakeDriveType(LPCSTR root)
{
    return _stricmp(root, "C:\\") == 0 ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}
}  // namespace

TEST(TimeShiftDisk, NeedsTheBufferAtTheEncodersRatePlusTheReserve)
{
    CDriveInfo::SetSpaceQuery(&FakeSpace);
    CDriveList::SetDriveTypeQuery(&FakeDriveType);
    g_freeMB = 5000;
    CTVEngine engine;
    ASSERT_TRUE(engine.GetDriveList().Refresh());
    CStringArray valid;
    valid.Add("C:\\");
    engine.SetValidDisks(valid);
    ASSERT_TRUE(engine.UseDiskOfPath("C:\\Recordings"));
    ASSERT_TRUE(engine.SetReservedSpace(300));
    CString root;
    // (4500 + 224) x 600 kilobits = 345 MB.
    g_freeMB = 300 + 346;
    EXPECT_TRUE(engine.FindTimeShiftDisk(root));
    EXPECT_STREQ("C:\\", root);
    g_freeMB = 300 + 345;
    EXPECT_FALSE(engine.FindTimeShiftDisk(root));
    EXPECT_TRUE(root.IsEmpty());
    // An encoder sending 9 Mbit/s needs (9000 + 224) x 600 kilobits = 675 MB.
    engine.GetHardWare().m_nTimeShiftRate = 9000;
    g_freeMB = 300 + 600;
    EXPECT_FALSE(engine.FindTimeShiftDisk(root));
    g_freeMB = 300 + 676;
    EXPECT_TRUE(engine.FindTimeShiftDisk(root));
    CDriveInfo::SetSpaceQuery(NULL);
    CDriveList::SetDriveTypeQuery(NULL);
}
